#pragma once

// What an SFTP connection (SftpVerbinding) answers and takes: outcomes, attributes, entries,
// paths, settings, and the callbacks of transfers and listings.

#include "ftp/FtpGegevens.h"
#include "ftp/FtpListing.h"
#include "ftp/SshSleutels.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

namespace Vamox {

enum class SftpFout
{
    Geen,
    Verbroken, // no connection, or it broke or was closed: a new one may get further
    NietGevonden,
    GeenToegang,
    SchijfVol,
    BestaatAl,
    Geweigerd,      // refused: a login, the host key, any other status of the server
    Geannuleerd,    // afbreken(); the connection stays usable
    TijdVerstreken, // no answer in time, or a transfer that stood still: the connection is closed
    RsaSha1,        // the server knows the RSA key but takes no SHA-1 signature, the only kind made here
    Sleutel,        // the key file cannot be read: wrong passphrase, unknown format
    Lokaal,         // the caller's reader or writer failed, or the agent cannot be reached
    TeGroot,        // a listing passed its limits
    Korter          // the file ended before the range asked for
};

struct SftpUitkomst
{
    SftpFout fout = SftpFout::Geen;
    QString tekst;    // what went wrong in Dutch, libssh2's words behind it; empty after a success
    qint64 bytes = 0; // a transfer: bytes handed to the writer, or acknowledged by the server
    bool ok() const { return fout == SftpFout::Geen; }
};

struct SftpAttributen
{
    enum class Soort
    {
        Onbekend,
        Bestand,
        Map,
        Link,
        Anders
    };
    Soort soort = Soort::Onbekend;
    qint64 grootte = -1; // -1: not given
    qint64 mtime = -1;   // seconds since 1970, UTC
    qint64 atime = -1;
    int rechten = -1; // mode bits 07777
};

// One entry of a folder as the server sent it: the name's bytes and its attributes apart.
struct SftpEntry
{
    FtpEntry entry;          // as the lists show it: naam decoded as UTF-8, the date from mtime in UTC
    QByteArray naam;         // exactly the server's bytes (line breaks, invalid UTF-8, '/' and all)
    bool geldigeNaam = true; // valid UTF-8 without '/' or NUL: entry.naam names it
    bool link = false;       // a symbolic link: kind, size and date are its target's (when there is one)
    int rechten = -1;        // mode bits 07777; -1: not given
    qint64 mtime = -1;
};

// A server path as bytes: a QString goes as UTF-8, a name from a listing as the server sent it.
struct SftpPad
{
    QByteArray bytes;
    SftpPad(const QString& pad) : bytes(pad.toUtf8()) {}
    SftpPad(QByteArray pad) : bytes(std::move(pad)) {}
    SftpPad(const char* pad) : bytes(pad) {}
};

struct SftpInstellingen
{
    FtpTijden tijden;                // verbindenS, antwoordS, stilstandS
    qint64 leesblok = 2 << 20;       // per read call; libssh2 keeps four times that in flight, 8 MiB at most
    qint64 schrijfvenster = 8 << 20; // an upload keeps this much sent and not yet acknowledged
    QByteArray hostsleuteltypes;     // libssh2's order ("ssh-ed25519,ecdsa-sha2-nistp256"); empty: its own
};

// How an upload writes its file.
struct Plaatsing
{
    qint64 vanaf = 0;     // where the first byte goes
    bool afkappen = true; // false: what the file holds stays (resuming, a part among others)
    bool nieuw = false;   // refuse an existing file (BestaatAl)
    int modus = 0644;     // of a file made
};

using Hostsleuteloordeel = std::function<bool(const Hostsleutel&)>;
// Bytes at `positie` of the server file; false: they could not be kept (Lokaal).
using SftpSchrijver = std::function<bool(qint64 positie, const char* data, qint64 lengte)>;
// Up to `ruimte` bytes for `positie` of the server file; 0 at the end, < 0 when reading failed.
using SftpLezer = std::function<qint64(qint64 positie, char* data, qint64 ruimte)>;
using SftpVoortgang = std::function<void(qint64 gedaan)>;
using SftpLijstdeel = std::function<void(std::vector<SftpEntry>& deel)>;

// A device as writer or reader, sequential from where it stands.
SftpSchrijver NaarApparaat(QIODevice& apparaat);
SftpLezer UitApparaat(QIODevice& apparaat);

} // namespace Vamox
