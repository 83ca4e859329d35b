#include "ConfigTestHulp.h"

#include "config/Configuratie.h"
#include "config/Serverlijst.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::Velden;

namespace {

QStringList Lijst(std::initializer_list<const char*> namen)
{
    QStringList lijst{QString()};
    for (const char* naam : namen)
        lijst << Velden({naam, "h", "u", "w", "21", ""});
    return lijst;
}

ServerRecord Record(const char* naam, const char* host = "h", const char* wachtwoord = "w")
{
    return {QString::fromUtf8(naam),
            QString::fromUtf8(host),
            QStringLiteral("u"),
            QString::fromUtf8(wachtwoord),
            QString(),
            QString()};
}

TEST(Serverlijst, NamenWordenZonderHoofdlettersEnRandspatiesVergeleken)
{
    const QStringList lijst = Lijst({"Alfa", "FTP", "beta"});
    EXPECT_EQ(NaamServerControleren(lijst, QStringLiteral(" ftp ")), 2);
    EXPECT_EQ(NaamServerControleren(lijst, QStringLiteral("ft")), -1);
    EXPECT_EQ(NaamServer(lijst, 3), QStringLiteral("beta"));
    EXPECT_EQ(NaamServer(lijst, 4), QString());
    // The main window's choice matches exactly; no match shows the first server.
    EXPECT_EQ(ActiefServerNr(lijst, QStringLiteral("beta")), 3);
    EXPECT_EQ(ActiefServerNr(lijst, QStringLiteral("Beta")), 1);
    EXPECT_EQ(ServerOpPlek(lijst, 0), (ServerRecord{{}, {}, {}, {}, QStringLiteral("21"), {}}));
}

TEST(Serverlijst, OpslaanVoegtToeOfVervangtEnGeeftDeNieuwePlek)
{
    const struct
    {
        const char* geval;
        qsizetype huidig;
        ServerRecord server;
        Serveropslag::Fout fout;
        qsizetype plek;
        QStringList namen; // the list afterwards
    } gevallen[] = {
        {"new, sorted in",
         0,
         Record(" gamma "),
         Serveropslag::Fout::Geen,
         3,
         {"Alfa", "beta", "gamma", "zeta"}},
        {"renamed to the front", 3, Record("aaa"), Serveropslag::Fout::Geen, 1, {"aaa", "Alfa", "beta"}},
        {"password of spaces",
         0,
         Record("x", "h", "  "),
         Serveropslag::Fout::Onvolledig,
         0,
         {"Alfa", "beta", "zeta"}},
        {"no host", 1, Record("Alfa", ""), Serveropslag::Fout::Onvolledig, 0, {"Alfa", "beta", "zeta"}},
        {"line break",
         0,
         Record("x", "h\nDELE"),
         Serveropslag::Fout::Onopslaanbaar,
         0,
         {"Alfa", "beta", "zeta"}},
        {"separator",
         2,
         Record("b\x0f"
                "e"),
         Serveropslag::Fout::Onopslaanbaar,
         0,
         {"Alfa", "beta", "zeta"}},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.geval);
        QStringList lijst = Lijst({"Alfa", "beta", "zeta"});
        const Serveropslag uit = ServerOpslaan(lijst, g.huidig, g.server);
        EXPECT_EQ(uit.fout, g.fout);
        EXPECT_EQ(uit.plek, g.plek);
        QStringList namen;
        for (qsizetype i = 1; i < lijst.size(); ++i)
            namen << NaamServer(lijst, i);
        EXPECT_EQ(namen, g.namen);
    }
    QStringList lijst = Lijst({"Alfa", "beta"});
    ServerVerwijderen(lijst, 1);
    ServerVerwijderen(lijst, 5);
    EXPECT_EQ(lijst, Lijst({"beta"}));
}

// The server lines are rewritten; every other line of the file stays as it was, in order, and
// the file is replaced whole (owner-read-only, as every write of it).
TEST(Serverlijst, ServerregelsSchrijvenHoudtDeInstellingen)
{
    QTemporaryDir tmp;
    const QString pad = tmp.filePath(QStringLiteral("vamox.cfg"));
    const QByteArray instellingen = "cfgopenen=1\r\nPATROONLOKAAL=*.txt; x \r\nonbekend=caf\xc3\xa9\r\n";
    {
        QFile f(pad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("cfgopenen=1\r\noud\x0fh\x0fu\x0fw\r\nPATROONLOKAAL=*.txt; x \r\nonbekend=caf\xc3\xa9\r\n");
    }
    ASSERT_TRUE(ServerregelsSchrijven(pad, Lijst({"Alfa", "beta"})));
    QFile f(pad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), instellingen + "Alfa\x0fh\x0fu\x0fw\x0f"
                                          "21\x0f\r\nbeta\x0fh\x0fu\x0fw\x0f"
                                          "21\x0f\r\n");
    EXPECT_EQ(QFile::permissions(pad) &
                  (QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());

    // No file yet: only the server lines.
    const QString nieuw = tmp.filePath(QStringLiteral("nieuw.cfg"));
    ASSERT_TRUE(ServerregelsSchrijven(nieuw, Lijst({"Alfa"})));
    QFile n(nieuw);
    ASSERT_TRUE(n.open(QIODevice::ReadOnly));
    EXPECT_EQ(n.readAll(), QByteArray("Alfa\x0fh\x0fu\x0fw\x0f"
                                      "21\x0f\r\n"));
}

} // namespace
