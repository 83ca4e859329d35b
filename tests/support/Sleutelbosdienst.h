#pragma once

#include <QString>

#include <sys/types.h>

namespace Vamox::Test {

// A desktop keyring of the test's own: a D-Bus session bus (dbus-daemon, nothing on it started on
// demand) and gnome-keyring-daemon's Secret Service on it, in a fresh home whose login collection
// is made and unlocked with a password read from its standard input. Both are direct children of
// the test process, stopped with SIGTERM when it ends.
//
// A process keeps the bus it first talked to, so there is one kind per process: the address is set
// before the first keyring call, and asking for another kind later in the same process fails the
// test (ctest runs each case in a process of its own).
class Sleutelbosdienst final
{
public:
    enum class Soort
    {
        Met,          // an unlocked keyring
        ZonderDienst, // a bus without a keyring on it
        ZonderBus     // no session bus at all
    };
    // The process's one, started at the first call; nullptr (and a test failure) when it cannot be.
    static Sleutelbosdienst* Voor(Soort soort);

    ~Sleutelbosdienst();
    Sleutelbosdienst(const Sleutelbosdienst&) = delete;
    Sleutelbosdienst& operator=(const Sleutelbosdienst&) = delete;

    // Locks the login collection, as the desktop does after a while or on a screen lock.
    bool vergrendelen();
    // Stops the keyring (SIGSTOP): it takes requests and never answers; `hervatten` lets it go on.
    void bevriezen();
    void hervatten();
    QString fout() const { return m_fout; }

private:
    explicit Sleutelbosdienst(Soort soort);
    bool starten();
    bool busStarten();
    bool sleutelbosStarten();

    Soort m_soort;
    QString m_map;
    pid_t m_bus = -1;
    pid_t m_sleutelbos = -1;
    bool m_bevroren = false;
    QString m_fout;
};

} // namespace Vamox::Test
