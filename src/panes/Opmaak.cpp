#include "panes/Opmaak.h"

#include <QLocale>

namespace Vamox {

namespace {

QLocale GroeperendeLocale()
{
    QLocale loc;
    loc.setNumberOptions(loc.numberOptions() & ~QLocale::OmitGroupSeparator);
    return loc;
}

// Digits in groups of three from the right; ASCII digits whatever the locale, because the
// result is also a sort key.
QString Groeperen(const QString& cijfers, const QString& scheiding)
{
    QString uit;
    uit.reserve(cijfers.size() + (cijfers.size() / 3) * scheiding.size());
    for (qsizetype i = 0; i < cijfers.size(); ++i) {
        if (i > 0 && (cijfers.size() - i) % 3 == 0) uit += scheiding;
        uit += cijfers.at(i);
    }
    return uit;
}

// round(n * 10^decimalen / 2^verschuiving), halves up, without overflow for any n >= 0.
qint64 Afgerond(qint64 n, int verschuiving, qint64 tienmacht)
{
    const qint64 geheel = n >> verschuiving;
    const qint64 rest = n & ((qint64(1) << verschuiving) - 1);
    const qint64 half = qint64(1) << (verschuiving - 1);
    return geheel * tienmacht + ((rest * tienmacht + half) >> verschuiving);
}

QString MetDecimalen(qint64 vast, int decimalen, qint64 tienmacht, const QString& eenheid)
{
    const QLocale loc = GroeperendeLocale();
    QString uit = GetalTekst(vast / tienmacht);
    if (decimalen > 0) {
        uit += loc.decimalPoint();
        uit += QString::number(vast % tienmacht).rightJustified(decimalen, u'0');
    }
    return uit + u' ' + eenheid;
}

void TweeCijfers(QString& uit, int n)
{
    uit += QChar(u'0' + n / 10 % 10);
    uit += QChar(u'0' + n % 10);
}

} // namespace

QString GetalTekst(qint64 n)
{
    return GroeperendeLocale().toString(n);
}

QString GrootteSleutel(qint64 n)
{
    const QString cijfers = QString::number(n < 0 ? 0 : n).rightJustified(11, u'0');
    return Groeperen(cijfers, GroeperendeLocale().groupSeparator());
}

QString GrootteTekst(qint64 n)
{
    if (n < 0) n = 0;
    if (n < 1'000'000) return MetDecimalen(Afgerond(n, 10, 1), 0, 1, QStringLiteral("kB"));
    if (n < 1'000'000'000) return MetDecimalen(Afgerond(n, 20, 10), 1, 10, QStringLiteral("MB"));
    return MetDecimalen(Afgerond(n, 30, 100), 2, 100, QStringLiteral("GB"));
}

QString DatumTekst(const QDate& d)
{
    if (!d.isValid()) return {};
    int j = 0, m = 0, dag = 0;
    d.getDate(&j, &m, &dag);
    QString uit;
    uit.reserve(10);
    TweeCijfers(uit, dag);
    uit += u'-';
    TweeCijfers(uit, m);
    uit += u'-';
    uit += QString::number(j).rightJustified(4, u'0');
    return uit;
}

QString DatumSleutel(const QDate& d)
{
    if (!d.isValid()) return {};
    int j = 0, m = 0, dag = 0;
    d.getDate(&j, &m, &dag);
    QString uit = QString::number(j).rightJustified(4, u'0');
    uit += u'-';
    TweeCijfers(uit, m);
    uit += u'-';
    TweeCijfers(uit, dag);
    return uit;
}

QString RechtenTekst(int rechten)
{
    if (rechten < 0) return {};
    QString uit(9, u'-');
    static constexpr char16_t letters[3] = {u'r', u'w', u'x'};
    for (int i = 0; i < 9; ++i)
        if (rechten & (0400 >> i)) uit[i] = letters[i % 3];
    static constexpr int bijzonder[3] = {04000, 02000, 01000};
    for (int d = 0; d < 3; ++d) {
        if (!(rechten & bijzonder[d])) continue;
        const bool x = rechten & (0100 >> (d * 3));
        uit[d * 3 + 2] = d == 2 ? (x ? u't' : u'T') : (x ? u's' : u'S');
    }
    return uit;
}

} // namespace Vamox
