#include "OverdrachtHulp.h"

#include "transfer/Wachtrij.h"
#include "transfer/gui/Overdrachtenvenster.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

class Overdrachtenlijst : public OverdrachtTest
{
protected:
    Overdrachtenvenster& Lijst() { return venster->overdrachten(); }
    QString Cel(int rij, int kolom)
    {
        const QAbstractItemModel* model = Lijst().Lijst().model();
        return model->data(model->index(rij, kolom)).toString();
    }
    int Rijen() { return Lijst().Lijst().model()->rowCount(); }
    static void Klik(QPushButton& knop) { QTest::mouseClick(&knop, Qt::LeftButton); }
};

// The list shows every file of a run with its state and the error of a failed one; the failed
// files are queued again with a click, and arrive once their trouble is gone; "Lijst wissen"
// empties the list. The window is reached through the Server menu.
TEST_F(Overdrachtenlijst, MislukteOpnieuwEnLijstWissen)
{
    Verbinden();
    server->schrijf(QStringLiteral("a.txt"), "aaa");
    server->schrijf(QStringLiteral("b.txt"), "bbb");
    server->schrijf(QStringLiteral("c.txt"), "ccc");
    Kiezen();
    // A folder where b.txt should come: its download cannot be put in place.
    ASSERT_TRUE(QDir().mkpath(L("b.txt/bezet")));
    Selecteren(*ui().LijstBFtp, {"a.txt", "b.txt", "c.txt"});
    OverdrachtTest::Klik(ui().knopBDownloaden);
    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_TRUE(gesteld[0].opties.Tekst.startsWith(QLatin1String("Bij downloaden is iets fout gegaan. Gedownload: 2/3.")));

    venster->menus().mnuOverdrachten->trigger();
    ASSERT_TRUE(Lijst().isVisible());
    EXPECT_TRUE(venster->menus().mnuOverdrachten->isChecked());
    ASSERT_EQ(Rijen(), 3);
    EXPECT_EQ((QStringList{Cel(0, 0), Cel(1, 0), Cel(2, 0)}), (QStringList{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ((QStringList{Cel(0, 4), Cel(1, 4), Cel(2, 4)}), (QStringList{"Klaar", "Mislukt", "Klaar"}));
    EXPECT_EQ(Cel(1, 1), QStringLiteral("Downloaden"));
    EXPECT_FALSE(Cel(1, 5).isEmpty());
    EXPECT_TRUE(Lijst().KnopOpnieuw().isEnabled());
    EXPECT_FALSE(Lijst().KnopStoppen().isEnabled());

    QDir(L("b.txt")).removeRecursively();
    Klik(Lijst().KnopOpnieuw());
    Overdrachtenklaar();
    EXPECT_EQ(Lees(L("b.txt")), "bbb");
    EXPECT_EQ(Cel(1, 4), QStringLiteral("Klaar"));
    EXPECT_EQ(Cel(1, 5), QString());
    ASSERT_TRUE(WachtTot([&] { return !Lijst().KnopOpnieuw().isEnabled(); }));

    Klik(Lijst().KnopWissen());
    EXPECT_EQ(Rijen(), 0);
    Lijst().close();
    EXPECT_FALSE(venster->menus().mnuOverdrachten->isChecked());
}

// The main window holds its input while files move; a click on the progress line opens the list
// all the same, and its Stopknop stops what waits and runs, the same as Escape.
TEST_F(Overdrachtenlijst, StoppenVanuitDeLijstTerwijlHetVensterWacht)
{
    Verbinden({.snelheid = 200'000});
    for (const char* naam : {"a.bin", "b.bin", "c.bin"})
        server->schrijf(QString::fromLatin1(naam), QByteArray(400'000, 'x'));
    Kiezen();
    Selecteren(*ui().LijstBFtp, {"a.bin", "b.bin", "c.bin"});
    QTest::mouseClick(ui().knopBDownloaden, Qt::LeftButton);
    ASSERT_TRUE(WachtTot([&] { return t().wachtrij.Stand().lopend > 0; }));
    // The menu is out of reach meanwhile.
    QTest::mouseClick(venster->menuBar(), Qt::LeftButton, {},
                      venster->menuBar()->actionGeometry(venster->menus().mnuFtp->menuAction()).center());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseClick(&venster->voortgang().Regel(), Qt::LeftButton);
    ASSERT_TRUE(Lijst().isVisible());
    ASSERT_TRUE(WachtTot([&] { return Lijst().KnopStoppen().isEnabled(); }));

    Klik(Lijst().KnopStoppen());
    Overdrachtenklaar();

    EXPECT_EQ(Teksten(), QStringList{"Het downloaden is geannuleerd."});
    for (int rij = 0; rij < Rijen(); ++rij)
        EXPECT_EQ(Cel(rij, 4), QStringLiteral("Gestopt")) << rij;
    // Nothing half-written stays behind.
    EXPECT_TRUE(QDir(lokaal.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// With the transfers in the background the window takes input while a download runs: the server
// side goes to another folder and a second transfer joins the queue and is done first. The local
// side, which shows the folder the download writes to, is refreshed once it is done.
TEST_F(Overdrachtenlijst, OpDeAchtergrondBlijftHetVensterBruikbaar)
{
    Verbinden({.snelheid = 250'000});
    server->schrijf(QStringLiteral("groot.bin"), QByteArray(600'000, 'g'));
    server->schrijf(QStringLiteral("sub/klein.txt"), "klein");
    Kiezen();
    venster->menus().mnuOverdrachtenAchtergrond->trigger();
    ASSERT_TRUE(t().wachtrij.Achtergrond());
    Selecteren(*ui().LijstBFtp, {"groot.bin"});
    QTest::mouseClick(ui().knopBDownloaden, Qt::LeftButton);
    ASSERT_TRUE(WachtTot([&] { return t().wachtrij.Stand().lopend > 0; }));

    ServerTonen(QStringLiteral("/sub/"));
    EXPECT_TRUE(t().wachtrij.Bezig());
    Selecteren(*ui().LijstBFtp, {"klein.txt"});
    QTest::mouseClick(ui().knopBDownloaden, Qt::LeftButton);
    ASSERT_TRUE(WachtTot([&] { return Lees(L("klein.txt")) == "klein"; }));
    EXPECT_TRUE(t().wachtrij.Bezig()); // the large one still comes in

    Overdrachtenklaar();
    EXPECT_EQ(Lees(L("groot.bin")), QByteArray(600'000, 'g'));
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(Namen(ui().LijstBLokaal->lijstModel()), (QStringList{"groot.bin", "klein.txt"}));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/sub/"));
}

} // namespace
} // namespace Vamox::Test
