#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace Vamox {

// A text to look for in the bytes of any file, capitals not counting. Files carry no encoding,
// so the text is looked for in the two a file of ours may have: UTF-8, and Windows-1252 when the
// text holds letters beyond ASCII that the code page has. Any length is found.
class Zoektekst final
{
public:
    explicit Zoektekst(const QString& tekst);

    // A text of only spaces (or nothing) is never found.
    bool Leeg() const { return m_vormen.empty(); }
    // Bytes of the longest form: a block must keep this many bytes minus one of the block before,
    // so that a text cut by the block boundary is still seen whole.
    qsizetype MaxLengte() const { return m_maxLengte; }
    // Whether the text occurs in the bytes (completely inside them).
    bool ZitIn(const char* data, qsizetype lengte) const;

private:
    // One character: its spellings in capitals and small letters, in one encoding.
    using Eenheid = std::vector<QByteArray>;
    struct Vorm
    {
        std::vector<Eenheid> eenheden;
        qsizetype vasteLengte = -1; // bytes when every spelling of every character is as long
        qsizetype langste = 0;      // bytes of the longest spelling of the whole text
        unsigned char eerste[4] = {};
        int aantalEerste = 0;
        unsigned char laatste[4] = {};
        int aantalLaatste = 0; // 0: no check on the last byte
    };

    static bool VormMaken(Vorm& vorm, const std::vector<Eenheid>& eenheden);
    bool ZitIn(const Vorm& vorm, const char* data, qsizetype lengte) const;
    static bool PastVanaf(const Vorm& vorm, std::size_t eenheid, const char* p, const char* eind);

    std::vector<Vorm> m_vormen;
    qsizetype m_maxLengte = 0;
};

// What a file turned out to hold, or why it was not seen to the end.
enum class Bevinding
{
    Gevonden,
    NietGevonden,
    Overgeslagen, // Escape: the rest of the file was not read; it counts as no hit
    Gestopt,      // the whole search ends; the file counts as no hit
    Onleesbaar    // could not be opened or read; no hit
};

// Asked between blocks of a file: go on, skip the rest of this file, or stop the whole search.
enum class Onderbreking
{
    Doorgaan,
    Overslaan,
    Stoppen
};
using Tussendoor = std::function<Onderbreking()>;

// Reads the file in large blocks and tells whether it holds the text. `tussendoor` (when given)
// is asked between two blocks; the window keeps its events going and samples the keys there.
Bevinding BestandBevatTekst(const QString& pad, const Zoektekst& tekst, const Tussendoor& tussendoor = {});

} // namespace Vamox
