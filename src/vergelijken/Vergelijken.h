#pragma once

#include "ftp/FtpEntry.h"
#include "panes/ListRow.h"
#include "vergelijken/Tijdverschil.h"

#include <QHash>
#include <QString>

#include <span>
#include <vector>

namespace Vamox {

// How an entry stands against the entry of the same name on the other side. Folders are only
// AlleenHier or Gelijk (on both sides; what they hold is not looked at).
enum class Stand : quint8
{
    Onbekend, // not compared (the parent entry, a row from before the comparison)
    AlleenHier,
    Nieuwer,
    Ouder,
    AndereGrootte,
    Gelijk
};

enum class Criterium : quint8
{
    TijdEnGrootte,
    AlleenGrootte,
    Inhoud // as TijdEnGrootte, but two files of one size whose bytes were compared stand as those say
};

// Whether a file's bytes were compared with those of the file of its name on the other side.
enum class Inhoudtoets : quint8
{
    Niet,
    Gelijk,
    Anders
};

// A time as an interval of the local clock, in seconds since 1970-01-01 00:00 read as a plain
// count (no zone): what the listing says lies in [van, tot). A minute of a LIST line is 60
// seconds wide, a day 86,400; unknown when tot <= van.
struct Tijdstip
{
    qint64 van = 0;
    qint64 tot = 0;
    bool bekend() const { return tot > van; }
};

// Two times that overlap, or lie within 2 seconds of each other (FAT keeps 2 seconds), are the
// same time: the coarser precision of the two decides.
bool TijdenGelijk(const Tijdstip& a, const Tijdstip& b);

// A listed time on the local clock: a time of the server's clock (Tijdzone::Server) moved by
// `klok`, a UTC time (MLSD) read in the local zone.
Tijdstip TijdstipVan(const QDate& datum, int seconden, Tijdprecisie precisie, Tijdzone zone,
                     const Serverklok& klok);
Tijdstip TijdstipVan(const FtpEntry& entry, const Serverklok& klok);
Tijdstip TijdstipVan(const ListRow& rij, const Serverklok& klok);

// One entry as the comparison sees it.
struct Vergelijkbaar
{
    QString naam;
    bool isMap = false;
    qint64 grootte = 0;
    Tijdstip tijd;
    Inhoudtoets inhoud = Inhoudtoets::Niet; // Criterium::Inhoud: set on either side
};

Vergelijkbaar VergelijkbaarVan(const FtpEntry& entry, const Serverklok& klok);
// A file row of a pane.
Vergelijkbaar VergelijkbaarVan(const ListRow& rij, const Serverklok& klok);

using Standen = QHash<QString, Stand>;

// How many entries of one side stand in each way.
struct Telling
{
    int alleenHier = 0, nieuwer = 0, ouder = 0, andereGrootte = 0, gelijk = 0;
    int mappenAlleenHier = 0, mappenBeide = 0;
    bool operator==(const Telling&) const = default;
};

struct Uitslag
{
    Standen lokaal, server; // by name; the parent entry " .." is left out
    Telling lokaalTelling, serverTelling;
};

// Compares the entries of two folders by name (exactly; a name that is a folder on one side and
// a file on the other is on each side only). Both times must be known for Nieuwer and Ouder; a
// file whose time is unknown on either side is compared by size alone. With Criterium::Inhoud,
// files with the same bytes are Gelijk whatever their times, files of one size with other bytes
// are Nieuwer and Ouder by time, else AndereGrootte.
Uitslag Vergelijken(std::span<const Vergelijkbaar> lokaal, std::span<const Vergelijkbaar> server,
                    Criterium criterium);

// The short word of a row's mark ("" for Onbekend); `map`: the words of folders.
QString StandWoord(Stand stand, bool map);
// What the mark means, for its tooltip.
QString StandUitleg(Stand stand, bool map);
// A line of the counts of one side ("3 alleen hier, 1 nieuwer, ...": kinds without entries left out).
QString TellingTekst(const Telling& telling);

} // namespace Vamox
