#pragma once

// One SSH connection with its SFTP channel, on libssh2 driven without blocking: every wait is a
// poll of at most 10 ms, so each timeout holds and afbreken() ends the running call at once.
// Blocking calls, one at a time, from one thread at a time; afbreken() from any thread.

#include "ftp/SftpGegevens.h"

#include <QStringList>

#include <memory>

namespace Vamox {

class SftpVerbinding final
{
public:
    explicit SftpVerbinding(const SftpInstellingen& instellingen = {});
    ~SftpVerbinding();
    SftpVerbinding(const SftpVerbinding&) = delete;
    SftpVerbinding& operator=(const SftpVerbinding&) = delete;

    // From the next call on (the host key types from the next connection on).
    void instellen(const SftpInstellingen& instellingen);

    // TCP (names, IPv4, IPv6) and the SSH handshake, then `oordeel` judges the server's key before
    // anything of the user's is sent; a key it refuses closes the connection (Geweigerd).
    SftpUitkomst verbinden(const QString& host, quint16 poort, const QString& gebruiker,
                           const Hostsleuteloordeel& oordeel);
    void sluiten();
    bool verbonden() const;
    bool aangemeld() const; // logged in, the SFTP channel open
    QByteArray serverVersie() const;

    // Ways in, one per call, in the caller's order. methoden() sends the user name and asks what
    // the server takes ("publickey", "password", ...); a server that takes none logs in there.
    SftpUitkomst methoden(QStringList& uit);
    SftpUitkomst metAgent();
    SftpUitkomst metSleutel(const QString& privaat, const QString& wachtwoordzin = {},
                            const QString& publiek = {});
    SftpUitkomst metWachtwoord(const QString& wachtwoord);
    SftpUitkomst metToetsenbord(const QString& wachtwoord); // keyboard-interactive

    SftpUitkomst stat(const SftpPad& pad, SftpAttributen& uit, bool volgen = true);
    SftpUitkomst echtPad(const SftpPad& pad, QByteArray& uit);
    SftpUitkomst mapMaken(const SftpPad& pad, int modus = 0755);
    SftpUitkomst mapWissen(const SftpPad& pad);
    SftpUitkomst wissen(const SftpPad& pad);
    // Never onto an existing name (BestaatAl), whatever the server's rename would do.
    SftpUitkomst hernoemen(const SftpPad& van, const SftpPad& naar);
    SftpUitkomst rechtenZetten(const SftpPad& pad, int modus);
    SftpUitkomst tijdZetten(const SftpPad& pad, qint64 mtime);
    // The entries in pieces as they come, without "." and ".."; links last, each with what it
    // leads to (one stat each, none for the rest).
    SftpUitkomst lijst(const SftpPad& map, const SftpLijstdeel& deel, const Lijstgrenzen& grenzen = {});
    // [vanaf, tot) of the file, tot < 0: to its end; Korter when it ends before tot.
    SftpUitkomst halen(const SftpPad& pad, const SftpSchrijver& schrijver, qint64 vanaf = 0, qint64 tot = -1,
                       const SftpVoortgang& voortgang = {});
    SftpUitkomst plaatsen(const SftpPad& pad, const SftpLezer& lezer, const Plaatsing& hoe = {},
                          const SftpVoortgang& voortgang = {});
    // Whether the server still answers, within `ms`.
    SftpUitkomst peilen(int ms = 5000);

    // Ends the running call as Geannuleerd and refuses every call until doorgaan(). What the
    // cancelled call left under way with the server is finished by the next call.
    void afbreken();
    void doorgaan();

    struct Binnen;

private:
    std::unique_ptr<Binnen> d;
};

} // namespace Vamox
