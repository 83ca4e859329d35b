#include "transfer/Verbindingenpool.h"

#include "fileops/Verwijderen.h"
#include "ftp/FtpSession.h"
#include "platform/Prullenbak.h"
#include "transfer/Delen.h"
#include "transfer/OverdrachtRonde.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace Vamox {

struct Verbindingenpool::Verbinding
{
    int nummer = 0;
    // Its loop runs on the session's own thread; the session's end waits for it.
    std::unique_ptr<FtpSession> sessie;
    std::atomic<bool> sluiten{false}; // log out once the running task is done
    // Main thread only, kept in the order the connection's notices arrive, so the bytes a
    // session reports belong to the task that was running when it reported them.
    quint64 lopend = 0;
    qint64 verschuiving = 0; // a copy's first leg, under the bytes of its second
    std::shared_ptr<Deelklus> groot; // the file whose part it moves now
    int deel = -1;
};

namespace {

// What a local file holds; nothing where there is no file.
qint64 LokaleBytes(const QString& pad)
{
    return std::max<qint64>(OverdrachtHulp::LokaleGrootte(pad), 0);
}

// A synchronise deletes without asking: the user ticked it in the checklist.
class ZonderVragen final : public Verwijdervragen
{
public:
    bool MapVerwijderen(const QString&, const Mapomvang&, bool) override { return true; }
};

// The jobs of a synchronise that move no file; nothing when the job moves one.
std::optional<Verbindingenpool::Uitslag> ZonderOverdracht(FtpSession& sessie, const Klus& taak)
{
    Verbindingenpool::Uitslag u;
    switch (taak.richting) {
    case Klus::Richting::MapLokaal:
        u.gelukt = QDir().mkpath(taak.doel);
        if (!u.gelukt) u.fout = QStringLiteral("Map niet gemaakt");
        return u;
    case Klus::Richting::WissenLokaal:
        u.gelukt = !QFileInfo::exists(taak.doel) || NaarPrullenbak(taak.doel);
        if (!u.gelukt) u.fout = QStringLiteral("Niet naar de prullenbak");
        return u;
    case Klus::Richting::MapServer:
        u.gelukt = sessie.FtpMapMaken(taak.doel) || sessie.ServerpadBestaat(taak.doel, true);
        break;
    case Klus::Richting::WissenServer:
        if (taak.isMap) {
            ZonderVragen ja;
            u.gelukt = ServermapVerwijderen(sessie, taak.doel, ja).resultaat.Gelukt();
        } else {
            u.gelukt = sessie.FtpBestandWissen(taak.doel);
        }
        break;
    default:
        return std::nullopt;
    }
    if (!u.gelukt) {
        u.afgebroken = sessie.afgebroken();
        u.verbroken = !u.afgebroken && sessie.verbindingVerbroken();
        u.fout = sessie.laatsteFout();
    }
    return u;
}

} // namespace

Verbindingenpool::Uitslag KlusUitvoeren(FtpSession& sessie, const Klus& taak,
                                        const std::function<void(qint64)>& tweede)
{
    if (auto ander = ZonderOverdracht(sessie, taak)) return *ander;
    Verbindingenpool::Uitslag u;
    switch (taak.richting) {
    case Klus::Richting::Downloaden:
        u.gelukt = sessie.FtpBestandHalen(taak.doel, taak.bron, taak.grootte);
        if (u.gelukt) u.bytes = LokaleBytes(taak.doel);
        break;
    case Klus::Richting::Uploaden:
        u.gelukt = sessie.FtpBestandPlaatsen(taak.bron, taak.doel, taak.serverdoel);
        if (u.gelukt) u.bytes = LokaleBytes(taak.bron);
        break;
    case Klus::Richting::Kopieren:
        // The copy fetched here goes up, never an older one of the same name.
        u.gelukt =
            !taak.werkkopie.isEmpty() && sessie.FtpBestandHalen(taak.werkkopie, taak.bron, taak.grootte);
        if (u.gelukt) {
            const qint64 eerste = LokaleBytes(taak.werkkopie);
            if (tweede) tweede(eerste);
            u.gelukt = sessie.FtpBestandPlaatsen(taak.werkkopie, taak.doel, taak.serverdoel);
            if (u.gelukt) u.bytes = 2 * eerste;
        }
        // The copy in between was this job's own.
        if (!taak.werkkopie.isEmpty()) QFile::remove(taak.werkkopie);
        break;
    case Klus::Richting::Rechten:
        u.gelukt = taak.rechten >= 0 &&
                   sessie.FtpRechtenZetten(taak.bron, QStringLiteral("%1").arg(taak.rechten & 07777, 3, 8, QChar(u'0')));
        break;
    case Klus::Richting::LokaalKopieren:
        // The queue gives these to its Lokaalwerker; here they could not be stopped.
        u.fout = QStringLiteral("Geen serveroverdracht");
        return u;
    default:
        break;
    }
    if (!u.gelukt) {
        u.afgebroken = sessie.afgebroken();
        u.verbroken = !u.afgebroken && sessie.verbindingVerbroken();
        u.fout = sessie.laatsteFout();
    }
    return u;
}

Verbindingenpool::Verbindingenpool(FtpSession& panelen, QObject* parent)
    : QObject(parent), m_panelen(panelen), m_gedeeld(std::make_shared<Poolgedeeld>())
{
    // A task on the panes' session reports its bytes there.
    connect(&m_panelen, &FtpSession::voortgang, this, [this](qint64 gedaan, qint64) {
        if (m_zelfTaak != 0) Q_EMIT voortgang(m_zelfTaak, m_zelfVerschuiving + gedaan);
    });
}

Verbindingenpool::~Verbindingenpool()
{
    {
        std::lock_guard lock(m_gedeeld->mutex);
        m_gedeeld->wachtrij.clear();
        for (const auto& v : m_verbindingen)
            v->sluiten = true;
        // Their parts are gone from the queue: the files in parts end as cancelled.
        for (auto& [id, d] : m_gedeeld->delen)
            DelenStoppen(*d);
    }
    m_gedeeld->werk.notify_all();
    for (const auto& v : m_verbindingen)
        v->sessie->afbreken();
    // Each session waits for its loop as it goes.
    m_verbindingen.clear();
}

void Verbindingenpool::ZetFtpDelen(bool aan)
{
    m_gedeeld->ftpDelen = aan;
}

void Verbindingenpool::ZetDeeldrempel(qint64 bytes, int rondgangMs)
{
    m_gedeeld->drempel = bytes;
    m_gedeeld->rondgangMs = rondgangMs;
}

void Verbindingenpool::ZetAantal(int aantal)
{
    m_aantal = std::clamp(aantal, 1, 64);
    aanvullen();
}

int Verbindingenpool::Levend() const
{
    return int(std::count_if(m_verbindingen.begin(), m_verbindingen.end(),
                             [](const auto& v) { return !v->sluiten; }));
}

void Verbindingenpool::Geven(const Klus& taak, bool voorrang)
{
    {
        std::lock_guard lock(m_gedeeld->mutex);
        if (voorrang)
            m_gedeeld->wachtrij.push_front({.klus = taak});
        else
            m_gedeeld->wachtrij.push_back({.klus = taak});
    }
    m_gedeeld->werk.notify_one();
    aanvullen();
}

QSet<quint64> Verbindingenpool::Terugnemen(const QSet<quint64>& ids)
{
    QSet<quint64> terug;
    std::lock_guard lock(m_gedeeld->mutex);
    // A part belongs to a file under way, which is cancelled, not taken back.
    std::erase_if(m_gedeeld->wachtrij, [&](const Poolwerk& w) {
        if (w.groot || !ids.contains(w.klus.id)) return false;
        terug.insert(w.klus.id);
        return true;
    });
    return terug;
}

void Verbindingenpool::Afbreken(const QSet<quint64>& ids)
{
    for (const auto& v : m_verbindingen)
        if (v->lopend != 0 && ids.contains(v->lopend)) v->sessie->afbreken();
    if (m_zelfTaak != 0 && ids.contains(m_zelfTaak)) m_panelen.afbreken();
    std::lock_guard lock(m_gedeeld->mutex);
    for (auto& [id, d] : m_gedeeld->delen)
        if (ids.contains(id)) DelenStoppen(*d);
}

void Verbindingenpool::Sluiten()
{
    {
        std::lock_guard lock(m_gedeeld->mutex);
        for (const auto& v : m_verbindingen)
            v->sluiten = true;
    }
    m_gedeeld->werk.notify_all();
    // The next server may allow more.
    m_limiet = -1;
}

int Verbindingenpool::vrijNummer() const
{
    for (int n = 1;; ++n) {
        const bool bezet = std::any_of(m_verbindingen.begin(), m_verbindingen.end(),
                                       [n](const auto& v) { return v->nummer == n && !v->sluiten; });
        if (!bezet) return n;
    }
}

void Verbindingenpool::aanvullen()
{
    qsizetype wachtend = 0;
    {
        std::lock_guard lock(m_gedeeld->mutex);
        wachtend = qsizetype(m_gedeeld->wachtrij.size());
    }
    if (wachtend == 0) return;
    if (m_limiet == 0) {
        if (!m_zelfGepland && m_zelfTaak == 0) {
            m_zelfGepland = true;
            QTimer::singleShot(0, this, &Verbindingenpool::zelfDoen);
        }
        return;
    }
    const int doel = m_limiet > 0 ? std::min(m_aantal, m_limiet) : m_aantal;
    m_gedeeld->verbindingen = doel;
    int levend = Levend();
    const int lopend = int(std::count_if(m_verbindingen.begin(), m_verbindingen.end(),
                                         [](const auto& v) { return !v->sluiten && v->lopend != 0; }));
    const FtpAanmelding aanmelding = m_panelen.aanmelding();
    while (levend < doel && levend < lopend + wachtend) {
        auto v = std::make_unique<Verbinding>();
        v->nummer = vrijNummer();
        // Made here, so its notices arrive on this thread; used by its own thread only.
        v->sessie = std::make_unique<FtpSession>();
        Verbinding* rauw = v.get();
        connect(v->sessie.get(), &FtpSession::voortgang, this, [this, rauw](qint64 gedaan, qint64) {
            if (rauw->groot) {
                // A part tells its place in the file; the file's progress is that of its parts.
                Deelklus& d = *rauw->groot;
                const Deelklus::Deel& deel = d.delen[size_t(rauw->deel)];
                d.gezien[size_t(rauw->deel)] = std::clamp<qint64>(gedaan - deel.vanaf, 0, deel.tot - deel.vanaf);
                qint64 som = 0;
                for (const qint64 n : d.gezien)
                    som += n;
                Q_EMIT voortgang(d.klus.id, som);
            } else if (rauw->lopend != 0) {
                Q_EMIT voortgang(rauw->lopend, rauw->verschuiving + gedaan);
            }
        });
        const int leegloop = m_leegloopMs;
        v->sessie->OpEigenDraad([g = m_gedeeld, rauw, aanmelding, leegloop, this] {
            FtpSession& sessie = *rauw->sessie;
            const bool ingelogd = sessie.FtpVerbindingOvernemen(aanmelding);
            bool gebroken = false, vol = false;
            const Deelmelder melder{
                .begint =
                    [this, rauw](const std::shared_ptr<Deelklus>& d, int deel) {
                        QMetaObject::invokeMethod(
                            this,
                            [rauw, d, deel] {
                                rauw->lopend = d->klus.id;
                                rauw->groot = d;
                                rauw->deel = deel;
                            },
                            Qt::QueuedConnection);
                    },
                .eindigt =
                    [this, rauw](bool compleet) {
                        QMetaObject::invokeMethod(
                            this,
                            [rauw, compleet] {
                                if (!rauw->groot) return;
                                const Deelklus::Deel& deel = rauw->groot->delen[size_t(rauw->deel)];
                                if (compleet) rauw->groot->gezien[size_t(rauw->deel)] = deel.tot - deel.vanaf;
                                rauw->groot.reset();
                                rauw->lopend = 0;
                            },
                            Qt::QueuedConnection);
                    },
                .erbij = [this] { QMetaObject::invokeMethod(this, [this] { aanvullen(); }, Qt::QueuedConnection); }};
            while (ingelogd) {
                Poolwerk werk;
                {
                    std::unique_lock lock(g->mutex);
                    g->werk.wait_for(lock, std::chrono::milliseconds(leegloop),
                                     [&] { return rauw->sluiten || !g->wachtrij.empty(); });
                    if (rauw->sluiten || g->wachtrij.empty()) break;
                    werk = std::move(g->wachtrij.front());
                    g->wachtrij.pop_front();
                }
                if (werk.groot) {
                    const Deeleinde einde = DeelUitvoeren(sessie, *g, werk, melder);
                    if (einde == Deeleinde::Klaar) continue;
                    gebroken = true;
                    vol = einde == Deeleinde::Vol;
                    break;
                }
                const Klus& taak = werk.klus;
                const quint64 id = taak.id;
                QMetaObject::invokeMethod(
                    this,
                    [this, rauw, id] {
                        rauw->lopend = id;
                        rauw->verschuiving = 0;
                        Q_EMIT gestart(id, rauw->nummer);
                    },
                    Qt::QueuedConnection);
                const int delen = Deelaantal(sessie, taak, *g);
                const Uitslag u = delen > 1 ? DelenUitvoeren(sessie, *g, taak, delen, melder)
                                            : KlusUitvoeren(sessie, taak, [this, rauw](qint64 eerste) {
                                                  QMetaObject::invokeMethod(
                                                      this, [rauw, eerste] { rauw->verschuiving = eerste; },
                                                      Qt::QueuedConnection);
                                              });
                QMetaObject::invokeMethod(
                    this,
                    [this, rauw, id, u] {
                        rauw->lopend = 0;
                        Q_EMIT klaar(id, u);
                    },
                    Qt::QueuedConnection);
                // A broken connection is not used again; another takes its place.
                if (u.verbroken) {
                    gebroken = true;
                    break;
                }
            }
            // What a failed upload left behind and could not remove then; a broken connection
            // tried that already, and a pool that closes does not wait for it.
            if (ingelogd && !gebroken && !rauw->sluiten) sessie.RestenOpruimen();
            if (ingelogd) sessie.FtpVerbindingSluiten();
            // Turned away at a fresh login as one that never got in: the server allows fewer.
            QMetaObject::invokeMethod(
                this, [this, rauw, in = ingelogd && !vol] { beeindigd(rauw, in); }, Qt::QueuedConnection);
        });
        m_verbindingen.push_back(std::move(v));
        ++levend;
    }
}

void Verbindingenpool::beeindigd(Verbinding* verbinding, bool ingelogd)
{
    const auto it = std::find_if(m_verbindingen.begin(), m_verbindingen.end(),
                                 [verbinding](const auto& v) { return v.get() == verbinding; });
    if (it == m_verbindingen.end()) return;
    const bool gesloten = (*it)->sluiten;
    (*it)->sluiten = true;
    m_verbindingen.erase(it);
    // A login refused while others got in: the server allows no more than are left. Whether
    // logins were refused before this one was asked to close does not matter then.
    if (!ingelogd && !gesloten) m_limiet = Levend();
    aanvullen();
}

void Verbindingenpool::zelfDoen()
{
    m_zelfGepland = false;
    if (m_limiet != 0 || m_zelfTaak != 0) return;
    if (m_panelen.bezig()) {
        // A listing of the panes runs: the task goes once it is done.
        m_zelfGepland = true;
        QTimer::singleShot(20, this, &Verbindingenpool::zelfDoen);
        return;
    }
    Klus taak;
    {
        std::lock_guard lock(m_gedeeld->mutex);
        // Parts of a file under way are left to its connection.
        const auto it = std::find_if(m_gedeeld->wachtrij.begin(), m_gedeeld->wachtrij.end(),
                                     [](const Poolwerk& w) { return !w.groot; });
        if (it == m_gedeeld->wachtrij.end()) return;
        taak = std::move(it->klus);
        m_gedeeld->wachtrij.erase(it);
    }
    m_zelfTaak = taak.id;
    m_zelfVerschuiving = 0;
    Q_EMIT gestart(taak.id, 0);
    QPointer<Verbindingenpool> zelf(this);
    const Uitslag u = KlusUitvoeren(m_panelen, taak, [this](qint64 eerste) { m_zelfVerschuiving = eerste; });
    if (!zelf) return;
    m_zelfTaak = 0;
    Q_EMIT klaar(taak.id, u);
    aanvullen();
}

} // namespace Vamox
