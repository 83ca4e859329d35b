#include "clipboard/Werkmap.h"

#include "clipboard/Sleepdata.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Werkplekken.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Vamox {

Werkmapkopie InWerkmapHalen(Wachtrij& wachtrij, const std::vector<Serverbestand>& bestanden,
                            const QString& werkmap)
{
    Werkmapkopie uit;
    if (!QDir().mkpath(werkmap)) {
        uit.mislukt = qint64(bestanden.size());
        return uit;
    }
    for (const Serverbestand& b : bestanden) {
        const QString naam = b.naam.isEmpty() ? b.pad.mid(b.pad.lastIndexOf(u'/') + 1) : b.naam;
        // A name that is no plain name is refused by the fetch; it removes nothing here either.
        const QString doel = LokaalDoelPad(werkmap, naam);
        if (!doel.isEmpty() && QFileInfo(doel).isFile()) QFile::remove(doel);
    }
    const Overdrachtsresultaat r = wachtrij.Wachten(
        wachtrij.Toevoegen(DownloadenPlannen(bestanden, werkmap, nullptr), {}, {.voorrang = true}));
    uit.mislukt = r.mislukt;
    // The flow names what arrived; the order given is kept.
    for (const Serverbestand& b : bestanden) {
        const QString naam = b.naam.isEmpty() ? b.pad.mid(b.pad.lastIndexOf(u'/') + 1) : b.naam;
        if (!r.namen.contains(naam)) continue;
        const QString doel = LokaalDoelPad(werkmap, naam);
        if (doel.isEmpty() || !QFileInfo(doel).isFile() || uit.paden.contains(doel)) continue;
        AlleenVoorEigenaar(doel);
        uit.paden.push_back(doel);
    }
    return uit;
}

} // namespace Vamox
