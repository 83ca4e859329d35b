#pragma once

// A large file moved in parts over several of the pool's connections at once. Internal to
// Verbindingenpool: the connection that takes the job prepares the one temporary file, hands the
// other parts to the pool, moves parts itself while any wait, and checks and puts the whole in
// place once every part is in.

#include "transfer/Verbindingenpool.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

namespace Vamox {

struct Deelklus
{
    struct Deel
    {
        qint64 vanaf = 0;
        qint64 tot = 0;
        bool herkansing = false; // went out once more after its connection broke
        int vol = 0;             // times a connection could not log in again for it
    };
    Klus klus;
    qint64 grootte = 0;
    QString bestand; // the temporary file the parts go into: a local one, or the server's
    std::vector<Deel> delen;
    std::atomic<bool> afbreken{false};
    // Under Poolgedeeld::mutex:
    int open = 0;                        // parts not yet done
    std::vector<FtpSession*> lopend;     // the sessions moving a part now
    Verbindingenpool::Uitslag fout;      // of the first part that failed
    bool mislukt = false;
    std::vector<qint64> gezien; // the window's thread only: each part's bytes as last told
};

// What a connection of the pool takes: a job, or a part of one that is moved in parts.
struct Poolwerk
{
    Klus klus;
    std::shared_ptr<Deelklus> groot;
    int deel = -1;
};

struct Poolgedeeld
{
    std::mutex mutex;
    std::condition_variable werk; // the connections wait for work, a file's first one for its parts
    std::deque<Poolwerk> wachtrij;
    std::map<quint64, std::shared_ptr<Deelklus>> delen; // files in parts now, by job
    std::atomic<int> verbindingen{1};                   // what the pool may use at once
    std::atomic<qint64> drempel{Verbindingenpool::StandaardDeeldrempel};
    std::atomic<int> rondgangMs{Verbindingenpool::StandaardDeelrondgangMs};
    std::atomic<bool> ftpDelen{false};
};

// How the connection moving a part tells the window's thread.
struct Deelmelder
{
    std::function<void(const std::shared_ptr<Deelklus>&, int deel)> begint;
    std::function<void(bool compleet)> eindigt;
    std::function<void()> erbij; // parts wait: more connections may be opened
};

// Into how many parts the job goes on `sessie`; 1: whole.
int Deelaantal(FtpSession& sessie, const Klus& klus, const Poolgedeeld& g);
// The whole job, its parts over the pool.
Verbindingenpool::Uitslag DelenUitvoeren(FtpSession& sessie, Poolgedeeld& g, const Klus& klus, int delen,
                                         const Deelmelder& melder);
// How a part ended for the connection that moved it.
enum class Deeleinde
{
    Klaar,    // done, failed or stopped: the connection goes on
    Gebroken, // its connection broke: the part went back, the connection is not used again
    Vol       // the server would not let the connection in again: the part went back to those
              // that are in, and the server allows one fewer
};
// One part on whichever connection took it.
Deeleinde DeelUitvoeren(FtpSession& sessie, Poolgedeeld& g, const Poolwerk& werk, const Deelmelder& melder);
// Stops a file's parts (a cancel, or one part failed for good).
void DelenStoppen(Deelklus& d);

} // namespace Vamox
