#include "LijstHulp.h"
#include "PanesTestHulp.h"
#include "SelectieHulp.h"

#include "dialogs/DialoogSeam.h"
#include "mainwindow/VensterHulp.h"
#include "panes/gui/Selectie.h"

#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

std::vector<ListRow> Rijen(const QStringList& namen)
{
    std::vector<ListRow> rijen;
    for (const QString& n : namen)
        rijen.push_back(ListRow{n, 1, QDate(2020, 1, 1), QStringLiteral("bestand")});
    return rijen;
}

class Selecteren : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lijst.reset(NieuweLijst(beelden, LijstSoort::Bestanden, "LijstBLokaal"));
        lijst->resize(400, 300);
        lijst->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lijst.get()));
    }

    void Vul(const QStringList& namen) { lijst->lijstModel().RijenVervangen(Rijen(namen)); }

    ImageLijst16 beelden;
    std::unique_ptr<LijstWeergave> lijst;
};

TEST(InCombo, ZonderHoofdletterverschil)
{
    QComboBox combo;
    EXPECT_FALSE(InCombo(combo, QString()));
    combo.addItems({"*", "*.txt", "*.tar.gz"});
    EXPECT_TRUE(InCombo(combo, "*.TXT"));
    EXPECT_TRUE(InCombo(combo, "*"));
    EXPECT_FALSE(InCombo(combo, "*.tx"));
    EXPECT_FALSE(InCombo(combo, "*.txt "));
    combo.setEditText("*.doc"); // the text of the box is not an entry
    EXPECT_FALSE(InCombo(combo, "*.doc"));
}

struct Positie
{
    const char* geval;
    int rijen;
    qint64 positie;
    std::vector<int> verwacht;
};

void PrintTo(const Positie& p, std::ostream* uit)
{
    *uit << p.geval;
}

class Item : public Selecteren, public ::testing::WithParamInterface<Positie>
{
};

// Clamped to the last row; positions up to 1 select nothing.
TEST_P(Item, SelecteertDeRijOpDePositie)
{
    const Positie p = GetParam();
    QStringList namen;
    for (int i = 1; i <= p.rijen; ++i)
        namen << QStringLiteral("f%1").arg(i);
    Vul(namen);
    SelecterenInLijstItem(*lijst, p.positie);
    EXPECT_EQ(GeselecteerdeRijen(*lijst), p.verwacht);
    EXPECT_TRUE(lijst->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Selectie, Item,
                         ::testing::Values(Positie{"VoorbijHetEinde", 5, 7, {4}},
                                           Positie{"Laatste", 5, 5, {4}}, Positie{"Midden", 5, 3, {2}},
                                           Positie{"Eerste", 5, 1, {}}, Positie{"Nul", 5, 0, {}},
                                           Positie{"EenRij", 1, 4, {}}, Positie{"LeegLijst", 0, 3, {}}),
                         [](const auto& info) { return std::string(info.param.geval); });

TEST_F(Selecteren, InLijstExactOfZonderHoofdletters)
{
    Vul({"Readme.TXT", "readme.txt", "x"});
    SelecterenInLijst(*lijst, "readme.txt", true, true);
    EXPECT_EQ(GeselecteerdeRijen(*lijst), (std::vector<int>{1}));
    SelecterenInLijst(*lijst, "README.txt", false, true);
    EXPECT_EQ(GeselecteerdeRijen(*lijst), (std::vector<int>{0}));
    SelecterenInLijst(*lijst, "x", true, false); // adds to the selection
    EXPECT_EQ(GeselecteerdeRijen(*lijst), (std::vector<int>{0, 2}));
    SelecterenInLijst(*lijst, "README.txt", true, true); // no exact match: nothing selected
    EXPECT_EQ(GeselecteerdeRijen(*lijst), (std::vector<int>{}));
}

// The rows of all names end up selected together; names without a row, index 0 and duplicates
// change nothing; of equal names (capitals aside) the first row is taken.
TEST_F(Selecteren, NamenSamenGeselecteerd)
{
    Vul({"a.txt", "B.txt", "b.TXT", "c.txt", "d.txt"});
    SelecterenNamen(*lijst, {"c.txt", "b.txt", "ontbreekt.txt", "D.TXT", "d.txt"});
    EXPECT_EQ(GeselecteerdeNamenVan(*lijst), (QStringList{"B.txt", "d.txt"}));
    EXPECT_EQ(lijst->currentIndex().row(), 4);
    EXPECT_EQ(AantalGeselecteerd(*lijst), 2);
}

TEST_F(Selecteren, AllesEnNietsEnGeteld)
{
    QStringList namen;
    for (int i = 0; i < 1000; ++i)
        namen << QStringLiteral("f%1").arg(i, 4, 10, QLatin1Char('0'));
    Vul(namen);
    LijstSelecteren(*lijst, true);
    EXPECT_EQ(AantalGeselecteerd(*lijst), 1000);
    EXPECT_EQ(GeselecteerdeRijen(*lijst).size(), 1000u);
    int positie = -1;
    const QStringList gekozen = GeselecteerdeNamen(*lijst, positie);
    EXPECT_EQ(gekozen.size(), 1001);
    EXPECT_EQ(gekozen.value(0), QString());
    EXPECT_EQ(gekozen.value(1), "f0000");
    EXPECT_EQ(positie, 1000);
    LijstSelecteren(*lijst, false);
    EXPECT_EQ(AantalGeselecteerd(*lijst), 0);
    GeselecteerdeNamen(*lijst, positie);
    EXPECT_EQ(positie, 0);
}

class Venster : public ::testing::Test
{
protected:
    void SetUp() override { venster = GetoondVenster(); }

    LijstWeergave& bLokaal() { return *venster->ui().LijstBLokaal; }
    LijstWeergave& bFtp() { return *venster->ui().LijstBFtp; }

    std::unique_ptr<FrmFtp> venster;
};

// Ctrl+A in a file list and "Lijst selecteren" select every row.
TEST_F(Venster, CtrlAEnMenuSelecterenAlles)
{
    bLokaal().lijstModel().RijenVervangen(Rijen({"a", "b", "c"}));
    bFtp().lijstModel().RijenVervangen(Rijen({"x", "y"}));
    bLokaal().setFocus();
    QTest::keyClick(&bLokaal(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(AantalGeselecteerd(bLokaal()), 3);
    venster->menus().mnuBestandFtpLijstSelecteren->trigger();
    EXPECT_EQ(AantalGeselecteerd(bFtp()), 2);
    EXPECT_TRUE(WachtTot([&] { return bFtp().hasFocus(); }));
}

// Four times a second the file headers show "selected/total" with the locale's grouping.
TEST_F(Venster, KoppenTonenGeselecteerdEnTotaal)
{
    LocaleWissel nl(QLocale(QLocale::Dutch, QLocale::Netherlands));
    QStringList namen;
    for (int i = 0; i < 1234; ++i)
        namen << QStringLiteral("f%1").arg(i, 4, 10, QLatin1Char('0'));
    bLokaal().lijstModel().RijenVervangen(Rijen(namen));
    KolomKopNaam(bLokaal());
    EXPECT_EQ(bLokaal().lijstModel().KopTekst(0), "Lokale bestandsnaam (1.234)");
    QItemSelection keuze(bLokaal().lijstModel().index(100, 0), bLokaal().lijstModel().index(1100, 4));
    bLokaal().selectionModel()->select(keuze, QItemSelectionModel::Select);

    EXPECT_TRUE(venster->selectie().TimerGeselecteerd().isActive());
    EXPECT_EQ(venster->selectie().TimerGeselecteerd().interval(), 250);
    EXPECT_TRUE(WachtTot([&] {
        return bLokaal().lijstModel().KopTekst(0) == "Lokale bestandsnaam (1.001/1.234)";
    })) << bLokaal().lijstModel().KopTekst(0).toStdString();
    EXPECT_TRUE(WachtTot([&] { return bFtp().lijstModel().KopTekst(0) == "Server bestandsnaam (0/0)"; }));
}

// Connected and "Buiten venster downloaden" checked: that server list turns light green.
TEST_F(Venster, ServerlijstenGroenVoorSlepen)
{
    LijstWeergave& ftp = *venster->ui().LijstFtp;
    const QColor wit = ftp.Achtergrondkleur();
    const QColor groen(0xE9, 0xFE, 0xE2);
    venster->menus().mnuBestandFtpBuitenDownloaden->setChecked(true);
    venster->selectie().TimerGeselecteerdTik();
    EXPECT_EQ(bFtp().Achtergrondkleur(), wit); // not connected

    venster->serverPaneel().VerbondenZetten(true);
    venster->selectie().TimerGeselecteerdTik();
    EXPECT_EQ(bFtp().Achtergrondkleur(), groen);
    EXPECT_EQ(ftp.Achtergrondkleur(), wit);
    venster->menus().mnuMapFtpBuitenDownloaden->setChecked(true);
    venster->menus().mnuBestandFtpBuitenDownloaden->setChecked(false);
    venster->selectie().TimerGeselecteerdTik();
    EXPECT_EQ(bFtp().Achtergrondkleur(), wit);
    EXPECT_EQ(ftp.Achtergrondkleur(), groen);
    venster->serverPaneel().VerbondenZetten(false);
    venster->selectie().TimerGeselecteerdTik();
    EXPECT_EQ(ftp.Achtergrondkleur(), wit);
}

} // namespace
} // namespace Vamox::Test
