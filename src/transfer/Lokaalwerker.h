#pragma once

#include "transfer/Klus.h"
#include "transfer/Verbindingenpool.h"

#include <QObject>
#include <QSet>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace Vamox {

// Runs the queue's jobs that stay on the disk (copies from a local file to a local file) one after
// the other on a thread of its own: they need no connection, so they run whether a server is
// connected or not, and never wait behind the transfers.
class Lokaalwerker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Lokaalwerker)

public:
    explicit Lokaalwerker(QObject* parent = nullptr);
    ~Lokaalwerker() override; // cancels what runs and waits for it

    // As the pool's: behind the waiting jobs, or before them with `voorrang`.
    void Geven(const Klus& klus, bool voorrang);
    QSet<quint64> Terugnemen(const QSet<quint64>& ids);
    void Afbreken(const QSet<quint64>& ids);

Q_SIGNALS:
    void gestart(quint64 id, int verbinding);
    void voortgang(quint64 id, qint64 gedaan);
    void klaar(quint64 id, const Vamox::Verbindingenpool::Uitslag& uitslag);

private:
    struct Gedeeld;
    void draaien();

    std::shared_ptr<Gedeeld> m_gedeeld;
    std::thread m_draad;
};

// Copies the local file `klus.bron` to `klus.doel` through a temporary file beside it, which takes
// the target's place only once it is whole: a stop, a full disk or an unreadable source leave the
// target as it was. A job whose target is known to be new (Serverdoel::Nieuw: a numbered copy)
// never replaces a file that appeared meanwhile. A file copied onto itself stays as it is.
// `voortgang` hears the bytes written so far; `stop` ends the copy between two blocks.
Verbindingenpool::Uitslag LokaalKopieren(const Klus& klus, const std::atomic<bool>& stop,
                                         const std::function<void(qint64)>& voortgang = {});

} // namespace Vamox
