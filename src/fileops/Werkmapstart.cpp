#include "fileops/Werkmapstart.h"

#include "fileops/Verwijderen.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace Vamox {

namespace {

const QString WerkmapNaam = QStringLiteral("FtpTijdelijk");

bool HeetWerkmap(const QString& map)
{
    const QFileInfo info(map);
    return info.isAbsolute() && info.fileName().startsWith(WerkmapNaam);
}

Werkmapstart Vers(Werkmapstart uit)
{
    QTemporaryDir vers(QDir::tempPath() + u'/' + WerkmapNaam + QStringLiteral("-XXXXXX"));
    if (!vers.isValid()) return uit;
    vers.setAutoRemove(false);
    uit.map = vers.path();
    uit.eigen = true;
    return uit;
}

} // namespace

Werkmapstart WerkmapInrichten(const QString& map, bool legen)
{
    Werkmapstart uit{map};
    const Padstaat staat = PadstaatVan(map);
    if (staat != Padstaat::Ontbreekt && staat != Padstaat::EigenMap) {
        uit.geweigerd = staat;
        return Vers(uit);
    }
    if (legen && staat == Padstaat::EigenMap) WerkmapOpruimen(map);
    QDir().mkpath(QFileInfo(map).absolutePath());
    if (PriveMap(map)) return uit;
    // Something took its place in between, or it cannot be made here.
    const Padstaat nu = PadstaatVan(map);
    if (nu != Padstaat::Ontbreekt && nu != Padstaat::EigenMap) uit.geweigerd = nu;
    return Vers(uit);
}

void WerkmapOpruimen(const QString& map)
{
    // A file still open may stay: no matter.
    if (HeetWerkmap(map) && PadstaatVan(map) == Padstaat::EigenMap) LokaalWissen(map);
}

} // namespace Vamox
