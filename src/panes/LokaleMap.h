#pragma once

#include <QString>
#include <QStringList>

namespace Vamox {

// The parent entry of a folder list: a space and two dots.
inline const QString OuderMap = QStringLiteral(" ..");

// Reads one local folder: `mappen` gets the bare names of its sub-folders, `bestanden` one
// LokaalBestandRegel per file, both sorted ignoring case (TabelSorteren). Outside a root the
// parent entry " .." is the first folder. Hidden (dot) entries are listed. A symbolic link is
// listed as what it points to (folder or file); a broken link, and sockets, pipes and devices,
// are left out. A folder that cannot be read (no permission) gives true with only " ..".
// Returns false, with both lists empty, when the path is not an existing folder.
bool LokaleMapLezen(const QString& pad, QStringList& mappen, QStringList& bestanden);

// Number of sub-folders of a folder (hidden ones and links to folders included); 0 on any
// failure and for a path ending in the parent entry " ..".
int AantalSubmappen(const QString& pad);

} // namespace Vamox
