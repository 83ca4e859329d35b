#include "PaneelHulp.h"
#include "SelectieHulp.h"

#include "panes/gui/Selectie.h"

#include <QAbstractItemView>
#include <QPushButton>

namespace Vamox::Test {
namespace {

// Fill order (name, capitals aside): 1x.doc 9.txt A.doc a.txt a.txt.bak ab.txt B.TXT c.log
const QStringList Bestanden{"a.txt", "B.TXT", "a.txt.bak", "ab.txt", "1x.doc", "A.doc", "c.log", "9.txt"};
const QStringList Alles{"1x.doc", "9.txt", "A.doc", "a.txt", "a.txt.bak", "ab.txt", "B.TXT", "c.log"};

class PatroonTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        ASSERT_TRUE(map.isValid());
        Maken(map.path(), Bestanden + QStringList{"sub/", "tweede/"});
        venster->lokaalPaneel().LijstVullenLokaal(map.path(), Soort::Beide, false);
        ASSERT_EQ(Namen(bestanden().lijstModel()), Alles);
    }

    LijstWeergave& bestanden() { return *ui().LijstBLokaal; }
    QComboBox& combo() { return *ui().cboPatroonLokaal; }
    QPushButton& knop() { return *ui().knopPatroonLokaal; }

    // Replaces the combo's text by typing, as a user does. A person's keys reach the combo box
    // (it holds the focus), which hands them to its editor itself.
    void Typen(const QString& tekst)
    {
        combo().setFocus();
        combo().lineEdit()->selectAll();
        QTest::keyClick(&combo(), Qt::Key_Backspace);
        QTest::keyClicks(&combo(), tekst);
    }

    bool Cursief() { return bestanden().lijstModel().Cursief(); }
    bool KnopCursief() { return knop().font().italic(); }

    QTemporaryDir map;
};

struct Patroonrij
{
    const char* geval;
    const char* patroon;
    QStringList verwacht;
    bool cursief;
};

void PrintTo(const Patroonrij& p, std::ostream* uit)
{
    *uit << p.geval;
}

class Patronen : public PatroonTest, public ::testing::WithParamInterface<Patroonrij>
{
};

// Typed and applied with Enter: only the names that match the whole pattern, capitals aside;
// the list and the button are italic while a pattern is in force.
TEST_P(Patronen, EnterToontAlleenWatPast)
{
    const Patroonrij p = GetParam();
    Typen(QString::fromUtf8(p.patroon));
    QTest::keyClick(&combo(), Qt::Key_Return);
    EXPECT_EQ(Namen(bestanden().lijstModel()), p.verwacht);
    EXPECT_EQ(Cursief(), p.cursief);
    EXPECT_EQ(KnopCursief(), p.cursief);
    EXPECT_TRUE(bestanden().hasFocus());
    // The combo still offers every extension of the folder.
    EXPECT_TRUE(InCombo(combo(), "*.bak"));
    EXPECT_TRUE(InCombo(combo(), "*.log"));
}

INSTANTIATE_TEST_SUITE_P(
    Selectie, Patronen,
    ::testing::Values(Patroonrij{"Extensie", "*.txt", {"9.txt", "a.txt", "ab.txt", "B.TXT"}, true},
                      Patroonrij{"Hoofdletters", "*.TXT", {"9.txt", "a.txt", "ab.txt", "B.TXT"}, true},
                      Patroonrij{"Begin", "a*", {"A.doc", "a.txt", "a.txt.bak", "ab.txt"}, true},
                      Patroonrij{"EenTeken", "?.txt", {"9.txt", "a.txt", "B.TXT"}, true},
                      Patroonrij{"Cijfer", "#*", {"1x.doc", "9.txt"}, true},
                      Patroonrij{"Reeks", "[a-b]*", {"A.doc", "a.txt", "a.txt.bak", "ab.txt", "B.TXT"}, true},
                      Patroonrij{"NietInReeks", "[!a]*", {"1x.doc", "9.txt", "B.TXT", "c.log"}, true},
                      Patroonrij{"ZonderJokers", "ab.txt", {"ab.txt"}, true},
                      Patroonrij{"Spaties", "  *.LOG  ", {"c.log"}, true},
                      Patroonrij{"NietsPast", "*.zip", {}, true}, Patroonrij{"Ster", "*", Alles, false},
                      Patroonrij{"Sterren", "**", Alles, false}, Patroonrij{"Leeg", "", Alles, false}),
    [](const auto& info) { return std::string(info.param.geval); });

// Typing alone filters nothing; Enter does. A right click on "Patroon" clears the pattern and
// the italics; a left click applies what was typed.
TEST_F(PatroonTest, AlleenDeTriggersPassenToe)
{
    Typen("*.doc");
    QTest::keyClick(&combo(), Qt::Key_Right); // keys other than Enter do nothing either
    EXPECT_EQ(Namen(bestanden().lijstModel()), Alles);
    EXPECT_FALSE(Cursief());

    QTest::keyClick(&combo(), Qt::Key_Enter); // the keypad's Enter counts too
    EXPECT_EQ(Namen(bestanden().lijstModel()), (QStringList{"1x.doc", "A.doc"}));
    EXPECT_TRUE(Cursief());

    QTest::mouseClick(&knop(), Qt::RightButton);
    EXPECT_EQ(combo().currentText(), QString());
    EXPECT_EQ(Namen(bestanden().lijstModel()), Alles);
    EXPECT_FALSE(Cursief());
    EXPECT_FALSE(KnopCursief());

    Typen("*.log");
    EXPECT_EQ(Namen(bestanden().lijstModel()), Alles);
    QTest::mouseClick(&knop(), Qt::LeftButton);
    EXPECT_EQ(Namen(bestanden().lijstModel()), (QStringList{"c.log"}));
    EXPECT_TRUE(Cursief());
    EXPECT_TRUE(KnopCursief());

    // A refill from elsewhere filters by the text but leaves the italics alone.
    combo().setEditText("*");
    venster->lokaalPaneel().LijstVullenLokaal(std::nullopt, Soort::Beide, false);
    EXPECT_EQ(Namen(bestanden().lijstModel()), Alles);
    EXPECT_TRUE(Cursief());
}

// A choice from the opened drop-down list applies at once; stepping through the closed combo
// with the arrow keys does not.
TEST_F(PatroonTest, KeuzeUitDeLijst)
{
    combo().setFocus();
    for (int i = 0; i < 3 && PatroonIsLeeg(combo().currentText()); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_FALSE(PatroonIsLeeg(combo().currentText()));
    EXPECT_EQ(Namen(bestanden().lijstModel()), Alles);
    EXPECT_FALSE(venster->selectie().PatroonLijstOpenLokaal());

    combo().showPopup();
    QAbstractItemView* lijst = combo().view();
    ASSERT_TRUE(WachtTot([&] { return lijst->isVisible(); }));
    EXPECT_TRUE(venster->selectie().PatroonLijstOpenLokaal());
    const int rij = combo().findText("*.log");
    ASSERT_GE(rij, 0);
    const QModelIndex plek = lijst->model()->index(rij, 0);
    lijst->scrollTo(plek);
    QTest::mouseClick(lijst->viewport(), Qt::LeftButton, {}, lijst->visualRect(plek).center());
    ASSERT_TRUE(WachtTot([&] { return Namen(bestanden().lijstModel()) == QStringList{"c.log"}; }));
    EXPECT_TRUE(Cursief());
    EXPECT_FALSE(venster->selectie().PatroonLijstOpenLokaal());

    // Chosen with Enter in the opened list; a later Enter in the text still applies.
    combo().showPopup();
    ASSERT_TRUE(WachtTot([&] { return lijst->isVisible(); }));
    lijst->setCurrentIndex(lijst->model()->index(combo().findText("*.doc"), 0));
    QTest::keyClick(lijst, Qt::Key_Return);
    ASSERT_TRUE(WachtTot([&] { return Namen(bestanden().lijstModel()) == QStringList{"1x.doc", "A.doc"}; }));
    Typen("*.bak");
    QTest::keyClick(&combo(), Qt::Key_Return);
    EXPECT_EQ(Namen(bestanden().lijstModel()), QStringList{"a.txt.bak"});
}

// After files arrived: the pattern goes, the side is refilled, and the rows of the names that
// exist are selected together.
TEST_F(PatroonTest, NamenNaAankomstGeselecteerd)
{
    Typen("*.doc");
    QTest::keyClick(&combo(), Qt::Key_Return);
    ASSERT_TRUE(Cursief());
    Maken(map.path(), {"nieuw.txt"});

    venster->selectie().SelecterenInLijstBLokaal({QString(), "NIEUW.txt", "weg.txt", "a.txt"});
    EXPECT_EQ(combo().currentText(), QString());
    EXPECT_EQ(bestanden().lijstModel().Aantal(), Alles.size() + 1);
    EXPECT_EQ(GeselecteerdeNamenVan(bestanden()), (QStringList{"a.txt", "nieuw.txt"}));
    EXPECT_FALSE(Cursief());
    EXPECT_FALSE(KnopCursief());
    EXPECT_TRUE(bestanden().hasFocus());

    // No names: nothing happens, not even a refill.
    Maken(map.path(), {"later.txt"});
    venster->selectie().SelecterenInLijstBLokaal({QString()});
    EXPECT_EQ(bestanden().lijstModel().Aantal(), Alles.size() + 1);
}

// The active side's lists for the operations of other parts.
TEST_F(PatroonTest, LijstEnLijstBVanDeActieveKant)
{
    Selectie& s = venster->selectie();
    QString pad;
    LijstWeergave* lijst = nullptr;
    ui().LijstLokaal->setFocus();
    LijstDeselecteren(*ui().LijstLokaal);
    EXPECT_FALSE(s.Lijst(pad, lijst)); // nothing selected: nothing to act on, no notice
    SelecterenInLijst(*ui().LijstLokaal, "tweede", true, true);
    // Not connected: the server list gives way to the local one.
    ui().LijstFtp->setFocus();
    ASSERT_TRUE(s.Lijst(pad, lijst));
    EXPECT_EQ(lijst, ui().LijstLokaal);
    EXPECT_EQ(pad, venster->lokaalPaneel().HuidigeLokalemap() + "tweede");

    int positie = -1;
    EXPECT_EQ(s.LijstB(positie), QStringList{QString()});
    EXPECT_EQ(positie, 0);
    SelecterenInLijst(bestanden(), "a.txt", true, true);
    SelecterenInLijst(bestanden(), "c.log", true, false);
    ui().cboPatroonLokaal->setFocus();
    EXPECT_EQ(s.LijstB(positie), (QStringList{QString(), "a.txt", "c.log"}));
    EXPECT_EQ(positie, 8);
    EXPECT_TRUE(bestanden().hasFocus());
    EXPECT_TRUE(vragen.Vragen().empty());

    // A list that cannot take the focus: the notice of this Part.
    ui().LijstLokaal->setEnabled(false);
    ui().LijstBLokaal->setEnabled(false);
    EXPECT_FALSE(s.Lijst(pad, lijst));
    EXPECT_TRUE(s.LijstB(positie).size() == 1);
    ASSERT_EQ(vragen.Vragen().size(), 2u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, "Geen lijst met mappen geselecteerd.");
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 1);
    EXPECT_EQ(vragen.Vragen()[1].opties.Tekst, "Geen lijst met bestanden geselecteerd.");
    EXPECT_EQ(vragen.Vragen()[1].opties.Pictogram, 1);
}

// A folder without files or subfolders counts 0 in both headers; the timer then shows 0/0.
TEST_F(PatroonTest, LegeMapTeltNul)
{
    QTemporaryDir leeg;
    venster->lokaalPaneel().LijstVullenLokaal(leeg.path(), Soort::Beide, false);
    EXPECT_EQ(Namen(ui().LijstLokaal->lijstModel()), QStringList{" .."});
    EXPECT_EQ(ui().LijstLokaal->lijstModel().KopTekst(0), "Lokale mapnaam (0)");
    EXPECT_EQ(bestanden().lijstModel().KopTekst(0), "Lokale bestandsnaam (0)");
    EXPECT_TRUE(
        WachtTot([&] { return bestanden().lijstModel().KopTekst(0) == "Lokale bestandsnaam (0/0)"; }));
}

class ServerPatroonTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        for (const char* naam : {"a.txt", "B.TXT", "a.txt.bak", "c.log"})
            server.schrijf(QString::fromLatin1(naam), "x");
        server.maakMap(QStringLiteral("map"));
        ServerOpslaan(QStringLiteral("testserver"), server);
        Kiezen(QStringLiteral("testserver"));
        ASSERT_TRUE(venster->serverPaneel().Verbonden());
    }

    LijstWeergave& bestanden() { return *ui().LijstBFtp; }
    FtpTestServer server;
};

// The server side: Enter applies, a right click on "Patroon" shows all again; files that
// arrived are selected after a refill without pattern.
TEST_F(ServerPatroonTest, PatroonEnAankomst)
{
    QComboBox& combo = *ui().cboPatroonFtp;
    combo.setFocus();
    QTest::keyClicks(&combo, "*.txt");
    EXPECT_EQ(bestanden().lijstModel().Aantal(), 4);
    QTest::keyClick(&combo, Qt::Key_Return);
    EXPECT_EQ(Namen(bestanden().lijstModel()), (QStringList{"a.txt", "B.TXT"}));
    EXPECT_TRUE(bestanden().lijstModel().Cursief());
    EXPECT_TRUE(ui().knopPatroonFtp->font().italic());

    QTest::mouseClick(ui().knopPatroonFtp, Qt::RightButton);
    EXPECT_EQ(Namen(bestanden().lijstModel()), (QStringList{"a.txt", "a.txt.bak", "B.TXT", "c.log"}));
    EXPECT_FALSE(bestanden().lijstModel().Cursief());

    server.schrijf(QStringLiteral("d.txt"), "nieuw");
    venster->selectie().SelecterenInLijstBFtp({QString(), "d.txt", "ontbreekt.txt"});
    EXPECT_EQ(GeselecteerdeNamenVan(bestanden()), QStringList{"d.txt"});

    // The server side is active and connected: its lists are the ones acted on.
    int positie = 0;
    EXPECT_EQ(venster->selectie().LijstB(positie), (QStringList{QString(), "d.txt"}));
    EXPECT_EQ(positie, 5);
    SelecterenInLijst(*ui().LijstFtp, "map", true, true);
    QString pad;
    LijstWeergave* lijst = nullptr;
    ASSERT_TRUE(venster->selectie().Lijst(pad, lijst));
    EXPECT_EQ(lijst, ui().LijstFtp);
    EXPECT_EQ(pad, "/map");
    EXPECT_TRUE(vragen.Vragen().empty());
}

} // namespace
} // namespace Vamox::Test
