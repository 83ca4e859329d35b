#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace Vamox {

// Makes the program's own pictures (":/icons/...") available. Safe to call more than once;
// needed because the resources live in a static library whose initialiser nobody references.
void BronnenLaden();

// The program's own pictures under their keys: the toolbar buttons ("mapuploaden", ...), the list
// pictures ("map", "bestand", "sort_af", "sort_op", "mapplus", "mapomhoog", "zoeken") and the
// program icon ("vamox"). Crisp at every scale: at its own size (16 for the lists, 22 for the
// toolbar) a picture is the hand-drawn bitmap, at any other size it is drawn from its vector
// layers at the device's pixels. Null for an unknown key.
QIcon Beeld(const QString& sleutel);

// Every key Beeld knows.
QStringList BeeldSleutels();

// The program icon of windows and of the desktop's menu.
inline QIcon Programmabeeld()
{
    return Beeld(QStringLiteral("vamox"));
}

} // namespace Vamox
