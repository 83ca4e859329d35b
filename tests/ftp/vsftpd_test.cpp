#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"

#include "support/Wachten.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::VsftpdOpties;
using Vamox::Test::VsftpdServer;

namespace {

// The same session against a second server that offers no MLSD (its LIST is parsed instead).
class VsftpdSessieTest : public ::testing::Test
{
protected:
    void start(VsftpdOpties opties = {})
    {
        if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and the package";
        server = std::make_unique<VsftpdServer>(opties);
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(
            {server->host(), server->gebruiker(), server->wachtwoord(), server->poort()}));
    }
    QString werk(const QString& naam) const { return u'/' + VsftpdServer::werkMap() + u'/' + naam; }

    std::unique_ptr<VsftpdServer> server;
    FtpSession sessie;
    QTemporaryDir tmp;
};

TEST_F(VsftpdSessieTest, ListsThroughListAndTransfersBothWays)
{
    start();
    EXPECT_FALSE(sessie.gebruiktMlsd());
    server->schrijf(VsftpdServer::werkMap() + QStringLiteral("/Data 1.txt"), "een");
    server->maakMap(VsftpdServer::werkMap() + QStringLiteral("/sub map"));
    const std::optional<Mapinhoud> inhoud = sessie.ServermapLezen(u'/' + VsftpdServer::werkMap());
    ASSERT_TRUE(inhoud);
    ASSERT_EQ(inhoud->mappen.size(), 2u);
    EXPECT_EQ(inhoud->mappen.at(0).naam, QStringLiteral(" .."));
    EXPECT_EQ(inhoud->mappen.at(1).naam, QStringLiteral("sub map"));
    ASSERT_EQ(inhoud->bestanden.size(), 1u);
    EXPECT_EQ(inhoud->bestanden.at(0).naam, QStringLiteral("Data 1.txt"));
    EXPECT_EQ(inhoud->bestanden.at(0).grootte, 3);

    QFile bron(tmp.filePath(QStringLiteral("bron")));
    ASSERT_TRUE(bron.open(QIODevice::WriteOnly));
    bron.write(QByteArray(70000, 'v'));
    bron.close();
    EXPECT_TRUE(sessie.FtpBestandPlaatsen(bron.fileName(), werk(QStringLiteral("sub map/op.bin"))));
    EXPECT_TRUE(
        sessie.FtpBestandHalen(tmp.filePath(QStringLiteral("neer")), werk(QStringLiteral("sub map/op.bin"))));
    QFile neer(tmp.filePath(QStringLiteral("neer")));
    ASSERT_TRUE(neer.open(QIODevice::ReadOnly));
    EXPECT_EQ(neer.readAll(), QByteArray(70000, 'v'));
    // The size the server announces when the transfer starts beats an outdated listed one.
    EXPECT_TRUE(sessie.FtpBestandHalen(tmp.filePath(QStringLiteral("neer2")),
                                       werk(QStringLiteral("sub map/op.bin")), 5));
    EXPECT_EQ(QFileInfo(tmp.filePath(QStringLiteral("neer2"))).size(), 70000);
    EXPECT_TRUE(sessie.ServerpadBestaat(werk(QStringLiteral("sub map/op.bin")), false));
    EXPECT_EQ(sessie.FtpMapPeilen(werk(QStringLiteral("sub map/op.bin"))), 70000);
    // Replaced through a temporary name beside it, which does not stay.
    ASSERT_TRUE(bron.open(QIODevice::WriteOnly));
    bron.write(QByteArray(80000, 'w'));
    bron.close();
    EXPECT_TRUE(sessie.FtpBestandPlaatsen(bron.fileName(), werk(QStringLiteral("sub map/op.bin"))));
    EXPECT_EQ(server->lees(VsftpdServer::werkMap() + QStringLiteral("/sub map/op.bin")),
              QByteArray(80000, 'w'));
    EXPECT_EQ(QDir(server->pad(VsftpdServer::werkMap() + QStringLiteral("/sub map")))
                  .entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("op.bin")});
    EXPECT_TRUE(
        sessie.FtpNaamWijzigen(werk(QStringLiteral("sub map/op.bin")), werk(QStringLiteral("weg.bin"))));
    EXPECT_TRUE(sessie.FtpBestandWissen(werk(QStringLiteral("weg.bin"))));
    EXPECT_TRUE(sessie.FtpMapWissen(werk(QStringLiteral("sub map"))));
    EXPECT_FALSE(sessie.FtpMapWissen(werk(QStringLiteral("sub map"))));
}

// vsftpd shows dot files only to "LIST -a"; "." and ".." come with them.
TEST_F(VsftpdSessieTest, HiddenEntriesAreListedAndWalked)
{
    start();
    const QString w = VsftpdServer::werkMap();
    server->schrijf(w + QStringLiteral("/.htaccess"), "deny");
    server->schrijf(w + QStringLiteral("/.verborgen/x"), "x");
    server->schrijf(w + QStringLiteral("/zichtbaar"), "z");
    const auto namen = [](const std::vector<FtpEntry>& entries) {
        QStringList uit;
        for (const FtpEntry& e : entries)
            uit << e.naam;
        return uit;
    };
    const std::optional<Mapinhoud> map = sessie.ServermapLezen(u'/' + w);
    ASSERT_TRUE(map);
    EXPECT_EQ(namen(map->mappen), (QStringList{QStringLiteral(" .."), QStringLiteral(".verborgen")}));
    EXPECT_EQ(namen(map->bestanden), (QStringList{QStringLiteral(".htaccess"), QStringLiteral("zichtbaar")}));
    const std::optional<Mapinhoud> wortel = sessie.ServermapLezen(QStringLiteral("/"));
    ASSERT_TRUE(wortel);
    EXPECT_EQ(namen(wortel->mappen), QStringList{w}); // no parent row from a listed ".."

    const FtpBoom boom = sessie.FtpBoomLezen(u'/' + w);
    EXPECT_EQ(boom.mappen, QStringList{u'/' + w + QStringLiteral("/.verborgen")});
    QStringList bestanden;
    for (const FtpBoom::Bestand& b : boom.bestanden)
        bestanden << b.pad;
    bestanden.sort();
    EXPECT_EQ(bestanden, (QStringList{u'/' + w + QStringLiteral("/.htaccess"),
                                      u'/' + w + QStringLiteral("/.verborgen/x"),
                                      u'/' + w + QStringLiteral("/zichtbaar")}));
    EXPECT_EQ(boom.mislukt, 0);
}

TEST_F(VsftpdSessieTest, AnIdleDropIsHealedByOneRetry)
{
    start({.idleTimeoutS = 1});
    EXPECT_TRUE(sessie.FtpVerbindingActief());
    // Wait until the server has ended the idle session (its session process is gone).
    ASSERT_TRUE(Vamox::Test::WachtTot([&] { return server->sessies() == 0; }));
    EXPECT_TRUE(sessie.FtpMapLezen(u'/' + VsftpdServer::werkMap()));
    EXPECT_TRUE(sessie.FtpVerbindingActief());
}

} // namespace
