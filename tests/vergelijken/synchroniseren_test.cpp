#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "support/Proefserver.h"
#include "support/Vragen.h"
#include "support/Wachten.h"
#include "transfer/Wachtrij.h"
#include "vergelijken/Synchronisatiestaat.h"
#include "vergelijken/Synchronisatieuitvoering.h"
#include "vergelijken/Synchronisatiewandeling.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <set>
#include <unistd.h>

// Synchronising a local tree with a server tree on each kind of server: the plan the walk makes,
// its run through the transfer queue, and the state that makes a second synchronise plan only
// what is left.

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::FtpTestServer;
using Vamox::Test::Proefserver;
using Vamox::Test::Serversoort;

namespace {

void LokaalSchrijven(const QString& pad, const QByteArray& inhoud, const QDateTime& tijd)
{
    QDir().mkpath(QFileInfo(pad).path());
    QFile f(pad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhoud);
    ASSERT_TRUE(f.flush());
    ASSERT_TRUE(f.setFileTime(tijd, QFileDevice::FileModificationTime));
}

QByteArray Lees(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
}

struct Plan
{
    std::vector<Syncregel> regels;
    Synchronisatiewandeling::Einde einde;
    // "actie pad" of every row, "-" before the ones that are off.
    std::set<std::string> Tekst() const
    {
        std::set<std::string> uit;
        for (const Syncregel& r : regels)
            uit.insert(((r.aan ? "" : "-") + ActieWoord(r.actie) + u' ' + r.Pad()).toStdString());
        return uit;
    }
};

Plan Plannen(FtpSession& sessie, const Syncpaar& paar, const Synckeuzes& keuzes, std::optional<Syncstaat> vorige)
{
    Plan p;
    bool klaar = false;
    Synchronisatiewandeling w(sessie.aanmelding(), paar, keuzes, {}, std::move(vorige), 3);
    QObject::connect(&w, &Synchronisatiewandeling::regels, [&](const std::vector<Syncregel>& deel) {
        p.regels.insert(p.regels.end(), deel.begin(), deel.end());
    });
    QObject::connect(&w, &Synchronisatiewandeling::klaar, [&](const Synchronisatiewandeling::Einde& e) {
        p.einde = e;
        klaar = true;
    });
    w.Starten();
    EXPECT_TRUE(Vamox::Test::WachtTot([&] { return klaar; }, 60000));
    return p;
}

Overdrachtsresultaat Uitvoeren(Wachtrij& wachtrij, const Syncpaar& paar, const QString& staatPad, const Plan& plan)
{
    Synchronisatieuitvoering u(wachtrij, paar, staatPad, plan.einde.staat);
    std::optional<Overdrachtsresultaat> r;
    QObject::connect(&u, &Synchronisatieuitvoering::klaar, [&](const Overdrachtsresultaat& x) { r = x; });
    u.Starten(plan.regels);
    EXPECT_TRUE(Vamox::Test::WachtTot([&] { return r.has_value(); }, 60000));
    return r.value_or(Overdrachtsresultaat{});
}

class Synchroniseren : public ::testing::TestWithParam<Serversoort>
{
protected:
    void SetUp() override
    {
        qputenv("TZ", "UTC0");
        tzset();
        qputenv("XDG_DATA_HOME", m_thuis.path().toUtf8());
        m_server = std::make_unique<Proefserver>(GetParam());
        const QString fout = m_server->Starten(m_sessie);
        if (fout.startsWith(QStringLiteral("skip:"))) GTEST_SKIP() << fout.toStdString();
        ASSERT_TRUE(fout.isEmpty()) << fout.toStdString();
        m_wachtrij = std::make_unique<Wachtrij>(m_sessie);
        m_wachtrij->ZetVerbindingen(2);
        ASSERT_TRUE(QDir().mkpath(m_lokaal.filePath(QStringLiteral("paar"))));
        m_paar = {m_lokaal.filePath(QStringLiteral("paar")), m_server->Root()};
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }
    QString Lokaal(const QString& rel) const { return m_paar.lokaal + u'/' + rel; }
    QString Staat() const { return m_lokaal.filePath(QStringLiteral("staat")); }
    int InPrullenbak() const
    {
        return int(QDir(m_thuis.filePath(QStringLiteral("Trash/files"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
    }

    QTemporaryDir m_thuis, m_lokaal;
    FtpSession m_sessie;
    std::unique_ptr<Proefserver> m_server;
    std::unique_ptr<Wachtrij> m_wachtrij;
    Syncpaar m_paar;
};

const QDateTime Nu = QDateTime::currentDateTimeUtc().addSecs(-600);

// Every kind of difference in one tree, planned one way with newer files, the other way as a
// mirror, then run: a second synchronise plans nothing. The mirror deletes only inside the roots,
// and locally only to the trash.
TEST_P(Synchroniseren, ElkVerschilBeideKantenOp)
{
    const Proefserver& s = *m_server;
    LokaalSchrijven(Lokaal("alleen-lokaal.txt"), "l", Nu);
    LokaalSchrijven(Lokaal("lmap/diep.txt"), "diep", Nu);
    LokaalSchrijven(Lokaal("lokaal-nieuwer.txt"), "nieuw", Nu);
    LokaalSchrijven(Lokaal("server-nieuwer.txt"), "oud", Nu.addSecs(-7200));
    LokaalSchrijven(Lokaal("gelijk.txt"), "zelfde", Nu);
    LokaalSchrijven(Lokaal("grootte.txt"), "kort", Nu);
    LokaalSchrijven(m_lokaal.filePath("buiten.txt"), "buiten", Nu);
    s.Schrijf("alleen-server.txt", "s", Nu);
    s.Schrijf("smap/x/diep.txt", "x", Nu);
    s.Schrijf("lokaal-nieuwer.txt", "oud", Nu.addSecs(-7200));
    s.Schrijf("server-nieuwer.txt", "nieuw", Nu);
    s.Schrijf("gelijk.txt", "zelfde", Nu);
    s.Schrijf("grootte.txt", "langer", Nu);
    s.Schrijf("../buiten.txt", "buiten", Nu);

    const Synckeuzes naarServer{.richting = Syncrichting::NaarServer};
    const Plan p1 = Plannen(m_sessie, m_paar, naarServer, std::nullopt);
    EXPECT_TRUE(p1.einde.volledig);
    EXPECT_EQ(p1.Tekst(), (std::set<std::string>{"Uploaden alleen-lokaal.txt", "Nieuwe map op de server lmap",
                                                 "Uploaden lmap/diep.txt", "Uploaden lokaal-nieuwer.txt",
                                                 "Uploaden grootte.txt"}));

    Synckeuzes spiegel{.richting = Syncrichting::NaarLokaal, .wijze = Syncwijze::Spiegelen};
    const Plan p2 = Plannen(m_sessie, m_paar, spiegel, std::nullopt);
    EXPECT_EQ(p2.Tekst(),
              (std::set<std::string>{"Downloaden alleen-server.txt", "Nieuwe lokale map smap",
                                     "Nieuwe lokale map smap/x", "Downloaden smap/x/diep.txt",
                                     "Downloaden server-nieuwer.txt", "Downloaden grootte.txt",
                                     "-Downloaden lokaal-nieuwer.txt", "Lokaal verwijderen (prullenbak) alleen-lokaal.txt",
                                     "Lokaal verwijderen (prullenbak) lmap"}));
    // Nothing changed before the run.
    EXPECT_FALSE(QFileInfo::exists(Lokaal("smap")));
    EXPECT_TRUE(QFileInfo::exists(Lokaal("alleen-lokaal.txt")));

    const Overdrachtsresultaat r = Uitvoeren(*m_wachtrij, m_paar, Staat(), p2);
    EXPECT_EQ(r.mislukt, 0);
    EXPECT_EQ(Lees(Lokaal("smap/x/diep.txt")), "x");
    EXPECT_EQ(Lees(Lokaal("grootte.txt")), "langer");
    EXPECT_EQ(Lees(Lokaal("lokaal-nieuwer.txt")), "nieuw"); // unchecked: kept
    EXPECT_FALSE(QFileInfo::exists(Lokaal("lmap")));
    EXPECT_EQ(InPrullenbak(), 2);
    EXPECT_TRUE(QFileInfo::exists(m_lokaal.filePath("buiten.txt")));

    // Mirrored to the server now: a folder only the server has goes with all it holds, the file
    // beside the root stays.
    s.Schrijf("weg/diep/c.txt", "c", Nu);
    const Plan p3 = Plannen(m_sessie, m_paar, {.richting = Syncrichting::NaarServer, .wijze = Syncwijze::Spiegelen},
                            SyncstaatLezen(Staat()));
    EXPECT_EQ(p3.Tekst(), (std::set<std::string>{"Uploaden lokaal-nieuwer.txt", "Op de server verwijderen weg"}));
    EXPECT_EQ(Uitvoeren(*m_wachtrij, m_paar, Staat(), p3).mislukt, 0);
    EXPECT_FALSE(QFileInfo::exists(s.OpSchijf("weg")));
    const Plan p4 = Plannen(m_sessie, m_paar, spiegel, SyncstaatLezen(Staat()));
    EXPECT_TRUE(p4.regels.empty()) << *p4.Tekst().begin();
    EXPECT_TRUE(QFileInfo::exists(s.OpSchijf("../buiten.txt")));
}

// Both ways, remembering: a file changed on both sides is a conflict left off, a file deleted on
// one side is offered for deletion on the other, left off; a change on one side goes across.
TEST_P(Synchroniseren, BeideKantenMetGeheugen)
{
    const Proefserver& s = *m_server;
    LokaalSchrijven(Lokaal("beide.txt"), "een", Nu.addSecs(-7200));
    LokaalSchrijven(Lokaal("weg-lokaal.txt"), "w", Nu.addSecs(-7200));
    LokaalSchrijven(Lokaal("gewijzigd.txt"), "g", Nu.addSecs(-7200));
    s.Schrijf("weg-server.txt", "v", Nu.addSecs(-7200));
    const Synckeuzes beide{.richting = Syncrichting::BeideKanten};
    const Plan p1 = Plannen(m_sessie, m_paar, beide, SyncstaatLezen(Staat()));
    EXPECT_EQ(p1.Tekst(), (std::set<std::string>{"Uploaden beide.txt", "Uploaden weg-lokaal.txt",
                                                 "Uploaden gewijzigd.txt", "Downloaden weg-server.txt"}));
    EXPECT_EQ(Uitvoeren(*m_wachtrij, m_paar, Staat(), p1).mislukt, 0);
    EXPECT_TRUE(Plannen(m_sessie, m_paar, beide, SyncstaatLezen(Staat())).regels.empty());

    LokaalSchrijven(Lokaal("beide.txt"), "lokaal", Nu);
    // Two minutes later: a LIST line's minute still says which is newer whatever Nu's seconds.
    s.Schrijf("beide.txt", "op de server", Nu.addSecs(120));
    LokaalSchrijven(Lokaal("gewijzigd.txt"), "anders", Nu);
    ASSERT_TRUE(QFile::remove(Lokaal("weg-lokaal.txt")));
    ASSERT_TRUE(QFile::remove(s.OpSchijf("weg-server.txt")));
    const Plan p2 = Plannen(m_sessie, m_paar, beide, SyncstaatLezen(Staat()));
    EXPECT_EQ(p2.Tekst(), (std::set<std::string>{"-Downloaden beide.txt", "Uploaden gewijzigd.txt",
                                                 "-Op de server verwijderen weg-lokaal.txt",
                                                 "-Lokaal verwijderen (prullenbak) weg-server.txt"}));
    // Without the state nothing is offered for deletion.
    const Plan zonder = Plannen(m_sessie, m_paar, beide, std::nullopt);
    for (const Syncregel& r : zonder.regels)
        EXPECT_NE(r.actie, Syncactie::WissenServer) << r.Pad().toStdString();
}

// By content: files of one size are fetched and their bytes compared, so other bytes under the
// same time go across and the same bytes under another time stay; time and size alone decide the
// other way round.
TEST_P(Synchroniseren, InhoudVergelijktDeBytes)
{
    const Proefserver& s = *m_server;
    LokaalSchrijven(Lokaal("zelfde-tijd.txt"), "abcd", Nu);
    s.Schrijf("zelfde-tijd.txt", "wxyz", Nu);
    LokaalSchrijven(Lokaal("andere-tijd.txt"), "gelijk", Nu);
    s.Schrijf("andere-tijd.txt", "gelijk", Nu.addSecs(-7200));
    LokaalSchrijven(Lokaal("sub/nieuwer.txt"), "1111", Nu);
    s.Schrijf("sub/nieuwer.txt", "2222", Nu.addSecs(-7200));
    const Plan tijd = Plannen(m_sessie, m_paar, {.richting = Syncrichting::NaarServer}, std::nullopt);
    EXPECT_EQ(tijd.Tekst(), (std::set<std::string>{"Uploaden andere-tijd.txt", "Uploaden sub/nieuwer.txt"}));
    const Plan inhoud =
        Plannen(m_sessie, m_paar, {.richting = Syncrichting::NaarServer, .criterium = Criterium::Inhoud},
                std::nullopt);
    EXPECT_EQ(inhoud.Tekst(),
              (std::set<std::string>{"Uploaden zelfde-tijd.txt", "Uploaden sub/nieuwer.txt"}));
    for (const Syncregel& r : inhoud.regels)
        if (r.naam == u"zelfde-tijd.txt") {
            EXPECT_EQ(r.reden, u"Andere inhoud");
        }
    EXPECT_TRUE(inhoud.einde.volledig);
}

// A server link to a folder beside the pair is no folder of the pair: a mirror either way plans
// nothing through it.
TEST_P(Synchroniseren, ServerlinkNaarEenMapBlijftBuitenHetPaar)
{
    if (GetParam() == Serversoort::Mlsd) GTEST_SKIP() << "pyftpdlib lists a link to a folder as the folder";
    const Proefserver& s = *m_server;
    s.Schrijf("../buiten/bewaar.txt", "blijft", Nu);
    ASSERT_EQ(::symlink("../buiten", QFile::encodeName(s.OpSchijf("gedeeld")).constData()), 0);
    ASSERT_TRUE(QDir().mkpath(Lokaal("gedeeld")));
    for (const Syncrichting richting : {Syncrichting::NaarServer, Syncrichting::NaarLokaal}) {
        // A LIST line does not say what a link leads to: vsftpd's is a file of that name (a
        // conflict with the local folder, left off); sshd's is known to be a folder.
        const Plan p =
            Plannen(m_sessie, m_paar, {.richting = richting, .wijze = Syncwijze::Spiegelen}, std::nullopt);
        for (const Syncregel& r : p.regels) {
            EXPECT_FALSE(r.aan) << r.Pad().toStdString();
            EXPECT_EQ(r.map, QString()) << r.Pad().toStdString();
        }
        EXPECT_EQ(p.einde.links, GetParam() == Serversoort::Sftp ? 1 : 0);
    }
}

// A synchronise cut short (the run stopped while the slow server sends its files) loses nothing:
// the next one plans only the files that did not arrive, and after it nothing is left.
TEST(SynchroniserenOnderbroken, TweedeRondeDoetDeRest)
{
    qputenv("TZ", "UTC0");
    tzset();
    FtpServerOpties opties;
    opties.snelheid = 4000;
    FtpTestServer server(opties);
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.maakMap(QStringLiteral("t"));
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    wachtrij.ZetVerbindingen(1);
    QTemporaryDir lokaal;
    const Syncpaar paar{lokaal.filePath(QStringLiteral("paar")), QStringLiteral("/t")};
    ASSERT_TRUE(QDir().mkpath(paar.lokaal));
    for (int i = 0; i < 5; ++i)
        server.schrijf(QStringLiteral("t/m/f%1.bin").arg(i), QByteArray(1000, char('a' + i)));
    const QString staat = lokaal.filePath(QStringLiteral("staat"));
    const Synckeuzes keuzes{.richting = Syncrichting::BeideKanten};

    const Plan p1 = Plannen(sessie, paar, keuzes, SyncstaatLezen(staat));
    ASSERT_EQ(p1.regels.size(), 6u);
    QObject::connect(&wachtrij, &Wachtrij::klusGewijzigd, [&](int i) {
        const Klus& k = wachtrij.Klussen().at(std::size_t(i));
        if (k.staat == Klus::Staat::Klaar && k.richting == Klus::Richting::Downloaden) wachtrij.Escape();
    });
    const Overdrachtsresultaat r1 = Uitvoeren(wachtrij, paar, staat, p1);
    EXPECT_TRUE(r1.gestopt);
    std::set<std::string> over;
    for (int i = 0; i < 5; ++i)
        if (Lees(paar.lokaal + QStringLiteral("/m/f%1.bin").arg(i)).size() != 1000)
            over.insert(QStringLiteral("Downloaden m/f%1.bin").arg(i).toStdString());
    ASSERT_FALSE(over.empty());
    ASSERT_LT(over.size(), 5u);

    QObject::disconnect(&wachtrij, &Wachtrij::klusGewijzigd, nullptr, nullptr);
    const Plan p2 = Plannen(sessie, paar, keuzes, SyncstaatLezen(staat));
    EXPECT_EQ(p2.Tekst(), over);
    EXPECT_EQ(Uitvoeren(wachtrij, paar, staat, p2).mislukt, 0);
    EXPECT_TRUE(Plannen(sessie, paar, keuzes, SyncstaatLezen(staat)).regels.empty());
}

// Names a server may list that are no plain names are never written locally nor deleted there.
TEST(SynchroniserenVijandig, NamenGeweigerd)
{
    FtpServerOpties opties;
    opties.mlst = false;
    opties.vasteListing = "-rw-r--r-- 1 u g 2 Jan 01 2020 ok.txt\r\n"
                          "-rw-r--r-- 1 u g 2 Jan 01 2020 ../boos.txt\r\n"
                          "-rw-r--r-- 1 u g 2 Jan 01 2020 ..\r\n"
                          "-rw-r--r-- 1 u g 2 Jan 01 2020 a\\b.txt\r\n"
                          "-rw-r--r-- 1 u g 2 Jan 01 2020 sub/x.txt\r\n";
    FtpTestServer server(opties);
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.schrijf(QStringLiteral("t/ok.txt"), "ok");
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    QTemporaryDir lokaal;
    ASSERT_TRUE(QDir().mkpath(lokaal.filePath(QStringLiteral("paar"))));
    const Syncpaar paar{lokaal.filePath(QStringLiteral("paar")), QStringLiteral("/t")};
    const Plan p = Plannen(sessie, paar, {.richting = Syncrichting::NaarLokaal}, std::nullopt);
    EXPECT_EQ(p.Tekst(), (std::set<std::string>{"Downloaden ok.txt"}));
    EXPECT_EQ(p.einde.geweigerd, 4);
    const Plan spiegel =
        Plannen(sessie, paar, {.richting = Syncrichting::NaarServer, .wijze = Syncwijze::Spiegelen}, std::nullopt);
    EXPECT_EQ(spiegel.Tekst(), (std::set<std::string>{"Op de server verwijderen ok.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Servers, Synchroniseren,
                         ::testing::Values(Serversoort::Mlsd, Serversoort::Vsftpd, Serversoort::Sftp),
                         [](const auto& info) {
                             std::string n = Vamox::Test::SoortNaam(info.param);
                             std::erase(n, '-');
                             return n;
                         });
} // namespace
