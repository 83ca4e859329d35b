#pragma once

#include <QString>
#include <QStringList>

namespace Vamox {

class FtpSession;

// New folders and new names on either side. `sessie` is the server's session, or nullptr for
// the local disk; `basis` is the side's current folder in its own form ("/a/b/" on the server,
// ending in one separator locally).

// "" when the name holds none of \ / : * ? " < > |; otherwise all nine, each followed by two
// spaces, for the notice.
QString MapnaamJuist(const QString& naam);

// "Nieuwe map", else "Nieuwe map 1", "Nieuwe map 2", ...: the first not among `mappen`
// (capitals counting).
QString NieuweMapnaam(const QStringList& mappen);

bool NieuweMapMaken(FtpSession* sessie, const QString& basis, const QString& naam);

struct Naamwijziging
{
    enum class Uitkomst
    {
        Gewijzigd,
        Ongewijzigd, // the same name: nothing to do
        Tekens,      // forbidden characters (`tekens` holds the table)
        Ongeldig,    // empty, ".", "..", or a character no path can carry
        Bestaat,     // another entry has the new name
        Mislukt      // the file system or the server refused
    };
    Uitkomst uitkomst = Uitkomst::Ongewijzigd;
    QString naam; // the new name as used: spaces at both ends removed
    QString nieuwPad;
    QString oudPad;
    QString tekens;
};

// Renames `oudeNaam` in `basis` to `naam`. Another entry of that name is never replaced, also
// when only capitals differ on a disk that tells them apart; a change of capitals alone on one
// that does not is allowed.
Naamwijziging NaamWijzigen(FtpSession* sessie, const QString& basis, const QString& oudeNaam,
                           const QString& naam, bool isMap);

} // namespace Vamox
