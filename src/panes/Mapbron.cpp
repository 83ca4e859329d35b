#include "panes/Mapbron.h"

#include "ftp/FtpSession.h"
#include "panes/LokaleMap.h"

#include <QDir>
#include <QFileInfo>

namespace Vamox {

bool LokaleMapBestaat(const QString& pad)
{
    return QDir::isAbsolutePath(pad) && QFileInfo(pad).isDir();
}

std::optional<Mapinhoud> LokaleBron::MapLezen(const QString& map)
{
    if (!LokaleMapBestaat(map)) return std::nullopt;
    return LokaleMapLezen(map);
}

bool LokaleBron::PadBestaat(const QString& pad, bool isMap)
{
    if (!QDir::isAbsolutePath(pad)) return false;
    const QFileInfo info(pad);
    return isMap ? info.isDir() : info.isFile();
}

int LokaleBron::AantalSubmappen(const QString& map)
{
    return Vamox::AantalSubmappen(map);
}

QChar LokaleBron::Scheiding() const
{
    return QDir::separator();
}

std::optional<Mapinhoud> FtpBron::MapLezen(const QString& map)
{
    return m_sessie.ServermapLezen(map);
}

bool FtpBron::PadBestaat(const QString& pad, bool isMap)
{
    return m_sessie.ServerpadBestaat(pad, isMap);
}

int FtpBron::AantalSubmappen(const QString& map)
{
    const std::optional<std::vector<FtpEntry>> entries = m_sessie.FtpMapLezen(map);
    if (!entries) return 0;
    int aantal = 0;
    for (const FtpEntry& e : *entries)
        if (e.isMap && !e.naam.contains(QLatin1String(".."))) ++aantal;
    return aantal;
}

} // namespace Vamox
