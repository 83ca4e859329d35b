#pragma once

#include "ftp/Mapinhoud.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace Vamox {

// Reads one local folder, as a server listing is read: its sub-folders and its files with size
// and last change (local time), ordered by name ignoring case, the parent entry first outside a
// root. Hidden (dot) entries are listed. A symbolic link is listed as what it points to (folder
// or file); a broken link, and sockets, pipes and devices, are left out. A folder that cannot
// be read (no permission) gives only the parent entry. Nothing when the path is not an
// existing folder.
std::optional<Mapinhoud> LokaleMapLezen(const QString& pad);

// A local file's entry: its name, size and last change in local time.
FtpEntry LokaalEntry(const QString& naam, const QDateTime& gewijzigd, qint64 grootte);

// Number of sub-folders of a folder (hidden ones and links to folders included); 0 on any
// failure and for a path ending in the parent entry " ..".
int AantalSubmappen(const QString& pad);

} // namespace Vamox
