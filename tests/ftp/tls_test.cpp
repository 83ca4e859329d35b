#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::FtpTestServer;
using Vamox::Test::VsftpdOpties;
using Vamox::Test::VsftpdServer;

namespace {

class TlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and the package";
        // Plain logins and plain data connections refused, the TLS session reused on data.
        server = std::make_unique<VsftpdServer>(VsftpdOpties{.tls = true, .alleenTls = true});
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
    }

    // A session that answers the certificate question with `ja` and counts what it was asked.
    std::unique_ptr<FtpSession> sessie(bool ja)
    {
        auto s = std::make_unique<FtpSession>();
        s->bekendeCertificatenPad = bekend();
        s->certificaatVertrouwen = [this, ja](const CertificaatInfo& c) {
            gevraagd.push_back(c);
            return ja;
        };
        s->certificaatGewijzigd = [this](const CertificaatInfo& c) { gewijzigd.push_back(c); };
        return s;
    }
    FtpGegevens gegevens(TlsKeuze tls = TlsKeuze::IndienBeschikbaar) const
    {
        return {server->host(), server->gebruiker(), server->wachtwoord(), server->poort(), tls};
    }
    QString bekend() const { return tmp.filePath(QStringLiteral("vamox.certificaten")); }

    std::unique_ptr<VsftpdServer> server;
    QTemporaryDir tmp;
    std::vector<CertificaatInfo> gevraagd;
    std::vector<CertificaatInfo> gewijzigd;
};

TEST_F(TlsTest, AnUnknownCertificateIsAskedAboutOnceThenPinnedAndAChangedOneRefused)
{
    // The server takes no plain login: "Geen TLS" cannot get in.
    EXPECT_FALSE(sessie(true)->FtpVerbindingOpenen(gegevens(TlsKeuze::Geen)));
    EXPECT_TRUE(gevraagd.empty());

    // "Nee": no login, nothing remembered.
    EXPECT_FALSE(sessie(false)->FtpVerbindingOpenen(gegevens()));
    ASSERT_EQ(gevraagd.size(), 1u);
    EXPECT_EQ(gevraagd[0].host, server->host());
    EXPECT_EQ(gevraagd[0].poort, server->poort());
    EXPECT_EQ(gevraagd[0].vingerafdruk.size(), 32 * 3 - 1);
    EXPECT_FALSE(gevraagd[0].geldigTot.isEmpty());
    EXPECT_FALSE(QFile::exists(bekend()));

    // "Ja": logged in over TLS; byte-exact both ways over protected data connections.
    auto s = sessie(true);
    ASSERT_TRUE(s->FtpVerbindingOpenen(gegevens(TlsKeuze::Alleen)));
    EXPECT_EQ(gevraagd.size(), 2u);
    EXPECT_EQ(QFile::permissions(bekend()), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadUser | QFileDevice::WriteUser);
    QByteArray inhoud(300000, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(inhoud.data()), inhoud.size() / 4);
    QFile bron(tmp.filePath(QStringLiteral("bron")));
    ASSERT_TRUE(bron.open(QIODevice::WriteOnly) && bron.write(inhoud) == inhoud.size());
    bron.close();
    const QString op = u'/' + VsftpdServer::werkMap() + QStringLiteral("/op.bin");
    EXPECT_TRUE(s->FtpBestandPlaatsen(bron.fileName(), op));
    EXPECT_TRUE(s->FtpBestandHalen(tmp.filePath(QStringLiteral("neer")), op));
    QFile neer(tmp.filePath(QStringLiteral("neer")));
    ASSERT_TRUE(neer.open(QIODevice::ReadOnly));
    EXPECT_TRUE(neer.readAll() == inhoud);
    EXPECT_TRUE(s->ServermapLezen(u'/' + VsftpdServer::werkMap()));

    // Known now: a new session is not asked again.
    EXPECT_TRUE(sessie(true)->FtpVerbindingOpenen(gegevens()));
    EXPECT_EQ(gevraagd.size(), 2u);

    // Another certificate on the same host and port: refused with a warning, never asked.
    server->stop();
    ASSERT_TRUE(server->nieuwCertificaat());
    ASSERT_TRUE(server->start()) << server->fout().toStdString();
    EXPECT_FALSE(sessie(true)->FtpVerbindingOpenen(gegevens()));
    EXPECT_EQ(gevraagd.size(), 2u);
    ASSERT_EQ(gewijzigd.size(), 1u);
    EXPECT_NE(gewijzigd[0].vingerafdruk, gevraagd[1].vingerafdruk);
    EXPECT_FALSE(gewijzigd[0].vingerafdruk.isEmpty());
}

TEST_F(TlsTest, FilesInARowGoBothWaysWithoutABrokenTransferOnTheWay)
{
    // vsftpd refuses a data connection that did not take over the login's TLS session: under
    // TLS 1.3 it answered 522 to uploads and cut downloads short from the second file on. No
    // resume may cover that up here.
    auto s = sessie(true);
    s->tijden.hervatPogingen = 0;
    ASSERT_TRUE(s->FtpVerbindingOpenen(gegevens(TlsKeuze::Alleen)));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const QByteArray inhoud = QByteArray::number(i).repeated(1000 + i);
        QFile bron(tmp.filePath(QStringLiteral("bron%1").arg(i)));
        ASSERT_TRUE(bron.open(QIODevice::WriteOnly) && bron.write(inhoud) == inhoud.size());
        bron.close();
        const QString rel = VsftpdServer::werkMap() + QStringLiteral("/rij%1.bin").arg(i);
        EXPECT_TRUE(s->FtpBestandPlaatsen(bron.fileName(), u'/' + rel));
        EXPECT_EQ(server->lees(rel), inhoud);
        const QString neer = tmp.filePath(QStringLiteral("neer%1").arg(i));
        EXPECT_TRUE(s->FtpBestandHalen(neer, u'/' + rel));
        QFile terug(neer);
        ASSERT_TRUE(terug.open(QIODevice::ReadOnly));
        EXPECT_EQ(terug.readAll(), inhoud);
    }
}

TEST(TlsKeuzeTest, OnlyTlsRefusesAServerWithoutIt)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    FtpSession sessie;
    FtpGegevens g = server.gegevens();
    g.tls = TlsKeuze::Alleen;
    EXPECT_FALSE(sessie.FtpVerbindingOpenen(g));
    g.tls = TlsKeuze::IndienBeschikbaar;
    EXPECT_TRUE(sessie.FtpVerbindingOpenen(g));
}

} // namespace
