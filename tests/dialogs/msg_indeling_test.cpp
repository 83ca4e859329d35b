#include "MsgTestHulp.h"

#include "platform/AppInfo.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

// Twips are placed on whole pixels: positions read back may be off by less than one pixel.
int PixelInTwips()
{
    return TwipsSchaal::Van(QGuiApplication::primaryScreen()).NaarTwipsX(1);
}

const char* const KnopNamen[] = {"knopOK", "knopCancel", "knopExtra1", "knopExtra2"};
const QString LangeRegel =
    QStringLiteral("Het bestand op de server is nieuwer dan het bestand op de schijf hier.");

// What the shown window looks like, read from its widgets, in twips.
struct Opname
{
    QRect venster; // outer, screen coordinates
    QRect tekst;
    QRect band;
    std::array<QRect, 4> knoppen;
    std::array<bool, 4> zichtbaar{};
    bool icoon = false;
    bool icoonHeeftBeeld = false;
    QString titel;
    QColor vensterKleur, tekstKleur, bandKleur, knopKleur;
};

Opname Neem(const MOpties& opties, const std::function<void(QDialog&)>& extra = {})
{
    Opname o;
    MetVenster(opties, [&](QDialog& v) {
        o.venster = TwipsSchaal::Van(&v).NaarTwips(v.frameGeometry());
        o.tekst = TwipsVan(Kind<QWidget>(v, "txtPrompt"));
        o.band = TwipsVan(Kind<QWidget>(v, "lblOnder"));
        for (size_t k = 0; k < 4; ++k) {
            auto* knop = Kind<QPushButton>(v, KnopNamen[k]);
            o.knoppen[k] = TwipsVan(knop);
            o.zichtbaar[k] = knop->isVisible();
        }
        auto* icoon = Kind<QLabel>(v, "imgActueel");
        o.icoon = icoon->isVisible();
        o.icoonHeeftBeeld = !icoon->pixmap().isNull();
        o.titel = v.windowTitle();
        o.vensterKleur = v.palette().color(QPalette::Window);
        o.tekstKleur = Kind<QWidget>(v, "txtPrompt")->palette().color(QPalette::Base);
        o.bandKleur = Kind<QWidget>(v, "lblOnder")->palette().color(QPalette::Window);
        o.knopKleur = Kind<QWidget>(v, "knopOK")->palette().color(QPalette::Button);
        if (extra) extra(v);
        v.close();
    });
    return o;
}

QRect SchermTwips()
{
    const QScreen* scherm = QGuiApplication::primaryScreen();
    return TwipsSchaal::Van(scherm).NaarTwips(scherm->geometry());
}

MOpties EenKnop(const QString& tekst)
{
    return {.Tekst = tekst, .Knoppen = QStringLiteral("OK"), .Codes = QStringLiteral("1+2")};
}

TEST(DialogMsgIndeling, TabMaaktTekstEnVenster240TwipsBreder)
{
    const Opname zonder = Neem(EenKnop(QStringLiteral("Naamx\r\n") + LangeRegel));
    const Opname met = Neem(EenKnop(QStringLiteral("Naam\tx\r\n") + LangeRegel));
    EXPECT_EQ(met.venster.width() - zonder.venster.width(), 240);
    EXPECT_EQ(met.tekst.width() - zonder.tekst.width(), 240);
}

TEST(DialogMsgIndeling, VierKnoppenVerbredenVensterEnTekstveld)
{
    const Opname een = Neem(EenKnop(QStringLiteral("Hoi")));
    const Opname vier = Neem({.Tekst = QStringLiteral("Hoi"),
                              .Knoppen = QStringLiteral("&Ja+&Nee+&Alle overschrijven+&Stoppen"),
                              .Codes = QStringLiteral("1+2")});
    EXPECT_GT(vier.venster.width(), een.venster.width());
    EXPECT_GT(vier.tekst.width(), een.tekst.width());
    EXPECT_EQ(een.zichtbaar, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(vier.zichtbaar, (std::array<bool, 4>{true, true, true, true}));

    // One row, right-aligned with the text field, 80 apart, button 1 rightmost, all inside.
    EXPECT_NEAR(vier.knoppen[0].x() + vier.knoppen[0].width(), vier.tekst.x() + vier.tekst.width(),
                PixelInTwips());
    for (size_t k = 1; k < 4; ++k) {
        EXPECT_EQ(vier.knoppen[k].y(), vier.knoppen[0].y());
        EXPECT_NEAR(vier.knoppen[k - 1].x() - (vier.knoppen[k].x() + vier.knoppen[k].width()), 80,
                    PixelInTwips());
    }
    EXPECT_GE(vier.knoppen[3].x(), vier.tekst.x());
    EXPECT_LE(vier.knoppen[0].x() + vier.knoppen[0].width(), vier.venster.width());
    EXPECT_NEAR(vier.knoppen[0].width(), 1280, PixelInTwips());
    EXPECT_NEAR(vier.knoppen[0].height(), 375, PixelInTwips());
    // The band lies behind the buttons over the whole width.
    EXPECT_TRUE(vier.band.contains(vier.knoppen[3]));
    EXPECT_NEAR(vier.band.width(), vier.venster.width(), PixelInTwips());
}

// Every caption fits its button in the current font: sized to it, or with a fixed width that is
// only the least a button gets ("Alle overschrijven" does not fit 1280 twips in every font).
TEST(DialogMsgIndeling, ElkeKnopPastZijnTekst)
{
    for (const bool auto_ : {true, false}) {
        SCOPED_TRACE(auto_ ? "AutoBreedte" : "Knopbreedte 1280");
        std::map<QString, std::pair<int, int>> maten; // caption -> (button px, text px)
        Neem({.Tekst = QStringLiteral("Wat nu?"),
              .Knoppen = QStringLiteral("&Ja+&Alle bestanden overschrijven+&Alle overschrijven+&Stoppen"),
              .Codes = QStringLiteral("1+2"),
              .Knopbreedte = 1280,
              .AutoBreedte = auto_},
             [&](QDialog& v) {
                 for (QPushButton* knop : v.findChildren<QPushButton*>()) {
                     if (!knop->isVisible()) continue;
                     const QString zichtbaar = QString(knop->text()).remove(QLatin1Char('&'));
                     maten[zichtbaar] = {knop->width(),
                                         QFontMetrics(knop->font()).horizontalAdvance(zichtbaar)};
                 }
             });
        ASSERT_EQ(maten.size(), 4U);
        for (const auto& [tekst, maat] : maten)
            EXPECT_GT(maat.first, maat.second) << tekst.toStdString();
        EXPECT_GT(maten[QStringLiteral("Alle bestanden overschrijven")].first,
                  maten[QStringLiteral("Ja")].first);
    }
}

TEST(DialogMsgIndeling, TekstPastZonderScrollenOfAfbreken)
{
    // Lines of the message as given; "\r\n" is one line break.
    const std::vector<QStringList> teksten{
        {LangeRegel},
        {QStringLiteral("Geen serverbestand geselecteerd."), QStringLiteral("Kan derhalve niets openen."),
         LangeRegel},
        {QStringLiteral("Kolom\tKolom\tKolom"), LangeRegel, QString(), QStringLiteral("Een\ttwee\tdrie"),
         QStringLiteral("Einde")},
        {QStringLiteral("Naam:\t%1").arg(LangeRegel), QStringLiteral("\t\tEinde")},
    };
    for (const QStringList& regels : teksten) {
        int scrollMax = -1;
        int afgebroken = -1;
        int blokken = 0;
        Neem(EenKnop(regels.join(QStringLiteral("\r\n"))), [&](QDialog& v) {
            auto* prompt = Kind<QPlainTextEdit>(v, "txtPrompt");
            scrollMax = prompt->verticalScrollBar()->maximum();
            blokken = prompt->document()->blockCount();
            afgebroken = 0;
            for (QTextBlock blok = prompt->document()->begin(); blok.isValid(); blok = blok.next())
                if (blok.layout()->lineCount() > 1) ++afgebroken;
        });
        const std::string naam = regels.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(scrollMax, 0) << naam;
        EXPECT_EQ(afgebroken, 0) << naam;
        EXPECT_EQ(blokken, regels.size()) << naam;
    }
}

TEST(DialogMsgPlaatsing, BlijftOpHetScherm)
{
    const QRect scherm = SchermTwips();

    const Opname breed = Neem(EenKnop(LangeRegel.repeated(4)));
    EXPECT_GT(breed.venster.width(), scherm.width());
    EXPECT_EQ(breed.venster.x(), scherm.x());

    MOpties buiten = EenKnop(QStringLiteral("Rechtsonder"));
    buiten.Links = scherm.right() + 3000;
    buiten.Boven = scherm.bottom() + 3000;
    const Opname rechtsonder = Neem(buiten);
    EXPECT_NEAR(rechtsonder.venster.x() + rechtsonder.venster.width(), scherm.x() + scherm.width(),
                PixelInTwips());
    EXPECT_NEAR(rechtsonder.venster.y() + rechtsonder.venster.height(), scherm.y() + scherm.height() - 500,
                PixelInTwips());

    buiten.Links = -3000;
    buiten.Boven = -1500;
    EXPECT_EQ(Neem(buiten).venster.topLeft(), scherm.topLeft());

    buiten.Links = 1500;
    buiten.Boven = 1200;
    const QPoint gegeven = Neem(buiten).venster.topLeft();
    EXPECT_NEAR(gegeven.x(), 1500, PixelInTwips());
    EXPECT_NEAR(gegeven.y(), 1200, PixelInTwips());
}

TEST(DialogMsgPlaatsing, GecentreerdOpSchermOfBovenHetActieveVenster)
{
    MOpties opties = EenKnop(QStringLiteral("Midden"));
    opties.Centreren = false;
    const QRect scherm = SchermTwips();
    const Opname opScherm = Neem(opties);
    EXPECT_NEAR(opScherm.venster.center().x(), scherm.center().x(), PixelInTwips());
    EXPECT_NEAR(opScherm.venster.center().y(), scherm.center().y(), PixelInTwips());

    QWidget hoofd;
    hoofd.setGeometry(40, 30, 300, 200);
    hoofd.show();
    hoofd.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &hoofd; }));
    const QRect hoofdTwips = TwipsSchaal::Van(&hoofd).NaarTwips(hoofd.frameGeometry());
    opties.Centreren = true;
    const Opname erboven = Neem(opties);
    EXPECT_NEAR(erboven.venster.center().x(), hoofdTwips.center().x(), PixelInTwips());
    EXPECT_NEAR(erboven.venster.center().y(), hoofdTwips.center().y(), PixelInTwips());
    EXPECT_GT(std::abs(erboven.venster.center().x() - opScherm.venster.center().x()), 300);
}

TEST(DialogMsgVenster, TitelMetTweeSpaties)
{
    MOpties opties = EenKnop(QStringLiteral("Tekst"));
    EXPECT_EQ(Neem(opties).titel, AppTitel() + QStringLiteral("  "));
    opties.Titel = QStringLiteral("Verwijderen");
    EXPECT_EQ(Neem(opties).titel, QStringLiteral("Verwijderen  "));
}

TEST(DialogMsgVenster, PictogramEnKleuren)
{
    const QColor wit(Qt::white);
    const QColor bleekRood(0xFF, 0xF4, 0xF4);
    MOpties opties = EenKnop(QStringLiteral("Het downloaden is misgegaan."));

    const Opname zonder = Neem(opties);
    EXPECT_FALSE(zonder.icoon);
    EXPECT_EQ(zonder.vensterKleur, wit);
    EXPECT_EQ(zonder.tekstKleur, wit);
    EXPECT_NE(zonder.bandKleur, bleekRood);

    opties.Pictogram = 4;
    const Opname kritiek = Neem(opties);
    EXPECT_TRUE(kritiek.icoon);
    EXPECT_TRUE(kritiek.icoonHeeftBeeld);
    EXPECT_NEAR(kritiek.tekst.x() - zonder.tekst.x(), 700, PixelInTwips());
    EXPECT_EQ(kritiek.bandKleur, bleekRood);
    EXPECT_EQ(kritiek.knopKleur, bleekRood);

    opties.Pictogram = 1;
    opties.Achtergrondkleur = QColor(0xE0, 0xF0, 0xFF);
    const Opname info = Neem(opties);
    EXPECT_TRUE(info.icoonHeeftBeeld);
    EXPECT_EQ(info.vensterKleur, *opties.Achtergrondkleur);
    EXPECT_EQ(info.tekstKleur, *opties.Achtergrondkleur);
    EXPECT_NE(info.knopKleur, bleekRood);
}

} // namespace
} // namespace Vamox::Test
