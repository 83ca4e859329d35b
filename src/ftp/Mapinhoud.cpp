#include "ftp/Mapinhoud.h"

#include "ftp/FtpPaden.h"

#include <algorithm>
#include <numeric>

namespace Vamox {

void NamenSorteren(std::vector<FtpEntry>& entries)
{
    if (entries.size() < 2) return;
    std::vector<QString> sleutels;
    sleutels.reserve(entries.size());
    for (const FtpEntry& e : entries)
        sleutels.push_back(e.naam.toLower());
    std::vector<std::size_t> volgorde(entries.size());
    std::iota(volgorde.begin(), volgorde.end(), 0);
    std::stable_sort(volgorde.begin(), volgorde.end(),
                     [&](std::size_t a, std::size_t b) { return sleutels[a] < sleutels[b]; });
    std::vector<FtpEntry> gesorteerd;
    gesorteerd.reserve(entries.size());
    for (std::size_t i : volgorde)
        gesorteerd.push_back(std::move(entries[i]));
    entries = std::move(gesorteerd);
}

Mapinhoud MapinhoudMaken(std::vector<FtpEntry> entries, bool metOuder)
{
    Mapinhoud inhoud;
    bool ouderGezien = false;
    for (FtpEntry& e : entries) {
        if (!e.isMap) {
            inhoud.bestanden.push_back(std::move(e));
        } else if (SpatiesWeg(e.naam) == QLatin1String("..")) {
            ouderGezien = true;
        } else {
            inhoud.mappen.push_back(std::move(e));
        }
    }
    NamenSorteren(inhoud.mappen);
    NamenSorteren(inhoud.bestanden);
    // In front after sorting: a folder name starting with a control character would otherwise
    // sort before it, and the lists count on the parent entry being the first row.
    if (metOuder || ouderGezien) {
        FtpEntry ouder;
        ouder.naam = OuderMap;
        ouder.isMap = true;
        inhoud.mappen.insert(inhoud.mappen.begin(), std::move(ouder));
    }
    return inhoud;
}

} // namespace Vamox
