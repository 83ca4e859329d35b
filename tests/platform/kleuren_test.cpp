#include "platform/gui/Beelden.h"
#include "platform/gui/Kleuren.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace Vamox::Test {
namespace {

// Every colour the program sets is readable on what it stands on, in both schemes, and no role
// is left out of that check.
TEST(Kleuren, ElkPaarIsLeesbaarInBeideSchemas)
{
    EXPECT_NEAR(Contrast(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(Contrast(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    for (const Schema schema : {Schema::Licht, Schema::Donker}) {
        for (const Kleurpaar& paar : Kleurparen()) {
            const QColor voor = Kleur(paar.voorgrond, schema), achter = Kleur(paar.achtergrond, schema);
            EXPECT_GE(Contrast(voor, achter), paar.minimum)
                << (schema == Schema::Donker ? "dark " : "light ") << qPrintable(voor.name()) << " on "
                << qPrintable(achter.name());
        }
    }
    const auto paren = Kleurparen();
    for (int rol = 0; rol < int(Kleurrol::Aantal); ++rol)
        EXPECT_TRUE(std::any_of(paren.begin(), paren.end(), [rol](const Kleurpaar& p) {
            return int(p.voorgrond) == rol || int(p.achtergrond) == rol;
        })) << "role " << rol << " is read against nothing";
    // The dark palette is dark and its text light: the scheme is more than its name.
    const QPalette donker = Palet(Schema::Donker);
    EXPECT_LT(donker.color(QPalette::Base).lightness(), 64);
    EXPECT_GE(Contrast(donker.color(QPalette::Text), donker.color(QPalette::Base)), 4.5);
    EXPECT_GE(Contrast(donker.color(QPalette::HighlightedText), donker.color(QPalette::Highlight)), 4.5);
}

// A control coloured with a role changes with the scheme; one given back follows the palette.
TEST(Kleuren, SchemaWisselKleurtBesturingenMee)
{
    QWidget venster; // palette changes reach the controls inside a shown window
    QLabel rood(&venster), gewoon(&venster);
    venster.show();
    KleurZetten(rood, {QPalette::WindowText}, Kleurrol::Fout);
    KleurZetten(gewoon, {QPalette::WindowText}, Kleurrol::Fout);
    KleurWissen(gewoon);
    for (const Schema schema : {Schema::Donker, Schema::Licht}) {
        SchemaToepassen(schema);
        QCoreApplication::processEvents();
        EXPECT_EQ(HuidigSchema(), schema);
        EXPECT_EQ(QApplication::palette().color(QPalette::Base), Kleur(Kleurrol::Basis, schema));
        EXPECT_EQ(rood.palette().color(QPalette::WindowText), Kleur(Kleurrol::Fout, schema));
        EXPECT_EQ(gewoon.palette().color(QPalette::WindowText), Kleur(Kleurrol::Tekst, schema));
    }
}

// Each picture at 100, 150 and 200 %: as many device pixels as the scale asks for, drawn (not a
// blank or a missing resource), and at 100 % exactly the hand-drawn bitmap.
TEST(Beelden, ElkBeeldIsScherpOpElkeSchaal)
{
    ASSERT_GE(BeeldSleutels().size(), 22);
    for (const QString& sleutel : BeeldSleutels()) {
        const QIcon beeld = Beeld(sleutel);
        ASSERT_FALSE(beeld.isNull()) << qPrintable(sleutel);
        const QPixmap getekend(QStringLiteral(":/icons/%1.png").arg(sleutel));
        const int maat = getekend.isNull() ? 48 : getekend.width();
        for (const double schaal : {1.0, 1.5, 2.0}) {
            const QPixmap beeldpunten = beeld.pixmap(QSize(maat, maat), schaal);
            const int verwacht = int(maat * schaal);
            EXPECT_EQ(beeldpunten.size(), QSize(verwacht, verwacht)) << qPrintable(sleutel) << " at " << schaal;
            const QImage inhoud = beeldpunten.toImage().convertToFormat(QImage::Format_ARGB32);
            int dekkend = 0;
            for (int y = 0; y < inhoud.height(); ++y)
                for (int x = 0; x < inhoud.width(); ++x)
                    dekkend += qAlpha(inhoud.pixel(x, y)) > 128;
            EXPECT_GT(dekkend, verwacht * verwacht / 50) << qPrintable(sleutel) << " at " << schaal;
            if (schaal == 1.0 && !getekend.isNull()) {
                EXPECT_EQ(inhoud, getekend.toImage().convertToFormat(QImage::Format_ARGB32)) << qPrintable(sleutel);
            }
        }
    }
    EXPECT_TRUE(Beeld(QStringLiteral("bestaatniet")).isNull());

    // The sort marks stay visible on a dark header: drawn in that scheme's colour.
    SchemaToepassen(Schema::Donker);
    const QImage donker = Beeld(QStringLiteral("sort_op")).pixmap(QSize(16, 16), 1.0).toImage();
    SchemaToepassen(Schema::Licht);
    QColor dekkendst;
    for (int y = 0; y < donker.height(); ++y)
        for (int x = 0; x < donker.width(); ++x)
            if (donker.pixelColor(x, y).alpha() == 255) dekkendst = donker.pixelColor(x, y);
    EXPECT_EQ(dekkendst, Kleur(Kleurrol::Sorteerteken, Schema::Donker));
}

} // namespace
} // namespace Vamox::Test
