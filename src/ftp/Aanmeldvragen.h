#pragma once

// What a login may have to ask the user, and tell: about a certificate no authority vouches for
// (FTP over TLS), about a server's host key and a private key's passphrase (SFTP). One interface
// for all of them; a session without one trusts nothing new and skips keys that need a phrase.

#include "ftp/Certificaten.h"
#include "ftp/SshSleutels.h"

#include <QString>

namespace Vamox {

class Aanmeldvragen
{
public:
    virtual ~Aanmeldvragen() = default;

    // A certificate met for the first time: trust it (and remember it)?
    virtual bool CertificaatVertrouwen(const CertificaatInfo&) { return false; }
    // The server shows another certificate than the one trusted: never connected.
    virtual void CertificaatGewijzigd(const CertificaatInfo&) {}
    virtual void CertificaatMelding(Certificaatmelding, const CertificaatInfo&) {}

    // A host key met for the first time: trust it (and remember it)? Asked before any
    // credential goes out.
    virtual bool HostsleutelVertrouwen(const HostsleutelInfo&) { return false; }
    // The server shows another key than the one trusted: refused.
    virtual void HostsleutelGewijzigd(const HostsleutelInfo&) {}
    virtual void HostsleutelMelding(Hostsleutelmelding, const HostsleutelInfo&) {}
    // The passphrase of a private key file; empty skips the key.
    virtual QString Wachtwoordzin(const QString& /*sleutel*/) { return {}; }
};

// Where the trust of the logins is kept: the certificates trusted for FTP over TLS, and the keys
// and known hosts of SFTP as OpenSSH keeps them (tests point them elsewhere).
struct Vertrouwensplaatsen
{
    QString certificaten;
    QString sleutelMap = StandaardSshMap();
    QString bekendeHosts = StandaardSshMap() + QStringLiteral("/known_hosts");
    bool operator==(const Vertrouwensplaatsen&) const = default;
};

} // namespace Vamox
