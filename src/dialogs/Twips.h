#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace Vamox {

// Twips (1/1440 inch) to device-independent pixels and back, at the screen's logical dpi:
// 15 twips per pixel at 96 dpi. Layouts are computed in twips and converted once at the end.
class TwipsSchaal final
{
public:
    explicit TwipsSchaal(double dpiX = 96.0, double dpiY = 96.0);

    static TwipsSchaal Van(const QWidget* widget); // the widget's screen
    static TwipsSchaal Van(const QScreen* scherm); // nullptr: the primary screen

    int NaarPixelsX(int twips) const;
    int NaarPixelsY(int twips) const;
    int NaarTwipsX(int pixels) const;
    int NaarTwipsY(int pixels) const;

    QPoint NaarPixels(QPoint twips) const;
    QSize NaarPixels(QSize twips) const;
    QRect NaarPixels(const QRect& twips) const;
    QPoint NaarTwips(QPoint pixels) const;
    QSize NaarTwips(QSize pixels) const;
    QRect NaarTwips(const QRect& pixels) const;

private:
    double m_dpiX;
    double m_dpiY;
};

} // namespace Vamox
