#include "platform/Processen.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace Vamox {

namespace {

// The target of /proc/<pid>/exe; empty for processes of other users (no access) and for
// kernel threads (no executable).
QByteArray Uitvoerbaar(const QByteArray& pid)
{
    const QByteArray link = "/proc/" + pid + "/exe";
    QByteArray doel(4096, Qt::Uninitialized);
    const ssize_t n = ::readlink(link.constData(), doel.data(), static_cast<size_t>(doel.size()));
    if (n <= 0 || n >= doel.size()) return {};
    doel.truncate(n);
    // The kernel marks a file that was replaced or removed after the process started.
    static const QByteArray weg = " (deleted)";
    if (doel.endsWith(weg)) doel.chop(weg.size());
    return doel;
}

bool AlleenCijfers(const QString& naam)
{
    if (naam.isEmpty()) return false;
    for (const QChar c : naam)
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace

int ProcessenTellen(const QString& programmaPad)
{
    const QString echt = QFileInfo(programmaPad).canonicalFilePath();
    if (echt.isEmpty()) return 0;
    const QByteArray gezocht = QFile::encodeName(echt);
    int aantal = 0;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids)
        if (AlleenCijfers(pid) && Uitvoerbaar(pid.toLatin1()) == gezocht) ++aantal;
    return aantal;
}

} // namespace Vamox
