#include "config/ServerRecord.h"

#include "ftp/FtpPaden.h"
#include "vergelijken/Tijdverschil.h"

namespace Vamox {

ServerRecord ServerRecordLezen(const QString& regel)
{
    // Eight separators more, so that a short line still yields nine fields.
    const QStringList velden = (regel + QString(8, Scheidingsteken)).split(Scheidingsteken);
    ServerRecord server{velden.at(0), velden.at(1), velden.at(2), velden.at(3), velden.at(4), velden.at(5)};
    const QString tls = velden.at(6).trimmed();
    if (tls == u'1') server.Tls = TlsKeuze::Alleen;
    if (tls == u'2') server.Tls = TlsKeuze::Geen;
    server.Sftp = tls == u'3';
    const QString plek = velden.at(7).trimmed();
    if (plek == u'1') server.Plek = Wachtwoordplek::Bestand;
    if (plek == u'2') server.Plek = Wachtwoordplek::Vragen;
    server.Tijdverschil = TijdverschilLezen(velden.at(8));
    if (server.FtpPoort.isEmpty())
        server.FtpPoort = server.Sftp ? QStringLiteral("22") : QStringLiteral("21");
    return server;
}

QString ServerRecordRegel(const ServerRecord& server)
{
    QStringList velden{server.Naam,       server.FtpHost,  server.Gebruikersnaam,
                       server.Wachtwoord, server.FtpPoort, server.Website};
    QString protocol;
    if (server.Sftp)
        protocol = QStringLiteral("3");
    else if (server.Tls != TlsKeuze::IndienBeschikbaar)
        protocol = server.Tls == TlsKeuze::Alleen ? QStringLiteral("1") : QStringLiteral("2");
    // Each later field only when it or one after it is not the default; the ones before it stay,
    // empty where they are the default.
    const QString plek = server.Plek == Wachtwoordplek::Sleutelbos ? QString()
                         : server.Plek == Wachtwoordplek::Bestand  ? QStringLiteral("1")
                                                                   : QStringLiteral("2");
    const QString verschil = server.Tijdverschil ? TijdverschilTekst(*server.Tijdverschil) : QString();
    const QStringList later{protocol, plek, verschil};
    qsizetype aantal = later.size();
    while (aantal > 0 && later.at(aantal - 1).isEmpty())
        --aantal;
    velden << later.mid(0, aantal);
    return velden.join(Scheidingsteken);
}

FtpGegevens ServerGegevens(const ServerRecord& server)
{
    FtpGegevens g{.host = server.FtpHost,
                  .gebruiker = server.Gebruikersnaam,
                  .wachtwoord = server.Wachtwoord,
                  .poort = quint16(server.Sftp ? 22 : 21),
                  .tls = server.Tls,
                  .protocol = server.Sftp ? Protocol::Sftp : Protocol::Ftp};
    bool poortOk = false;
    const uint poort = server.FtpPoort.trimmed().toUInt(&poortOk);
    if (poortOk && poort > 0 && poort <= 65535) g.poort = static_cast<quint16>(poort);
    return g;
}

bool VeldOpslaanbaar(const QString& tekst)
{
    for (const QChar c : tekst) {
        if (c == Scheidingsteken || c == u'\r' || c == u'\n') return false;
    }
    return true;
}

std::optional<ServerVeld> OngeldigServerVeld(const ServerRecord& server)
{
    const std::pair<ServerVeld, const QString*> velden[] = {
        {ServerVeld::Naam, &server.Naam},
        {ServerVeld::FtpHost, &server.FtpHost},
        {ServerVeld::Gebruikersnaam, &server.Gebruikersnaam},
        {ServerVeld::Wachtwoord, &server.Wachtwoord},
        {ServerVeld::FtpPoort, &server.FtpPoort},
        {ServerVeld::Website, &server.Website},
    };
    for (const auto& [veld, tekst] : velden) {
        if (!VeldOpslaanbaar(*tekst)) return veld;
    }
    return std::nullopt;
}

QString ServerNaam(const QString& regel)
{
    const qsizetype p = regel.indexOf(Scheidingsteken);
    return p < 0 ? regel : regel.left(p);
}

void ServerLijstSorteren(QStringList& serverLijst)
{
    TabelSorteren(serverLijst, true);
}

qsizetype ServerZoeken(const QStringList& serverLijst, const QString& naam)
{
    for (qsizetype i = 1; i < serverLijst.size(); ++i) {
        if (ServerNaam(serverLijst.at(i)) == naam) return i;
    }
    return -1;
}

} // namespace Vamox
