#pragma once

#include "transfer/Overdracht.h"
#include "transfer/Wachtrij.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Vamox {

// Server files handed over as local files (the clipboard, a drag out of the window) are fetched
// into their place in the work folder first, for the user alone, through the transfer queue ahead
// of what waits there, and waited for. An earlier copy of the same name is removed before the
// fetch, so a failed fetch leaves no old copy behind to be handed over in its place.
struct Werkmapkopie
{
    QStringList paden; // the local copies that arrived, in the order given
    qint64 mislukt = 0;
};
Werkmapkopie InWerkmapHalen(Wachtrij& wachtrij, const std::vector<Serverbestand>& bestanden,
                            const QString& werkmap);

} // namespace Vamox
