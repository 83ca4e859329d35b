#include "dialogs/Statusbalk.h"

#include <QStatusBar>
#include <QVariant>
#include <QWidget>

#include <utility>

namespace Vamox {

namespace {
constexpr char Deel[] = "vamoxStatusbalkDeel";
constexpr char Groei[] = "vamoxStatusbalkGroei"; // pixels the window grew by to show the bar

void Bijwerken(QStatusBar& balk)
{
    bool nodig = false;
    for (const QWidget* w : balk.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        nodig = nodig || (w->property(Deel).toBool() && !w->isHidden());
    if (balk.isHidden() != nodig) return;
    QWidget* venster = balk.window();
    const bool eigenMaat = !(venster->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const int eerder = balk.property(Groei).toInt();
    const int groei = !nodig ? -eerder : eigenMaat ? balk.sizeHint().height() : 0;
    balk.setProperty(Groei, nodig ? groei : 0);
    balk.setVisible(nodig);
    if (eigenMaat && groei != 0) venster->resize(venster->width(), venster->height() + groei);
}
} // namespace

void StatusbalkDeel(QStatusBar& balk, QWidget& deel, int rek, bool permanent)
{
    deel.setProperty(Deel, true);
    if (permanent)
        balk.addPermanentWidget(&deel, rek);
    else
        balk.addWidget(&deel, rek);
    deel.hide();
    Bijwerken(balk);
}

void StatusbalkDeelTonen(QStatusBar& balk, QWidget& deel, bool tonen)
{
    deel.setVisible(tonen);
    Bijwerken(balk);
}

} // namespace Vamox
