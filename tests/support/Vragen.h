#pragma once

#include "ftp/Aanmeldvragen.h"
#include "ftp/FtpSession.h"

#include <functional>

namespace Vamox::Test {

// Answers a login's questions with the functions set (unset: as a session without questions).
struct Vragen final : Aanmeldvragen
{
    std::function<bool(const CertificaatInfo&)> certificaatVertrouwen;
    std::function<void(const CertificaatInfo&)> certificaatGewijzigd;
    std::function<void(Certificaatmelding, const CertificaatInfo&)> certificaatMelding;
    std::function<bool(const HostsleutelInfo&)> hostsleutelVertrouwen;
    std::function<void(const HostsleutelInfo&)> hostsleutelGewijzigd;
    std::function<void(Hostsleutelmelding, const HostsleutelInfo&)> hostsleutelMelding;
    std::function<QString(const QString&)> wachtwoordzin;

    bool CertificaatVertrouwen(const CertificaatInfo& c) override
    {
        return certificaatVertrouwen && certificaatVertrouwen(c);
    }
    void CertificaatGewijzigd(const CertificaatInfo& c) override
    {
        if (certificaatGewijzigd) certificaatGewijzigd(c);
    }
    void CertificaatMelding(Certificaatmelding m, const CertificaatInfo& c) override
    {
        if (certificaatMelding) certificaatMelding(m, c);
    }
    bool HostsleutelVertrouwen(const HostsleutelInfo& h) override
    {
        return hostsleutelVertrouwen && hostsleutelVertrouwen(h);
    }
    void HostsleutelGewijzigd(const HostsleutelInfo& h) override
    {
        if (hostsleutelGewijzigd) hostsleutelGewijzigd(h);
    }
    void HostsleutelMelding(Hostsleutelmelding m, const HostsleutelInfo& h) override
    {
        if (hostsleutelMelding) hostsleutelMelding(m, h);
    }
    QString Wachtwoordzin(const QString& sleutel) override { return wachtwoordzin ? wachtwoordzin(sleutel) : QString(); }
};

// One place of a session's trust changed, the others kept.
inline void SleutelMapZetten(FtpSession& s, const QString& map)
{
    Vertrouwensplaatsen p = s.plaatsen();
    p.sleutelMap = map;
    s.ZetPlaatsen(p);
}
inline void BekendeHostsZetten(FtpSession& s, const QString& pad)
{
    Vertrouwensplaatsen p = s.plaatsen();
    p.bekendeHosts = pad;
    s.ZetPlaatsen(p);
}
inline void CertificatenZetten(FtpSession& s, const QString& pad)
{
    Vertrouwensplaatsen p = s.plaatsen();
    p.certificaten = pad;
    s.ZetPlaatsen(p);
}
// The session's timeouts, changed by `f`.
inline void TijdenZetten(FtpSession& s, const std::function<void(FtpTijden&)>& f)
{
    FtpTijden t = s.tijden();
    f(t);
    s.ZetTijden(t);
}

} // namespace Vamox::Test
