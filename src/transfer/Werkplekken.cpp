#include "transfer/Werkplekken.h"

#include "transfer/OverdrachtPaden.h"

#include <QFile>

namespace Vamox {

namespace {

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

} // namespace Vamox
