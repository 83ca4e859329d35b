#include "TransferTestHulp.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "transfer/Overdracht.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <deque>

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::FtpTestServer;
using A = Vamox::Overschrijfantwoord;

namespace {

// Answers from a queue, then "Ja", and keeps every question as "Soort pad grootte nummer/aantal".
class Script final : public Overdrachtsvragen
{
public:
    explicit Script(std::deque<A> antwoorden = {}) : m_antwoorden(std::move(antwoorden)) {}

    A Overschrijven(const Overschrijving& v) override
    {
        static const char* const soorten[] = {"BestandDownloaden", "BestandUploaden", "MapDownloaden",
                                              "MapUploaden"};
        gesteld << QStringLiteral("%1 %2 %3 %4/%5")
                       .arg(QLatin1String(soorten[int(v.soort)]), v.pad)
                       .arg(v.grootte)
                       .arg(v.nummer)
                       .arg(v.aantal);
        if (m_antwoorden.empty()) return A::Ja;
        const A a = m_antwoorden.front();
        m_antwoorden.pop_front();
        return a;
    }

    QStringList gesteld;

private:
    std::deque<A> m_antwoorden;
};

// A session logged in to a fresh pyftpdlib server, and a local temp folder.
class transferOverdracht : public ::testing::Test
{
protected:
    void start(FtpServerOpties opties = {})
    {
        server = std::make_unique<FtpTestServer>(std::move(opties));
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server->gegevens()));
    }
    QString L(const QString& rel) const { return tmp.filePath(rel); }
    static QByteArray lees(const QString& pad)
    {
        QFile f(pad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
    }
    static void schrijf(const QString& pad, const QByteArray& inhoud)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(pad).absolutePath()));
        ASSERT_TRUE(Vamox::Test::SchrijfBestand(pad, inhoud));
    }
    // Hidden leftovers (a partial download's temporary file) count too.
    static QStringList inhoud(const QString& map)
    {
        return QDir(map).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
    }

    Overdrachtsresultaat uitvoeren(Overdrachtsplan plan) { return Vamox::Test::Uitvoeren(wachtrij, std::move(plan)); }

    std::unique_ptr<FtpTestServer> server;
    FtpSession sessie;
    Wachtrij wachtrij{sessie};
    QTemporaryDir tmp;
};

// One file per folder keeps the walk's order fixed whatever order the server lists in.
const QStringList Boom{QStringLiteral("boom/a.txt"), QStringLiteral("boom/sub/b.txt"),
                       QStringLiteral("boom/sub/diep/c.txt")};

struct Overschrijfgeval
{
    const char* naam;
    std::deque<A> antwoorden;
    QList<QByteArray> naderhand; // a, b, c on the target side
    QStringList gevraagd;        // "rel grootte nummer/aantal"
    qint64 gedaan, overgeslagen;
    bool gestopt;
};

// a and c exist on the target side ("oud a", "oud cc"); b does not.
const std::vector<Overschrijfgeval> Overschrijfgevallen{
    {"Ja",
     {A::Ja, A::Ja},
     {"nieuw a", "nieuw b", "nieuw c"},
     {"boom/a.txt 5 1/3", "boom/sub/diep/c.txt 6 3/3"},
     3,
     0,
     false},
    {"Nee",
     {A::Nee, A::Nee},
     {"oud a", "nieuw b", "oud cc"},
     {"boom/a.txt 5 1/3", "boom/sub/diep/c.txt 6 3/3"},
     1,
     2,
     false},
    {"Alle", {A::Alle}, {"nieuw a", "nieuw b", "nieuw c"}, {"boom/a.txt 5 1/3"}, 3, 0, false},
    {"Stoppen",
     {A::Nee, A::Stoppen},
     {"oud a", "nieuw b", "oud cc"},
     {"boom/a.txt 5 1/3", "boom/sub/diep/c.txt 6 3/3"},
     1,
     1,
     true},
};

TEST_F(transferOverdracht, FolderDownloadAsksAboutEachLocalFileUntilAlleOrStoppen)
{
    start();
    for (const QString& rel : Boom)
        server->schrijf(rel, "nieuw " + rel.right(5).left(1).toUtf8());
    const FtpBoom boom = sessie.FtpBoomLezen(QStringLiteral("/boom"));
    ASSERT_EQ(boom.mislukt, 0);

    // Over more connections the questions come the same, in the same order.
    for (const int verbindingen : {1, 4}) {
        wachtrij.ZetVerbindingen(verbindingen);
        for (size_t g = 0; g < Overschrijfgevallen.size(); ++g) {
            const Overschrijfgeval& geval = Overschrijfgevallen[g];
            SCOPED_TRACE(geval.naam + std::string(" over ") + std::to_string(verbindingen));
            const QString doel = L(QStringLiteral("%1-%2").arg(verbindingen).arg(g));
            schrijf(doel + QStringLiteral("/boom/a.txt"), "oud a");
            schrijf(doel + QStringLiteral("/boom/sub/diep/c.txt"), "oud cc");
            Script script(geval.antwoorden);

            const Overdrachtsresultaat r =
                uitvoeren(MapDownloadenPlannen(QStringLiteral("/boom"), boom, doel, script));

            for (qsizetype i = 0; i < Boom.size(); ++i)
                EXPECT_EQ(lees(doel + u'/' + Boom[i]), geval.naderhand[i]) << Boom[i].toStdString();
            QStringList gevraagd;
            for (const QString& v : geval.gevraagd)
                gevraagd << QStringLiteral("MapDownloaden ") + doel + u'/' + v;
            EXPECT_EQ(script.gesteld, gevraagd);
            EXPECT_EQ(r.gedaan, geval.gedaan);
            EXPECT_EQ(r.overgeslagen, geval.overgeslagen);
            EXPECT_EQ(r.mislukt, 0);
            EXPECT_EQ(r.bytes, 7 * geval.gedaan);
            EXPECT_EQ(r.gestopt, geval.gestopt);
        }
    }
}

TEST_F(transferOverdracht, FolderUploadAsksAboutEachServerFileUntilAlleOrStoppen)
{
    start();
    const QString bron = L(QStringLiteral("bron/boom"));
    for (const QString& rel : Boom)
        schrijf(L(QStringLiteral("bron/") + rel), "nieuw " + rel.right(5).left(1).toUtf8());

    // A scan stopped at once still has the start folder to make.
    const LokaleBoom gestopt = LokaleMapScannen(bron + u'/', [] { return true; });
    EXPECT_EQ(gestopt.map, bron);
    EXPECT_EQ(gestopt.mappen, QStringList{bron + u'/'});
    EXPECT_TRUE(gestopt.bestanden.isEmpty());
    EXPECT_FALSE(gestopt.volledig);
    const LokaleBoom boom = LokaleMapScannen(bron);
    EXPECT_EQ(boom.mappen, (QStringList{bron + u'/', bron + QStringLiteral("/sub/"),
                                        bron + QStringLiteral("/sub/diep/")}));
    ASSERT_EQ(boom.bestanden.size(), 3);
    EXPECT_EQ(boom.totaal, 21);
    EXPECT_TRUE(boom.volledig);

    for (const int verbindingen : {1, 4}) {
        wachtrij.ZetVerbindingen(verbindingen);
        for (size_t g = 0; g < Overschrijfgevallen.size(); ++g) {
            const Overschrijfgeval& geval = Overschrijfgevallen[g];
            SCOPED_TRACE(geval.naam + std::string(" over ") + std::to_string(verbindingen));
            // The folders exist already, so every file is probed.
            const QString rij = QStringLiteral("r%1-%2").arg(verbindingen).arg(g);
            server->schrijf(rij + QStringLiteral("/boom/a.txt"), "oud a");
            server->schrijf(rij + QStringLiteral("/boom/sub/diep/c.txt"), "oud cc");
            Script script(geval.antwoorden);

            const Overdrachtsresultaat r = uitvoeren(MapUploadenPlannen(sessie, boom, u'/' + rij + u'/', script));

            for (qsizetype i = 0; i < Boom.size(); ++i)
                EXPECT_EQ(server->lees(rij + u'/' + Boom[i]), geval.naderhand[i]) << Boom[i].toStdString();
            QStringList gevraagd;
            for (const QString& v : geval.gevraagd)
                gevraagd << QStringLiteral("MapUploaden /") + rij + u'/' + v;
            EXPECT_EQ(script.gesteld, gevraagd);
            EXPECT_EQ(r.gedaan, geval.gedaan);
            EXPECT_EQ(r.overgeslagen, geval.overgeslagen);
            EXPECT_EQ(r.mislukt, 0);
            EXPECT_EQ(r.mislukteMappen, 0);
            EXPECT_EQ(r.gestopt, geval.gestopt);
        }
    }
}

TEST_F(transferOverdracht, ADroppedDownloadInATreeFailsThatFileAndKeepsTheLocalCopy)
{
    start({.dropRetrNa = 1000});
    server->schrijf(QStringLiteral("boom/a.txt"), "nieuw a");
    server->schrijf(QStringLiteral("boom/groot.bin"), QByteArray(5000, 'g'));
    server->schrijf(QStringLiteral("boom/sub/oud.bin"), QByteArray(5000, 'n'));
    server->schrijf(QStringLiteral("boom/sub/diep/c.txt"), "nieuw c");
    schrijf(L(QStringLiteral("boom/sub/oud.bin")), "oud");
    const FtpBoom boom = sessie.FtpBoomLezen(QStringLiteral("/boom"));
    Script script;

    const Overdrachtsresultaat r = uitvoeren(MapDownloadenPlannen(QStringLiteral("/boom"), boom, tmp.path(), script));

    EXPECT_EQ(r.mislukt, 2);
    EXPECT_EQ(r.gedaan, 2); // the session is back for the files after the drop
    EXPECT_FALSE(r.Gelukt());
    EXPECT_EQ(lees(L(QStringLiteral("boom/sub/oud.bin"))), "oud");
    EXPECT_EQ(inhoud(L(QStringLiteral("boom"))),
              (QStringList{QStringLiteral("a.txt"), QStringLiteral("sub")}));
    EXPECT_EQ(inhoud(L(QStringLiteral("boom/sub"))),
              (QStringList{QStringLiteral("diep"), QStringLiteral("oud.bin")}));
    EXPECT_EQ(lees(L(QStringLiteral("boom/sub/diep/c.txt"))), "nieuw c");
}

TEST_F(transferOverdracht, ListedNamesThatAreNoPlainNamesAreNeverWritten)
{
    // Every LIST gives these lines; RETR serves what is on disk, so a file the client should not
    // fetch is there to be fetched. A name that is no UTF-8 is known to the client only with
    // U+FFFD in place of its bytes, and a file of that decoded name is there too.
    const QByteArray listing = "-rw-r--r-- 1 ftp ftp 5 Jan 01  2020 goed.txt\r\n"
                               "-rw-r--r-- 1 ftp ftp 6 Jan 01  2020 ../x\r\n"
                               "-rw-r--r-- 1 ftp ftp 6 Jan 01  2020 a/b\r\n"
                               "-rw-r--r-- 1 ftp ftp 6 Jan 01  2020 ..\r\n"
                               "-rw-r--r-- 1 ftp ftp 6 Jan 01  2020 .\r\n"
                               "-rw-r--r-- 1 ftp ftp 6 Jan 01  2020 fout\xff.bin\r\n"
                               "-rw-r--r-- 1 ftp ftp 6 Jan 01  2020 /c\r\n"
                               "drwxr-xr-x 2 ftp ftp 0 Jan 01  2020 /d\r\n";
    start({.mlst = false, .vasteListing = listing});
    const QString foutNaam = QString::fromUtf8("fout\xff.bin");
    server->schrijf(QStringLiteral("boom/goed.txt"), "goede");
    server->schrijf(QStringLiteral("x"), "buiten");
    server->schrijf(QStringLiteral("boom/a/b"), "binnen");
    server->schrijf(QStringLiteral("boom/") + foutNaam, "anders");
    server->schrijf(QStringLiteral("boom/c"), "anders"); // what "/c" would become with "//" collapsed
    // "a/b" would land in a folder that is there: only the name check keeps it out.
    ASSERT_TRUE(QDir().mkpath(L(QStringLiteral("doel/boom/a"))));
    const FtpBoom boom = sessie.FtpBoomLezen(QStringLiteral("/boom"));
    ASSERT_EQ(boom.bestanden.size(), 7u);
    Script script;

    const Overdrachtsresultaat map =
        uitvoeren(MapDownloadenPlannen(QStringLiteral("/boom"), boom, L(QStringLiteral("doel")), script));
    EXPECT_EQ(map.gedaan, 1);
    EXPECT_EQ(map.mislukt, 6);
    EXPECT_EQ(map.mislukteMappen, 1); // "/d": a folder the server cannot be asked for

    // The same names picked in the pane.
    std::vector<Serverbestand> gekozen;
    for (const QString& naam : {QStringLiteral("../x"), QStringLiteral("a/b"), QStringLiteral(".."),
                                QStringLiteral("."), foutNaam, QStringLiteral("/c")})
        gekozen.push_back({QStringLiteral("/boom/") + naam, 6, naam});
    const Overdrachtsresultaat knop = uitvoeren(DownloadenPlannen(gekozen, L(QStringLiteral("doel/boom")), &script));
    EXPECT_EQ(knop.gedaan, 0);
    EXPECT_EQ(knop.mislukt, 6);

    EXPECT_EQ(inhoud(tmp.path()), QStringList{QStringLiteral("doel")});
    EXPECT_EQ(inhoud(L(QStringLiteral("doel"))), QStringList{QStringLiteral("boom")});
    EXPECT_EQ(inhoud(L(QStringLiteral("doel/boom"))),
              (QStringList{QStringLiteral("a"), QStringLiteral("goed.txt")}));
    EXPECT_EQ(inhoud(L(QStringLiteral("doel/boom/a"))), QStringList{});
    EXPECT_TRUE(script.gesteld.isEmpty());
}

TEST_F(transferOverdracht, ToolbarTransfersAskOnlyAboutFilesThatExist)
{
    start();
    const struct
    {
        bool upload;
        A antwoord;
        QByteArray xNaderhand;
        qint64 gedaan;
    } gevallen[] = {
        {false, A::Ja, "server x", 2},
        {false, A::Nee, "lokaal x.", 1},
        {true, A::Ja, "lokaal x.", 2},
        {true, A::Nee, "server x", 1},
    };
    for (size_t g = 0; g < std::size(gevallen); ++g) {
        const auto& geval = gevallen[g];
        SCOPED_TRACE(g);
        const QString rij = QStringLiteral("r%1").arg(g);
        const QString lokaal = L(rij);
        // x exists on both sides; y only on the side it comes from.
        server->schrijf(rij + QStringLiteral("/x.txt"), "server x");
        schrijf(lokaal + QStringLiteral("/x.txt"), "lokaal x.");
        if (geval.upload)
            schrijf(lokaal + QStringLiteral("/y.txt"), "lokaal y.");
        else
            server->schrijf(rij + QStringLiteral("/y.txt"), "server y");
        Script script({geval.antwoord});

        Overdrachtsresultaat r;
        QString vraag;
        if (geval.upload) {
            r = uitvoeren(UploadenPlannen(sessie,
                                          {lokaal + QStringLiteral("/x.txt"), lokaal + QStringLiteral("/y.txt")},
                                          u'/' + rij + u'/', &script));
            vraag = QStringLiteral("BestandUploaden /") + rij + QStringLiteral("/x.txt 8 1/2");
            EXPECT_EQ(server->lees(rij + QStringLiteral("/x.txt")), geval.xNaderhand);
            EXPECT_EQ(server->lees(rij + QStringLiteral("/y.txt")), "lokaal y.");
        } else {
            r = uitvoeren(DownloadenPlannen(
                {{u'/' + rij + QStringLiteral("/x.txt"), 8}, {u'/' + rij + QStringLiteral("/y.txt"), 8}}, lokaal,
                &script));
            vraag = QStringLiteral("BestandDownloaden ") + lokaal + QStringLiteral("/x.txt 9 1/2");
            EXPECT_EQ(lees(lokaal + QStringLiteral("/x.txt")), geval.xNaderhand);
            EXPECT_EQ(lees(lokaal + QStringLiteral("/y.txt")), "server y");
        }
        EXPECT_EQ(script.gesteld, QStringList{vraag});
        EXPECT_EQ(r.gedaan, geval.gedaan);
        EXPECT_EQ(r.overgeslagen, 2 - geval.gedaan);
        EXPECT_EQ(r.mislukt, 0);
        const QStringList namen = geval.gedaan == 2
                                      ? QStringList{QStringLiteral("x.txt"), QStringLiteral("y.txt")}
                                      : QStringList{QStringLiteral("y.txt")};
        EXPECT_EQ(r.namen, namen);
    }
}

} // namespace
