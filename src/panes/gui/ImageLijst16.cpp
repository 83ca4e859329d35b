#include "panes/gui/ImageLijst16.h"

#include "panes/Patroon.h"
#include "platform/gui/Beelden.h"
#include "platform/gui/Pictogrammen.h"

#include <QFileInfo>

namespace Vamox {

ImageLijst16::ImageLijst16()
{
    for (const char* sleutel : {"map", "bestand", "sort_af", "sort_op", "mapplus", "mapomhoog"}) {
        const QString naam = QString::fromLatin1(sleutel);
        Toevoegen(naam, Beeld(naam));
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

    const QIcon icoon = PictogramBijExtensie(u'.' + sleutel, true);
    Toevoegen(sleutel, icoon.isNull() ? Icoon(QStringLiteral("bestand")) : icoon);
}

QString ImageLijst16::ToevoegenAanImagelijst16Exe(const QString& volledigPad)
{
    const QString naam = QFileInfo(volledigPad).fileName();
    const QString sleutel = ProgrammaSleutel(naam);
    if (sleutel.isEmpty()) {
        const QString extensie = IcoonSleutelVoor(naam);
        ToevoegenAanImagelijst16(extensie);
        return extensie;
    }
    if (!Bevat(sleutel)) {
        const QIcon icoon = PictogramUitProgramma(volledigPad);
        Toevoegen(sleutel, icoon.isNull() ? Icoon(QStringLiteral("bestand")) : icoon);
    }
    return sleutel;
}

} // namespace Vamox
