// One FTP transfer on curl (a login, a listing, a file either way, commands), and the listings
// with their ways around servers that hide dot files.

#include "ftp/CurlHulp.h"
#include "ftp/FtpProtocol.h"
#include "ftp/FtpPaden.h"
#include "ftp/Lijstontvangst.h"
#include "ftp/Lijststroom.h"
#include "ftp/Ontvangst.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <memory>

namespace Vamox {

using namespace CurlHulp;

namespace {

// The URL, login, TLS and timeouts of every transfer.
void VerbindingZetten(CURL* e, const FtpGegevens& g, const FtpTijden& tijden, const QByteArray& urlPad,
                      const QByteArray& pin, bool hoogstens12, bool certificaatHalen)
{
    const QByteArray host = g.host.contains(u':') ? '[' + g.host.toUtf8() + ']' : g.host.toUtf8();
    const QByteArray url = "ftp://" + host + ':' + QByteArray::number(g.poort) + '/' + urlPad;
    curl_easy_setopt(e, CURLOPT_URL, url.constData());
    if (!g.gebruiker.isEmpty()) {
        curl_easy_setopt(e, CURLOPT_USERNAME, g.gebruiker.toUtf8().constData());
        curl_easy_setopt(e, CURLOPT_PASSWORD, g.wachtwoord.toUtf8().constData());
    }
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, long(tijden.verbindenS));
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(tijden.antwoordS));
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, long(tijden.stilstandS));
    curl_easy_setopt(e, CURLOPT_MAXAGE_CONN, kEenJaar);
    curl_easy_setopt(e, CURLOPT_TCP_NODELAY, 1L);
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, 0L);
    TlsZetten(e, g.tls, certificaatHalen ? QByteArray() : pin, certificaatHalen, hoogstens12);
}

// Whether every name of `kaal` is among those of `metA` (hashes of names, sorted).
bool OmvatNamen(const std::vector<size_t>& metA, const std::vector<FtpEntry>& kaal)
{
    return std::all_of(kaal.begin(), kaal.end(), [&](const FtpEntry& e) {
        return std::binary_search(metA.begin(), metA.end(), qHash(e.naam));
    });
}

} // namespace

FtpProtocol::Antwoord FtpProtocol::voer(const Opdracht& opdracht)
{
    Antwoord a;
    std::vector<QByteArray> quoteTeksten;
    for (const QString& q : opdracht.quotes)
        quoteTeksten.push_back(q.toUtf8());
    char melding[CURL_ERROR_SIZE] = {};
    CURL* e = m_curl.easy();
    curl_easy_reset(e);
    VerbindingZetten(e, m_gegevens, m_kern.Tijden(), opdracht.urlPad, m_pin, !m_tls13, opdracht.certificaatHalen);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, melding);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &SchrijfNaarBuffer);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &a.kopregels);

    Voortgang voortgang{&m_kern, {}};
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &MeldVoortgang);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &voortgang);

    curl_slist* quotes = nullptr;
    for (const QByteArray& q : quoteTeksten)
        quotes = curl_slist_append(quotes, q.constData());
    if (quotes) curl_easy_setopt(e, CURLOPT_QUOTE, quotes);

    std::unique_ptr<QFile> bron;
    using S = Opdracht::Soort;
    switch (opdracht.soort) {
    case S::Login:
    case S::Quote:
        curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
        // Of a file's URL curl asks SIZE (in binary mode: servers refuse it after an ASCII
        // listing), and MDTM with FILETIME.
        if (opdracht.tijdVragen) curl_easy_setopt(e, CURLOPT_FILETIME, 1L);
        // curl hands what it learnt of a file (SIZE, REST) to the body writer as well,
        // which would otherwise be stdout.
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Weggooien);
        break;
    case S::Lijst:
        if (!opdracht.lijstCommando.isEmpty())
            curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, opdracht.lijstCommando.constData());
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &LeesLijst);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, opdracht.lijst);
        break;
    case S::Halen:
        // With the size known from a listing, the SIZE command before each RETR is one round
        // trip per file that a folder of small files feels. A file begun before is continued
        // (REST), which needs SIZE.
        if (opdracht.tijdVragen) curl_easy_setopt(e, CURLOPT_FILETIME, 1L);
        if (opdracht.vanaf > 0)
            curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, curl_off_t(opdracht.vanaf));
        else if (opdracht.verwachteGrootte >= 0)
            curl_easy_setopt(e, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
        // Progress tells the position in the file, as a continued SFTP download does.
        voortgang.basis = opdracht.vanaf;
        curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 512L * 1024);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &SchrijfNaarBestand);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, opdracht.doel);
        break;
    case S::Plaatsen:
        bron = std::make_unique<QFile>(opdracht.lokaalPad);
        if (!bron->open(QIODevice::ReadOnly)) {
            curl_slist_free_all(quotes);
            a.code = CURLE_READ_ERROR;
            Neutraal(a);
            return a;
        }
        curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(e, CURLOPT_UPLOAD_BUFFERSIZE, 2L * 1024 * 1024);
        curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, curl_off_t(bron->size()));
        curl_easy_setopt(e, CURLOPT_READFUNCTION, &LeesUitBestand);
        curl_easy_setopt(e, CURLOPT_READDATA, bron.get());
        curl_easy_setopt(e, CURLOPT_SEEKFUNCTION, &ZoekInBestand);
        curl_easy_setopt(e, CURLOPT_SEEKDATA, bron.get());
        // -1: curl asks SIZE, skips what the server has and sends the rest with APPE.
        if (opdracht.aanvullen) curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, curl_off_t(-1));
        break;
    }
    a.code = m_curl.perform();
    // A part that ends before the file does stops at its last byte from the write callback: curl
    // then closes the data connection and the control connection with it, which the next transfer
    // logs in anew. A range (CURLOPT_RANGE) would send ABOR and wait for the server's answer,
    // which comes only once the server has noticed the closed data connection.
    if (opdracht.tot >= 0 && a.code == CURLE_WRITE_ERROR && opdracht.doel && opdracht.doel->vol()) a.code = CURLE_OK;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &a.antwoord);
    long verbindingen = 0;
    curl_easy_getinfo(e, CURLINFO_NUM_CONNECTS, &verbindingen);
    a.nieuw = verbindingen > 0;
    curl_off_t lengte = -1, omlaag = 0, omhoog = 0;
    curl_easy_getinfo(e, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &lengte);
    curl_easy_getinfo(e, CURLINFO_SIZE_DOWNLOAD_T, &omlaag);
    curl_easy_getinfo(e, CURLINFO_SIZE_UPLOAD_T, &omhoog);
    a.u.lengte = lengte;
    a.u.overgedragen = omlaag + omhoog;
    curl_off_t tijd = -1;
    if (curl_easy_getinfo(e, CURLINFO_FILETIME_T, &tijd) == CURLE_OK) a.u.tijd = tijd;
    curl_easy_setopt(e, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quotes);
    if (opdracht.certificaatHalen) a.certificaat = EersteCertificaat(e);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, nullptr);
    a.melding = QByteArray(melding);
    // The size a server announces when it opens the data connection beats none: a download whose
    // listed size spared the SIZE command is measured against it.
    if (opdracht.soort == S::Halen && opdracht.vanaf == 0 && opdracht.verwachteGrootte >= 0)
        a.u.lengte = AangekondigdeGrootte(a.kopregels);
    if (a.code != CURLE_OK && (a.code == CURLE_COULDNT_CONNECT || a.code == CURLE_LOGIN_DENIED ||
                               a.code == CURLE_COULDNT_RESOLVE_HOST))
        m_curl.sluiten();
    Neutraal(a);
    return a;
}

FtpProtocol::Antwoord FtpProtocol::voerOpnieuw(const Opdracht& opdracht)
{
    Antwoord a = voer(opdracht);
    if (a.u.afloop == Afloop::Verloren && a.u.overgedragen == 0 && !m_kern.Afbreken()) a = voer(opdracht);
    return a;
}

Uitkomst FtpProtocol::Halen(const Haalopdracht& opdracht)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Halen;
    o.urlPad = FtpUrlPad(opdracht.pad);
    o.doel = opdracht.doel;
    o.vanaf = opdracht.vanaf;
    o.tot = opdracht.tot;
    o.verwachteGrootte = opdracht.verwachteGrootte;
    o.tijdVragen = opdracht.tijdVragen;
    return voer(o).u;
}

Uitkomst FtpProtocol::Plaatsen(const Plaatsopdracht& opdracht)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Plaatsen;
    o.urlPad = FtpUrlPad(opdracht.pad);
    o.lokaalPad = opdracht.lokaalPad;
    o.aanvullen = opdracht.aanvullen;
    return voer(o).u;
}

Uitkomst FtpProtocol::lijstOpdracht(Opdracht& o, const QByteArray& commando, Lijstontvangst& ontvangst)
{
    o.lijstCommando = commando;
    o.lijst = &ontvangst;
    Antwoord a = voerOpnieuw(o);
    // The last line may lack its line end; a listing cut off is not read to its end.
    if (a.u.ok()) ontvangst.lezer.Afronden();
    ontvangst.Doorgeven();
    if (ontvangst.lezer.TeGroot()) a.u.afloop = Afloop::TeGroot;
    return a.u;
}

Uitkomst FtpProtocol::Lijsten(const QString& map, Lijstdoel& doel)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Lijst;
    o.urlPad = FtpUrlPad(map);
    if (!o.urlPad.endsWith('/')) o.urlPad += '/';
    using V = Lijstlezer::Vorm;
    Lijststroom* naar = doel.stroom;
    const auto teGroot = [&doel](const Uitkomst& u) {
        doel.teGroot = doel.teGroot || u.afloop == Afloop::TeGroot;
        return u;
    };

    if (m_mlsd) {
        Lijstontvangst ontvangst(V::Mlsd, doel.grenzen, naar);
        const Uitkomst u = teGroot(lijstOpdracht(o, "MLSD", ontvangst));
        if (u.ok()) doel.entries = std::move(ontvangst.entries);
        return u;
    }
    // A plain LIST hides dot files on many servers (vsftpd); "LIST -a" shows them. Servers that
    // do not know "-a" refuse it or take "-a /map" for a path, which may even exist: until "-a"
    // gave a listing that holds everything a plain one does, both are asked. The "-a" listing is
    // shown as it comes; when the plain one wins, it replaces it.
    bool metA = false;
    std::vector<FtpEntry> metAEntries;
    std::vector<size_t> metANamen;
    qint64 metAAantal = 0;
    if (m_lijstA != LijstA::Nee) {
        Lijstontvangst ontvangst(V::List, doel.grenzen, naar);
        if (m_lijstA == LijstA::Onbekend) ontvangst.namen = &metANamen;
        const Uitkomst u = teGroot(lijstOpdracht(o, "LIST -a", ontvangst));
        // A cancelled "-a" says nothing of the server, and the cancel holds for the plain one too.
        if (u.afloop == Afloop::Afgebroken || u.afloop == Afloop::TeGroot) return u;
        metA = u.ok();
        metAEntries = std::move(ontvangst.entries);
        metAAantal = ontvangst.lezer.Aantal();
        if (m_lijstA == LijstA::Ja) {
            if (metA) doel.entries = std::move(metAEntries);
            return u;
        }
    }
    // Streamed only when no "-a" listing went before it.
    Lijstontvangst ontvangst(V::List, doel.grenzen, m_lijstA == LijstA::Nee ? naar : nullptr);
    const Uitkomst u = teGroot(lijstOpdracht(o, QByteArray(), ontvangst));
    if (!u.ok()) return u;
    doel.entries = std::move(ontvangst.entries);
    if (m_lijstA == LijstA::Onbekend) {
        std::sort(metANamen.begin(), metANamen.end());
        // Two empty answers tell nothing.
        if (!metA || !OmvatNamen(metANamen, doel.entries)) {
            m_lijstA = LijstA::Nee;
            // What "-a" showed is void: the plain listing takes its place, also when it is empty.
            if (naar) {
                naar->Opnieuw();
                naar->Toevoegen(std::move(doel.entries));
                doel.entries.clear();
            }
        } else if (metAAantal > 0) {
            m_lijstA = LijstA::Ja;
            doel.entries = std::move(metAEntries);
        }
    }
    return u;
}

} // namespace Vamox
