#include "platform/EigenBestand.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vamox {

namespace {

bool AllesSchrijven(int fd, const QByteArray& inhoud)
{
    const char* p = inhoud.constData();
    qsizetype over = inhoud.size();
    while (over > 0) {
        const ssize_t n = ::write(fd, p, size_t(over));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        over -= n;
    }
    return true;
}

} // namespace

QString TijdelijkeNaam()
{
    return QStringLiteral(".vamox-") + QString::number(QRandomGenerator::global()->generate64(), 36) +
           QStringLiteral(".part");
}

bool EigenBestandSchrijven(const QString& pad, const QByteArray& inhoud, bool alleenLezen)
{
    if (pad.isEmpty()) return false;
    const QString map = QFileInfo(pad).absolutePath();
    QByteArray tijdelijk;
    int fd = -1;
    for (int poging = 0; poging < 16 && fd < 0; ++poging) {
        tijdelijk = QFile::encodeName(map + u'/' + TijdelijkeNaam());
        // A new name of our own: nothing there to follow, and no other user's file to take over.
        fd = ::open(tijdelijk.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    // write() itself, no buffer in between: a full disk shows in its result, not in a flush
    // nobody checks.
    bool ok = AllesSchrijven(fd, inhoud) && ::fsync(fd) == 0 &&
              ::fchmod(fd, alleenLezen ? S_IRUSR : S_IRUSR | S_IWUSR) == 0;
    ok = ::close(fd) == 0 && ok;
    // rename() replaces a link at `pad` itself; the file it pointed to stays as it was.
    if (ok && ::rename(tijdelijk.constData(), QFile::encodeName(pad).constData()) == 0) return true;
    ::unlink(tijdelijk.constData());
    return false;
}

} // namespace Vamox
