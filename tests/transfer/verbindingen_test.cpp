#include "TransferTestHulp.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "transfer/Overdracht.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// Folder transfers over more connections than the main session's, against real servers.

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

// The run's progress: every file handled once, its bytes counted once.
class Telling final : public Voortgangsmelder
{
public:
    void BestandBegint(const QString&, qint64 grootte) override { bytes += std::max<qint64>(grootte, 0); }
    void BestandKlaar() override { ++klaar; }
    qint64 klaar = 0;
    qint64 bytes = 0;
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
Overdrachtsresultaat Overzetten(Richting richting, FtpSession& sessie, const QString& werk,
                                const QString& lokaal, int verbindingen, Telling& telling)
{
    Alles vragen;
    if (richting == Richting::Download) {
        const QString van = werk + QStringLiteral("/boom");
        const FtpBoom boom = sessie.FtpBoomLezen(van);
        EXPECT_EQ(boom.mislukt, 0);
        return MapDownloaden(sessie, van, boom, lokaal, vragen, telling, {}, verbindingen);
    }
    const LokaleBoom boom = LokaleMapScannen(lokaal + QStringLiteral("/boom"));
    return MapUploaden(sessie, boom, werk + u'/', vragen, telling, verbindingen);
}

class Verbindingen : public ::testing::TestWithParam<Richting>
{
protected:
    QTemporaryDir tmp;
    FtpSession sessie;
};

TEST_P(Verbindingen, ATreeOfSmallFilesArrivesWholeOverFourConnections)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    const QMap<QString, QByteArray> boom = KleineBoom(24, 10);
    qint64 bytes = 0;
    for (const QByteArray& inhoud : boom)
        bytes += inhoud.size();
    const bool download = GetParam() == Richting::Download;
    Schrijven(download ? server.root() : tmp.path(), boom);
    Telling telling;

    const Overdrachtsresultaat r = Overzetten(GetParam(), sessie, QString(), tmp.path(), 4, telling);

    EXPECT_EQ(r.gedaan, boom.size());
    EXPECT_EQ(r.mislukt, 0);
    EXPECT_EQ(r.bytes, bytes);
    EXPECT_EQ(r.namen.size(), boom.size());
    EXPECT_EQ(telling.klaar, boom.size());
    EXPECT_EQ(telling.bytes, bytes);
    const QMap<QString, QByteArray> aangekomen = Lokaal(download ? tmp.path() : server.root());
    EXPECT_TRUE(aangekomen == boom) << aangekomen.size() << " of " << boom.size();
}

// vsftpd with TLS, the certificate accepted by the main session, and two logins from one address
// at most: the pool shrinks to the one connection left beside the main session, which takes the
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
    hoofd.bekendeCertificatenPad = lokaal.filePath(QStringLiteral("bekend.txt"));
    hoofd.certificaatVertrouwen = [](const CertificaatInfo&) { return true; };
    ASSERT_TRUE(hoofd.FtpVerbindingOpenen(
        {server.host(), server.gebruiker(), server.wachtwoord(), server.poort(), TlsKeuze::Alleen}));
    const QString werk = VsftpdServer::werkMap();
    if (download)
        Schrijven(server.pad(werk), boom);
    else
        Schrijven(lokaal.path(), boom);
    Telling telling;

    const Overdrachtsresultaat r = Overzetten(GetParam(), hoofd, u'/' + werk, lokaal.path(), 4, telling);

    EXPECT_EQ(r.gedaan, boom.size());
    EXPECT_EQ(r.mislukt, 0);
    EXPECT_EQ(r.mislukteMappen, 0);
    QMap<QString, QByteArray> aangekomen;
    if (download) {
        aangekomen = Lokaal(lokaal.path());
        aangekomen.remove(QStringLiteral("bekend.txt"));
    } else {
        aangekomen = Voorvoegen("boom/", Lokaal(server.pad(werk + QStringLiteral("/boom"))));
    }
    EXPECT_TRUE(aangekomen == boom) << aangekomen.size() << " of " << boom.size();
}

INSTANTIATE_TEST_SUITE_P(Richtingen, Verbindingen, ::testing::Values(Richting::Download, Richting::Upload),
                         [](const auto& info) {
                             return info.param == Richting::Download ? "Download" : "Upload";
                         });

// A connection that breaks in the middle of a file is not used again and its file is handed out
// once more: a single drop costs nothing, a second drop of the same file fails it, counted once.
// (The session's own resume is off, so the pool's retry is what is seen.)
TEST(VerbindingenBreuk, ABrokenConnectionRetriesItsFileOnceAndCountsItsFailureOnce)
{
    struct Geval
    {
        int drops;
        qint64 mislukt;
    };
    for (const Geval g : {Geval{1, 0}, Geval{2, 1}}) {
        SCOPED_TRACE(g.drops);
        FtpTestServer server({.dropRetrNa = 1000, .dropKeren = g.drops});
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        QMap<QString, QByteArray> boom;
        for (int i = 0; i < 20; ++i)
            boom.insert(QStringLiteral("boom/k%1.txt").arg(i, 2, 10, QLatin1Char('0')),
                        QByteArray(100 + i, 'k'));
        const QByteArray groot(5000, 'g');
        boom.insert(QStringLiteral("boom/sub/groot.bin"), groot);
        Schrijven(server.root(), boom);
        QTemporaryDir tmp;
        FtpSession sessie;
        sessie.tijden.hervatPogingen = 0;
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
        const FtpBoom lijst = sessie.FtpBoomLezen(QStringLiteral("/boom"));
        Alles vragen;
        Telling telling;

        const Overdrachtsresultaat r =
            MapDownloaden(sessie, QStringLiteral("/boom"), lijst, tmp.path(), vragen, telling, {}, 4);

        EXPECT_EQ(r.mislukt, g.mislukt);
        EXPECT_EQ(r.gedaan, boom.size() - g.mislukt);
        EXPECT_EQ(telling.klaar, boom.size());
        // No half file, and no temporary one left.
        if (g.mislukt) boom.remove(QStringLiteral("boom/sub/groot.bin"));
        EXPECT_TRUE(Lokaal(tmp.path()) == boom) << Lokaal(tmp.path()).keys().join(u' ').toStdString();
    }
}

} // namespace
