#include "ftp/FtpPaden.h"

#include <QDir>
#include <QUrl>

#include <algorithm>
#include <numeric>
#include <vector>

namespace Vamox {

QString SpatiesWeg(const QString& tekst)
{
    qsizetype begin = 0;
    qsizetype eind = tekst.size();
    while (begin < eind && tekst.at(begin) == u' ')
        ++begin;
    while (eind > begin && tekst.at(eind - 1) == u' ')
        --eind;
    return tekst.mid(begin, eind - begin);
}

namespace {
QString SchuinenWeg(QString pad)
{
    while (pad.startsWith(u'/'))
        pad.remove(0, 1);
    while (pad.endsWith(u'/'))
        pad.chop(1);
    return pad;
}
} // namespace

QString FtpMapNormaliseren(const QString& map)
{
    const QString kern = SpatiesWeg(SchuinenWeg(SpatiesWeg(map)));
    return u'/' + kern + u'/';
}

QString FtpPadVoorvoegsel(const QString& pad)
{
    return pad.startsWith(u'/') ? pad : u'/' + pad;
}

QByteArray FtpUrlPad(const QString& absolutPad)
{
    QByteArray uit = "%2F";
    const QStringList delen = absolutPad.split(u'/');
    bool eerste = true;
    for (qsizetype i = 0; i < delen.size(); ++i) {
        // The leading empty piece is the root, already written as %2F.
        if (i == 0 && delen.at(0).isEmpty()) continue;
        if (!eerste) uit += '/';
        uit += QUrl::toPercentEncoding(delen.at(i));
        eerste = false;
    }
    return uit;
}

bool FtpVeiligeTekst(const QString& tekst)
{
    for (const QChar c : tekst)
        if (c == u'\r' || c == u'\n' || c == QChar(0) || c == QChar::ReplacementCharacter) return false;
    return true;
}

void TabelSorteren(QStringList& tabel, bool hoofdletterOngevoelig)
{
    if (tabel.size() < 2) return;
    // Neighbour exchange only swaps when strictly greater, so it is a stable sort: a stable
    // O(n log n) sort on the same keys gives the same order.
    if (!hoofdletterOngevoelig) {
        std::stable_sort(tabel.begin(), tabel.end());
        return;
    }
    std::vector<QString> sleutels;
    sleutels.reserve(tabel.size());
    for (const QString& s : std::as_const(tabel))
        sleutels.push_back(s.toLower());
    std::vector<qsizetype> volgorde(tabel.size());
    std::iota(volgorde.begin(), volgorde.end(), 0);
    std::stable_sort(volgorde.begin(), volgorde.end(),
                     [&](qsizetype a, qsizetype b) { return sleutels[a] < sleutels[b]; });
    QStringList gesorteerd;
    gesorteerd.reserve(tabel.size());
    for (qsizetype i : volgorde)
        gesorteerd.push_back(std::move(tabel[i]));
    tabel = std::move(gesorteerd);
}

void MappenBijwerken(QString& lokaleMap, QString& serverMap)
{
    const QChar sep = QDir::separator();
    while (lokaleMap.endsWith(sep))
        lokaleMap.chop(1);
    lokaleMap += sep;

    const QString kern = SchuinenWeg(serverMap);
    serverMap = kern.isEmpty() ? QStringLiteral("/") : u'/' + kern + u'/';
}

} // namespace Vamox
