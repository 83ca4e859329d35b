#include "platform/Eigendom.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vamox {

Padstaat PadstaatVan(const QString& pad)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(pad).constData(), &st) != 0) return Padstaat::Ontbreekt;
    if (S_ISLNK(st.st_mode)) return Padstaat::Koppeling;
    if (!S_ISDIR(st.st_mode)) return Padstaat::GeenMap;
    return st.st_uid == ::geteuid() ? Padstaat::EigenMap : Padstaat::VanAnder;
}

bool PriveMap(const QString& pad)
{
    const QByteArray naam = QFile::encodeName(pad);
    if (::mkdir(naam.constData(), 0700) != 0 && errno != EEXIST) return false;
    // Checked and narrowed through one handle: a link put there in between is not followed.
    const int map = ::open(naam.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (map < 0) return false;
    struct stat st = {};
    const bool eigen = ::fstat(map, &st) == 0 && st.st_uid == ::geteuid() &&
                       ((st.st_mode & 07777) == 0700 || ::fchmod(map, 0700) == 0);
    ::close(map);
    return eigen;
}

} // namespace Vamox
