// Logging in over SSH as a user of OpenSSH expects: the host key checked against known_hosts
// before anything of the user's goes out, then the agent, the usual private keys and the saved
// password, in that order, each on a connection of its own.

#include "ftp/BekendeHosts.h"
#include "ftp/CurlWerker.h"
#include "ftp/FtpOpdracht.h"

#include <QFileInfo>

#include <algorithm>

namespace Vamox {

namespace {

QString MethodeNaam(const Sshmethode& m)
{
    switch (m.soort) {
    case Sshmethode::Soort::Agent:
        return QStringLiteral("SSH-agent");
    case Sshmethode::Soort::Sleutel:
        return QStringLiteral("sleutel ") + QFileInfo(m.sleutel).fileName();
    case Sshmethode::Soort::Wachtwoord:
        return QStringLiteral("wachtwoord");
    case Sshmethode::Soort::Geen:
        break;
    }
    return {};
}

} // namespace

void FtpSession::sshBekendeHostsSchrijven()
{
    // Only this server's lines, under the name curl looks for: libssh2 then judges the key as
    // OpenSSH would (hashed names, wildcards and ports were resolved here), and curl asks the
    // server for a key of the type known, which it takes from the first line.
    QByteArray inhoud;
    const BekendeHostsleutels bekend =
        BekendeHosts(ssh.bekendeHostsPad).opzoeken(m_gegevens.host, m_gegevens.poort);
    for (const Hostsleutel& sleutel : bekend.sleutels)
        inhoud += BekendeHosts::Regel(m_gegevens.host, m_gegevens.poort, sleutel);
    for (const Hostsleutel& sleutel : m_ssh->aanvaard)
        inhoud += BekendeHosts::Regel(m_gegevens.host, m_gegevens.poort, sleutel);
    m_ssh->controle.ingetrokken = bekend.ingetrokken;
    QTemporaryFile& bestand = m_ssh->bekendeHosts;
    if (!bestand.isOpen() && !bestand.open()) return;
    // Unwritten, it holds fewer keys than it should: nothing more is trusted for that.
    bestand.resize(0);
    bestand.seek(0);
    bestand.write(inhoud);
    bestand.flush();
}

FtpSession::Uitkomst FtpSession::sshInloggen(const Opdracht& login)
{
    m_geprobeerd.clear();
    Uitkomst geweigerd;
    geweigerd.code = CURLE_LOGIN_DENIED;
    HostsleutelInfo info{.host = m_gegevens.host, .poort = m_gegevens.poort, .bestand = ssh.bekendeHostsPad};
    // Before anything is sent: a file that cannot be read may hold a key that changed.
    if (!BekendeHosts(ssh.bekendeHostsPad).opzoeken(m_gegevens.host, m_gegevens.poort).leesbaar) {
        if (ssh.melding) ssh.melding(Hostsleutelmelding::BestandOnleesbaar, info);
        m_verbroken = true;
        m_afgebroken = false;
        m_fout = QStringLiteral("Het bestand met bekende servers kan niet worden gelezen");
        return geweigerd;
    }
    sshBekendeHostsSchrijven();

    // The way in of the last login first; the whole row when that no longer works.
    struct Kandidaat
    {
        Sshmethode methode;
        bool versleuteld = false;
    };
    std::vector<Kandidaat> kandidaten;
    if (m_ssh->methode.soort != Sshmethode::Soort::Geen) kandidaten.push_back({m_ssh->methode});
    if (!qEnvironmentVariableIsEmpty("SSH_AUTH_SOCK"))
        kandidaten.push_back({{.soort = Sshmethode::Soort::Agent}});
    // The keys ~/.ssh/config names for this host replace the usual ones, as with ssh.
    const std::vector<Privesleutel> sleutels = m_gegevens.sleutelbestanden.isEmpty()
                                                   ? Privesleutels(ssh.sleutelMap)
                                                   : Privesleutels(m_gegevens.sleutelbestanden);
    for (const Privesleutel& sleutel : sleutels) {
        if (sleutel.teOpen) {
            // Told once a run; the next way in is tried.
            if (ssh.melding && !m_ssh->teOpenGemeld.contains(sleutel.pad)) {
                m_ssh->teOpenGemeld.insert(sleutel.pad);
                HostsleutelInfo sleutelInfo = info;
                sleutelInfo.bestand = sleutel.pad;
                ssh.melding(Hostsleutelmelding::SleutelTeOpen, sleutelInfo);
            }
            continue;
        }
        kandidaten.push_back(
            {{.soort = Sshmethode::Soort::Sleutel, .sleutel = sleutel.pad}, sleutel.versleuteld});
    }
    if (!m_gegevens.wachtwoord.isEmpty()) kandidaten.push_back({{.soort = Sshmethode::Soort::Wachtwoord}});

    Uitkomst u = geweigerd;
    bool geprobeerd = false;
    for (std::size_t i = 0; i < kandidaten.size(); ++i) {
        Sshmethode methode = kandidaten[i].methode;
        const Sshmethode& eerste = kandidaten[0].methode;
        if (i > 0 && methode.soort == eerste.soort && methode.sleutel == eerste.sleutel) continue;
        if (kandidaten[i].versleuteld) {
            // Asked once a run; an empty answer passes the key over.
            QString& zin = m_ssh->wachtwoordzinnen[methode.sleutel];
            if (zin.isEmpty() && ssh.wachtwoordzin) {
                // The host key is settled before the user is asked for anything else: a
                // connection that offers nothing shows it.
                if (!m_ssh->controle.bekend) {
                    const Uitkomst proef = sshPoging(login, {});
                    if (!m_ssh->controle.bekend || m_werker->afbreken) {
                        u = proef;
                        break;
                    }
                }
                zin = ssh.wachtwoordzin(methode.sleutel);
            }
            if (zin.isEmpty()) continue;
            methode.wachtwoordzin = zin;
        }
        geprobeerd = true;
        u = sshPoging(login, methode);
        if (u.ok()) {
            m_ssh->methode = methode;
            m_geprobeerd.clear();
            return u;
        }
        if (u.code != CURLE_LOGIN_DENIED || m_werker->afbreken) break;
        // A passphrase the server did not take is asked again next time.
        m_ssh->wachtwoordzinnen.remove(methode.sleutel);
        if (!m_geprobeerd.contains(MethodeNaam(methode))) m_geprobeerd << MethodeNaam(methode);
    }
    m_ssh->methode = {};
    if (u.code != CURLE_LOGIN_DENIED) {
        m_geprobeerd.clear();
        return u;
    }
    if (!geprobeerd) {
        m_verbroken = true;
        m_afgebroken = false;
    }
    m_fout = QStringLiteral("Aanmelden geweigerd");
    if (!m_geprobeerd.isEmpty())
        m_fout += QStringLiteral(" (geprobeerd: ") + m_geprobeerd.join(QStringLiteral(", ")) + u')';
    return u;
}

FtpSession::Uitkomst FtpSession::sshPoging(const Opdracht& login, const Sshmethode& methode)
{
    m_ssh->methode = methode;
    m_ssh->controle.gezien = {};
    m_ssh->controle.bekend = m_ssh->controle.anderBekend = false;
    Uitkomst u = voer(login);
    if (u.code == CURLE_PEER_FAILED_VERIFICATION && !m_ssh->controle.gezien.leeg() && !m_werker->afbreken &&
        sshHostsleutelAanvaarden())
        u = voer(login);
    return u;
}

bool FtpSession::sshHostsleutelAanvaarden()
{
    const Sshcontrole& controle = m_ssh->controle;
    HostsleutelInfo info{.host = m_gegevens.host,
                         .poort = m_gegevens.poort,
                         .sleutel = controle.gezien,
                         .bestand = ssh.bekendeHostsPad};
    const auto& ingetrokken = controle.ingetrokken;
    if (std::find(ingetrokken.begin(), ingetrokken.end(), controle.gezien) != ingetrokken.end()) {
        if (ssh.melding) ssh.melding(Hostsleutelmelding::Ingetrokken, info);
        return false;
    }
    if (controle.bekend) return false; // trusted, yet refused: not a question of the key
    if (controle.anderBekend) {
        // Never accepted here: as with ssh, the user removes the old line to trust a new key.
        for (const Hostsleutel& sleutel :
             BekendeHosts(ssh.bekendeHostsPad).opzoeken(m_gegevens.host, m_gegevens.poort).sleutels)
            if (sleutel.type() == controle.gezien.type()) info.bekend = sleutel;
        if (ssh.gewijzigd) ssh.gewijzigd(info);
        return false;
    }
    if (!ssh.vertrouwen || !ssh.vertrouwen(info)) return false;
    // Trusted for this login even when the file cannot keep it; the user hears of that.
    if (!BekendeHosts(ssh.bekendeHostsPad).toevoegen(m_gegevens.host, m_gegevens.poort, info.sleutel)) {
        if (ssh.melding) ssh.melding(Hostsleutelmelding::NietOnthouden, info);
    }
    m_ssh->aanvaard.push_back(info.sleutel);
    sshBekendeHostsSchrijven();
    return true;
}

} // namespace Vamox
