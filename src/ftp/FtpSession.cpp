#include "ftp/FtpSession.h"

#include "ftp/CurlWerker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <chrono>
#include <filesystem>

namespace Vamox {

// One operation as curl performs it.
struct FtpSession::Opdracht
{
    enum class Soort { Login, Lijst, Halen, Plaatsen, Quote, Grootte };
    Soort soort = Soort::Quote;
    QByteArray urlPad;       // after "ftp://host:port/"
    QByteArray lijstCommando; // "MLSD", or empty for LIST
    QStringList quotes;
    QString lokaalPad;
};

struct FtpSession::Uitkomst
{
    bool geweigerd = false;  // another operation was running; nothing was sent
    CURLcode code = CURLE_OK;
    long antwoord = 0;       // last reply code of the server
    QList<int> antwoorden;   // every final reply code, in order
    QByteArray kopregels;    // every reply line, for FEAT
    QByteArray data;         // listing body
    qint64 lengte = -1;      // size the server announced (SIZE), -1 unknown
    qint64 overgedragen = 0; // payload bytes moved
    bool ok() const { return !geweigerd && code == CURLE_OK; }
};

namespace {

constexpr long kEenJaar = 365L * 24 * 3600;

struct Voortgang
{
    FtpSession* sessie = nullptr;
    std::atomic<bool>* afbreken = nullptr;
    std::chrono::steady_clock::time_point laatst{};
};

size_t Weggooien(char*, size_t grootte, size_t n, void*)
{
    return grootte * n;
}

size_t SchrijfNaarBuffer(char* data, size_t grootte, size_t n, void* buffer)
{
    static_cast<QByteArray*>(buffer)->append(data, qsizetype(grootte * n));
    return grootte * n;
}

// A download is received under a temporary name beside the target, which only a complete file
// replaces: a broken transfer leaves the old file as it was. Unlike QSaveFile there is no sync
// to disk before the rename (it guards against a broken connection, not a power cut, and
// syncing a large file costs seconds), and a target that is a link is replaced, not followed.
class Ontvangst final
{
public:
    explicit Ontvangst(const QString& doel) : m_doel(doel) {}
    ~Ontvangst() { weg(); }
    Q_DISABLE_COPY_MOVE(Ontvangst)

    bool open()
    {
        const QString map = QFileInfo(m_doel).absolutePath();
        for (int poging = 0; poging < 16; ++poging) {
            m_bestand.setFileName(map + QStringLiteral("/.vamox-") +
                                  QString::number(QRandomGenerator::global()->generate64(), 36) +
                                  QStringLiteral(".part"));
            if (m_bestand.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
                return true;
            if (!m_bestand.exists())
                break;
        }
        m_bestand.setFileName(QString()); // not ours: never removed
        return false;
    }
    bool schrijf(const char* data, qint64 lengte) { return m_bestand.write(data, lengte) == lengte; }
    bool vastleggen()
    {
        m_bestand.close();
        if (m_bestand.error() != QFileDevice::NoError)
            return false;
        const QFileInfo oud(m_doel);
        if (oud.exists() && !oud.isSymLink())
            m_bestand.setPermissions(oud.permissions());
        std::error_code fout;
        std::filesystem::rename(m_bestand.filesystemFileName(), oud.filesystemAbsoluteFilePath(), fout);
        m_vastgelegd = !fout;
        return m_vastgelegd;
    }
    void weg()
    {
        if (m_vastgelegd || m_bestand.fileName().isEmpty())
            return;
        m_bestand.close();
        m_bestand.remove();
        m_bestand.setFileName(QString());
    }

private:
    QString m_doel;
    QFile m_bestand;
    bool m_vastgelegd = false;
};

size_t SchrijfNaarBestand(char* data, size_t grootte, size_t n, void* bestand)
{
    return static_cast<Ontvangst*>(bestand)->schrijf(data, qint64(grootte * n)) ? grootte * n : 0;
}

size_t LeesUitBestand(char* data, size_t grootte, size_t n, void* bestand)
{
    const qint64 gelezen = static_cast<QFile*>(bestand)->read(data, qint64(grootte * n));
    return gelezen < 0 ? CURL_READFUNC_ABORT : size_t(gelezen);
}

int MeldVoortgang(void* p, curl_off_t dlTotaal, curl_off_t dlNu, curl_off_t ulTotaal, curl_off_t ulNu)
{
    auto* v = static_cast<Voortgang*>(p);
    if (v->afbreken->load())
        return 1;
    const auto nu = std::chrono::steady_clock::now();
    if (nu - v->laatst < std::chrono::milliseconds(100))
        return 0;
    v->laatst = nu;
    const qint64 gedaan = ulTotaal > 0 ? ulNu : dlNu;
    const qint64 totaal = ulTotaal > 0 ? ulTotaal : dlTotaal;
    FtpSession* sessie = v->sessie;
    QMetaObject::invokeMethod(
        sessie, [sessie, gedaan, totaal] { Q_EMIT sessie->voortgang(gedaan, totaal); }, Qt::QueuedConnection);
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

} // namespace

FtpSession::FtpSession(QObject* parent) : QObject(parent), m_werker(std::make_unique<CurlWerker>()) {}

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
    Q_EMIT bezigGewijzigd(true);
    Uitkomst u = voerEens(opdracht);
    if (!u.ok() && u.overgedragen == 0 && VerbindingVerloren(u.code, u.antwoord) && !m_werker->afbreken)
        u = voerEens(opdracht);
    m_bezig = false;
    Q_EMIT bezigGewijzigd(false);
    return u;
}

FtpSession::Uitkomst FtpSession::voerEens(const Opdracht& opdracht)
{
    Uitkomst u;
    const QByteArray hostDeel = host.contains(u':') ? '[' + host.toUtf8() + ']' : host.toUtf8();
    const QByteArray url = "ftp://" + hostDeel + ':' + QByteArray::number(poort) + '/' + opdracht.urlPad;
    const QByteArray gebruikerU = gebruiker.toUtf8();
    const QByteArray wachtwoordU = wachtwoord.toUtf8();
    std::vector<QByteArray> quoteTeksten;
    for (const QString& q : opdracht.quotes)
        quoteTeksten.push_back(q.toUtf8());

    m_werker->voerUit([&] {
        CURL* e = m_werker->easy();
        curl_easy_reset(e);
        curl_easy_setopt(e, CURLOPT_URL, url.constData());
        if (!gebruikerU.isEmpty()) {
            curl_easy_setopt(e, CURLOPT_USERNAME, gebruikerU.constData());
            curl_easy_setopt(e, CURLOPT_PASSWORD, wachtwoordU.constData());
        }
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
        curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, long(tijden.verbindenS));
        curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(tijden.antwoordS));
        curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, long(tijden.stilstandS));
        curl_easy_setopt(e, CURLOPT_MAXAGE_CONN, kEenJaar);
        curl_easy_setopt(e, CURLOPT_TCP_NODELAY, 1L);
        curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &SchrijfNaarBuffer);
        curl_easy_setopt(e, CURLOPT_HEADERDATA, &u.kopregels);

        Voortgang voortgang{this, &m_werker->afbreken, {}};
        curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &MeldVoortgang);
        curl_easy_setopt(e, CURLOPT_XFERINFODATA, &voortgang);

        curl_slist* quotes = nullptr;
        for (const QByteArray& q : quoteTeksten)
            quotes = curl_slist_append(quotes, q.constData());
        if (quotes)
            curl_easy_setopt(e, CURLOPT_QUOTE, quotes);

        std::unique_ptr<Ontvangst> doel;
        std::unique_ptr<QFile> bron;
        using S = Opdracht::Soort;
        switch (opdracht.soort) {
        case S::Login:
        case S::Quote:
        case S::Grootte:
            curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
            // curl hands what it learnt of a file (SIZE, REST) to the body writer as well,
            // which would otherwise be stdout.
            curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Weggooien);
            break;
        case S::Lijst:
            if (!opdracht.lijstCommando.isEmpty())
                curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, opdracht.lijstCommando.constData());
            curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &SchrijfNaarBuffer);
            curl_easy_setopt(e, CURLOPT_WRITEDATA, &u.data);
            break;
        case S::Halen:
            doel = std::make_unique<Ontvangst>(opdracht.lokaalPad);
            if (!doel->open()) {
                u.code = CURLE_WRITE_ERROR;
                curl_slist_free_all(quotes);
                return;
            }
            curl_easy_setopt(e, CURLOPT_BUFFERSIZE, 512L * 1024);
            curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &SchrijfNaarBestand);
            curl_easy_setopt(e, CURLOPT_WRITEDATA, doel.get());
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
        curl_easy_setopt(e, CURLOPT_QUOTE, nullptr);
        curl_slist_free_all(quotes);

        if (doel) {
            // Only a complete file replaces the old one: a short transfer is thrown away.
            if (u.code == CURLE_OK && lengte >= 0 && omlaag != lengte)
                u.code = CURLE_PARTIAL_FILE;
            if (u.code == CURLE_OK && !doel->vastleggen())
                u.code = CURLE_WRITE_ERROR;
            if (u.code != CURLE_OK)
                doel->weg();
        }
        if (u.code != CURLE_OK && (u.code == CURLE_COULDNT_CONNECT || u.code == CURLE_LOGIN_DENIED ||
                                   u.code == CURLE_COULDNT_RESOLVE_HOST))
            m_werker->sluitVerbindingen();
    });

    // Final reply lines are "nnn text"; continuation lines have "-" or a space after the code.
    for (const QByteArray& regel : u.kopregels.split('\n')) {
        if (regel.size() >= 4 && regel.at(3) == ' ') {
            bool ok = false;
            const int code = regel.left(3).toInt(&ok);
            if (ok)
                u.antwoorden.push_back(code);
        }
    }
    return u;
}

bool FtpSession::FtpVerbindingOpenen(const QString& h, const QString& g, const QString& w, const QString&)
{
    host = h;
    gebruiker = g;
    wachtwoord = w;
    m_internetHandle = true;
    m_werker->afbreken = false;
    Opdracht login;
    login.soort = Opdracht::Soort::Login;
    login.quotes = {QStringLiteral("*FEAT")};
    const Uitkomst u = voer(login);
    m_verbindingsHandle = u.ok();
    if (!m_verbindingsHandle)
        return false;
    m_mlsd = false;
    bool utf8 = false;
    for (QByteArray regel : u.kopregels.split('\n')) {
        regel = regel.trimmed().toUpper();
        if (regel.startsWith("MLST"))
            m_mlsd = true;
        if (regel == "UTF8")
            utf8 = true;
    }
    if (utf8)
        quote({QStringLiteral("*OPTS UTF8 ON")}, 200, 299);
    return true;
}

void FtpSession::FtpVerbindingSluiten()
{
    m_verbindingsHandle = false;
    if (m_bezig)
        return;
    m_werker->voerUit([this] { m_werker->sluitVerbindingen(); });
}

bool FtpSession::FtpVerbinden(bool toonFout)
{
    if (zandloper)
        zandloper(true);
    const bool gelukt = FtpVerbindingOpenen(host, gebruiker, wachtwoord, QStringLiteral("Vamox"));
    if (!gelukt && toonFout) {
        // The pointer stays busy: the caller restores it.
        if (bijMislukteVerbinding)
            bijMislukteVerbinding();
        return false;
    }
    if (zandloper)
        zandloper(false);
    return true;
}

bool FtpSession::lijst(const QString& mapPad, std::vector<FtpEntry>& uit)
{
    uit.clear();
    if (!m_verbindingsHandle)
        return false;
    // mapPad is "/a/b/" or "//" (the root).
    QString kern = mapPad;
    while (kern.endsWith(u'/'))
        kern.chop(1);
    Opdracht o;
    o.soort = Opdracht::Soort::Lijst;
    o.urlPad = FtpUrlPad(kern.isEmpty() ? QStringLiteral("/") : kern);
    if (!o.urlPad.endsWith('/'))
        o.urlPad += '/';
    if (m_mlsd)
        o.lijstCommando = "MLSD";
    if (!FtpVeiligeTekst(mapPad))
        return false;
    const Uitkomst u = voer(o);
    if (!u.ok())
        return false;
    uit = m_mlsd ? MlsdLezen(u.data) : ListLezen(u.data);
    return true;
}

bool FtpSession::quote(const QStringList& commandos, long verwachtMin, long verwachtMax)
{
    if (!m_verbindingsHandle)
        return false;
    for (const QString& c : commandos)
        if (!FtpVeiligeTekst(c))
            return false;
    Opdracht o;
    o.soort = Opdracht::Soort::Quote;
    o.quotes = commandos;
    const Uitkomst u = voer(o);
    if (!u.ok() || u.antwoorden.size() < commandos.size())
        return false;
    // Every command must have succeeded: a failed RNFR must not count as a rename.
    const qsizetype eerste = u.antwoorden.size() - commandos.size();
    for (qsizetype i = eerste; i < u.antwoorden.size(); ++i) {
        const int code = u.antwoorden.at(i);
        if (i < u.antwoorden.size() - 1 ? code >= 400 : (code < verwachtMin || code > verwachtMax))
            return false;
    }
    return true;
}

bool FtpSession::FtpMapLezen(QStringList& bestanden, QStringList& mappen, const QString& map, QChar scheiding)
{
    bestanden.clear();
    mappen.clear();
    std::vector<FtpEntry> entries;
    if (!lijst(FtpMapNormaliseren(map), entries))
        return false;
    for (const FtpEntry& e : entries) {
        if (e.isMap)
            mappen.push_back(e.naam == QLatin1String("..") ? QStringLiteral(" ..") : e.naam);
        else
            bestanden.push_back(ServerBestandRegel(e, scheiding));
    }
    return true;
}

bool FtpSession::FtpBestandPlaatsen(const QString& lokaalPad, const QString& serverPad)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad))
        return false;
    Opdracht o;
    o.soort = Opdracht::Soort::Plaatsen;
    o.urlPad = FtpUrlPad(pad);
    o.lokaalPad = lokaalPad;
    return voer(o).ok();
}

bool FtpSession::FtpBestandHalen(const QString& lokaalPad, const QString& serverPad)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    bool gelukt = false;
    if (m_verbindingsHandle && FtpVeiligeTekst(pad)) {
        Opdracht o;
        o.soort = Opdracht::Soort::Halen;
        o.urlPad = FtpUrlPad(pad);
        o.lokaalPad = lokaalPad;
        gelukt = voer(o).ok();
    }
    if (escapeIngedrukt && escapeIngedrukt())
        StopGevraagd = true;
    return gelukt;
}

bool FtpSession::FtpBestandWissen(const QString& serverPad)
{
    return quote({QStringLiteral("*DELE ") + FtpPadVoorvoegsel(serverPad)}, 200, 299);
}

bool FtpSession::FtpMapMaken(const QString& serverPad)
{
    return quote({QStringLiteral("*MKD ") + FtpPadVoorvoegsel(serverPad)}, 200, 299);
}

bool FtpSession::FtpMapWissen(const QString& serverPad)
{
    return quote({QStringLiteral("*RMD ") + FtpPadVoorvoegsel(serverPad)}, 200, 299);
}

bool FtpSession::FtpNaamWijzigen(const QString& oudPad, const QString& nieuwPad)
{
    return quote({QStringLiteral("*RNFR ") + FtpPadVoorvoegsel(oudPad),
                  QStringLiteral("*RNTO ") + FtpPadVoorvoegsel(nieuwPad)},
                 200, 299);
}

bool FtpSession::ServerpadBestaat(const QString& pad, bool isMap)
{
    if (!m_verbindingsHandle)
        return false;
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
    if (!lijst(ouder == QLatin1String("/") ? QStringLiteral("//") : ouder, entries))
        return false;
    if (naam.isEmpty())
        return true;
    for (const FtpEntry& e : entries)
        if (e.isMap == isMap && e.naam == naam)
            return true;
    return false;
}

bool FtpSession::FtpVerbindingActief()
{
    if (!m_verbindingsHandle || m_bezig)
        return m_verbindingsHandle && m_bezig;
    return quote({QStringLiteral("NOOP")}, 200, 299);
}

qint64 FtpSession::FtpMapPeilen(const QString& pad)
{
    if (!m_verbindingsHandle)
        return 0;
    QString p = SpatiesWeg(pad);
    while (p.endsWith(u'/'))
        p.chop(1);
    while (p.startsWith(u'/'))
        p.remove(0, 1);
    if (p.isEmpty() || !FtpVeiligeTekst(p))
        return 0;
    Opdracht o;
    o.soort = Opdracht::Soort::Grootte;
    o.urlPad = FtpUrlPad(u'/' + p);
    const Uitkomst u = voer(o);
    return u.ok() && u.lengte > 0 ? u.lengte : 0;
}

void FtpSession::FtpBoomLezen(QStringList& alleMappen, QStringList& alleBestanden, const QString& start,
                              qint64& totaal)
{
    m_mislukteBoomlijsten = 0;
    boom(alleMappen, alleBestanden, start, totaal, 0);
}

void FtpSession::boom(QStringList& alleMappen, QStringList& alleBestanden, const QString& start,
                      qint64& totaal, int diepte)
{
    // A server may list a folder as its own child (".", or a link loop): stop somewhere.
    constexpr int kMaxDiepte = 64;
    QStringList bestanden;
    QStringList mappen;
    if (!FtpMapLezen(bestanden, mappen, start)) {
        ++m_mislukteBoomlijsten;
        return;
    }
    QStringList nieuw;
    for (const QString& naam : std::as_const(mappen)) {
        const QString kaal = SpatiesWeg(naam);
        if (kaal == QLatin1String(".") || kaal == QLatin1String(".."))
            continue;
        QString pad = start + u'/' + naam;
        pad.replace(QLatin1String("//"), QLatin1String("/"));
        alleMappen.push_back(pad);
        nieuw.push_back(pad);
    }
    for (const QString& regel : std::as_const(bestanden)) {
        const QStringList velden = regel.split(Scheidingsteken);
        totaal += velden.value(2).toLongLong();
        QString pad = start + u'/' + velden.value(0);
        pad.replace(QLatin1String("//"), QLatin1String("/"));
        alleBestanden.push_back(pad);
    }
    if (diepte >= kMaxDiepte)
        return;
    for (const QString& map : std::as_const(nieuw))
        boom(alleMappen, alleBestanden, map, totaal, diepte + 1);
}

bool FtpSession::ServermapLezen(const QString& pad)
{
    const bool gelukt = FtpMapLezen(ServerBestanden, ServerMappen, pad);
    if (!ServerMappen.isEmpty()) {
        HuidigeServermap = SpatiesWeg(pad);
        QString geen;
        MappenBijwerken(geen, HuidigeServermap);
    }
    if (!SpatiesWeg(QString(pad).remove(u'/')).isEmpty()) {
        bool heeftOuder = false;
        for (const QString& m : std::as_const(ServerMappen))
            heeftOuder = heeftOuder || SpatiesWeg(m) == QLatin1String("..");
        if (!heeftOuder)
            ServerMappen.push_back(QStringLiteral(" .."));
    }
    TabelSorteren(ServerMappen, true);
    TabelSorteren(ServerBestanden, true);
    return gelukt;
}

} // namespace Vamox
