#include "transfer/Wachtrij.h"

#include "transfer/Lokaalwerker.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Verbindingenpool.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace Vamox {

namespace {

// Ended runs whose result a late Wachten may still ask for.
constexpr std::size_t BewaardeUitslagen = 64;

// Whether `pad` is `map` or lies below it; `scheiding` is the separator of the side.
bool Onder(const QString& pad, const QString& map, QChar scheiding)
{
    QString basis = map;
    while (basis.size() > 1 && (basis.endsWith(u'/') || basis.endsWith(scheiding)))
        basis.chop(1);
    if (pad == basis) return true;
    const QString voor = basis.endsWith(scheiding) || basis.endsWith(u'/') ? basis : basis + scheiding;
    return pad.startsWith(voor);
}

} // namespace

Wachtrij::Wachtrij(FtpSession& panelen, QObject* parent)
    : QObject(parent), m_panelen(panelen), m_pool(new Verbindingenpool(panelen, this)),
      m_lokaal(new Lokaalwerker(this))
{
    connect(m_pool, &Verbindingenpool::gestart, this, &Wachtrij::gestart);
    connect(m_pool, &Verbindingenpool::voortgang, this, &Wachtrij::voortgang);
    connect(m_pool, &Verbindingenpool::klaar, this, [this](quint64 id, const Verbindingenpool::Uitslag& u) {
        klaar(id, u.gelukt, u.verbroken, u.afgebroken, u.bytes, u.fout);
    });
    connect(m_lokaal, &Lokaalwerker::gestart, this, &Wachtrij::gestart);
    connect(m_lokaal, &Lokaalwerker::voortgang, this, &Wachtrij::voortgang);
    connect(m_lokaal, &Lokaalwerker::klaar, this, [this](quint64 id, const Verbindingenpool::Uitslag& u) {
        klaar(id, u.gelukt, false, u.afgebroken, u.bytes, u.fout);
    });
}

Wachtrij::~Wachtrij()
{
    // The pool goes first: no job reports back into a half-destroyed queue.
    delete m_pool;
    m_pool = nullptr;
    delete m_lokaal;
    m_lokaal = nullptr;
}

void Wachtrij::ZetVerbindingen(int verbindingen)
{
    m_pool->ZetAantal(std::clamp(verbindingen, 1, 8));
}

bool Wachtrij::DeeltSessie() const
{
    return Bezig() && m_pool->DeeltSessie();
}

Klus* Wachtrij::klus(quint64 id)
{
    const auto it = m_plek.constFind(id);
    return it == m_plek.constEnd() ? nullptr : &m_klussen[size_t(*it)];
}

const Klus* Wachtrij::KlusMet(quint64 id) const
{
    const auto it = m_plek.constFind(id);
    return it == m_plek.constEnd() ? nullptr : &m_klussen[size_t(*it)];
}

quint64 Wachtrij::Toevoegen(Overdrachtsplan plan, Afgerond afgerond, Opties opties)
{
    const quint64 rid = m_volgendeRonde++;
    Ronde& ronde = m_rondes[rid];
    ronde.opties = opties;
    ronde.afgerond = std::move(afgerond);
    ronde.r.mislukteMappen = plan.mislukteMappen;
    ronde.r.gestopt = plan.gestopt;

    const auto wachtend = std::count_if(plan.klussen.begin(), plan.klussen.end(),
                                        [](const Klus& k) { return k.staat == Klus::Staat::Wachtend; });
    if (!m_bezig && wachtend > 0) {
        m_voortgang.begin();
        m_mislukt = 0;
        m_overgeslagen = 0;
    }
    const int eerste = int(m_klussen.size());
    std::vector<quint64> uitTeGeven;
    qint64 bytes = 0;
    for (Klus& k : plan.klussen) {
        k.id = m_volgendeKlus++;
        k.ronde = rid;
        k.verbinding = -1;
        ronde.klussen.push_back(k.id);
        bytes += std::max<qint64>(k.Omvang(), 0);
        if (k.staat == Klus::Staat::Wachtend) {
            uitTeGeven.push_back(k.id);
            ++ronde.open;
            ++m_open;
        } else if (k.staat == Klus::Staat::Overgeslagen) {
            ++ronde.r.overgeslagen;
        } else {
            ++ronde.r.mislukt;
        }
        m_plek.insert(k.id, qsizetype(m_klussen.size()));
        m_klussen.push_back(std::move(k));
    }
    if (wachtend > 0) {
        m_voortgang.erbij(qint64(ronde.klussen.size()), bytes);
        // Files that will not move count as handled at once: the time left shrinks by them.
        for (qsizetype i = eerste; i < qsizetype(m_klussen.size()); ++i) {
            const Klus& k = m_klussen[size_t(i)];
            if (k.staat == Klus::Staat::Wachtend) continue;
            m_voortgang.bestandKlaar(k.id, k.Omvang());
            (k.staat == Klus::Staat::Overgeslagen ? m_overgeslagen : m_mislukt) += 1;
        }
    }
    geven(uitTeGeven, opties.voorrang);
    // The state is settled before anybody hears of it: a slot may call any of the public calls.
    if (ronde.open == 0) rondeAfronden(rid);
    if (qsizetype(m_klussen.size()) > eerste) Q_EMIT klussenToegevoegd(eerste, int(m_klussen.size()) - 1);
    bezigZetten();
    return rid;
}

void Wachtrij::geven(const std::vector<quint64>& ids, bool voorrang)
{
    // Given one by one to the front, a run that goes first would go in reverse.
    if (voorrang) {
        for (auto it = ids.rbegin(); it != ids.rend(); ++it)
            uitgeven(*klus(*it), true);
    } else {
        for (const quint64 id : ids)
            uitgeven(*klus(id), false);
    }
}

void Wachtrij::uitgeven(const Klus& k, bool voorrang)
{
    if (k.richting == Klus::Richting::LokaalKopieren)
        m_lokaal->Geven(k, voorrang);
    else
        m_pool->Geven(k, voorrang);
}

void Wachtrij::afbreken(const QSet<quint64>& ids)
{
    m_pool->Afbreken(ids);
    m_lokaal->Afbreken(ids);
}

void Wachtrij::gestart(quint64 id, int verbinding)
{
    Klus* k = klus(id);
    if (!k) return;
    k->staat = Klus::Staat::Lopend;
    k->verbinding = verbinding;
    k->gedaan = 0;
    m_voortgang.bestandBegint(id, k->naam, k->Omvang());
    // Stopped while a connection was taking it.
    if (m_teAnnuleren.contains(id)) afbreken({id});
    Q_EMIT klusGewijzigd(int(m_plek.value(id)));
}

void Wachtrij::voortgang(quint64 id, qint64 gedaan)
{
    Klus* k = klus(id);
    if (!k || k->staat != Klus::Staat::Lopend) return;
    k->gedaan = gedaan;
    m_voortgang.bestandVoortgang(id, gedaan);
    // A cancel that came before the transfer itself began is given again.
    if (m_teAnnuleren.contains(id)) afbreken({id});
}

void Wachtrij::klaar(quint64 id, bool gelukt, bool verbroken, bool afgebroken, qint64 bytes,
                     const QString& fout)
{
    const bool teAnnuleren = m_teAnnuleren.remove(id);
    Klus* k = klus(id);
    if (!k || k->Afgehandeld()) return;
    if (gelukt) {
        k->gedaan = bytes;
        k->fout.clear();
        afhandelen(*k, Klus::Staat::Klaar);
        return;
    }
    k->fout = fout;
    if (afgebroken || teAnnuleren) {
        afhandelen(*k, Klus::Staat::Geannuleerd);
        return;
    }
    // A broken connection is no fault of the file: it goes out once more, before what waits. A
    // second break counts as its failure, once.
    if (verbroken && !m_opnieuw.contains(id)) {
        m_opnieuw.insert(id);
        k->staat = Klus::Staat::Wachtend;
        k->gedaan = 0;
        uitgeven(*k, true);
        Q_EMIT klusGewijzigd(int(m_plek.value(id)));
        return;
    }
    afhandelen(*k, Klus::Staat::Mislukt);
}

void Wachtrij::afhandelen(Klus& k, Klus::Staat staat)
{
    const bool begonnen = k.verbinding >= 0;
    k.staat = staat;
    --m_open;
    m_voortgang.bestandKlaar(k.id, k.Omvang());
    const quint64 id = k.id;
    const quint64 rid = k.ronde;
    if (staat == Klus::Staat::Mislukt) ++m_mislukt;
    const auto it = m_rondes.find(rid);
    if (it != m_rondes.end()) {
        Ronde& ronde = it->second;
        Overdrachtsresultaat& r = ronde.r;
        switch (staat) {
        case Klus::Staat::Klaar: {
            ++r.gedaan;
            r.bytes += std::max<qint64>(k.gedaan, 0);
            ronde.verplaatst.emplace(k.nummer, k.naam);
            const bool lokaal = k.richting == Klus::Richting::Downloaden ||
                                k.richting == Klus::Richting::LokaalKopieren ||
                                k.richting == Klus::Richting::MapLokaal || k.richting == Klus::Richting::WissenLokaal;
            const qsizetype plek = k.doel.lastIndexOf(lokaal ? LokaalScheiding : QChar(u'/'));
            (lokaal ? r.lokaleMappen : r.serverMappen).insert(k.doel.left(std::max<qsizetype>(plek, 1)));
            break;
        }
        case Klus::Staat::Geannuleerd:
            // A file stopped while it ran was attempted and did not arrive; one that waited was not.
            if (begonnen) ++r.afgebroken;
            r.gestopt = true;
            break;
        default:
            ++r.mislukt;
            break;
        }
        --ronde.open;
        // Settled before the signal: a slot may stop or clear what it likes.
        if (ronde.open == 0) rondeAfronden(rid);
    }
    Q_EMIT klusGewijzigd(int(m_plek.value(id)));
    bezigZetten();
}

void Wachtrij::rondeAfronden(quint64 rid)
{
    const auto it = m_rondes.find(rid);
    if (it == m_rondes.end()) return;
    Ronde ronde = std::move(it->second);
    m_rondes.erase(it);
    for (const auto& [nummer, naam] : ronde.verplaatst)
        ronde.r.namen.push_back(naam);
    m_uitslagen[rid] = ronde.r;
    while (m_uitslagen.size() > BewaardeUitslagen)
        m_uitslagen.erase(m_uitslagen.begin());
    // Told once the queue's own bookkeeping is done: a callback may queue the next run, ask a
    // question or wait.
    ++m_teMelden;
    melden(rid, ronde.r, std::move(ronde.afgerond));
}

void Wachtrij::melden(quint64 rid, const Overdrachtsresultaat& r, Afgerond afgerond)
{
    // A callback refreshes the panes: not while their session is busy (a listing, the liveness
    // probe), whose nested wait this would run inside of.
    QTimer::singleShot(m_panelen.bezig() ? 20 : 0, this, [this, rid, r, afgerond = std::move(afgerond)] {
        if (m_panelen.bezig()) {
            melden(rid, r, afgerond);
            return;
        }
        Q_EMIT rondeAfgerond(rid, r);
        if (afgerond) afgerond(r);
        --m_teMelden;
    });
}

void Wachtrij::bezigZetten()
{
    const bool bezig = m_open > 0;
    if (bezig == m_bezig) return;
    m_bezig = bezig;
    Q_EMIT bezigGewijzigd(bezig);
}

void Wachtrij::stoppen(const std::function<bool(const Klus&)>& welke, bool ookLopend)
{
    QSet<quint64> wachtend;
    QSet<quint64> lopend;
    for (const Klus& k : m_klussen) {
        if (!welke(k)) continue;
        if (k.staat == Klus::Staat::Wachtend) wachtend.insert(k.id);
        if (k.staat == Klus::Staat::Lopend) lopend.insert(k.id);
        const auto it = m_rondes.find(k.ronde);
        if (it == m_rondes.end() || k.Afgehandeld()) continue;
        it->second.r.gestopt = true;
        if (ookLopend) it->second.r.geannuleerd = true;
    }
    const QSet<quint64> terug = m_pool->Terugnemen(wachtend) + m_lokaal->Terugnemen(wachtend);
    if (ookLopend) {
        // What a connection took meanwhile runs: it is cancelled as soon as it shows.
        QSet<quint64> afbreken = (wachtend - terug) + lopend;
        m_teAnnuleren += afbreken;
        this->afbreken(afbreken);
    }
    // One by one by number: handling one may end a run, whose callback comes later.
    for (const quint64 id : terug) {
        if (Klus* k = klus(id); k && !k->Afgehandeld()) afhandelen(*k, Klus::Staat::Geannuleerd);
    }
}

void Wachtrij::Escape()
{
    bool eerste = false;
    for (auto& [rid, ronde] : m_rondes) {
        if (!ronde.opties.tweetraps || ronde.escape) continue;
        ronde.escape = true;
        eerste = true;
        stoppen([r = rid](const Klus& k) { return k.ronde == r; }, false);
    }
    if (!eerste) Stoppen();
}

void Wachtrij::Stoppen()
{
    stoppen([](const Klus&) { return true; }, true);
}

void Wachtrij::RondeStoppen(quint64 ronde)
{
    stoppen([ronde](const Klus& k) { return k.ronde == ronde; }, true);
}

void Wachtrij::KlusStoppen(quint64 id)
{
    stoppen([id](const Klus& k) { return k.id == id; }, true);
}

quint64 Wachtrij::MisluktenOpnieuw()
{
    std::vector<quint64> ids;
    for (const Klus& k : m_klussen)
        // A name refused when the run was planned would be refused again.
        if (k.staat == Klus::Staat::Mislukt && !k.doel.isEmpty()) ids.push_back(k.id);
    if (ids.empty()) return 0;
    const quint64 rid = m_volgendeRonde++;
    Ronde& ronde = m_rondes[rid];
    if (!m_bezig) {
        m_voortgang.begin();
        m_mislukt = 0;
        m_overgeslagen = 0;
    }
    qint64 bytes = 0;
    for (const quint64 id : ids) {
        Klus& k = *klus(id);
        k.staat = Klus::Staat::Wachtend;
        k.ronde = rid;
        k.gedaan = 0;
        k.fout.clear();
        k.verbinding = -1;
        m_opnieuw.remove(id);
        ronde.klussen.push_back(id);
        bytes += std::max<qint64>(k.Omvang(), 0);
    }
    ronde.open = qint64(ids.size());
    m_open += ronde.open;
    m_voortgang.erbij(ronde.open, bytes);
    geven(ids, false);
    // Told once all is in place: a slot may stop the run or clear the list.
    for (const quint64 id : ids)
        if (m_plek.contains(id)) Q_EMIT klusGewijzigd(int(m_plek.value(id)));
    bezigZetten();
    return rid;
}

void Wachtrij::LijstWissen()
{
    std::erase_if(m_klussen, [](const Klus& k) { return k.Afgehandeld(); });
    m_plek.clear();
    for (qsizetype i = 0; i < qsizetype(m_klussen.size()); ++i)
        m_plek.insert(m_klussen[size_t(i)].id, i);
    Q_EMIT lijstVernieuwd();
}

void Wachtrij::Sluiten()
{
    Stoppen();
    m_pool->Sluiten();
}

QString Wachtrij::Bijschrift() const
{
    for (const auto& [rid, ronde] : m_rondes)
        if (!ronde.opties.bijschrift.isEmpty()) return ronde.opties.bijschrift;
    return {};
}

VoortgangStand Wachtrij::Stand() const
{
    VoortgangStand s = m_voortgang.stand();
    s.mislukt = m_mislukt;
    s.overgeslagen = m_overgeslagen;
    return s;
}

bool Wachtrij::ServermapInGebruik(const QString& map) const
{
    return std::any_of(m_klussen.begin(), m_klussen.end(), [&](const Klus& k) {
        if (k.Afgehandeld()) return false;
        const bool alleenLokaal = k.richting == Klus::Richting::LokaalKopieren ||
                                  k.richting == Klus::Richting::MapLokaal || k.richting == Klus::Richting::WissenLokaal;
        const bool bronOpServer = k.richting != Klus::Richting::Uploaden && !alleenLokaal;
        const bool doelOpServer = k.richting != Klus::Richting::Downloaden && !alleenLokaal;
        return (bronOpServer && Onder(k.bron, map, u'/')) || (doelOpServer && Onder(k.doel, map, u'/'));
    });
}

bool Wachtrij::LokalemapInGebruik(const QString& map) const
{
    return std::any_of(m_klussen.begin(), m_klussen.end(), [&](const Klus& k) {
        if (k.Afgehandeld()) return false;
        switch (k.richting) {
        case Klus::Richting::Downloaden:
            return Onder(k.doel, map, LokaalScheiding);
        case Klus::Richting::Uploaden:
            return Onder(k.bron, map, LokaalScheiding);
        case Klus::Richting::Kopieren:
            return Onder(k.werkkopie, map, LokaalScheiding);
        case Klus::Richting::LokaalKopieren:
            return Onder(k.bron, map, LokaalScheiding) || Onder(k.doel, map, LokaalScheiding);
        case Klus::Richting::Rechten:
            return false;
        case Klus::Richting::MapLokaal:
        case Klus::Richting::WissenLokaal:
            return Onder(k.doel, map, LokaalScheiding);
        case Klus::Richting::MapServer:
        case Klus::Richting::WissenServer:
            break;
        }
        return false;
    });
}

void Wachtrij::ZetAchtergrond(bool aan)
{
    if (aan == m_achtergrond) return;
    m_achtergrond = aan;
    Q_EMIT achtergrondGewijzigd(aan);
}

template <typename Signaal> void Wachtrij::wachtenTot(Signaal signaal, const std::function<bool()>& klaar)
{
    if (klaar()) return;
    QEventLoop lus;
    connect(this, signaal, &lus, [&] {
        if (klaar()) lus.quit();
    });
    connect(this, &Wachtrij::lijstVernieuwd, &lus, [&] {
        if (klaar()) lus.quit();
    });
    if (m_wachters++ == 0) Q_EMIT wachtenGewijzigd(true);
    lus.exec();
    if (--m_wachters == 0) Q_EMIT wachtenGewijzigd(false);
}

Overdrachtsresultaat Wachtrij::Wachten(quint64 ronde)
{
    wachtenTot(&Wachtrij::rondeAfgerond, [this, ronde] { return m_rondes.count(ronde) == 0; });
    const auto it = m_uitslagen.find(ronde);
    return it == m_uitslagen.end() ? Overdrachtsresultaat{} : it->second;
}

Klus::Staat Wachtrij::WachtenOpKlus(quint64 id)
{
    const auto afgehandeld = [this, id] {
        const Klus* k = KlusMet(id);
        return !k || k->Afgehandeld();
    };
    wachtenTot(&Wachtrij::klusGewijzigd, afgehandeld);
    const Klus* k = KlusMet(id);
    return k ? k->staat : Klus::Staat::Geannuleerd;
}

} // namespace Vamox
