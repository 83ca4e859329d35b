#include "transfer/Lokaalwerker.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace Vamox {

namespace {

constexpr qint64 Blok = 1 << 20;

Verbindingenpool::Uitslag Mislukt(const QString& fout)
{
    Verbindingenpool::Uitslag u;
    u.fout = fout;
    return u;
}

} // namespace

Verbindingenpool::Uitslag LokaalKopieren(const Klus& klus, const std::atomic<bool>& stop,
                                         const std::function<void(qint64)>& voortgang)
{
    const QFileInfo bron(klus.bron);
    if (!bron.isFile()) return Mislukt(QStringLiteral("Het bestand bestaat niet (meer)"));
    const QFileInfo doel(klus.doel);
    if (doel.exists()) {
        if (doel.canonicalFilePath() == bron.canonicalFilePath()) {
            Verbindingenpool::Uitslag u;
            u.gelukt = true;
            u.bytes = bron.size();
            return u;
        }
        if (klus.serverdoel == Serverdoel::Nieuw)
            return Mislukt(QStringLiteral("Er bestaat al een bestand met deze naam"));
        if (!doel.isFile()) return Mislukt(QStringLiteral("Er staat een map met deze naam"));
    }
    QFile in(klus.bron);
    if (!in.open(QIODevice::ReadOnly))
        return Mislukt(QStringLiteral("Kan het bestand niet lezen: ") + in.errorString());
    // A read-only target is replaced all the same, as a copy onto it always did.
    if (doel.exists())
        QFile::setPermissions(klus.doel,
                              QFile::permissions(klus.doel) | QFile::WriteOwner | QFile::WriteUser);
    QSaveFile uit(klus.doel);
    uit.setDirectWriteFallback(false);
    if (!uit.open(QIODevice::WriteOnly))
        return Mislukt(QStringLiteral("Kan niet schrijven: ") + uit.errorString());
    QByteArray blok(Blok, Qt::Uninitialized);
    qint64 gedaan = 0;
    for (;;) {
        if (stop) {
            uit.cancelWriting();
            Verbindingenpool::Uitslag u = Mislukt(QStringLiteral("Gestopt"));
            u.afgebroken = true;
            return u;
        }
        const qint64 gelezen = in.read(blok.data(), blok.size());
        if (gelezen < 0) {
            uit.cancelWriting();
            return Mislukt(QStringLiteral("Kan het bestand niet lezen: ") + in.errorString());
        }
        if (gelezen == 0) break;
        if (uit.write(blok.constData(), gelezen) != gelezen) {
            const QString waarom = uit.errorString();
            uit.cancelWriting();
            return Mislukt(QStringLiteral("Kan niet schrijven: ") + waarom);
        }
        gedaan += gelezen;
        if (voortgang) voortgang(gedaan);
    }
    // The copy keeps the source's permissions, as a copy on the disk does.
    uit.setPermissions(in.permissions());
    if (!uit.commit()) return Mislukt(QStringLiteral("Kan niet schrijven: ") + uit.errorString());
    Verbindingenpool::Uitslag u;
    u.gelukt = true;
    u.bytes = gedaan;
    return u;
}

struct Lokaalwerker::Gedeeld
{
    std::mutex mutex;
    std::condition_variable werk;
    std::deque<Klus> wachtrij;
    quint64 lopend = 0;
    std::atomic<bool> stop{false}; // for the running job
    bool sluiten = false;
};

Lokaalwerker::Lokaalwerker(QObject* parent) : QObject(parent), m_gedeeld(std::make_shared<Gedeeld>())
{
    m_draad = std::thread([this] { draaien(); });
}

Lokaalwerker::~Lokaalwerker()
{
    {
        std::lock_guard lock(m_gedeeld->mutex);
        m_gedeeld->sluiten = true;
        m_gedeeld->wachtrij.clear();
        m_gedeeld->stop = true;
    }
    m_gedeeld->werk.notify_all();
    m_draad.join();
}

void Lokaalwerker::Geven(const Klus& klus, bool voorrang)
{
    {
        std::lock_guard lock(m_gedeeld->mutex);
        if (voorrang)
            m_gedeeld->wachtrij.push_front(klus);
        else
            m_gedeeld->wachtrij.push_back(klus);
    }
    m_gedeeld->werk.notify_one();
}

QSet<quint64> Lokaalwerker::Terugnemen(const QSet<quint64>& ids)
{
    QSet<quint64> terug;
    std::lock_guard lock(m_gedeeld->mutex);
    std::erase_if(m_gedeeld->wachtrij, [&](const Klus& k) {
        if (!ids.contains(k.id)) return false;
        terug.insert(k.id);
        return true;
    });
    return terug;
}

void Lokaalwerker::Afbreken(const QSet<quint64>& ids)
{
    std::lock_guard lock(m_gedeeld->mutex);
    if (m_gedeeld->lopend != 0 && ids.contains(m_gedeeld->lopend)) m_gedeeld->stop = true;
}

void Lokaalwerker::draaien()
{
    Gedeeld& g = *m_gedeeld;
    for (;;) {
        Klus klus;
        {
            std::unique_lock lock(g.mutex);
            g.werk.wait(lock, [&] { return g.sluiten || !g.wachtrij.empty(); });
            if (g.sluiten) return;
            klus = std::move(g.wachtrij.front());
            g.wachtrij.pop_front();
            g.lopend = klus.id;
            g.stop = false;
        }
        const quint64 id = klus.id;
        // Told on the queue's thread; what is still queued when this object goes is dropped.
        QMetaObject::invokeMethod(
            this, [this, id] { Q_EMIT gestart(id, 0); }, Qt::QueuedConnection);
        qint64 gemeld = 0;
        const Verbindingenpool::Uitslag u = LokaalKopieren(klus, g.stop, [&](qint64 gedaan) {
            if (gedaan - gemeld < 4 * Blok) return;
            gemeld = gedaan;
            QMetaObject::invokeMethod(
                this, [this, id, gedaan] { Q_EMIT voortgang(id, gedaan); }, Qt::QueuedConnection);
        });
        {
            std::lock_guard lock(g.mutex);
            g.lopend = 0;
        }
        QMetaObject::invokeMethod(
            this, [this, id, u] { Q_EMIT klaar(id, u); }, Qt::QueuedConnection);
    }
}

} // namespace Vamox
