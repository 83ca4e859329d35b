#pragma once

#include "ftp/Aanmeldvragen.h"

#include <QString>

namespace Vamox {

// The known-certificates file beside the configuration file.
QString CertificatenBestand(const QString& cfgBestand);

// The questions and notices of a login in the message and input windows: certificates that no
// authority vouches for (kept in `certificaten`), SSH host keys and key passphrases.
class Aanmeldvensters final : public Aanmeldvragen
{
public:
    explicit Aanmeldvensters(QString certificaten) : m_certificaten(std::move(certificaten)) {}

    bool CertificaatVertrouwen(const CertificaatInfo& c) override;
    void CertificaatGewijzigd(const CertificaatInfo& c) override;
    void CertificaatMelding(Certificaatmelding m, const CertificaatInfo& c) override;
    bool HostsleutelVertrouwen(const HostsleutelInfo& h) override;
    void HostsleutelGewijzigd(const HostsleutelInfo& h) override;
    void HostsleutelMelding(Hostsleutelmelding m, const HostsleutelInfo& h) override;
    QString Wachtwoordzin(const QString& sleutel) override;

private:
    QString m_certificaten;
};

} // namespace Vamox
