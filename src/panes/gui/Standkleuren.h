#pragma once

#include "vergelijken/Vergelijken.h"

#include <QColor>

namespace Vamox {

// Row colours of a comparison of the two sides: light tints under dark text, so that the word in
// the column "Stand" and the row stay readable whatever the list's own colours are. Same rows
// keep the list's own colours.
inline QColor StandAchtergrond(Stand stand)
{
    switch (stand) {
    case Stand::AlleenHier:
        return {0xDC, 0xE9, 0xFC}; // blue
    case Stand::Nieuwer:
        return {0xD9, 0xF2, 0xD5}; // green
    case Stand::Ouder:
        return {0xFC, 0xEB, 0xC8}; // orange
    case Stand::AndereGrootte:
        return {0xF8, 0xD8, 0xD8}; // red
    case Stand::Gelijk:
    case Stand::Onbekend:
        break;
    }
    return {};
}

inline QColor StandTekst()
{
    return {0, 0, 0};
}

} // namespace Vamox
