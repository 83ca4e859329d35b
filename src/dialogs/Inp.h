#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

#include <optional>

namespace Vamox {

// Arguments of i, the system's one-line text prompt.
struct InpOpties
{
    QString Tekst;                          // the prompt; may hold "\r\n" line breaks and tabs
    std::optional<QString> Titel;           // absent: the application's title
    QString Standaard;                      // proposed text, selected so that typing replaces it
    int Pictogram = 0;                      // 0 none, 1 information, 2 question, 3 exclamation, 4 critical
    bool Centreren = true;                  // true: over the active window; false: on the screen
    std::optional<int> Links;               // explicit left edge (twips)
    std::optional<int> Boven;               // explicit top edge (twips)
    std::optional<QColor> Achtergrondkleur; // default the scheme's list background (white)
    std::optional<QIcon> Icoon;             // default: the active window's icon
    QString Toegestaan;                     // allowed character codes (AsciiCijfers()); "" = all
    bool Verborgen = false;                 // what is typed is masked (a passphrase)
};

// Shows the input window modally. The text entered when OK was chosen (click or Enter); empty
// when it was cancelled (button, Escape or the close box).
QString i(const InpOpties& opties);

} // namespace Vamox
