#pragma once

#include "ftp/FtpSession.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

// Where a saved server's password is kept. In the desktop's keyring by default: a password that
// still stands in the file of such a server is one not moved there yet.
enum class Wachtwoordplek
{
    Sleutelbos,
    Bestand, // in the configuration file, by the user's choice; stored as "1"
    Vragen   // not kept: asked at each login, remembered for the run; stored as "2"
};

// One saved server. Stored as one line: the six fields joined by Scheidingsteken, a seventh for a
// protocol choice other than the default, an eighth for a password place other than the default
// and a ninth for a time offset; lines without them read as the default, and they are written only
// when needed.
struct ServerRecord
{
    QString Naam; // unique among saved servers ignoring case
    QString FtpHost;
    QString Gebruikersnaam;
    QString Wachtwoord; // plain text; empty where the keyring holds it or it is asked
    QString FtpPoort;   // as text; an empty stored port reads as "21"
    QString Website;
    TlsKeuze Tls = TlsKeuze::IndienBeschikbaar; // stored as "1" (only TLS) or "2" (no TLS)
    bool Sftp = false;                          // stored as "3"; Tls is not used then
    Wachtwoordplek Plek = Wachtwoordplek::Sleutelbos;
    // How far the server's listed times run ahead of the local clock, in seconds; none: measured
    // where the server allows. Stored as "+2:00" in the ninth field.
    std::optional<int> Tijdverschil;

    bool operator==(const ServerRecord&) const = default;
};

enum class ServerVeld
{
    Naam,
    FtpHost,
    Gebruikersnaam,
    Wachtwoord,
    FtpPoort,
    Website
};

// A stored line as a record. Missing trailing fields are empty, an empty port is "21" ("22" for SFTP).
ServerRecord ServerRecordLezen(const QString& regel);

// The stored form: six fields, no separator at the end, then the protocol field and the password
// place when they are not the default (an empty protocol field before a password place).
QString ServerRecordRegel(const ServerRecord& server);

// False when the text cannot be stored in one field or settings line: the separator, CR or LF would
// split it when the file is read back.
bool VeldOpslaanbaar(const QString& tekst);

// The details a session logs in with; an unreadable port is the protocol's own.
FtpGegevens ServerGegevens(const ServerRecord& server);

// The first field that cannot be stored, if any.
std::optional<ServerVeld> OngeldigServerVeld(const ServerRecord& server);

// The name of a stored line: the text before the first separator.
QString ServerNaam(const QString& regel);

// Sorts ServerLijst by name ignoring case; the empty element 0 stays first.
void ServerLijstSorteren(QStringList& serverLijst);

// Index (1..n) of the server whose name equals `naam` exactly, or -1.
qsizetype ServerZoeken(const QStringList& serverLijst, const QString& naam);

} // namespace Vamox
