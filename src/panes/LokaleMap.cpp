#include "panes/LokaleMap.h"

#include "ftp/FtpPaden.h"
#include "panes/Rijen.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace Vamox {

namespace {
constexpr QDir::Filters Inhoud = QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot;
}

bool LokaleMapLezen(const QString& pad, QStringList& mappen, QStringList& bestanden)
{
    mappen.clear();
    bestanden.clear();
    if (pad.isEmpty() || !QFileInfo(pad).isDir()) return false;

    QDirIterator it(pad, Inhoud);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        if (info.isDir())
            mappen.push_back(info.fileName());
        else
            bestanden.push_back(LokaalBestandRegel(info));
    }
    TabelSorteren(mappen, true);
    TabelSorteren(bestanden, true);
    // Put in front after sorting: a folder name starting with spaces or "!" would otherwise
    // sort before it, and the lists count on the parent entry being the first row.
    if (!QDir(pad).isRoot()) mappen.push_front(OuderMap);
    return true;
}

int AantalSubmappen(const QString& pad)
{
    QString map = pad;
    while (map.size() > 1 && (map.endsWith(u'/') || map.endsWith(QDir::separator())))
        map.chop(1);
    if (map.isEmpty() || map.endsWith(OuderMap)) return 0;
    int aantal = 0;
    QDirIterator it(map, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        ++aantal;
    }
    return aantal;
}

} // namespace Vamox
