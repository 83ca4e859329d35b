#pragma once

#include "config/ServerRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Vamox {

struct SshConfig;

// A server found in another program's saved servers, as it would be saved here. Its password, if
// it has one, goes to the keyring when it is imported.
struct Importserver
{
    ServerRecord server;
    QString toelichting; // where it stood or what else is known: "Klanten/", "HostName 10.0.0.5"
    QString weigering;   // why it cannot be imported; empty when it can
};

struct Import
{
    QString soort; // "FileZilla", "WinSCP", "OpenSSH"
    QString fout;  // the file as a whole could not be read: why (nothing is imported then)
    QList<Importserver> servers;
    QStringList meldingen; // what was left out
};

// FileZilla's sitemanager.xml: sites in folders, protocol numbers, passwords plain or base64.
Import FileZillaLezen(const QByteArray& inhoud);
// WinSCP's WinSCP.ini: the [Sessions\...] sections; passwords only where stored in the clear.
Import WinScpLezen(const QByteArray& inhoud);
// ~/.ssh/config: each Host that names one host, with what the whole file says for it.
Import SshConfigImporteren(const SshConfig& config);
// The file at `pad`, its kind told by its content.
Import ImportLezen(const QString& pad);

// What the preview proposes for one found server.
struct Importvoorstel
{
    QString naam;       // unique among the saved servers and the other proposals
    bool kiesbaar = false;
    bool aangevinkt = false;
    QString opmerking; // the refusal, "al opgeslagen als ...", or the renaming
};
// Names made unique against `serverLijst` (ServerLijst, element 0 empty) and each other, ignoring
// case; a server already saved (same protocol, host, port and user) is proposed unchecked.
QList<Importvoorstel> ImportVoorstellen(const QList<Importserver>& servers, const QStringList& serverLijst);

} // namespace Vamox
