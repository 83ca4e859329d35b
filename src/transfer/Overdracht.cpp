#include "transfer/Overdracht.h"

#include "transfer/OverdrachtPaden.h"
#include "transfer/OverdrachtRonde.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>

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

// Builds a plan: every file a job in run order, those that will not move already in their end state.
class Planning final
{
public:
    explicit Planning(Overdrachtsplan& plan) : m_plan(plan) {}

    void Klus(Klus::Richting richting, const QString& naam, const QString& bron, const QString& doel,
              qint64 grootte, Klus::Staat staat = Klus::Staat::Wachtend, const QString& fout = {})
    {
        Vamox::Klus k;
        k.richting = richting;
        k.naam = naam;
        k.bron = bron;
        k.doel = doel;
        k.grootte = grootte;
        k.staat = staat;
        k.fout = fout;
        k.nummer = qint64(m_plan.klussen.size()) + 1;
        m_plan.klussen.push_back(std::move(k));
    }
    // A name that is no plain file name would be written elsewhere: never moved.
    void Geweigerd(Klus::Richting richting, const QString& naam, const QString& bron, qint64 grootte)
    {
        Klus(richting, naam, bron, QString(), grootte, Klus::Staat::Mislukt, QStringLiteral("Ongeldige naam"));
    }
    // The answer to the question of an existing target: false when the run ends here.
    bool Gevraagd(Vraagronde& ronde, Klus::Richting richting, const QString& naam, const QString& bron,
                  const QString& doel, qint64 grootte, qint64 bestaand)
    {
        const Stap stap = ronde.Vraag(doel, bestaand, qint64(m_plan.klussen.size()) + 1);
        if (stap == Stap::Stoppen) return false;
        Klus(richting, naam, bron, doel, grootte,
             stap == Stap::Overslaan ? Klus::Staat::Overgeslagen : Klus::Staat::Wachtend);
        return true;
    }

private:
    Overdrachtsplan& m_plan;
};

} // namespace

Overdrachtsplan EenBestandPlannen(Klus::Richting richting, const QString& bron, const QString& doel,
                                  qint64 grootte, const QString& werkkopie)
{
    Overdrachtsplan plan;
    const QString& serverpad = richting == Klus::Richting::Uploaden ? doel : bron;
    Planning(plan).Klus(richting, ServerNaam(serverpad), bron, doel, grootte);
    plan.klussen.back().werkkopie = werkkopie;
    return plan;
}

Overdrachtsplan DownloadenPlannen(const std::vector<Serverbestand>& bestanden, const QString& lokaleMap,
                                  Overdrachtsvragen* vragen)
{
    Overdrachtsplan plan;
    Planning p(plan);
    Vraagronde ronde(vragen, Overschrijving::Soort::BestandDownloaden, qint64(bestanden.size()), plan);
    for (const Serverbestand& b : bestanden) {
        const QString naam = NaamVan(b);
        const QString lokaal = LokaalDoelPad(lokaleMap, naam);
        if (lokaal.isEmpty())
            p.Geweigerd(Klus::Richting::Downloaden, naam, b.pad, b.grootte);
        else if (!ronde.Open() || !QFileInfo(lokaal).isFile())
            p.Klus(Klus::Richting::Downloaden, naam, b.pad, lokaal, b.grootte);
        else if (!p.Gevraagd(ronde, Klus::Richting::Downloaden, naam, b.pad, lokaal, b.grootte,
                             LokaleGrootte(lokaal)))
            break;
    }
    return plan;
}

Overdrachtsplan UploadenPlannen(FtpSession& sessie, const QStringList& lokalePaden, const QString& serverMap,
                                Overdrachtsvragen* vragen)
{
    Overdrachtsplan plan;
    // One listing tells which names exist (capitals counting), instead of one probe per file.
    // A listing that fails asks nothing: the uploads then meet the same trouble.
    QHash<QString, qint64> opServer;
    bool gelezen = false;
    if (vragen) {
        if (const auto entries = sessie.FtpMapLezen(serverMap)) {
            gelezen = true;
            for (const FtpEntry& e : *entries)
                if (!e.isMap) opServer.insert(e.naam, e.grootte);
        }
    }
    Planning p(plan);
    Vraagronde ronde(vragen, Overschrijving::Soort::BestandUploaden, lokalePaden.size(), plan);
    for (const QString& pad : lokalePaden) {
        const QString naam = LokaleNaam(pad);
        const QString doel = InServermap(serverMap, naam);
        const qint64 grootte = LokaleGrootte(pad);
        if (!ronde.Open() || !opServer.contains(naam))
            p.Klus(Klus::Richting::Uploaden, naam, pad, doel, grootte);
        else if (!p.Gevraagd(ronde, Klus::Richting::Uploaden, naam, pad, doel, grootte, opServer.value(naam)))
            break;
        // A name the listing did not show goes up as a new file (no check for one to replace).
        if (gelezen && !opServer.contains(naam)) plan.klussen.back().serverdoel = Serverdoel::Nieuw;
    }
    return plan;
}

Overdrachtsplan KopierenPlannen(const std::vector<Serverbestand>& bestanden, const QString& werkmap,
                                const QString& serverMap)
{
    Overdrachtsplan plan;
    Planning p(plan);
    // The work folder is made at start-up; it may have been removed since.
    const bool werk = !werkmap.isEmpty() && QDir().mkpath(werkmap);
    for (const Serverbestand& b : bestanden) {
        const QString naam = NaamVan(b);
        const QString kopie = werk ? LokaalDoelPad(werkmap, naam) : QString();
        if (kopie.isEmpty()) {
            p.Geweigerd(Klus::Richting::Kopieren, naam, b.pad, b.grootte);
            continue;
        }
        p.Klus(Klus::Richting::Kopieren, naam, b.pad, InServermap(serverMap, naam), b.grootte);
        plan.klussen.back().werkkopie = kopie;
    }
    return plan;
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

Overdrachtsplan MapUploadenPlannen(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                                   Overdrachtsvragen& vragen)
{
    Overdrachtsplan plan;
    // Folders this run made were empty: their files need no question.
    QSet<QString> nieuweMappen;
    // The walk lists every folder after its parent, so parents are made first.
    for (const QString& map : boom.mappen) {
        const QString doel = NaarServerpad(boom.map, map, serverMap);
        if (doel.isEmpty())
            ++plan.mislukteMappen;
        else if (sessie.FtpMapMaken(doel))
            nieuweMappen.insert(doel);
        else if (!sessie.ServerpadBestaat(doel, true))
            ++plan.mislukteMappen; // one that is already there is fine
    }

    // What an existing folder holds, listed once when its first file needs asking about: the size
    // of the name there, -1 when it is not there, nothing when the folder could not be listed (then
    // nothing is asked: its uploads meet the same trouble).
    QHash<QString, std::optional<QHash<QString, qint64>>> bestaand;
    const auto grootteOpServer = [&](const QString& doel) -> std::optional<qint64> {
        const qsizetype plek = doel.lastIndexOf(u'/');
        const QString map = doel.left(plek);
        auto it = bestaand.find(map);
        if (it == bestaand.end()) {
            std::optional<QHash<QString, qint64>> namen;
            if (const auto entries = sessie.FtpMapLezen(map + u'/')) {
                namen.emplace();
                for (const FtpEntry& e : *entries)
                    if (!e.isMap) namen->insert(e.naam, e.grootte);
            }
            it = bestaand.insert(map, namen);
        }
        if (!*it) return std::nullopt;
        return (*it)->value(doel.mid(plek + 1), -1);
    };

    Planning p(plan);
    Vraagronde ronde(&vragen, Overschrijving::Soort::MapUploaden, boom.bestanden.size(), plan);
    for (const QString& pad : boom.bestanden) {
        const QString naam = EigenNaam(pad);
        const QString doel = NaarServerpad(boom.map, pad, serverMap);
        const qint64 grootte = LokaleGrootte(pad);
        if (doel.isEmpty()) {
            p.Geweigerd(Klus::Richting::Uploaden, naam, pad, grootte);
            continue;
        }
        // A file of 0 bytes there is replaced without a question. A folder this run made, or one
        // whose listing does not show the name, gets the file as a new one.
        const bool nieuweMap = nieuweMappen.contains(doel.left(doel.lastIndexOf(u'/')));
        const std::optional<qint64> opServer =
            ronde.Open() && !nieuweMap ? grootteOpServer(doel) : std::optional<qint64>();
        const bool nieuw = nieuweMap || (opServer && *opServer < 0);
        if (!opServer || *opServer <= 0)
            p.Klus(Klus::Richting::Uploaden, naam, pad, doel, grootte);
        else if (!p.Gevraagd(ronde, Klus::Richting::Uploaden, naam, pad, doel, grootte, *opServer))
            break;
        if (nieuw && !plan.klussen.empty()) plan.klussen.back().serverdoel = Serverdoel::Nieuw;
    }
    return plan;
}

Overdrachtsplan MapDownloadenPlannen(const QString& serverMap, const FtpBoom& boom, const QString& lokaleMap,
                                     Overdrachtsvragen& vragen)
{
    Overdrachtsplan plan;
    // A folder that could not be listed is not an empty folder.
    plan.mislukteMappen = boom.mislukt;
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

    Planning p(plan);
    Vraagronde ronde(&vragen, Overschrijving::Soort::MapDownloaden, qint64(boom.bestanden.size()), plan);
    for (const FtpBoom::Bestand& b : boom.bestanden) {
        // A name that is no plain name, or a path outside the chosen folder, is never written.
        const QString lokaal = KindVan(genomen, b.pad) ? NaarLokaalPad(start, b.pad, lokaleMap) : QString();
        const QString naam = ServerNaam(b.pad);
        if (lokaal.isEmpty())
            p.Geweigerd(Klus::Richting::Downloaden, naam, b.pad, b.grootte);
        else if (!ronde.Open() || !QFileInfo(lokaal).isFile())
            p.Klus(Klus::Richting::Downloaden, naam, b.pad, lokaal, b.grootte);
        else if (!p.Gevraagd(ronde, Klus::Richting::Downloaden, naam, b.pad, lokaal, b.grootte,
                             LokaleGrootte(lokaal)))
            break;
    }
    return plan;
}

} // namespace Vamox
