#include "clipboard/Werkmap.h"

#include "clipboard/Sleepdata.h"
#include "transfer/Werkplekken.h"
#include "transfer/Kopieren.h"
#include "transfer/OverdrachtPaden.h"

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

bool LokaleMapKopieren(const QString& map, const QString& doelmap, qint64& mislukt)
{
    mislukt = 0;
    const QString bron = ZonderEindscheiding(map);
    if (BinnenMap(bron, doelmap)) return false;
    const LokaleBoom boom = LokaleMapScannen(bron);
    const QString doelwortel = ZonderEindscheiding(doelmap) + LokaalScheiding + EigenNaam(bron);
    const auto doelVan = [&](const QString& pad) { return doelwortel + pad.mid(bron.size()); };
    for (const QString& m : boom.mappen)
        if (!QDir().mkpath(doelVan(ZonderEindscheiding(m)))) ++mislukt;
    for (const QString& b : boom.bestanden) {
        const Kopieerresultaat r = LokaleBestandenKopieren({b}, QFileInfo(doelVan(b)).absolutePath());
        mislukt += r.mislukt;
    }
    return true;
}

} // namespace Vamox
