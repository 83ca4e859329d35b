#include "dialogs/Inp.h"

#include "dialogs/InpVenster.h"

#include <QApplication>
#include <QPointer>

namespace Vamox {

QString i(const InpOpties& opties)
{
    // The active window may go away while the prompt waits (nested event loops): the prompt goes
    // with it, as cancelled.
    QPointer<InpVenster> venster = new InpVenster(opties, QApplication::activeWindow());
    const int keuze = venster->exec();
    if (venster.isNull()) return QString();
    const QString invoer = keuze == QDialog::Accepted ? venster->Invoer() : QString();
    delete venster.data();
    return invoer;
}

} // namespace Vamox
