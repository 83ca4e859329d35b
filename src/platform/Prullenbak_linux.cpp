#include "platform/Prullenbak.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vamox {

namespace {

// A folder of the trash: made owner-only when missing; usable only when it is a real folder of
// ours, never a link someone else put there.
bool EigenMap(const QByteArray& pad)
{
    if (::mkdir(pad.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st
    {
    };
    return ::lstat(pad.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool BakKlaar(const QByteArray& bak)
{
    return EigenMap(bak) && EigenMap(bak + "/files") && EigenMap(bak + "/info");
}

QByteArray DataThuis()
{
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    return data.startsWith('/') ? data : QFile::encodeName(QDir::homePath()) + "/.local/share";
}

// The mount point of the volume that holds `map`.
QByteArray Topmap(QByteArray map, dev_t volume)
{
    while (map.size() > 1) {
        QByteArray ouder = map.left(map.lastIndexOf('/'));
        if (ouder.isEmpty()) ouder = "/";
        struct stat st
        {
        };
        if (::stat(ouder.constData(), &st) != 0 || st.st_dev != volume) break;
        map = ouder;
    }
    return map;
}

// The trash of a volume other than the home volume: the administrator's "$topdir/.Trash/$uid"
// when that is a sticky folder and no link, else "$topdir/.Trash-$uid".
QByteArray VolumeBak(const QByteArray& topmap)
{
    const QByteArray basis = topmap == "/" ? QByteArray() : topmap;
    const QByteArray uid = QByteArray::number(::getuid());
    struct stat st
    {
    };
    const QByteArray gedeeld = basis + "/.Trash";
    if (::lstat(gedeeld.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) &&
        BakKlaar(gedeeld + '/' + uid))
        return gedeeld + '/' + uid;
    const QByteArray eigen = basis + "/.Trash-" + uid;
    return BakKlaar(eigen) ? eigen : QByteArray();
}

bool AllesSchrijven(int fd, const QByteArray& bytes)
{
    qsizetype gedaan = 0;
    while (gedaan < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + gedaan, static_cast<size_t>(bytes.size() - gedaan));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        gedaan += n;
    }
    return true;
}

} // namespace

bool NaarPrullenbak(const QString& pad)
{
    const QFileInfo info(pad);
    const QByteArray bron = QFile::encodeName(info.absoluteFilePath());
    // The folder as it really is, so the volume's top is found above it; the name stays as it is
    // (a link is trashed, not what it points to).
    const QByteArray map = QFile::encodeName(info.absoluteDir().canonicalPath());
    const QByteArray naam = QFile::encodeName(info.fileName());
    struct stat bestand
    {
    };
    if (map.isEmpty() || naam.isEmpty() || ::lstat(bron.constData(), &bestand) != 0) return false;

    QByteArray bak;
    QByteArray origineel = (map == "/" ? QByteArray() : map) + '/' + naam;
    const QByteArray thuis = DataThuis();
    QDir().mkpath(QFile::decodeName(thuis));
    struct stat thuisVolume
    {
    };
    if (::stat(thuis.constData(), &thuisVolume) == 0 && thuisVolume.st_dev == bestand.st_dev) {
        bak = thuis + "/Trash";
        if (!BakKlaar(bak)) return false;
    } else {
        // A volume's trash names its files from the volume's top, so the volume may be mounted
        // elsewhere later.
        const QByteArray top = Topmap(map, bestand.st_dev);
        bak = VolumeBak(top);
        if (bak.isEmpty()) return false;
        origineel = origineel.mid(top == "/" ? 1 : top.size() + 1);
    }

    // The path as bytes of the file system, escaped as in URLs.
    const QByteArray inhoud =
        "[Trash Info]\nPath=" + origineel.toPercentEncoding("/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1() + '\n';
    // The info file is made first and exclusively: it claims the name against anyone else
    // trashing a file of the same name at the same time.
    for (int n = 1; n < 10000; ++n) {
        const QByteArray bakNaam = n == 1 ? naam : naam + '.' + QByteArray::number(n);
        const QByteArray infoPad = bak + "/info/" + bakNaam + ".trashinfo";
        const int fd = ::open(infoPad.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool geschreven = AllesSchrijven(fd, inhoud);
        const bool gesloten = ::close(fd) == 0;
        const QByteArray doel = bak + "/files/" + bakNaam;
        struct stat bezet
        {
        };
        if (!geschreven || !gesloten || ::lstat(doel.constData(), &bezet) == 0) {
            ::unlink(infoPad.constData());
            if (geschreven && gesloten) continue; // a file left in files/ without its info
            return false;
        }
        if (::rename(bron.constData(), doel.constData()) == 0) return true;
        ::unlink(infoPad.constData());
        return false;
    }
    return false;
}

} // namespace Vamox
