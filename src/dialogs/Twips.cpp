#include "dialogs/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace Vamox {

namespace {

constexpr double TwipsPerInch = 1440.0;

int Afronden(double waarde)
{
    return static_cast<int>(std::lround(waarde));
}

} // namespace

TwipsSchaal::TwipsSchaal(double dpiX, double dpiY)
    : m_dpiX(dpiX > 0 ? dpiX : 96.0), m_dpiY(dpiY > 0 ? dpiY : 96.0)
{
}

TwipsSchaal TwipsSchaal::Van(const QWidget* widget)
{
    if (widget == nullptr) return Van(static_cast<const QScreen*>(nullptr));
    return TwipsSchaal(widget->logicalDpiX(), widget->logicalDpiY());
}

TwipsSchaal TwipsSchaal::Van(const QScreen* scherm)
{
    if (scherm == nullptr) scherm = QGuiApplication::primaryScreen();
    if (scherm == nullptr) return TwipsSchaal();
    return TwipsSchaal(scherm->logicalDotsPerInchX(), scherm->logicalDotsPerInchY());
}

int TwipsSchaal::NaarPixelsX(int twips) const
{
    return Afronden(twips * m_dpiX / TwipsPerInch);
}
int TwipsSchaal::NaarPixelsY(int twips) const
{
    return Afronden(twips * m_dpiY / TwipsPerInch);
}
int TwipsSchaal::NaarTwipsX(int pixels) const
{
    return Afronden(pixels * TwipsPerInch / m_dpiX);
}
int TwipsSchaal::NaarTwipsY(int pixels) const
{
    return Afronden(pixels * TwipsPerInch / m_dpiY);
}

QPoint TwipsSchaal::NaarPixels(QPoint twips) const
{
    return {NaarPixelsX(twips.x()), NaarPixelsY(twips.y())};
}

QSize TwipsSchaal::NaarPixels(QSize twips) const
{
    return {NaarPixelsX(twips.width()), NaarPixelsY(twips.height())};
}

// Edges are converted rather than the size, so that neighbouring rectangles stay neighbours.
QRect TwipsSchaal::NaarPixels(const QRect& twips) const
{
    const QPoint links = NaarPixels(twips.topLeft());
    const QPoint rechts(NaarPixelsX(twips.x() + twips.width()), NaarPixelsY(twips.y() + twips.height()));
    return {links, QSize(rechts.x() - links.x(), rechts.y() - links.y())};
}

QPoint TwipsSchaal::NaarTwips(QPoint pixels) const
{
    return {NaarTwipsX(pixels.x()), NaarTwipsY(pixels.y())};
}

QSize TwipsSchaal::NaarTwips(QSize pixels) const
{
    return {NaarTwipsX(pixels.width()), NaarTwipsY(pixels.height())};
}

QRect TwipsSchaal::NaarTwips(const QRect& pixels) const
{
    return {NaarTwips(pixels.topLeft()), NaarTwips(pixels.size())};
}

} // namespace Vamox
