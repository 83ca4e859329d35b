#include "dialogs/DialoogSeam.h"
#include "ftp/FtpSession.h"
#include "mainwindow/Verbinding.h"
#include "support/FtpTestServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::VsftpdOpties;
using Vamox::Test::VsftpdServer;

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
    FtpSession sessie;
    CertificaatvragenInstellen(sessie, bekend);
    const FtpGegevens g{server.host(), server.gebruiker(), server.wachtwoord(), server.poort()};

    {
        DialoogOpnemer opnemer; // Enter
        EXPECT_FALSE(sessie.FtpVerbindingOpenen(g));
        ASSERT_EQ(opnemer.Vragen().size(), 1u);
        const QString tekst = opnemer.Vragen()[0].opties.Tekst;
        EXPECT_TRUE(tekst.contains(server.host()) && tekst.contains(QStringLiteral("SHA-256")) &&
                    tekst.contains(QStringLiteral("Geldig tot")))
            << tekst.toStdString();
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
