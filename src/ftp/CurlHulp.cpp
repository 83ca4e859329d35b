#include "ftp/CurlHulp.h"

#include "ftp/CurlVerbinding.h"
#include "ftp/Ontvangst.h"
#include "ftp/Sessieprotocol.h"

#include <QFile>

namespace Vamox::CurlHulp {

size_t Weggooien(char*, size_t grootte, size_t n, void*)
{
    return grootte * n;
}

size_t SchrijfNaarBuffer(char* data, size_t grootte, size_t n, void* buffer)
{
    static_cast<QByteArray*>(buffer)->append(data, qsizetype(grootte * n));
    return grootte * n;
}

size_t SchrijfNaarBestand(char* data, size_t grootte, size_t n, void* bestand)
{
    return static_cast<Ontvangst*>(bestand)->schrijf(data, qint64(grootte * n)) ? grootte * n : 0;
}

size_t LeesUitBestand(char* data, size_t grootte, size_t n, void* bestand)
{
    const qint64 gelezen = static_cast<QFile*>(bestand)->read(data, qint64(grootte * n));
    return gelezen < 0 ? CURL_READFUNC_ABORT : size_t(gelezen);
}

int ZoekInBestand(void* bestand, curl_off_t positie, int vanaf)
{
    return vanaf == SEEK_SET && static_cast<QFile*>(bestand)->seek(positie) ? CURL_SEEKFUNC_OK
                                                                            : CURL_SEEKFUNC_FAIL;
}

int MeldVoortgang(void* p, curl_off_t dlTotaal, curl_off_t dlNu, curl_off_t ulTotaal, curl_off_t ulNu)
{
    auto* v = static_cast<Voortgang*>(p);
    if (v->kern->Afbreken().load()) return 1;
    const auto nu = std::chrono::steady_clock::now();
    if (nu - v->laatst < std::chrono::milliseconds(100)) return 0;
    v->laatst = nu;
    v->kern->Voortgang(v->basis + (ulTotaal > 0 ? ulNu : dlNu), ulTotaal > 0 ? ulTotaal : dlTotaal);
    return 0;
}

// Failures after which the same operation is worth one more try on a fresh connection: the
// server closed an idle connection, or it broke before anything was moved.
bool VerbindingVerloren(CURLcode code, long antwoord)
{
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_WEIRD_SERVER_REPLY:
        return antwoord == 421;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_FTP_ACCEPT_FAILED:
        return true;
    default:
        return false;
    }
}

bool Hervatbaar(CURLcode code)
{
    switch (code) {
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_COULDNT_CONNECT:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_WEIRD_SERVER_REPLY:
        return true;
    default:
        return false;
    }
}

void TlsZetten(CURL* e, TlsKeuze keuze, const QByteArray& pin, bool certificaatHalen, bool hoogstens12)
{
    // TRY and ALL protect the data connections too (PROT P); curl reuses the TLS session of
    // the control connection for them, which servers such as vsftpd insist on. A server whose
    // certificate is trusted (a pin) must use TLS: one that no longer offers it may be another
    // server, and the password would go out in clear.
    const bool vereist = certificaatHalen || keuze == TlsKeuze::Alleen || !pin.isEmpty();
    const long niveau = keuze == TlsKeuze::Geen && !certificaatHalen ? CURLUSESSL_NONE
                        : vereist                                    ? CURLUSESSL_ALL
                                                                     : CURLUSESSL_TRY;
    curl_easy_setopt(e, CURLOPT_USE_SSL, niveau);
    if (keuze == TlsKeuze::Geen && !certificaatHalen) return;
    if (hoogstens12)
        curl_easy_setopt(e, CURLOPT_SSLVERSION,
                         long(CURL_SSLVERSION_DEFAULT) | long(CURL_SSLVERSION_MAX_TLSv1_2));
    if (certificaatHalen) {
        // The key check fails before the login, so no password goes to a server not yet trusted.
        static const QByteArray geenSleutel = "sha256//" + QByteArray(32, '\0').toBase64();
        curl_easy_setopt(e, CURLOPT_CERTINFO, 1L);
        curl_easy_setopt(e, CURLOPT_PINNEDPUBLICKEY, geenSleutel.constData());
    } else if (!pin.isEmpty()) {
        curl_easy_setopt(e, CURLOPT_PINNEDPUBLICKEY, pin.constData());
    } else {
        return;
    }
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 0L);
}

QByteArray EersteCertificaat(CURL* e)
{
    curl_certinfo* info = nullptr;
    if (curl_easy_getinfo(e, CURLINFO_CERTINFO, &info) != CURLE_OK || !info || info->num_of_certs < 1)
        return {};
    for (const curl_slist* veld = info->certinfo[0]; veld; veld = veld->next) {
        if (qstrncmp(veld->data, "Cert:", 5) == 0) return QByteArray(veld->data + 5);
    }
    return {};
}

qint64 GrootteVragen(CurlVerbinding& verbinding)
{
    CURL* e = verbinding.easy();
    curl_easy_setopt(e, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, curl_off_t(0));
    curl_easy_setopt(e, CURLOPT_IGNORE_CONTENT_LENGTH, 0L);
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Weggooien);
    curl_off_t nu = -1;
    if (verbinding.perform() != CURLE_OK ||
        curl_easy_getinfo(e, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &nu) != CURLE_OK)
        return -1;
    return nu;
}

Bestandsstand StandVragen(CurlVerbinding& verbinding)
{
    CURL* e = verbinding.easy();
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(e, CURLOPT_FILETIME, 1L);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Weggooien);
    Bestandsstand stand;
    stand.code = verbinding.perform();
    curl_off_t grootte = -1, tijd = -1;
    if (stand.code == CURLE_OK &&
        curl_easy_getinfo(e, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &grootte) == CURLE_OK &&
        curl_easy_getinfo(e, CURLINFO_FILETIME_T, &tijd) == CURLE_OK) {
        stand.grootte = grootte;
        stand.tijd = tijd;
    }
    curl_easy_setopt(e, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(e, CURLOPT_FILETIME, 0L);
    return stand;
}

qint64 AangekondigdeGrootte(const QByteArray& antwoordregels)
{
    for (const QByteArray& regel : antwoordregels.split('\n')) {
        if (!regel.startsWith("150")) continue;
        const qsizetype eind = regel.lastIndexOf(" bytes)");
        const qsizetype begin = regel.lastIndexOf('(', eind);
        if (eind < 0 || begin < 0) continue;
        bool ok = false;
        const qint64 grootte = regel.mid(begin + 1, eind - begin - 1).trimmed().toLongLong(&ok);
        if (ok && grootte >= 0) return grootte;
    }
    return -1;
}

} // namespace Vamox::CurlHulp
