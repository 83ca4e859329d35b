#include "transfer/Overdracht.h"

#include "transfer/OverdrachtPaden.h"
#include "transfer/OverdrachtRonde.h"
#include "transfer/OverdrachtVerdeeld.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace Vamox {

using namespace OverdrachtHulp;

namespace {

// The name of a local path: the text after its last separator.
QString LokaleNaam(const QString& pad)
{
    const qsizetype plek = std::max(pad.lastIndexOf(u'/'), pad.lastIndexOf(LokaalScheiding));
    return pad.mid(plek + 1);
}

// A listed name says more than its path: "a/b" listed in /m is refused, not taken for b in /m/a.
QString NaamVan(const Serverbestand& bestand)
{
    return bestand.naam.isNull() ? ServerNaam(bestand.pad) : bestand.naam;
}

QString InServermap(const QString& map, const QString& naam)
{
    return map.endsWith(u'/') ? map + naam : map + u'/' + naam;
}

qint64 Som(qint64 a, qint64 grootte)
{
    return a + std::max<qint64>(grootte, 0);
}

void Verplaatst(Overdrachtsresultaat& r, const QString& naam, qint64 bytes)
{
    ++r.gedaan;
    r.bytes += std::max<qint64>(bytes, 0);
    r.namen.push_back(naam);
}

// The end of one file: moved or failed. False when the transfer was cancelled: the run ends
// there. (Work out `gelukt` before the call: the order in which arguments are evaluated is not
// fixed, and `bytes` may need the file the transfer brought.)
bool Klaar(const FtpSession& sessie, Overdrachtsresultaat& r, const Run& run, bool gelukt,
           const QString& naam, qint64 bytes)
{
    if (gelukt)
        Verplaatst(r, naam, bytes);
    else
        ++r.mislukt;
    run->BestandKlaar();
    if (gelukt || !sessie.afgebroken()) return true;
    r.geannuleerd = r.gestopt = true;
    return false;
}

// One file of a download: fetched into `lokaal` ("" when refused: a failure), after the question
// when a file of that name is there. False when the answer or a cancel ends the run.
bool Halen(FtpSession& sessie, const Serverbestand& b, const QString& naam, const QString& lokaal,
           qint64 nummer, Vraagronde& ronde, const Run& run, Overdrachtsresultaat& r)
{
    run->BestandBegint(naam, b.grootte);
    if (lokaal.isEmpty()) {
        ++r.mislukt;
        run->BestandKlaar();
        return true;
    }
    if (ronde.Open() && QFileInfo(lokaal).isFile()) {
        const Stap stap = ronde.Vraag(lokaal, LokaleGrootte(lokaal), nummer);
        if (stap == Stap::Stoppen) return false;
        if (stap == Stap::Overslaan) {
            run->BestandKlaar();
            return true;
        }
    }
    const bool gehaald = sessie.FtpBestandHalen(lokaal, b.pad, b.grootte);
    return Klaar(sessie, r, run, gehaald, naam, LokaleGrootte(lokaal));
}

} // namespace

Overdrachtsresultaat BestandenDownloaden(FtpSession& sessie, const std::vector<Serverbestand>& bestanden,
                                         const QString& lokaleMap, Overdrachtsvragen* vragen,
                                         Voortgangsmelder& voortgang)
{
    Overdrachtsresultaat r;
    qint64 bytes = 0;
    for (const Serverbestand& b : bestanden)
        bytes = Som(bytes, b.grootte);
    const qint64 aantal = qint64(bestanden.size());
    Run run(voortgang, aantal, bytes);
    Vraagronde ronde(vragen, Overschrijving::Soort::BestandDownloaden, aantal, r);
    for (qint64 i = 0; i < aantal; ++i) {
        const Serverbestand& b = bestanden[size_t(i)];
        const QString naam = NaamVan(b);
        // A listed name that is no plain file name would be written elsewhere: never fetched.
        if (!Halen(sessie, b, naam, LokaalDoelPad(lokaleMap, naam), i + 1, ronde, run, r)) break;
    }
    return r;
}

Overdrachtsresultaat BestandenUploaden(FtpSession& sessie, const QStringList& lokalePaden,
                                       const QString& serverMap, Overdrachtsvragen* vragen,
                                       Voortgangsmelder& voortgang)
{
    Overdrachtsresultaat r;
    // One listing tells which names exist (capitals counting), instead of one probe per file.
    // A listing that fails asks nothing: the uploads then meet the same trouble.
    QHash<QString, qint64> opServer;
    if (vragen) {
        if (const auto entries = sessie.FtpMapLezen(serverMap)) {
            for (const FtpEntry& e : *entries)
                if (!e.isMap) opServer.insert(e.naam, e.grootte);
        }
    }

    std::vector<qint64> groottes;
    groottes.reserve(size_t(lokalePaden.size()));
    qint64 bytes = 0;
    for (const QString& pad : lokalePaden) {
        groottes.push_back(LokaleGrootte(pad));
        bytes = Som(bytes, groottes.back());
    }
    const qint64 aantal = lokalePaden.size();
    Run run(voortgang, aantal, bytes);
    Vraagronde ronde(vragen, Overschrijving::Soort::BestandUploaden, aantal, r);
    for (qint64 i = 0; i < aantal; ++i) {
        const QString& pad = lokalePaden.at(i);
        const QString naam = LokaleNaam(pad);
        const QString doel = InServermap(serverMap, naam);
        run->BestandBegint(naam, groottes[size_t(i)]);
        if (ronde.Open() && opServer.contains(naam)) {
            const Stap stap = ronde.Vraag(doel, opServer.value(naam), i + 1);
            if (stap == Stap::Stoppen) {
                break;
            }
            if (stap == Stap::Overslaan) {
                run->BestandKlaar();
                continue;
            }
        }
        if (!Klaar(sessie, r, run, sessie.FtpBestandPlaatsen(pad, doel), naam, groottes[size_t(i)])) break;
    }
    return r;
}

Overdrachtsresultaat ServerBestandenKopieren(FtpSession& sessie, const std::vector<Serverbestand>& bestanden,
                                             const QString& werkmap, const QString& serverMap,
                                             Voortgangsmelder& voortgang)
{
    Overdrachtsresultaat r;
    // The work folder is made at start-up; it may have been removed since.
    const bool werk = !werkmap.isEmpty() && QDir().mkpath(werkmap);
    qint64 bytes = 0;
    for (const Serverbestand& b : bestanden)
        bytes = Som(bytes, 2 * std::max<qint64>(b.grootte, 0));
    Run run(voortgang, qint64(bestanden.size()), bytes);
    for (const Serverbestand& b : bestanden) {
        const QString naam = NaamVan(b);
        run->BestandBegint(naam, b.grootte < 0 ? -1 : 2 * b.grootte);
        const QString tijdelijk = werk ? LokaalDoelPad(werkmap, naam) : QString();
        // Only a copy fetched just now goes up: an older one of the same name may lie there.
        bool gelukt = !tijdelijk.isEmpty() && sessie.FtpBestandHalen(tijdelijk, b.pad, b.grootte);
        if (gelukt) {
            run->TweedeDeel(LokaleGrootte(tijdelijk));
            gelukt = sessie.FtpBestandPlaatsen(tijdelijk, InServermap(serverMap, naam));
        }
        if (!Klaar(sessie, r, run, gelukt, naam, LokaleGrootte(tijdelijk))) break;
    }
    return r;
}

LokaleBoom LokaleMapScannen(const QString& map, const StopVraag& stop)
{
    LokaleBoom boom;
    boom.map = ZonderEindscheiding(map);
    QStringList mappen;
    QStringList bestanden;
    boom.volledig =
        ZoekBestanden(mappen, bestanden, boom.map, QStringLiteral("*"), true, false, stop, &boom.totaal);
    // A scan stopped at once has not taken the start folder yet.
    if (mappen.size() < 2)
        mappen.push_back(EindigtMetScheiding(boom.map) ? boom.map : boom.map + LokaalScheiding);
    // Element 0 of both lists carries no path.
    boom.mappen = mappen.mid(1);
    boom.bestanden = bestanden.mid(1);
    return boom;
}

Overdrachtsresultaat MapUploaden(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                                 Overdrachtsvragen& vragen, Voortgangsmelder& voortgang, int verbindingen)
{
    Overdrachtsresultaat r;
    // Folders this run made were empty: their files need no overwrite probe.
    QSet<QString> nieuweMappen;
    // The walk lists every folder after its parent, so parents are made first.
    for (const QString& map : boom.mappen) {
        const QString doel = NaarServerpad(boom.map, map, serverMap);
        if (doel.isEmpty())
            ++r.mislukteMappen;
        else if (sessie.FtpMapMaken(doel))
            nieuweMappen.insert(doel);
        else if (!sessie.ServerpadBestaat(doel, true))
            ++r.mislukteMappen; // one that is already there is fine
    }

    const qint64 aantal = boom.bestanden.size();
    Run run(voortgang, aantal, boom.totaal);
    Vraagronde ronde(&vragen, Overschrijving::Soort::MapUploaden, aantal, r);
    if (verbindingen > 1 && aantal > 1) {
        MapUploadenVerdeeld(sessie, boom, serverMap, nieuweMappen, verbindingen, ronde, run, r);
        return r;
    }
    for (qint64 i = 0; i < aantal; ++i) {
        const QString& pad = boom.bestanden.at(i);
        const QString naam = EigenNaam(pad);
        const QString doel = NaarServerpad(boom.map, pad, serverMap);
        const qint64 grootte = LokaleGrootte(pad);
        run->BestandBegint(naam, grootte);
        if (doel.isEmpty()) {
            ++r.mislukt;
            run->BestandKlaar();
            continue;
        }
        const bool nieuw = nieuweMappen.contains(doel.left(doel.lastIndexOf(u'/')));
        if (ronde.Open() && !nieuw) {
            const qint64 bestaand = sessie.FtpMapPeilen(doel);
            if (bestaand > 0) {
                const Stap stap = ronde.Vraag(doel, bestaand, i + 1);
                if (stap == Stap::Stoppen) {
                    break;
                }
                if (stap == Stap::Overslaan) {
                    run->BestandKlaar();
                    continue;
                }
            }
        }
        const bool gelukt =
            sessie.FtpBestandPlaatsen(pad, doel, nieuw ? Serverdoel::Nieuw : Serverdoel::Onbekend);
        if (!Klaar(sessie, r, run, gelukt, naam, grootte)) break;
    }
    return r;
}

Overdrachtsresultaat MapDownloaden(FtpSession& sessie, const QString& serverMap, const FtpBoom& boom,
                                   const QString& lokaleMap, Overdrachtsvragen& vragen,
                                   Voortgangsmelder& voortgang, const StopVraag& stop, int verbindingen)
{
    Overdrachtsresultaat r;
    // A folder that could not be listed is not an empty folder.
    r.mislukteMappen = boom.mislukt;
    QString start = serverMap;
    while (start.size() > 1 && start.endsWith(u'/'))
        start.chop(1);

    // The chosen folder itself first, then the walk's folders, each after its parent.
    QSet<QString> genomen{start};
    const QStringList mappen = QStringList{start} + boom.mappen;
    for (qsizetype i = 0; i < mappen.size(); ++i) {
        if (i > 0 && !KindVan(genomen, mappen.at(i))) continue;
        const QString lokaal = NaarLokaalPad(start, mappen.at(i), lokaleMap);
        if (lokaal.isEmpty()) continue;
        genomen.insert(mappen.at(i));
        QDir().mkdir(lokaal); // an existing folder is fine; a failure shows in its files
    }

    const qint64 aantal = qint64(boom.bestanden.size());
    Run run(voortgang, aantal, boom.totaal);
    Vraagronde ronde(&vragen, Overschrijving::Soort::MapDownloaden, aantal, r);
    if (verbindingen > 1 && aantal > 1) {
        MapDownloadenVerdeeld(sessie, start, boom, lokaleMap, genomen, verbindingen, stop, ronde, run, r);
        return r;
    }
    for (qint64 i = 0; i < aantal; ++i) {
        // Asked between files only: the file that was running is complete or gone.
        if (i > 0 && stop && stop()) {
            r.gestopt = true;
            break;
        }
        const FtpBoom::Bestand& b = boom.bestanden[size_t(i)];
        // A name that is no plain name, or a path outside the chosen folder, is never written.
        const QString lokaal = KindVan(genomen, b.pad) ? NaarLokaalPad(start, b.pad, lokaleMap) : QString();
        const QString naam = ServerNaam(b.pad);
        if (!Halen(sessie, {b.pad, b.grootte, naam}, naam, lokaal, i + 1, ronde, run, r)) break;
    }
    return r;
}

} // namespace Vamox
