#include "MsgTestHulp.h"

#include "dialogs/Inp.h"
#include "dialogs/InpRegels.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

// Opens the prompt, runs `actie` on it once it is up, and gives what i returned.
QString MetInp(const InpOpties& opties, const std::function<void(QDialog&)>& actie)
{
    QString uit = QStringLiteral("<niet beantwoord>");
    MetModaal(
        "Inp",
        [&] {
            uit = i(opties);
            return 0;
        },
        actie);
    return uit;
}

void Typen(const QString& tekst)
{
    QTest::keyClicks(QApplication::focusWidget(), tekst);
}

TEST(Inp, LijstenEnHetOpzoekenVanEenTeken)
{
    EXPECT_EQ(AsciiCijfers(), QStringLiteral("48,49,50,51,52,53,54,55,56,57,"));
    const QString tekens = AsciiTekens();
    EXPECT_TRUE(tekens.startsWith(QStringLiteral("65,66,")));
    EXPECT_TRUE(tekens.endsWith(QStringLiteral("56,57,32,95,")));
    EXPECT_EQ(tekens.count(u','), 26 + 26 + 10 + 2);

    const QString cijfers = ToegestaanOpslaan(AsciiCijfers());
    EXPECT_TRUE(TekenToegestaan(cijfers, u'0')); // the first code of the list
    EXPECT_TRUE(TekenToegestaan(cijfers, QChar(8)));
    EXPECT_FALSE(TekenToegestaan(cijfers, u'a'));
    EXPECT_FALSE(TekenToegestaan(cijfers, QChar(5))); // ",5" is no code of the list
    EXPECT_TRUE(TekenToegestaan(ToegestaanOpslaan(QString()), QChar(22)));

    // A tall prompt pushes the entry field down, 200 below the prompt.
    const InpIndeling laag = BerekenInpIndeling(QSize(2000, 200), false, false);
    const InpIndeling hoog = BerekenInpIndeling(QSize(2000, 3000), true, true);
    EXPECT_EQ(laag.invoer.top(), laag.knopCancel.bottom() + 1 + 200);
    EXPECT_EQ(hoog.invoer.top(), hoog.tekst.bottom() + 1 + 200);
    EXPECT_EQ(hoog.knopOK.left(), hoog.tekst.right() + 1 + 100);
    EXPECT_EQ(hoog.venster.height(), hoog.invoer.bottom() + 1 + 600);
}

TEST(Inp, AlleenToegestaneTekensKomenErIn)
{
    QApplication::clipboard()->setText(QStringLiteral("99"));
    const QString uit = MetInp(
        {.Tekst = QStringLiteral("Poort?"), .Standaard = QStringLiteral("21"), .Toegestaan = AsciiCijfers()},
        [](QDialog&) {
            // The proposed text is selected: typing replaces it.
            Typen(QStringLiteral("a7x8"));
            ToetsInFocus(Qt::Key_Backspace);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
            Typen(QStringLiteral(" 5"));
            ToetsInFocus(Qt::Key_Return);
        });
    EXPECT_EQ(uit, QStringLiteral("75"));

    // Without a list everything goes in, a paste too.
    EXPECT_EQ(MetInp({.Tekst = QStringLiteral("Naam?")},
                     [](QDialog&) {
                         Typen(QStringLiteral("a b_"));
                         QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
                         ToetsInFocus(Qt::Key_Return);
                     }),
              QStringLiteral("a b_99"));
}

TEST(Inp, AnnulerenGeeftLeegOKDeVoorgesteldeTekst)
{
    const std::pair<const char*, std::function<void(QDialog&)>> gevallen[] = {
        {"Escape", [](QDialog&) { ToetsInFocus(Qt::Key_Escape); }},
        {"Annuleren",
         [](QDialog& v) { QTest::mouseClick(Kind<QPushButton>(v, "knopCancel"), Qt::LeftButton); }},
        {"close box", [](QDialog& v) { v.close(); }},
    };
    for (const auto& [naam, actie] : gevallen) {
        SCOPED_TRACE(naam);
        EXPECT_EQ(MetInp({.Tekst = QStringLiteral("Map?"), .Standaard = QStringLiteral("oud")}, actie),
                  QString());
    }
    bool sluitknop = false;
    EXPECT_EQ(MetInp({.Tekst = QStringLiteral("Map?"), .Standaard = QStringLiteral("oud")},
                     [&](QDialog& v) {
                         sluitknop = AlleenSluitknop(v);
                         QTest::mouseClick(Kind<QPushButton>(v, "knopOK"), Qt::LeftButton);
                     }),
              QStringLiteral("oud"));
    EXPECT_TRUE(sluitknop); // a fixed-size window
}

} // namespace
} // namespace Vamox::Test
