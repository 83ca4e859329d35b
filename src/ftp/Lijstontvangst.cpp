#include "ftp/Lijstontvangst.h"

#include "ftp/FtpPaden.h"
#include "ftp/Lijststroom.h"

#include <QHash>

#include <algorithm>

namespace Vamox {

void Lijstontvangst::Doorgeven()
{
    std::vector<FtpEntry> nieuw = lezer.Nemen();
    // Some servers list the folder itself and its parent too: no children, and a walk that took
    // "." for one would list the same folder again and again.
    std::erase_if(nieuw, [](const FtpEntry& e) {
        if (!e.isMap) return false;
        const QString kaal = SpatiesWeg(e.naam);
        return kaal == QLatin1String(".") || kaal == QLatin1String("..");
    });
    if (namen)
        for (const FtpEntry& e : nieuw)
            namen->push_back(qHash(e.naam));
    if (stroom)
        stroom->Toevoegen(std::move(nieuw));
    else if (entries.empty())
        entries = std::move(nieuw);
    else
        entries.insert(entries.end(), std::make_move_iterator(nieuw.begin()),
                       std::make_move_iterator(nieuw.end()));
}

size_t LeesLijst(char* data, size_t grootte, size_t n, void* p)
{
    auto* ontvangst = static_cast<Lijstontvangst*>(p);
    if (!ontvangst->lezer.Lezen(data, qsizetype(grootte * n))) return 0;
    if (ontvangst->ruw) ontvangst->ruw->append(data, qsizetype(grootte * n));
    ontvangst->Doorgeven();
    return grootte * n;
}

} // namespace Vamox
