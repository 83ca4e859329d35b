#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace Vamox {

// How exact a listed time is: MLSD and a local folder give seconds; a Unix LIST line gives
// minutes for recent entries and only the day for older ones; the DOS form gives minutes.
enum class Tijdprecisie : quint8
{
    Seconde,
    Minuut,
    Dag,
    Geen // no time at all (an MLSD line without "modify")
};

// Whose clock a listed time is read on: the local one (a local folder), UTC (MLSD), or the
// server's own, whose zone the listing does not tell (LIST lines, SFTP's "ls -l" lines).
enum class Tijdzone : quint8
{
    Lokaal,
    Utc,
    Server
};

// One entry of a folder as either side lists it: a server listing as the server delivered it (no
// time zone conversion), or a local folder read.
struct FtpEntry
{
    QString naam;       // exactly as listed: leading and trailing spaces kept
    bool isMap = false; // a folder (symbolic links to folders count as files unless the server says dir)
    qint64 grootte = 0; // bytes, 64-bit
    int jaar = 1980, maand = 1, dag = 1, uur = 0, minuut = 0, seconde = 0;
    Tijdprecisie precisie = Tijdprecisie::Geen; // what the listing gave of the date above
    Tijdzone zone = Tijdzone::Server;
    int rechten = -1;    // mode bits 07777 as listed (LIST, MLSD unix.mode, SFTP); -1 unknown
    bool isLink = false; // a symbolic link, where the listing says so
};

// Receives a listing in pieces as it is read. `opnieuw`: the pieces before are void, the listing
// starts anew with this one.
using Lijstdeel = std::function<void(std::vector<FtpEntry>& deel, bool opnieuw)>;

} // namespace Vamox
