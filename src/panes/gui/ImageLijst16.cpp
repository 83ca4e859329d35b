#include "panes/gui/ImageLijst16.h"

#include <QMimeDatabase>
#include <QPixmap>

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace.
static void VamoxBronnenRegistreren()
{
    Q_INIT_RESOURCE(vamox);
}

namespace Vamox {

void BronnenLaden()
{
    static std::once_flag eenmaal;
    std::call_once(eenmaal, [] { VamoxBronnenRegistreren(); });
}

namespace {

// Theme icons are looked up lazily and may change with the theme; the list keeps what it got
// the first time, at the sizes the lists draw.
QIcon Vastgelegd(const QIcon& icoon)
{
    QIcon vast;
    for (int maat : {16, 32}) {
        const QPixmap beeld = icoon.pixmap(maat, maat);
        if (!beeld.isNull()) vast.addPixmap(beeld);
    }
    return vast;
}

} // namespace

ImageLijst16::ImageLijst16()
{
    BronnenLaden();
    for (const char* sleutel : {"map", "bestand", "sort_af", "sort_op", "mapplus", "mapomhoog"}) {
        const QString naam = QString::fromLatin1(sleutel);
        Toevoegen(naam, QIcon(QStringLiteral(":/icons/%1.png").arg(naam)));
    }
}

void ImageLijst16::Toevoegen(const QString& sleutel, const QIcon& icoon)
{
    if (m_beelden.contains(sleutel)) return;
    m_beelden.insert(sleutel, icoon);
    m_volgorde.append(sleutel);
}

QString ImageLijst16::ExtensieSleutel(const QString& extensie)
{
    QString sleutel = extensie;
    sleutel.remove(u'.');
    return sleutel.toLower();
}

void ImageLijst16::ToevoegenAanImagelijst16(const QString& extensie)
{
    const QString sleutel = ExtensieSleutel(extensie);
    if (sleutel.isEmpty() || Bevat(sleutel)) return;

    static const QMimeDatabase mimes;
    const QMimeType soort =
        mimes.mimeTypeForFile(QStringLiteral("x.") + sleutel, QMimeDatabase::MatchExtension);
    QIcon icoon;
    if (soort.isValid() && !soort.isDefault()) {
        icoon = QIcon::fromTheme(soort.iconName());
        if (icoon.isNull()) icoon = QIcon::fromTheme(soort.genericIconName());
    }
    if (!icoon.isNull()) icoon = Vastgelegd(icoon);
    Toevoegen(sleutel, icoon.isNull() ? Icoon(QStringLiteral("bestand")) : icoon);
}

} // namespace Vamox
