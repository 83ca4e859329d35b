#include "ftp/FtpSession.h"
#include "panes/LokaleMap.h"
#include "support/FtpTestServer.h"
#include "support/Proefserver.h"
#include "support/Vragen.h"
#include "vergelijken/Tijdverschil.h"
#include "vergelijken/Vergelijken.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

// A local folder against the same folder on each kind of server, as the listings give it:
// seconds in UTC (MLSD), minutes of the server's clock for recent files and only the day for old
// ones (LIST, SFTP's "ls -l" lines), measured against the local clock.

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::Proefserver;
using Vamox::Test::Serversoort;

namespace {

// The local zone for the length of a test: TZ as POSIX writes it.
class Zone final
{
public:
    explicit Zone(const QByteArray& tz) : m_had(qEnvironmentVariableIsSet("TZ")), m_oud(qgetenv("TZ"))
    {
        qputenv("TZ", tz);
        tzset();
    }
    ~Zone()
    {
        if (m_had)
            qputenv("TZ", m_oud);
        else
            qunsetenv("TZ");
        tzset();
    }
    Q_DISABLE_COPY_MOVE(Zone)

private:
    bool m_had;
    QByteArray m_oud;
};

// The server's test folder as a listing names it.
QString Map(const Proefserver& server)
{
    return server.Root() + u'/';
}

void LokaalSchrijven(const QTemporaryDir& map, const QString& naam, const QByteArray& inhoud,
                     const QDateTime& tijd)
{
    QFile f(map.filePath(naam));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhoud);
    // Written out before the time is set, or closing would set it anew.
    ASSERT_TRUE(f.flush());
    ASSERT_TRUE(f.setFileTime(tijd, QFileDevice::FileModificationTime));
}

std::vector<Vergelijkbaar> Vergelijkbaren(const std::vector<FtpEntry>& entries, const Serverklok& klok)
{
    std::vector<Vergelijkbaar> uit;
    for (const FtpEntry& e : entries)
        uit.push_back(VergelijkbaarVan(e, klok));
    return uit;
}

std::vector<FtpEntry> Lokaal(const QTemporaryDir& map)
{
    const std::optional<Mapinhoud> inhoud = LokaleMapLezen(map.path() + u'/');
    std::vector<FtpEntry> uit;
    if (!inhoud) return uit;
    uit = inhoud->mappen;
    uit.insert(uit.end(), inhoud->bestanden.begin(), inhoud->bestanden.end());
    return uit;
}

// The server's clock as the window measures it: the server's own time of a listed file against
// the minute its LIST line shows.
std::optional<Serverklok> Meten(FtpSession& sessie, const QString& map, const std::vector<FtpEntry>& lijst,
                                const QString& eerste, const QString& tweede = {})
{
    const auto meting = [&](const QString& naam) -> std::optional<Klokmeting> {
        for (const FtpEntry& e : lijst)
            if (e.naam == naam) return Klokmeting{e, sessie.FtpBestandTijd(map + naam)};
        return std::nullopt;
    };
    const std::optional<Klokmeting> a = meting(eerste);
    if (!a) return std::nullopt;
    return KlokMeten(*a, tweede.isEmpty() ? std::nullopt : meting(tweede));
}

using S = Stand;

// A file (or folder, ending in "/") on either side or both, and how each side stands: for a listing
// to the second (MLSD) and to the minute or day (LIST, SFTP), then by size alone.
struct Rij
{
    const char* naam;
    qint64 serverS; // seconds after the base time; < 0: not on the server
    qint64 lokaalS; // < 0: not here
    int serverGrootte, lokaalGrootte;
    S lokaalSec, serverSec, lokaalMin, serverMin, lokaalGrootteAlleen;
};

constexpr qint64 Geen = -1;
constexpr qint64 Uur = 3600;
constexpr qint64 Oud = 1'000'000'000; // marks a time two years back (day precision in LIST)

const Rij Rijen[] = {
    {"alleen-lokaal.txt", Geen, 0, 0, 3, S::AlleenHier, S::Onbekend, S::AlleenHier, S::Onbekend,
     S::AlleenHier},
    {"alleen-server.txt", 0, Geen, 3, 0, S::Onbekend, S::AlleenHier, S::Onbekend, S::AlleenHier, S::Onbekend},
    {"lokaal-nieuwer.txt", 0, Uur, 4, 4, S::Nieuwer, S::Ouder, S::Nieuwer, S::Ouder, S::Gelijk},
    {"server-nieuwer.txt", Uur, 0, 4, 4, S::Ouder, S::Nieuwer, S::Ouder, S::Nieuwer, S::Gelijk},
    {"grootte.txt", 0, 0, 5, 6, S::AndereGrootte, S::AndereGrootte, S::AndereGrootte, S::AndereGrootte,
     S::AndereGrootte},
    {"gelijk.txt", 0, 0, 7, 7, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk},
    {".verborgen", 0, 0, 2, 2, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk},
    // The base time is 10 seconds into its minute: 40 seconds on is the same minute of a LIST line.
    {"binnen-de-minuut.txt", 0, 40, 2, 2, S::Nieuwer, S::Ouder, S::Gelijk, S::Gelijk, S::Gelijk},
    {"twee-seconden.txt", 0, 2, 2, 2, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk},
    {"drie-seconden.txt", 3, 0, 2, 2, S::Ouder, S::Nieuwer, S::Gelijk, S::Gelijk, S::Gelijk},
    {"oud-zelfde-dag.txt", Oud, Oud + 6 * Uur, 2, 2, S::Nieuwer, S::Ouder, S::Gelijk, S::Gelijk, S::Gelijk},
    {"oud-dag-later.txt", Oud, Oud + 24 * Uur, 2, 2, S::Nieuwer, S::Ouder, S::Nieuwer, S::Ouder, S::Gelijk},
    {"map-beide/", 0, 0, 0, 0, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk, S::Gelijk},
    {"map-lokaal/", Geen, 0, 0, 0, S::AlleenHier, S::Onbekend, S::AlleenHier, S::Onbekend, S::AlleenHier},
    {"map-server/", 0, Geen, 0, 0, S::Onbekend, S::AlleenHier, S::Onbekend, S::AlleenHier, S::Onbekend},
};

class ServerVergelijken : public ::testing::TestWithParam<Serversoort>
{
};

// Every kind of difference both ways, the precision rules and hidden files, against each kind of
// server. The local clock runs an hour ahead of UTC: the FTP servers list in UTC (their LIST
// clock is measured), sshd in the local zone it was started in.
TEST_P(ServerVergelijken, ElkeSoortVerschilBeideKanten)
{
    const Zone zone("<+01>-1");
    FtpSession sessie;
    Proefserver server(GetParam());
    const QString fout = server.Starten(sessie);
    if (fout.startsWith(QLatin1String("skip"))) GTEST_SKIP() << fout.toStdString();
    ASSERT_TRUE(fout.isEmpty()) << fout.toStdString();
    QTemporaryDir lokaal;

    // Three days back, ten seconds into a minute, in the middle of a local day; the old times two
    // years back, also mid-day.
    QDateTime basis = QDateTime::currentDateTime().addDays(-3);
    basis.setTime(QTime(12, 30, 10));
    QDateTime oud = basis.addYears(-2);
    oud.setTime(QTime(9, 0, 0));
    const auto tijd = [&](qint64 s) { return s >= Oud ? oud.addSecs(s - Oud) : basis.addSecs(s); };
    for (const Rij& r : Rijen) {
        const QString naam = QString::fromUtf8(r.naam);
        if (naam.endsWith(u'/')) {
            if (r.serverS != Geen) server.MaakMap(naam.chopped(1));
            if (r.lokaalS != Geen) {
                ASSERT_TRUE(QDir(lokaal.path()).mkdir(naam.chopped(1)));
            }
            continue;
        }
        if (r.serverS != Geen) server.Schrijf(naam, QByteArray(r.serverGrootte, 's'), tijd(r.serverS));
        if (r.lokaalS != Geen)
            LokaalSchrijven(lokaal, naam, QByteArray(r.lokaalGrootte, 'l'), tijd(r.lokaalS));
    }
    // A folder here is no file there.
    server.Schrijf(QStringLiteral("map-of-bestand"), "x", basis);
    ASSERT_TRUE(QDir(lokaal.path()).mkdir(QStringLiteral("map-of-bestand")));

    const std::optional<std::vector<FtpEntry>> lijst = sessie.FtpMapLezen(Map(server));
    ASSERT_TRUE(lijst) << sessie.laatsteFout().toStdString();
    // MLSD and SFTP give the protocol's own time: seconds, UTC.
    const bool seconden = GetParam() == Serversoort::Mlsd || GetParam() == Serversoort::Sftp;
    Serverklok klok;
    if (!seconden) {
        const std::optional<Serverklok> gemeten =
            Meten(sessie, Map(server), *lijst, QStringLiteral("gelijk.txt"));
        ASSERT_TRUE(gemeten) << sessie.laatsteFout().toStdString();
        const Serverklok verwacht{GetParam() == Serversoort::Sftp ? 0 : -3600, false};
        EXPECT_EQ(*gemeten, verwacht) << gemeten->verschilS;
        klok = *gemeten;
    }

    for (const Criterium criterium : {Criterium::TijdEnGrootte, Criterium::AlleenGrootte}) {
        const Uitslag u =
            Vergelijken(Vergelijkbaren(Lokaal(lokaal), klok), Vergelijkbaren(*lijst, klok), criterium);
        for (const Rij& r : Rijen) {
            QString naam = QString::fromUtf8(r.naam);
            if (naam.endsWith(u'/')) naam.chop(1);
            SCOPED_TRACE(naam.toStdString() + (criterium == Criterium::AlleenGrootte ? " (grootte)" : ""));
            const S lokaalStand = criterium == Criterium::AlleenGrootte ? r.lokaalGrootteAlleen
                                  : seconden                            ? r.lokaalSec
                                                                        : r.lokaalMin;
            const S serverStand = criterium == Criterium::AlleenGrootte
                                      ? (r.serverS == Geen   ? S::Onbekend
                                         : r.lokaalS == Geen ? S::AlleenHier
                                                             : r.lokaalGrootteAlleen)
                                  : seconden ? r.serverSec
                                             : r.serverMin;
            EXPECT_EQ(u.lokaal.value(naam, S::Onbekend), lokaalStand);
            EXPECT_EQ(u.server.value(naam, S::Onbekend), serverStand);
        }
        EXPECT_EQ(u.lokaal.value(QStringLiteral("map-of-bestand")), S::AlleenHier);
        EXPECT_EQ(u.server.value(QStringLiteral("map-of-bestand")), S::AlleenHier);
        EXPECT_FALSE(u.lokaal.contains(OuderMap));
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerVergelijken,
                         ::testing::Values(Serversoort::Mlsd, Serversoort::List, Serversoort::Vsftpd,
                                           Serversoort::Sftp),
                         [](const auto& info) {
                             std::string n = Vamox::Test::SoortNaam(info.param);
                             std::erase(n, '-');
                             return n;
                         });

// A server whose LIST lines show a clock two hours ahead (MDTM keeps to UTC): without an offset
// its files are newer and on other days; with the offset given or measured they are the same.
TEST(TijdverschilServer, TweeUurVoorMetEnZonderVerschil)
{
    const Zone zone("UTC0");
    FtpSession sessie;
    Proefserver server(Serversoort::List, FtpServerOpties{.lijstZoneMinuten = 120});
    ASSERT_EQ(server.Starten(sessie), QString());
    QTemporaryDir lokaal;
    QDateTime recent = QDateTime::currentDateTimeUtc().addDays(-2);
    recent.setTime(QTime(10, 15, 20));
    // 23:00 UTC is 01:00 the next day on the server's clock.
    QDateTime laat = QDateTime::currentDateTimeUtc().addYears(-2);
    laat.setTime(QTime(23, 0, 0));
    for (const auto& [naam, tijd] :
         {std::pair{"recent.txt", recent}, std::pair{"laat-op-de-dag.txt", laat}}) {
        server.Schrijf(QString::fromUtf8(naam), "zelfde", tijd);
        LokaalSchrijven(lokaal, QString::fromUtf8(naam), "zelfde", tijd);
    }
    const std::optional<std::vector<FtpEntry>> lijst = sessie.FtpMapLezen(Map(server));
    ASSERT_TRUE(lijst);
    const std::optional<Serverklok> gemeten =
        Meten(sessie, Map(server), *lijst, QStringLiteral("recent.txt"));
    ASSERT_TRUE(gemeten);
    EXPECT_EQ(*gemeten, (Serverklok{7200, false}));

    const struct
    {
        const char* geval;
        Serverklok klok;
        S server;
    } gevallen[] = {
        {"zonder", {}, S::Nieuwer},
        {"opgegeven +2:00", {*TijdverschilLezen(QStringLiteral("+2:00")), false}, S::Gelijk},
        {"gemeten", *gemeten, S::Gelijk},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.geval);
        const Uitslag u = Vergelijken(Vergelijkbaren(Lokaal(lokaal), g.klok), Vergelijkbaren(*lijst, g.klok),
                                      Criterium::TijdEnGrootte);
        for (const char* naam : {"recent.txt", "laat-op-de-dag.txt"}) {
            SCOPED_TRACE(naam);
            EXPECT_EQ(u.server.value(QString::fromUtf8(naam)), g.server);
        }
    }
}

// The local zone's summer time as POSIX writes it, lasting from `van` to `tot` days of the year (1-365).
QByteArray ZomertijdTussen(int van, int tot)
{
    return QByteArray("<+01>-1<+02>,J") + QByteArray::number(van) + "/0,J" + QByteArray::number(tot) + "/0";
}

int JaarDag(const QDate& d)
{
    // Jn counts without 29 February.
    const int dag = d.dayOfYear();
    return QDate::isLeapYear(d.year()) && d.month() > 2 ? dag - 1 : dag;
}

// A server kept on UTC, seen from a zone with summer time: a file of three months back lies in
// the other season. One measurement gives the offset of now, which puts that file an hour off; a
// second one of that file tells the server keeps to UTC, and both files are the same.
TEST(TijdverschilServer, OpUtcTegenZomertijd)
{
    if (!Vamox::Test::VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and the package";
    // Summer time around the day of three months back, whatever today is.
    const QDate vandaag = QDate::currentDate();
    int midden = JaarDag(vandaag.addDays(-90));
    if (midden < 12 || midden > 353) midden = JaarDag(vandaag);
    const Zone zone(ZomertijdTussen(midden - 10, midden + 10));

    FtpSession sessie;
    Proefserver server(Serversoort::Vsftpd);
    ASSERT_EQ(server.Starten(sessie), QString());
    QTemporaryDir lokaal;
    QDateTime nu = QDateTime::currentDateTime().addDays(-1);
    nu.setTime(QTime(12, 0, 5));
    QDateTime toen = QDateTime::currentDateTime().addDays(-90);
    toen.setTime(QTime(12, 0, 5));
    ASSERT_NE(nu.offsetFromUtc(), toen.offsetFromUtc());
    for (const auto& [naam, tijd] : {std::pair{"nu.txt", nu}, std::pair{"toen.txt", toen}}) {
        server.Schrijf(QString::fromUtf8(naam), "zelfde", tijd);
        LokaalSchrijven(lokaal, QString::fromUtf8(naam), "zelfde", tijd);
    }
    const std::optional<std::vector<FtpEntry>> lijst = sessie.FtpMapLezen(Map(server));
    ASSERT_TRUE(lijst);
    const std::optional<Serverklok> een = Meten(sessie, Map(server), *lijst, QStringLiteral("nu.txt"));
    const std::optional<Serverklok> twee =
        Meten(sessie, Map(server), *lijst, QStringLiteral("nu.txt"), QStringLiteral("toen.txt"));
    ASSERT_TRUE(een && twee);
    EXPECT_EQ(*een, (Serverklok{-nu.offsetFromUtc(), false}));
    EXPECT_EQ(*twee, (Serverklok{0, true}));
    for (const auto& [klok, gelijk] : {std::pair{*een, false}, std::pair{*twee, true}}) {
        SCOPED_TRACE(KlokTekst(klok).toStdString());
        const Uitslag u = Vergelijken(Vergelijkbaren(Lokaal(lokaal), klok), Vergelijkbaren(*lijst, klok),
                                      Criterium::TijdEnGrootte);
        EXPECT_EQ(u.lokaal.value(QStringLiteral("nu.txt")), S::Gelijk);
        const S toenLokaal = u.lokaal.value(QStringLiteral("toen.txt"));
        if (gelijk) {
            EXPECT_EQ(toenLokaal, S::Gelijk);
        } else {
            EXPECT_TRUE(toenLokaal == S::Nieuwer || toenLokaal == S::Ouder) << int(toenLokaal);
        }
    }
}

// The offset field's text: what is taken, and what is refused.
TEST(Tijdverschil, VeldTekst)
{
    const struct
    {
        const char* tekst;
        std::optional<int> seconden;
        bool geldig;
        const char* terug;
    } gevallen[] = {
        {"", std::nullopt, true, ""},
        {"  ", std::nullopt, true, ""},
        {"+2", 7200, true, "+2:00"},
        {"-1:30", -5400, true, "-1:30"},
        {"0:45", 2700, true, "+0:45"},
        {"14:00", 50400, true, "+14:00"},
        {"0", 0, true, "0:00"},
        {"14:01", std::nullopt, false, ""},
        {"2:60", std::nullopt, false, ""},
        {"2:5", std::nullopt, false, ""},
        {"twee", std::nullopt, false, ""},
        {"+-2", std::nullopt, false, ""},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.tekst);
        bool geldig = false;
        EXPECT_EQ(TijdverschilLezen(QString::fromUtf8(g.tekst), &geldig), g.seconden);
        EXPECT_EQ(geldig, g.geldig);
        if (g.seconden) {
            EXPECT_EQ(TijdverschilTekst(*g.seconden), QString::fromUtf8(g.terug));
        }
    }
}

} // namespace
