#include "support/Vragen.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
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
        Vamox::Test::CertificatenZetten(*s, bekend());
        auto& v = *antwoorders.emplace_back(std::make_unique<Vamox::Test::Vragen>());
        v.certificaatVertrouwen = [this, ja](const CertificaatInfo& c) {
            gevraagd.push_back(c);
            return ja;
        };
        v.certificaatGewijzigd = [this](const CertificaatInfo& c) { gewijzigd.push_back(c); };
        s->ZetVragen(&v);
        return s;
    }
    FtpGegevens gegevens(TlsKeuze tls = TlsKeuze::IndienBeschikbaar) const
    {
        return {server->host(), server->gebruiker(), server->wachtwoord(), server->poort(), tls};
    }
    QString bekend() const { return tmp.filePath(QStringLiteral("vamox.certificaten")); }

    std::unique_ptr<VsftpdServer> server;
    std::vector<std::unique_ptr<Vamox::Test::Vragen>> antwoorders; // the sessions' answers
    QTemporaryDir tmp;
    std::vector<CertificaatInfo> gevraagd;
    std::vector<CertificaatInfo> gewijzigd;
};

TEST_F(TlsTest, AnUnknownCertificateIsAskedAboutOnceThenPinnedAndAChangedOneRefused)
{
    // The server takes no plain login: "FTP zonder TLS" cannot get in.
    EXPECT_FALSE(sessie(true)->FtpVerbindingOpenen(gegevens(TlsKeuze::Geen)));
    EXPECT_TRUE(gevraagd.empty());

    // "Nee": no login, nothing remembered.
    EXPECT_FALSE(sessie(false)->FtpVerbindingOpenen(gegevens()));
    ASSERT_EQ(gevraagd.size(), 1u);
    EXPECT_EQ(gevraagd[0].host, server->host());
    EXPECT_EQ(gevraagd[0].poort, server->poort());
    EXPECT_EQ(gevraagd[0].vingerafdruk.size(), 32 * 3 - 1);
    EXPECT_TRUE(gevraagd[0].geldigTot.isValid() && gevraagd[0].geldigVanaf < gevraagd[0].geldigTot);
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
    Vamox::Test::TijdenZetten(*s, [](FtpTijden& t) { t.hervatPogingen = 0; });
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

// A server whose certificate is trusted is never logged in to without TLS: one that answers AUTH
// with a refusal (restarted or impersonated as plain FTP on the same port) is refused before the
// user name goes out. So is a server whose line in the known-certificates file names no usable
// pin, and every server while that file cannot be read: "unknown, trust it?" would hand the
// password to whoever holds the key. "FTP zonder TLS" chosen for the server still means no TLS.
TEST(TlsKeuzeTest, APinnedServerWithoutTlsGetsNoUserNameAndABadPinFileFailsClosed)
{
    FtpTestServer server(FtpServerOpties{.commandoLog = true});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    QTemporaryDir tmp;
    const QString bekend = tmp.filePath(QStringLiteral("vamox.certificaten"));
    const QString pin = "sha256//" + QByteArray(32, 'p').toBase64();
    const QString hier = QStringLiteral("127.0.0.1 %1 ").arg(server.poort());
    using M = Certificaatmelding;
    struct Geval
    {
        const char* naam;
        QString regel; // of the known-certificates file; "/" makes the file a folder (unreadable)
        TlsKeuze tls;
        std::optional<M> melding; // set: refused with this notice
        bool overgenomen = false; // a second connection that took over the first one's pin
    };
    const Geval gevallen[] = {
        {"pinned, TLS when available", hier + pin + " AB:CD", TlsKeuze::IndienBeschikbaar, M::GeenTls},
        {"pinned, TLS only", hier + pin + " AB:CD", TlsKeuze::Alleen, M::GeenTls},
        {"pinned, no TLS chosen", hier + pin + " AB:CD", TlsKeuze::Geen, std::nullopt},
        {"pinned for another port", QStringLiteral("127.0.0.1 %1 ").arg(server.poort() + 1) + pin,
         TlsKeuze::IndienBeschikbaar, std::nullopt},
        {"pin taken over", QString(), TlsKeuze::IndienBeschikbaar, M::GeenTls, true},
        {"line without pin", hier.trimmed(), TlsKeuze::IndienBeschikbaar, M::PinOngeldig},
        {"malformed pin", hier + "sha256//kapot AB:CD", TlsKeuze::IndienBeschikbaar, M::PinOngeldig},
        {"unreadable file", QStringLiteral("/"), TlsKeuze::IndienBeschikbaar, M::BestandOnleesbaar},
    };
    for (const Geval& g : gevallen) {
        SCOPED_TRACE(g.naam);
        QFile::remove(bekend);
        QDir().rmdir(bekend);
        if (g.regel == QLatin1String("/")) {
            ASSERT_TRUE(QDir().mkdir(bekend));
        } else if (!g.regel.isEmpty()) {
            QFile f(bekend);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(g.regel.toUtf8() + '\n');
        }
        FtpSession sessie;
        Vamox::Test::CertificatenZetten(sessie, bekend);
        std::vector<std::pair<M, CertificaatInfo>> meldingen;
        Vamox::Test::Vragen vragen;
        vragen.certificaatMelding = [&](M m, const CertificaatInfo& c) { meldingen.emplace_back(m, c); };
        sessie.ZetVragen(&vragen);
        FtpGegevens gegevens = server.gegevens();
        gegevens.tls = g.tls;
        const qsizetype eerder = server.ontvangen().size();
        const bool ingelogd =
            g.overgenomen ? sessie.FtpVerbindingOvernemen({.gegevens = gegevens, .pin = pin.toLatin1()})
                          : sessie.FtpVerbindingOpenen(gegevens);
        const QStringList ontvangen = server.ontvangen().mid(eerder);
        const bool geweigerd = g.melding.has_value();
        EXPECT_EQ(ingelogd, !geweigerd);
        EXPECT_EQ(!ontvangen.filter(QRegularExpression(QStringLiteral("^(USER|PASS)"))).isEmpty(), !geweigerd)
            << ontvangen.join(u'|').toStdString();
        if (g.melding) {
            EXPECT_EQ(meldingen.size(), 1u);
            if (meldingen.empty()) continue;
            EXPECT_EQ(meldingen[0].first, *g.melding);
            EXPECT_EQ(meldingen[0].second.host, server.host());
            EXPECT_EQ(meldingen[0].second.poort, server.poort());
            // A file that says no more than "refuse" keeps the server from hearing anything.
            if (*g.melding != M::GeenTls) {
                EXPECT_TRUE(ontvangen.isEmpty());
            }
        } else {
            EXPECT_TRUE(meldingen.empty());
        }
    }
}

} // namespace
