#include "platform/gui/Pictogrammen.h"

#include "platform/Programmapictogram.h"

#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QPixmap>

namespace Vamox {

namespace {

const QMimeDatabase& Mimes()
{
    static const QMimeDatabase mimes;
    return mimes;
}

// The icon theme's picture of a kind of file, or of the kind it belongs to.
QIcon ThemaIcoon(const QMimeType& soort)
{
    if (!soort.isValid() || soort.isDefault()) return {};
    QIcon icoon = QIcon::fromTheme(soort.iconName());
    if (icoon.isNull()) icoon = QIcon::fromTheme(soort.genericIconName());
    return icoon;
}

// Theme icons are looked up lazily and may change with the theme; the lists keep what they got
// the first time, at the size they draw and at one and a half and twice that for dense screens.
// Null when the theme draws nothing.
QIcon Vastgelegd(const QIcon& icoon, int maat)
{
    QIcon vast;
    if (icoon.isNull()) return vast;
    for (int m : {maat, maat * 3 / 2, 2 * maat}) {
        const QPixmap beeld = icoon.pixmap(m, m);
        if (!beeld.isNull()) vast.addPixmap(beeld);
    }
    return vast;
}

// The icon a Windows program carries in its resources; null when it has none or is no such file.
QIcon EigenIcoon(const QString& pad)
{
    QFile bestand(pad);
    if (!bestand.open(QIODevice::ReadOnly) || bestand.size() <= 0) return {};
    const uchar* bytes = bestand.map(0, bestand.size());
    if (bytes == nullptr) return {};
    const QByteArray ico = IcoUitProgramma(QByteArrayView(bytes, bestand.size()));
    bestand.unmap(const_cast<uchar*>(bytes));
    const QImage beeld = QImage::fromData(ico, "ICO");
    return beeld.isNull() ? QIcon() : QIcon(QPixmap::fromImage(beeld));
}

} // namespace

QIcon PictogramBijExtensie(const QString& extensie, bool klein)
{
    const QMimeType soort =
        Mimes().mimeTypeForFile(QStringLiteral("x") + extensie, QMimeDatabase::MatchExtension);
    return Vastgelegd(ThemaIcoon(soort), klein ? 16 : 32);
}

QIcon PictogramUitProgramma(const QString& pad)
{
    if (pad.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QIcon eigen = EigenIcoon(pad);
        if (!eigen.isNull()) return eigen;
    }
    QIcon icoon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (icoon.isNull()) icoon = ThemaIcoon(Mimes().mimeTypeForFile(pad));
    return Vastgelegd(icoon, 16);
}

} // namespace Vamox
