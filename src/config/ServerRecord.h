#pragma once

#include "ftp/FtpSession.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

// One saved server. Stored as one line: the six fields joined by Scheidingsteken, a seventh for a
// protocol choice other than the default, and a ninth for a time offset (lines without them read
// as the default and no offset; an eighth field is kept for what comes).
struct ServerRecord
{
    QString Naam; // unique among saved servers ignoring case
    QString FtpHost;
    QString Gebruikersnaam;
    QString Wachtwoord; // plain text; the file is owner-read-only for that reason
    QString FtpPoort;   // as text; an empty stored port reads as "21"
    QString Website;
    TlsKeuze Tls = TlsKeuze::IndienBeschikbaar; // stored as "1" (only TLS) or "2" (no TLS)
    bool Sftp = false;                          // stored as "3"; Tls is not used then
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

// The stored form: six fields, no separator at the end, and the protocol field when it is not the
// default.
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
