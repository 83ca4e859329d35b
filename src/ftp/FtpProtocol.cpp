// Where FTP and SFTP differ for the operations they share: how an operation reaches the server
// (URL, login, TLS or SSH), which commands an action is, and how outcomes and failures read.

#include "ftp/CurlHulp.h"
#include "ftp/FtpOpdracht.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace Vamox {

using namespace CurlHulp;

namespace {

// Runs on the worker thread while curl connects, before anything of the user's goes out: only a
// key known_hosts trusts (and has not revoked) is let through. What was shown is kept for the
// question or the warning, which the session's own thread asks.
int HostsleutelBeoordelen(CURL*, const curl_khkey*, const curl_khkey* gevonden, curl_khmatch match, void* p)
{
    auto* controle = static_cast<Sshcontrole*>(p);
    controle->gezien.blob = gevonden->len ? QByteArray(gevonden->key, qsizetype(gevonden->len))
                                          : QByteArray::fromBase64(gevonden->key);
    const auto& ingetrokken = controle->ingetrokken;
    const bool afgewezen =
        std::find(ingetrokken.begin(), ingetrokken.end(), controle->gezien) != ingetrokken.end();
    // A revoked key is never known, whatever other line trusts it.
    controle->bekend = match == CURLKHMATCH_OK && !afgewezen;
    controle->anderBekend = match == CURLKHMATCH_MISMATCH;
    return controle->bekend ? CURLKHSTAT_FINE : CURLKHSTAT_REJECT;
}

void SshZetten(CURL* e, const Aansluiting& a)
{
    // Never left out: without a file curl would take any key. "/" is no file of keys, so nothing
    // would be known.
    curl_easy_setopt(e, CURLOPT_SSH_KNOWNHOSTS, a.bekendeHosts.isEmpty() ? "/" : a.bekendeHosts.constData());
    curl_easy_setopt(e, CURLOPT_SSH_KEYFUNCTION, &HostsleutelBeoordelen);
    curl_easy_setopt(e, CURLOPT_SSH_KEYDATA, a.controle);
    // One way in per connection, so the session decides the order (agent, keys, password). Key
    // files are always named: left out, curl would look in the real ~/.ssh itself.
    long soorten = CURLSSH_AUTH_NONE;
    switch (a.methode.soort) {
    case Sshmethode::Soort::Agent:
        soorten = CURLSSH_AUTH_AGENT;
        break;
    case Sshmethode::Soort::Sleutel: {
        soorten = CURLSSH_AUTH_PUBLICKEY;
        const QByteArray sleutel = QFile::encodeName(a.methode.sleutel);
        const QString publiek = a.methode.sleutel + QStringLiteral(".pub");
        curl_easy_setopt(e, CURLOPT_SSH_PRIVATE_KEYFILE, sleutel.constData());
        // Without the public half libssh2 derives it from the private key.
        curl_easy_setopt(e, CURLOPT_SSH_PUBLIC_KEYFILE,
                         QFileInfo::exists(publiek) ? QFile::encodeName(publiek).constData() : "");
        curl_easy_setopt(e, CURLOPT_KEYPASSWD, a.methode.wachtwoordzin.toUtf8().constData());
        break;
    }
    case Sshmethode::Soort::Wachtwoord:
        soorten = CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
        break;
    case Sshmethode::Soort::Geen:
        break;
    }
    curl_easy_setopt(e, CURLOPT_SSH_AUTH_TYPES, soorten);
}

// An argument of an SFTP command as curl reads it: quoted, with " and \ escaped.
QString Aanhalen(const QString& pad)
{
    QString uit = pad;
    uit.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + uit + u'"';
}

} // namespace

void VerbindingZetten(CURL* e, const Aansluiting& a, const QByteArray& urlPad, bool certificaatHalen)
{
    const FtpGegevens& g = a.gegevens;
    const bool sftp = g.protocol == Protocol::Sftp;
    const QByteArray host = g.host.contains(u':') ? '[' + g.host.toUtf8() + ']' : g.host.toUtf8();
    QByteArray pad = urlPad;
    if (sftp) {
        // The path of an sftp:// URL is the server's own: an absolute one follows the host as it is.
        if (pad.startsWith("%2F")) pad.remove(0, 3);
        while (pad.startsWith('/'))
            pad.remove(0, 1);
    }
    const QByteArray url =
        (sftp ? "sftp://" : "ftp://") + host + ':' + QByteArray::number(g.poort) + '/' + pad;
    curl_easy_setopt(e, CURLOPT_URL, url.constData());
    if (!g.gebruiker.isEmpty()) {
        curl_easy_setopt(e, CURLOPT_USERNAME, g.gebruiker.toUtf8().constData());
        curl_easy_setopt(e, CURLOPT_PASSWORD, g.wachtwoord.toUtf8().constData());
    }
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, long(a.tijden.verbindenS));
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(a.tijden.antwoordS));
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, long(a.tijden.stilstandS));
    curl_easy_setopt(e, CURLOPT_MAXAGE_CONN, kEenJaar);
    curl_easy_setopt(e, CURLOPT_TCP_NODELAY, 1L);
    if (sftp) {
        SshZetten(e, a);
        return;
    }
    curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(e, CURLOPT_TRANSFERTEXT, 0L);
    TlsZetten(e, g.tls, certificaatHalen ? QByteArray() : a.pin, certificaatHalen, a.hoogstens12);
}

QStringList FtpSession::regels(Handeling handeling, const QString& pad, const QString& tweede) const
{
    using H = Handeling;
    if (sftp()) {
        // curl runs these over SFTP; a failing one fails the operation, and the connection stays.
        switch (handeling) {
        case H::Wissen:
            return {QStringLiteral("rm ") + Aanhalen(pad)};
        case H::MapMaken:
            return {QStringLiteral("mkdir ") + Aanhalen(pad)};
        case H::MapWissen:
            return {QStringLiteral("rmdir ") + Aanhalen(pad)};
        case H::Hernoemen:
            return {QStringLiteral("rename ") + Aanhalen(pad) + u' ' + Aanhalen(tweede)};
        case H::Rechten:
            return {QStringLiteral("chmod ") + tweede + u' ' + Aanhalen(pad)};
        case H::Grootte:
            break;
        }
        return {};
    }
    // "*": a refusal leaves the control connection as it was; the reply codes tell.
    switch (handeling) {
    case H::Wissen:
        return {QStringLiteral("*DELE ") + pad};
    case H::MapMaken:
        return {QStringLiteral("*MKD ") + pad};
    case H::MapWissen:
        return {QStringLiteral("*RMD ") + pad};
    case H::Hernoemen:
        return {QStringLiteral("*RNFR ") + pad, QStringLiteral("*RNTO ") + tweede};
    case H::Rechten:
        return {QStringLiteral("*SITE CHMOD ") + tweede + u' ' + pad};
    case H::Grootte:
        // Binary: servers refuse SIZE after an ASCII listing.
        return {QStringLiteral("*TYPE I"), QStringLiteral("*SIZE ") + pad};
    }
    return {};
}

bool FtpSession::geslaagd(const Uitkomst& u, qsizetype aantal, long verwachtMin, long verwachtMax) const
{
    if (sftp() || !u.ok()) return u.ok();
    if (u.antwoorden.size() < aantal) return false;
    // Every command must have succeeded: a failed RNFR must not count as a rename.
    const qsizetype eerste = u.antwoorden.size() - aantal;
    for (qsizetype i = eerste; i < u.antwoorden.size(); ++i) {
        const int code = u.antwoorden.at(i);
        if (i < u.antwoorden.size() - 1 ? code >= 400 : (code < verwachtMin || code > verwachtMax))
            return false;
    }
    return true;
}

QString FtpSession::foutTekst(const Uitkomst& u) const
{
    if (u.geweigerd) return QStringLiteral("Er liep al een andere bewerking");
    if (u.kort) return QStringLiteral("Onvolledig overgekomen");
    switch (u.code) {
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("Geannuleerd");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("Aanmelden geweigerd");
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Geen verbinding met de server");
    case CURLE_WRITE_ERROR:
        return QStringLiteral("Het lokale bestand kan niet worden geschreven");
    case CURLE_READ_ERROR:
        return QStringLiteral("Het lokale bestand kan niet worden gelezen");
    default:
        break;
    }
    if (sftp()) {
        // SFTP gives a status, not words: ours, for the ones a user can act on.
        switch (u.code) {
        case CURLE_REMOTE_FILE_NOT_FOUND:
            return QStringLiteral("Niet gevonden op de server");
        case CURLE_REMOTE_ACCESS_DENIED:
            return QStringLiteral("Geen toegang op de server");
        case CURLE_REMOTE_DISK_FULL:
            return QStringLiteral("De schijf van de server is vol");
        case CURLE_PEER_FAILED_VERIFICATION:
            return QStringLiteral("De sleutel van de server is niet vertrouwd");
        case CURLE_QUOTE_ERROR:
        case CURLE_SSH:
            return QStringLiteral("De server weigerde de bewerking");
        default:
            break;
        }
    }
    // The server's own words, where it refused: its last reply line of 400 and up.
    const QList<QByteArray> regels = u.kopregels.split('\n');
    for (auto it = regels.rbegin(); it != regels.rend(); ++it) {
        const QByteArray regel = it->trimmed();
        if (regel.size() > 4 && regel.at(3) == ' ' && regel.at(0) >= '4' && regel.at(0) <= '5')
            return QString::fromUtf8(regel);
    }
    if (Hervatbaar(u.code)) return QStringLiteral("De verbinding is verbroken");
    return QString::fromUtf8(curl_easy_strerror(u.code));
}

QString FtpSession::onderbrokenTekst(const Uitkomst& u) const
{
    const QString breuk =
        QStringLiteral("Verbinding verbroken na %1 bytes").arg(QLocale().toString(u.onderbrokenNa));
    if (Hervatbaar(u.code) && !u.kort) return breuk;
    const QString reden = foutTekst(u);
    // A reply of the server's own ("502 ...") to the command that was to continue the file.
    if (reden.size() > 4 && reden.at(0).isDigit() && reden.at(3) == u' ')
        return breuk + QStringLiteral("; hervatten geweigerd door de server (") + reden + u')';
    return breuk + QStringLiteral(" (") + reden + u')';
}

} // namespace Vamox
