#pragma once

#include "ftp/FtpEntry.h"
#include "panes/ListRow.h"
#include "panes/Patroon.h"

namespace Vamox {

// The file row of an entry of either side's listing: only the day of its date is kept. A date
// that is no real day leaves the row's date invalid (empty texts, sorts first); a negative
// size shows as 0.
ListRow RijVan(const FtpEntry& entry, const ProgrammaBekend& bekend = {});

// The date and time of an entry into a row: the day, and apart the time of day and its precision.
void TijdZetten(ListRow& rij, const FtpEntry& entry);

// A row's permissions: the mode bits 0777 of `rechten`, or nothing for -1 (not listed).
void RechtenZetten(ListRow& rij, int rechten);
// -1 when the listing did not give them.
inline int RechtenVan(const ListRow& rij)
{
    return (rij.rechten & 01000) ? int(rij.rechten & 0777) : -1;
}

} // namespace Vamox
