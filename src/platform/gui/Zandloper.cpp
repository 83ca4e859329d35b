#include "platform/gui/Zandloper.h"

#include <QApplication>
#include <QCursor>

namespace Vamox {

namespace {
bool& Aan()
{
    static bool aan = false;
    return aan;
}
} // namespace

void Zandloper(bool aan)
{
    if (Aan() == aan) return;
    Aan() = aan;
    if (aan)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

bool ZandloperAan()
{
    return Aan();
}

} // namespace Vamox
