#include "clipboard/SleepHulp.h"

#include "clipboard/Sleepdata.h"
#include "dialogs/Bestandskeuze.h"

#include <QToolButton>

namespace Vamox::Test {
namespace {

using Herhaling_ = OverdrachtTest;

// The repeat goes back to the folders of the last download and selects only the names that
// still exist on the server; the download then asks as usual.
TEST_F(Herhaling_, OpnieuwDownloadenSelecteertAlleenWatNogBestaat)
{
    Verbinden();
    server->schrijf("a.txt", "a");
    server->schrijf("b.txt", "b");
    server->schrijf("c.txt", "c");
    Kiezen();
    Selecteren(*ui().LijstBFtp, {"a.txt", "b.txt"});
    Klik(ui().knopBDownloaden);
    const QStringList eerste{Context(), "a.txt", "b.txt"};
    ASSERT_EQ(t().LaatsteDownloads, eerste);

    QFile::remove(server->pad("b.txt"));
    Schrijf(L("ander/x.txt"), "x");
    LokaalTonen(lokaal.path() + "/ander");
    antwoorden = {1};
    QTest::mouseClick(ui().knopBDownloaden, Qt::RightButton);
    Overdrachtenklaar();

    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), lokaal.path() + u'/');
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBFtp), QStringList{"a.txt"});
    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[0].opties.Tekst,
              QStringLiteral("Bestand\r\n ") + L("a.txt") + QStringLiteral("\r\noverschrijven?"));
    EXPECT_EQ(t().LaatsteDownloads, (QStringList{Context(), "a.txt"}));
}

// Nothing to repeat, or the last transfer was with another server: a notice, nothing moves.
TEST_F(Herhaling_, OpnieuwWeigertZonderLijstOfBijEenAndereServer)
{
    Verbinden();
    server->schrijf("a.txt", "a");
    Kiezen();
    QTest::mouseClick(ui().knopBUploaden, Qt::RightButton);
    venster->menus().mnuBestandFtpOpnieuwDownloaden->trigger();
    Overdrachtenklaar();
    t().LaatsteUploads = {lokaal.path() + u'/' + QChar(15) + "oud" + QChar(15) + "/", "a.txt"};
    Schrijf(L("a.txt"), "lokaal");
    QTest::mouseClick(ui().knopBUploaden, Qt::RightButton);

    EXPECT_EQ(
        Teksten(),
        (QStringList{"Geen laatste uploadbestanden gevonden.", "Geen laatste downloadbestanden gevonden.",
                     "De laatste Ftp server 'oud'  komt niet overeen met de huidige 'testserver."}));
    EXPECT_EQ(Lees(server->pad("a.txt")), "a");
}

// A file dropped on the button becomes the upload file; a right click offers the dialog naming
// it; a left click sends it to the current server folder.
TEST_F(Herhaling_, Uploadbestand)
{
    Verbinden();
    Kiezen();
    QTemporaryDir buiten;
    Schrijf(buiten.filePath("u.txt"), "upload");
    const std::unique_ptr<QMimeData> data(new QMimeData);
    LokalePadenZetten(*data, {buiten.filePath("u.txt")});
    EXPECT_TRUE(Neer(ui().knopUploadBestandKiezen, *data));
    EXPECT_EQ(t().Uploadbestand, buiten.filePath("u.txt"));
    ASSERT_EQ(gesteld.size(), 1u);
    EXPECT_EQ(gesteld[0].opties.Tekst,
              QStringLiteral("Uploadbestand:\r\n ") + buiten.filePath("u.txt") + u'.');
    EXPECT_EQ(gesteld[0].opties.SluitenNa, 1500);
    EXPECT_TRUE(ui().knopUploadBestandKiezen->toolTip().startsWith("Uploadbestand uploaden u.txt (een"));

    std::vector<Bestandskeuze> keuzes;
    BestandskeuzeScope kiezer([&](const Bestandskeuze& k) {
        keuzes.push_back(k);
        return QStringList();
    });
    QTest::mouseClick(ui().knopUploadBestandKiezen, Qt::RightButton);
    ASSERT_EQ(keuzes.size(), 1u);
    EXPECT_EQ(
        keuzes[0].titel,
        QStringLiteral("Selecteer een uploadbestand (huidig: u.txt) om herhaaldelijk te kunnen uploaden:"));
    EXPECT_EQ(keuzes[0].map, buiten.path());
    EXPECT_EQ(t().Uploadbestand, buiten.filePath("u.txt"));

    Klik(ui().knopUploadBestandKiezen);
    EXPECT_EQ(Lees(server->pad("u.txt")), "upload");
    EXPECT_EQ(keuzes.size(), 1u);
}

} // namespace
} // namespace Vamox::Test
