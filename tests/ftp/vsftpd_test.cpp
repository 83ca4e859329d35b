#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include "support/Wachten.h"

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
        if (!VsftpdServer::beschikbaar())
            GTEST_SKIP() << "vsftpd needs root and the package";
        server = std::make_unique<VsftpdServer>(opties);
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        sessie.poort = server->poort();
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server->host(), server->gebruiker(), server->wachtwoord(),
                                               QStringLiteral("test")));
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
    ASSERT_TRUE(sessie.ServermapLezen(u'/' + VsftpdServer::werkMap()));
    EXPECT_EQ(sessie.ServerMappen, (QStringList{QStringLiteral(" .."), QStringLiteral("sub map")}));
    ASSERT_EQ(sessie.ServerBestanden.size(), 1);
    EXPECT_EQ(sessie.ServerBestanden.at(0).section(Scheidingsteken, 0, 0), QStringLiteral("Data 1.txt"));
    EXPECT_EQ(sessie.ServerBestanden.at(0).section(Scheidingsteken, 2), QStringLiteral("3"));

    QFile bron(tmp.filePath(QStringLiteral("bron")));
    ASSERT_TRUE(bron.open(QIODevice::WriteOnly));
    bron.write(QByteArray(70000, 'v'));
    bron.close();
    EXPECT_TRUE(sessie.FtpBestandPlaatsen(bron.fileName(), werk(QStringLiteral("sub map/op.bin"))));
    EXPECT_TRUE(sessie.FtpBestandHalen(tmp.filePath(QStringLiteral("neer")), werk(QStringLiteral("sub map/op.bin"))));
    QFile neer(tmp.filePath(QStringLiteral("neer")));
    ASSERT_TRUE(neer.open(QIODevice::ReadOnly));
    EXPECT_EQ(neer.readAll(), QByteArray(70000, 'v'));
    // The size the server announces when the transfer starts beats an outdated listed one.
    EXPECT_TRUE(sessie.FtpBestandHalen(tmp.filePath(QStringLiteral("neer2")), werk(QStringLiteral("sub map/op.bin")), 5));
    EXPECT_EQ(QFileInfo(tmp.filePath(QStringLiteral("neer2"))).size(), 70000);
    EXPECT_TRUE(sessie.ServerpadBestaat(werk(QStringLiteral("sub map/op.bin")), false));
    EXPECT_EQ(sessie.FtpMapPeilen(werk(QStringLiteral("sub map/op.bin"))), 70000);
    EXPECT_TRUE(sessie.FtpNaamWijzigen(werk(QStringLiteral("sub map/op.bin")), werk(QStringLiteral("weg.bin"))));
    EXPECT_TRUE(sessie.FtpBestandWissen(werk(QStringLiteral("weg.bin"))));
    EXPECT_TRUE(sessie.FtpMapWissen(werk(QStringLiteral("sub map"))));
    EXPECT_FALSE(sessie.FtpMapWissen(werk(QStringLiteral("sub map"))));
}

TEST_F(VsftpdSessieTest, AnIdleDropIsHealedByOneRetry)
{
    start({.idleTimeoutS = 1});
    EXPECT_TRUE(sessie.FtpVerbindingActief());
    // Wait until the server has ended the idle session (its session process is gone).
    ASSERT_TRUE(Vamox::Test::WachtTot([&] { return server->sessies() == 0; }));
    QStringList b, m;
    EXPECT_TRUE(sessie.FtpMapLezen(b, m, u'/' + VsftpdServer::werkMap()));
    EXPECT_TRUE(sessie.FtpVerbindingActief());
}

} // namespace
