#pragma once

#include "ftp/FtpEntry.h"
#include "panes/ListRow.h"
#include "panes/Patroon.h"

namespace Vamox {

// The file row of an entry of either side's listing: only the day of its date is kept. A date
// that is no real day leaves the row's date invalid (empty texts, sorts first); a negative
// size shows as 0.
ListRow RijVan(const FtpEntry& entry, const ProgrammaBekend& bekend = {});

} // namespace Vamox
