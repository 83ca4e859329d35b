#include "panes/Rijen.h"

namespace Vamox {

// Two panes of a million rows each stay small only while the time fits beside the picture key.
static_assert(sizeof(ListRow) <= 48);

void TijdZetten(ListRow& rij, const FtpEntry& entry)
{
    rij.datum = QDate(entry.jaar, entry.maand, entry.dag); // invalid for 31-02 and the like
    const bool tijd = entry.uur >= 0 && entry.uur < 24 && entry.minuut >= 0 && entry.minuut < 60 &&
                      entry.seconde >= 0 && entry.seconde < 60;
    rij.seconden = tijd ? quint32(entry.uur * 3600 + entry.minuut * 60 + entry.seconde) : 0;
    rij.precisie = quint32(rij.datum.isValid() && tijd ? entry.precisie : Tijdprecisie::Geen);
    rij.zone = quint32(entry.zone);
    RechtenZetten(rij, entry.rechten);
}

void RechtenZetten(ListRow& rij, int rechten)
{
    rij.rechten = rechten < 0 ? 0u : quint32(01000 | (rechten & 0777));
}

ListRow RijVan(const FtpEntry& entry, const ProgrammaBekend& bekend)
{
    ListRow rij;
    rij.naam = entry.naam;
    rij.grootte = std::max<qint64>(entry.grootte, 0);
    TijdZetten(rij, entry);
    rij.icoonSleutel = IcoonSleutelVoor(rij.naam, bekend);
    return rij;
}

} // namespace Vamox
