#include "PaneelHulp.h"

#include "platform/gui/Kleuren.h"
#include "platform/gui/Shell.h"
#include "platform/gui/Zandloper.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace Vamox::Test {
namespace {

class LokaalPaneelTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        ASSERT_TRUE(tmp.isValid());
        root = tmp.path() + u'/';
        Maken(tmp.path(),
              {"a/b/x/b/diep.txt", "B/c/", "leeg/", "readme.txt", "NOTES.Txt", "Makefile", "foto.jpg"});
        Naar(root);
    }

    void Naar(const QString& map)
    {
        Typen(ui().MapLokaal, map, true);
        ASSERT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), map);
    }

    QTemporaryDir tmp;
    QString root; // ends in "/"
};

TEST_F(LokaalPaneelTest, VultBeideLijsten)
{
    EXPECT_EQ(Namen(ui().LijstLokaal->lijstModel()), (QStringList{" ..", "a", "B", "leeg"}));
    EXPECT_EQ(Iconen(*ui().LijstLokaal), (QStringList{"mapomhoog", "map", "map", "map"}));
    EXPECT_EQ(ui().LijstLokaal->lijstModel().KopTekst(0), QStringLiteral("Lokale mapnaam (3)"));
    EXPECT_EQ(Namen(ui().LijstBLokaal->lijstModel()),
              (QStringList{"foto.jpg", "Makefile", "NOTES.Txt", "readme.txt"}));
    EXPECT_EQ(Iconen(*ui().LijstBLokaal), (QStringList{"jpg", "bestand", "txt", "txt"}));
    EXPECT_EQ(ui().LijstBLokaal->lijstModel().KopTekst(0), QStringLiteral("Lokale bestandsnaam (4)"));
    EXPECT_EQ(Lijst(*ui().cboPatroonLokaal), (QStringList{"*", "*.jpg", "*.txt"}));
    EXPECT_FALSE(ZandloperAan());
    EXPECT_TRUE(WachtTot([&] {
        return ui().LabelLokaal->text() == QStringLiteral("Lokale map: ") + root &&
               Tekstkleur(*ui().LabelLokaal) == Kleur(Kleurrol::Tekst);
    }));

    // An empty folder: only the parent entry, counted as nothing.
    Dubbelklik(*ui().LijstLokaal, QStringLiteral("leeg"));
    EXPECT_EQ(Namen(ui().LijstLokaal->lijstModel()), (QStringList{" .."}));
    EXPECT_EQ(ui().LijstLokaal->lijstModel().KopTekst(0), QStringLiteral("Lokale mapnaam (0)"));
    EXPECT_EQ(ui().LijstBLokaal->lijstModel().Aantal(), 0);
    EXPECT_TRUE(vragen.Vragen().empty());
}

TEST_F(LokaalPaneelTest, RootHeeftGeenOuderEnLegeEnterGaatNaarDeRoot)
{
    Typen(ui().MapLokaal, QString(), true);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), QStringLiteral("/"));
    ASSERT_GT(ui().LijstLokaal->lijstModel().Aantal(), 0);
    EXPECT_NE(ui().LijstLokaal->lijstModel().Rij(0).naam, QStringLiteral(" .."));
    QTest::keyClick(ui().LijstLokaal, Qt::Key_Backspace);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), QStringLiteral("/"));
}

// In and out of a folder by mouse or keyboard: Enter on a row opens it as a double click does,
// and going up selects the folder just left.
TEST_F(LokaalPaneelTest, OmhoogSelecteertDeVerlatenMap)
{
    enum Wijze
    {
        Backspace,
        Dubbelklikken,
        Enter
    };
    for (const Wijze wijze : {Backspace, Dubbelklikken, Enter}) {
        SCOPED_TRACE(int(wijze));
        if (wijze == Enter) {
            RijSelecteren(*ui().LijstLokaal, RijVan(*ui().LijstLokaal, QStringLiteral("B")));
            ui().LijstLokaal->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            Dubbelklik(*ui().LijstLokaal, QStringLiteral("B"));
        }
        ASSERT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root + QStringLiteral("B/"));
        EXPECT_EQ(ui().MapLokaal->text(), root + QStringLiteral("B/"));
        EXPECT_EQ(GeselecteerdeRij(*ui().LijstLokaal), 0);
        if (wijze == Backspace)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        else if (wijze == Enter)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter,
                            Qt::KeypadModifier); // " .." is selected
        else
            Dubbelklik(*ui().LijstLokaal, QStringLiteral(" .."));
        EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root);
        EXPECT_EQ(ui().MapLokaal->text(), root);
        EXPECT_EQ(GeselecteerdeNaam(*ui().LijstLokaal), QStringLiteral("B"));
    }
}

TEST_F(LokaalPaneelTest, MapMetDeNaamVanEenVoorouder)
{
    Naar(root + QStringLiteral("a/b/x/b/"));
    Dubbelklik(*ui().LijstLokaal, QStringLiteral(" .."));
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root + QStringLiteral("a/b/x/"));
    EXPECT_EQ(GeselecteerdeNaam(*ui().LijstLokaal), QStringLiteral("b"));
}

TEST_F(LokaalPaneelTest, GetypteMapKleurtEnEnterMeldtOntbrekende)
{
    Typen(ui().MapLokaal, root + QStringLiteral("lee"), false);
    EXPECT_TRUE(TekstRood(*ui().MapLokaal));
    EXPECT_TRUE(WachtTot([&] { return ui().LijstBLokaal->lijstModel().Grijs(); }));
    QTest::keyClick(ui().MapLokaal, Qt::Key_G);
    EXPECT_EQ(Tekstkleur(*ui().MapLokaal), Kleur(Kleurrol::Tekst));
    QTest::keyClick(ui().MapLokaal, Qt::Key_X);
    QTest::keyClick(ui().MapLokaal, Qt::Key_Return);
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral("Map '") + root + QStringLiteral("leegx/' niet gevonden."));
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 4);
    EXPECT_EQ(ui().MapLokaal->text(), root);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root);
    EXPECT_TRUE(WachtTot([&] { return !ui().LijstBLokaal->lijstModel().Grijs(); }));

    // A relative path is not looked up in the program's working folder.
    Typen(ui().MapLokaal, QStringLiteral("tmp"), true);
    EXPECT_EQ(vragen.Vragen().size(), 2u);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root);

    // Leaving the box drops an unconfirmed edit, also a valid one; Escape as well.
    Typen(ui().MapLokaal, root + QStringLiteral("leeg"), false);
    ui().LijstBLokaal->setFocus();
    EXPECT_EQ(ui().MapLokaal->text(), root);
    Typen(ui().MapLokaal, QStringLiteral("/nergens"), false);
    QTest::keyClick(ui().MapLokaal, Qt::Key_Escape);
    EXPECT_EQ(ui().MapLokaal->text(), root);

    // "." and ".." in a typed path are resolved before they become the current folder.
    Typen(ui().MapLokaal, root + QStringLiteral("a/./b/../"), true);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root + QStringLiteral("a/"));
}

TEST_F(LokaalPaneelTest, VerdwenenMapKleurtHetLabelRood)
{
    Naar(root + QStringLiteral("leeg/"));
    ASSERT_TRUE(WachtTot([&] { return Tekstkleur(*ui().LabelLokaal) == Kleur(Kleurrol::Tekst); }));
    ASSERT_TRUE(QDir(root + QStringLiteral("leeg")).removeRecursively());
    EXPECT_TRUE(WachtTot([&] {
        return TekstRood(*ui().LabelLokaal) && ui().LabelLokaal->text() == QLatin1String("Lokaal");
    }));
    // Refreshing a folder that is gone: the short notice, the lists stay.
    QTest::keyClick(ui().LijstLokaal, Qt::Key_F5);
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, QStringLiteral("Map niet gevonden."));
    EXPECT_EQ(vragen.Vragen()[0].opties.SluitenNa, 1500);
    EXPECT_TRUE(vragen.Vragen()[0].opties.Knoppen.isEmpty());
}

TEST_F(LokaalPaneelTest, PatroonInHoofdlettersEnF5)
{
    ui().cboPatroonLokaal->setEditText(QStringLiteral("*.TXT"));
    Maken(tmp.path(), {"nieuw.txt", "nieuw.doc"});
    QTest::keyClick(ui().LijstBLokaal, Qt::Key_F5);
    EXPECT_EQ(Namen(ui().LijstBLokaal->lijstModel()), (QStringList{"nieuw.txt", "NOTES.Txt", "readme.txt"}));
    // With a pattern the box's list is not started anew: it grows by what is new.
    EXPECT_EQ(Lijst(*ui().cboPatroonLokaal), (QStringList{"*", "*.jpg", "*.txt", "*.doc"}));
    EXPECT_EQ(ui().cboPatroonLokaal->currentText(), QStringLiteral("*.TXT"));
}

TEST_F(LokaalPaneelTest, BestandOpenenMetHetBureaublad)
{
    const struct
    {
        bool gelukt;
        std::size_t meldingen;
    } rijen[] = {{true, 0}, {false, 1}};
    for (const auto& r : rijen) {
        SCOPED_TRACE(r.gelukt);
        QStringList geopend;
        ShellVoorTest shell([&](const QString& pad) {
            geopend << pad;
            return r.gelukt;
        });
        RijSelecteren(*ui().LijstBLokaal, RijVan(*ui().LijstBLokaal, QStringLiteral("readme.txt")));
        const std::size_t voor = vragen.Vragen().size();
        venster->navigatie().MapOpenen(*ui().LijstBLokaal);
        EXPECT_EQ(geopend, QStringList{root + QStringLiteral("readme.txt")});
        ASSERT_EQ(vragen.Vragen().size() - voor, r.meldingen);
        if (!r.gelukt) {
            EXPECT_EQ(vragen.Vragen().back().opties.Tekst, QStringLiteral("Kan bestand\r\n ") + root +
                                                               QStringLiteral("readme.txt\r\nniet openen."));
            EXPECT_EQ(vragen.Vragen().back().opties.Pictogram, 4);
        }
        EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), root);
    }
}

TEST_F(LokaalPaneelTest, RechtsklikInMapboxOpentDeMap)
{
    QStringList geopend;
    ShellVoorTest shell([&](const QString& pad) {
        geopend << pad;
        return QFileInfo(pad).isDir();
    });
    QTest::mouseClick(ui().MapLokaal, Qt::RightButton);
    EXPECT_EQ(geopend, QStringList{root});
    EXPECT_TRUE(vragen.Vragen().empty());
    ui().MapLokaal->setText(QStringLiteral("/bestaat/niet"));
    QTest::mouseClick(ui().MapLokaal, Qt::RightButton);
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, QStringLiteral("Map '/bestaat/niet' niet gevonden."));
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 3);
}

TEST_F(LokaalPaneelTest, NietBeschikbareSchijfGaatTerug)
{
    QComboBox* schijf = ui().SchijfLokaal;
    const int vorige = schijf->currentIndex();
    schijf->addItem(QStringLiteral("/media/weg  KAART"), QStringLiteral("/media/weg"));
    schijf->setCurrentIndex(schijf->count() - 1);
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, QStringLiteral("Schijf /media/weg is niet beschikbaar."));
    EXPECT_EQ(vragen.Vragen()[0].opties.Knoppen, QStringLiteral("&OK"));
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 1);
    EXPECT_EQ(schijf->currentIndex(), vorige);
    // Back on the root of the last drive that was there.
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), QStringLiteral("/"));
    EXPECT_EQ(ui().MapLokaal->text(), QStringLiteral("/"));
}

TEST_F(LokaalPaneelTest, RechtsklikOpOmhoogGaatNaarDeRoot)
{
    ui().LijstLokaal->setFocus();
    QTest::mouseClick(ui().knopMapHoger, Qt::RightButton);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), QStringLiteral("/"));
    EXPECT_EQ(venster->focusWidget(), ui().LijstLokaal);
}

TEST_F(LokaalPaneelTest, ActieveKantVolgtDeFocus)
{
    const std::pair<QWidget*, bool> rijen[] = {{ui().cboPatroonLokaal->lineEdit(), true},
                                               {ui().MapLokaal, true},
                                               {ui().LijstBLokaal, true},
                                               {ui().MapFtp, false},
                                               {ui().LijstFtp, false}};
    for (const auto& [besturing, lokaal] : rijen) {
        besturing->setFocus();
        EXPECT_EQ(venster->navigatie().LokaalActief(), lokaal) << besturing->objectName().toStdString();
    }
}

TEST_F(LokaalPaneelTest, PlustekenNaDeVraag)
{
    vragen.Antwoord(1);
    venster->menus().mnuPlusLokaal->trigger();
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral(
                  "Een plusteken in het symbool van de lokale mappen als deze submappen bevat betekent\r\n"
                  "dat het zoeken naar de lokale mappen iets langer duurt.\r\nDoorgaan?"));
    EXPECT_EQ(Iconen(*ui().LijstLokaal), (QStringList{"mapomhoog", "mapplus", "mapplus", "map"}));
}

// Sizes and dates in the locale's form; the hidden size key has one width for all sizes.
class LokaalFormaat : public LokaalPaneelTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(LokaalFormaat, GrootteEnDatum)
{
    const QLocale locale = GetParam() ? QLocale(QLocale::Dutch, QLocale::Netherlands) : QLocale::system();
    LocaleWissel wissel(locale);
    Maken(tmp.path(), {"groot.bin", "klein.bin"});
    {
        QFile f(root + QStringLiteral("groot.bin"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(1234567));
        ASSERT_TRUE(
            f.setFileTime(QDateTime(QDate(2019, 3, 12), QTime(14, 5)), QFileDevice::FileModificationTime));
    }
    QTest::keyClick(ui().LijstBLokaal, Qt::Key_F5);
    const LijstModel& m = ui().LijstBLokaal->lijstModel();
    const int groot = RijVan(*ui().LijstBLokaal, QStringLiteral("groot.bin"));
    const int klein = RijVan(*ui().LijstBLokaal, QStringLiteral("klein.bin"));
    ASSERT_GE(groot, 0);
    const QString sep = GetParam() ? QStringLiteral(".") : locale.groupSeparator();
    const auto tekst = [&](int rij, int kolom) { return m.data(m.index(rij, kolom)).toString(); };
    EXPECT_EQ(tekst(groot, LijstModel::KolomGrootte), QStringLiteral("1") + sep + "234" + sep + "567");
    EXPECT_EQ(tekst(groot, LijstModel::KolomDatum), QStringLiteral("12-03-2019"));
    EXPECT_EQ(tekst(groot, LijstModel::KolomNDatum), QStringLiteral("2019-03-12"));
    EXPECT_EQ(tekst(groot, LijstModel::KolomNGrootte).size(), tekst(klein, LijstModel::KolomNGrootte).size());
}

INSTANTIATE_TEST_SUITE_P(Locale, LokaalFormaat, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) {
                             return i.param ? "nl_NL" : "standaard";
                         });

} // namespace
} // namespace Vamox::Test
