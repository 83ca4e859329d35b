#pragma once

#include <QByteArray>
#include <QString>

namespace Vamox {

// Files the program keeps for itself (the configuration, the trusted certificates): they hold
// passwords and trust, so nobody else may read them, and a write that fails half way must not
// cost the old file.
//
// Writes `inhoud` to a new file beside `pad`, readable by its owner only (and writable when not
// `alleenLezen`), and puts it in `pad`'s place only once every byte is on disk. A link at `pad` is
// replaced, never written through. False when nothing changed; the old file is then as it was.
bool EigenBestandSchrijven(const QString& pad, const QByteArray& inhoud, bool alleenLezen);

// A new random name for a file written beside its target before it takes the target's place
// (".vamox-<random>.part"): recognisable as the program's own, never a name a user chose.
QString TijdelijkeNaam();

} // namespace Vamox
