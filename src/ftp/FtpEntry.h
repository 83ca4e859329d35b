#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace Vamox {

// One entry of a folder as either side lists it: a server listing as the server delivered it (no
// time zone conversion), or a local folder read.
struct FtpEntry
{
    QString naam;       // exactly as listed: leading and trailing spaces kept
    bool isMap = false; // a folder (symbolic links to folders count as files unless the server says dir)
    qint64 grootte = 0; // bytes, 64-bit
    int jaar = 1980, maand = 1, dag = 1, uur = 0, minuut = 0;
};

// Receives a listing in pieces as it is read. `opnieuw`: the pieces before are void, the listing
// starts anew with this one.
using Lijstdeel = std::function<void(std::vector<FtpEntry>& deel, bool opnieuw)>;

} // namespace Vamox
