#pragma once

#include "platform/Eigendom.h"

#include <QString>

namespace Vamox {

// The work folder of a run: where the copies of server files go (transfer/Werkplekken names the
// places in it).
struct Werkmapstart
{
    QString map;                              // the work folder of this run
    Padstaat geweigerd = Padstaat::Ontbreekt; // Koppeling, VanAnder, GeenMap: the given one was refused
    bool eigen = false;                       // `map` is a fresh folder, shared with no other copy
};

// Takes `map` as the work folder, emptied first when `legen`, and leaves it to the user alone
// (0700). A link, another user's folder or a file there is neither followed nor emptied: a fresh
// private folder is made in the system's temporary folder instead, as it is when `map` cannot be
// made at all.
Werkmapstart WerkmapInrichten(const QString& map, bool legen);

// Removes the work folder with everything in it, never following a link; only a folder of this
// user that bears the work folder's name.
void WerkmapOpruimen(const QString& map);

} // namespace Vamox
