// The folder flows over more connections than the main session's: the main session asks, the
// pool moves the files.

#include "transfer/OverdrachtVerdeeld.h"

#include "transfer/Verbindingenpool.h"

#include <algorithm>
#include <functional>
#include <map>

namespace Vamox::OverdrachtHulp {

namespace {

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

} // namespace

// The files of a folder upload over `verbindingen` connections; the questions as in the
// single-connection run, in the same order, each before its file is handed out.
void MapUploadenVerdeeld(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                         const QSet<QString>& nieuweMappen, int verbindingen, Vraagronde& ronde,
                         const Run& run, Overdrachtsresultaat& r)
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
        // A folder this run made holds no file the upload could replace.
        const bool nieuw = nieuweMappen.contains(doel.left(doel.lastIndexOf(u'/')));
        if (ronde.Open() && !nieuw) {
            const qint64 bestaand = sessie.FtpMapPeilen(doel);
            const Stap stap = bestaand > 0 ? ronde.Vraag(doel, bestaand, i + 1) : Stap::Doorgaan;
            if (stap == Stap::Stoppen) break;
            if (stap == Stap::Overslaan) {
                run->BestandBegint(naam, grootte);
                run->BestandKlaar();
                continue;
            }
        }
        const Serverdoel soort = nieuw ? Serverdoel::Nieuw : Serverdoel::Onbekend;
        const auto plaatsen = [pad, doel, soort](FtpSession& s) {
            return s.FtpBestandPlaatsen(pad, doel, soort);
        };
        if (!uitdeling.Geven(i + 1, naam, grootte, plaatsen, [grootte] { return grootte; })) break;
    }
    uitdeling.Afmaken();
}

// The files of a folder download over `verbindingen` connections; `stop` and the questions as in
// the single-connection run. The files handed out before a stop are finished.
void MapDownloadenVerdeeld(FtpSession& sessie, const QString& start, const FtpBoom& boom,
                           const QString& lokaleMap, const QSet<QString>& genomen, int verbindingen,
                           const StopVraag& stop, Vraagronde& ronde, const Run& run, Overdrachtsresultaat& r)
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
        if (!uitdeling.Geven(i + 1, naam, b.grootte, halen, [lokaal] { return LokaleGrootte(lokaal); }))
            break;
    }
    uitdeling.Afmaken();
}

} // namespace Vamox::OverdrachtHulp
