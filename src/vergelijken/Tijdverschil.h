#pragma once

#include "ftp/FtpEntry.h"

#include <QString>

#include <optional>

namespace Vamox {

// How a server's clock reads against the local one: LIST lines show the server's own clock, in a
// zone they do not name. MLSD (UTC) and local times need none of this.
struct Serverklok
{
    int verschilS = 0; // how far the server's clock runs ahead
    // Ahead of UTC by a fixed amount (a server kept on UTC) while the local clock moves with
    // summer time; otherwise ahead of the local clock in every season.
    bool tegenUtc = false;
    bool operator==(const Serverklok&) const = default;
};

// How far the local clock runs ahead of UTC at a moment (seconds since 1970 UTC).
qint64 LokaleAfwijking(qint64 utc);
// A reading of the server's clock (seconds since 1970 as a plain count) as the local clock reads.
qint64 OpLokaleKlok(qint64 serverTijd, const Serverklok& klok);

// The text of the server details' field: "+2", "-1:30", "2:00", "+0:45" (whole hours and
// minutes, up to 14 hours either way), the offset against the local clock. Nothing for an empty
// text; `geldig` false for any other.
std::optional<int> TijdverschilLezen(const QString& tekst, bool* geldig = nullptr);
// "+2:00", "-1:30", "0:00".
QString TijdverschilTekst(int seconden);
// As the status line shows it: "+2:00", or "UTC+1:00" for a clock against UTC.
QString KlokTekst(const Serverklok& klok);

// A listed file's LIST time (minutes of the server's clock) and the moment the server gives for
// it apart from the listing (MDTM, an SFTP stat: seconds since 1970 UTC).
struct Klokmeting
{
    FtpEntry gelijst;
    qint64 utc = -1;
};

// The offset against the local clock that one measurement shows, in whole quarters of an hour.
// Nothing when the listed time is not to the minute or the two lie more than 14 hours apart.
std::optional<int> TijdverschilMeten(const Klokmeting& meting);

// The server's clock from a measurement, and from a second one of a time the local clock reads
// in the other season, which tells whether the server's clock follows the local summer time
// (two equal offsets) or keeps to UTC.
std::optional<Serverklok> KlokMeten(const Klokmeting& eerste, const std::optional<Klokmeting>& tweede);

} // namespace Vamox
