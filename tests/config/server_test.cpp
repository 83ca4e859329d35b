#include "config/ProgrammaPaden.h"
#include "config/ServerRecord.h"

#include "config/ConfigTestHulp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::Velden;

TEST(configServerRecord, LezenEnSchrijven)
{
    struct Rij
    {
        QString regel;
        ServerRecord verwacht;
    };
    const Rij rijen[] = {
        // A password keeps its spaces, at either end too.
        {Velden({"Thuis", "ftp.thuis.nl", "jan", " ge=heim ", "2121", "https://thuis.nl"}),
         {"Thuis", "ftp.thuis.nl", "jan", " ge=heim ", "2121", "https://thuis.nl"}},
        {Velden({"Kort", "host", "jan", "pw"}), {"Kort", "host", "jan", "pw", "21", ""}},
        {Velden({"Leeg", "host", "", "", "", "w"}), {"Leeg", "host", "", "", "21", "w"}},
        {QStringLiteral("Alleen"), {"Alleen", "", "", "", "21", ""}},
        // The TLS choice in a seventh field; six fields (every older file) are the default.
        {Velden({"T", "h", "u", "p", "21", "w", "1"}), {"T", "h", "u", "p", "21", "w", TlsKeuze::Alleen}},
        {Velden({"T", "h", "u", "p", "21", "w", "2"}), {"T", "h", "u", "p", "21", "w", TlsKeuze::Geen}},
        // The time offset in a ninth field, whatever the seventh and eighth hold.
        {Velden({"Z", "h", "u", "p", "21", "w", "", "", "-1:30"}),
         {"Z", "h", "u", "p", "21", "w", TlsKeuze::IndienBeschikbaar, false, Wachtwoordplek::Sleutelbos, -5400}},
        {Velden({"Z", "h", "u", "p", "", "w", "3", "elders", "+2"}),
         {"Z", "h", "u", "p", "22", "w", TlsKeuze::IndienBeschikbaar, true, Wachtwoordplek::Sleutelbos, 7200}},
        {Velden({"Z", "h", "u", "p", "21", "w", "", "", "twee"}), {"Z", "h", "u", "p", "21", "w"}},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.regel.toStdString());
        EXPECT_EQ(ServerRecordLezen(r.regel), r.verwacht);
    }
    const ServerRecord s{"Naam", "h", "u", "p", "", ""};
    EXPECT_EQ(ServerRecordRegel(s), Velden({"Naam", "h", "u", "p", "", ""})); // no separator at the end
    EXPECT_EQ(ServerRecordRegel(s).count(Scheidingsteken), 5);
    EXPECT_EQ(ServerNaam(ServerRecordRegel(s)), QStringLiteral("Naam"));
    for (const TlsKeuze tls : {TlsKeuze::Alleen, TlsKeuze::Geen}) {
        ServerRecord t = s;
        t.Tls = tls;
        EXPECT_EQ(ServerRecordLezen(ServerRecordRegel(t)).Tls, tls);
    }
    // An offset is written as the ninth field, with the fields before it as they would be.
    for (const auto& [tls, sftp] :
         {std::pair{TlsKeuze::IndienBeschikbaar, false}, std::pair{TlsKeuze::Alleen, false},
          std::pair{TlsKeuze::IndienBeschikbaar, true}}) {
        ServerRecord t{"Naam", "h", "u", "p", "21", "", tls, sftp, Wachtwoordplek::Sleutelbos, -3600};
        const QString regel = ServerRecordRegel(t);
        EXPECT_EQ(regel.count(Scheidingsteken), 8);
        EXPECT_TRUE(regel.endsWith(Scheidingsteken + QStringLiteral("-1:00")));
        EXPECT_EQ(ServerRecordLezen(regel), t);
    }
}

TEST(configServerRecord, VeldenMetScheidingOfRegeleindeGeweigerd)
{
    EXPECT_EQ(OngeldigServerVeld({"a", "b", "c", "d", "21", "https://x/?a=b c"}), std::nullopt);
    const QString slecht[] = {QString(Scheidingsteken), QStringLiteral("\r"), QStringLiteral("\n"),
                              QStringLiteral("a\r\nb")};
    for (int veld = 0; veld < 6; ++veld) {
        for (const QString& tekst : slecht) {
            ServerRecord s{"naam", "host", "u", "p", "21", ""};
            QString* velden[] = {&s.Naam,       &s.FtpHost,  &s.Gebruikersnaam,
                                 &s.Wachtwoord, &s.FtpPoort, &s.Website};
            *velden[veld] += tekst;
            EXPECT_EQ(OngeldigServerVeld(s), ServerVeld(veld)) << veld;
        }
    }
}

TEST(configServerLijst, SorterenEnZoeken)
{
    QStringList lijst{QString(),
                      Velden({"zeta", "1"}),
                      Velden({"Beta", "2"}),
                      Velden({"alpha", "3"}),
                      Velden({"beta", "4"}),
                      Velden({"Be", "5"})};
    ServerLijstSorteren(lijst);
    EXPECT_EQ(lijst, (QStringList{QString(), Velden({"alpha", "3"}), Velden({"Be", "5"}),
                                  Velden({"Beta", "2"}), Velden({"beta", "4"}), Velden({"zeta", "1"})}));
    EXPECT_EQ(ServerZoeken(lijst, QStringLiteral("beta")), 4);
    EXPECT_EQ(ServerZoeken(lijst, QStringLiteral("Beta")), 3);
    EXPECT_EQ(ServerZoeken(lijst, QStringLiteral("ALPHA")), -1);
    EXPECT_EQ(ServerZoeken(lijst, QStringLiteral("Bet")), -1);
    EXPECT_EQ(ServerZoeken(lijst, QString()), -1); // element 0 is no server
}

TEST(configProgrammaPaden, NaastProgrammaOfInGebruikersmap)
{
    ProgrammaPlaats p{"/opt/vamox/vamox", true, "/home/jan/.config/vamox", "/home/jan/.cache/vamox"};
    EXPECT_EQ(CfgBestandVoor(p), QStringLiteral("/opt/vamox/vamox.cfg"));
    EXPECT_EQ(TijdelijkeMapVoor(p), QStringLiteral("/opt/vamox/FtpTijdelijk"));
    p.mapSchrijfbaar = false;
    EXPECT_EQ(CfgBestandVoor(p), QStringLiteral("/home/jan/.config/vamox/vamox.cfg"));
    EXPECT_EQ(TijdelijkeMapVoor(p), QStringLiteral("/home/jan/.cache/vamox/FtpTijdelijk"));

    EXPECT_EQ(ProgrammaNaam(QStringLiteral("C:/Programma/Vamox.EXE")), QStringLiteral("Vamox"));
    EXPECT_EQ(ProgrammaNaam(QStringLiteral("/usr/bin/vamox-1.2")), QStringLiteral("vamox-1.2"));

    // Files beside the program only where a person unpacked it, never in an installed place.
    QTemporaryDir uitgepakt;
    const struct
    {
        QString map;
        bool schrijfbaar;
        QString installatiemap;
        bool draagbaar;
    } gevallen[] = {
        {uitgepakt.path(), true, "/usr/local/bin", true},
        {uitgepakt.path(), false, "/usr/local/bin", false},
        {uitgepakt.path(), true, uitgepakt.path() + "/", false}, // installed into the user's own folder
        {"/usr/bin", true, "/usr/local/bin", false},             // root runs the package's program
        {"/usr/local/bin", true, "/usr/local/bin", false},
        {"/bin", true, "/usr/bin", false},
        {"/opt/vamox", true, "/usr/bin", false},
        {"/usrx/vamox", true, "/usr/bin", true},
    };
    for (const auto& g : gevallen)
        EXPECT_EQ(DraagbaarGebruik(g.map, g.schrijfbaar, g.installatiemap), g.draagbaar) << qPrintable(g.map);

    // This process, with the user's folders moved into a temp folder.
    QTemporaryDir thuis;
    qputenv("XDG_CONFIG_HOME", thuis.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", thuis.filePath(QStringLiteral("cache")).toUtf8());
    const ProgrammaPlaats hier = HuidigeProgrammaPlaats();
    EXPECT_EQ(hier.programmaPad, QCoreApplication::applicationFilePath());
    EXPECT_EQ(hier.configMap, thuis.filePath(QStringLiteral("config/vamox")));
    EXPECT_EQ(hier.cacheMap, thuis.filePath(QStringLiteral("cache/vamox")));
    const QString cfg = CfgBestandBepalen();
    EXPECT_EQ(cfg, CfgBestandVoor(hier));
    EXPECT_TRUE(QFileInfo(cfg).absoluteDir().exists()); // made when the file goes to the user's folder
    EXPECT_EQ(TijdelijkeMapBepalen(), TijdelijkeMapVoor(hier));
    if (hier.mapSchrijfbaar) {
        EXPECT_EQ(cfg, QFileInfo(hier.programmaPad).absolutePath() + "/test_config.cfg");
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CACHE_HOME");
}
