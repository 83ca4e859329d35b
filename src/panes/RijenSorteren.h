#pragma once

#include "panes/ListRow.h"

#include <cstdint>
#include <vector>

namespace Vamox {

enum class SorteerKolom
{
    Naam,
    Grootte,
    Datum
};

// Orders file rows by name (lower-cased, compared as UTF-16 like TabelSorteren), by size or by
// day. The order is the one a text sort on the hidden key columns gives, but sizes compare as
// numbers, so sizes of 10^11 bytes and more still order right. Rows with equal keys keep their
// current order in both directions (stable), so two files of the same day keep the name order.
void RijenSorteren(std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend);

// The same order as positions: element i is the current position of the row that comes i-th.
// For callers that keep data beside the rows (selections, bold flags).
std::vector<std::uint32_t> RijenVolgorde(const std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend);

} // namespace Vamox
