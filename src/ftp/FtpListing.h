#pragma once

#include "ftp/FtpEntry.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <limits>
#include <utility>
#include <vector>

namespace Vamox {

// What one listing may take: a server that sends an endless line, or lines without end, must
// not take all memory. The limits let 5 million entries with long names through.
struct Lijstgrenzen
{
    qsizetype regel = 64 * 1024;                   // bytes of one line
    qint64 bytes = qint64(2) * 1024 * 1024 * 1024; // bytes of the whole listing
    qint64 entries = 8'000'000;
    static Lijstgrenzen Geen()
    {
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        return {std::numeric_limits<qsizetype>::max(), max, max};
    }
};

// Reads a listing as it arrives, in pieces of any size: complete lines are parsed at once, a
// line cut off by the end of a piece waits for the next.
class Lijstlezer final
{
public:
    enum class Vorm
    {
        Mlsd,
        List
    };
    // `vandaag` as for ListLezen.
    explicit Lijstlezer(Vorm vorm, const Lijstgrenzen& grenzen = {},
                        const QDate& vandaag = QDate::currentDate());

    // False once the listing has passed a limit; nothing more is read then.
    bool Lezen(const char* data, qsizetype lengte);
    // The end of the listing: its last line needs no line end.
    bool Afronden();
    // The entries read since the last call.
    std::vector<FtpEntry> Nemen() { return std::exchange(m_entries, {}); }
    bool TeGroot() const { return m_teGroot; }
    // Entries read in all.
    qint64 Aantal() const { return m_aantal; }

private:
    void LeesRegels(const char* b, const char* e);
    void Regel(const char* b, const char* e);
    bool Ontleden(const char* b, const char* e, FtpEntry& entry) const;

    Vorm m_vorm;
    Lijstgrenzen m_grenzen;
    QDate m_vandaag, m_morgen;
    QByteArray m_rest; // a line begun in an earlier piece
    std::vector<FtpEntry> m_entries;
    qint64 m_bytes = 0;
    qint64 m_aantal = 0;
    bool m_teGroot = false;
};

// The facts to ask for with "OPTS MLST" (RFC 3659 7.9), given the MLST line of a FEAT reply
// ("MLST type*;perm*;size*;modify*;unique*;unix.mode;"): of what a listing reads, the kind, size and
// date, those the server offers. Empty when the server sends no more than those already, or
// offers none of them: nothing to ask.
QByteArray MlstFeiten(QByteArrayView featRegel);

// Parses an MLSD reply body (RFC 3659 facts; fact names in any case, trailing ";" optional).
// Entries of type cdir and pdir are left out: the listed folder and its parent are not children.
std::vector<FtpEntry> MlsdLezen(const QByteArray& tekst);

// Parses a LIST reply body in the Unix "ls -l" forms or the DOS/IIS form, line by line; lines that
// are neither ("total 12", blank lines, garbage) are skipped. `vandaag` decides the year of
// entries that show a time instead of a year.
std::vector<FtpEntry> ListLezen(const QByteArray& tekst, const QDate& vandaag = QDate::currentDate());

} // namespace Vamox
