#include "panes/Rijen.h"

namespace Vamox {

ListRow RijVan(const FtpEntry& entry, const ProgrammaBekend& bekend)
{
    ListRow rij;
    rij.naam = entry.naam;
    rij.grootte = std::max<qint64>(entry.grootte, 0);
    rij.datum = QDate(entry.jaar, entry.maand, entry.dag); // invalid for 31-02 and the like
    rij.icoonSleutel = IcoonSleutelVoor(rij.naam, bekend);
    return rij;
}

} // namespace Vamox
