#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

#include <optional>

class QWidget;

namespace Vamox {

// Arguments of M, with the same names and defaults as its callers use them.
struct MOpties
{
    QString Tekst;                // may hold "\r\n" line breaks and tabs
    std::optional<QString> Titel; // absent: the application's title
    int Pictogram = 0;            // 0 none, 1 information, 2 question, 3 exclamation, 4 critical
    QString Knoppen;              // captions joined by "+", at most four; "" = no buttons
    QString Codes;                // "default+escape" button numbers, e.g. "1+2"; 0 or missing = none
    int Knopbreedte = 1280;       // twips, when AutoBreedte is false; a longer caption widens it
    bool Centreren = true;        // true: over the active window; false: on the screen
    std::optional<int> Links;     // explicit left edge (twips), overrides centring
    std::optional<int> Boven;     // explicit top edge (twips)
    std::optional<QColor> Achtergrondkleur; // default the scheme's list background (white)
    std::optional<QIcon> Icoon;             // default: the active window's icon
    int SluitenNa = 0;                      // > 0: closes itself after this many ms, answering the default
    bool AutoBreedte = false;               // true: each button as wide as its caption + 150 twips
};

// Shows the system's message window modally and returns the number (1..4) of the chosen button;
// 0 when nothing was chosen and no Escape button was named.
int M(const MOpties& opties);

// The yes/no question: "&Ja" and "&Nee" at the questions' button width; `Codes` as for M, by default
// "1+2" (Enter is Ja, Escape Nee); `Knoppen` is set here. True for "Ja".
bool JaNee(MOpties opties);

// A plain notice: one "OK" button, or none when it closes itself after `sluitenNa` ms.
// Callers ignore the result; it is M's answer (1 for OK, 2 when closed).
int Melding(const QString& tekst, int pictogram, int sluitenNa = 0);

// The platform's standard message box, used in two places only (a failed connection and the
// closing question of the main window). Buttons: Ok, or Yes/No with No as the default when
// `jaNee` is true. Returns 1 for OK/Yes, 2 for No/closed.
int PlatformMelding(const QString& tekst, const QString& titel, int pictogram, bool jaNee);

} // namespace Vamox
