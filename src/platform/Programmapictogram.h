#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace Vamox {

// The own icon of a Windows program (PE32 or PE32+), as a .ico file of one picture: the first
// icon group of the resource section and of it the 16x16 picture with the most colours, else the
// smallest. Empty when the bytes are no PE file, hold no icon, or any offset or size in them
// points outside the file (a damaged or cut-off file is never read past its end).
QByteArray IcoUitProgramma(QByteArrayView inhoud);

} // namespace Vamox
