#pragma once

#include "ftp/FtpSession.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Vamox {

// Moves the files of one run over sessions of their own beside the main session, which keeps the
// listings and the questions. Every connection logs in as the main session did (the same server,
// TLS and accepted certificate) on a thread of its own and takes the next file as soon as it is
// free. One whose login the server refuses is left out: the pool shrinks to what the server
// allows, and when no connection is left the main session moves the rest itself. A connection
// that breaks during a file is not used again; that file is handed out once more.
//
// The caller hands out files in run order from the thread that made the pool; results come back
// on that thread, in the order the files finish, while the main session counts as busy (its window
// blocks input and Escape reaches it as a cancel).
class Verbindingenpool final
{
public:
    // One file: what to do with it on a session (true: moved).
    struct Klus
    {
        qint64 nummer = 0; // place in the run, for the caller
        std::function<bool(FtpSession&)> doen;
        bool opnieuw = false; // handed out again after its connection broke
    };
    // Called with every file once it is handled: moved or failed for good.
    using Afgehandeld = std::function<void(qint64 nummer, bool gelukt)>;

    // Starts `verbindingen` connections (at least 1).
    Verbindingenpool(FtpSession& hoofd, int verbindingen, Afgehandeld afgehandeld);
    ~Verbindingenpool(); // waits for the running files
    Q_DISABLE_COPY_MOVE(Verbindingenpool)

    // Hands `klus` to the next connection that waits for a file, after waiting for one. False
    // when the main session was cancelled meanwhile (nothing handed out then; the files running
    // go on).
    bool Geven(Klus klus);
    // Waits until every file handed out is handled. A cancel of the main session meanwhile drops
    // the files not yet begun and cancels those running.
    void Afmaken();
    // Whether a cancel of the main session was seen while waiting.
    bool Afgebroken() const { return m_afgebroken; }

private:
    struct Gedeeld;
    struct Uitslag
    {
        qint64 nummer;
        bool gelukt;
    };
    // Waits (busy) until `klaar` holds, a result came in or the main session was cancelled.
    void wachten(const std::function<bool()>& klaar);
    void uitslagenVerwerken();
    // Without a connection left, the main session moves what waits.
    bool zelfDoen();
    void stoppen(); // drops the files not yet begun

    FtpSession& m_hoofd;
    Afgehandeld m_afgehandeld;
    std::shared_ptr<Gedeeld> m_gedeeld;
    bool m_afgebroken = false;
};

} // namespace Vamox
