#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace Vamox {

// What the clipboard and a drag carry. Local files and folders travel as file URLs, which file
// managers take, plus the GNOME copied-files list, so that a paste copies them. Server paths
// travel in a private type of their own: a local path may contain "/" as well, so the type,
// not the text, says which side a path belongs to.
inline constexpr char UriLijstType[] = "text/uri-list";
inline constexpr char GnomeKopieType[] = "x-special/gnome-copied-files";
inline constexpr char ServerpadenType[] = "application/x-vamox-serverpaden";

// The paths among `paden` that are existing files (no folders), in order.
QStringList BestaandeBestanden(const QStringList& paden);

// Puts the local paths in as file URLs, in both formats.
void LokalePadenZetten(QMimeData& data, const QStringList& paden);
// The local paths of the file URLs, in order.
QStringList LokalePaden(const QMimeData& data);

// Server paths ("/a/b.txt"), one a line.
void ServerpadenZetten(QMimeData& data, const QStringList& paden);
QStringList Serverpaden(const QMimeData& data);

} // namespace Vamox
