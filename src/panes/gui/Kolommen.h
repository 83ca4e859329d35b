#pragma once

#include <QString>

namespace Vamox {

class LijstWeergave;

// Column layout of the lists, widths in twips from the list's current width: a folder list has
// one column of width - 300; a file list has name (width - 1594 - 1275 - 300), "Grootte" (1594),
// "Datum" (1275) and the hidden "nGrootte" and "nDatum". The 300 leaves room for the scroll bar.
inline constexpr int KolomGrootteBreedte = 1594;
inline constexpr int KolomDatumBreedte = 1275;
inline constexpr int SchuifbalkRuimte = 300;
// The column "Stand" while the two sides are compared; the name column gives up its width.
inline constexpr int KolomStandBreedte = 1500;

// The column "Rechten" of the server file list, when shown from its header's menu.
inline constexpr int KolomRechtenBreedte = 1300;

// Folder list: creates the column with its title (alleenBreedtes false) and sets its width.
void LijstKoppenInstellen(LijstWeergave& lijst, bool alleenBreedtes);

// File list: creates the five columns (alleenBreedtes false) and sets their widths.
void LijstBKoppenInstellen(LijstWeergave& lijst, bool alleenBreedtes);

// The server file list's header gets a menu with "Rechten", which shows or hides that column
// (hidden at first); the name column gives up the width.
void RechtenKolomMenu(LijstWeergave& lijst);
// Whether that column shows; showing or hiding it as its menu item does.
bool RechtenKolomGetoond(const LijstWeergave& lijst);
void RechtenKolomTonen(LijstWeergave& lijst, bool aan);

// The first header becomes the list's title + " (" + number of rows + ")"; one parent entry
// " .." is not counted. While the folder is still being read the count ends in "…".
void KolomKopNaam(LijstWeergave& lijst, bool lezend = false);

// The first header's text for a number of rows: title + " (" + count + ")", or "…)" while read.
QString KopMetAantal(const LijstWeergave& lijst, const QString& aantal, bool lezend);

// The title of the first column by the list's name: "Lokale mapnaam", "Lokale bestandsnaam",
// "Server mapnaam" or "Server bestandsnaam".
QString LijstTitel(const LijstWeergave& lijst);

} // namespace Vamox
