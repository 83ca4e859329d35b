// FTP's login (with TLS and the certificates no authority vouches for), its commands, its probe
// and the words of its failures.

#include "ftp/FtpProtocol.h"

#include "ftp/Aanmeldvragen.h"
#include "ftp/Certificaten.h"
#include "ftp/CurlHulp.h"
#include "ftp/FtpListing.h"
#include "ftp/FtpPaden.h"

namespace Vamox {

using namespace CurlHulp;

void FtpProtocol::Gegevens(const FtpGegevens& gegevens)
{
    if (gegevens.host != m_gegevens.host || gegevens.poort != m_gegevens.poort) m_tls13 = false;
    m_gegevens = gegevens;
}

Uitkomst FtpProtocol::Aanmelden()
{
    Opdracht login;
    login.soort = Opdracht::Soort::Login;
    login.quotes = {QStringLiteral("*FEAT")};
    Antwoord a = inloggen(login);
    if (!a.u.ok()) return a.u;
    m_mlsd = false;
    m_lijstA = LijstA::Onbekend;
    QStringList opties;
    for (const QByteArray& rauw : a.kopregels.split('\n')) {
        const QByteArray regel = rauw.trimmed().toUpper();
        if (regel.startsWith("MLST")) {
            m_mlsd = true;
            // Only the facts a listing reads: a large folder's listing is smaller and quicker
            // for the server to make.
            const QByteArray feiten = MlstFeiten(rauw);
            if (!feiten.isEmpty()) opties << QStringLiteral("*OPTS MLST ") + QString::fromLatin1(feiten);
        }
        if (regel == "UTF8") opties.prepend(QStringLiteral("*OPTS UTF8 ON"));
    }
    if (!opties.isEmpty()) commandos(opties);
    return a.u;
}

FtpProtocol::Antwoord FtpProtocol::inloggen(const Opdracht& login)
{
    const bool tls = m_gegevens.tls != TlsKeuze::Geen;
    const BekendeCertificaten bekend(m_kern.Plaatsen().certificaten);
    CertificaatInfo server;
    server.host = m_gegevens.host;
    server.poort = m_gegevens.poort;
    Aanmeldvragen& vragen = m_kern.Vragen();
    m_pin.clear();
    if (tls) {
        // Before anything is sent: a file that cannot be read may hold this server's pin.
        using S = BekendePin::Staat;
        const BekendePin gevonden = bekend.opzoeken(m_gegevens.host, m_gegevens.poort);
        if (gevonden.staat == S::Onleesbaar || gevonden.staat == S::Ongeldig) {
            vragen.CertificaatMelding(gevonden.staat == S::Onleesbaar ? Certificaatmelding::BestandOnleesbaar
                                                                      : Certificaatmelding::PinOngeldig,
                                      server);
            Antwoord geweigerd;
            geweigerd.code = CURLE_LOGIN_DENIED;
            geweigerd.u = Uitkomst::Met(Afloop::AanmeldenGeweigerd);
            return geweigerd;
        }
        m_pin = gevonden.pin.isEmpty() ? m_overgenomenPin : gevonden.pin;
    }
    Antwoord a = voerOpnieuw(login);
    const auto& afbreken = m_kern.Afbreken();
    if (tls && a.code == CURLE_SSL_CONNECT_ERROR && !m_tls13 && !afbreken) {
        // Logins go out with TLS 1.2 at the most: under TLS 1.3 curl's data connections do not
        // take over the login's session as servers such as vsftpd demand, which then refuse
        // uploads (522) and cut downloads short. A server that takes nothing below 1.3 gets it.
        m_tls13 = true;
        m_curl.sluiten();
        a = voerOpnieuw(login);
    }
    if (!tls || a.u.ok() || afbreken) return a;
    if (a.code == CURLE_USE_SSL_FAILED && !m_pin.isEmpty()) {
        // A pinned server requires TLS (see TlsZetten): one that answers AUTH with a refusal is
        // a downgrade, and curl stopped before the user name went out.
        vragen.CertificaatMelding(Certificaatmelding::GeenTls, server);
    } else if (a.code == CURLE_SSL_PINNEDPUBKEYNOTMATCH && !m_pin.isEmpty()) {
        // Never accepted here: the user removes the old one from the file to trust a new one.
        CertificaatInfo info = certificaatHalen().value_or(CertificaatInfo{});
        info.host = m_gegevens.host;
        info.poort = m_gegevens.poort;
        vragen.CertificaatGewijzigd(info);
    } else if (a.code == CURLE_PEER_FAILED_VERIFICATION && m_pin.isEmpty()) {
        const std::optional<CertificaatInfo> info = certificaatHalen();
        if (info && vragen.CertificaatVertrouwen(*info)) {
            // Trusted for this login even when the file cannot keep it; the user hears of that.
            if (!bekend.onthouden(*info)) vragen.CertificaatMelding(Certificaatmelding::NietOnthouden, *info);
            m_pin = info->pin;
            a = voerOpnieuw(login);
        }
    }
    return a;
}

std::optional<CertificaatInfo> FtpProtocol::certificaatHalen()
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

void FtpProtocol::Aanmelding(FtpAanmelding& uit) const
{
    uit.pin = m_pin.isEmpty() ? m_overgenomenPin : m_pin;
    uit.tls13 = m_tls13;
}

void FtpProtocol::Overnemen(const FtpAanmelding& aanmelding)
{
    m_overgenomenPin = aanmelding.pin;
    m_gegevens = aanmelding.gegevens;
    m_tls13 = aanmelding.tls13;
}

FtpProtocol::Antwoord FtpProtocol::commandos(const QStringList& regels)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Quote;
    o.quotes = regels;
    return voerOpnieuw(o);
}

bool FtpProtocol::Geslaagd(const Antwoord& a, qsizetype aantal, long verwachtMin, long verwachtMax)
{
    if (!a.u.ok() || a.antwoorden.size() < aantal) return false;
    // Every command must have succeeded: a failed RNFR must not count as a rename.
    const qsizetype eerste = a.antwoorden.size() - aantal;
    for (qsizetype i = eerste; i < a.antwoorden.size(); ++i) {
        const int code = a.antwoorden.at(i);
        if (i < a.antwoorden.size() - 1 ? code >= 400 : (code < verwachtMin || code > verwachtMax)) return false;
    }
    return true;
}

Uitkomst FtpProtocol::Bewerken(Handeling handeling, const QString& pad, const QString& tweede)
{
    QStringList regels;
    // "*": a refusal leaves the control connection as it was; the reply codes tell.
    switch (handeling) {
    case Handeling::Wissen:
        regels = {QStringLiteral("*DELE ") + pad};
        break;
    case Handeling::MapMaken:
        regels = {QStringLiteral("*MKD ") + pad};
        break;
    case Handeling::MapWissen:
        regels = {QStringLiteral("*RMD ") + pad};
        break;
    case Handeling::Hernoemen:
        regels = {QStringLiteral("*RNFR ") + pad, QStringLiteral("*RNTO ") + tweede};
        break;
    case Handeling::Rechten:
        regels = {QStringLiteral("*SITE CHMOD ") + tweede + u' ' + pad};
        break;
    }
    Antwoord a = commandos(regels);
    if (a.u.ok() && !Geslaagd(a, regels.size())) a.u.afloop = Afloop::Geweigerd;
    return a.u;
}

Uitkomst FtpProtocol::Stand(const QString& pad, bool tijd)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Quote;
    o.urlPad = FtpUrlPad(pad);
    o.tijdVragen = tijd;
    return voerOpnieuw(o).u;
}

Uitkomst FtpProtocol::Peilen()
{
    Antwoord a = commandos({QStringLiteral("NOOP")});
    if (a.u.ok() && !Geslaagd(a, 1)) a.u.afloop = Afloop::Geweigerd;
    return a.u;
}

Uitkomst FtpProtocol::Neutraal(Antwoord& a)
{
    Uitkomst& u = a.u;
    // Final reply lines are "nnn text"; continuation lines have "-" or a space after the code.
    for (const QByteArray& regel : a.kopregels.split('\n')) {
        if (regel.size() >= 4 && regel.at(3) == ' ') {
            bool ok = false;
            const int code = regel.left(3).toInt(&ok);
            if (ok) a.antwoorden.push_back(code);
        }
    }
    u.begonnen = u.begonnen || a.antwoorden.contains(150) || a.antwoorden.contains(125);
    switch (a.code) {
    case CURLE_OK:
        u.afloop = Afloop::Gelukt;
        break;
    case CURLE_ABORTED_BY_CALLBACK:
        u.afloop = Afloop::Afgebroken;
        break;
    case CURLE_LOGIN_DENIED:
        u.afloop = Afloop::AanmeldenGeweigerd;
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        u.afloop = Afloop::GeenVerbinding;
        break;
    case CURLE_WRITE_ERROR:
        u.afloop = Afloop::LokaalSchrijven;
        break;
    case CURLE_READ_ERROR:
        u.afloop = Afloop::LokaalLezen;
        break;
    case CURLE_FTP_COULDNT_USE_REST:
        u.afloop = Afloop::HervattenGeweigerd;
        break;
    case CURLE_REMOTE_FILE_NOT_FOUND:
        u.afloop = Afloop::NietGevonden;
        break;
    default:
        if (VerbindingVerloren(a.code, a.antwoord))
            u.afloop = Afloop::Verloren;
        else if (Hervatbaar(a.code))
            u.afloop = Afloop::Verbroken;
        else
            u.afloop = Afloop::Geweigerd;
        break;
    }
    // A 421 greeting: the server lets in no more connections from here (an idle connection's 421
    // comes on one made earlier).
    if (!u.ok() && a.nieuw && !a.antwoorden.isEmpty() && a.antwoorden.front() == 421) u.afloop = Afloop::Vol;
    // The server's own words, where it refused: its last reply line of 400 and up.
    const QList<QByteArray> regels = a.kopregels.split('\n');
    for (auto it = regels.rbegin(); it != regels.rend(); ++it) {
        const QByteArray regel = it->trimmed();
        if (regel.size() > 4 && regel.at(3) == ' ' && regel.at(0) >= '4' && regel.at(0) <= '5') {
            u.woorden = QString::fromUtf8(regel);
            break;
        }
    }
    if (u.woorden.isEmpty() && u.afloop == Afloop::Geweigerd)
        u.woorden = a.melding.isEmpty() ? QString::fromUtf8(curl_easy_strerror(a.code)) : QString::fromUtf8(a.melding);
    return u;
}

QString FtpProtocol::Fouttekst(const Uitkomst& u) const
{
    if (!u.woorden.isEmpty()) return u.woorden;
    if (u.afloop == Afloop::NietGevonden) return QStringLiteral("Niet gevonden op de server");
    return QStringLiteral("De verbinding is verbroken");
}

} // namespace Vamox
