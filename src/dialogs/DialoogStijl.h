#pragma once

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QStyle>
#include <QWidget>

#include <optional>

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

// A window of a fixed size: a close button, no minimise or maximise button.
inline void AlleenSluitknop(QWidget& venster)
{
    venster.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

// Background, caption (the title and two spaces) and icon (else the active window's); a close
// button only, the window having a fixed size.
inline void VensterOpmaken(QWidget& venster, const QString& titel, const std::optional<QIcon>& icoon,
                           const QColor& achtergrond)
{
    AlleenSluitknop(venster);
    venster.setAutoFillBackground(true);
    ZetKleur(&venster, QPalette::Window, achtergrond);
    venster.setWindowTitle(titel + QStringLiteral("  "));
    if (icoon)
        venster.setWindowIcon(*icoon);
    else if (const QWidget* actief = QApplication::activeWindow())
        venster.setWindowIcon(actief->windowIcon());
}

} // namespace Vamox
