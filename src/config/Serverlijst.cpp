#include "config/Serverlijst.h"

namespace Vamox {

qsizetype NaamServerControleren(const QStringList& serverLijst, const QString& naam)
{
    const QString gezocht = naam.toLower().trimmed();
    for (qsizetype i = 1; i < serverLijst.size(); ++i) {
        if (ServerNaam(serverLijst.at(i)).toLower() == gezocht) return i;
    }
    return -1;
}

QString NaamServer(const QStringList& serverLijst, qsizetype n)
{
    if (n < 1 || n >= serverLijst.size()) return QString();
    return ServerNaam(serverLijst.at(n));
}

qsizetype ActiefServerNr(const QStringList& serverLijst, const QString& gekozen)
{
    const qsizetype n = ServerZoeken(serverLijst, gekozen);
    return n < 0 ? 1 : n;
}

ServerRecord ServerOpPlek(const QStringList& serverLijst, qsizetype n)
{
    return ServerRecordLezen(n >= 1 && n < serverLijst.size() ? serverLijst.at(n) : QString());
}

Serveropslag ServerOpslaan(QStringList& serverLijst, qsizetype huidig, ServerRecord server,
                           const ServerRecord* getypt)
{
    Serveropslag uit;
    server.Naam = server.Naam.trimmed();
    const ServerRecord& invoer = getypt ? *getypt : server;
    // SFTP may log in with keys only; a password asked at each login is not stored.
    const bool wachtwoordNodig = !invoer.Sftp && invoer.Plek != Wachtwoordplek::Vragen;
    for (const QString* verplicht : std::initializer_list<const QString*>{&server.Naam, &invoer.FtpHost, &invoer.Gebruikersnaam, &invoer.Wachtwoord}) {
        if (verplicht == &invoer.Wachtwoord && !wachtwoordNodig) continue;
        if (verplicht->trimmed().isEmpty()) {
            uit.fout = Serveropslag::Fout::Onvolledig;
            return uit;
        }
    }
    if ((uit.veld = OngeldigServerVeld(server))) {
        uit.fout = Serveropslag::Fout::Onopslaanbaar;
        return uit;
    }
    const QString regel = ServerRecordRegel(server);
    if (huidig >= 1 && huidig < serverLijst.size())
        serverLijst[huidig] = regel;
    else
        serverLijst.append(regel);
    ServerLijstSorteren(serverLijst);
    // The last of equal names: a list read from a file may hold two, and the new one sorts after.
    const QString naam = server.Naam.toLower();
    for (qsizetype i = serverLijst.size() - 1; i >= 1; --i) {
        if (ServerNaam(serverLijst.at(i)).toLower() == naam) {
            uit.plek = i;
            break;
        }
    }
    return uit;
}

void ServerVerwijderen(QStringList& serverLijst, qsizetype n)
{
    if (n < 1 || n >= serverLijst.size()) return;
    serverLijst.removeAt(n);
    ServerLijstSorteren(serverLijst);
}

} // namespace Vamox
