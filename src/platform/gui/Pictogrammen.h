#pragma once

#include <QIcon>
#include <QString>

namespace Vamox {

// The desktop's icon for files with this extension (with its dot: ".txt"), fixed at the sizes of
// the small (16) or the large (32) lists; null when the desktop knows no kind of file for it.
QIcon PictogramBijExtensie(const QString& extensie, bool klein);

// A program's own icon, 16x16: for a Windows program (.exe) its first icon read from the file;
// otherwise, or when the file holds none, the desktop's icon for executables. Null when there
// is neither.
QIcon PictogramUitProgramma(const QString& pad);

} // namespace Vamox
