#pragma once

// SSH as OpenSSH's users know it: the server's host key with its fingerprint, the private keys in
// ~/.ssh, and how a login got in.

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace Vamox {

// A server's host key, as the server sends it: its type name first, then the key itself.
struct Hostsleutel
{
    QByteArray blob; // empty: none

    bool leeg() const { return blob.isEmpty(); }
    // "ssh-ed25519", "ecdsa-sha2-nistp256", "ssh-rsa": the name known_hosts lines carry.
    QString type() const;
    // "ED25519", "ECDSA", "RSA": as ssh names the key in its messages.
    QString soort() const;
    // "SHA256:" and the unpadded base64 of the key's SHA-256, as ssh prints it.
    QString vingerafdruk() const;
    bool operator==(const Hostsleutel&) const = default;
};

// What the user is told about a server's host key.
struct HostsleutelInfo
{
    QString host;
    quint16 poort = 22;
    Hostsleutel sleutel; // the one the server shows
    Hostsleutel bekend;  // a changed key: the one trusted before
    QString bestand;     // the known_hosts file
};

// Notices about host keys besides the question whether to trust one.
enum class Hostsleutelmelding
{
    BestandOnleesbaar, // known_hosts is there but cannot be read: not logged in
    NietOnthouden,     // the key the user trusted could not be written down (trusted this once)
    Ingetrokken,       // known_hosts marks the key as revoked: not logged in
    SleutelTeOpen      // `bestand` is a private key others may read: not used, as ssh refuses it
};

// How an SSH login got in, so that the next connection to the server goes in the same way.
struct Sshmethode
{
    enum class Soort
    {
        Geen,
        Agent,
        Sleutel,
        Wachtwoord
    };
    Soort soort = Soort::Geen;
    QString sleutel;       // Sleutel: the private key file
    QString wachtwoordzin; // its passphrase, when it has one
    bool operator==(const Sshmethode&) const = default;
};

// ~/.ssh of the user running the program.
QString StandaardSshMap();

// Where SSH keeps its trust and keys (tests point them elsewhere), and how the user is asked.
// The callbacks run on the session's thread; unset, a key is never trusted and a key with a
// passphrase is skipped.
struct SshInstellingen
{
    QString sleutelMap = StandaardSshMap();
    QString bekendeHostsPad = StandaardSshMap() + QStringLiteral("/known_hosts");
    std::function<bool(const HostsleutelInfo&)> vertrouwen;
    std::function<void(const HostsleutelInfo&)> gewijzigd;
    std::function<void(Hostsleutelmelding, const HostsleutelInfo&)> melding;
    // The passphrase of a private key file; empty skips the key.
    std::function<QString(const QString& sleutel)> wachtwoordzin;
};

// A private key file of the user's, in the order OpenSSH offers them.
struct Privesleutel
{
    QString pad;
    bool versleuteld = false; // needs a passphrase
    bool teOpen = false;      // group or others may read or write it: ssh would not use it
};

// A file's permissions as chmod writes them ("0644").
QString OctaleRechten(const QString& pad);

// The usual private keys (id_ed25519, id_ecdsa, id_rsa) present in `map`, readable (those that are
// too open among them, marked).
std::vector<Privesleutel> Privesleutels(const QString& map);
// Those of `paden` that are there and readable, in that order.
std::vector<Privesleutel> Privesleutels(const QStringList& paden);

// An SSH string at `positie` of `data`: four bytes of length, big-endian, then the bytes; `positie`
// moves past it. Empty, and `positie` kept, when `data` holds no whole string there.
QByteArray SshTekst(const QByteArray& data, qsizetype& positie);

} // namespace Vamox
