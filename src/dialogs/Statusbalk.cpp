#include "dialogs/Statusbalk.h"

#include <QStatusBar>
#include <QVariant>
#include <QWidget>

namespace Vamox {

namespace {
constexpr char Deel[] = "vamoxStatusbalkDeel";

// The bar is there while a part of it shows. The window keeps its size: the bar takes its room
// from the controls above it, which the layout moves as for any other change of the client area.
void Bijwerken(QStatusBar& balk)
{
    bool nodig = false;
    for (const QWidget* w : balk.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        nodig = nodig || (w->property(Deel).toBool() && !w->isHidden());
    if (balk.isHidden() == nodig) balk.setVisible(nodig);
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
