#pragma once

#include <QColor>
#include <QPalette>

#include <initializer_list>
#include <span>

class QWidget;

namespace Vamox {

enum class Schema
{
    Licht,
    Donker
};

// Every colour the program sets itself, each with a light and a dark value. Adding one: a role
// here, its values in Kleuren.cpp, and the pairs it is read in (Kleurparen), which the tests
// hold to the contrast a reader needs.
enum class Kleurrol
{
    Tekst,            // text of lists, boxes and labels
    Basis,            // background of lists, text boxes and the notices' text
    Venster,          // window background, behind the labels
    Knop,             // button face
    Band,             // band behind the buttons of a notice or input window
    Markering,        // background of the selected rows
    GemarkeerdeTekst, // text of the selected rows
    Verouderd,        // rows that no longer show the folder in the box above them
    Fout,             // a missing folder, a server that does not answer, a failed transfer
    BuitenSlepen,     // server lists while dragging out of the window downloads
    Kritiek,          // band and buttons of a critical notice
    TipAchtergrond,
    TipTekst,
    Koppeling,
    Sorteerteken, // the sort marks in the column headers
    Aantal
};

// A colour read against another: text on its background, or a background under its text.
struct Kleurpaar
{
    Kleurrol voorgrond;
    Kleurrol achtergrond;
    double minimum; // contrast ratio: 4.5 for text (WCAG AA)
};
std::span<const Kleurpaar> Kleurparen();

QColor Kleur(Kleurrol rol, Schema schema);
// In the scheme the program shows now.
QColor Kleur(Kleurrol rol);
Schema HuidigSchema();

// The WCAG contrast ratio of two colours, 1 to 21.
double Contrast(const QColor& een, const QColor& ander);

// The application palette of a scheme, built from the roles above.
QPalette Palet(Schema schema);

// Shows a scheme: the application palette, and every colour given with KleurZetten again.
void SchemaToepassen(Schema schema);

// Colours some palette places of one control with a role, kept in the scheme the program shows
// (also after it changes); KleurWissen gives them back to the palette the control inherits.
void KleurZetten(QWidget& besturing, std::initializer_list<QPalette::ColorRole> plekken, Kleurrol rol);
void KleurWissen(QWidget& besturing);

} // namespace Vamox
