#pragma once

#include "ftp/Mapinhoud.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <optional>

namespace Vamox {

// Reads one local folder, as a server listing is read: its sub-folders and its files with size
// and last change (local time), ordered by name ignoring case, the parent entry first outside a
// root. Hidden (dot) entries are listed. A symbolic link is listed as what it points to (folder
// or file); a broken link, and sockets, pipes and devices, are left out. A folder that cannot
// be read (no permission) gives only the parent entry. Nothing when the path is not an
// existing folder.
std::optional<Mapinhoud> LokaleMapLezen(const QString& pad);

// LokaleMapLezen in pieces as they come off the disk: read on a thread of its own and handed to
// `deel` on this thread while its event loop turns; not ordered, without the parent entry. Stops
// early once `stop` is set. False when the path is not an existing folder.
bool LokaleMapStromen(const QString& pad, const Lijstdeel& deel, const std::atomic<bool>& stop);

// A local file's entry: its name, size and last change in local time.
FtpEntry LokaalEntry(const QString& naam, const QDateTime& gewijzigd, qint64 grootte);

// Number of sub-folders of a folder (hidden ones and links to folders included); 0 on any
// failure and for a path ending in the parent entry " ..".
int AantalSubmappen(const QString& pad);

} // namespace Vamox
