#pragma once

#include "panes/ListRow.h"

#include <cstdint>
#include <vector>

namespace Vamox {

enum class SorteerKolom
{
    Naam,
    Grootte,
    Datum,
    Rechten
};

// Orders file rows by name (lower-cased, compared as UTF-16 like TabelSorteren), by size, by
// day or by permissions (as a number; rows whose permissions were not listed first). The order is
// the one a text sort on the hidden key columns gives, but sizes compare as numbers, so sizes of
// 10^11 bytes and more still order right. Rows with equal keys keep their current order in both
// directions (stable), so two files of the same day keep the name order.
void RijenSorteren(std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend);

// The same order as positions: element i is the current position of the row that comes i-th.
// For callers that keep data beside the rows (selections, bold flags).
std::vector<std::uint32_t> RijenVolgorde(const std::vector<ListRow>& rijen, SorteerKolom kolom,
                                         bool oplopend);

// Whether name `a` comes before name `b` in the order RijenSorteren gives by name, ascending.
bool NaamEerder(const QString& a, const QString& b);

// Gathers file rows that come in pieces (a folder being read) into the ascending name order of
// RijenSorteren while they come: every few ten thousand rows are sorted as a run and merged with
// the runs before them once those are not many more, so when the last piece is in, one merge
// remains instead of a sort of everything. Rows with equal names keep the order they came in.
class NaamVerzameling final
{
public:
    // `reekslengte`: rows per sorted run; a run is a sort of that many rows, and every run more is
    // a merge more for every row.
    explicit NaamVerzameling(std::size_t reekslengte = 32768) : m_reekslengte(reekslengte) {}

    void Toevoegen(std::vector<ListRow>&& deel);
    // Every row, in name order; the gathering is empty after.
    std::vector<ListRow> Nemen();
    void Leegmaken()
    {
        m_reeksen.clear();
        m_nieuw.clear();
    }

    // Each row gathered so far, in no particular order. Its name must stay as it is.
    template <typename Doen> void VoorElk(Doen doen)
    {
        for (Reeks& reeks : m_reeksen)
            for (ListRow& rij : reeks.rijen)
                doen(rij);
        for (ListRow& rij : m_nieuw)
            doen(rij);
    }

    // The first units of a name, lower-cased, packed so that their order is that of the names
    // where they differ; a name beyond ASCII in them is compared in full.
    struct Kop
    {
        quint64 hoog = 0; // units 0-7
        quint64 laag = 0; // units 8-14, then 1 in the lowest byte for a name beyond ASCII
    };

private:
    // Rows in name order, and the head of each name beside them: a merge compares the heads in
    // order instead of jumping to every name.
    struct Reeks
    {
        std::vector<ListRow> rijen;
        std::vector<Kop> koppen;
    };

    // The rows not in a run yet become one, merged with those before while they are not many more.
    void ReeksMaken();
    void LaatsteTweeSamenvoegen();

    std::size_t m_reekslengte;
    std::vector<Reeks> m_reeksen; // each more than twice as long as the next, so there are few
    std::vector<ListRow> m_nieuw; // not in a run yet, in the order they came
};

} // namespace Vamox
