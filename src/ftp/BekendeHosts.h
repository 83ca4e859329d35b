#pragma once

// The host keys the user trusts, kept as OpenSSH keeps them (~/.ssh/known_hosts): plain and
// hashed host names, "[host]:port" for other ports than 22, wildcards and negations, and keys
// marked @revoked. A server the user trusts through ssh is trusted here too, and the other way
// round.

#include "ftp/SshSleutels.h"

#include <QString>

#include <vector>

namespace Vamox {

// What known_hosts says of one server.
struct BekendeHostsleutels
{
    bool leesbaar = true;                 // false: the file is there but cannot be read
    std::vector<Hostsleutel> sleutels;    // trusted for this host and port
    std::vector<Hostsleutel> ingetrokken; // marked @revoked (for any host)
};

class BekendeHosts final
{
public:
    explicit BekendeHosts(QString pad) : m_pad(std::move(pad)) {}

    BekendeHostsleutels opzoeken(const QString& host, quint16 poort) const;
    // Appends a line for the server in OpenSSH's form and leaves every other byte of the file as
    // it was; makes the file (0600) and its folder (0700) when missing. False when not written.
    bool toevoegen(const QString& host, quint16 poort, const Hostsleutel& sleutel) const;

    // The name a line carries for the server: the host, or "[host]:port" for another port than 22.
    static QString Naam(const QString& host, quint16 poort);
    // A known_hosts line for the server and key.
    static QByteArray Regel(const QString& host, quint16 poort, const Hostsleutel& sleutel);

private:
    QString m_pad;
};

} // namespace Vamox
