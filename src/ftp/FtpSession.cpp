#include "ftp/FtpSession.h"

#include "ftp/CurlHulp.h"
#include "ftp/CurlWerker.h"
#include "ftp/FtpOpdracht.h"
#include "ftp/Lijstontvangst.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>

namespace Vamox {

using namespace CurlHulp;

FtpSession::FtpSession(QObject* parent)
    : QObject(parent), m_werker(std::make_unique<CurlWerker>()), m_ssh(std::make_unique<Sshstaat>())
{
}

FtpSession::~FtpSession() = default;

void FtpSession::afbreken()
{
    m_werker->afbreken = true;
}

FtpSession::Uitkomst FtpSession::voer(const Opdracht& opdracht)
{
    if (m_bezig) {
        Uitkomst u;
        u.geweigerd = true;
        return u;
    }
    m_bezig = true;
    // A cancel is meant for a running operation, not for the next one.
    m_werker->afbreken = false;
    Q_EMIT bezigGewijzigd(true);
    Uitkomst u = voerEens(opdracht);
    if (!u.ok() && u.overgedragen == 0 && VerbindingVerloren(u.code, u.antwoord) && !m_werker->afbreken &&
        (!opdracht.doel || opdracht.doel->grootte() == 0))
        u = voerEens(opdracht);
    bool onderbroken = false;
    qint64 onderweg = 0; // bytes moved by the tries before the last
    Opdracht verder = opdracht;
    if (opdracht.soort == Opdracht::Soort::Halen && opdracht.doel && opdracht.doel->grootte() > 0) {
        // What the file was when it was begun, for a resume to compare with.
        verder.beginGrootte = opdracht.verwachteGrootte >= 0 ? opdracht.verwachteGrootte : u.lengte;
        verder.beginTijd = u.tijd;
    }
    for (int poging = 1; !u.ok() && hervatten(verder, u, poging); ++poging) {
        // An upload broken off is appended to; one whose appending failed is sent whole.
        verder.aanvullen = verder.soort == Opdracht::Soort::Plaatsen && Hervatbaar(u.code) && !u.kort;
        // A server that will not continue a file (REST refused) sends it whole.
        if (verder.doel && u.code == CURLE_FTP_COULDNT_USE_REST && !verder.doel->leegmaken()) break;
        onderbroken = true;
        onderweg += u.overgedragen;
        u = voerEens(verder);
    }
    u.onderbroken = onderbroken;
    u.onderbrokenNa = onderweg + u.overgedragen;
    m_afgebroken = u.code == CURLE_ABORTED_BY_CALLBACK;
    m_verbroken = !u.ok() && ((Hervatbaar(u.code) && !u.kort) || VerbindingVerloren(u.code, u.antwoord) ||
                              u.code == CURLE_LOGIN_DENIED);
    m_fout = u.ok() ? QString() : foutTekst(u);
    if (!u.ok() && u.onderbroken && u.onderbrokenNa > 0 && !m_afgebroken) m_fout = onderbrokenTekst(u);
    m_bezig = false;
    Q_EMIT bezigGewijzigd(false);
    if (u.ok() && !m_resten.isEmpty()) restenOpruimen();
    return u;
}

FtpSession::Uitkomst FtpSession::voerEens(const Opdracht& opdracht)
{
    Uitkomst u;
    std::vector<QByteArray> quoteTeksten;
    for (const QString& q : opdracht.quotes)
        quoteTeksten.push_back(q.toUtf8());
    // The worker reads them while this thread's event loop turns, which may change `tijden`.
    const Aansluiting aansluiting{.gegevens = m_gegevens,
                                  .tijden = tijden,
                                  .pin = m_pin,
                                  .hoogstens12 = !m_tls13,
                                  .bekendeHosts = m_ssh->bekendeHostsPad(),
                                  .methode = m_ssh->methode,
                                  .controle = &m_ssh->controle};
    char melding[CURL_ERROR_SIZE] = {};

    m_werker->voerUit([&] {
        CURL* e = m_werker->easy();
        curl_easy_reset(e);
        VerbindingZetten(e, aansluiting, opdracht.urlPad, opdracht.certificaatHalen);
        curl_easy_setopt(e, CURLOPT_ERRORBUFFER, melding);
        curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &SchrijfNaarBuffer);
        curl_easy_setopt(e, CURLOPT_HEADERDATA, &u.kopregels);

        Voortgang voortgang{this, &m_werker->afbreken, {}};
        curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &MeldVoortgang);
        curl_easy_setopt(e, CURLOPT_XFERINFODATA, &voortgang);

        curl_slist* quotes = nullptr;
        for (const QByteArray& q : quoteTeksten)
            quotes = curl_slist_append(quotes, q.constData());
        if (quotes) curl_easy_setopt(e, CURLOPT_QUOTE, quotes);

        Ontvangst* doel = nullptr;
        qint64 vanaf = 0;
        std::unique_ptr<QFile> bron;
        using S = Opdracht::Soort;
        switch (opdracht.soort) {
        case S::Login:
        case S::Quote:
        case S::Grootte:
            curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
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
            // With the size known from a listing, the SIZE command before each RETR is one
            // round trip per file that a folder of small files feels.
            // A file begun before is continued (REST), which needs SIZE.
            doel = opdracht.doel;
            vanaf = doel->grootte();
            if (vanaf > 0) {
                // Only while the server's file is still the one begun: a file replaced between
                // the cut and now would be pieced together from two versions.
                bool dezelfde = false;
                if (opdracht.beginGrootte >= kHervatVanaf) {
                    const Bestandsstand nu = StandVragen(*m_werker);
                    if (nu.code != CURLE_OK) {
                        u.code = nu.code;
                        return;
                    }
                    dezelfde = nu.grootte == opdracht.beginGrootte && nu.tijd == opdracht.beginTijd;
                }
                if (!dezelfde) {
                    if (!doel->leegmaken()) {
                        u.code = CURLE_WRITE_ERROR;
                        return;
                    }
                    vanaf = 0;
                }
            }
            // Large files have their MDTM noted at the start; a small one is fetched whole again.
            if (opdracht.tijdVragen && vanaf == 0) curl_easy_setopt(e, CURLOPT_FILETIME, 1L);
            if (vanaf > 0)
                curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, curl_off_t(vanaf));
            else if (opdracht.verwachteGrootte >= 0)
                curl_easy_setopt(e, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
            curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 512L * 1024);
            curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &SchrijfNaarBestand);
            curl_easy_setopt(e, CURLOPT_WRITEDATA, doel);
            break;
        case S::Plaatsen:
            bron = std::make_unique<QFile>(opdracht.lokaalPad);
            if (!bron->open(QIODevice::ReadOnly)) {
                u.code = CURLE_READ_ERROR;
                curl_slist_free_all(quotes);
                return;
            }
            curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
            curl_easy_setopt(e, CURLOPT_UPLOAD_BUFFERSIZE, 2L * 1024 * 1024);
            curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, curl_off_t(bron->size()));
            curl_easy_setopt(e, CURLOPT_READFUNCTION, &LeesUitBestand);
            curl_easy_setopt(e, CURLOPT_READDATA, bron.get());
            curl_easy_setopt(e, CURLOPT_SEEKFUNCTION, &ZoekInBestand);
            curl_easy_setopt(e, CURLOPT_SEEKDATA, bron.get());
            // SFTP: a file made for a while (a temporary one) is the owner's only.
            if (opdracht.rechten >= 0) curl_easy_setopt(e, CURLOPT_NEW_FILE_PERMS, opdracht.rechten);
            // -1: curl asks SIZE, skips what the server has and sends the rest with APPE.
            if (opdracht.aanvullen) curl_easy_setopt(e, CURLOPT_RESUME_FROM_LARGE, curl_off_t(-1));
            break;
        }

        u.code = m_werker->perform();
        curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &u.antwoord);
        curl_off_t lengte = -1, omlaag = 0, omhoog = 0;
        curl_easy_getinfo(e, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &lengte);
        curl_easy_getinfo(e, CURLINFO_SIZE_DOWNLOAD_T, &omlaag);
        curl_easy_getinfo(e, CURLINFO_SIZE_UPLOAD_T, &omhoog);
        u.lengte = lengte;
        u.overgedragen = omlaag + omhoog;
        curl_off_t tijd = -1;
        if (curl_easy_getinfo(e, CURLINFO_FILETIME_T, &tijd) == CURLE_OK) u.tijd = tijd;
        curl_easy_setopt(e, CURLOPT_QUOTE, nullptr);
        curl_slist_free_all(quotes);

        if (opdracht.certificaatHalen) u.certificaat = EersteCertificaat(e);
        if (doel) {
            // Only a complete file replaces the old one. The size the server gives when the
            // transfer starts beats the one of an older listing; a continued file is measured
            // against SIZE, and else against the listing.
            const qint64 binnen = doel->grootte();
            qint64 verwacht = vanaf > 0 ? -1 : lengte;
            if (opdracht.verwachteGrootte >= 0 && vanaf == 0) {
                verwacht = AangekondigdeGrootte(u.kopregels);
                if (verwacht < 0) verwacht = opdracht.verwachteGrootte;
            }
            // The file may have changed since it was listed: then its size now decides. A
            // server without SIZE leaves the listed size standing: a transfer it cut short
            // is never taken for a file that shrank.
            if (u.code == CURLE_OK && (vanaf > 0 || (opdracht.verwachteGrootte >= 0 && binnen != verwacht))) {
                const qint64 nu = GrootteVragen(*m_werker);
                if (nu >= 0)
                    verwacht = nu;
                else if (vanaf > 0)
                    verwacht = opdracht.verwachteGrootte;
            }
            if (u.code == CURLE_OK && verwacht >= 0 && binnen != verwacht) {
                u.code = CURLE_PARTIAL_FILE;
                u.kort = true;
            }
        }
        // An appended upload must have made the whole file, else it is sent again whole.
        if (bron && opdracht.aanvullen && u.code == CURLE_OK && GrootteVragen(*m_werker) != bron->size()) {
            u.code = CURLE_PARTIAL_FILE;
            u.kort = true;
        }
        curl_easy_setopt(e, CURLOPT_ERRORBUFFER, nullptr);
        if (u.code != CURLE_OK && (u.code == CURLE_COULDNT_CONNECT || u.code == CURLE_LOGIN_DENIED ||
                                   u.code == CURLE_COULDNT_RESOLVE_HOST))
            m_werker->sluitVerbindingen();
    });
    u.melding = QByteArray(melding);
    // libssh2 reports a connection that broke as a bare SSH error, where a refusal of the server
    // comes with words: the break is treated as one, so that it is retried and resumed.
    if (aansluiting.gegevens.protocol == Protocol::Sftp && u.code == CURLE_SSH && u.melding.isEmpty())
        u.code = CURLE_RECV_ERROR;

    // Final reply lines are "nnn text"; continuation lines have "-" or a space after the code.
    for (const QByteArray& regel : u.kopregels.split('\n')) {
        if (regel.size() >= 4 && regel.at(3) == ' ') {
            bool ok = false;
            const int code = regel.left(3).toInt(&ok);
            if (ok) u.antwoorden.push_back(code);
        }
    }
    return u;
}

bool FtpSession::FtpVerbindingOpenen(const FtpGegevens& gegevens)
{
    if (gegevens.host != m_gegevens.host || gegevens.poort != m_gegevens.poort ||
        gegevens.protocol != m_gegevens.protocol) {
        m_tls13 = false;
        m_ssh->aanvaard.clear();
    }
    if (gegevens.gebruiker != m_gegevens.gebruiker || gegevens.host != m_gegevens.host) m_ssh->methode = {};
    m_gegevens = gegevens;
    m_internetHandle = true;
    m_werker->afbreken = false;
    Opdracht login;
    login.soort = Opdracht::Soort::Login;
    if (sftp()) {
        const Uitkomst u = sshInloggen(login);
        m_verbindingsHandle = u.ok();
        // SFTP lists everything, hidden entries too, in "ls -l" lines.
        m_mlsd = false;
        m_lijstA = LijstA::Nee;
        return m_verbindingsHandle;
    }
    login.quotes = {QStringLiteral("*FEAT")};
    const Uitkomst u = inloggen(login);
    m_verbindingsHandle = u.ok();
    if (!m_verbindingsHandle) return false;
    m_mlsd = false;
    m_lijstA = LijstA::Onbekend;
    QStringList opties;
    for (const QByteArray& rauw : u.kopregels.split('\n')) {
        const QByteArray regel = rauw.trimmed().toUpper();
        if (regel.startsWith("MLST")) {
            m_mlsd = true;
            // Only the facts a listing reads: a large folder's listing is smaller and quicker
            // for the server to make.
            const QByteArray feiten = MlstFeiten(rauw);
            if (!feiten.isEmpty()) opties << QStringLiteral("*OPTS MLST ") + QString::fromLatin1(feiten);
        }
        if (regel == "UTF8") opties.prepend(QStringLiteral("*OPTS UTF8 ON"));
    }
    if (!opties.isEmpty()) quote(opties);
    return true;
}

FtpAanmelding FtpSession::aanmelding() const
{
    return {.gegevens = m_gegevens,
            .tijden = tijden,
            .bekendeCertificatenPad = bekendeCertificatenPad,
            .pin = m_pin.isEmpty() ? m_overgenomenPin : m_pin,
            .tls13 = m_tls13,
            .sleutelMap = ssh.sleutelMap,
            .bekendeHostsPad = ssh.bekendeHostsPad,
            .hostsleutel = m_ssh->controle.bekend ? m_ssh->controle.gezien : Hostsleutel{},
            .methode = m_ssh->methode};
}

bool FtpSession::FtpVerbindingOvernemen(const FtpAanmelding& aanmelding)
{
    tijden = aanmelding.tijden;
    bekendeCertificatenPad = aanmelding.bekendeCertificatenPad;
    m_overgenomenPin = aanmelding.pin;
    certificaatVertrouwen = nullptr;
    ssh.sleutelMap = aanmelding.sleutelMap;
    ssh.bekendeHostsPad = aanmelding.bekendeHostsPad;
    ssh.vertrouwen = nullptr;
    ssh.wachtwoordzin = nullptr;
    m_ssh->aanvaard.clear();
    if (!aanmelding.hostsleutel.leeg()) m_ssh->aanvaard.push_back(aanmelding.hostsleutel);
    m_ssh->methode = aanmelding.methode;
    m_gegevens = aanmelding.gegevens;
    m_tls13 = aanmelding.tls13;
    return FtpVerbindingOpenen(aanmelding.gegevens);
}

void FtpSession::FtpVerbindingSluiten()
{
    m_verbindingsHandle = false;
    if (m_bezig) return;
    m_werker->voerUit([this] { m_werker->sluitVerbindingen(); });
}

bool FtpSession::FtpVerbinden()
{
    return FtpVerbindingOpenen(m_gegevens);
}

bool FtpSession::quote(const QStringList& commandos, long verwachtMin, long verwachtMax)
{
    if (!m_verbindingsHandle || commandos.isEmpty()) return false;
    for (const QString& c : commandos)
        if (!FtpVeiligeTekst(c)) return false;
    Opdracht o;
    o.soort = Opdracht::Soort::Quote;
    o.quotes = commandos;
    return geslaagd(voer(o), commandos.size(), verwachtMin, verwachtMax);
}

bool FtpSession::FtpBestandPlaatsen(const QString& lokaalPad, const QString& serverPad, Serverdoel doel)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) {
        m_fout = m_verbindingsHandle ? QStringLiteral("Ongeldige naam") : QStringLiteral("Niet verbonden");
        return false;
    }
    bool nieuw = doel == Serverdoel::Nieuw;
    if (!nieuw) {
        switch (vervangen(lokaalPad, pad)) {
        case Vervanging::Gelukt:
            return true;
        case Vervanging::Mislukt:
            return false;
        case Vervanging::Nieuw:
            nieuw = true;
            break;
        case Vervanging::Rechtstreeks:
            break;
        }
    }
    // A part an earlier try left under this name is this upload's to write over now.
    m_resten.removeAll(pad);
    const Uitkomst u = plaatsen(lokaalPad, pad);
    if (u.ok()) return true;
    // Only what this upload made: bytes went, or the server opened the file for it (a refusal
    // may be of a file that somebody else put there meanwhile).
    const bool begonnen = u.onderbrokenNa > 0 || u.antwoorden.contains(150) || u.antwoorden.contains(125);
    if (nieuw && begonnen) {
        m_resten << pad;
        restenOpruimen();
    }
    return false;
}

FtpSession::Uitkomst FtpSession::plaatsen(const QString& lokaalPad, const QString& pad)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Plaatsen;
    o.urlPad = FtpUrlPad(pad);
    o.lokaalPad = lokaalPad;
    return voer(o);
}

bool FtpSession::FtpBestandHalen(const QString& lokaalPad, const QString& serverPad, qint64 verwachteGrootte)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) {
        m_fout = m_verbindingsHandle ? QStringLiteral("Ongeldige naam") : QStringLiteral("Niet verbonden");
        return false;
    }
    Opdracht o;
    o.soort = Opdracht::Soort::Halen;
    o.urlPad = FtpUrlPad(pad);
    o.lokaalPad = lokaalPad;
    o.verwachteGrootte = verwachteGrootte;
    o.tijdVragen = verwachteGrootte < 0 || verwachteGrootte >= kHervatVanaf;
    // Received beside the target; a broken connection is resumed into the same file.
    Ontvangst doel(lokaalPad);
    o.doel = &doel;
    if (!doel.open()) {
        m_fout = QStringLiteral("Het lokale bestand kan niet worden gemaakt");
        return false;
    }
    if (!voer(o).ok()) return false;
    if (doel.vastleggen()) return true;
    m_fout = QStringLiteral("Het lokale bestand kan niet worden vervangen");
    return false;
}

bool FtpSession::ServerpadBestaat(const QString& pad, bool isMap)
{
    if (!m_verbindingsHandle) return false;
    QString p = SpatiesWeg(pad);
    while (p.startsWith(u'/'))
        p.remove(0, 1);
    while (p.endsWith(u'/'))
        p.chop(1);
    p.prepend(u'/');
    const qsizetype laatste = p.lastIndexOf(u'/');
    const QString ouder = p.left(laatste + 1);
    const QString naam = p.mid(laatste + 1);
    std::vector<FtpEntry> entries;
    if (!lijst(ouder == QLatin1String("/") ? QStringLiteral("//") : ouder, entries)) return false;
    if (naam.isEmpty()) return true;
    for (const FtpEntry& e : entries)
        if (e.isMap == isMap && e.naam == naam) return true;
    return false;
}

bool FtpSession::FtpVerbindingActief()
{
    if (!m_verbindingsHandle || m_bezig) return m_verbindingsHandle && m_bezig;
    if (!sftp()) return quote({QStringLiteral("NOOP")});
    // SFTP has no NOOP: a look at the root goes to the server and back.
    Opdracht o;
    o.soort = Opdracht::Soort::Grootte;
    o.urlPad = FtpUrlPad(QStringLiteral("/"));
    o.tijdVragen = true;
    return voer(o).ok();
}

bool FtpSession::FtpVerbindingPeilen(int maxS)
{
    // Put back on every way out of the probe.
    struct Terugzetten
    {
        FtpTijden& tijden;
        const FtpTijden eerder;
        ~Terugzetten() { tijden = eerder; }
    } terug{tijden, tijden};
    tijden.verbindenS = std::min(tijden.verbindenS, maxS);
    tijden.antwoordS = std::min(tijden.antwoordS, maxS);
    return FtpVerbindingActief();
}

qint64 FtpSession::FtpMapPeilen(const QString& pad)
{
    if (!m_verbindingsHandle) return 0;
    QString p = SpatiesWeg(pad);
    while (p.endsWith(u'/'))
        p.chop(1);
    while (p.startsWith(u'/'))
        p.remove(0, 1);
    if (p.isEmpty() || !FtpVeiligeTekst(p)) return 0;
    Opdracht o;
    o.soort = Opdracht::Soort::Grootte;
    o.urlPad = FtpUrlPad(u'/' + p);
    const Uitkomst u = voer(o);
    return u.ok() && u.lengte > 0 ? u.lengte : 0;
}

} // namespace Vamox
