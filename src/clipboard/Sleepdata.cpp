#include "clipboard/Sleepdata.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace Vamox {

QStringList BestaandeBestanden(const QStringList& paden)
{
    QStringList uit;
    for (const QString& pad : paden)
        if (QFileInfo(pad).isFile()) uit.push_back(pad);
    return uit;
}

void LokalePadenZetten(QMimeData& data, const QStringList& paden)
{
    QList<QUrl> urls;
    QByteArray gnome("copy");
    for (const QString& pad : paden) {
        const QUrl url = QUrl::fromLocalFile(pad);
        urls.push_back(url);
        gnome += '\n' + url.toEncoded();
    }
    data.setUrls(urls);
    data.setData(QLatin1String(GnomeKopieType), gnome);
}

QStringList LokalePaden(const QMimeData& data)
{
    QStringList paden;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) paden.push_back(QDir::toNativeSeparators(url.toLocalFile()));
    return paden;
}

void ServerpadenZetten(QMimeData& data, const QStringList& paden)
{
    data.setData(QLatin1String(ServerpadenType), paden.join(u'\n').toUtf8());
}

QStringList Serverpaden(const QMimeData& data)
{
    if (!data.hasFormat(QLatin1String(ServerpadenType))) return {};
    return QString::fromUtf8(data.data(QLatin1String(ServerpadenType))).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace Vamox
