#pragma once

#include <QString>

namespace Vamox {

// Running processes whose executable is the file `programmaPad` (any name it was started by,
// this process included). A copy whose file was replaced since it started still counts. Other
// programs are never matched by name or command line. 0 when the path names no file.
int ProcessenTellen(const QString& programmaPad);

} // namespace Vamox
