#pragma once

#include "ftp/FtpSession.h"
#include "transfer/Overdracht.h"

#include <QString>

#include <optional>
#include <vector>

namespace Vamox {

// Changing the permissions of server files and folders: the choice made in the window (Rechtenkeuze)
// and the run of the transfer queue that carries it out (RechtenPlannen).

enum class Bitstand
{
    Uit,
    Aan,
    Gemengd // the selection mixes: each entry keeps its own
};

// Read, write and execute for owner, group and others. Bit 0 is the owner's read (0400), bit 8
// the others' execute (0001).
class Rechtenkeuze final
{
public:
    enum class Alleen
    {
        Alles,
        Bestanden,
        Mappen
    };
    static constexpr int Bits = 9;
    static int Masker(int bit) { return 0400 >> bit; }

    // From the listed permissions of the selection (-1: not listed, which mixes every bit).
    explicit Rechtenkeuze(const std::vector<int>& huidig = {});

    Bitstand Stand(int bit) const;
    void ZetBit(int bit, bool aan);
    // Whether the selection mixes this bit: only then can it be left to each entry again.
    bool KanGemengd(int bit) const { return (m_oorspronkelijk & Masker(bit)) != 0; }
    void ZetGemengd(int bit);
    // Three octal digits; a digit whose bits are not all decided is "x".
    QString Octaal() const;
    // Three octal digits, "x" leaving a digit to each entry where the selection mixes it; false
    // (and nothing changed) for anything else.
    bool ZetOctaal(const QString& tekst);
    bool Gemengd() const { return m_gemengd != 0; }

    bool inhoud = false;                // folders: everything below them too
    Alleen alleen = Alleen::Alles;      // with `inhoud`: which entries change
    bool uitvoerenAlleenMappen = false; // chmod's X: execute for folders, and for files that had it

    // Whether an entry changes at all.
    bool Geldt(bool isMap) const;
    // The new mode of an entry listed with `oud` (-1 unknown); nothing when mixed bits need the
    // old ones and they are not known. The special bits (07000) are kept.
    std::optional<int> Nieuw(int oud, bool isMap) const;

private:
    int m_aan = 0;     // bits checked
    int m_gemengd = 0; // bits mixed
    int m_oorspronkelijk = 0; // bits the selection mixes
};

// One selected server entry: its full path and what its listing said.
struct Rechtendoel
{
    QString pad;
    bool isMap = false;
    int rechten = -1;
};

// The jobs of one run: with `inhoud`, each selected folder's tree is listed (links not followed
// nor changed) and comes before the folder itself, the deepest first, so that taking a folder's
// rights away does not shut out what lies below. An entry whose new mode cannot be known is a
// failed job. Entries below a folder that already have the new mode are left out.
Overdrachtsplan RechtenPlannen(FtpSession& sessie, const std::vector<Rechtendoel>& gekozen,
                               const Rechtenkeuze& keuze);

} // namespace Vamox
