#include "dialogs/QtVertaling.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Vamox {

bool QtVertalingLaden()
{
    auto* vertaler = new QTranslator(QCoreApplication::instance());
    if (vertaler->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(vertaler))
        return true;
    delete vertaler;
    return false;
}

} // namespace Vamox
