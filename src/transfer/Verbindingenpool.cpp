#include "transfer/Verbindingenpool.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Vamox {

struct Verbindingenpool::Gedeeld
{
    std::mutex mutex;
    std::condition_variable werk;   // the connections wait for files
    std::condition_variable nieuws; // the main thread waits for results and for room
    std::deque<Klus> wachtrij;
    std::deque<Uitslag> uitslagen;
    int levend = 0;   // logged in or logging in
    int wachtend = 0; // logged in and waiting for a file
    int bezig = 0;    // files running on a connection
    bool stoppen = false;
    std::vector<std::unique_ptr<FtpSession>> sessies;
    std::vector<std::thread> draden;
};

namespace {

// One connection of the pool: logs in, then moves files until the pool stops or its connection
// breaks.
template <typename Gedeeld, typename Klus>
void Verbinding(Gedeeld& g, FtpSession& sessie, const FtpAanmelding& aanmelding)
{
    const bool ingelogd = sessie.FtpVerbindingOvernemen(aanmelding);
    for (bool open = ingelogd; open;) {
        Klus klus;
        {
            std::unique_lock lock(g.mutex);
            ++g.wachtend;
            g.nieuws.notify_all();
            g.werk.wait(lock, [&] { return g.stoppen || !g.wachtrij.empty(); });
            --g.wachtend;
            if (g.wachtrij.empty()) break;
            klus = std::move(g.wachtrij.front());
            g.wachtrij.pop_front();
            ++g.bezig;
        }
        const bool gelukt = klus.doen(sessie);
        // A file the server refused says nothing of the connection; a broken one is not used again.
        open = gelukt || !sessie.verbindingVerbroken();
        {
            std::lock_guard lock(g.mutex);
            --g.bezig;
            if (!open && !klus.opnieuw) {
                klus.opnieuw = true;
                g.wachtrij.push_front(std::move(klus));
            } else {
                g.uitslagen.push_back({klus.nummer, gelukt});
            }
        }
    }
    {
        std::lock_guard lock(g.mutex);
        --g.levend;
    }
    g.nieuws.notify_all();
    g.werk.notify_all(); // a file put back goes to another connection
    // Closed here, so the connections of the pool say goodbye side by side.
    if (ingelogd) sessie.FtpVerbindingSluiten();
}

} // namespace

Verbindingenpool::Verbindingenpool(FtpSession& hoofd, int verbindingen, Afgehandeld afgehandeld)
    : m_hoofd(hoofd), m_afgehandeld(std::move(afgehandeld)), m_gedeeld(std::make_shared<Gedeeld>())
{
    Gedeeld& g = *m_gedeeld;
    const FtpAanmelding aanmelding = hoofd.aanmelding();
    const int aantal = std::max(verbindingen, 1);
    g.levend = aantal;
    // Made here, so they belong to this thread; each is used by its own connection thread only.
    for (int i = 0; i < aantal; ++i)
        g.sessies.push_back(std::make_unique<FtpSession>());
    for (int i = 0; i < aantal; ++i) {
        FtpSession* sessie = g.sessies[size_t(i)].get();
        g.draden.emplace_back(
            [&g, sessie, aanmelding] { Verbinding<Gedeeld, Klus>(g, *sessie, aanmelding); });
    }
}

Verbindingenpool::~Verbindingenpool()
{
    Gedeeld& g = *m_gedeeld;
    {
        std::lock_guard lock(g.mutex);
        g.stoppen = true;
        g.wachtrij.clear();
    }
    g.werk.notify_all();
    for (std::thread& draad : g.draden)
        draad.join();
}

void Verbindingenpool::wachten(const std::function<bool()>& klaar)
{
    Gedeeld& g = *m_gedeeld;
    const auto wacht = [&](const std::atomic<bool>* afbreken) {
        std::unique_lock lock(g.mutex);
        // The cancel flag is not one the pool can be woken by: looked at every few milliseconds.
        while (!klaar() && g.uitslagen.empty() && !(afbreken && *afbreken))
            g.nieuws.wait_for(lock, std::chrono::milliseconds(10));
        return afbreken && *afbreken;
    };
    bool afgebroken = false;
    if (!m_hoofd.Wachten([&](const std::atomic<bool>& afbreken) { afgebroken = wacht(&afbreken); }))
        wacht(nullptr);
    if (afgebroken) m_afgebroken = true;
}

void Verbindingenpool::uitslagenVerwerken()
{
    std::deque<Uitslag> binnen;
    {
        std::lock_guard lock(m_gedeeld->mutex);
        binnen.swap(m_gedeeld->uitslagen);
    }
    for (const Uitslag& u : binnen)
        m_afgehandeld(u.nummer, u.gelukt);
}

bool Verbindingenpool::zelfDoen()
{
    Gedeeld& g = *m_gedeeld;
    for (;;) {
        uitslagenVerwerken();
        Klus klus;
        {
            std::lock_guard lock(g.mutex);
            if (g.levend > 0 || g.wachtrij.empty()) return true;
            klus = std::move(g.wachtrij.front());
            g.wachtrij.pop_front();
        }
        const bool gelukt = klus.doen(m_hoofd);
        m_afgehandeld(klus.nummer, gelukt);
        if (!gelukt && m_hoofd.afgebroken()) {
            m_afgebroken = true;
            stoppen();
            return false;
        }
    }
}

bool Verbindingenpool::Geven(Klus klus)
{
    Gedeeld& g = *m_gedeeld;
    // A file goes out only to a connection that waits for one: a stop between files then stops
    // what has not begun, and the question of a file comes when its turn has come.
    const auto plek = [&] { return g.levend == 0 || qsizetype(g.wachtrij.size()) < g.wachtend; };
    for (;;) {
        uitslagenVerwerken();
        if (m_afgebroken) return false;
        {
            std::lock_guard lock(g.mutex);
            if (plek()) {
                g.wachtrij.push_back(std::move(klus));
                break;
            }
        }
        wachten(plek);
    }
    g.werk.notify_one();
    return zelfDoen();
}

void Verbindingenpool::stoppen()
{
    std::lock_guard lock(m_gedeeld->mutex);
    m_gedeeld->wachtrij.clear();
}

void Verbindingenpool::Afmaken()
{
    Gedeeld& g = *m_gedeeld;
    const auto klaar = [&] { return g.bezig == 0 && (g.wachtrij.empty() || g.levend == 0); };
    bool afgebroken = m_afgebroken;
    for (;;) {
        uitslagenVerwerken();
        if (!zelfDoen()) {
            afgebroken = true;
            break;
        }
        {
            std::lock_guard lock(g.mutex);
            if (klaar() && g.uitslagen.empty()) break;
        }
        m_afgebroken = false;
        wachten(klaar);
        if (m_afgebroken) {
            // A cancel now is more than "stop handing out": the files running stop too.
            afgebroken = true;
            stoppen();
            for (const auto& sessie : g.sessies)
                sessie->afbreken();
        }
    }
    uitslagenVerwerken();
    m_afgebroken = afgebroken;
}

} // namespace Vamox
