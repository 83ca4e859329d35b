#pragma once

#include <QString>

namespace Vamox {

// The application's title, shown in the main window's caption and in every notice.
inline QString AppTitel()
{
    return QStringLiteral("Vamox");
}

} // namespace Vamox
