// How the session copes with what goes wrong on the way: certificates no trusted
// authority vouches for, and transfers whose connection broke.

#include "ftp/CurlHulp.h"
#include "ftp/CurlWerker.h"
#include "ftp/FtpOpdracht.h"

#include <chrono>
#include <thread>

namespace Vamox {

using namespace CurlHulp;

FtpSession::Uitkomst FtpSession::inloggen(const Opdracht& login)
{
    const bool tls = m_gegevens.tls != TlsKeuze::Geen;
    const BekendeCertificaten bekend(bekendeCertificatenPad);
    CertificaatInfo server;
    server.host = m_gegevens.host;
    server.poort = m_gegevens.poort;
    const auto melden = [this](Certificaatmelding m, const CertificaatInfo& info) {
        if (certificaatMelding) certificaatMelding(m, info);
    };
    m_pin.clear();
    if (tls) {
        // Before anything is sent: a file that cannot be read may hold this server's pin.
        using S = BekendePin::Staat;
        const BekendePin gevonden = bekend.opzoeken(m_gegevens.host, m_gegevens.poort);
        if (gevonden.staat == S::Onleesbaar || gevonden.staat == S::Ongeldig) {
            melden(gevonden.staat == S::Onleesbaar ? Certificaatmelding::BestandOnleesbaar
                                                   : Certificaatmelding::PinOngeldig,
                   server);
            m_verbroken = true;
            m_afgebroken = false;
            Uitkomst geweigerd;
            geweigerd.code = CURLE_LOGIN_DENIED;
            return geweigerd;
        }
        m_pin = gevonden.pin.isEmpty() ? m_overgenomenPin : gevonden.pin;
    }
    Uitkomst u = voer(login);
    if (tls && u.code == CURLE_SSL_CONNECT_ERROR && !m_tls13 && !m_werker->afbreken) {
        // Logins go out with TLS 1.2 at the most: under TLS 1.3 curl's data connections do not
        // take over the login's session as servers such as vsftpd demand, which then refuse
        // uploads (522) and cut downloads short. A server that takes nothing below 1.3 gets it.
        m_tls13 = true;
        m_werker->voerUit([this] { m_werker->sluitVerbindingen(); });
        u = voer(login);
    }
    if (!tls || u.ok() || m_werker->afbreken) return u;
    if (u.code == CURLE_USE_SSL_FAILED && !m_pin.isEmpty()) {
        // A pinned server requires TLS (see TlsZetten): one that answers AUTH with a refusal is
        // a downgrade, and curl stopped before the user name went out.
        melden(Certificaatmelding::GeenTls, server);
    } else if (u.code == CURLE_SSL_PINNEDPUBKEYNOTMATCH && !m_pin.isEmpty()) {
        // Never accepted here: the user removes the old one from the file to trust a new one.
        CertificaatInfo info = certificaatHalen().value_or(CertificaatInfo{});
        info.host = m_gegevens.host;
        info.poort = m_gegevens.poort;
        if (certificaatGewijzigd) certificaatGewijzigd(info);
    } else if (u.code == CURLE_PEER_FAILED_VERIFICATION && m_pin.isEmpty()) {
        const std::optional<CertificaatInfo> info = certificaatHalen();
        if (info && certificaatVertrouwen && certificaatVertrouwen(*info)) {
            // Trusted for this login even when the file cannot keep it; the user hears of that.
            if (!bekend.onthouden(*info)) melden(Certificaatmelding::NietOnthouden, *info);
            m_pin = info->pin;
            u = voer(login);
        }
    }
    return u;
}

std::optional<CertificaatInfo> FtpSession::certificaatHalen()
{
    Opdracht o;
    o.soort = Opdracht::Soort::Login;
    o.certificaatHalen = true;
    std::optional<CertificaatInfo> info = CertificaatLezen(voer(o).certificaat);
    if (info) {
        info->host = m_gegevens.host;
        info->poort = m_gegevens.poort;
    }
    return info;
}

bool FtpSession::hervatten(const Opdracht& opdracht, const Uitkomst& u, int poging)
{
    using S = Opdracht::Soort;
    if (opdracht.soort != S::Halen && opdracht.soort != S::Plaatsen) return false;
    if (poging > tijden.hervatPogingen || m_werker->afbreken) return false;
    // A short file the server called complete comes short again; an upload whose appending
    // went wrong is sent whole, and so is a download the server will not continue.
    const bool breuk = (Hervatbaar(u.code) && !u.kort) || u.code == CURLE_FTP_COULDNT_USE_REST;
    if (!breuk && !(opdracht.soort == S::Plaatsen && opdracht.aanvullen)) return false;
    const int pauzeMs = tijden.hervatPauzeMs;
    m_werker->voerUit([this, pauzeMs] {
        for (int ms = 0; ms < pauzeMs && !m_werker->afbreken; ms += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // The control connection may have gone with the data connection: log in anew.
        m_werker->sluitVerbindingen();
    });
    return !m_werker->afbreken;
}

} // namespace Vamox
