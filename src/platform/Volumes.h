#pragma once

#include <QString>

#include <vector>

namespace Vamox {

// A mounted volume as the drive box shows it.
struct Volume
{
    QString root;  // "/", "/media/usb": no trailing separator except for "/"
    QString label; // may be empty
};

// Mounted volumes that hold files a user browses: block devices and network shares, not the
// kernel's pseudo file systems or single bind-mounted files. "/" first, the others by root path.
std::vector<Volume> Volumes();

// The drive box text: root path, two spaces, label ("/  ", "/media/usb  USBSTICK").
QString VolumeTekst(const Volume& volume);

// Whether the root is (still) a mounted, readable folder.
bool VolumeBeschikbaar(const QString& root);

} // namespace Vamox
