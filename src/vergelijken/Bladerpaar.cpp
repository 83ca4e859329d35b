#include "vergelijken/Bladerpaar.h"

namespace Vamox {

namespace {
QString MetScheiding(QString pad, QChar scheiding)
{
    if (!pad.endsWith(scheiding)) pad += scheiding;
    return pad;
}
} // namespace

std::optional<QStringList> DelenOnder(const QString& wortel, const QString& map, QChar scheiding)
{
    const QString w = MetScheiding(wortel, scheiding);
    const QString m = MetScheiding(map, scheiding);
    if (!m.startsWith(w)) return std::nullopt;
    return m.mid(w.size()).split(scheiding, Qt::SkipEmptyParts);
}

QString MapOnder(const QString& wortel, const QStringList& delen, QChar scheiding)
{
    QString pad = MetScheiding(wortel, scheiding);
    for (const QString& deel : delen)
        pad += deel + scheiding;
    return pad;
}

} // namespace Vamox
