#include "platform/gui/Pictogramthema.h"

#include <QDir>
#include <QIcon>
#include <QStringList>

namespace Vamox {

void PictogramthemaKiezen()
{
    const QString huidig = QIcon::themeName();
    if (!huidig.isEmpty() && huidig != QLatin1String("hicolor")) return;
    // Themes that name their pictures after the freedesktop icon names, most common first.
    static const char* const themas[] = {"Adwaita", "breeze", "Papirus", "oxygen", "Tango", "gnome"};
    const QStringList paden = QIcon::themeSearchPaths();
    for (const char* thema : themas) {
        for (const QString& pad : paden) {
            if (QDir(pad).exists(QLatin1String(thema) + QLatin1String("/index.theme"))) {
                QIcon::setThemeName(QLatin1String(thema));
                return;
            }
        }
    }
}

} // namespace Vamox
