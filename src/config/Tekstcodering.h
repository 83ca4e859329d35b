#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Vamox {

// UTF-8 when the bytes are valid UTF-8 (a leading byte order mark is dropped), else Windows-1252:
// files written by older single-byte versions keep their accented letters.
QString TekstDecoderen(const QByteArray& bytes);

// One Windows-1252 byte as a character. The five bytes the code page leaves undefined map to the
// control character of the same code, as the platform's own conversion does.
QChar Windows1252Teken(unsigned char byte);

// The lines of a text; CR LF, LF and a lone CR each end a line. Text after the last line end is a
// line too; nothing after a final line end is not.
QStringList RegelsSplitsen(const QString& tekst);

} // namespace Vamox
