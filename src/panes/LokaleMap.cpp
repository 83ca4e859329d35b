#include "panes/LokaleMap.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace Vamox {

namespace {
constexpr QDir::Filters Inhoud = QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot;
}

FtpEntry LokaalEntry(const QString& naam, const QDateTime& gewijzigd, qint64 grootte)
{
    FtpEntry e;
    e.naam = naam;
    e.grootte = grootte;
    const QDate d = gewijzigd.date();
    const QTime t = gewijzigd.time();
    e.jaar = d.year();
    e.maand = d.month();
    e.dag = d.day();
    e.uur = t.hour();
    e.minuut = t.minute();
    return e;
}

std::optional<Mapinhoud> LokaleMapLezen(const QString& pad)
{
    if (pad.isEmpty() || !QFileInfo(pad).isDir()) return std::nullopt;

    std::vector<FtpEntry> entries;
    QDirIterator it(pad, Inhoud);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        if (info.isDir()) {
            FtpEntry map;
            map.naam = info.fileName();
            map.isMap = true;
            entries.push_back(std::move(map));
        } else {
            entries.push_back(LokaalEntry(info.fileName(), info.lastModified(), info.size()));
        }
    }
    return MapinhoudMaken(std::move(entries), !QDir(pad).isRoot());
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
