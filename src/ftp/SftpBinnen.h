#pragma once

// What SftpVerbinding's parts share: the libssh2 session, the waits and the calls left to finish.

#include "ftp/SftpVerbinding.h"

#include <QDeadlineTimer>

#include <libssh2.h>
#include <libssh2_sftp.h>

#include <atomic>
#include <deque>

namespace Vamox {

struct SftpVerbinding::Binnen
{
    // Answers of the waits besides libssh2's own codes.
    static constexpr int Afgebroken = -1000;
    static constexpr int Verlopen = -1001;

    SftpInstellingen instellingen;
    std::atomic<bool> afbreken{false};
    int fd = -1;
    LIBSSH2_SESSION* sessie = nullptr;
    LIBSSH2_SFTP* sftp = nullptr;
    QByteArray gebruiker;
    QByteArray banner;
    QByteArray wachtwoord; // the answer to keyboard-interactive prompts, during that call only
    // Calls a cancel left under way: libssh2 must see each one again, unchanged, until it answers,
    // before it is given anything else (a packet half sent, a reply not yet read).
    std::deque<std::function<int()>> nawerk;
    // Everything libssh2 allocates for the session, so that what it cannot free itself (the
    // handles still open, and what they hold, when a connection dies) goes with the session.
    struct Blok
    {
        Blok* vorige;
        Blok* volgende;
    };
    Blok geheugen{&geheugen, &geheugen};
    void geheugenVrijgeven();

    QDeadlineTimer antwoordTermijn() const
    {
        return QDeadlineTimer(qint64(instellingen.tijden.antwoordS) * 1000);
    }

    // One wait on the socket in the direction libssh2 is held up in, 10 ms at most. 0, or
    // Afgebroken / Verlopen.
    int wachten(const QDeadlineTimer& tot);
    // Calls `stap` until it no longer answers EAGAIN; Afgebroken or Verlopen leave it unfinished.
    template <class Stap> int herhalen(Stap&& stap, const QDeadlineTimer& tot)
    {
        for (;;) {
            const int rc = int(stap());
            if (rc != LIBSSH2_ERROR_EAGAIN) return rc;
            if (const int w = wachten(tot)) return w;
        }
    }
    // A request until its answer; a cancelled one goes to nawerk (then `daarna` with its answer),
    // one that times out ends the connection.
    int verzoek(std::function<int()> stap, std::function<void(int)> daarna = {},
                QDeadlineTimer tot = QDeadlineTimer(QDeadlineTimer::Forever));
    // Runs nawerk; ok when nothing is left under way.
    SftpUitkomst nawerkAfmaken();
    // Ready for an SFTP call: connected, logged in, not cancelled, nothing under way.
    SftpUitkomst gereed();

    // libssh2's answer as an outcome; whatever leaves the connection in doubt ends it.
    SftpUitkomst uitkomst(int rc, const QString& wat);
    QString libssh2Tekst() const;
    // Ends the connection at once, without a goodbye.
    void verbreken();

    LIBSSH2_SFTP_HANDLE* openen(const QByteArray& pad, unsigned long vlaggen, long modus, int soort, int& rc);
    // Closes a handle; cancelled, it is closed by the next call.
    int handvatSluiten(LIBSSH2_SFTP_HANDLE* h);
    int statEx(const QByteArray& pad, int soort, LIBSSH2_SFTP_ATTRIBUTES& attributen);
    bool bestaat(const QByteArray& pad); // lstat answers: the name is taken

    // After a successful login: the SFTP channel.
    SftpUitkomst sftpOpenen();
    SftpUitkomst voorAanmelden() const;
    // Whether the server would take this RSA key signed with SHA-2 (asked without a signature).
    bool rsaSha2Bekend(const QByteArray& blob);
};

inline SftpUitkomst SftpMislukt(SftpFout fout, const QString& tekst, qint64 bytes = 0)
{
    return {fout, tekst, bytes};
}

SftpAttributen AttributenVan(const LIBSSH2_SFTP_ATTRIBUTES& a);
// libssh2's allocator for a session of a Binnen (its abstract pointer).
void* SshNemen(std::size_t lengte, void** abstract);

} // namespace Vamox
