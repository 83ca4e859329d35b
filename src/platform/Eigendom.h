#pragma once

#include <QString>

namespace Vamox {

// What lies at a local path, a symbolic link at its end seen as the link it is.
enum class Padstaat
{
    Ontbreekt,
    EigenMap, // a folder of this user
    Koppeling,
    VanAnder, // a folder of another user
    GeenMap
};
Padstaat PadstaatVan(const QString& pad);

// Makes the folder `pad` (its parent must exist) or takes the one there, never through a link,
// and leaves it to its owner alone (0700). False when what lies there is no folder of this user.
bool PriveMap(const QString& pad);

} // namespace Vamox
