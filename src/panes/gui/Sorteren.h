#pragma once

#include <QObject>
#include <QString>

namespace Vamox {

class LijstWeergave;
class Paneel;

// Sorting of the four lists. A file list keeps a sort column (0 name, 3 "nGrootte", 4 "nDatum"),
// one direction shared by all its columns and an "automatic sorting" switch; all three live on
// the list itself and survive refills. A list that was never sorted starts descending, so the
// first header click sorts ascending. Folder lists are only ever reversed, with " .." kept on
// top; their state text ("", "sort_op", "sort_af") is kept by the window.

// Sorts a file list by the clicked header (0-based): "Grootte" and "Datum" sort on their hidden
// keys. Flips the list's direction, moves the header icon, selects the first row.
void KolomSorteren(LijstWeergave& lijst, int kolom);

// KolomSorteren by a 1-based column, then focus to the list; nothing when it has no rows.
void SorterenLijst(LijstWeergave& lijst, int kolom);

// Before a refill: no header icons, automatic sorting off (rows stay in the order added).
// Sort column and direction are kept.
void SorterenOpheffenBestand(LijstWeergave& lijst);

// Switches a file list's automatic sorting on again: the rows are ordered by the kept column and
// direction (after a row was renamed in place) and the header icon shows it.
void AutomatischSorterenAan(LijstWeergave& lijst);

// The same for a folder list: ascending by name as a fill leaves it (" .." first, its name
// begins with a space), the state back to "" with "sort_op" on the header. Selection is kept.
void MapAutomatischSorteren(LijstWeergave& lijst, QString& staat);

// The kept sort state of a file list.
int SorteerKolom(const LijstWeergave& lijst);
bool SorteerOplopend(const LijstWeergave& lijst);
bool AutomatischSorteren(const LijstWeergave& lijst);
// Whether a header click (or the menu) ever sorted the file list; before that it shows a fill's
// order, by name ascending.
bool OoitGesorteerd(const LijstWeergave& lijst);

// Reverses a folder list, " .." staying first; every row then shows the plain "map" picture.
void SorterenMap(LijstWeergave& lijst, QString& staat);

// Flips a folder list's state ("" counts as "sort_op") and shows it on the first header.
void SleutelMapToevoegen(LijstWeergave& lijst, QString& staat);

// "sort_op" on the first headers of a side after a fill (`staat` is the folder list's state). A
// list whose rows are sorted otherwise keeps the icon that tells how.
void SorteericonsInstellen(LijstWeergave& mappen, const QString& staat, LijstWeergave& bestanden);

// Header clicks and the "Sorteren" menu items of the four lists.
class Sorteren final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Sorteren)

public:
    Sorteren(Paneel& lokaal, Paneel& ftp);

    void LijstBFtpKopGeklikt(int kolom);

private:
    Paneel& m_ftp;
};

} // namespace Vamox
