#pragma once

#include "transfer/Klus.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace Vamox {

class FtpSession;
struct Poolgedeeld;

// The connections that move the transfer queue's files. Each is a session of its own whose loop
// runs on that session's own thread, logged in as the panes' session is (the same server, TLS and accepted certificate),
// and takes the next task as soon as it is free. Connections are opened when tasks come, stay
// logged in between runs and log out after a minute without work, or when told to close.
//
// A connection whose login the server refuses (a limit on logins per address) is left out: the
// pool shrinks to what the server allows, and when no connection of its own gets in, the tasks
// run one at a time on the panes' session, as a single-connection client would (then the window
// waits while each runs). A connection that breaks during a task is not used again.
//
// Lives on the thread that made it; its signals come on that thread.
class Verbindingenpool final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Verbindingenpool)

public:
    struct Uitslag
    {
        bool gelukt = false;
        bool verbroken = false;  // the connection broke (or could not be made): worth another go
        bool afgebroken = false; // cancelled
        qint64 bytes = 0;        // what the moved file holds
        QString fout;
    };

    // A file above this size is moved in parts over several connections at once, when the server
    // takes at least this long to answer a question about it; tests lower both.
    static constexpr qint64 StandaardDeeldrempel = 64LL * 1024 * 1024;
    static constexpr int StandaardDeelrondgangMs = 10;
    // A minute without work closes a connection; tests shorten it.
    static constexpr int StandaardLeegloopMs = 60'000;

    // `panelen` is the session whose login the connections copy, and the one tasks fall back on.
    explicit Verbindingenpool(FtpSession& panelen, QObject* parent = nullptr);
    ~Verbindingenpool() override; // cancels what runs, logs out

    // At most this many connections of its own (at least 1).
    void ZetAantal(int aantal);
    int Aantal() const { return m_aantal; }
    void ZetLeegloop(int ms) { m_leegloopMs = ms; }
    void ZetDeeldrempel(qint64 bytes, int rondgangMs = StandaardDeelrondgangMs);
    // FTP downloads in parts too. Off: each FTP part but the last costs a login and an aborted data
    // connection, and where one FTP stream fills the line (as it does on the lines measured so
    // far) the parts came out slower than the whole file over one connection.
    void ZetFtpDelen(bool aan);

    // Hands out a job: behind the waiting ones, or before them with `voorrang`.
    void Geven(const Klus& taak, bool voorrang);
    // Takes back the tasks among `ids` that have not begun; the ones taken back.
    QSet<quint64> Terugnemen(const QSet<quint64>& ids);
    // Cancels the running tasks among `ids` (they come back as klaar, afgebroken).
    void Afbreken(const QSet<quint64>& ids);
    // Logs every connection out once its running task is done; later tasks log in anew (for
    // another server, say).
    void Sluiten();

    // Connections logged in or logging in.
    int Levend() const;
    // Whether the tasks run on the panes' session (no connection of its own got in).
    bool DeeltSessie() const { return m_limiet == 0; }

Q_SIGNALS:
    // `verbinding`: 1..n for the pool's own connections, 0 for the panes' session.
    void gestart(quint64 id, int verbinding);
    void voortgang(quint64 id, qint64 gedaan);
    void klaar(quint64 id, const Vamox::Verbindingenpool::Uitslag& uitslag);

private:
    struct Verbinding;
    void aanvullen();
    void opruimen();
    void beeindigd(Verbinding* verbinding, bool ingelogd);
    void zelfDoen();
    int vrijNummer() const;

    FtpSession& m_panelen;
    std::shared_ptr<Poolgedeeld> m_gedeeld;
    std::vector<std::unique_ptr<Verbinding>> m_verbindingen;
    int m_aantal = 1;
    int m_limiet = -1; // connections the server allows; -1 not known yet
    int m_leegloopMs = StandaardLeegloopMs;
    quint64 m_zelfTaak = 0; // the task running on the panes' session
    qint64 m_zelfVerschuiving = 0;
    bool m_zelfGepland = false;
};

// Moves one task's file on `sessie`: the one place where a file of the queue is moved. `tweede`
// is told when a copy's second leg begins, with the bytes of the first.
Verbindingenpool::Uitslag KlusUitvoeren(FtpSession& sessie, const Klus& taak,
                                         const std::function<void(qint64)>& tweede = {});

} // namespace Vamox
