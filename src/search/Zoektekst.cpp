#include "search/Zoektekst.h"

#include "config/Tekstcodering.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VAMOX_SSE2 1
#endif

namespace Vamox {

namespace {

// Blocks of this size stay in the processor's cache between reading and scanning.
constexpr qsizetype BlokGrootte = 256 * 1024;

// The Windows-1252 byte of a character, for the characters the code page has.
const QHash<char32_t, char>& Windows1252Bytes()
{
    static const QHash<char32_t, char> bytes = [] {
        QHash<char32_t, char> uit;
        for (int b = 0x80; b <= 0xFF; ++b)
            uit.insert(Windows1252Teken(static_cast<unsigned char>(b)).unicode(), static_cast<char>(b));
        return uit;
    }();
    return bytes;
}

// The character as it may be written: itself, in small letters and in capitals.
std::vector<char32_t> Spellingen(char32_t c)
{
    std::vector<char32_t> uit{c, QChar::toLower(c), QChar::toUpper(c), QChar::toTitleCase(c)};
    std::sort(uit.begin(), uit.end());
    uit.erase(std::unique(uit.begin(), uit.end()), uit.end());
    return uit;
}

QByteArray Utf8(char32_t c)
{
    return QString::fromUcs4(&c, 1).toUtf8();
}

// Adds a byte to a small set; false when the set is full.
bool Toevoegen(unsigned char (&set)[4], int& aantal, unsigned char b)
{
    for (int i = 0; i < aantal; ++i)
        if (set[i] == b) return true;
    if (aantal == 4) return false;
    set[aantal++] = b;
    return true;
}

#ifdef VAMOX_SSE2
// Positions among 16 bytes that hold one of the bytes of the set.
inline unsigned Treffers(__m128i blok, const __m128i* set, int aantal)
{
    __m128i gelijk = _mm_cmpeq_epi8(blok, set[0]);
    for (int i = 1; i < aantal; ++i)
        gelijk = _mm_or_si128(gelijk, _mm_cmpeq_epi8(blok, set[i]));
    return static_cast<unsigned>(_mm_movemask_epi8(gelijk));
}
#endif

} // namespace

Zoektekst::Zoektekst(const QString& tekst)
{
    if (tekst.trimmed().isEmpty()) return;
    std::vector<Eenheid> utf8;
    std::vector<Eenheid> cp1252;
    bool hoog = false;
    bool in1252 = true;
    for (const char32_t c : tekst.toUcs4()) {
        Eenheid u;
        Eenheid w;
        for (const char32_t s : Spellingen(c)) {
            u.push_back(Utf8(s));
            if (s < 0x80) {
                w.push_back(QByteArray(1, static_cast<char>(s)));
            } else if (const auto b = Windows1252Bytes().constFind(s); b != Windows1252Bytes().cend()) {
                w.push_back(QByteArray(1, *b));
            }
        }
        hoog = hoog || c >= 0x80;
        in1252 = in1252 && !w.empty();
        utf8.push_back(std::move(u));
        cp1252.push_back(std::move(w));
    }
    Vorm vorm;
    if (VormMaken(vorm, utf8)) m_vormen.push_back(std::move(vorm));
    Vorm enkel;
    if (hoog && in1252 && VormMaken(enkel, cp1252)) m_vormen.push_back(std::move(enkel));
    for (const Vorm& v : m_vormen)
        m_maxLengte = std::max(m_maxLengte, v.langste);
}

bool Zoektekst::VormMaken(Vorm& vorm, const std::vector<Eenheid>& eenheden)
{
    if (eenheden.empty()) return false;
    qsizetype langste = 0;
    qsizetype vast = 0;
    for (const Eenheid& e : eenheden) {
        qsizetype kort = e.front().size();
        qsizetype lang = kort;
        for (const QByteArray& s : e) {
            kort = std::min(kort, s.size());
            lang = std::max(lang, s.size());
        }
        langste += lang;
        vast = (vast >= 0 && kort == lang) ? vast + lang : -1;
    }
    vorm.eenheden = eenheden;
    vorm.vasteLengte = vast;
    for (const QByteArray& s : eenheden.front())
        if (!Toevoegen(vorm.eerste, vorm.aantalEerste, static_cast<unsigned char>(s.front()))) {
            vorm.aantalEerste = 0;
            break;
        }
    if (vast > 1) {
        for (const QByteArray& s : eenheden.back())
            if (!Toevoegen(vorm.laatste, vorm.aantalLaatste, static_cast<unsigned char>(s.back()))) {
                vorm.aantalLaatste = 0;
                break;
            }
    }
    vorm.langste = langste;
    return true;
}

bool Zoektekst::PastVanaf(const Vorm& vorm, std::size_t eenheid, const char* p, const char* eind)
{
    if (eenheid == vorm.eenheden.size()) return true;
    for (const QByteArray& s : vorm.eenheden[eenheid]) {
        if (eind - p < s.size() || std::memcmp(p, s.constData(), size_t(s.size())) != 0) continue;
        if (PastVanaf(vorm, eenheid + 1, p + s.size(), eind)) return true;
    }
    return false;
}

bool Zoektekst::ZitIn(const char* data, qsizetype lengte) const
{
    for (const Vorm& vorm : m_vormen)
        if (ZitIn(vorm, data, lengte)) return true;
    return false;
}

bool Zoektekst::ZitIn(const Vorm& vorm, const char* data, qsizetype lengte) const
{
    const char* eind = data + lengte;
    qsizetype i = 0;
#ifdef VAMOX_SSE2
    if (vorm.aantalEerste > 0) {
        __m128i eerste[4];
        __m128i laatste[4];
        for (int k = 0; k < vorm.aantalEerste; ++k)
            eerste[k] = _mm_set1_epi8(static_cast<char>(vorm.eerste[k]));
        for (int k = 0; k < vorm.aantalLaatste; ++k)
            laatste[k] = _mm_set1_epi8(static_cast<char>(vorm.laatste[k]));
        // The last byte sits at a fixed distance when every spelling is as long: candidates must
        // show both ends, which leaves few to compare in full.
        const qsizetype afstand = vorm.aantalLaatste > 0 ? vorm.vasteLengte - 1 : 0;
        for (; i + afstand + 16 <= lengte; i += 16) {
            unsigned m = Treffers(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i)), eerste,
                                  vorm.aantalEerste);
            if (m != 0 && vorm.aantalLaatste > 0)
                m &= Treffers(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + afstand)), laatste,
                              vorm.aantalLaatste);
            while (m != 0) {
                const int bit = std::countr_zero(m);
                if (PastVanaf(vorm, 0, data + i + bit, eind)) return true;
                m &= m - 1;
            }
        }
    }
#endif
    for (; i < lengte; ++i) {
        if (vorm.aantalEerste > 0 &&
            std::find(vorm.eerste, vorm.eerste + vorm.aantalEerste, static_cast<unsigned char>(data[i])) ==
                vorm.eerste + vorm.aantalEerste)
            continue;
        if (PastVanaf(vorm, 0, data + i, eind)) return true;
    }
    return false;
}

Bevinding BestandBevatTekst(const QString& pad, const Zoektekst& tekst, const Tussendoor& tussendoor)
{
    if (tekst.Leeg()) return Bevinding::NietGevonden;
    QFile bestand(pad);
    // Unbuffered: every block goes from the system straight into ours.
    if (!bestand.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return Bevinding::Onleesbaar;
    const qsizetype overlap = tekst.MaxLengte() - 1;
    QByteArray buffer(BlokGrootte + overlap, Qt::Uninitialized);
    qsizetype bewaard = 0;
    for (;;) {
        if (tussendoor) {
            switch (tussendoor()) {
            case Onderbreking::Doorgaan:
                break;
            case Onderbreking::Overslaan:
                return Bevinding::Overgeslagen;
            case Onderbreking::Stoppen:
                return Bevinding::Gestopt;
            }
        }
        const qint64 gelezen = bestand.read(buffer.data() + bewaard, BlokGrootte);
        if (gelezen < 0) return Bevinding::Onleesbaar;
        if (gelezen == 0) return Bevinding::NietGevonden;
        const qsizetype samen = bewaard + qsizetype(gelezen);
        if (tekst.ZitIn(buffer.constData(), samen)) return Bevinding::Gevonden;
        bewaard = std::min(overlap, samen);
        std::memmove(buffer.data(), buffer.constData() + samen - bewaard, size_t(bewaard));
    }
}

} // namespace Vamox
