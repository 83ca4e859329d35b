#include "panes/RijenSorteren.h"

#include "panes/Patroon.h"
#include "panes/Rijen.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

namespace Vamox {

namespace {

// A key of a row and where the row is now. Sorted as values, so the comparisons read the keys in
// order instead of jumping through the rows; equal keys keep the rows' order through the
// position, in both directions.
template <typename Sleutel> struct Plek
{
    Sleutel sleutel;
    std::uint32_t rij;
};

template <typename Sleutel>
std::vector<std::uint32_t> Ordenen(std::vector<Plek<Sleutel>>& plekken, bool oplopend)
{
    if (oplopend)
        std::sort(plekken.begin(), plekken.end(), [](const Plek<Sleutel>& a, const Plek<Sleutel>& b) {
            return a.sleutel < b.sleutel || (!(b.sleutel < a.sleutel) && a.rij < b.rij);
        });
    else
        std::sort(plekken.begin(), plekken.end(), [](const Plek<Sleutel>& a, const Plek<Sleutel>& b) {
            return b.sleutel < a.sleutel || (!(a.sleutel < b.sleutel) && a.rij < b.rij);
        });
    std::vector<std::uint32_t> volgorde;
    volgorde.reserve(plekken.size());
    for (const Plek<Sleutel>& p : plekken)
        volgorde.push_back(p.rij);
    return volgorde;
}

template <typename Waarde, typename Maken>
std::vector<std::uint32_t> VolgensWaarde(const std::vector<ListRow>& rijen, bool oplopend, Maken maken)
{
    std::vector<Plek<Waarde>> plekken;
    plekken.reserve(rijen.size());
    for (std::size_t i = 0; i < rijen.size(); ++i)
        plekken.push_back({maken(rijen[i]), std::uint32_t(i)});
    return Ordenen(plekken, oplopend);
}

// The lower-cased name as the sort compares it: its first units packed into two integers, whose
// order is that of the text; only names that share them are compared in full. When every name is
// ASCII a unit takes 8 bits (16 units in the key) and no lower-cased copy is made; otherwise 16
// bits (8 units) over lower-cased copies.
struct NaamSleutel
{
    quint64 kop[2];
    const QString* naam; // lower-cased already, or ASCII lower-cased while compared
    bool ascii;

    char16_t Teken(qsizetype i) const
    {
        return ascii ? KleinAscii(naam->at(i).unicode()) : naam->at(i).unicode();
    }

    friend bool operator<(const NaamSleutel& a, const NaamSleutel& b)
    {
        if (a.kop[0] != b.kop[0]) return a.kop[0] < b.kop[0];
        if (a.kop[1] != b.kop[1]) return a.kop[1] < b.kop[1];
        const qsizetype n = std::min(a.naam->size(), b.naam->size());
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t x = a.Teken(i), y = b.Teken(i);
            if (x != y) return x < y;
        }
        return a.naam->size() < b.naam->size();
    }
};

NaamSleutel Sleutel(const QString& naam, bool ascii)
{
    NaamSleutel s{{0, 0}, &naam, ascii};
    const int breedte = ascii ? 8 : 16;
    const qsizetype per = 64 / breedte;
    for (qsizetype i = 0; i < 2 * per; ++i) {
        const quint64 eenheid = i < naam.size() ? s.Teken(i) : 0u;
        quint64& w = s.kop[i / per];
        w = (w << breedte) | eenheid;
    }
    return s;
}

std::vector<std::uint32_t> VolgensNaam(const std::vector<ListRow>& rijen, bool oplopend)
{
    const bool ascii =
        std::all_of(rijen.begin(), rijen.end(), [](const ListRow& r) { return IsAscii(r.naam); });
    std::vector<QString> klein;
    if (!ascii) {
        klein.reserve(rijen.size());
        for (const ListRow& r : rijen)
            klein.push_back(r.naam.toLower());
    }
    std::vector<Plek<NaamSleutel>> plekken;
    plekken.reserve(rijen.size());
    for (std::size_t i = 0; i < rijen.size(); ++i)
        plekken.push_back({Sleutel(ascii ? rijen[i].naam : klein[i], ascii), std::uint32_t(i)});
    return Ordenen(plekken, oplopend);
}

} // namespace

std::vector<std::uint32_t> RijenVolgorde(const std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend)
{
    switch (kolom) {
    case SorteerKolom::Grootte:
        return VolgensWaarde<qint64>(rijen, oplopend,
                                     [](const ListRow& r) { return r.grootte < 0 ? qint64(0) : r.grootte; });
    case SorteerKolom::Datum:
        // An invalid date has an empty text key, which sorts before every day.
        return VolgensWaarde<qint64>(rijen, oplopend, [](const ListRow& r) {
            return r.datum.isValid() ? r.datum.toJulianDay() : std::numeric_limits<qint64>::min();
        });
    case SorteerKolom::Rechten:
        return VolgensWaarde<qint64>(rijen, oplopend, [](const ListRow& r) { return qint64(RechtenVan(r)); });
    case SorteerKolom::Naam:
        break;
    }
    return VolgensNaam(rijen, oplopend);
}

void RijenSorteren(std::vector<ListRow>& rijen, SorteerKolom kolom, bool oplopend)
{
    if (rijen.size() < 2) return;
    const std::vector<std::uint32_t> volgorde = RijenVolgorde(rijen, kolom, oplopend);
    std::vector<ListRow> gesorteerd;
    gesorteerd.reserve(rijen.size());
    for (std::uint32_t i : volgorde)
        gesorteerd.push_back(std::move(rijen[i]));
    rijen = std::move(gesorteerd);
}

bool NaamEerder(const QString& a, const QString& b)
{
    // ASCII as the sort lower-cases it, unit by unit; from the first unit beyond ASCII the names
    // compare lower-cased in full, as the sort's copies do.
    const qsizetype n = std::min(a.size(), b.size());
    const QChar* x = a.constData();
    const QChar* y = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t p = x[i].unicode(), q = y[i].unicode();
        if (p >= 0x80 || q >= 0x80) return a.toLower() < b.toLower();
        if (p != q) {
            const char16_t kp = KleinAscii(p), kq = KleinAscii(q);
            if (kp != kq) return kp < kq;
        }
    }
    if (a.size() == b.size()) return false;
    // One name begins with the other; the longer one may go on beyond ASCII.
    return a.size() < b.size();
}

namespace {

NaamVerzameling::Kop KopVan(const QString& naam)
{
    NaamVerzameling::Kop kop;
    const qsizetype n = std::min<qsizetype>(naam.size(), 15);
    for (qsizetype i = 0; i < 15; ++i) {
        const char16_t c = i < n ? naam.at(i).unicode() : u'\0';
        if (c >= 0x80) {
            kop.laag |= 1;
            return kop;
        }
        quint64& w = i < 8 ? kop.hoog : kop.laag;
        const int plaats = i < 8 ? 8 * (7 - int(i)) : 8 * (15 - int(i));
        w |= quint64(KleinAscii(c)) << plaats;
    }
    return kop;
}

// Whether row `a` with head `ka` comes before row `b` with head `kb`.
bool KopEerder(const NaamVerzameling::Kop& ka, const QString& a, const NaamVerzameling::Kop& kb,
               const QString& b)
{
    if (((ka.laag | kb.laag) & 0xff) == 0) {
        if (ka.hoog != kb.hoog) return ka.hoog < kb.hoog;
        if (ka.laag != kb.laag) return ka.laag < kb.laag;
    }
    return NaamEerder(a, b);
}

} // namespace

void NaamVerzameling::Toevoegen(std::vector<ListRow>&& deel)
{
    if (m_nieuw.empty())
        m_nieuw = std::move(deel);
    else
        m_nieuw.insert(m_nieuw.end(), std::make_move_iterator(deel.begin()),
                       std::make_move_iterator(deel.end()));
    if (m_nieuw.size() >= m_reekslengte) ReeksMaken();
}

void NaamVerzameling::ReeksMaken()
{
    if (m_nieuw.empty()) return;
    RijenSorteren(m_nieuw, SorteerKolom::Naam, true);
    Reeks reeks;
    reeks.koppen.reserve(m_nieuw.size());
    for (const ListRow& rij : m_nieuw)
        reeks.koppen.push_back(KopVan(rij.naam));
    reeks.rijen = std::exchange(m_nieuw, {});
    m_reeksen.push_back(std::move(reeks));
    while (m_reeksen.size() >= 2 &&
           m_reeksen[m_reeksen.size() - 2].rijen.size() <= 2 * m_reeksen.back().rijen.size())
        LaatsteTweeSamenvoegen();
}

std::vector<ListRow> NaamVerzameling::Nemen()
{
    ReeksMaken();
    if (m_reeksen.size() <= 1) {
        std::vector<ListRow> alle =
            m_reeksen.empty() ? std::vector<ListRow>() : std::move(m_reeksen.front().rijen);
        m_reeksen.clear();
        return alle;
    }
    // All runs at once, each row moved once: the next row is the first of the run whose head
    // comes first, found in a heap of the runs; on equal names the earlier run goes first.
    std::size_t n = 0;
    for (const Reeks& r : m_reeksen)
        n += r.rijen.size();
    std::vector<std::size_t> plek(m_reeksen.size(), 0);
    const auto later = [&](std::size_t a, std::size_t b) { // run a's next row after run b's
        const Reeks& ra = m_reeksen[a];
        const Reeks& rb = m_reeksen[b];
        const std::size_t i = plek[a], j = plek[b];
        if (KopEerder(ra.koppen[i], ra.rijen[i].naam, rb.koppen[j], rb.rijen[j].naam)) return false;
        if (KopEerder(rb.koppen[j], rb.rijen[j].naam, ra.koppen[i], ra.rijen[i].naam)) return true;
        return a > b;
    };
    std::vector<std::size_t> hoop(m_reeksen.size());
    for (std::size_t r = 0; r < hoop.size(); ++r)
        hoop[r] = r;
    std::make_heap(hoop.begin(), hoop.end(), later);
    std::vector<ListRow> alle;
    alle.reserve(n);
    while (!hoop.empty()) {
        std::pop_heap(hoop.begin(), hoop.end(), later);
        const std::size_t r = hoop.back();
        alle.push_back(std::move(m_reeksen[r].rijen[plek[r]]));
        if (++plek[r] < m_reeksen[r].rijen.size())
            std::push_heap(hoop.begin(), hoop.end(), later);
        else
            hoop.pop_back();
    }
    m_reeksen.clear();
    return alle;
}

void NaamVerzameling::LaatsteTweeSamenvoegen()
{
    Reeks later = std::move(m_reeksen.back());
    m_reeksen.pop_back();
    Reeks& eerder = m_reeksen.back();
    const std::size_t n = eerder.rijen.size() + later.rijen.size();
    Reeks samen;
    samen.rijen.reserve(n);
    samen.koppen.reserve(n);
    const auto neem = [&](Reeks& uit, std::size_t& i) {
        samen.rijen.push_back(std::move(uit.rijen[i]));
        samen.koppen.push_back(uit.koppen[i]);
        ++i;
    };
    // On equal names the earlier run's row goes first: the rows keep the order they came in.
    std::size_t i = 0, j = 0;
    while (i < eerder.rijen.size() && j < later.rijen.size()) {
        if (KopEerder(later.koppen[j], later.rijen[j].naam, eerder.koppen[i], eerder.rijen[i].naam))
            neem(later, j);
        else
            neem(eerder, i);
    }
    while (i < eerder.rijen.size())
        neem(eerder, i);
    while (j < later.rijen.size())
        neem(later, j);
    eerder = std::move(samen);
}

} // namespace Vamox
