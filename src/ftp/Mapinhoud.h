#pragma once

#include "ftp/FtpEntry.h"

#include <QString>

#include <vector>

namespace Vamox {

// The parent entry of a folder list: a space and two dots.
inline const QString OuderMap = QStringLiteral(" ..");

// One folder as either side reads it: its sub-folders and its files, each ordered by name
// without regard to case (UTF-16 code units, equal names keeping the order read). Outside a
// root the parent entry OuderMap is the first folder.
struct Mapinhoud
{
    std::vector<FtpEntry> mappen;
    std::vector<FtpEntry> bestanden;
};

// Splits entries into folders and files, orders both, and puts the parent entry in front
// when `metOuder`. A listed ".." becomes the parent entry (never twice).
Mapinhoud MapinhoudMaken(std::vector<FtpEntry> entries, bool metOuder);

// Orders entries by name ignoring case; a stable sort, as TabelSorteren orders names.
void NamenSorteren(std::vector<FtpEntry>& entries);

} // namespace Vamox
