#pragma once

#include <QString>

namespace Vamox {

// Moves one file, or a symbolic link itself, to the desktop's trash, from where a file manager
// can put it back where it was. False when it could not be moved: it then stays where it was.
// On Linux the freedesktop trash: the home trash for files on the home volume, the volume's own
// trash otherwise.
bool NaarPrullenbak(const QString& pad);

} // namespace Vamox
