#include "panes/Mapbron.h"

#include "ftp/FtpPaden.h"
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

Leesuitkomst LokaleBron::MapStromen(const QString& map, const Lijstdeel& deel)
{
    m_stop = false;
    if (!LokaleMapBestaat(map) || !LokaleMapStromen(map, deel, m_stop)) return Leesuitkomst::Mislukt;
    return m_stop ? Leesuitkomst::Afgebroken : Leesuitkomst::Gelezen;
}

bool LokaleBron::MetOuder(const QString& map) const
{
    return !QDir(map).isRoot();
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

Leesuitkomst FtpBron::MapStromen(const QString& map, const Lijstdeel& deel)
{
    if (m_sessie.FtpMapStromen(map, deel)) return Leesuitkomst::Gelezen;
    if (m_sessie.lijstTeGroot()) return Leesuitkomst::TeGroot;
    return m_sessie.afgebroken() ? Leesuitkomst::Afgebroken : Leesuitkomst::Mislukt;
}

qint64 FtpBron::Overgeslagen() const
{
    return m_sessie.lijstOvergeslagen();
}

void FtpBron::Afbreken()
{
    m_sessie.afbreken();
}

bool FtpBron::MetOuder(const QString& map) const
{
    return !SpatiesWeg(QString(map).remove(u'/')).isEmpty();
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
