#include "config/Tekstcodering.h"

#include <QStringDecoder>

#include <array>

namespace Vamox {

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1. Our own table: a Qt built without ICU has
// no Windows-1252 codec.
constexpr std::array<char16_t, 32> kHogeReeks = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

} // namespace

QChar Windows1252Teken(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kHogeReeks[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString TekstDecoderen(const QByteArray& bytes)
{
    // Stateless: a sequence cut off at the end is an error, not a wait for more bytes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString tekst = utf8(bytes);
    if (!utf8.hasError()) return tekst;
    tekst.clear();
    tekst.reserve(bytes.size());
    for (const char c : bytes)
        tekst += Windows1252Teken(static_cast<unsigned char>(c));
    return tekst;
}

QStringList RegelsSplitsen(const QString& tekst)
{
    QStringList regels;
    qsizetype begin = 0;
    const qsizetype n = tekst.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = tekst.at(i);
        if (c != u'\r' && c != u'\n') continue;
        regels.append(tekst.mid(begin, i - begin));
        if (c == u'\r' && i + 1 < n && tekst.at(i + 1) == u'\n') ++i;
        begin = i + 1;
    }
    if (begin < n) regels.append(tekst.mid(begin));
    return regels;
}

} // namespace Vamox
