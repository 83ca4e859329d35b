#include "support/Vragen.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::FtpTestServer;

namespace {

// A session logged in to a fresh pyftpdlib server.
class SessieTest : public ::testing::Test
{
protected:
    void SetUp() override { SetUpMet({}); }

    void SetUpMet(FtpServerOpties opties)
    {
        server = std::make_unique<FtpTestServer>(std::move(opties));
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server->gegevens()));
    }

    QString lokaal(const QString& naam) const { return tmp.filePath(naam); }

    static QByteArray leesBestand(const QString& pad)
    {
        QFile f(pad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
    }
    static void schrijfBestand(const QString& pad, const QByteArray& inhoud)
    {
        QFile f(pad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhoud);
    }
    static QStringList namen(const std::vector<FtpEntry>& entries)
    {
        QStringList uit;
        for (const FtpEntry& e : entries)
            uit << e.naam;
        return uit;
    }
    // The folder as a pane shows it; empty when the listing failed.
    Mapinhoud lees(const QString& map)
    {
        std::optional<Mapinhoud> inhoud = sessie.ServermapLezen(map);
        EXPECT_TRUE(inhoud.has_value()) << map.toStdString();
        return inhoud.value_or(Mapinhoud{});
    }

    std::unique_ptr<FtpTestServer> server;
    FtpSession sessie;
    QTemporaryDir tmp;
};

TEST_F(SessieTest, ListsFoldersAndFileLinesSorted)
{
    server->maakMap(QStringLiteral("sub"));
    server->maakMap(QStringLiteral("Alfa"));
    server->schrijf(QStringLiteral("b.txt"), "12345");
    server->schrijf(QStringLiteral("A b.TXT"), "");
    const Mapinhoud inhoud = lees(QStringLiteral("/"));
    EXPECT_EQ(namen(inhoud.mappen), (QStringList{QStringLiteral("Alfa"), QStringLiteral("sub")}));
    EXPECT_EQ(namen(inhoud.bestanden), (QStringList{QStringLiteral("A b.TXT"), QStringLiteral("b.txt")}));
    const FtpEntry& b = inhoud.bestanden.at(1);
    EXPECT_EQ(b.grootte, 5);
    EXPECT_EQ(b.jaar, QDate::currentDate().year());
}

// The login asks a server offering more facts for only those a listing reads (the permissions among
// them); the listing still gives kinds, sizes and dates.
TEST_F(SessieTest, ListingsAskOnlyTheFactsTheyRead)
{
    server.reset();
    SetUpMet({.commandoLog = true});
    server->maakMap(QStringLiteral("sub"));
    server->schrijf(QStringLiteral("b.txt"), "12345");
    const Mapinhoud inhoud = lees(QStringLiteral("/"));
    EXPECT_TRUE(server->ontvangen().contains(QStringLiteral("OPTS MLST type;size;modify;unix.mode;")));
    EXPECT_EQ(namen(inhoud.mappen), QStringList{QStringLiteral("sub")});
    ASSERT_EQ(inhoud.bestanden.size(), 1u);
    EXPECT_EQ(inhoud.bestanden[0].grootte, 5);
    EXPECT_EQ(inhoud.bestanden[0].jaar, QDate::currentDate().year());
}

TEST_F(SessieTest, ParentRowAddedOnceOutsideTheRoot)
{
    server->maakMap(QStringLiteral("a/b"));
    EXPECT_EQ(namen(lees(QStringLiteral("/a")).mappen),
              (QStringList{QStringLiteral(" .."), QStringLiteral("b")}));
    EXPECT_EQ(namen(lees(QStringLiteral("/")).mappen), QStringList{QStringLiteral("a")});
}

TEST_F(SessieTest, FolderPathsAreNormalisedWhateverTheirSlashes)
{
    server->maakMap(QStringLiteral("a/x"));
    for (const QString& pad :
         {QStringLiteral("a"), QStringLiteral("/a/"), QStringLiteral(" a// "), QStringLiteral("//a")}) {
        const std::optional<std::vector<FtpEntry>> entries = sessie.FtpMapLezen(pad);
        ASSERT_TRUE(entries) << pad.toStdString();
        EXPECT_EQ(namen(*entries), QStringList{QStringLiteral("x")}) << pad.toStdString();
    }
    EXPECT_EQ(FtpMapNormaliseren(QStringLiteral("/")), QStringLiteral("//"));
    EXPECT_EQ(FtpMapNormaliseren(QString()), QStringLiteral("//"));
    EXPECT_EQ(FtpMapNormaliseren(QStringLiteral("//")), QStringLiteral("//"));
    EXPECT_EQ(FtpMapNormaliseren(QStringLiteral("/a//")), QStringLiteral("/a/"));
}

TEST_F(SessieTest, NamesWithAwkwardCharactersRoundTrip)
{
    const QString naam = QStringLiteral("Één #2 100% ?.txt");
    schrijfBestand(lokaal(QStringLiteral("bron")), "inhoud");
    ASSERT_TRUE(sessie.FtpMapMaken(QStringLiteral("/map met spatie")));
    ASSERT_TRUE(
        sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("bron")), QStringLiteral("/map met spatie/") + naam));
    EXPECT_EQ(server->lees(QStringLiteral("map met spatie/") + naam), "inhoud");
    EXPECT_EQ(namen(lees(QStringLiteral("/map met spatie/")).bestanden), QStringList{naam});
    ASSERT_TRUE(
        sessie.FtpBestandHalen(lokaal(QStringLiteral("terug")), QStringLiteral("/map met spatie/") + naam));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("terug"))), "inhoud");
}

TEST_F(SessieTest, SingleFileOperationsReportTheirOutcome)
{
    schrijfBestand(lokaal(QStringLiteral("bron.bin")), QByteArray(100000, 'x'));
    // The prefix rule: a path without a leading "/" is taken from the root.
    EXPECT_TRUE(sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("bron.bin")), QStringLiteral("doel.bin")));
    EXPECT_EQ(server->lees(QStringLiteral("doel.bin")).size(), 100000);
    EXPECT_FALSE(sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("bestaat-niet")), QStringLiteral("/x.bin")));
    EXPECT_FALSE(
        sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("bron.bin")), QStringLiteral("/geen/map/x.bin")));

    EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("terug.bin")), QStringLiteral("/doel.bin")));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("terug.bin"))), QByteArray(100000, 'x'));
    EXPECT_FALSE(
        sessie.FtpBestandHalen(lokaal(QStringLiteral("niets.bin")), QStringLiteral("/bestaat-niet")));
    EXPECT_FALSE(QFile::exists(lokaal(QStringLiteral("niets.bin"))));

    EXPECT_TRUE(sessie.FtpNaamWijzigen(QStringLiteral("/doel.bin"), QStringLiteral("/nieuw.bin")));
    EXPECT_FALSE(sessie.FtpNaamWijzigen(QStringLiteral("/doel.bin"), QStringLiteral("/ander.bin")));
    EXPECT_TRUE(sessie.FtpBestandWissen(QStringLiteral("nieuw.bin")));
    EXPECT_FALSE(sessie.FtpBestandWissen(QStringLiteral("/nieuw.bin")));

    EXPECT_TRUE(sessie.FtpMapMaken(QStringLiteral("/m")));
    EXPECT_FALSE(sessie.FtpMapMaken(QStringLiteral("/m")));
    server->schrijf(QStringLiteral("m/f"), "1");
    EXPECT_FALSE(sessie.FtpMapWissen(QStringLiteral("/m")));
    EXPECT_TRUE(sessie.FtpBestandWissen(QStringLiteral("/m/f")));
    EXPECT_TRUE(sessie.FtpMapWissen(QStringLiteral("/m/")));
    EXPECT_FALSE(QDir(server->pad(QStringLiteral("m"))).exists());
    // After all these failures the connection still serves.
    EXPECT_TRUE(sessie.FtpVerbindingActief());
}

// A path travels inside a command line: one holding a line break or a NUL would end the command
// early and smuggle in another. Every operation that takes a path refuses it, nothing is sent.
TEST_F(SessieTest, PathsWithLineBreaksOrNulAreRefusedByEveryOperation)
{
    server->schrijf(QStringLiteral("bewaar.txt"), "bewaar");
    server->schrijf(QStringLiteral("bron.txt"), "bron");
    schrijfBestand(lokaal(QStringLiteral("op.txt")), "op");
    const auto opServer = [&] {
        return QDir(server->root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList voor = opServer();
    const std::pair<const char*, std::function<bool(const QString&)>> operaties[] = {
        {"listing", [&](const QString& p) { return sessie.FtpMapLezen(p).has_value(); }},
        {"get", [&](const QString& p) { return sessie.FtpBestandHalen(lokaal(QStringLiteral("neer")), p); }},
        {"put",
         [&](const QString& p) { return sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("op.txt")), p); }},
        {"delete", [&](const QString& p) { return sessie.FtpBestandWissen(p); }},
        {"mkdir", [&](const QString& p) { return sessie.FtpMapMaken(p); }},
        {"rmdir", [&](const QString& p) { return sessie.FtpMapWissen(p); }},
        {"rename from",
         [&](const QString& p) { return sessie.FtpNaamWijzigen(p, QStringLiteral("/ander.txt")); }},
        {"rename to",
         [&](const QString& p) { return sessie.FtpNaamWijzigen(QStringLiteral("/bron.txt"), p); }},
        {"exists", [&](const QString& p) { return sessie.ServerpadBestaat(p, false); }},
        {"size probe", [&](const QString& p) { return sessie.FtpMapPeilen(p) != 0; }},
        {"tree walk", [&](const QString& p) { return sessie.FtpBoomLezen(p).mislukt == 0; }},
    };
    const std::pair<const char*, QString> lokazen[] = {
        {"CR LF", QStringLiteral("/nieuw\r\nDELE /bewaar.txt")},
        {"LF", QStringLiteral("/nieuw\nDELE /bewaar.txt")},
        {"NUL", QStringLiteral("/bron.txt") + QChar(0) + QStringLiteral("x")},
    };
    for (const auto& [soort, lokaas] : lokazen) {
        for (const auto& [naam, operatie] : operaties) {
            SCOPED_TRACE(std::string(naam) + ", " + soort);
            EXPECT_FALSE(operatie(lokaas));
            EXPECT_EQ(opServer(), voor);
            EXPECT_EQ(server->lees(QStringLiteral("bewaar.txt")), "bewaar");
            EXPECT_EQ(server->lees(QStringLiteral("bron.txt")), "bron");
        }
    }
    EXPECT_FALSE(QFile::exists(lokaal(QStringLiteral("neer"))));
    EXPECT_TRUE(sessie.FtpVerbindingActief());
}

TEST_F(SessieTest, DownloadOverwritesAnExistingLocalFile)
{
    server->schrijf(QStringLiteral("f.txt"), "nieuw");
    schrijfBestand(lokaal(QStringLiteral("f.txt")), "oude inhoud die langer is");
    ASSERT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f.txt")), QStringLiteral("/f.txt")));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("f.txt"))), "nieuw");
}

TEST_F(SessieTest, AListedSizeThatNoLongerHoldsIsCheckedAgainstTheServer)
{
    // This server announces no size when a transfer starts; a listed size that differs from
    // what arrived is checked with the server's size now, so a changed file still arrives.
    server->schrijf(QStringLiteral("f.bin"), QByteArray(3000, 'k'));
    schrijfBestand(lokaal(QStringLiteral("f.bin")), "oud");
    EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f.bin")), QStringLiteral("/f.bin"), 4000));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("f.bin"))), QByteArray(3000, 'k'));
    server->schrijf(QStringLiteral("leeg"), "");
    EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("leeg")), QStringLiteral("/leeg"), 0));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("leeg"))), "");
}

TEST_F(SessieTest, PathExistenceIsCaseSensitiveAndKnowsFilesFromFolders)
{
    server->maakMap(QStringLiteral("a/map"));
    server->schrijf(QStringLiteral("a/bestand"), "x");
    struct Rij
    {
        const char* pad;
        bool isMap;
        bool verwacht;
    };
    const Rij rijen[] = {
        {"/", true, true},           {"", true, true},
        {"/a/map/", true, true},     {"a/map", true, true},
        {"/a/Map", true, false},     {"/a/map", false, false},
        {"/a/bestand", false, true}, {"/a/bestand", true, false},
        {"/a/geen", false, false},   {"/geen/map", true, false},
    };
    for (const Rij& r : rijen)
        EXPECT_EQ(sessie.ServerpadBestaat(QString::fromUtf8(r.pad), r.isMap), r.verwacht) << r.pad;
}

TEST_F(SessieTest, ProbeGivesTheSizeOfAFileOrZero)
{
    server->schrijf(QStringLiteral("a/f.bin"), QByteArray(1234, 'z'));
    server->schrijf(QStringLiteral("a/leeg"), "");
    EXPECT_EQ(sessie.FtpMapPeilen(QStringLiteral("/a/f.bin")), 1234);
    EXPECT_EQ(sessie.FtpMapPeilen(QStringLiteral("a/f.bin/")), 1234);
    EXPECT_EQ(sessie.FtpMapPeilen(QStringLiteral("/a/leeg")), 0);
    EXPECT_EQ(sessie.FtpMapPeilen(QStringLiteral("/a/geen")), 0);
}

TEST_F(SessieTest, TreeWalkIsPreOrderPerLevelWithTotalSize)
{
    server->schrijf(QStringLiteral("w/f1"), "1");
    server->schrijf(QStringLiteral("w/a/f2"), "22");
    server->schrijf(QStringLiteral("w/a/x/f3"), "333");
    server->schrijf(QStringLiteral("w/b/f4"), "4444");
    server->maakMap(QStringLiteral("w/v1..2 "));
    server->schrijf(QStringLiteral("w/v1..2 /f5"), "55555");
    const FtpBoom boom = sessie.FtpBoomLezen(QStringLiteral("/w"));
    const QStringList& mappen = boom.mappen;
    QStringList bestanden;
    for (const FtpBoom::Bestand& b : boom.bestanden)
        bestanden << b.pad;
    // The server lists in its own order; what is fixed is that a folder's own children come
    // before those of any of its subfolders.
    ASSERT_EQ(mappen.size(), 4);
    EXPECT_EQ(mappen.at(3), QStringLiteral("/w/a/x"));
    for (const char* m : {"/w/a", "/w/b", "/w/v1..2 "})
        EXPECT_TRUE(mappen.contains(QString::fromUtf8(m))) << m;
    ASSERT_EQ(bestanden.size(), 5);
    EXPECT_EQ(bestanden.at(0), QStringLiteral("/w/f1"));
    EXPECT_LT(bestanden.indexOf(QStringLiteral("/w/a/f2")), bestanden.indexOf(QStringLiteral("/w/a/x/f3")));
    for (const char* b : {"/w/b/f4", "/w/v1..2 /f5"})
        EXPECT_TRUE(bestanden.contains(QString::fromUtf8(b))) << b;
    EXPECT_EQ(boom.totaal, 15);
    EXPECT_EQ(boom.mislukt, 0);
    // Every file comes with its listed size.
    for (const FtpBoom::Bestand& b : boom.bestanden)
        EXPECT_EQ(b.grootte, server->lees(b.pad.mid(1)).size()) << b.pad.toStdString();
}

TEST_F(SessieTest, TreeWalkEndsOnFoldersThatListThemselves)
{
    // Every folder lists the same lines. "." and ".." are no children; "sub" always is, so the
    // walk stops at its depth limit, and the folder it left unlisted counts as failed.
    const struct
    {
        const char* naam;
        QByteArray listing;
        int mislukt;
    } gevallen[] = {
        {"dots",
         "drwxr-xr-x 2 u g 0 Jan 01  2020 .\r\n"
         "drwxr-xr-x 2 u g 0 Jan 01  2020 ..\r\n"
         "-rw-r--r-- 1 u g 1 Jan 01  2020 f\r\n",
         0},
        {"endless",
         "drwxr-xr-x 2 u g 0 Jan 01  2020 sub\r\n"
         "-rw-r--r-- 1 u g 1 Jan 01  2020 f\r\n",
         1},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.naam);
        server.reset();
        SetUpMet({.mlst = false, .vasteListing = g.listing});
        ASSERT_FALSE(HasFatalFailure());
        const FtpBoom boom = sessie.FtpBoomLezen(QStringLiteral("/w"));
        EXPECT_EQ(boom.mislukt, g.mislukt);
        EXPECT_EQ(boom.mappen.size(), g.mislukt ? FtpBoom::maxDiepte + 1 : 0);
        // One file in each folder that was listed: the start folder, and all but the last found.
        EXPECT_EQ(qsizetype(boom.bestanden.size()), boom.mappen.size() + 1 - g.mislukt);
    }
}

TEST_F(SessieTest, SizesBeyondFourGigabytesAreListedWhole)
{
    QFile groot(server->pad(QStringLiteral("groot.iso")));
    ASSERT_TRUE(groot.open(QIODevice::WriteOnly));
    ASSERT_TRUE(groot.resize(5LL * 1024 * 1024 * 1024 + 7)); // sparse: no disk used
    groot.close();
    const Mapinhoud inhoud = lees(QStringLiteral("/"));
    ASSERT_EQ(inhoud.bestanden.size(), 1u);
    EXPECT_EQ(inhoud.bestanden.at(0).grootte, 5368709127LL);
    EXPECT_EQ(sessie.FtpMapPeilen(QStringLiteral("/groot.iso")), 5368709127LL);
}

TEST_F(SessieTest, ClosedSessionRefusesEverything)
{
    server->schrijf(QStringLiteral("f"), "1");
    sessie.FtpVerbindingSluiten();
    EXPECT_FALSE(sessie.FtpMapLezen(QStringLiteral("/")));
    EXPECT_FALSE(sessie.FtpVerbindingActief());
    EXPECT_FALSE(sessie.ServerpadBestaat(QStringLiteral("/"), true));
    EXPECT_EQ(sessie.FtpMapPeilen(QStringLiteral("/f")), 0);
    EXPECT_FALSE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f")), QStringLiteral("/f")));
}

TEST_F(SessieTest, LivenessTurnsFalseWhenTheServerStops)
{
    EXPECT_TRUE(sessie.FtpVerbindingActief());
    server->stop();
    EXPECT_FALSE(sessie.FtpVerbindingActief());
    EXPECT_FALSE(sessie.FtpMapLezen(QStringLiteral("/")));
}

TEST_F(SessieTest, OneOperationAtATimeWhileTheEventLoopRuns)
{
    // The server answers slowly; meanwhile a timer fires and tries a second operation.
    server.reset();
    SetUpMet({.traagMs = 150});
    int tikken = 0;
    bool tweedeGelukt = true;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++tikken;
        if (tikken == 1) {
            EXPECT_TRUE(sessie.bezig());
            tweedeGelukt = sessie.FtpMapLezen(QStringLiteral("/")).has_value();
        }
    });
    timer.start(10);
    EXPECT_TRUE(sessie.ServerpadBestaat(QStringLiteral("/"), true));
    EXPECT_GT(tikken, 0);
    EXPECT_FALSE(tweedeGelukt);
    EXPECT_FALSE(sessie.bezig());
}

TEST_F(SessieTest, TheLivenessProbeShortensTheTimeoutsForItselfOnly)
{
    // Slow replies keep the probe running while a timer looks at the session's timeouts.
    server.reset();
    SetUpMet({.traagMs = 100});
    const FtpTijden eigen{.verbindenS = 7, .antwoordS = 8, .stilstandS = 9};
    sessie.ZetTijden(eigen);
    std::optional<FtpTijden> tijdens;
    QTimer kijker;
    QObject::connect(&kijker, &QTimer::timeout, [&] {
        if (sessie.bezig() && !tijdens) tijdens = sessie.tijden();
    });
    kijker.start(5);
    EXPECT_TRUE(sessie.FtpVerbindingPeilen(2));
    ASSERT_TRUE(tijdens);
    EXPECT_EQ(*tijdens, (FtpTijden{.verbindenS = 2, .antwoordS = 2, .stilstandS = 9}));
    EXPECT_EQ(sessie.tijden(), eigen);
    // A probe that fails puts them back as well.
    server->stop();
    EXPECT_FALSE(sessie.FtpVerbindingPeilen(2));
    EXPECT_EQ(sessie.tijden(), eigen);
}

class StoringTest : public SessieTest
{
protected:
    void SetUp() override {}
};

TEST_F(StoringTest, BrokenDownloadKeepsTheOldLocalFileAndLeavesNoDebris)
{
    SetUpMet({.dropRetrNa = 50000});
    server->schrijf(QStringLiteral("groot.bin"), QByteArray(400000, 'n'));
    server->schrijf(QStringLiteral("klein.txt"), "ok");
    schrijfBestand(lokaal(QStringLiteral("groot.bin")), "oud");
    EXPECT_FALSE(sessie.FtpBestandHalen(lokaal(QStringLiteral("groot.bin")), QStringLiteral("/groot.bin")));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("groot.bin"))), "oud");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("groot.bin")});
    // The same with the size known from a listing (no SIZE command before the transfer).
    EXPECT_FALSE(
        sessie.FtpBestandHalen(lokaal(QStringLiteral("groot.bin")), QStringLiteral("/groot.bin"), 400000));
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("groot.bin"))), "oud");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("groot.bin")});
    // The next operation logs in again by itself.
    EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("klein.txt")), QStringLiteral("/klein.txt")));
}

// A connection that breaks again and again: each attempt continues where the file ends, both
// ways, and the file arrives whole. Random bytes: a resume from the wrong place shows.
TEST_F(StoringTest, TransfersResumeThroughRepeatedCutsAndArriveByteExact)
{
    SetUpMet({.dropRetrNa = 900 * 1024, .dropStorNa = 1100 * 1024});
    Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.hervatPauzeMs = 10; });
    QByteArray inhoud(3 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(16).fillRange(reinterpret_cast<quint32*>(inhoud.data()), inhoud.size() / 4);
    server->schrijf(QStringLiteral("groot.bin"), inhoud);
    schrijfBestand(lokaal(QStringLiteral("groot.bin")), "oud");
    EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("groot.bin")), QStringLiteral("/groot.bin")));
    EXPECT_TRUE(leesBestand(lokaal(QStringLiteral("groot.bin"))) == inhoud);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("groot.bin")});

    EXPECT_TRUE(sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("groot.bin")), QStringLiteral("/op.bin")));
    EXPECT_TRUE(server->lees(QStringLiteral("op.bin")) == inhoud);
}

// One cut of the connection, and a server that will not continue the file (REST or APPE refused)
// or appends less than it was sent while saying 226: the file is sent whole again, never pieced
// together wrongly. A server that cuts every transfer gets the default number of resumes (3),
// then the transfer fails.
TEST_F(StoringTest, ResumedTransfersArriveWholeOrFail)
{
    QByteArray inhoud(300000, Qt::Uninitialized);
    QRandomGenerator(3).fillRange(reinterpret_cast<quint32*>(inhoud.data()), inhoud.size() / 4);
    const FtpServerOpties eenKeer{.dropRetrNa = 100000, .dropStorNa = 100000, .dropKeren = 1};
    struct Geval
    {
        const char* naam;
        FtpServerOpties opties;
        bool omhoog;
        bool gelukt;
        bool standaardTijden = false;
    };
    Geval gevallen[] = {
        {"download, REST refused", eenKeer, false, true},
        {"upload, APPE refused", eenKeer, true, true},
        {"upload, APPE keeps less than it gets", eenKeer, true, true},
        {"download, every transfer cut", {.dropRetrNa = 50000}, false, false, true},
    };
    gevallen[0].opties.faalCommandos = {"REST"};
    gevallen[1].opties.faalCommandos = {"APPE"};
    gevallen[2].opties.kortAppe = 1000;
    for (Geval& g : gevallen) {
        SCOPED_TRACE(g.naam);
        server.reset();
        g.opties.commandoLog = true;
        SetUpMet(g.opties);
        sessie.ZetTijden(g.standaardTijden ? FtpTijden{} : FtpTijden{.hervatPauzeMs = 10});
        bool gelukt = false;
        QByteArray aangekomen;
        if (g.omhoog) {
            schrijfBestand(lokaal(QStringLiteral("op.bin")), inhoud);
            gelukt = sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("op.bin")), QStringLiteral("/op.bin"));
            aangekomen = server->lees(QStringLiteral("op.bin"));
        } else {
            server->schrijf(QStringLiteral("f.bin"), inhoud);
            gelukt = sessie.FtpBestandHalen(lokaal(QStringLiteral("f.bin")), QStringLiteral("/f.bin"));
            aangekomen = leesBestand(lokaal(QStringLiteral("f.bin")));
        }
        EXPECT_EQ(gelukt, g.gelukt);
        if (g.gelukt) {
            EXPECT_TRUE(aangekomen == inhoud);
        }
        if (g.standaardTijden) {
            EXPECT_EQ(server->ontvangen().filter(QRegularExpression(QStringLiteral("^RETR "))).size(), 1 + 3);
        }
    }
}

// The file is replaced on the server between a cut and the resume: the download must not piece
// the two versions together. A file of the same size is told by its MDTM; where the server has
// no MDTM, a size other than at the start tells it (listed, or asked when nothing was listed).
TEST_F(StoringTest, AFileReplacedBeforeTheResumeArrivesAsTheNewFile)
{
    const auto zaad = [](int n, quint32 z) {
        QByteArray b(n, Qt::Uninitialized);
        QRandomGenerator(z).fillRange(reinterpret_cast<quint32*>(b.data()), b.size() / 4);
        return b;
    };
    const QByteArray oud = zaad(2 << 20, 1);
    const struct
    {
        const char* naam;
        QByteArray nieuw;
        QStringList onbekend;
        bool gelijst;
    } gevallen[] = {
        {"same size, newer", zaad(2 << 20, 2), {}, true},
        {"larger, no MDTM", zaad(5 << 19, 3), {"MDTM"}, true},
        {"larger, no MDTM, not listed", zaad(5 << 19, 4), {"MDTM"}, false},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.naam);
        server.reset();
        SetUpMet(
            {.dropRetrNa = 700 * 1024, .dropKeren = 1, .onbekend = g.onbekend, .vervangBijDrop = g.nieuw});
        Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.hervatPauzeMs = 10; });
        server->schrijf(QStringLiteral("f.bin"), oud);
        EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f.bin")), QStringLiteral("/f.bin"),
                                           g.gelijst ? oud.size() : -1));
        EXPECT_TRUE(server->lees(QStringLiteral("f.bin")) == g.nieuw);
        EXPECT_TRUE(leesBestand(lokaal(QStringLiteral("f.bin"))) == g.nieuw);
    }
}

// Escape: a login or a transfer is cancelled while the server is slow to answer. The old local
// file stays whole, the session tells it was a cancel, and the next operation runs normally.
TEST_F(StoringTest, ACancelEndsTheRunningOperationOnly)
{
    server = std::make_unique<FtpTestServer>(FtpServerOpties{.traagMs = 400});
    ASSERT_TRUE(server->start()) << server->fout().toStdString();
    server->schrijf(QStringLiteral("f.bin"), QByteArray(5000, 'n'));
    schrijfBestand(lokaal(QStringLiteral("f.bin")), "oud");
    const FtpGegevens gegevens = server->gegevens();
    const auto straks = [&] { QTimer::singleShot(150, [&] { sessie.afbreken(); }); };

    straks();
    EXPECT_FALSE(sessie.FtpVerbindingOpenen(gegevens));
    EXPECT_TRUE(sessie.afgebroken());

    ASSERT_TRUE(sessie.FtpVerbindingOpenen(gegevens));
    EXPECT_FALSE(sessie.afgebroken());
    straks();
    EXPECT_FALSE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f.bin")), QStringLiteral("/f.bin"), 5000));
    EXPECT_TRUE(sessie.afgebroken());
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("f.bin"))), "oud");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("f.bin")});

    // A cancel asked for between operations does not hit the next one.
    sessie.afbreken();
    EXPECT_TRUE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f.bin")), QStringLiteral("/f.bin"), 5000));
    EXPECT_FALSE(sessie.afgebroken());
    EXPECT_EQ(leesBestand(lokaal(QStringLiteral("f.bin"))).size(), 5000);

    // A tree walk is one operation: a cancel during its second listing ends the walk there.
    for (const char* map : {"w/a", "w/b", "w/c"})
        server->maakMap(QString::fromUtf8(map));
    int lijsten = 0;
    const auto tellen = QObject::connect(&sessie, &FtpSession::bezigGewijzigd, [&](bool bezig) {
        if (bezig && ++lijsten == 2) sessie.afbreken();
    });
    const FtpBoom boom = sessie.FtpBoomLezen(QStringLiteral("/w"));
    QObject::disconnect(tellen);
    EXPECT_TRUE(boom.afgebroken);
    EXPECT_EQ(boom.mislukt, 0);
    EXPECT_EQ(lijsten, 2);
}

TEST_F(StoringTest, ADownloadCutShortWithASuccessReplyFailsAndKeepsTheOldFile)
{
    // The server sends part of the file and says 226; whether it answers SIZE or not, the listed
    // size is all the client has to tell a short file from a file that shrank.
    for (const bool metSize : {true, false}) {
        SCOPED_TRACE(metSize ? "SIZE" : "no SIZE");
        server.reset();
        SetUpMet({.kortRetr = 1000, .onbekend = metSize ? QStringList() : QStringList{"SIZE"}});
        server->schrijf(QStringLiteral("f.bin"), QByteArray(3000, 'n'));
        schrijfBestand(lokaal(QStringLiteral("f.bin")), "oud");
        EXPECT_FALSE(sessie.FtpBestandHalen(lokaal(QStringLiteral("f.bin")), QStringLiteral("/f.bin"), 3000));
        EXPECT_EQ(leesBestand(lokaal(QStringLiteral("f.bin"))), "oud");
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("f.bin")});
    }
}

TEST_F(StoringTest, BrokenUploadIsAFailure)
{
    SetUpMet({.dropStorNa = 50000});
    schrijfBestand(lokaal(QStringLiteral("groot.bin")), QByteArray(3000000, 'u'));
    EXPECT_FALSE(
        sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("groot.bin")), QStringLiteral("/groot.bin")));
}

// A server file that is replaced goes up under a temporary name beside it and is renamed over it:
// a replacement that fails for good leaves the old file byte for byte, no temporary file once the
// server answers, and says why. Only a server that refuses the temporary name itself (before any
// byte), or the rename, gets the file written over directly; never after a transfer that broke and
// could not be continued, nor after one the server kept short. The old file's permissions stay; a
// new file goes up as it is, and one that fails for good leaves nothing under its name.
TEST_F(StoringTest, AReplacedServerFileIsNeverLeftHalfWritten)
{
    QByteArray nieuw(300000, Qt::Uninitialized);
    QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(nieuw.data()), nieuw.size() / 4);
    const QByteArray oud = "<?php oud en heel ?>";
    const auto modus = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    struct Geval
    {
        const char* naam;
        FtpServerOpties opties;
        bool gelukt = true;
        bool bestaat = true;
        bool hernoemd = true; // the file went up under another name first
        const char* fout = ""; // what laatsteFout() says of a failure (a regular expression)
    };
    Geval gevallen[] = {
        {"replaced", {}},
        {"cut every time", {.dropStorNa = 50000}, false, true, true, "^Verbinding verbroken na [0-9.,]+ bytes$"},
        {"cut, no resume", {.dropStorNa = 1000, .onbekend = {"APPE", "REST"}}, false, true, true,
         "^Verbinding verbroken na [0-9.,]+ bytes; hervatten geweigerd door de server \\(500 .+\\)$"},
        {"kept short with a success reply", {.kortStor = 1000}, false, true, true,
         "^Onvolledig op de server aangekomen$"},
        {"temporary name refused", {.faalCommandos = {"STOR:.vamox-"}}, true, true, false},
        {"rename refused", {.faalCommandos = {"RNFR"}}},
        {"no rename onto an existing name", {.geenHernoemOverBestaand = true}},
        {"new file", {}, true, false, false},
        {"new file cut every time", {.dropStorNa = 50000}, false, false, false},
    };
    for (Geval& g : gevallen) {
        SCOPED_TRACE(g.naam);
        server.reset();
        g.opties.commandoLog = true;
        SetUpMet(g.opties);
        Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.hervatPauzeMs = 10; });
        schrijfBestand(lokaal(QStringLiteral("index.php")), nieuw);
        if (g.bestaat) {
            server->schrijf(QStringLiteral("www/index.php"), oud);
            QFile::setPermissions(server->pad(QStringLiteral("www/index.php")), modus);
        } else {
            server->maakMap(QStringLiteral("www"));
        }
        EXPECT_EQ(
            sessie.FtpBestandPlaatsen(lokaal(QStringLiteral("index.php")), QStringLiteral("/www/index.php")),
            g.gelukt);
        EXPECT_TRUE(server->lees(QStringLiteral("www/index.php")) == (g.gelukt ? nieuw : g.bestaat ? oud : ""));
        EXPECT_EQ(sessie.laatsteFout().isEmpty(), g.gelukt) << sessie.laatsteFout().toStdString();
        if (*g.fout) {
            EXPECT_TRUE(QRegularExpression(QString::fromUtf8(g.fout)).match(sessie.laatsteFout()).hasMatch())
                << sessie.laatsteFout().toStdString();
        }
        EXPECT_TRUE(sessie.FtpVerbindingActief());
        EXPECT_EQ(QDir(server->pad(QStringLiteral("www"))).entryList(QDir::Files | QDir::Hidden),
                  g.gelukt || g.bestaat ? QStringList{QStringLiteral("index.php")} : QStringList{});
        if (g.bestaat) {
            EXPECT_EQ(QFile::permissions(server->pad(QStringLiteral("www/index.php"))) & 0x7077, modus);
        }
        const QStringList ontvangen = server->ontvangen();
        EXPECT_EQ(
            !ontvangen.filter(QRegularExpression(QStringLiteral("^STOR /www/\\.vamox-.*\\.part$"))).isEmpty(),
            g.bestaat)
            << ontvangen.join(u'|').toStdString();
        EXPECT_EQ(!ontvangen.filter(QRegularExpression(QStringLiteral("^RNTO /www/index.php$"))).isEmpty(),
                  g.hernoemd && g.gelukt);
    }
}

// What one listing may take holds for every way the session lists (MLSD, "LIST -a", plain LIST),
// whole or streamed: past it, the listing fails and says why, and the session goes on working.
TEST_F(StoringTest, AListingPastItsLimitsFailsAndTheSessionGoesOn)
{
    const struct
    {
        const char* geval;
        FtpServerOpties opties;
    } rijen[] = {
        {"MLSD", {}},
        {"LIST -a", {.mlst = false}},
        {"LIST", {.mlst = false, .lijstZonderOpties = true}},
    };
    for (const auto& r : rijen) {
        for (const bool stromen : {false, true}) {
            SCOPED_TRACE(std::string(r.geval) + (stromen ? " streamed" : ""));
            server.reset();
            SetUpMet(r.opties);
            for (int i = 0; i < 60; ++i)
                server->schrijf(QStringLiteral("groot/b%1.txt").arg(i), {});
            server->schrijf(QStringLiteral("klein/a.txt"), "a");
            Lijstgrenzen grenzen;
            grenzen.entries = 50;
            sessie.ZetLijstgrenzen(grenzen);
            const auto lees = [&](const QString& map) {
                if (!stromen) return sessie.FtpMapLezen(map).has_value();
                return sessie.FtpMapStromen(map, [](std::vector<FtpEntry>&, bool) {});
            };
            EXPECT_FALSE(lees(QStringLiteral("/groot")));
            EXPECT_TRUE(sessie.lijstTeGroot());
            EXPECT_EQ(sessie.laatsteFout(), QStringLiteral("De lijst van deze map is te groot"));
            EXPECT_TRUE(lees(QStringLiteral("/klein")));
            EXPECT_FALSE(sessie.lijstTeGroot());
        }
    }
}

TEST_F(StoringTest, RefusedCommandsFailWithoutLosingTheConnection)
{
    SetUpMet({.faalCommandos = {"DELE", "MKD", "RMD", "RNFR"}});
    server->schrijf(QStringLiteral("f"), "1");
    server->maakMap(QStringLiteral("leeg"));
    EXPECT_FALSE(sessie.FtpBestandWissen(QStringLiteral("/f")));
    EXPECT_FALSE(sessie.FtpMapMaken(QStringLiteral("/nieuw")));
    EXPECT_FALSE(sessie.FtpMapWissen(QStringLiteral("/leeg")));
    EXPECT_FALSE(sessie.FtpNaamWijzigen(QStringLiteral("/f"), QStringLiteral("/g")));
    EXPECT_TRUE(QFile::exists(server->pad(QStringLiteral("f"))));
    EXPECT_FALSE(QFile::exists(server->pad(QStringLiteral("g"))));
    EXPECT_TRUE(sessie.FtpVerbindingActief());
}

TEST_F(StoringTest, ListingWithoutMlstFallsBackToList)
{
    // A server that takes "LIST -a" (every LIST gives this line) is listed with it...
    SetUpMet({.mlst = false, .vasteListing = "-rw-r--r-- 1 u g 3 Jan 01  2020 .verborgen\r\n"});
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(namen(lees(QStringLiteral("/")).bestanden), QStringList{QStringLiteral(".verborgen")});
    // ...which the next login on the same session must not assume: pyftpdlib reads "LIST -a /m"
    // as the path "-a /m", missing here, but "LIST -a /" lists the folder "-a ".
    server.reset();
    SetUpMet({.mlst = false});
    EXPECT_FALSE(sessie.gebruiktMlsd());
    server->schrijf(QStringLiteral(" spatie ervoor.txt"), "abc");
    server->schrijf(QStringLiteral("-a /lokaas"), "x");
    server->schrijf(QStringLiteral("m/echt"), "y");
    const Mapinhoud inhoud = lees(QStringLiteral("/"));
    EXPECT_EQ(namen(inhoud.mappen), (QStringList{QStringLiteral("-a "), QStringLiteral("m")}));
    EXPECT_EQ(namen(inhoud.bestanden), QStringList{QStringLiteral(" spatie ervoor.txt")});
    EXPECT_EQ(namen(lees(QStringLiteral("/m")).bestanden), QStringList{QStringLiteral("echt")});
    // A server that refuses "LIST -a" is listed with a plain LIST.
    server.reset();
    SetUpMet({.mlst = false, .faalCommandos = {"LIST:/-a"}});
    server->schrijf(QStringLiteral(".verborgen"), "v");
    server->schrijf(QStringLiteral("m/echt"), "y");
    EXPECT_EQ(namen(lees(QStringLiteral("/")).bestanden), QStringList{QStringLiteral(".verborgen")});
    EXPECT_EQ(namen(lees(QStringLiteral("/m")).bestanden), QStringList{QStringLiteral("echt")});
}

TEST_F(StoringTest, RefusedLoginFailsAndStaysRefused)
{
    FtpServerOpties opties;
    opties.weigerLogin = true;
    server = std::make_unique<FtpTestServer>(opties);
    ASSERT_TRUE(server->start());
    EXPECT_FALSE(sessie.FtpVerbindingOpenen(
        {server->host(), QStringLiteral("vamox"), QStringLiteral("fout"), server->poort()}));
    EXPECT_FALSE(sessie.FtpVerbinden());
    EXPECT_EQ(sessie.gegevens().wachtwoord, QStringLiteral("fout"));
    EXPECT_FALSE(sessie.FtpMapLezen(QStringLiteral("/")));
}

TEST(TabelSorteren, OrdersAsNeighbourExchangeDoes)
{
    QStringList t{QStringLiteral("b"), QStringLiteral("A"), QStringLiteral(" ..")};
    TabelSorteren(t, true);
    EXPECT_EQ(t, (QStringList{" ..", "A", "b"}));

    // Names that differ only in case keep their order, as the exchange sort leaves them.
    QStringList namen;
    for (int i = 0; i < 300; ++i) {
        QString n = QString::number((i * 7919) % 37, 36);
        namen << ((i % 3) ? n.toUpper() + u'x' : n + u'X');
    }
    QStringList verwacht = namen;
    for (bool gewisseld = true; gewisseld;) {
        gewisseld = false;
        for (qsizetype i = 0; i + 1 < verwacht.size(); ++i)
            if (verwacht[i].toLower() > verwacht[i + 1].toLower()) {
                verwacht.swapItemsAt(i, i + 1);
                gewisseld = true;
            }
    }
    TabelSorteren(namen, true);
    EXPECT_EQ(namen, verwacht);
}

TEST(MappenBijwerken, RestoresBothFolderForms)
{
    struct Rij
    {
        QString lokaal, server, lokaalNa, serverNa;
    };
    const Rij rijen[] = {
        {"/home/x///", "a/b", "/home/x/", "/a/b/"},
        {"/", "", "/", "/"},
        {"/tmp", "///", "/tmp/", "/"},
        {"/tmp/", "/a//", "/tmp/", "/a/"},
    };
    for (Rij r : rijen) {
        MappenBijwerken(r.lokaal, r.server);
        EXPECT_EQ(r.lokaal, r.lokaalNa);
        EXPECT_EQ(r.server, r.serverNa);
    }
}

} // namespace
