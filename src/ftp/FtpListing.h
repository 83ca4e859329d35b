#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <vector>

namespace Vamox {

// One entry of a server folder listing, as the server delivered it (no time zone conversion).
struct FtpEntry
{
    QString naam;       // exactly as listed: leading and trailing spaces kept
    bool isMap = false; // a folder (symbolic links to folders count as files unless the server says dir)
    qint64 grootte = 0; // bytes, 64-bit
    int jaar = 1980, maand = 1, dag = 1, uur = 0, minuut = 0;
};

// Parses an MLSD reply body (RFC 3659 facts; fact names in any case, trailing ";" optional).
// Entries of type cdir and pdir are left out: the listed folder and its parent are not children.
std::vector<FtpEntry> MlsdLezen(const QByteArray& tekst);

// Parses a LIST reply body in the Unix "ls -l" forms or the DOS/IIS form, line by line; lines that
// are neither ("total 12", blank lines, garbage) are skipped. `vandaag` decides the year of
// entries that show a time instead of a year.
std::vector<FtpEntry> ListLezen(const QByteArray& tekst, const QDate& vandaag = QDate::currentDate());

} // namespace Vamox
