#include "transfer/OverdrachtHulp.h"

#include "dialogs/Twips.h"
#include "fileops/Openen.h"
#include "fileops/gui/Opening.h"
#include "platform/gui/Shell.h"

#include <QMenu>
#include <QToolButton>

namespace Vamox::Test {
namespace {

// The desktop of these tests: text files open with an editor of their own, and opening a file
// only writes down its path.
class OpeningTest : public OverdrachtTest
{
protected:
    void SetUp() override
    {
        OverdrachtTest::SetUp();
        for (const char* naam : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME"})
            vorige.emplace_back(naam, qgetenv(naam));
        const QString editor = desktop.filePath("bin/teksteditor");
        Schrijf(editor, "#!/bin/sh\n");
        QFile::setPermissions(editor, QFile::permissions(editor) | QFileDevice::ExeOwner);
        Schrijf(desktop.filePath("config/mimeapps.list"),
                "[Default Applications]\ntext/plain=teksteditor.desktop\n");
        Schrijf(desktop.filePath("data/applications/teksteditor.desktop"),
                "[Desktop Entry]\nType=Application\nExec=" + editor.toUtf8() + " %f\n");
        qputenv("XDG_CONFIG_HOME", desktop.filePath("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", desktop.filePath("geen").toUtf8());
        qputenv("XDG_DATA_HOME", desktop.filePath("data").toUtf8());
        GekoppeldeProgrammasVergeten();
    }
    void TearDown() override
    {
        for (const auto& [naam, waarde] : vorige)
            waarde.isNull() ? qunsetenv(naam) : qputenv(naam, waarde);
        GekoppeldeProgrammasVergeten();
        OverdrachtTest::TearDown();
    }

    // The user works in another program and comes back to the window.
    void WegEnTerug()
    {
        // The offscreen platform has no other program to switch to: the window is told directly,
        // once an activation the platform still had on its way has arrived.
        venster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(venster.get()));
        ASSERT_TRUE(WachtTot([&] { return QApplication::activeWindow() == venster.get(); }));
        QApplication::setActiveWindow(nullptr);
        ASSERT_TRUE(WachtTot([&] { return !venster->isActiveWindow(); }));
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(venster.get());
        ASSERT_TRUE(WachtTot([&] { return venster->isActiveWindow(); }));
    }

    // Where this server's opened files are copied to.
    QString Openmap() const
    {
        return werk.filePath("Openen/vamox@127.0.0.1_" + QString::number(server->poort()));
    }

    QTemporaryDir desktop;
    std::vector<std::pair<const char*, QByteArray>> vorige;
    QStringList geopend;
    ShellVoorTest shell{[this](const QString& pad) {
        geopend << pad;
        return true;
    }};
};

// The Programma's menu offers a program only where this desktop has one for its kind of file,
// and its tip says which it starts.
TEST_F(OpeningTest, ProgrammamenuAlleenMetEenProgramma)
{
    const VensterMenus& m = venster->menus();
    m.mnuProgrammas->popup(venster->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(WachtTot([&] { return m.mnuProgrammas->isVisible(); }));
    m.mnuProgrammas->hide();
    EXPECT_TRUE(m.mnuProgrammasKladblok->isEnabled());
    EXPECT_EQ(m.mnuProgrammasKladblok->toolTip(), "Start " + desktop.filePath("bin/teksteditor"));
    EXPECT_FALSE(m.mnuProgrammasMOAccess->isEnabled());
    EXPECT_EQ(m.mnuProgrammasMOAccess->toolTip(), "Geen programma voor .mdb-bestanden gevonden");
}

// A server file opens from the work folder; back in the window the question stands at its
// top-left corner, and a send-back the server refuses is told, keeping the edited copy.
TEST_F(OpeningTest, ServerbestandTerugNaTerugkeerMisluktZendenWordtGemeld)
{
    Verbinden({.faalCommandos = {"STOR"}});
    server->schrijf("notitie.txt", "van de server");
    Kiezen();
    Dubbelklik(*ui().LijstBFtp, "notitie.txt");

    const QString kopie = Openmap() + "/notitie.txt";
    ASSERT_EQ(geopend, QStringList{kopie}) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(Lees(kopie), "van de server");
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    Schrijf(kopie, "bewerkt");

    antwoorden = {1, 2};
    WegEnTerug();
    ASSERT_TRUE(WachtTot([&] { return gesteld.size() == 2; })) << Teksten().join(u'|').toStdString();
    const MOpties& vraag = gesteld[0].opties;
    EXPECT_EQ(vraag.Tekst, "Eventuele wijzigingen in het serverbestand\r\n /notitie.txt\r\nopslaan?");
    EXPECT_EQ(vraag.Codes, "1+2");
    EXPECT_FALSE(vraag.Centreren);
    const QPoint hoek = TwipsSchaal::Van(venster.get()).NaarTwips(venster->frameGeometry().topLeft());
    EXPECT_EQ(vraag.Links, hoek.x());
    EXPECT_EQ(vraag.Boven, hoek.y());
    EXPECT_EQ(gesteld[1].opties.Tekst,
              "Kan serverbestand\r\n /notitie.txt\r\nniet opslaan. De gewijzigde kopie staat in\r\n " +
                  kopie + "\r\nOpnieuw proberen?");
    EXPECT_EQ(server->lees("notitie.txt"), "van de server");
    EXPECT_EQ(Lees(kopie), "bewerkt");
    EXPECT_EQ(venster->opening().Wachtend(), 0u);
}

// Two server files of one name each get a copy of their own, for the user alone: opening the
// second leaves the edit of the first, a clipboard copy meanwhile too, and each copy goes back
// to its own path.
TEST_F(OpeningTest, ZelfdeNaamInTweeMappenElkEenEigenKopie)
{
    Verbinden();
    server->schrijf("a/x.txt", "a");
    server->schrijf("b/x.txt", "b");
    Kiezen();
    ServerTonen("/a/");
    Dubbelklik(*ui().LijstBFtp, "x.txt");
    ASSERT_EQ(geopend.size(), 1u) << Teksten().join(u'|').toStdString();
    Schrijf(geopend[0], "a bewerkt");
    ServerTonen("/b/");
    Dubbelklik(*ui().LijstBFtp, "x.txt");
    Selecteren(*ui().LijstBFtp, {"x.txt"});
    Klik(ui().knopKopierenNaarKlembord);
    EXPECT_EQ(geopend, (QStringList{Openmap() + "/a/x.txt", Openmap() + "/b/x.txt"}));
    for (const QString& kopie : geopend)
        EXPECT_EQ(QFile::permissions(kopie) & 0x7077, QFile::ReadOwner | QFile::WriteOwner)
            << kopie.toStdString();

    gesteld.clear();
    antwoorden = {1, 1};
    WegEnTerug();
    ASSERT_TRUE(WachtTot([&] { return gesteld.size() == 2 && !sessie().bezig(); }))
        << Teksten().join(u'|').toStdString();
    EXPECT_TRUE(gesteld[0].opties.Tekst.contains("\r\n /a/x.txt\r\n"));
    EXPECT_TRUE(gesteld[1].opties.Tekst.contains("\r\n /b/x.txt\r\n"));
    EXPECT_EQ(server->lees("a/x.txt"), "a bewerkt");
    EXPECT_EQ(server->lees("b/x.txt"), "b");
}

} // namespace
} // namespace Vamox::Test
