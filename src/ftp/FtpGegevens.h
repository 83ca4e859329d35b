#pragma once

// The plain data the session works with: where and as whom to log in, its timeouts, what a
// login learnt that another connection can reuse, and what a tree walk collects.

#include "ftp/SshSleutels.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace Vamox {

// Timeouts of the session; tests shorten them.
struct FtpTijden
{
    int verbindenS = 15;      // connect and login
    int antwoordS = 30;       // one reply of the server
    int stilstandS = 30;      // a transfer that moves no byte this long is given up
    int hervatPogingen = 3;   // a transfer whose connection broke is resumed this often
    int hervatPauzeMs = 1000; // before each resume
    bool operator==(const FtpTijden&) const = default;
};

// Explicit FTP over TLS (AUTH TLS, data connections protected too).
enum class TlsKeuze
{
    IndienBeschikbaar, // when the server offers it
    Alleen,            // no login without it
    Geen
};

// How the server is spoken to: FTP (with the TLS choice), or SFTP over SSH.
enum class Protocol
{
    Ftp,
    Sftp
};

// Where and as whom to log in: a saved server's details.
struct FtpGegevens
{
    QString host;
    QString gebruiker;
    QString wachtwoord;
    quint16 poort = 21;
    TlsKeuze tls = TlsKeuze::IndienBeschikbaar; // FTP only
    Protocol protocol = Protocol::Ftp;
    // SFTP: the private keys to offer instead of the usual ones of SshInstellingen::sleutelMap
    // (IdentityFile of ~/.ssh/config).
    QStringList sleutelbestanden;
};

// Every folder and file below a server folder, as FtpBoomLezen collects it.
struct FtpBoom
{
    struct Bestand
    {
        QString pad;        // "/a/b/c.txt"
        qint64 grootte = 0; // as listed
        int rechten = -1;   // as listed; -1 unknown
        bool link = false;  // a symbolic link, as the listing says
    };
    // Levels below the start that a walk lists: a server may list a folder as its own child
    // (a link loop, a broken server), so a walk stops somewhere, and says so.
    static constexpr int maxDiepte = 64;

    QStringList mappen; // "/a/b", each after its parent; the start folder itself is not in it
    QHash<QString, int> mapRechten; // the folders' permissions, where the listing gave them
    std::vector<Bestand> bestanden;
    qint64 totaal = 0;       // bytes of all files
    int mislukt = 0;         // folders not listed (failed, unnamable, too deep): what lies below is missing
    bool afgebroken = false; // cancelled (FtpSession::afbreken): the walk stopped where it was
};

// What another session needs to log in to the same server as this one: the details, the
// timeouts, where trusted certificates and host keys are kept, and what this session's login
// accepted (a certificate, a host key, the SSH method that got in), which the files may have
// failed to keep.
struct FtpAanmelding
{
    FtpGegevens gegevens;
    FtpTijden tijden;
    QString bekendeCertificatenPad;
    QByteArray pin;
    bool tls13 = false; // the server takes TLS 1.3 only
    QString sleutelMap;
    QString bekendeHostsPad;
    Hostsleutel hostsleutel;
    Sshmethode methode;
};

// What the caller knows of an upload's server file: one that may be there is replaced through a
// temporary name beside it, a new one goes up as it is (no question to the server first).
enum class Serverdoel
{
    Onbekend,
    Nieuw
};

} // namespace Vamox
