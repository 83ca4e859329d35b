#include "dialogs/DialoogSeam.h"
#include "ftp/FtpSession.h"
#include "mainwindow/Aanmeldvensters.h"
#include "support/FtpTestServer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::FtpTestServer;
using Vamox::Test::VsftpdOpties;
using Vamox::Test::VsftpdServer;

namespace {

// A session that asks as the window's does and keeps its certificates in `bestand`.
struct Venstersessie
{
    explicit Venstersessie(const QString& bestand) : vensters(bestand)
    {
        Vertrouwensplaatsen plaatsen;
        plaatsen.certificaten = bestand;
        sessie.ZetPlaatsen(plaatsen);
        sessie.ZetVragen(&vensters);
    }
    Aanmeldvensters vensters;
    FtpSession sessie;
};

} // namespace

// The session's certificate questions reach the user as message windows: a first-contact
// question where Enter does not trust, and a warning when a trusted server changes certificate.
TEST(Certificaatvraag, GaatLangsHetBerichtvensterEnEnterVertrouwtNiet)
{
    if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and the package";
    VsftpdServer server(VsftpdOpties{.tls = true, .alleenTls = true});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    QTemporaryDir tmp;
    const QString bekend = CertificatenBestand(tmp.filePath(QStringLiteral("vamox.cfg")));
    EXPECT_EQ(bekend, tmp.filePath(QStringLiteral("vamox.certificaten")));
    Venstersessie vs(bekend);
    FtpSession& sessie = vs.sessie;
    const FtpGegevens g{server.host(), server.gebruiker(), server.wachtwoord(), server.poort()};

    {
        DialoogOpnemer opnemer; // Enter
        EXPECT_FALSE(sessie.FtpVerbindingOpenen(g));
        ASSERT_EQ(opnemer.Vragen().size(), 1u);
        const QString tekst = opnemer.Vragen()[0].opties.Tekst;
        EXPECT_TRUE(tekst.contains(server.host()) && tekst.contains(QStringLiteral("SHA-256")))
            << tekst.toStdString();
        // Dates as the lists show them, not as the certificate library prints them.
        const QString datum = QStringLiteral("\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d\r\n");
        EXPECT_TRUE(tekst.contains(QRegularExpression(QStringLiteral("Geldig van: ") + datum +
                                                      QStringLiteral("Geldig tot: ") + datum)))
            << tekst.toStdString();
    }
    {
        // Trusted, but the file cannot keep it: the login goes ahead and the user is told.
        Venstersessie ve(tmp.filePath(QStringLiteral("weg/vamox.certificaten")));
        FtpSession& elders = ve.sessie;
        DialoogOpnemer opnemer({1, 1});
        EXPECT_TRUE(elders.FtpVerbindingOpenen(g));
        ASSERT_EQ(opnemer.Vragen().size(), 2u);
        EXPECT_TRUE(opnemer.Vragen()[1].opties.Tekst.contains(QStringLiteral("kon niet worden onthouden")));
    }
    {
        DialoogOpnemer opnemer({1});
        EXPECT_TRUE(sessie.FtpVerbindingOpenen(g));
        EXPECT_EQ(opnemer.Vragen().size(), 1u);
    }
    server.stop();
    ASSERT_TRUE(server.nieuwCertificaat());
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    DialoogOpnemer opnemer({1});
    EXPECT_FALSE(sessie.FtpVerbindingOpenen(g));
    ASSERT_EQ(opnemer.Vragen().size(), 1u);
    EXPECT_TRUE(opnemer.Vragen()[0].opties.Tekst.contains(QStringLiteral("ander certificaat")));
    EXPECT_TRUE(opnemer.Vragen()[0].opties.Tekst.contains(bekend));
}

// A trusted server that no longer offers TLS, a known-certificates line without a usable pin and
// a file that cannot be read each refuse the server with a notice that names it.
TEST(Certificaatvraag, WeigeringenNoemenServerEnPoort)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    QTemporaryDir tmp;
    const QString bekend = CertificatenBestand(tmp.filePath(QStringLiteral("vamox.cfg")));
    const QString regel = QStringLiteral("127.0.0.1 %1 ").arg(server.poort());
    const struct
    {
        QString regel; // "/": the file is a folder
        const char* kenmerk;
    } gevallen[] = {
        {regel + "sha256//" + QByteArray(32, 'p').toBase64(), "versleuteling (TLS)"},
        {regel + "sha256//", "onleesbaar"},
        {QStringLiteral("/"), "kan niet worden gelezen"},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.kenmerk);
        if (g.regel == QLatin1String("/")) {
            QFile::remove(bekend);
            ASSERT_TRUE(QDir().mkdir(bekend));
        } else {
            QFile f(bekend);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(g.regel.toUtf8());
        }
        Venstersessie vs(bekend);
        FtpSession& sessie = vs.sessie;
        DialoogOpnemer opnemer({1});
        EXPECT_FALSE(sessie.FtpVerbindingOpenen(server.gegevens()));
        ASSERT_EQ(opnemer.Vragen().size(), 1u);
        const QString tekst = opnemer.Vragen()[0].opties.Tekst;
        EXPECT_TRUE(tekst.contains(QStringLiteral("'127.0.0.1' (poort %1)").arg(server.poort())) &&
                    tekst.contains(QString::fromUtf8(g.kenmerk)) && tekst.contains(bekend))
            << tekst.toStdString();
        EXPECT_EQ(opnemer.Vragen()[0].opties.Pictogram, 4);
    }
}
