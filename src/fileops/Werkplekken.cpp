#include "fileops/Werkplekken.h"

#include "fileops/Verwijderen.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace Vamox {

namespace {

const QString WerkmapNaam = QStringLiteral("FtpTijdelijk");

// A server's folder name as a local one; `extra` is escaped too.
QString Deel(const QString& naam, const QString& extra = {})
{
    static const QString verboden = QStringLiteral("%/\\:*?\"<>|");
    QString uit;
    for (const QChar c : naam) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F && !verboden.contains(c) && !extra.contains(c)) {
            uit += c;
            continue;
        }
        for (const char b : QString(c).toUtf8())
            uit += u'%' + QString::number(uchar(b), 16).toUpper().rightJustified(2, u'0');
    }
    if (uit == QLatin1String(".") || uit == QLatin1String("..")) uit.replace(u'.', QLatin1String("%2E"));
    return uit;
}

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

QString WerkplekPad(const QString& werkmap, Werkplek plek)
{
    static const char* const namen[] = {"Openen", "Zoeken", "Klembord", "Slepen", "Kopieren"};
    return werkmap + u'/' + QLatin1String(namen[int(plek)]);
}

QString Werkkopie(const QString& werkmap, const FtpGegevens& server, const QString& serverPad)
{
    QString map = WerkplekPad(werkmap, Werkplek::Openen) + u'/' +
                  Deel(server.gebruiker, QStringLiteral("@")) + u'@' + Deel(server.host) + u'_' +
                  QString::number(server.poort);
    const QStringList delen = serverPad.split(u'/', Qt::SkipEmptyParts);
    if (delen.isEmpty()) return {};
    for (qsizetype i = 0; i + 1 < delen.size(); ++i)
        map += u'/' + Deel(delen[i]);
    return LokaalDoelPad(map, delen.last());
}

bool AlleenVoorEigenaar(const QString& bestand)
{
    return QFile::setPermissions(bestand, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

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
