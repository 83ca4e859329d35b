#include "panes/RijenSorteren.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace Vamox {

namespace {

// The first four UTF-16 units decide most comparisons as one integer compare; only names that
// share them are compared in full. A shorter name is padded with 0, so the order stays that of
// the full texts.
quint64 Kop(const QString& naam)
{
    quint64 kop = 0;
    for (qsizetype i = 0; i < 4; ++i)
        kop = (kop << 16) | (i < naam.size() ? naam.at(i).unicode() : 0u);
    return kop;
}

struct NaamSleutel
{
    quint64 kop;
    const QString* naam;

    friend bool operator<(const NaamSleutel& a, const NaamSleutel& b)
    {
        return a.kop != b.kop ? a.kop < b.kop : *a.naam < *b.naam;
    }
};

// Sorts positions by key, so the comparisons touch only the compact key array, not the rows.
template <typename Sleutel>
std::vector<std::uint32_t> VolgensSleutels(const std::vector<Sleutel>& sleutels, bool oplopend)
{
    std::vector<std::uint32_t> volgorde(sleutels.size());
    std::iota(volgorde.begin(), volgorde.end(), 0u);
    if (oplopend)
        std::stable_sort(volgorde.begin(), volgorde.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return sleutels[a] < sleutels[b]; });
    else
        std::stable_sort(volgorde.begin(), volgorde.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return sleutels[b] < sleutels[a]; });
    return volgorde;
}

} // namespace

std::vector<std::uint32_t> RijenVolgorde(const std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend)
{
    switch (kolom) {
    case SorteerKolom::Grootte: {
        std::vector<qint64> sleutels;
        sleutels.reserve(rijen.size());
        for (const ListRow& r : rijen)
            sleutels.push_back(r.grootte < 0 ? 0 : r.grootte);
        return VolgensSleutels(sleutels, oplopend);
    }
    case SorteerKolom::Datum: {
        // An invalid date has an empty text key, which sorts before every day.
        std::vector<qint64> sleutels;
        sleutels.reserve(rijen.size());
        for (const ListRow& r : rijen)
            sleutels.push_back(r.datum.isValid() ? r.datum.toJulianDay() : INT64_MIN);
        return VolgensSleutels(sleutels, oplopend);
    }
    case SorteerKolom::Naam:
        break;
    }
    std::vector<QString> namen;
    namen.reserve(rijen.size());
    for (const ListRow& r : rijen)
        namen.push_back(r.naam.toLower());
    std::vector<NaamSleutel> sleutels;
    sleutels.reserve(rijen.size());
    for (const QString& n : namen)
        sleutels.push_back(NaamSleutel{Kop(n), &n});
    return VolgensSleutels(sleutels, oplopend);
}

void RijenSorteren(std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend)
{
    if (rijen.size() < 2) return;
    const std::vector<std::uint32_t> volgorde = RijenVolgorde(rijen, kolom, oplopend);
    std::vector<ListRow> gesorteerd;
    gesorteerd.reserve(rijen.size());
    for (std::uint32_t i : volgorde)
        gesorteerd.push_back(std::move(rijen[i]));
    rijen = std::move(gesorteerd);
}

} // namespace Vamox
