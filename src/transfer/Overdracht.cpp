#include "transfer/Overdracht.h"

#include "transfer/OverdrachtPaden.h"
#include "transfer/Verbindingenpool.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>

namespace Vamox {

namespace {

// Begin on construction, Einde however the run ends.
class Run final
{
public:
    Run(Voortgangsmelder& melder, qint64 bestanden, qint64 bytes) : m_melder(melder)
    {
        m_melder.Begin(bestanden, bytes);
    }
    ~Run() { m_melder.Einde(); }
    Q_DISABLE_COPY_MOVE(Run)

    Voortgangsmelder* operator->() const { return &m_melder; }

private:
    Voortgangsmelder& m_melder;
};

// The name of a local path: the text after its last separator.
QString LokaleNaam(const QString& pad)
{
    const qsizetype plek = std::max(pad.lastIndexOf(u'/'), pad.lastIndexOf(LokaalScheiding));
    return pad.mid(plek + 1);
}

QString ServerNaam(const QString& pad)
{
    return pad.mid(pad.lastIndexOf(u'/') + 1);
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

qint64 LokaleGrootte(const QString& pad)
{
    const QFileInfo info(pad);
    return info.isFile() ? info.size() : -1;
}

// The server walk joins listed names into paths, so a listed name holding "/" would pass for a
// deeper path. A path is used only when its parent was itself taken and its own last part is a
// plain name.
bool KindVan(const QSet<QString>& mappen, const QString& pad)
{
    const qsizetype plek = pad.lastIndexOf(u'/');
    return plek >= 0 && mappen.contains(pad.left(plek)) && VeiligeNaam(pad.mid(plek + 1));
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

// The overwrite questions of one run: asked until "Alle", each answer counted in the result.
class Vraagronde final
{
public:
    enum class Stap
    {
        Doorgaan,
        Overslaan,
        Stoppen
    };

    Vraagronde(Overdrachtsvragen* vragen, Overschrijving::Soort soort, qint64 aantal, Overdrachtsresultaat& r)
        : m_vragen(vragen), m_soort(soort), m_aantal(aantal), m_r(r)
    {
    }

    // Whether a file that exists still needs a question.
    bool Open() const { return m_vragen != nullptr && !m_alles; }

    Stap Vraag(const QString& pad, qint64 grootte, qint64 nummer)
    {
        switch (m_vragen->Overschrijven(
            {.soort = m_soort, .pad = pad, .grootte = grootte, .nummer = nummer, .aantal = m_aantal})) {
        case Overschrijfantwoord::Stoppen:
            m_r.gestopt = true;
            return Stap::Stoppen;
        case Overschrijfantwoord::Nee:
            ++m_r.overgeslagen;
            return Stap::Overslaan;
        case Overschrijfantwoord::Alle:
            m_alles = true;
            return Stap::Doorgaan;
        case Overschrijfantwoord::Ja:
            break;
        }
        return Stap::Doorgaan;
    }

private:
    Overdrachtsvragen* m_vragen;
    Overschrijving::Soort m_soort;
    qint64 m_aantal;
    Overdrachtsresultaat& m_r;
    bool m_alles = false;
};

using Stap = Vraagronde::Stap;

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

// The files of a folder run over more connections: each handed out in run order after its
// question, and counted in the result and the progress as it comes back, whichever connection
// moved it. The moved names are put in run order at the end.
class Uitdeling final
{
public:
    Uitdeling(FtpSession& sessie, int verbindingen, const Run& run, Overdrachtsresultaat& r)
        : m_run(run), m_r(r),
          m_pool(sessie, verbindingen, [this](qint64 nummer, bool gelukt) { Afgehandeld(nummer, gelukt); })
    {
    }
    Q_DISABLE_COPY_MOVE(Uitdeling)

    // False when a cancel ends the run: nothing more is handed out.
    bool Geven(qint64 nummer, const QString& naam, qint64 grootte, std::function<bool(FtpSession&)> doen,
               std::function<qint64()> bytes)
    {
        m_open.emplace(nummer, Bestand{naam, grootte, std::move(bytes)});
        if (m_pool.Geven({.nummer = nummer, .doen = std::move(doen)})) return true;
        m_open.erase(nummer);
        return false;
    }

    // Waits for the files handed out.
    void Afmaken()
    {
        m_pool.Afmaken();
        if (m_pool.Afgebroken()) m_r.geannuleerd = m_r.gestopt = true;
        for (const auto& [nummer, naam] : m_verplaatst)
            m_r.namen.push_back(naam);
    }

private:
    struct Bestand
    {
        QString naam;
        qint64 grootte;
        std::function<qint64()> bytes; // what the moved file holds
    };

    void Afgehandeld(qint64 nummer, bool gelukt)
    {
        const auto it = m_open.find(nummer);
        if (it == m_open.end()) return;
        const Bestand b = std::move(it->second);
        m_open.erase(it);
        m_run->BestandBegint(b.naam, b.grootte);
        if (gelukt) {
            ++m_r.gedaan;
            m_r.bytes += std::max<qint64>(b.bytes(), 0);
            m_verplaatst.emplace(nummer, b.naam);
        } else {
            ++m_r.mislukt;
        }
        m_run->BestandKlaar();
    }

    const Run& m_run;
    Overdrachtsresultaat& m_r;
    std::map<qint64, Bestand> m_open;
    std::map<qint64, QString> m_verplaatst;
    Verbindingenpool m_pool;
};

// The files of a folder upload over `verbindingen` connections; the questions as in the
// single-connection run, in the same order, each before its file is handed out.
void MapUploadenVerdeeld(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                         const QSet<QString>& nieuweMappen, int verbindingen, Vraagronde& ronde, const Run& run,
                         Overdrachtsresultaat& r)
{
    Uitdeling uitdeling(sessie, verbindingen, run, r);
    for (qint64 i = 0; i < boom.bestanden.size(); ++i) {
        const QString& pad = boom.bestanden.at(i);
        const QString naam = EigenNaam(pad);
        const QString doel = NaarServerpad(boom.map, pad, serverMap);
        const qint64 grootte = LokaleGrootte(pad);
        if (doel.isEmpty()) {
            run->BestandBegint(naam, grootte);
            ++r.mislukt;
            run->BestandKlaar();
            continue;
        }
        if (ronde.Open() && !nieuweMappen.contains(doel.left(doel.lastIndexOf(u'/')))) {
            const qint64 bestaand = sessie.FtpMapPeilen(doel);
            const Stap stap = bestaand > 0 ? ronde.Vraag(doel, bestaand, i + 1) : Stap::Doorgaan;
            if (stap == Stap::Stoppen) break;
            if (stap == Stap::Overslaan) {
                run->BestandBegint(naam, grootte);
                run->BestandKlaar();
                continue;
            }
        }
        const auto plaatsen = [pad, doel](FtpSession& s) { return s.FtpBestandPlaatsen(pad, doel); };
        if (!uitdeling.Geven(i + 1, naam, grootte, plaatsen, [grootte] { return grootte; })) break;
    }
    uitdeling.Afmaken();
}

// The files of a folder download over `verbindingen` connections; `stop` and the questions as in
// the single-connection run. The files handed out before a stop are finished.
void MapDownloadenVerdeeld(FtpSession& sessie, const QString& start, const FtpBoom& boom, const QString& lokaleMap,
                           const QSet<QString>& genomen, int verbindingen, const StopVraag& stop, Vraagronde& ronde,
                           const Run& run, Overdrachtsresultaat& r)
{
    Uitdeling uitdeling(sessie, verbindingen, run, r);
    for (qint64 i = 0; i < qint64(boom.bestanden.size()); ++i) {
        if (i > 0 && stop && stop()) {
            r.gestopt = true;
            break;
        }
        const FtpBoom::Bestand& b = boom.bestanden[size_t(i)];
        const QString lokaal = KindVan(genomen, b.pad) ? NaarLokaalPad(start, b.pad, lokaleMap) : QString();
        const QString naam = ServerNaam(b.pad);
        if (lokaal.isEmpty()) {
            run->BestandBegint(naam, b.grootte);
            ++r.mislukt;
            run->BestandKlaar();
            continue;
        }
        if (ronde.Open() && QFileInfo(lokaal).isFile()) {
            const Stap stap = ronde.Vraag(lokaal, LokaleGrootte(lokaal), i + 1);
            if (stap == Stap::Stoppen) break;
            if (stap == Stap::Overslaan) {
                run->BestandBegint(naam, b.grootte);
                run->BestandKlaar();
                continue;
            }
        }
        const auto halen = [lokaal, pad = b.pad, grootte = b.grootte](FtpSession& s) {
            return s.FtpBestandHalen(lokaal, pad, grootte);
        };
        if (!uitdeling.Geven(i + 1, naam, b.grootte, halen, [lokaal] { return LokaleGrootte(lokaal); })) break;
    }
    uitdeling.Afmaken();
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
        if (ronde.Open() && !nieuweMappen.contains(doel.left(doel.lastIndexOf(u'/')))) {
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
        if (!Klaar(sessie, r, run, sessie.FtpBestandPlaatsen(pad, doel), naam, grootte)) break;
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
