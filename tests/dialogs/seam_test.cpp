#include "MsgTestHulp.h"

#include "dialogs/DialoogSeam.h"

#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

TEST(DialogSeam, AntwoorderZietDeVraagEnErVerschijntGeenVenster)
{
    bool vensterGezien = false;
    std::vector<DialoogVraag> vragen;
    DialoogAntwoorderScope scope([&](const DialoogVraag& vraag) {
        vensterGezien = vensterGezien || QApplication::activeModalWidget() != nullptr;
        vragen.push_back(vraag);
        return 3;
    });

    EXPECT_EQ(M({.Tekst = QStringLiteral("Bestaat al."),
                 .Pictogram = 2,
                 .Knoppen = QStringLiteral("&Ja+&Nee+&Alle overschrijven+&Stoppen"),
                 .Codes = QStringLiteral("1+2")}),
              3);
    Melding(QStringLiteral("Geen serverbestand geselecteerd."), 1);
    EXPECT_EQ(PlatformMelding(QStringLiteral("Afsluiten?"), QStringLiteral("Vamox"), 2, true), 3);

    EXPECT_FALSE(vensterGezien);
    ASSERT_EQ(vragen.size(), 3U);
    EXPECT_EQ(vragen[0].soort, DialoogVraag::Soort::Bericht);
    EXPECT_EQ(vragen[0].opties.Tekst, QStringLiteral("Bestaat al."));
    EXPECT_EQ(vragen[0].opties.Pictogram, 2);
    EXPECT_EQ(vragen[0].opties.Knoppen, QStringLiteral("&Ja+&Nee+&Alle overschrijven+&Stoppen"));
    EXPECT_EQ(vragen[1].opties.Knoppen, QStringLiteral("OK"));
    EXPECT_EQ(vragen[1].opties.Codes, QStringLiteral("1+2"));
    EXPECT_EQ(vragen[1].opties.Pictogram, 1);
    EXPECT_EQ(vragen[2].soort, DialoogVraag::Soort::Platform);
    EXPECT_EQ(vragen[2].opties.Knoppen, QStringLiteral("&Ja+&Nee"));
}

TEST(DialogSeam, OpnemerBeantwoordtUitDeRijDaarnaAlsEnterEnHerstelt)
{
    const DialoogAntwoorder* voor = &HuidigeAntwoorder();
    {
        DialoogOpnemer opnemer{2};
        EXPECT_EQ(M({.Tekst = QStringLiteral("a"),
                     .Knoppen = QStringLiteral("&Ja+&Nee"),
                     .Codes = QStringLiteral("1+2")}),
                  2);
        EXPECT_EQ(M({.Tekst = QStringLiteral("b"),
                     .Knoppen = QStringLiteral("&Ja+&Nee"),
                     .Codes = QStringLiteral("2+1")}),
                  2);
        {
            DialoogOpnemer binnen{4};
            EXPECT_EQ(M({.Tekst = QStringLiteral("c")}), 4);
            EXPECT_EQ(binnen.Vragen().size(), 1U);
        }
        EXPECT_EQ(PlatformMelding(QStringLiteral("d"), QString(), 4, false), 1);
        ASSERT_EQ(opnemer.Vragen().size(), 3U);
        EXPECT_EQ(opnemer.Vragen()[2].opties.Tekst, QStringLiteral("d"));
    }
    EXPECT_EQ(&HuidigeAntwoorder(), voor);
    EXPECT_FALSE(HuidigeAntwoorder());
}

struct PlatformRij
{
    const char* naam;
    bool jaNee;
    std::function<void(QDialog&)> actie;
    int verwacht;
};

// Names the row in the test name instead of a byte dump.
void PrintTo(const PlatformRij& rij, std::ostream* uit)
{
    *uit << rij.naam;
}

class DialogPlatformMelding : public ::testing::TestWithParam<PlatformRij>
{
};

TEST_P(DialogPlatformMelding, EenVoorOkOfJaTweeVoorNeeOfSluiten)
{
    const PlatformRij& rij = GetParam();
    const int antwoord = MetModaal(
        "PlatformMelding",
        [&] {
            return PlatformMelding(QStringLiteral("Verbinden mislukt."), QStringLiteral("Vamox"), 4,
                                   rij.jaNee);
        },
        rij.actie);
    EXPECT_EQ(antwoord, rij.verwacht);
}

void KlikStandaard(QDialog& box, QMessageBox::StandardButton knop)
{
    QTest::mouseClick(static_cast<QMessageBox&>(box).button(knop), Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    Rijen, DialogPlatformMelding,
    ::testing::Values(PlatformRij{"OkEnter", false, [](QDialog&) { ToetsInFocus(Qt::Key_Return); }, 1},
                      PlatformRij{"OkSluiten", false, [](QDialog& b) { b.close(); }, 2},
                      PlatformRij{"OkEscape", false, [](QDialog& b) { Toets(&b, Qt::Key_Escape); }, 2},
                      PlatformRij{"JaNeeEnterIsNee", true, [](QDialog&) { ToetsInFocus(Qt::Key_Return); }, 2},
                      PlatformRij{"JaNeeKlikJa", true, [](QDialog& b) { KlikStandaard(b, QMessageBox::Yes); },
                                  1},
                      PlatformRij{"JaNeeSluiten", true, [](QDialog& b) { b.close(); }, 2}));

TEST(DialogPlatformTekst, JaEnNeeInHetNederlands)
{
    // The standard buttons take Qt's own texts, in Dutch once the program loaded them.
    QStringList teksten;
    MetModaal(
        "PlatformMelding",
        [] { return PlatformMelding(QStringLiteral("Afsluiten?"), QStringLiteral("Vamox"), 3, true); },
        [&](QDialog& box) {
            for (QMessageBox::StandardButton knop : {QMessageBox::Yes, QMessageBox::No})
                teksten << static_cast<QMessageBox&>(box).button(knop)->text().remove(u'&');
            box.close();
        });
    EXPECT_EQ(teksten.join(u'/').toStdString(), "Ja/Nee");
}

} // namespace
} // namespace Vamox::Test
