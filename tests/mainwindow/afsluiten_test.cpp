#include "OpstartHulp.h"

#include "platform/Processen.h"
#include "support/ServerHulp.h"

#include <QAction>
#include <QProcess>
#include <QTimer>

#include <functional>

#include <unistd.h>

namespace Vamox::Test {
namespace {

using AfsluitTest = StartTest;

TEST_F(AfsluitTest, NeeHoudtHetVensterOpenEnSchrijftNiets)
{
    for (const bool metBestand : {false, true}) {
        SCOPED_TRACE(metBestand);
        QFile::remove(Cfg());
        if (metBestand) Bestand({"cfgopenen=1", "serveropenen=0"});
        const QByteArray vooraf = Lezen(Cfg());
        DialoogOpnemer eigen{2};
        auto venster = Starten();
        venster->menus().mnuInstellingenServer->trigger(); // a change that would be written

        EXPECT_FALSE(venster->close());
        EXPECT_TRUE(venster->isVisible());
        EXPECT_EQ(QFileInfo::exists(Cfg()), metBestand);
        EXPECT_EQ(Lezen(Cfg()), vooraf);
        EXPECT_TRUE(QFileInfo(Werkmap()).isDir());
        ASSERT_EQ(eigen.Vragen().size(), 1u);
        const DialoogVraag& vraag = eigen.Vragen()[0];
        EXPECT_EQ(vraag.soort, DialoogVraag::Soort::Platform);
        EXPECT_EQ(vraag.opties.Tekst, QStringLiteral("Vamox afsluiten?"));
        EXPECT_EQ(vraag.opties.Titel, QStringLiteral("Vamox"));
        EXPECT_EQ(vraag.opties.Pictogram, 3);
        EXPECT_EQ(vraag.opties.Knoppen, QStringLiteral("&Ja+&Nee"));

        // Ja: written without a further question; the work folder goes with the last copy.
        eigen.Antwoord(1);
        EXPECT_TRUE(venster->close());
        EXPECT_FALSE(venster->isVisible());
        EXPECT_TRUE(Lezen(Cfg()).contains("\r\nserveropenen=1\r\n"));
        EXPECT_FALSE(QFileInfo::exists(Werkmap()));
        EXPECT_EQ(eigen.Vragen().size(), 2u);
    }
}

// While the session waits for the server, the flow that waits is below the close event. After
// the question, the connect is cancelled, its notice is given, and the window closes once the
// flow has returned.
TEST_F(AfsluitTest, SluitenTerwijlDeServerBezigIsAnnuleertEnSluitDaarna)
{
    FtpTestServer traag(FtpServerOpties{.traagMs = 200});
    ASSERT_TRUE(traag.start()) << traag.fout().toStdString();
    Bestand({"server=Traag", "serveropenen=1", ServerRegel(QStringLiteral("Traag"), traag)});
    auto venster = Starten({}, false);
    FtpSession& sessie = venster->toestand().sessie;
    std::optional<bool> gesloten;
    QObject::connect(&sessie, &FtpSession::bezigGewijzigd, venster.get(), [&](bool bezig) {
        if (bezig && !gesloten)
            QTimer::singleShot(0, venster.get(), [&] { gesloten = Sluiten(*venster, {1}); });
    });
    venster->show();
    ASSERT_TRUE(WachtTot([&] { return gesloten.has_value() && !venster->isVisible(); }, 60000));
    EXPECT_FALSE(*gesloten); // not while the connect ran
    EXPECT_FALSE(venster->serverPaneel().Verbonden());
    QStringList teksten;
    for (const DialoogVraag& v : vragen.Vragen())
        teksten << v.opties.Tekst;
    EXPECT_EQ(teksten, (QStringList{QStringLiteral("Vamox afsluiten?"),
                                    QStringLiteral("Verbinden met de server is geannuleerd.")}));
    EXPECT_TRUE(Lezen(Cfg()).contains("\r\nserveropenen=1\r\n"));
    EXPECT_FALSE(QFileInfo::exists(Werkmap()));
}

// Two copies of the program share the work folder: starting the second does not empty it and
// closing the first keeps it; the last one to close removes it.
TEST_F(AfsluitTest, TweeKopieenHoudenDeWerkmapTotDeLaatsteSluit)
{
    QString fout;
    std::unique_ptr<QProcess> eerste = startKind(programma, {"600"}, QString(), true, &fout);
    std::unique_ptr<QProcess> tweede = startKind(programma, {"600"}, QString(), true, &fout);
    ASSERT_TRUE(eerste && tweede) << fout.toStdString();
    ASSERT_TRUE(WachtTot([&] { return ProcessenTellen(programma) == 2; }));
    const QString open = Werkmap() + QStringLiteral("/geopend.txt");
    Schrijven(open, "in gebruik");

    auto venster = Starten();
    EXPECT_TRUE(QFileInfo::exists(open));
    EXPECT_TRUE(Sluiten(*venster, {1}));
    EXPECT_TRUE(QFileInfo::exists(open));

    stopKind(*tweede);
    ASSERT_TRUE(WachtTot([&] { return ProcessenTellen(programma) == 1; }));
    venster = Starten();
    EXPECT_FALSE(QFileInfo::exists(open)); // the only copy empties it at start
    EXPECT_TRUE(QFileInfo(Werkmap()).isDir());
    EXPECT_TRUE(Sluiten(*venster, {1}));
    EXPECT_FALSE(QFileInfo::exists(Werkmap()));
    stopKind(*eerste);
}

// What lies at the work folder's place and is no folder of the user's is neither followed nor
// emptied, at start nor at closing: a notice, and a fresh folder of the user's alone instead.
TEST_F(AfsluitTest, VreemdeWerkmapBlijftOnaangeroerd)
{
    const QString elders = tmp.path() + QStringLiteral("/elders");
    Schrijven(elders + QStringLiteral("/bewaren.txt"), "van iemand anders");
    const struct
    {
        const char* reden;
        std::function<bool()> maken; // false: not possible for this user
        QString blijft;
    } rijen[] = {
        {"is een koppeling", [&] { return QFile::link(elders, Werkmap()); }, elders + "/bewaren.txt"},
        {"is van een andere gebruiker",
         [&] {
             // Only root gives a folder away.
             if (::geteuid() != 0) return false;
             Schrijven(Werkmap() + QStringLiteral("/van-hem.txt"), "x");
             return ::chown(QFile::encodeName(Werkmap()).constData(), 65534, 65534) == 0;
         },
         Werkmap() + "/van-hem.txt"},
        {"is geen map",
         [&] {
             Schrijven(Werkmap(), "een bestand");
             return true;
         },
         Werkmap()},
    };
    for (const auto& rij : rijen) {
        SCOPED_TRACE(rij.reden);
        if (!rij.maken()) continue;
        const qsizetype vooraf = vragen.Vragen().size();
        auto venster = Starten();
        EXPECT_TRUE(QFileInfo::exists(rij.blijft));
        const QString vers = venster->toestand().TijdelijkeMap;
        ASSERT_NE(vers, Werkmap());
        ASSERT_EQ(vragen.Vragen().size(), vooraf + 1);
        EXPECT_EQ(vragen.Vragen().back().opties.Tekst, QStringLiteral("De werkmap\r\n ") + Werkmap() +
                                                           QStringLiteral("\r\n") + rij.reden +
                                                           QStringLiteral(" en wordt niet gebruikt.\r\n"
                                                                          "De werkmap is nu\r\n ") +
                                                           vers);
        EXPECT_EQ(QFile::permissions(vers) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(Sluiten(*venster, {1}));
        EXPECT_FALSE(QFileInfo::exists(vers));
        EXPECT_TRUE(QFileInfo::exists(rij.blijft));
        EXPECT_TRUE(QFileInfo::exists(elders + QStringLiteral("/bewaren.txt")));
        QFile::remove(Werkmap()); // the link or the file; a folder goes below
        QDir(Werkmap()).removeRecursively();
    }
}

TEST_F(AfsluitTest, TweedeVersieSchrijftEerstEnStartHetProgramma)
{
    const QString script = tmp.path() + QStringLiteral("/bin/tweede");
    const QString gestart = tmp.path() + QStringLiteral("/gestart");
    Schrijven(script, "#!/bin/sh\necho \"$#\" > '" + gestart.toUtf8() + "'\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Omgeving(script);
    auto venster = Starten();
    venster->menus().mnuInstellingenServer->trigger();
    venster->menus().mnuTweedeVersie->trigger();
    EXPECT_TRUE(Lezen(Cfg()).contains("\r\nserveropenen=1\r\n"));
    ASSERT_TRUE(WachtTot([&] { return Lezen(gestart) == "0\n"; })) << Lezen(gestart).toStdString();
    EXPECT_TRUE(vragen.Vragen().empty());
}

// Processes are told by their executable file, not by name: a copy of the same program under
// another path is another program.
TEST(Processen, TeltDeLopendeKopieenVanHetBestand)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString hier = tmp.path() + QStringLiteral("/a/vamox");
    const QString daar = tmp.path() + QStringLiteral("/b/vamox");
    for (const QString& pad : {hier, daar}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(pad).absolutePath()));
        ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), pad));
    }
    EXPECT_EQ(ProcessenTellen(hier), 0);
    EXPECT_EQ(ProcessenTellen(tmp.path() + QStringLiteral("/geen")), 0);
    QString fout;
    std::vector<std::unique_ptr<QProcess>> lopend;
    // Started by another name (a link) it is still the same file.
    const QString link = tmp.path() + QStringLiteral("/anders");
    ASSERT_TRUE(QFile::link(hier, link));
    for (const QString& pad : {hier, link, daar})
        lopend.push_back(startKind(pad, {"600"}, QString(), true, &fout));
    ASSERT_TRUE(WachtTot([&] { return ProcessenTellen(hier) == 2 && ProcessenTellen(daar) == 1; }));
    EXPECT_EQ(ProcessenTellen(link), 2);
    stopKind(*lopend[0]);
    EXPECT_TRUE(WachtTot([&] { return ProcessenTellen(hier) == 1; }));
    // This test process counts itself.
    EXPECT_GE(ProcessenTellen(QCoreApplication::applicationFilePath()), 1);
    for (auto& p : lopend)
        stopKind(*p);
}

} // namespace
} // namespace Vamox::Test
