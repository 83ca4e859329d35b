#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace Vamox {

namespace {

bool IsScheiding(QChar c)
{
    return c == u'/' || c == LokaalScheiding;
}

QStringList LokaleDelen(const QString& pad)
{
    QStringList delen;
    QString deel;
    for (QChar c : pad) {
        if (IsScheiding(c)) {
            if (!deel.isEmpty()) delen.push_back(deel);
            deel.clear();
        } else {
            deel += c;
        }
    }
    if (!deel.isEmpty()) delen.push_back(deel);
    return delen;
}

bool AlleVeilig(const QStringList& namen)
{
    for (const QString& naam : namen)
        if (!VeiligeNaam(naam)) return false;
    return true;
}

constexpr Qt::CaseSensitivity LokaleLetters =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

} // namespace

QString ZonderEindscheiding(QString pad)
{
    while (pad.size() > 1 && IsScheiding(pad.back()))
        pad.chop(1);
    return pad;
}

QString EigenNaam(const QString& pad)
{
    const QString kern = ZonderEindscheiding(pad);
    return kern.mid(std::max(kern.lastIndexOf(u'/'), kern.lastIndexOf(LokaalScheiding)) + 1);
}

bool EindigtMetScheiding(const QString& pad)
{
    return !pad.isEmpty() && IsScheiding(pad.back());
}

bool VeiligeNaam(const QString& naam)
{
    if (naam.isEmpty() || naam == QLatin1String(".") || naam == QLatin1String("..")) return false;
    for (QChar c : naam)
        if (c == u'/' || c == u'\\' || c == QChar(0)) return false;
#ifdef Q_OS_WIN
    // "..." and ".. " become ".." once the system has stripped them; "x:y" opens a stream.
    if (naam.contains(u':') || naam.endsWith(u'.') || naam.endsWith(u' ')) return false;
#endif
    return true;
}

QString LokaalDoelPad(const QString& lokaleMap, const QString& naam)
{
    if (lokaleMap.isEmpty() || !VeiligeNaam(naam)) return {};
    return EindigtMetScheiding(lokaleMap) ? lokaleMap + naam : lokaleMap + LokaalScheiding + naam;
}

QString NaarServerpad(const QString& startMap, const QString& lokaalPad, const QString& serverMap)
{
    const QString start = ZonderEindscheiding(startMap);
    const QString pad = ZonderEindscheiding(lokaalPad);
    const QStringList startDelen = LokaleDelen(start);
    if (startDelen.isEmpty() || !VeiligeNaam(startDelen.back())) return {};

    QString rest;
    if (pad.compare(start, LokaleLetters) != 0) {
        if (pad.size() <= start.size() + 1 || !pad.startsWith(start, LokaleLetters) ||
            !IsScheiding(pad.at(start.size())))
            return {};
        rest = pad.mid(start.size() + 1);
    }
    const QStringList delen = QStringList{startDelen.back()} + LokaleDelen(rest);
    if (!AlleVeilig(delen)) return {};

    QString basis = serverMap;
    while (basis.endsWith(u'/'))
        basis.chop(1);
    if (!basis.startsWith(u'/')) basis.prepend(u'/');
    if (basis == QLatin1String("/")) basis.clear();
    return basis + u'/' + delen.join(u'/');
}

QString NaarLokaalPad(const QString& gekozenMap, const QString& serverPad, const QString& lokaleMap)
{
    if (lokaleMap.isEmpty()) return {};
    const QStringList gekozen = gekozenMap.split(u'/', Qt::SkipEmptyParts);
    const QStringList pad = serverPad.split(u'/', Qt::SkipEmptyParts);
    if (gekozen.isEmpty() || pad.size() < gekozen.size()) return {};
    for (qsizetype i = 0; i < gekozen.size(); ++i)
        if (pad.at(i) != gekozen.at(i)) return {};

    const QStringList delen = pad.mid(gekozen.size() - 1);
    if (!AlleVeilig(delen)) return {};
    const QString basis = ZonderEindscheiding(lokaleMap);
    const QString relatief = delen.join(LokaalScheiding);
    return EindigtMetScheiding(basis) ? basis + relatief : basis + LokaalScheiding + relatief;
}

bool BinnenMap(const QString& map, const QString& pad)
{
    const auto echt = [](const QString& p) {
        const QFileInfo info(p);
        const QString kanoniek = info.canonicalFilePath();
        return QDir::cleanPath(kanoniek.isEmpty() ? info.absoluteFilePath() : kanoniek);
    };
    const QString bron = echt(map);
    const QString doel = echt(pad);
    if (bron == doel) return true;
    return doel.startsWith(bron.endsWith(u'/') ? bron : bron + u'/');
}

} // namespace Vamox
