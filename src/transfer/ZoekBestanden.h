#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Vamox {

// Asked before every entry of a walk; true ends the walk at once (the window passes "left
// mouse button down" or the like).
using StopVraag = std::function<bool()>;

// Collects a local tree. Both lists start with an element 0 that carries no path (added when a
// list is empty) and results accumulate behind what the caller passed in:
//   mappen: the start folder with a trailing separator, then every subfolder, depth first: a
//           folder comes right after its parent's files were listed;
//   bestanden: every file whose name matches `patroon` (Patroon rules), in walk order;
//   totaal (when given): grows by the size of every listed file.
// Entries of a folder are taken in name order, ignoring case. Hidden entries are included;
// pipes, sockets and devices are not. Symbolic links (and junctions) to folders are neither
// listed nor entered, so a walk never leaves the tree; a link to a file is listed only when it
// resolves to a file inside the tree. `alleenMappen` skips the files. When `stop` answers true
// the walk ends, keeping what was collected, and the result is false; otherwise true.
bool ZoekBestanden(QStringList& mappen, QStringList& bestanden, const QString& start, const QString& patroon,
                   bool recursief, bool alleenMappen, const StopVraag& stop = {}, qint64* totaal = nullptr);

} // namespace Vamox
