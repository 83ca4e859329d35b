#include "platform/gui/Kleuren.h"

#include <QApplication>
#include <QVariantMap>
#include <QWidget>

#include <array>
#include <cmath>

namespace Vamox {

namespace {

struct Waarden
{
    QRgb licht;
    QRgb donker;
};

// In the order of Kleurrol. The light values are the look the program always had, darkened
// where the text did not reach 4.5:1 (the red labels, the selection).
constexpr std::array<Waarden, size_t(Kleurrol::Aantal)> Tabel = {{
    {0x000000, 0xe6e6e6}, // Tekst
    {0xffffff, 0x1e1e1e}, // Basis
    {0xefefef, 0x2d2d2d}, // Venster
    {0xefefef, 0x3a3a3a}, // Knop
    {0xf0f0f0, 0x262626}, // Band
    {0x1f6fb2, 0x2f6eb0}, // Markering
    {0xffffff, 0xffffff}, // GemarkeerdeTekst
    {0x6e6e6e, 0xa6a6a6}, // Verouderd
    {0xc00000, 0xff6b6b}, // Fout
    {0xe9fee2, 0x1a361f}, // BuitenSlepen
    {0xfff4f4, 0x4a2626}, // Kritiek
    {0xffffee, 0x3c3c2a}, // TipAchtergrond
    {0x000000, 0xf0f0dc}, // TipTekst
    {0x0000cc, 0x8ab4f8}, // Koppeling
    {0x555753, 0xc0c0c0}, // Sorteerteken
}};

constexpr Kleurpaar Paren[] = {
    {Kleurrol::Tekst, Kleurrol::Basis, 4.5},
    {Kleurrol::Tekst, Kleurrol::Venster, 4.5},
    {Kleurrol::Tekst, Kleurrol::Knop, 4.5},
    {Kleurrol::Tekst, Kleurrol::Band, 4.5},
    {Kleurrol::GemarkeerdeTekst, Kleurrol::Markering, 4.5},
    {Kleurrol::Verouderd, Kleurrol::Basis, 4.5},
    {Kleurrol::Fout, Kleurrol::Venster, 4.5}, // the labels
    {Kleurrol::Fout, Kleurrol::Basis, 4.5},   // the folder boxes and the transfer list
    {Kleurrol::Tekst, Kleurrol::BuitenSlepen, 4.5},
    {Kleurrol::Verouderd, Kleurrol::BuitenSlepen, 4.5},
    {Kleurrol::Tekst, Kleurrol::Kritiek, 4.5},
    {Kleurrol::TipTekst, Kleurrol::TipAchtergrond, 4.5},
    {Kleurrol::Koppeling, Kleurrol::Basis, 4.5},
    {Kleurrol::Sorteerteken, Kleurrol::Knop, 3.0}, // a picture, not text: 3:1
};

Schema g_schema = Schema::Licht;

constexpr const char* Eigenschap = "vamoxKleuren";

double Lichtheid(const QColor& kleur)
{
    const auto kanaal = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * kanaal(kleur.redF()) + 0.7152 * kanaal(kleur.greenF()) + 0.0722 * kanaal(kleur.blueF());
}

void Toepassen(QWidget& besturing, const QVariantMap& rollen)
{
    QPalette kleuren = besturing.palette();
    for (auto it = rollen.cbegin(); it != rollen.cend(); ++it)
        kleuren.setColor(QPalette::ColorRole(it.key().toInt()), Kleur(Kleurrol(it.value().toInt())));
    besturing.setPalette(kleuren);
}

} // namespace

std::span<const Kleurpaar> Kleurparen()
{
    return Paren;
}

QColor Kleur(Kleurrol rol, Schema schema)
{
    const Waarden& w = Tabel.at(size_t(rol));
    return QColor::fromRgb(schema == Schema::Donker ? w.donker : w.licht);
}

QColor Kleur(Kleurrol rol)
{
    return Kleur(rol, g_schema);
}

Schema HuidigSchema()
{
    return g_schema;
}

double Contrast(const QColor& een, const QColor& ander)
{
    const double a = Lichtheid(een) + 0.05;
    const double b = Lichtheid(ander) + 0.05;
    return a > b ? a / b : b / a;
}

QPalette Palet(Schema s)
{
    const auto k = [s](Kleurrol rol) { return Kleur(rol, s); };
    QPalette palet;
    for (const auto groep : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palet.setColor(groep, QPalette::Window, k(Kleurrol::Venster));
        palet.setColor(groep, QPalette::WindowText, k(Kleurrol::Tekst));
        palet.setColor(groep, QPalette::Base, k(Kleurrol::Basis));
        palet.setColor(groep, QPalette::AlternateBase, k(Kleurrol::Band));
        palet.setColor(groep, QPalette::Text, k(Kleurrol::Tekst));
        palet.setColor(groep, QPalette::Button, k(Kleurrol::Knop));
        palet.setColor(groep, QPalette::ButtonText, k(Kleurrol::Tekst));
        palet.setColor(groep, QPalette::BrightText, k(Kleurrol::Fout));
        palet.setColor(groep, QPalette::Highlight, k(Kleurrol::Markering));
        palet.setColor(groep, QPalette::HighlightedText, k(Kleurrol::GemarkeerdeTekst));
        palet.setColor(groep, QPalette::ToolTipBase, k(Kleurrol::TipAchtergrond));
        palet.setColor(groep, QPalette::ToolTipText, k(Kleurrol::TipTekst));
        palet.setColor(groep, QPalette::PlaceholderText, k(Kleurrol::Verouderd));
        palet.setColor(groep, QPalette::Link, k(Kleurrol::Koppeling));
        palet.setColor(groep, QPalette::LinkVisited, k(Kleurrol::Koppeling));
    }
    // The frame shades of the style, from the window colour as the style itself derives them.
    const QColor venster = k(Kleurrol::Venster);
    const bool donker = s == Schema::Donker;
    palet.setColor(QPalette::Light, donker ? venster.lighter(150) : QColor(Qt::white));
    palet.setColor(QPalette::Midlight, venster.lighter(donker ? 125 : 110));
    palet.setColor(QPalette::Mid, venster.darker(donker ? 130 : 150));
    palet.setColor(QPalette::Dark, venster.darker(donker ? 160 : 200));
    palet.setColor(QPalette::Shadow, QColor(Qt::black));
    // Greyed-out controls: dimmer text, no selection colour.
    const QColor uit = donker ? QColor(0x80, 0x80, 0x80) : QColor(0xbe, 0xbe, 0xbe);
    for (const auto rol : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palet.setColor(QPalette::Disabled, rol, uit);
    palet.setColor(QPalette::Disabled, QPalette::Highlight, k(Kleurrol::Knop));
    palet.setColor(QPalette::Disabled, QPalette::HighlightedText, uit);
    return palet;
}

void SchemaToepassen(Schema schema)
{
    g_schema = schema;
    QApplication::setPalette(Palet(schema));
    for (QWidget* besturing : QApplication::allWidgets()) {
        const QVariant rollen = besturing->property(Eigenschap);
        if (rollen.isValid()) Toepassen(*besturing, rollen.toMap());
    }
}

void KleurZetten(QWidget& besturing, std::initializer_list<QPalette::ColorRole> plekken, Kleurrol rol)
{
    QVariantMap rollen = besturing.property(Eigenschap).toMap();
    for (const QPalette::ColorRole plek : plekken)
        rollen.insert(QString::number(int(plek)), int(rol));
    besturing.setProperty(Eigenschap, rollen);
    Toepassen(besturing, rollen);
}

void KleurWissen(QWidget& besturing)
{
    if (!besturing.property(Eigenschap).isValid()) return;
    besturing.setProperty(Eigenschap, QVariant());
    besturing.setPalette(QPalette());
}

} // namespace Vamox
