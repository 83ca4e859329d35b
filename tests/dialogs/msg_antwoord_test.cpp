#include "MsgTestHulp.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

struct AntwoordRij
{
    const char* naam;
    const char* knoppen;
    const char* codes;
    std::function<void(QDialog&)> actie;
    int verwacht;
};

// Names the row in the test name instead of a byte dump.
void PrintTo(const AntwoordRij& rij, std::ostream* uit)
{
    *uit << rij.naam;
}

void Klik(QDialog& venster, const char* knop)
{
    QTest::mouseClick(Kind<QPushButton>(venster, knop), Qt::LeftButton);
}

// A key held down from before: its auto-repeat reaches the window, a fresh press does not.
void HerhaaldeToets(Qt::Key toets, const QString& tekst)
{
    QKeyEvent herhaling(QEvent::KeyPress, toets, Qt::NoModifier, tekst, true);
    QApplication::sendEvent(QApplication::focusWidget(), &herhaling);
}

class DialogMsgAntwoord : public ::testing::TestWithParam<AntwoordRij>
{
};

TEST_P(DialogMsgAntwoord, GeeftHetNummerVanDeGekozenKnop)
{
    const AntwoordRij& rij = GetParam();
    const MOpties opties{.Tekst = QStringLiteral("Bestand bestaat al.\r\nOverschrijven?"),
                         .Knoppen = QLatin1String(rij.knoppen),
                         .Codes = QLatin1String(rij.codes)};
    EXPECT_EQ(MetVenster(opties, rij.actie), rij.verwacht);
}

const AntwoordRij AntwoordRijen[] = {
    {"EnterJaStandaard", "&Ja+&Nee", "1+2", [](QDialog& v) { Toets(&v, Qt::Key_Return); }, 1},
    {"EscapeJaStandaard", "&Ja+&Nee", "1+2", [](QDialog& v) { Toets(&v, Qt::Key_Escape); }, 2},
    {"EnterNeeStandaard", "&Ja+&Nee", "2+1", [](QDialog& v) { Toets(&v, Qt::Key_Enter); }, 2},
    {"EscapeNeeStandaard", "&Ja+&Nee", "2+1", [](QDialog& v) { Toets(&v, Qt::Key_Escape); }, 1},
    {"EnterInFocus", "&Ja+&Nee", "2+1", [](QDialog&) { ToetsInFocus(Qt::Key_Return); }, 2},
    {"SneltoetsJ", "&Ja+&Nee", "2+1", [](QDialog& v) { Toets(&v, Qt::Key_J); }, 1},
    {"SneltoetsN", "&Ja+&Nee", "1+2", [](QDialog& v) { Toets(&v, Qt::Key_N); }, 2},
    {"SneltoetsInFocus", "&Ja+&Nee", "1+2", [](QDialog&) { ToetsInFocus(Qt::Key_N); }, 2},
    {"SneltoetsMetShift", "&Ja+&Nee", "2+1", [](QDialog& v) { Toets(&v, Qt::Key_J, Qt::ShiftModifier); }, 1},
    {"SneltoetsVierdeKnop", "&Ja+&Nee+&Alle overschrijven+&Stoppen", "1+2",
     [](QDialog& v) { Toets(&v, Qt::Key_S); }, 4},
    {"SneltoetsMetStreepje", "&OK+&E-mail", "1+0", [](QDialog& v) { Toets(&v, Qt::Key_E); }, 2},
    {"CtrlJKiestNiets", "&Ja+&Nee", "2+1",
     [](QDialog& v) {
         Toets(&v, Qt::Key_J, Qt::ControlModifier);
         Toets(&v, Qt::Key_Return);
     },
     2},
    {"HerhaaldeToetsKiestNiets", "&Ja+&Nee", "2+1",
     [](QDialog& v) {
         HerhaaldeToets(Qt::Key_J, QStringLiteral("j"));
         HerhaaldeToets(Qt::Key_Escape, QString());
         Toets(&v, Qt::Key_N);
     },
     2},
    {"MuisklikTweedeKnop", "&Ja+&Nee", "1+2", [](QDialog& v) { Klik(v, "knopCancel"); }, 2},
    {"SluitknopGeeftEscapeKnop", "&Ja+&Nee", "2+1", [](QDialog& v) { v.close(); }, 1},
    {"SluitknopZonderEscapeKnop", "&OK+&E-mail", "1+0", [](QDialog& v) { v.close(); }, 0},
    {"EscapeZonderEscapeKnopDoetNiets", "&Ja+&Nee", "1+9",
     [](QDialog& v) {
         Toets(&v, Qt::Key_Escape);
         EXPECT_TRUE(v.isVisible());
         v.close();
     },
     0},
    // Without a valid default, Enter clicks the focused button, which is the first one.
    {"OngeldigeCodes", "&Ja+&Nee", "x+y", [](QDialog& v) { Toets(&v, Qt::Key_Return); }, 1},
    {"GeenKnoppenSluitknop", "", "1+2", [](QDialog& v) { v.close(); }, 2},
    {"GeenKnoppenEnterDoetNiets", "", "1+2",
     [](QDialog& v) {
         Toets(&v, Qt::Key_Return);
         EXPECT_TRUE(v.isVisible());
         v.close();
     },
     2},
};

INSTANTIATE_TEST_SUITE_P(Rijen, DialogMsgAntwoord, ::testing::ValuesIn(AntwoordRijen));

struct SluitenRij
{
    const char* naam;
    const char* knoppen;
    const char* codes;
    int verwacht;
};

// Names the row in the test name instead of a byte dump.
void PrintTo(const SluitenRij& rij, std::ostream* uit)
{
    *uit << rij.naam;
}

class DialogMsgSluitenNa : public ::testing::TestWithParam<SluitenRij>
{
};

TEST_P(DialogMsgSluitenNa, SluitZichzelfMetDeStandaardKnop)
{
    const SluitenRij& rij = GetParam();
    bool gezien = false;
    const int antwoord = MetVenster({.Tekst = QStringLiteral("Even geduld."),
                                     .Knoppen = QLatin1String(rij.knoppen),
                                     .Codes = QLatin1String(rij.codes),
                                     .SluitenNa = 40},
                                    [&](QDialog&) { gezien = true; });
    EXPECT_TRUE(gezien);
    EXPECT_EQ(antwoord, rij.verwacht);
}

INSTANTIATE_TEST_SUITE_P(Rijen, DialogMsgSluitenNa,
                         ::testing::Values(SluitenRij{"GeenKnoppen", "", "1+2", 1},
                                           SluitenRij{"GeenCodes", "", "", 0},
                                           SluitenRij{"NeeStandaard", "&Ja+&Nee", "2+1", 2},
                                           SluitenRij{"CodeBuitenBereik", "&Ja+&Nee", "7+1", 0}));

TEST(DialogMelding, OkMetEnterOfSluitenEnZonderKnopBijSluitenNa)
{
    std::vector<QString> knoppen;
    const auto leesKnoppen = [&](QDialog& v) {
        for (auto* knop : v.findChildren<QPushButton*>())
            if (knop->isVisible()) knoppen.push_back(knop->objectName() + QLatin1Char('=') + knop->text());
    };
    EXPECT_EQ(MetModaal(
                  "Msg", [] { return Melding(QStringLiteral("Klaar."), 1); },
                  [&](QDialog& v) {
                      leesKnoppen(v);
                      ToetsInFocus(Qt::Key_Return);
                  }),
              1);
    EXPECT_EQ(knoppen, std::vector<QString>{QStringLiteral("knopOK=OK")});
    // Button 2 is hidden, yet it is the Escape button: closing answers 2, and so does Escape.
    EXPECT_EQ(MetModaal(
                  "Msg", [] { return Melding(QStringLiteral("Klaar."), 4); }, [](QDialog& v) { v.close(); }),
              2);
    EXPECT_EQ(MetModaal(
                  "Msg", [] { return Melding(QStringLiteral("Klaar."), 3); },
                  [](QDialog& v) { Toets(&v, Qt::Key_Escape); }),
              2);
    knoppen.clear();
    EXPECT_EQ(MetModaal(
                  "Msg", [] { return Melding(QStringLiteral("Even geduld."), 0, 40); }, leesKnoppen),
              1);
    EXPECT_TRUE(knoppen.empty());
}

// The text can be selected to copy it, but nothing is selected at first; a fixed-size window
// has a close button only.
TEST(DialogMsgVenster, FocusOpStandaardKnopTekstNietGeselecteerd)
{
    const QString tekst = QStringLiteral("Eerste regel\r\nTweede\tregel");
    QString focusNaam;
    QString selectie = QStringLiteral("<niet gelezen>");
    bool alleenLezen = false;
    bool selecteerbaar = false;
    bool sluitknop = false;
    MetVenster({.Tekst = tekst, .Knoppen = QStringLiteral("&Ja+&Nee"), .Codes = QStringLiteral("2+1")},
               [&](QDialog& v) {
                   focusNaam = QApplication::focusWidget()->objectName();
                   auto* prompt = Kind<QPlainTextEdit>(v, "txtPrompt");
                   alleenLezen = prompt->isReadOnly();
                   selecteerbaar = prompt->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
                   selectie = prompt->textCursor().selection().toPlainText();
                   sluitknop = AlleenSluitknop(v);
                   v.close();
               });
    EXPECT_EQ(focusNaam, QStringLiteral("knopCancel"));
    EXPECT_TRUE(alleenLezen);
    EXPECT_TRUE(selecteerbaar);
    EXPECT_EQ(selectie, QString());
    EXPECT_TRUE(sluitknop);

    // A hidden default button cannot take the focus: the first button takes it.
    MetVenster({.Tekst = tekst, .Knoppen = QStringLiteral("&OK"), .Codes = QStringLiteral("2+1")},
               [&](QDialog& v) {
                   focusNaam = QApplication::focusWidget()->objectName();
                   v.close();
               });
    EXPECT_EQ(focusNaam, QStringLiteral("knopOK"));
}

TEST(DialogMsgVenster, NormaleMuisaanwijzerTijdensVraagDaarnaWeerDieVanDeAanroeper)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Qt::CursorShape tijdens = Qt::WaitCursor;
    MetVenster(
        {.Tekst = QStringLiteral("Vraag"), .Knoppen = QStringLiteral("OK"), .Codes = QStringLiteral("1+2")},
        [&](QDialog& v) {
            tijdens = QApplication::overrideCursor()->shape();
            v.close();
        });
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(tijdens, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace Vamox::Test
