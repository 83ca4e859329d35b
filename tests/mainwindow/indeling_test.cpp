#include "VensterHulp.h"

#include "dialogs/DialoogSeam.h"
#include "panes/gui/LijstWeergave.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

#include <cmath>
#include <map>
#include <string>

namespace Vamox::Test {
namespace {

// The share of a width change (dx) and a height change (dy) that each control follows.
struct Aandeel
{
    const char* naam;
    double links, breedte; // parts of dx
    double boven, hoogte;  // parts of dy
};

const Aandeel Aandelen[] = {
    {"LabelKnoppenbalk", 0, 1, 0, 1},
    // Local side grows with half the width; its bottom row shares that half.
    {"LabelLokaal", 0, 0.5, 0, 0},
    {"SchijfLokaal", 0, 0.5, 0, 0},
    {"MapLokaal", 0, 0.5, 0, 0},
    {"LijstLokaal", 0, 0.5, 0, 0.5},
    {"LijstBLokaal", 0, 0.5, 0.5, 0.5},
    {"knopPatroonLokaal", 0, 0, 1, 0},
    {"cboPatroonLokaal", 0, 0.25, 1, 0},
    {"knopZoekenLokaal", 0.25, 0, 1, 0},
    {"VakZoekenLokaal", 0.25, 0.25, 1, 0},
    // Server side moves right by half and grows by the other half.
    {"LabelFtp", 0.5, 0.5, 0, 0},
    {"cboVerbindingenFtp", 0.5, 0.5, 0, 0},
    {"MapFtp", 0.5, 0.5, 0, 0},
    {"LijstFtp", 0.5, 0.5, 0, 0.5},
    {"LijstBFtp", 0.5, 0.5, 0.5, 0.5},
    {"knopPatroonFtp", 0.5, 0, 1, 0},
    {"cboPatroonFtp", 0.5, 0.25, 1, 0},
    {"knopZoekenFtp", 0.75, 0, 1, 0},
    {"VakZoekenFtp", 0.75, 0.25, 1, 0},
    // Toolbar column: folder buttons stay at the top, file buttons follow the file lists.
    {"knopServergegevens", 0.5, 0, 0, 0},
    {"KnopVerbreken", 0.5, 0, 0, 0},
    {"knopMapHoger", 0.5, 0, 0, 0},
    {"knopMapNieuw", 0.5, 0, 0, 0},
    {"knopVerwijderenMap", 0.5, 0, 0, 0},
    {"knopUploaden", 0.5, 0, 0, 0},
    {"knopDownloaden", 0.5, 0, 0, 0},
    {"knopBUploaden", 0.5, 0, 0.5, 0},
    {"knopBDownloaden", 0.5, 0, 0.5, 0},
    {"knopUploadBestandKiezen", 0.5, 0, 0.5, 0},
    {"knopOpenen", 0.5, 0, 0.5, 0},
    {"knopKopierenBestand", 0.5, 0, 0.5, 0},
    {"knopKopierenNaarKlembord", 0.5, 0, 0.5, 0},
    {"knopVerwijderenBestand", 0.5, 0, 0.5, 0},
};

QWidget* Besturing(FrmFtp& venster, const char* naam)
{
    return venster.ui().centraal->findChild<QWidget*>(QLatin1String(naam), Qt::FindDirectChildrenOnly);
}

std::map<std::string, QRect> Opname(FrmFtp& venster)
{
    std::map<std::string, QRect> plekken;
    for (const Aandeel& a : Aandelen)
        plekken[a.naam] = Besturing(venster, a.naam)->geometry();
    return plekken;
}

// Size changes in twips that are whole pixels whose quarters are whole pixels too, so the
// expected pixel positions are exact.
struct Wijziging
{
    int dx, dy;
};

void PrintTo(const Wijziging& w, std::ostream* uit)
{
    *uit << "dx " << w.dx << ", dy " << w.dy;
}

class Vergroten : public ::testing::TestWithParam<Wijziging>
{
};

TEST_P(Vergroten, ElkeBesturingVolgtZijnDeelVanDeWijziging)
{
    const Wijziging w = GetParam();
    auto venster = GetoondVenster();
    const auto voor = Opname(*venster);
    ASSERT_TRUE(ClientVergroten(*venster, w.dx, w.dy));

    const TwipsSchaal schaal = Schaal();
    for (const Aandeel& a : Aandelen) {
        SCOPED_TRACE(a.naam);
        const QRect oud = voor.at(a.naam);
        const QRect nu = Besturing(*venster, a.naam)->geometry();
        EXPECT_EQ(nu.x(), oud.x() + schaal.NaarPixelsX(int(w.dx * a.links)));
        EXPECT_EQ(nu.width(), oud.width() + schaal.NaarPixelsX(int(w.dx * a.breedte)));
        EXPECT_EQ(nu.y(), oud.y() + schaal.NaarPixelsY(int(w.dy * a.boven)));
        EXPECT_EQ(nu.height(), oud.height() + schaal.NaarPixelsY(int(w.dy * a.hoogte)));
    }
}

INSTANTIATE_TEST_SUITE_P(Indeling, Vergroten,
                         ::testing::Values(Wijziging{2040, 0},    // wider: toolbar and server side 1020 right
                                           Wijziging{0, 1080},    // taller: file lists 540 down
                                           Wijziging{2040, 1080}, // both at once
                                           Wijziging{-1680, -600} // smaller, down to the minimum width
                                           ),
                         [](const auto& info) {
                             const auto getal = [](int n) {
                                 return (n < 0 ? "min" : "") + std::to_string(std::abs(n));
                             };
                             return "dx" + getal(info.param.dx) + "_dy" + getal(info.param.dy);
                         });

TEST(Indeling, ServerZoekvakEindigtMetDeServerBestandenlijst)
{
    auto venster = GetoondVenster();
    ASSERT_TRUE(ClientVergroten(*venster, 1995, 0)); // odd: quarters are fractions of a pixel
    const VensterUi& ui = venster->ui();
    const QRect lijst = ui.LijstBFtp->geometry();
    const QRect vak = ui.VakZoekenFtp->geometry();
    EXPECT_NEAR(vak.x() + vak.width(), lijst.x() + lijst.width(), 1);
    EXPECT_NEAR(vak.width(), ui.VakZoekenLokaal->width(), 1);
    EXPECT_NEAR(ui.cboPatroonFtp->width(), ui.cboPatroonLokaal->width(), 1);
    // Both sides have the same share of the window.
    EXPECT_NEAR(ui.LijstFtp->width(), ui.LijstLokaal->width(), 1);
    EXPECT_NEAR(ui.LijstBFtp->width(), ui.LijstBLokaal->width(), 1);
}

TEST(Indeling, TerugNaarHetBeginformaatGeeftHetOntwerpZonderAfwijking)
{
    auto venster = GetoondVenster();
    const auto begin = Opname(*venster);
    // Odd twips: halves and quarters are not whole pixels on the way.
    const Wijziging stappen[] = {{105, 45}, {1995, 0}, {-15, 735}, {300, -15}, {-2385, -765}};
    for (const Wijziging& s : stappen)
        ASSERT_TRUE(ClientVergroten(*venster, s.dx, s.dy));
    EXPECT_EQ(Opname(*venster), begin);
}

TEST(Indeling, KolommenVolgenDeBreedteVanDeLijsten)
{
    auto venster = GetoondVenster();
    const VensterUi& ui = venster->ui();
    LijstWeergave* lijsten[] = {ui.LijstLokaal, ui.LijstBLokaal, ui.LijstFtp, ui.LijstBFtp};
    std::map<LijstWeergave*, int> naamKolom;
    for (LijstWeergave* l : lijsten)
        naamKolom[l] = l->columnWidth(0);
    const int grootte = ui.LijstBFtp->columnWidth(1);

    ASSERT_TRUE(ClientVergroten(*venster, 2040, 0));
    for (LijstWeergave* l : lijsten) {
        SCOPED_TRACE(l->objectName().toStdString());
        EXPECT_EQ(l->columnWidth(0), naamKolom[l] + Schaal().NaarPixelsX(1020));
    }
    EXPECT_EQ(ui.LijstBFtp->columnWidth(1), grootte);
}

TEST(Indeling, KleinerDanHetMinimumVeertTerug)
{
    auto venster = GetoondVenster();
    const QSize minimum = Schaal().NaarPixels(QSize(Indeling::MinimumBreedte, Indeling::MinimumHoogte));
    venster->resize(300, 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->size() == minimum; }));

    // Also when the platform lets the window become smaller than its minimum.
    venster->setMinimumSize(0, 0);
    venster->resize(minimum.width() + 50, minimum.height() - 40);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return venster->size() == QSize(minimum.width() + 50, minimum.height()); }));
    venster->resize(minimum.width() - 30, minimum.height() + 20);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return venster->size() == QSize(minimum.width(), minimum.height() + 20); }));

    // The controls follow the size the window ended with.
    const TwipsSchaal schaal = Schaal();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return venster->toestand().Vensterbreedte == schaal.NaarTwipsX(venster->ui().centraal->width());
    }));
    const QRect lijst = venster->ui().LijstBFtp->geometry();
    EXPECT_EQ(lijst.x() + lijst.width(), venster->ui().centraal->width() - schaal.NaarPixelsX(120));
}

TEST(Indeling, MinimaliserenEnHerstellenLaatDeIndelingOngemoeid)
{
    auto venster = GetoondVenster();
    const auto voor = Opname(*venster);
    const QSize formaat = venster->size();
    const int breedte = venster->toestand().Vensterbreedte;

    venster->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->isMinimized(); }));
    // A platform that reports a tiny size for a minimised window: nothing moves, nothing springs back.
    venster->setMinimumSize(0, 0);
    venster->resize(160, 120);
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->size() == QSize(160, 120); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(venster->size(), QSize(160, 120));
    EXPECT_EQ(venster->toestand().Vensterbreedte, breedte);
    EXPECT_EQ(Opname(*venster), voor);

    venster->showNormal();
    venster->resize(formaat);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !venster->isMinimized() && venster->size() == formaat; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(Opname(*venster), voor);
}

TEST(Indeling, StandaardformaatInstellenInGemaximaliseerdVensterGeeftAlleenEenMelding)
{
    auto venster = GetoondVenster();
    venster->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->isMaximized(); }));
    DialoogOpnemer opnemer;
    venster->menus().mnuStandaardformaat->trigger();
    ASSERT_EQ(opnemer.Vragen().size(), 1u);
    EXPECT_EQ(opnemer.Vragen()[0].opties.Tekst,
              QStringLiteral("Deze optie is niet beschikbaar in een gemaximaliseerd venster."));
    EXPECT_EQ(opnemer.Vragen()[0].opties.Pictogram, 1);
    EXPECT_EQ(venster->toestand().Standaardbreedte, 0);
    EXPECT_EQ(venster->toestand().Standaardhoogte, 0);
}

// The offscreen screen (800 x 800) is smaller than the window's minimum; these tests switch
// the resize rule off so that the window can be small enough to fit.
void KleinVenster(FrmFtp& venster, QSize formaat)
{
    venster.toestand().Laden = true;
    venster.setMinimumSize(0, 0);
    venster.resize(formaat);
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster.size() == formaat; }));
}

QRect Scherm(const FrmFtp& venster)
{
    return venster.screen()->geometry();
}

TEST(Indeling, StandaardformaatInstellenBewaartHetFormaatEnCentreert)
{
    auto venster = GetoondVenster();
    KleinVenster(*venster, QSize(420, 300));
    venster->move(5, 7);
    DialoogOpnemer opnemer;
    venster->menus().mnuStandaardformaat->trigger();
    EXPECT_TRUE(opnemer.Vragen().empty());
    EXPECT_EQ(venster->toestand().Standaardbreedte, Schaal().NaarTwipsX(420));
    EXPECT_EQ(venster->toestand().Standaardhoogte, Schaal().NaarTwipsY(300));
    const QRect scherm = Scherm(*venster);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QRect buiten = venster->frameGeometry();
        return buiten.x() == (scherm.width() - buiten.width()) / 2 &&
               buiten.y() == (scherm.height() - buiten.height()) / 2;
    }));
}

TEST(Indeling, StandaardformaatGeeftHetBewaardeFormaatGecentreerd)
{
    auto venster = GetoondVenster();
    KleinVenster(*venster, QSize(420, 300));
    // Never stored: nothing to apply (it used to shrink the window to nothing).
    venster->move(5, 7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->frameGeometry().topLeft() == QPoint(5, 7); }));
    venster->indeling().Standaardformaat();
    QCoreApplication::processEvents();
    EXPECT_EQ(venster->size(), QSize(420, 300));
    EXPECT_EQ(venster->frameGeometry().topLeft(), QPoint(5, 7));

    venster->toestand().Standaardbreedte = 7500;
    venster->toestand().Standaardhoogte = 6000;
    venster->indeling().Standaardformaat();
    const QSize doel = Schaal().NaarPixels(QSize(7500, 6000));
    const QRect scherm = Scherm(*venster);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QRect buiten = venster->frameGeometry();
        return venster->size() == doel && buiten.x() == (scherm.width() - buiten.width()) / 2 &&
               buiten.y() == (scherm.height() - buiten.height()) / 2;
    }));
}

struct Plaatsing
{
    const char* geval;
    int links, boven;         // start, pixels relative to the screen's edges (negative: left/top of it)
    bool vanRechts, vanOnder; // the start is measured from the right / bottom edge
    int verwachtLinks, verwachtBoven; // -1: centred is not asked; the value checked below
};

void PrintTo(const Plaatsing& p, std::ostream* uit)
{
    *uit << p.geval;
}

class OpHetScherm : public ::testing::TestWithParam<Plaatsing>
{
};

TEST_P(OpHetScherm, FormulierTonenHoudtHetVensterOpHetScherm)
{
    const Plaatsing p = GetParam();
    auto venster = GetoondVenster();
    const QSize formaat(400, 300);
    KleinVenster(*venster, formaat);
    const QRect scherm = Scherm(*venster);
    const QSize buiten = venster->frameGeometry().size(); // with the frame the platform draws
    const int links = p.vanRechts ? scherm.width() - buiten.width() + p.links : p.links;
    const int boven = p.vanOnder ? scherm.height() - buiten.height() + p.boven : p.boven;
    venster->move(links, boven);
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->frameGeometry().topLeft() == QPoint(links, boven); }));

    venster->indeling().FormulierTonen();
    const int onderMarge = Schaal().NaarPixelsY(400);
    const int verwachtLinks = p.verwachtLinks >= 0 ? p.verwachtLinks : scherm.width() - buiten.width();
    const int verwachtBoven =
        p.verwachtBoven >= 0 ? p.verwachtBoven : scherm.height() - onderMarge - buiten.height();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return venster->frameGeometry().topLeft() == QPoint(verwachtLinks, verwachtBoven);
    })) << venster->frameGeometry().x()
        << "," << venster->frameGeometry().y() << " expected " << verwachtLinks << "," << verwachtBoven
        << " screen " << scherm.width() << "x" << scherm.height() << " frame "
        << venster->frameGeometry().width() << "x" << venster->frameGeometry().height();
}

INSTANTIATE_TEST_SUITE_P(Indeling, OpHetScherm,
                         ::testing::Values(Plaatsing{"binnen", 30, 40, false, false, 30, 40},
                                           Plaatsing{"links_erbuiten", -50, 40, false, false, 0, 40},
                                           Plaatsing{"rechts_erbuiten", 60, 40, true, false, -1, 40},
                                           Plaatsing{"boven_erbuiten", 30, -20, false, false, 30, 0},
                                           // Partly below the screen: ends 400 twips above its bottom.
                                           Plaatsing{"onder_erbuiten", 30, 10, false, true, 30, -1},
                                           Plaatsing{"in_de_marge", 30, -5, false, true, 30, -1}),
                         [](const auto& info) { return std::string(info.param.geval); });

TEST(Indeling, FormulierTonenLaatDeTitelbalkVanEenTeHoogVensterOpHetScherm)
{
    auto venster = GetoondVenster();
    const QRect scherm = Scherm(*venster);
    KleinVenster(*venster, QSize(400, scherm.height() + 50));
    venster->move(10, 30);
    venster->indeling().FormulierTonen();
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->frameGeometry().topLeft() == QPoint(10, 0); }));
}

} // namespace
} // namespace Vamox::Test
