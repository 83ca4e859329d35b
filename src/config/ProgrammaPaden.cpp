#include "config/ProgrammaPaden.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Vamox {

namespace {

QString ProgrammaMap(const ProgrammaPlaats& plaats)
{
    return QFileInfo(plaats.programmaPad).absolutePath();
}

} // namespace

bool DraagbaarGebruik(const QString& map, bool schrijfbaar, const QString& installatiemap)
{
    if (!schrijfbaar) return false;
    // Links resolved where they exist, so /usr/local/bin reached through a link is still itself.
    const auto echt = [](const QString& pad) {
        const QString kanoniek = QFileInfo(pad).canonicalFilePath();
        return kanoniek.isEmpty() ? QDir::cleanPath(pad) : kanoniek;
    };
    const QString hier = echt(map);
    if (!installatiemap.isEmpty() && hier == echt(installatiemap)) return false;
    for (const char* systeem : {"/usr", "/bin", "/sbin", "/opt", "/lib", "/lib64", "/snap"}) {
        const QString s = QLatin1String(systeem);
        if (hier == s || hier.startsWith(s + u'/')) return false;
    }
    return true;
}

QString ProgrammaNaam(const QString& programmaPad)
{
    QString naam = QFileInfo(programmaPad).fileName();
    if (naam.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) naam.chop(4);
    return naam;
}

QString CfgBestandVoor(const ProgrammaPlaats& plaats)
{
    const QString map = plaats.mapSchrijfbaar ? ProgrammaMap(plaats) : plaats.configMap;
    return map + u'/' + ProgrammaNaam(plaats.programmaPad) + QLatin1String(".cfg");
}

QString TijdelijkeMapVoor(const ProgrammaPlaats& plaats)
{
    const QString map = plaats.mapSchrijfbaar ? ProgrammaMap(plaats) : plaats.cacheMap;
    return map + QLatin1String("/FtpTijdelijk");
}

ProgrammaPlaats HuidigeProgrammaPlaats()
{
    const QString programma = QCoreApplication::applicationFilePath();
    const QString map = QFileInfo(programma).absolutePath();
    const QString eigen = QStringLiteral("/vamox");
    return {
        .programmaPad = programma,
        .mapSchrijfbaar = DraagbaarGebruik(map, QFileInfo(map).isWritable(), QStringLiteral(VAMOX_BINMAP)),
        .configMap = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + eigen,
        .cacheMap = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + eigen,
    };
}

QString CfgBestandBepalen()
{
    const ProgrammaPlaats plaats = HuidigeProgrammaPlaats();
    if (!plaats.mapSchrijfbaar)
        QDir().mkpath(plaats.configMap); // a failure shows later as a write that returns false
    return CfgBestandVoor(plaats);
}

QString TijdelijkeMapBepalen()
{
    return TijdelijkeMapVoor(HuidigeProgrammaPlaats());
}

} // namespace Vamox
