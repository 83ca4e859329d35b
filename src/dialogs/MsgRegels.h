#pragma once

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <array>
#include <optional>

namespace Vamox {

// The string rules and the layout of the message window, free of widgets. All sizes in twips.

// The captions of the shown buttons: the first four parts of `knoppen` split on "+"; "" gives none.
QStringList MsgKnopTeksten(const QString& knoppen);

// "default+escape" button numbers; anything but 1..4 (or a missing part) is 0.
struct MsgCodes
{
    int standaard = 0;
    int escape = 0;
};
MsgCodes LeesMsgCodes(const QString& codes);

// The key that chooses a button without Alt: the upper-case character after a leading "&" of a
// caption of at least three characters; a null QChar when the caption has none.
QChar MsgSneltoets(const QString& caption);

// The caption as shown: mnemonic markers removed, "&&" kept as one "&".
QString MsgZichtbareTekst(const QString& caption);

struct MsgMaten
{
    QSize tekst; // measured size of the message text
    bool tekstMetTab = false;
    bool metIcoon = false;
    int aantalKnoppen = 0;              // shown buttons, 0..4
    std::array<int, 4> knopBreedte{};   // final widths of all four buttons
    QSize rand;                         // outer window size minus its client area
    QRect scherm;                       // the screen
    std::optional<QRect> actiefVenster; // outer rectangle of the application's active window
    bool centreren = true;
    std::optional<int> links;
    std::optional<int> boven;
};

struct MsgIndeling
{
    QRect tekst; // client coordinates
    QRect icoon;
    QRect band;
    std::array<QRect, 4> knoppen; // button 1 rightmost; hidden buttons are placed as well
    QSize venster;                // outer size
    QPoint positie;               // outer top-left, screen coordinates
};

MsgIndeling BerekenMsgIndeling(const MsgMaten& maten);

// Where a window of outer size `venster` goes: centred over the active window or on the screen,
// or at the explicit edges, then kept on the screen (the bottom 500 twips stay free).
QPoint VensterPositie(QSize venster, const MsgMaten& maten);

} // namespace Vamox
