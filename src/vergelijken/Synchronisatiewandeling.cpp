#include "vergelijken/Synchronisatiewandeling.h"

#include "ftp/FtpSession.h"
#include "platform/Mapinlezen.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace Vamox {

struct Synchronisatiewandeling::Gedeeld
{
    Syncpaar paar;
    Synckeuzes keuzes;
    Serverklok klok;
    std::optional<Syncvorige> vorige;
    QString lokaleRootEcht; // the local root with its links resolved
    std::unique_ptr<QTemporaryDir> werkmap; // Criterium::Inhoud: where server files are fetched to

    std::mutex mutex;
    std::condition_variable werk;
    std::deque<Mapvergelijking::Submap> teDoen;
    int actief = 0; // folders being listed
    std::atomic<bool> stop{false};
    std::atomic<int> mislukt{0};
    std::atomic<int> geweigerd{0};
    std::atomic<int> links{0};
};

namespace {

QString ServerPad(const QString& root, const QString& rel)
{
    if (rel.isEmpty()) return root;
    return root.endsWith(u'/') ? root + rel : root + u'/' + rel;
}

// What a local folder holds as the comparison sees it; nothing when it cannot be read.
std::optional<std::vector<Vergelijkbaar>> LokaalLezen(const QString& map, const QString& rootEcht,
                                                      const Serverklok& klok)
{
    const QFileInfo info(map);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) return std::nullopt;
    Mapinlezer lezer(map);
    std::vector<FtpEntry> entries;
    while (lezer.Lezen(entries, 4096)) {
    }
    std::vector<Vergelijkbaar> uit;
    uit.reserve(entries.size());
    for (const FtpEntry& e : entries) {
        const QFileInfo f(map + u'/' + e.naam);
        if (f.isSymLink()) {
            // A linked folder is never walked; a linked file counts only inside the tree.
            if (e.isMap) continue;
            const QString doel = f.canonicalFilePath();
            if (doel.isEmpty() || !doel.startsWith(rootEcht + u'/')) continue;
        }
        uit.push_back(VergelijkbaarVan(e, klok));
    }
    return uit;
}

// Whether two files hold the same bytes; nothing when either cannot be read.
std::optional<bool> ZelfdeBytes(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly)) return std::nullopt;
    if (fa.size() != fb.size()) return false;
    constexpr qint64 Blok = 256 * 1024;
    for (;;) {
        const QByteArray x = fa.read(Blok), y = fb.read(Blok);
        if (x != y) return false;
        if (x.isEmpty())
            return fa.error() == QFileDevice::NoError && fb.error() == QFileDevice::NoError
                       ? std::optional<bool>(true)
                       : std::nullopt;
    }
}

// Criterium::Inhoud: every file of one size on both sides (and not left alone by both since the
// last synchronise) is fetched from the server into `werkmap` and its bytes compared with the
// local file's. A file that could not be fetched stays compared by time and size.
void InhoudToetsen(FtpSession& sessie, const QString& lokaleMap, const QString& serverMap, const QString& rel,
                   const Synckeuzes& keuzes, const Syncvorige* vorige, const QString& werkmap,
                   const std::atomic<bool>& stop, std::vector<Vergelijkbaar>& lokaal,
                   const std::vector<Vergelijkbaar>& server)
{
    QHash<QString, const Vergelijkbaar*> opServer;
    for (const Vergelijkbaar& v : server)
        if (!v.isMap) opServer.insert(v.naam, &v);
    const QString kopie = werkmap + u'/' + QString::number(quintptr(&sessie), 16);
    for (Vergelijkbaar& l : lokaal) {
        if (stop) return;
        const Vergelijkbaar* s = l.isMap ? nullptr : opServer.value(l.naam);
        if (!s || s->grootte != l.grootte || !SyncTelt(l, keuzes)) continue;
        if (vorige) {
            const auto e = vorige->bestanden.constFind(rel.isEmpty() ? l.naam : rel + u'/' + l.naam);
            if (e != vorige->bestanden.cend() && !LokaalGewijzigd(*e, l) && !ServerGewijzigd(*e, *s))
                continue;
        }
        if (sessie.FtpBestandHalen(kopie, ServerPad(serverMap, l.naam), s->grootte)) {
            if (const auto zelfde = ZelfdeBytes(lokaleMap + u'/' + l.naam, kopie))
                l.inhoud = *zelfde ? Inhoudtoets::Gelijk : Inhoudtoets::Anders;
        }
        QFile::remove(kopie);
    }
}

} // namespace

Synchronisatiewandeling::Synchronisatiewandeling(const FtpAanmelding& aanmelding, Syncpaar paar, Synckeuzes keuzes,
                                                 Serverklok klok, std::optional<Syncstaat> vorige, int verbindingen,
                                                 QObject* parent)
    : QObject(parent), m_aanmelding(aanmelding), m_gedeeld(std::make_shared<Gedeeld>()),
      m_verbindingen(std::clamp(verbindingen, 1, 16))
{
    paar.lokaal = ZonderEindscheiding(paar.lokaal);
    m_gedeeld->lokaleRootEcht = QFileInfo(paar.lokaal).canonicalFilePath();
    m_gedeeld->paar = std::move(paar);
    m_gedeeld->keuzes = std::move(keuzes);
    m_gedeeld->klok = klok;
    if (vorige) m_gedeeld->vorige.emplace(std::move(*vorige));
    if (m_gedeeld->keuzes.criterium == Criterium::Inhoud)
        m_gedeeld->werkmap = std::make_unique<QTemporaryDir>();
}

Synchronisatiewandeling::~Synchronisatiewandeling()
{
    Stoppen();
    // Each session waits for its loop as it goes.
    m_sessies.clear();
}

void Synchronisatiewandeling::Stoppen()
{
    m_gedeeld->stop = true;
    m_gedeeld->werk.notify_all();
    for (const auto& s : m_sessies)
        s->afbreken();
}

void Synchronisatiewandeling::Starten()
{
    if (m_bezig) return;
    m_bezig = true;
    m_gedeeld->teDoen.push_back({QString(), true, true});
    for (int i = 0; i < m_verbindingen; ++i) {
        auto sessie = std::make_unique<FtpSession>();
        FtpSession* rauw = sessie.get();
        m_sessies.push_back(std::move(sessie));
        ++m_levend;
        rauw->OpEigenDraad([this, g = m_gedeeld, rauw, aanmelding = m_aanmelding] {
            FtpSession& s = *rauw;
            bool ingelogd = s.FtpVerbindingOvernemen(aanmelding);
            while (ingelogd) {
                Mapvergelijking::Submap map;
                {
                    std::unique_lock lock(g->mutex);
                    g->werk.wait(lock, [&] { return g->stop || !g->teDoen.empty() || g->actief == 0; });
                    if (g->stop || g->teDoen.empty()) break;
                    map = std::move(g->teDoen.front());
                    g->teDoen.pop_front();
                    ++g->actief;
                }
                std::optional<std::vector<Vergelijkbaar>> server;
                QSet<QString> serverLinks;
                if (map.server) {
                    const QString pad = ServerPad(g->paar.server, map.rel);
                    auto entries = s.FtpMapLezen(pad);
                    // A connection that broke is made anew once before the folder counts as failed.
                    if (!entries && !g->stop && s.verbindingVerbroken() && s.FtpVerbindingOvernemen(aanmelding))
                        entries = s.FtpMapLezen(pad);
                    if (entries) {
                        server.emplace();
                        for (const FtpEntry& e : *entries) {
                            if (!VeiligeNaam(e.naam)) {
                                ++g->geweigerd;
                            } else if (e.isMap && e.isLink) {
                                // What a link leads to lies outside the pair: nothing is planned
                                // under its name on either side.
                                serverLinks.insert(e.naam);
                                ++g->links;
                            } else {
                                server->push_back(VergelijkbaarVan(e, g->klok));
                            }
                        }
                    }
                } else {
                    server.emplace();
                }
                std::optional<std::vector<Vergelijkbaar>> lokaal;
                const QString lokaleMap =
                    map.rel.isEmpty() ? g->paar.lokaal : g->paar.lokaal + u'/' + map.rel;
                if (map.lokaal)
                    lokaal = LokaalLezen(lokaleMap, g->lokaleRootEcht, g->klok);
                else
                    lokaal.emplace();
                if (lokaal && !serverLinks.isEmpty())
                    std::erase_if(*lokaal,
                                  [&](const Vergelijkbaar& v) { return serverLinks.contains(v.naam); });
                if (server && lokaal && g->werkmap && g->werkmap->isValid())
                    InhoudToetsen(s, lokaleMap, ServerPad(g->paar.server, map.rel), map.rel, g->keuzes,
                                  g->vorige ? &*g->vorige : nullptr, g->werkmap->path(), g->stop, *lokaal,
                                  *server);
                Mapvergelijking uitkomst;
                qint64 bestanden = 0;
                if (server && lokaal && !g->stop) {
                    uitkomst = MapSynchroniseren(map.rel, *lokaal, *server, g->keuzes,
                                                 g->vorige ? &*g->vorige : nullptr);
                    bestanden = qint64(lokaal->size() + server->size());
                } else {
                    ++g->mislukt;
                }
                {
                    std::lock_guard lock(g->mutex);
                    for (auto& sub : uitkomst.submappen)
                        g->teDoen.push_back(std::move(sub));
                    --g->actief;
                }
                g->werk.notify_all();
                uitkomst.submappen.clear();
                QMetaObject::invokeMethod(
                    this, [this, m = std::move(uitkomst), bestanden]() mutable { mapKlaar(std::move(m), bestanden); },
                    Qt::QueuedConnection);
            }
            g->werk.notify_all();
            if (ingelogd) s.FtpVerbindingSluiten();
            QMetaObject::invokeMethod(this, [this] { sessieKlaar(); }, Qt::QueuedConnection);
        });
    }
}

void Synchronisatiewandeling::mapKlaar(Mapvergelijking m, qint64 bestanden)
{
    ++m_mappen;
    m_bestanden += bestanden;
    m_staat.insert(m.staat);
    if (!m.regels.empty()) Q_EMIT regels(m.regels);
    Q_EMIT voortgang(m_mappen, m_bestanden);
}

void Synchronisatiewandeling::sessieKlaar()
{
    if (--m_levend > 0) return;
    m_bezig = false;
    bool over = false;
    {
        std::lock_guard lock(m_gedeeld->mutex);
        over = !m_gedeeld->teDoen.empty();
    }
    Einde e;
    e.mislukteMappen = m_gedeeld->mislukt + (over ? 1 : 0);
    e.geweigerd = m_gedeeld->geweigerd;
    e.links = m_gedeeld->links;
    e.volledig = !m_gedeeld->stop && e.mislukteMappen == 0;
    // What a folder not listed held is still remembered as it was.
    if (!e.volledig && m_gedeeld->vorige)
        for (auto it = m_gedeeld->vorige->bestanden.cbegin(); it != m_gedeeld->vorige->bestanden.cend(); ++it)
            if (!m_staat.contains(it.key())) m_staat.insert(it.key(), *it);
    e.staat = std::move(m_staat);
    Q_EMIT klaar(e);
}

} // namespace Vamox
