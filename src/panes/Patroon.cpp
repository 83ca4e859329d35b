#include "panes/Patroon.h"

#include "ftp/FtpPaden.h"

#include <algorithm>
#include <iterator>

namespace Vamox {

Patroon::Patroon(const QString& patroon)
{
    const QList<uint> p = patroon.toLower().toUcs4();
    const qsizetype n = p.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t c = p[i];
        Teken t;
        if (c == U'*') {
            // A run of stars is one star; keeping one bounds the work of matching.
            if (!m_tekens.empty() && m_tekens.back().soort == Soort::Ster) continue;
            t.soort = Soort::Ster;
        } else if (c == U'?') {
            t.soort = Soort::Een;
        } else if (c == U'#') {
            t.soort = Soort::Cijfer;
        } else if (c == U'[') {
            qsizetype begin = i + 1;
            const bool negatief = begin < n && p[begin] == U'!';
            if (negatief) ++begin;
            qsizetype eind = begin;
            while (eind < n && p[eind] != U']')
                ++eind;
            if (eind >= n) {
                t.letter = c; // unclosed: the "[" is an ordinary character
            } else {
                i = eind;
                if (begin == eind && !negatief) continue; // "[]" matches the empty string
                t.soort = Soort::Set;
                t.negatief = negatief;
                for (qsizetype k = begin; k < eind; ++k) {
                    if (k + 2 < eind && p[k + 1] == U'-') {
                        if (p[k] <= p[k + 2]) t.bereiken.push_back({p[k], p[k + 2]});
                        k += 2;
                    } else {
                        t.bereiken.push_back({p[k], p[k]});
                    }
                }
            }
        } else {
            t.letter = c;
        }
        m_tekens.push_back(std::move(t));
    }
    m_alleenStaart = m_tekens.size() > 1 && m_tekens.front().soort == Soort::Ster &&
                     std::all_of(m_tekens.begin() + 1, m_tekens.end(),
                                 [](const Teken& t) { return t.soort == Soort::Letter && t.letter < 0x80; });
    if (m_alleenStaart)
        for (auto t = m_tekens.begin() + 1; t != m_tekens.end(); ++t)
            m_staart += QChar(char16_t(t->letter));
}

bool Patroon::tekenPast(const Teken& t, char32_t c) const
{
    switch (t.soort) {
    case Soort::Letter:
        return c == t.letter;
    case Soort::Een:
        return true;
    case Soort::Cijfer:
        return c >= U'0' && c <= U'9';
    case Soort::Set: {
        bool erin = false;
        for (const Bereik& b : t.bereiken) {
            if (c >= b.van && c <= b.tot) {
                erin = true;
                break;
            }
        }
        return erin != t.negatief;
    }
    case Soort::Ster:
        break;
    }
    return false;
}

bool Patroon::past(const QString& naam) const
{
    // Names of plain ASCII, by far the most, are lower-cased one character at a time on the way:
    // no copy of the name. Others go the way of the full Unicode lower case.
    if (m_alleenStaart && naam.size() >= m_staart.size()) {
        // Lower-casing leaves the length of the ASCII end as it is, so only that end is looked at.
        const QStringView eind = QStringView(naam).right(m_staart.size());
        if (IsAscii(eind)) {
            for (qsizetype i = 0; i < eind.size(); ++i)
                if (KleinAscii(eind.at(i).unicode()) != m_staart.at(i).unicode()) return false;
            return true;
        }
    }
    if (IsAscii(naam)) {
        const char16_t* tekens = reinterpret_cast<const char16_t*>(naam.constData());
        return pastOp([tekens](std::size_t i) { return char32_t(KleinAscii(tekens[i])); },
                      std::size_t(naam.size()));
    }
    const QList<uint> s = naam.toLower().toUcs4();
    return pastOp([&s](std::size_t i) { return char32_t(s[qsizetype(i)]); }, std::size_t(s.size()));
}

template <typename Bron> bool Patroon::pastOp(const Bron& teken, std::size_t n) const
{
    // Every token but "*" takes exactly one character, so going back to the last star only
    // (and letting it take one more character) finds a match whenever one exists.
    const std::size_t m = m_tekens.size();
    constexpr std::size_t geen = static_cast<std::size_t>(-1);
    std::size_t p = 0, i = 0, sterP = geen, sterI = 0;
    while (i < n) {
        if (p < m && m_tekens[p].soort == Soort::Ster) {
            sterP = p++;
            sterI = i;
        } else if (p < m && tekenPast(m_tekens[p], teken(i))) {
            ++p;
            ++i;
        } else if (sterP != geen) {
            p = sterP + 1;
            i = ++sterI;
        } else {
            return false;
        }
    }
    while (p < m && m_tekens[p].soort == Soort::Ster)
        ++p;
    return p == m;
}

bool PatroonPast(const QString& naam, const QString& patroon)
{
    return Patroon(patroon).past(naam);
}

bool PatroonIsLeeg(const QString& tekst)
{
    const QString kern = SpatiesWeg(tekst);
    for (QChar c : kern) {
        if (c != u'*') return false;
    }
    return true;
}

QString ExtensiePatroon(const QString& naam)
{
    const qsizetype punt = naam.lastIndexOf(u'.');
    if (punt < 0) return {};
    return QStringLiteral("*.") + naam.mid(punt + 1).toLower();
}

int Extensies::Index(QStringView naam)
{
    const qsizetype punt = naam.lastIndexOf(u'.');
    if (punt < 0) return 0;
    if (punt + 1 >= naam.size()) return 1;
    const QStringView rauw = naam.mid(punt + 1);
    // Lower-cased on the stack when it is short ASCII; compared with the few texts met so far.
    char16_t klein[16];
    bool ascii = rauw.size() <= qsizetype(std::size(klein));
    for (qsizetype i = 0; ascii && i < rauw.size(); ++i) {
        const char16_t c = rauw.at(i).unicode();
        ascii = c < 0x80;
        klein[i] = KleinAscii(c);
    }
    if (ascii) {
        const QStringView gezocht(klein, rauw.size());
        const std::size_t kort = std::min<std::size_t>(m_teksten.size(), 32);
        for (std::size_t i = 2; i < kort; ++i)
            if (m_teksten[i] == gezocht) return int(i);
        return Opnemen(gezocht.toString());
    }
    return Opnemen(rauw.toString().toLower());
}

int Extensies::Opnemen(const QString& extensie)
{
    const auto gevonden = m_index.constFind(extensie);
    if (gevonden != m_index.cend()) return *gevonden;
    m_teksten.push_back(extensie);
    const int index = int(m_teksten.size()) - 1;
    m_index.insert(extensie, index);
    return index;
}

QString IcoonSleutelVoor(const QString& naam, const ProgrammaBekend& bekend)
{
    const qsizetype punt = naam.lastIndexOf(u'.');
    const QString extensie = punt < 0 ? QString() : naam.mid(punt + 1).toLower();
    if (extensie.isEmpty() || (bekend && !bekend(extensie))) return QStringLiteral("bestand");
    return extensie;
}

QString ProgrammaSleutel(const QString& naam)
{
    if (!naam.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) return {};
    QString sleutel = naam.left(naam.indexOf(u'.'));
    sleutel.remove(u' ');
    return sleutel.toLower();
}

} // namespace Vamox
