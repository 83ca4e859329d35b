#pragma once

#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace Vamox {

// What the message and input windows share of their looks.

// The stock picture of an icon kind: 1 information, 2 question, 3 exclamation, else critical.
inline QStyle::StandardPixmap StockIcoon(int pictogram)
{
    switch (pictogram) {
    case 1:
        return QStyle::SP_MessageBoxInformation;
    case 2:
        return QStyle::SP_MessageBoxQuestion;
    case 3:
        return QStyle::SP_MessageBoxWarning;
    default:
        return QStyle::SP_MessageBoxCritical;
    }
}

inline void ZetKleur(QWidget* widget, QPalette::ColorRole rol, const QColor& kleur)
{
    QPalette palet = widget->palette();
    palet.setColor(rol, kleur);
    widget->setPalette(palet);
}

} // namespace Vamox
