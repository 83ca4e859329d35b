#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

// Two folders, one on each side, that move together: opening a folder, going up or typing a
// folder on one side does the same relative move on the other. Paths are in their side's form,
// ending in its separator ("/a/b/" on the server).

// The names below `wortel` that lead to `map` (none for the root itself); nothing when `map` is
// not `wortel` or below it.
std::optional<QStringList> DelenOnder(const QString& wortel, const QString& map, QChar scheiding);

// `wortel` followed by the names, each ending in the separator.
QString MapOnder(const QString& wortel, const QStringList& delen, QChar scheiding);

} // namespace Vamox
