#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

namespace Vamox {

// A file name pattern, matched against the whole name without regard to case:
//   "*" any run (also none), "?" one character, "#" one digit 0-9,
//   "[a-cx]" one character of the set, "[!a-c]" one character not in it, anything else itself.
// Malformed sets: a "[" without a closing "]" stands for itself; "[]" matches nothing (it is
// dropped, so "a[]b" matches "ab"); "[!]" matches any one character; a reversed range ("z-a")
// adds nothing to its set; "-" first or last in a set stands for itself.
// Matching takes at most name length x pattern length steps, whatever the pattern.
class Patroon final
{
public:
    explicit Patroon(const QString& patroon);

    bool past(const QString& naam) const;

private:
    template <typename Bron> bool pastOp(const Bron& teken, std::size_t n) const;

    struct Bereik
    {
        char32_t van;
        char32_t tot;
    };
    enum class Soort
    {
        Letter,
        Een,
        Cijfer,
        Set,
        Ster
    };
    struct Teken
    {
        Soort soort = Soort::Letter;
        char32_t letter = 0;
        bool negatief = false;
        std::vector<Bereik> bereiken;
    };

    bool tekenPast(const Teken& t, char32_t c) const;

    std::vector<Teken> m_tekens;
    // "*" and plain ASCII after it ("*.txt"): the end of a name decides, compared in place.
    QString m_staart;
    bool m_alleenStaart = false;
};

// One-off form of Patroon::past.
bool PatroonPast(const QString& naam, const QString& patroon);

// True when the pattern box text means "no pattern": empty after trimming spaces, or only "*".
bool PatroonIsLeeg(const QString& tekst);

// Whether every unit of a name is ASCII: such names are compared and matched lower-cased one unit
// at a time, without a lower-cased copy.
inline bool IsAscii(QStringView naam)
{
    for (const QChar c : naam)
        if (c.unicode() >= 0x80) return false;
    return true;
}

// An ASCII unit lower-cased ("A"-"Z" only; other units stay).
inline char16_t KleinAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// "*." + the lower-cased text after the last "." (the pattern box entry for a file), or ""
// when the name has no ".".
QString ExtensiePatroon(const QString& naam);

// The lower-cased extensions of names (the text after the last "."), each text made once: the
// rows of a large folder share the text of their extension instead of holding a copy each, and
// finding it costs no allocation while the folder has few kinds of files.
class Extensies final
{
public:
    // The index of the name's extension: 0 for a name without ".", 1 for one that ends in it
    // (its extension is empty).
    int Index(QStringView naam);
    const QString& Tekst(int index) const { return m_teksten[std::size_t(index)]; }
    int Aantal() const { return int(m_teksten.size()); }

private:
    int Opnemen(const QString& extensie);

    std::vector<QString> m_teksten{QString(), QStringLiteral("")};
    QHash<QString, int> m_index;
};

// Tells whether some program opens files of an extension (lower case, no dot).
using ProgrammaBekend = std::function<bool(const QString& extensie)>;

// Icon key of a file row: the lower-cased extension (text after the last "."), or "bestand"
// for a name without "." or with an empty extension, or when `bekend` is given and knows no
// program for the extension. Local executables get their own key (ProgrammaSleutel) first.
QString IcoonSleutelVoor(const QString& naam, const ProgrammaBekend& bekend = {});

// Icon key of a local executable, a name ending in ".exe" without regard to case: the name up to
// its first "." without spaces, lower-cased ("Big Tool.setup.exe" -> "bigtool"). Programs of
// one name share it, also with an extension of that name. "" for any other name, and when
// nothing comes before the first ".".
QString ProgrammaSleutel(const QString& naam);

} // namespace Vamox
