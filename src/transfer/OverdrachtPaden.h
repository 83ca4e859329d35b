#pragma once

#include <QChar>
#include <QString>

namespace Vamox {

// The separator of local paths on this platform.
#ifdef Q_OS_WIN
inline constexpr QChar LokaalScheiding = u'\\';
#else
inline constexpr QChar LokaalScheiding = u'/';
#endif

// True when the path ends in "/" or the local separator.
bool EindigtMetScheiding(const QString& pad);

// A path without its trailing separators ("/" or the local one); a root keeps one.
QString ZonderEindscheiding(QString pad);

// The last part of a local or server path, trailing separators ignored.
QString EigenNaam(const QString& pad);

// True when a name that came from the server (or from a mapped relative path) may be used as
// one local file or folder name: not empty, not "." or "..", and no "/", "\" or NUL. On
// Windows also no ":" and no trailing dot or space, which the system would strip.
bool VeiligeNaam(const QString& naam);

// Local folder + name, or "" when the name is not a VeiligeNaam (the caller counts a failure
// and writes nothing).
QString LokaalDoelPad(const QString& lokaleMap, const QString& naam);

// Server path of a local folder or file inside the upload of `startMap` into `serverMap`: the
// start folder becomes serverMap + the start folder's own name, local separators become "/".
// C:\x\foto with /www/ gives /www/foto for the folder itself and /www/foto/a/b.jpg for
// C:\x\foto\a\b.jpg. Folders map without a trailing "/". "" when the path is not inside the
// start folder or a part of it is not a VeiligeNaam.
QString NaarServerpad(const QString& startMap, const QString& lokaalPad, const QString& serverMap);

// Local path of a server folder or file inside the download of `gekozenMap` into `lokaleMap`,
// relative to the parent of the chosen folder: /www/foto with C:\dl gives C:\dl\foto, and
// /www/foto/a/b.jpg gives C:\dl\foto\a\b.jpg. "" when the server path is not the chosen
// folder or inside it, when the chosen folder is the root, or when any part of the relative
// path is not a VeiligeNaam: the result never leaves `lokaleMap`.
QString NaarLokaalPad(const QString& gekozenMap, const QString& serverPad, const QString& lokaleMap);

// Whether `pad` is `map` itself or lies anywhere below it (links resolved), so that a folder
// dropped there would be copied into itself.
bool BinnenMap(const QString& map, const QString& pad);

} // namespace Vamox
