#include "panes/Rijen.h"

#include "ftp/FtpPaden.h"

namespace Vamox {

namespace {

// Reads the digits at `pos`; -1 when there are none (or too many to be a date part).
int Getal(QStringView t, qsizetype& pos)
{
    int waarde = 0;
    int cijfers = 0;
    while (pos < t.size() && t[pos] >= u'0' && t[pos] <= u'9') {
        if (++cijfers > 6) return -1;
        waarde = waarde * 10 + (t[pos].unicode() - u'0');
        ++pos;
    }
    return cijfers == 0 ? -1 : waarde;
}

void Cijfers(QString& uit, int n, int breedte)
{
    const QString s = QString::number(n);
    for (qsizetype i = s.size(); i < breedte; ++i)
        uit += u'0';
    uit += s;
}

} // namespace

QDate DatumUitTekst(QStringView tekst)
{
    qsizetype pos = 0;
    const int dag = Getal(tekst, pos);
    if (dag < 0 || pos >= tekst.size() || tekst[pos] != u'-') return {};
    ++pos;
    const int maand = Getal(tekst, pos);
    if (maand < 0 || pos >= tekst.size() || tekst[pos] != u'-') return {};
    ++pos;
    const int jaar = Getal(tekst, pos);
    if (jaar < 0 || (pos < tekst.size() && tekst[pos] != u' ')) return {};
    return QDate(jaar, maand, dag); // invalid for 31-02 and the like
}

std::optional<ListRow> RijUitRegel(const QString& regel, const ProgrammaBekend& bekend)
{
    const qsizetype eerste = regel.indexOf(Scheidingsteken);
    if (eerste < 0) return std::nullopt;
    const qsizetype tweede = regel.indexOf(Scheidingsteken, eerste + 1);
    if (tweede < 0 || regel.indexOf(Scheidingsteken, tweede + 1) >= 0) return std::nullopt;

    const QStringView v(regel);
    ListRow rij;
    rij.naam = regel.left(eerste);
    rij.datum = DatumUitTekst(v.mid(eerste + 1, tweede - eerste - 1));
    bool ok = false;
    const qint64 grootte = v.mid(tweede + 1).toLongLong(&ok);
    rij.grootte = ok && grootte > 0 ? grootte : 0;
    rij.icoonSleutel = IcoonSleutelVoor(rij.naam, bekend);
    return rij;
}

QString LokaalBestandRegel(const QString& naam, const QDateTime& gewijzigd, qint64 grootte)
{
    const QDate d = gewijzigd.date();
    const QTime t = gewijzigd.time();
    QString uit;
    uit.reserve(naam.size() + 40);
    uit += naam;
    uit += Scheidingsteken;
    Cijfers(uit, d.day(), 2);
    uit += u'-';
    Cijfers(uit, d.month(), 2);
    uit += u'-';
    Cijfers(uit, d.year(), 4);
    uit += u' ';
    Cijfers(uit, t.hour(), 2);
    uit += u':';
    Cijfers(uit, t.minute(), 2);
    uit += u':';
    Cijfers(uit, t.second(), 2);
    uit += Scheidingsteken;
    uit += QString::number(grootte);
    return uit;
}

QString LokaalBestandRegel(const QFileInfo& info)
{
    return LokaalBestandRegel(info.fileName(), info.lastModified(), info.size());
}

QString NaamUitRegel(const QString& regel)
{
    const qsizetype eerste = regel.indexOf(Scheidingsteken);
    return eerste < 0 ? regel : regel.left(eerste);
}

} // namespace Vamox
