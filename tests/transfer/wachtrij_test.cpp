#include "support/Vragen.h"
#include "TransferTestHulp.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "transfer/Kopieren.h"
#include "transfer/Overdracht.h"
#include "transfer/Verbindingenpool.h"
#include "transfer/Wachtrij.h"
#include "support/Wachten.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// The transfer queue against real servers: jobs of every kind over one and over more connections,
// logins the server refuses, broken connections, retries, cancels, and browsing meanwhile.

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::FtpTestServer;
using Vamox::Test::VsftpdOpties;
using Vamox::Test::VsftpdServer;

namespace {

class Alles final : public Overdrachtsvragen
{
public:
    Overschrijfantwoord Overschrijven(const Overschrijving&) override
    {
        ++gesteld;
        return Overschrijfantwoord::Ja;
    }
    int gesteld = 0;
};

// Answers from a list, then "Ja", and keeps the paths asked about.
class Antwoorden final : public Overdrachtsvragen
{
public:
    explicit Antwoorden(QList<Overschrijfantwoord> antwoorden = {}) : m_antwoorden(std::move(antwoorden)) {}
    Overschrijfantwoord Overschrijven(const Overschrijving& v) override
    {
        gesteld << v.pad;
        return m_antwoorden.isEmpty() ? Overschrijfantwoord::Ja : m_antwoorden.takeFirst();
    }
    QStringList gesteld;

private:
    QList<Overschrijfantwoord> m_antwoorden;
};

// A tree of small files of different sizes (one empty), relative paths below "boom".
QMap<QString, QByteArray> KleineBoom(int mappen, int perMap)
{
    QMap<QString, QByteArray> boom;
    for (int m = 0; m < mappen; ++m) {
        for (int b = 0; b < perMap; ++b) {
            const QString rel = QStringLiteral("boom/m%1/s%2/f%3.bin").arg(m / 4).arg(m % 4).arg(b);
            QByteArray inhoud;
            for (int i = 0; i < (m * perMap + b) * 37 % 3000; ++i)
                inhoud += char('a' + (i * 7 + m + b) % 26);
            boom.insert(rel, inhoud);
        }
    }
    return boom;
}

// Every file below `map`, hidden ones too (a temporary file left over counts), relative to `map`.
QMap<QString, QByteArray> Lokaal(const QString& map)
{
    QMap<QString, QByteArray> uit;
    QDirIterator it(map, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) uit.insert(QDir(map).relativeFilePath(f.fileName()), f.readAll());
    }
    return uit;
}

void Schrijven(const QString& map, const QMap<QString, QByteArray>& boom)
{
    for (auto it = boom.begin(); it != boom.end(); ++it) {
        const QString pad = map + u'/' + it.key();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(pad).absolutePath()));
        ASSERT_TRUE(Vamox::Test::SchrijfBestand(pad, it.value()));
    }
}

QMap<QString, QByteArray> Voorvoegen(const QString& voor, const QMap<QString, QByteArray>& boom)
{
    QMap<QString, QByteArray> uit;
    for (auto it = boom.begin(); it != boom.end(); ++it)
        uit.insert(voor + it.key(), it.value());
    return uit;
}

enum class Richting
{
    Download,
    Upload
};

// Moves the tree "boom" from the server folder `werk` into `lokaal`, or from there into `werk`.
Overdrachtsresultaat Overzetten(Richting richting, FtpSession& sessie, Wachtrij& wachtrij, const QString& werk,
                                const QString& lokaal)
{
    Alles vragen;
    if (richting == Richting::Download) {
        const QString van = werk + QStringLiteral("/boom");
        const FtpBoom boom = sessie.FtpBoomLezen(van);
        EXPECT_EQ(boom.mislukt, 0);
        return Vamox::Test::Uitvoeren(wachtrij, MapDownloadenPlannen(van, boom, lokaal, vragen));
    }
    const LokaleBoom boom = LokaleMapScannen(lokaal + QStringLiteral("/boom"));
    return Vamox::Test::Uitvoeren(wachtrij, MapUploadenPlannen(sessie, boom, werk + u'/', vragen));
}

// Runs of every kind handed to the queue one after the other without waiting: a folder download, a
// folder upload, toolbar downloads with a question, a copy within the server. Over one connection
// and over four the same files arrive, the same questions come in the same order and every run
// counts the same; the connections stay logged in afterwards.
TEST(Wachtrij, MixedRunsGiveTheSameFilesQuestionsAndCountsOverOneAndFourConnections)
{
    for (const int verbindingen : {1, 4}) {
        SCOPED_TRACE(verbindingen);
        FtpTestServer server;
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        QTemporaryDir tmp;
        FtpSession sessie;
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
        Wachtrij wachtrij(sessie);
        wachtrij.ZetVerbindingen(verbindingen);

        const QMap<QString, QByteArray> neer = KleineBoom(8, 6);
        Schrijven(server.root(), neer);
        const QMap<QString, QByteArray> op = Voorvoegen("op/", KleineBoom(4, 5));
        Schrijven(tmp.path(), op);
        server.schrijf(QStringLiteral("los/x.txt"), "server x");
        server.schrijf(QStringLiteral("los/y.txt"), "server y");
        Vamox::Test::SchrijfBestand(tmp.filePath(QStringLiteral("x.txt")), "lokaal x");
        server.schrijf(QStringLiteral("kopie/bron.bin"), QByteArray(3000, 'k'));
        ASSERT_TRUE(sessie.FtpMapMaken(QStringLiteral("/doel")));
        ASSERT_TRUE(sessie.FtpMapMaken(QStringLiteral("/op")));

        Alles alles;
        Antwoorden nee({Overschrijfantwoord::Nee});
        std::vector<std::pair<quint64, Overdrachtsresultaat>> rondes;
        const auto toevoegen = [&](Overdrachtsplan plan) {
            rondes.push_back({wachtrij.Toevoegen(std::move(plan)), {}});
        };
        toevoegen(MapDownloadenPlannen(QStringLiteral("/boom"), sessie.FtpBoomLezen(QStringLiteral("/boom")),
                                       tmp.path(), alles));
        toevoegen(MapUploadenPlannen(sessie, LokaleMapScannen(tmp.filePath(QStringLiteral("op/boom"))),
                                     QStringLiteral("/op/"), alles));
        toevoegen(DownloadenPlannen({{QStringLiteral("/los/x.txt"), 8}, {QStringLiteral("/los/y.txt"), 8}},
                                    tmp.path(), &nee));
        toevoegen(KopierenPlannen({{QStringLiteral("/kopie/bron.bin"), 3000}},
                                  tmp.filePath(QStringLiteral("werk")), QStringLiteral("/doel")));
        for (auto& [ronde, r] : rondes)
            r = wachtrij.Wachten(ronde);

        EXPECT_TRUE(Voorvoegen("boom/", Lokaal(tmp.filePath(QStringLiteral("boom")))) == neer);
        EXPECT_TRUE(Voorvoegen("op/", Lokaal(server.pad(QStringLiteral("op")))) == op);
        EXPECT_EQ(server.lees(QStringLiteral("doel/bron.bin")), QByteArray(3000, 'k'));
        EXPECT_EQ(Vamox::Test::LeesBestand(tmp.filePath(QStringLiteral("x.txt"))), "lokaal x");
        EXPECT_EQ(Vamox::Test::LeesBestand(tmp.filePath(QStringLiteral("y.txt"))), "server y");
        EXPECT_EQ(nee.gesteld, QStringList{tmp.filePath(QStringLiteral("x.txt"))});
        EXPECT_EQ(alles.gesteld, 0);
        const qint64 verwacht[][3] = {{neer.size(), 0, 0}, {op.size(), 0, 0}, {1, 0, 1}, {1, 0, 0}};
        for (size_t i = 0; i < rondes.size(); ++i) {
            SCOPED_TRACE(i);
            const Overdrachtsresultaat& r = rondes[i].second;
            EXPECT_EQ(r.gedaan, verwacht[i][0]);
            EXPECT_EQ(r.mislukt, verwacht[i][1]);
            EXPECT_EQ(r.overgeslagen, verwacht[i][2]);
            EXPECT_FALSE(r.gestopt);
        }
        EXPECT_EQ(rondes[2].second.namen, QStringList{QStringLiteral("y.txt")});
        // No work copy is left behind, and the connections wait for the next run.
        EXPECT_TRUE(Lokaal(tmp.filePath(QStringLiteral("werk"))).isEmpty());
        EXPECT_EQ(wachtrij.pool().Levend(), verbindingen);
        EXPECT_FALSE(wachtrij.Bezig());
    }
}

class Verbindingen : public ::testing::TestWithParam<Richting>
{
protected:
    QTemporaryDir tmp;
};

// vsftpd with TLS, the certificate accepted by the panes' session, and two logins from one address
// at most: the queue shrinks to the one connection left beside the panes' session, which takes the
// accepted certificate over, and the run completes.
TEST_P(Verbindingen, AServerThatRefusesExtraLoginsStillGetsEveryFile)
{
    if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and the package";
    // Few files: vsftpd takes its time over every TLS upload.
    const QMap<QString, QByteArray> boom = KleineBoom(2, 5);
    const bool download = GetParam() == Richting::Download;
    QTemporaryDir lokaal;
    VsftpdServer server(VsftpdOpties{.tls = true, .alleenTls = true, .maxPerIp = 2});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    FtpSession hoofd;
    Vamox::Test::CertificatenZetten(hoofd, lokaal.filePath(QStringLiteral("bekend.txt")));
    Vamox::Test::Vragen ja;
    ja.certificaatVertrouwen = [](const CertificaatInfo&) { return true; };
    hoofd.ZetVragen(&ja);
    ASSERT_TRUE(hoofd.FtpVerbindingOpenen(
        {server.host(), server.gebruiker(), server.wachtwoord(), server.poort(), TlsKeuze::Alleen}));
    Wachtrij wachtrij(hoofd);
    wachtrij.ZetVerbindingen(4);
    const QString werk = VsftpdServer::werkMap();
    if (download)
        Schrijven(server.pad(werk), boom);
    else
        Schrijven(lokaal.path(), boom);

    const Overdrachtsresultaat r = Overzetten(GetParam(), hoofd, wachtrij, u'/' + werk, lokaal.path());

    EXPECT_EQ(r.gedaan, boom.size());
    EXPECT_EQ(r.mislukt, 0);
    EXPECT_EQ(r.mislukteMappen, 0);
    // The refused logins end in their own time.
    EXPECT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.pool().Levend() == 1; }));
    QMap<QString, QByteArray> aangekomen;
    if (download) {
        aangekomen = Lokaal(lokaal.path());
        aangekomen.remove(QStringLiteral("bekend.txt"));
    } else {
        aangekomen = Voorvoegen("boom/", Lokaal(server.pad(werk + QStringLiteral("/boom"))));
    }
    EXPECT_TRUE(aangekomen == boom) << aangekomen.size() << " of " << boom.size();
}

// One login per address: the panes' session has it and every connection of the queue is refused,
// so the files move over the panes' session, one after the other, as a single-connection client
// moves them.
TEST_P(Verbindingen, OneLoginPerAddressSharesThePanesSession)
{
    if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and the package";
    const QMap<QString, QByteArray> boom = KleineBoom(2, 4);
    const bool download = GetParam() == Richting::Download;
    VsftpdServer server(VsftpdOpties{.maxPerIp = 1});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    FtpSession panelen;
    // The server counts the fixture's readiness probe until that connection's process has ended.
    ASSERT_TRUE(Vamox::Test::WachtTot([&] {
        return panelen.FtpVerbindingOpenen(
            {server.host(), server.gebruiker(), server.wachtwoord(), server.poort(), TlsKeuze::Geen});
    }));
    Wachtrij wachtrij(panelen);
    wachtrij.ZetVerbindingen(4);
    const QString werk = VsftpdServer::werkMap();
    Schrijven(download ? server.pad(werk) : tmp.path(), boom);

    const Overdrachtsresultaat r = Overzetten(GetParam(), panelen, wachtrij, u'/' + werk, tmp.path());

    EXPECT_EQ(r.gedaan, boom.size());
    EXPECT_EQ(r.mislukt, 0);
    EXPECT_TRUE(wachtrij.pool().DeeltSessie());
    EXPECT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.pool().Levend() == 0; }));
    const QMap<QString, QByteArray> aangekomen =
        download ? Lokaal(tmp.path()) : Voorvoegen("boom/", Lokaal(server.pad(werk + QStringLiteral("/boom"))));
    EXPECT_TRUE(aangekomen == boom) << aangekomen.size() << " of " << boom.size();
}

INSTANTIATE_TEST_SUITE_P(Richtingen, Verbindingen, ::testing::Values(Richting::Download, Richting::Upload),
                         [](const auto& info) {
                             return info.param == Richting::Download ? "Download" : "Upload";
                         });

// A connection that breaks in the middle of a file is not used again and its file is handed out
// once more: a single drop costs nothing, a second drop of the same file fails it, counted once.
// A failed file leaves nothing under its name, on the disk or on the server (a web server would
// serve half a file). Once the server is well again, the failed file is queued again and arrives
// whole. (The session's own resume is off, so the queue's retries are what is seen.)
TEST(WachtrijBreuk, ABrokenConnectionRetriesItsFileOnceAndAFailedFileArrivesWhenRetried)
{
    struct Geval
    {
        Richting richting;
        int drops;
        qint64 mislukt;
    };
    for (const Geval g : {Geval{Richting::Download, 1, 0}, Geval{Richting::Download, 2, 1},
                          Geval{Richting::Upload, 1, 0}, Geval{Richting::Upload, 2, 1}}) {
        const bool download = g.richting == Richting::Download;
        SCOPED_TRACE(std::string(download ? "download " : "upload ") + std::to_string(g.drops));
        FtpTestServer server(download ? FtpServerOpties{.dropRetrNa = 1000, .dropKeren = g.drops}
                                      : FtpServerOpties{.dropStorNa = 1000, .dropKeren = g.drops});
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        QMap<QString, QByteArray> boom;
        for (int i = 0; i < 20; ++i)
            boom.insert(QStringLiteral("boom/k%1.txt").arg(i, 2, 10, QLatin1Char('0')),
                        QByteArray(100 + i, 'k'));
        boom.insert(QStringLiteral("boom/sub/groot.bin"), QByteArray(5000, 'g'));
        QTemporaryDir tmp;
        Schrijven(download ? server.root() : tmp.path(), boom);
        const QString doel = download ? tmp.path() : server.root();
        FtpSession sessie;
        Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.hervatPogingen = 0; });
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
        Wachtrij wachtrij(sessie);
        wachtrij.ZetVerbindingen(4);

        const Overdrachtsresultaat r = Overzetten(g.richting, sessie, wachtrij, QString(), tmp.path());

        EXPECT_EQ(r.mislukt, g.mislukt);
        EXPECT_EQ(r.gedaan, boom.size() - g.mislukt);
        EXPECT_EQ(wachtrij.Stand().bestandenKlaar, boom.size());
        // No half file, and no temporary one left.
        QMap<QString, QByteArray> zonder = boom;
        if (g.mislukt) zonder.remove(QStringLiteral("boom/sub/groot.bin"));
        const auto aangekomen = [&] { return Lokaal(doel); };
        EXPECT_TRUE(aangekomen() == zonder) << aangekomen().keys().join(u' ').toStdString();

        const quint64 opnieuw = wachtrij.MisluktenOpnieuw();
        EXPECT_EQ(opnieuw != 0, g.mislukt > 0);
        if (opnieuw != 0) {
            EXPECT_EQ(wachtrij.Wachten(opnieuw).gedaan, 1);
        }
        EXPECT_TRUE(aangekomen() == boom);
    }
}

// Stopping a run over four connections: what waited is never begun, what ran is whole or absent
// (never partial), and no temporary file stays behind. The first Escape of a folder download lets
// the files under way finish; nothing is handed out after it.
TEST(WachtrijStoppen, AStopLeavesOnlyWholeFiles)
{
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Stoppen");
        FtpTestServer server({.snelheid = 200'000});
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        QMap<QString, QByteArray> boom;
        for (int i = 0; i < 12; ++i)
            boom.insert(QStringLiteral("boom/b%1.bin").arg(i, 2, 10, QLatin1Char('0')),
                        QByteArray(60'000 + i, char('a' + i)));
        Schrijven(server.root(), boom);
        QTemporaryDir tmp;
        FtpSession sessie;
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
        Wachtrij wachtrij(sessie);
        wachtrij.ZetVerbindingen(4);
        Alles vragen;
        const quint64 ronde = wachtrij.Toevoegen(
            MapDownloadenPlannen(QStringLiteral("/boom"), sessie.FtpBoomLezen(QStringLiteral("/boom")), tmp.path(),
                                 vragen),
            {}, {.tweetraps = true});
        ASSERT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.Stand().lopend > 0; }));
        if (escape)
            wachtrij.Escape();
        else
            wachtrij.Stoppen();
        qint64 nietBegonnen = 0;
        for (const Klus& k : wachtrij.Klussen())
            if (k.staat == Klus::Staat::Geannuleerd) ++nietBegonnen;
        const Overdrachtsresultaat r = wachtrij.Wachten(ronde);

        EXPECT_TRUE(r.gestopt);
        EXPECT_EQ(r.geannuleerd, !escape);
        EXPECT_GT(nietBegonnen, 0);
        // Nothing that waited ran after the stop.
        qint64 geannuleerd = 0;
        for (const Klus& k : wachtrij.Klussen())
            if (k.staat == Klus::Staat::Geannuleerd && k.verbinding < 0) ++geannuleerd;
        EXPECT_EQ(geannuleerd, nietBegonnen);
        const QMap<QString, QByteArray> aangekomen = Lokaal(tmp.path());
        for (auto it = aangekomen.begin(); it != aangekomen.end(); ++it)
            EXPECT_EQ(it.value(), boom.value(it.key())) << it.key().toStdString();
        EXPECT_EQ(aangekomen.size(), r.gedaan);
        if (escape) {
            EXPECT_EQ(r.mislukt, 0); // what ran finished
        }
        // The counts are those of the jobs' states.
        qint64 klaar = 0, mislukt = 0, afgebroken = 0;
        for (const Klus& k : wachtrij.Klussen()) {
            klaar += k.staat == Klus::Staat::Klaar;
            mislukt += k.staat == Klus::Staat::Mislukt;
            afgebroken += k.staat == Klus::Staat::Geannuleerd && k.verbinding >= 0;
        }
        EXPECT_EQ(r.gedaan, klaar);
        EXPECT_EQ(r.mislukt, mislukt);
        EXPECT_EQ(r.afgebroken, afgebroken);
        EXPECT_EQ(wachtrij.Stand().mislukt, mislukt);
    }
}

// Every signal of the queue may be answered with any of its public calls (a slot that stops the run
// when one of its files is done, or clears the list): the queue ends the run whole and stays usable.
TEST(WachtrijSignalen, MayBeAnsweredWithAnyPublicCall)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    QMap<QString, QByteArray> boom;
    for (int i = 0; i < 24; ++i)
        boom.insert(QStringLiteral("boom/b%1.txt").arg(i, 2, 10, QLatin1Char('0')), QByteArray(200 + i, 'b'));
    Schrijven(server.root(), boom);
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    enum class Signaal { Toegevoegd, Gewijzigd, Bezig, Afgerond };
    enum class Oproep { RondeStoppen, Stoppen, Escape, LijstWissen, Opnieuw, Toevoegen };
    for (const Signaal signaal : {Signaal::Toegevoegd, Signaal::Gewijzigd, Signaal::Bezig, Signaal::Afgerond}) {
        for (const Oproep oproep : {Oproep::RondeStoppen, Oproep::Stoppen, Oproep::Escape, Oproep::LijstWissen,
                                    Oproep::Opnieuw, Oproep::Toevoegen}) {
            SCOPED_TRACE(testing::Message() << "signal " << int(signaal) << ", call " << int(oproep));
            QTemporaryDir tmp;
            Wachtrij wachtrij(sessie);
            wachtrij.ZetVerbindingen(4);
            Alles vragen;
            quint64 ronde = 0;
            // At the 5th change of a job; at the first of the signals that come once or twice a run.
            const int drempel = signaal == Signaal::Gewijzigd ? 5 : 1;
            int keren = 0;
            const auto doe = [&] {
                if (++keren != drempel) return;
                switch (oproep) {
                case Oproep::RondeStoppen: wachtrij.RondeStoppen(ronde); break;
                case Oproep::Stoppen: wachtrij.Stoppen(); break;
                case Oproep::Escape: wachtrij.Escape(); break;
                case Oproep::LijstWissen: wachtrij.LijstWissen(); break;
                case Oproep::Opnieuw: wachtrij.MisluktenOpnieuw(); break;
                case Oproep::Toevoegen: wachtrij.Toevoegen({}); break;
                }
            };
            switch (signaal) {
            case Signaal::Toegevoegd:
                QObject::connect(&wachtrij, &Wachtrij::klussenToegevoegd, doe);
                break;
            case Signaal::Gewijzigd:
                QObject::connect(&wachtrij, &Wachtrij::klusGewijzigd, doe);
                break;
            case Signaal::Bezig:
                QObject::connect(&wachtrij, &Wachtrij::bezigGewijzigd, doe);
                break;
            case Signaal::Afgerond:
                QObject::connect(&wachtrij, &Wachtrij::rondeAfgerond, doe);
                break;
            }
            ronde = wachtrij.Toevoegen(MapDownloadenPlannen(QStringLiteral("/boom"),
                                                            sessie.FtpBoomLezen(QStringLiteral("/boom")),
                                                            tmp.path(), vragen));
            const Overdrachtsresultaat r = wachtrij.Wachten(ronde);
            EXPECT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.Stil(); }));
            EXPECT_LE(r.gedaan + r.mislukt + r.afgebroken, boom.size());
            for (const Klus& k : wachtrij.Klussen())
                EXPECT_TRUE(k.Afgehandeld());
            // Still usable: a second run moves everything.
            QTemporaryDir tweede;
            const Overdrachtsresultaat daarna = Vamox::Test::Uitvoeren(
                wachtrij, MapDownloadenPlannen(QStringLiteral("/boom"), sessie.FtpBoomLezen(QStringLiteral("/boom")),
                                               tweede.path(), vragen));
            EXPECT_EQ(daarna.gedaan, boom.size());
        }
    }
}

// With the transfers in the background, the panes' session lists a folder while a download runs,
// and a second run joins and completes on another connection before the first is done.
TEST(WachtrijAchtergrond, AListingAndASecondTransferGoWhileADownloadRuns)
{
    FtpTestServer server({.snelheid = 250'000});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    const QByteArray groot(500'000, 'g');
    server.schrijf(QStringLiteral("groot.bin"), groot);
    for (int i = 0; i < 50; ++i)
        server.schrijf(QStringLiteral("veel/f%1.txt").arg(i), "x");
    QTemporaryDir tmp;
    Vamox::Test::SchrijfBestand(tmp.filePath(QStringLiteral("klein.txt")), "klein");
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    wachtrij.ZetVerbindingen(2);

    const quint64 eerste = wachtrij.Toevoegen(
        DownloadenPlannen({{QStringLiteral("/groot.bin"), groot.size()}}, tmp.path(), nullptr));
    ASSERT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.Stand().lopend > 0; }));

    const auto lijst = sessie.FtpMapLezen(QStringLiteral("/veel/"));
    ASSERT_TRUE(lijst.has_value());
    EXPECT_EQ(lijst->size(), 50u);
    const Overdrachtsresultaat tweede = Vamox::Test::Uitvoeren(
        wachtrij, UploadenPlannen(sessie, {tmp.filePath(QStringLiteral("klein.txt"))}, QStringLiteral("/"), nullptr));
    EXPECT_EQ(tweede.gedaan, 1);
    EXPECT_TRUE(wachtrij.Bezig()); // the download still runs
    EXPECT_EQ(server.lees(QStringLiteral("klein.txt")), "klein");

    EXPECT_EQ(wachtrij.Wachten(eerste).gedaan, 1);
    EXPECT_EQ(Vamox::Test::LeesBestand(tmp.filePath(QStringLiteral("groot.bin"))), groot);
}

} // namespace
