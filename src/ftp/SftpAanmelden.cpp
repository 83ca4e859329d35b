// Logging in over SSH as a user of OpenSSH expects: the host key checked against known_hosts
// before anything of the user's goes out, then the agent, the private keys and the saved
// password, in that order.

#include "ftp/Aanmeldvragen.h"
#include "ftp/BekendeHosts.h"
#include "ftp/SftpProtocol.h"

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

bool Bevat(const std::vector<Hostsleutel>& sleutels, const Hostsleutel& sleutel)
{
    return std::find(sleutels.begin(), sleutels.end(), sleutel) != sleutels.end();
}

} // namespace

SftpProtocol::SftpProtocol(Sessiekern& kern) : m_kern(kern), m_verbinding(SftpInstellingen{}) {}

void SftpProtocol::Gegevens(const FtpGegevens& gegevens)
{
    if (gegevens.host != m_gegevens.host || gegevens.poort != m_gegevens.poort) {
        m_aanvaard.clear();
        m_verbinding.sluiten();
    }
    if (gegevens.gebruiker != m_gegevens.gebruiker || gegevens.host != m_gegevens.host) m_methode = {};
    m_gegevens = gegevens;
}

void SftpProtocol::Aanmelding(FtpAanmelding& uit) const
{
    uit.hostsleutel = m_bekend ? m_gezien : Hostsleutel{};
    uit.methode = m_methode;
}

void SftpProtocol::Overnemen(const FtpAanmelding& aanmelding)
{
    m_aanvaard.clear();
    if (!aanmelding.hostsleutel.leeg()) m_aanvaard.push_back(aanmelding.hostsleutel);
    m_methode = aanmelding.methode;
    m_gegevens = aanmelding.gegevens;
}

Uitkomst SftpProtocol::Aanmelden()
{
    return aanmelden(true);
}

bool SftpProtocol::hostsleutelOordeel(const Hostsleutel& sleutel, bool vragen)
{
    const QString& bestand = m_kern.Plaatsen().bekendeHosts;
    HostsleutelInfo info{.host = m_gegevens.host, .poort = m_gegevens.poort, .sleutel = sleutel, .bestand = bestand};
    m_gezien = sleutel;
    m_bekend = false;
    Aanmeldvragen& v = m_kern.Vragen();
    // A revoked key is never trusted, whatever other line trusts it.
    if (Bevat(m_ingetrokken, sleutel)) {
        if (vragen) v.HostsleutelMelding(Hostsleutelmelding::Ingetrokken, info);
        return false;
    }
    const BekendeHostsleutels bekend = BekendeHosts(bestand).opzoeken(m_gegevens.host, m_gegevens.poort);
    if (Bevat(bekend.sleutels, sleutel) || Bevat(m_aanvaard, sleutel)) {
        m_bekend = true;
        return true;
    }
    // Another key of its type trusted for the server: never accepted here. As with ssh, the user
    // removes the old line to trust a new key.
    for (const Hostsleutel& s : bekend.sleutels)
        if (s.type() == sleutel.type()) info.bekend = s;
    if (!info.bekend.leeg()) {
        if (vragen) v.HostsleutelGewijzigd(info);
        return false;
    }
    if (!vragen || !v.HostsleutelVertrouwen(info)) return false;
    // Trusted for this login even when the file cannot keep it; the user hears of that.
    if (!BekendeHosts(bestand).toevoegen(m_gegevens.host, m_gegevens.poort, sleutel))
        v.HostsleutelMelding(Hostsleutelmelding::NietOnthouden, info);
    m_aanvaard.push_back(sleutel);
    m_bekend = true;
    return true;
}

Uitkomst SftpProtocol::poging(const Sshmethode& methode, SftpUitkomst& uit)
{
    switch (methode.soort) {
    case Sshmethode::Soort::Agent:
        uit = m_verbinding.metAgent();
        break;
    case Sshmethode::Soort::Sleutel: {
        const QString publiek = methode.sleutel + QStringLiteral(".pub");
        uit = m_verbinding.metSleutel(methode.sleutel, methode.wachtwoordzin,
                                      QFileInfo::exists(publiek) ? publiek : QString());
        break;
    }
    case Sshmethode::Soort::Wachtwoord: {
        uit = m_verbinding.metWachtwoord(m_gegevens.wachtwoord);
        // Servers that take passwords only as keyboard-interactive answers.
        if (uit.fout == SftpFout::Geweigerd && m_verbinding.verbonden())
            uit = m_verbinding.metToetsenbord(m_gegevens.wachtwoord);
        break;
    }
    case Sshmethode::Soort::Geen:
        uit = {SftpFout::Geweigerd, {}, 0};
        break;
    }
    return naar(uit);
}

Uitkomst SftpProtocol::aanmelden(bool vragen)
{
    m_verbinding.sluiten();
    m_verbinding.doorgaan();
    if (vragen) m_geprobeerd.clear();
    const Vertrouwensplaatsen& plaatsen = m_kern.Plaatsen();
    HostsleutelInfo info{.host = m_gegevens.host, .poort = m_gegevens.poort, .bestand = plaatsen.bekendeHosts};
    // Before anything is sent: a file that cannot be read may hold a key that changed.
    const BekendeHostsleutels bekend = BekendeHosts(plaatsen.bekendeHosts).opzoeken(m_gegevens.host, m_gegevens.poort);
    if (!bekend.leesbaar) {
        if (vragen) m_kern.Vragen().HostsleutelMelding(Hostsleutelmelding::BestandOnleesbaar, info);
        Uitkomst u = Uitkomst::Met(Afloop::AanmeldenGeweigerd);
        u.fout = QStringLiteral("Het bestand met bekende servers kan niet worden gelezen");
        return u;
    }
    m_ingetrokken = bekend.ingetrokken;
    // The types known_hosts holds for the server first, as ssh asks: else a server with more than
    // one key would show one that counts as unknown.
    SftpInstellingen& instellingen = m_instellingen;
    instellingen.tijden = m_kern.Tijden();
    QStringList types;
    for (const Hostsleutel& k : bekend.sleutels)
        if (!types.contains(k.type())) types << k.type();
    for (const Hostsleutel& k : m_aanvaard)
        if (!types.contains(k.type())) types << k.type();
    for (const char* t : {"ssh-ed25519", "ecdsa-sha2-nistp256", "ecdsa-sha2-nistp384", "ecdsa-sha2-nistp521", "ssh-rsa"})
        if (!types.contains(QLatin1String(t))) types << QLatin1String(t);
    instellingen.hostsleuteltypes = types.join(u',').toLatin1();
    m_verbinding.instellen(instellingen);
    SftpUitkomst s = m_verbinding.verbinden(m_gegevens.host, m_gegevens.poort, m_gegevens.gebruiker,
                                            [this, vragen](const Hostsleutel& k) { return hostsleutelOordeel(k, vragen); });
    if (!s.ok()) {
        // A key not trusted is a refusal, not a connection that broke.
        if (!m_gezien.leeg() && !m_bekend) {
            Uitkomst u = Uitkomst::Met(Afloop::Geweigerd, s.tekst);
            u.fout = QStringLiteral("De sleutel van de server is niet vertrouwd");
            return u;
        }
        return naar(s);
    }

    // The way in of the last login first; the whole row when that no longer works.
    struct Kandidaat
    {
        Sshmethode methode;
        bool versleuteld = false;
    };
    std::vector<Kandidaat> kandidaten;
    if (m_methode.soort != Sshmethode::Soort::Geen) kandidaten.push_back({m_methode});
    if (vragen || m_methode.soort == Sshmethode::Soort::Geen) {
        if (!qEnvironmentVariableIsEmpty("SSH_AUTH_SOCK")) kandidaten.push_back({{.soort = Sshmethode::Soort::Agent}});
        // The keys ~/.ssh/config names for this host replace the usual ones, as with ssh.
        const std::vector<Privesleutel> sleutels = m_gegevens.sleutelbestanden.isEmpty()
                                                       ? Privesleutels(plaatsen.sleutelMap)
                                                       : Privesleutels(m_gegevens.sleutelbestanden);
        for (const Privesleutel& sleutel : sleutels) {
            if (sleutel.teOpen) {
                // Told once a run; the next way in is tried.
                if (vragen && !m_teOpenGemeld.contains(sleutel.pad)) {
                    m_teOpenGemeld.insert(sleutel.pad);
                    HostsleutelInfo sleutelInfo = info;
                    sleutelInfo.bestand = sleutel.pad;
                    m_kern.Vragen().HostsleutelMelding(Hostsleutelmelding::SleutelTeOpen, sleutelInfo);
                }
                continue;
            }
            kandidaten.push_back({{.soort = Sshmethode::Soort::Sleutel, .sleutel = sleutel.pad}, sleutel.versleuteld});
        }
        if (!m_gegevens.wachtwoord.isEmpty()) kandidaten.push_back({{.soort = Sshmethode::Soort::Wachtwoord}});
    }

    Uitkomst u = Uitkomst::Met(Afloop::AanmeldenGeweigerd);
    QStringList geprobeerd;
    for (std::size_t i = 0; i < kandidaten.size(); ++i) {
        Sshmethode methode = kandidaten[i].methode;
        const Sshmethode& eerste = kandidaten[0].methode;
        if (i > 0 && methode.soort == eerste.soort && methode.sleutel == eerste.sleutel) continue;
        if (kandidaten[i].versleuteld && methode.wachtwoordzin.isEmpty()) {
            // Asked once a run; an empty answer passes the key over.
            QString& zin = m_wachtwoordzinnen[methode.sleutel];
            if (zin.isEmpty() && vragen) zin = m_kern.Vragen().Wachtwoordzin(methode.sleutel);
            if (zin.isEmpty()) continue;
            methode.wachtwoordzin = zin;
        }
        // A server that closed the connection after a refusal gets a new one.
        if (!m_verbinding.verbonden()) {
            s = m_verbinding.verbinden(m_gegevens.host, m_gegevens.poort, m_gegevens.gebruiker,
                                       [this](const Hostsleutel& k) { return hostsleutelOordeel(k, false); });
            if (!s.ok()) return naar(s);
        }
        u = poging(methode, s);
        if (u.ok()) {
            m_methode = methode;
            m_geprobeerd.clear();
            return u;
        }
        if (s.fout == SftpFout::Geannuleerd) return u;
        if (s.fout != SftpFout::Geweigerd && s.fout != SftpFout::RsaSha1 && s.fout != SftpFout::Sleutel &&
            s.fout != SftpFout::Verbroken)
            return u;
        // A passphrase the server did not take is asked again next time.
        m_wachtwoordzinnen.remove(methode.sleutel);
        QString naam = MethodeNaam(methode);
        if (s.fout == SftpFout::RsaSha1) naam += QStringLiteral(": RSA-sleutel met SHA-1 niet aanvaard");
        if (!geprobeerd.contains(naam)) geprobeerd << naam;
    }
    m_methode = {};
    m_verbinding.sluiten();
    u = Uitkomst::Met(Afloop::AanmeldenGeweigerd);
    u.fout = QStringLiteral("Aanmelden geweigerd");
    if (!geprobeerd.isEmpty()) u.fout += QStringLiteral(" (geprobeerd: ") + geprobeerd.join(QStringLiteral(", ")) + u')';
    if (vragen) m_geprobeerd = geprobeerd;
    return u;
}

Uitkomst SftpProtocol::gereed()
{
    if (m_kern.Afbreken()) return Uitkomst::Met(Afloop::Afgebroken);
    m_verbinding.doorgaan();
    // The timeouts of this operation (a window's probe shortens them for itself).
    if (m_instellingen.tijden != m_kern.Tijden()) {
        m_instellingen.tijden = m_kern.Tijden();
        m_verbinding.instellen(m_instellingen);
    }
    if (m_verbinding.aangemeld()) return {};
    // Made anew as the last login went, asking nothing.
    return aanmelden(false);
}

} // namespace Vamox
