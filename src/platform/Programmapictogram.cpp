#include "platform/Programmapictogram.h"

#include <QtEndian>

#include <optional>

namespace Vamox {

namespace {

constexpr quint32 RtIcon = 3;
constexpr quint32 RtGroupIcon = 14;
constexpr quint32 Submap = 0x80000000u;

// Little-endian reads that fail instead of reading outside the bytes. Places and sizes are
// 64-bit, so an offset plus a size taken from the file cannot wrap.
class Lezer
{
public:
    explicit Lezer(QByteArrayView bytes) : m_bytes(bytes) {}

    bool Past(qint64 plek, qint64 lengte) const
    {
        return plek >= 0 && lengte >= 0 && plek <= m_bytes.size() && lengte <= m_bytes.size() - plek;
    }
    std::optional<quint16> U16(qint64 plek) const
    {
        if (!Past(plek, 2)) return std::nullopt;
        return qFromLittleEndian<quint16>(m_bytes.data() + plek);
    }
    std::optional<quint32> U32(qint64 plek) const
    {
        if (!Past(plek, 4)) return std::nullopt;
        return qFromLittleEndian<quint32>(m_bytes.data() + plek);
    }
    QByteArrayView Stuk(qint64 plek, qint64 lengte) const
    {
        return Past(plek, lengte) ? m_bytes.sliced(plek, lengte) : QByteArrayView();
    }

private:
    QByteArrayView m_bytes;
};

struct Sectie
{
    quint32 adres;  // where it is loaded
    quint32 lengte; // loaded size
    quint32 plek;   // where its bytes start in the file
    quint32 bytes;  // how many of them the file holds
};

// The resource section as its own bytes, with the load address they start at.
struct Bronnen
{
    Lezer lezer;
    quint32 adres;
};

std::optional<Bronnen> BronnenZoeken(const Lezer& bestand, QByteArrayView inhoud)
{
    if (bestand.U16(0) != quint16(0x5A4D)) return std::nullopt; // "MZ"
    const std::optional<quint32> pe = bestand.U32(0x3C);
    if (!pe || bestand.U32(*pe) != quint32(0x00004550)) return std::nullopt; // "PE\0\0"
    const qint64 coff = qint64(*pe) + 4;
    const std::optional<quint16> aantalSecties = bestand.U16(coff + 2);
    const std::optional<quint16> optioneelLengte = bestand.U16(coff + 16);
    if (!aantalSecties || !optioneelLengte) return std::nullopt;
    const qint64 optioneel = coff + 20;
    const std::optional<quint16> formaat = bestand.U16(optioneel);
    qint64 mappen = 0; // the data directories, after the fields of the format
    if (formaat == quint16(0x10B))
        mappen = 96; // PE32
    else if (formaat == quint16(0x20B))
        mappen = 112; // PE32+
    else
        return std::nullopt;
    const std::optional<quint32> aantalMappen = bestand.U32(optioneel + mappen - 4);
    if (!aantalMappen || *aantalMappen < 3 || mappen + 3 * 8 > *optioneelLengte) return std::nullopt;
    const std::optional<quint32> bronAdres = bestand.U32(optioneel + mappen + 2 * 8);
    if (!bronAdres || *bronAdres == 0) return std::nullopt;

    const qint64 tabel = optioneel + *optioneelLengte;
    if (!bestand.Past(tabel, qint64(*aantalSecties) * 40)) return std::nullopt;
    for (int i = 0; i < *aantalSecties; ++i) {
        const qint64 s = tabel + qint64(i) * 40;
        const Sectie sectie{*bestand.U32(s + 12), *bestand.U32(s + 8), *bestand.U32(s + 20),
                            *bestand.U32(s + 16)};
        const quint32 lengte = std::max(sectie.lengte, sectie.bytes);
        if (*bronAdres < sectie.adres || qint64(*bronAdres) >= qint64(sectie.adres) + lengte) continue;
        // A section the file does not hold whole is from a damaged or cut-off file.
        if (!bestand.Past(sectie.plek, sectie.bytes)) return std::nullopt;
        const qint64 begin = qint64(*bronAdres) - sectie.adres;
        if (begin >= sectie.bytes) return std::nullopt;
        return Bronnen{Lezer(inhoud.sliced(qint64(sectie.plek) + begin, qint64(sectie.bytes) - begin)),
                       *bronAdres};
    }
    return std::nullopt;
}

struct Entry
{
    quint32 naam;
    quint32 verwijzing;
};

// The entries of a resource directory at `plek` (named ones first, as stored); empty when the
// directory does not fit in the section.
std::optional<std::pair<qint64, int>> Map(const Lezer& bronnen, qint64 plek)
{
    const std::optional<quint16> benoemd = bronnen.U16(plek + 12);
    const std::optional<quint16> genummerd = bronnen.U16(plek + 14);
    if (!benoemd || !genummerd) return std::nullopt;
    const int aantal = int(*benoemd) + int(*genummerd);
    if (!bronnen.Past(plek + 16, qint64(aantal) * 8)) return std::nullopt;
    return std::pair(plek + 16, aantal);
}

Entry EntryOp(const Lezer& bronnen, qint64 plek)
{
    return {*bronnen.U32(plek), *bronnen.U32(plek + 4)};
}

// Below a type entry: the first name, of it the first language, and that one's bytes.
QByteArrayView Gegevens(const Bronnen& b, quint32 verwijzing, std::optional<quint32> id)
{
    if (!(verwijzing & Submap)) return {};
    const auto namen = Map(b.lezer, verwijzing & ~Submap);
    if (!namen) return {};
    std::optional<Entry> naam;
    for (int i = 0; i < namen->second && !naam; ++i) {
        const Entry e = EntryOp(b.lezer, namen->first + qint64(i) * 8);
        if (!id || e.naam == *id) naam = e;
    }
    if (!naam || !(naam->verwijzing & Submap)) return {};
    const auto talen = Map(b.lezer, naam->verwijzing & ~Submap);
    if (!talen || talen->second == 0) return {};
    const Entry taal = EntryOp(b.lezer, talen->first);
    if (taal.verwijzing & Submap) return {};
    const std::optional<quint32> adres = b.lezer.U32(taal.verwijzing);
    const std::optional<quint32> lengte = b.lezer.U32(qint64(taal.verwijzing) + 4);
    if (!adres || !lengte || *adres < b.adres) return {};
    return b.lezer.Stuk(qint64(*adres) - b.adres, *lengte);
}

// The bytes of the first resource of a type; with `id`, of the one with that number.
QByteArrayView Bron(const Bronnen& b, quint32 soort, std::optional<quint32> id = std::nullopt)
{
    const auto soorten = Map(b.lezer, 0);
    if (!soorten) return {};
    for (int i = 0; i < soorten->second; ++i) {
        const Entry e = EntryOp(b.lezer, soorten->first + qint64(i) * 8);
        if (e.naam == soort) return Gegevens(b, e.verwijzing, id);
    }
    return {};
}

void Zet16(QByteArray& b, quint16 waarde)
{
    char bytes[2];
    qToLittleEndian(waarde, bytes);
    b.append(bytes, 2);
}

void Zet32(QByteArray& b, quint32 waarde)
{
    char bytes[4];
    qToLittleEndian(waarde, bytes);
    b.append(bytes, 4);
}

} // namespace

QByteArray IcoUitProgramma(QByteArrayView inhoud)
{
    const Lezer bestand(inhoud);
    const std::optional<Bronnen> bronnen = BronnenZoeken(bestand, inhoud);
    if (!bronnen) return {};

    // GRPICONDIR: reserved, type 1, count; then per picture 14 bytes: width, height (0 for
    // 256), colours, reserved, planes, bits per pixel, size, resource number.
    const Lezer groep(Bron(*bronnen, RtGroupIcon));
    const std::optional<quint16> aantal = groep.U16(4);
    if (groep.U16(2) != quint16(1) || !aantal || !groep.Past(6, qint64(*aantal) * 14)) return {};
    int gekozen = -1;
    const auto maat = [&](int i, int byte) {
        const int m = (*groep.U16(6 + i * 14) >> (8 * byte)) & 0xFF;
        return m == 0 ? 256 : m;
    };
    const auto bits = [&](int i) { return *groep.U16(6 + i * 14 + 6); };
    const auto klein = [&](int i) { return maat(i, 0) == 16 && maat(i, 1) == 16; };
    for (int i = 0; i < *aantal; ++i) {
        if (gekozen < 0) {
            gekozen = i;
            continue;
        }
        if (klein(i) != klein(gekozen)) {
            if (klein(i)) gekozen = i;
        } else if (klein(i)) {
            if (bits(i) > bits(gekozen)) gekozen = i;
        } else if (maat(i, 0) * maat(i, 1) < maat(gekozen, 0) * maat(gekozen, 1)) {
            gekozen = i;
        }
    }
    if (gekozen < 0) return {};
    const qint64 lid = 6 + qint64(gekozen) * 14;
    const QByteArrayView beeld = Bron(*bronnen, RtIcon, *groep.U16(lid + 12));
    // Too short for a PNG signature or a BITMAPINFOHEADER: nothing to decode.
    static constexpr char PngBegin[] = "\x89PNG\r\n\x1a\n";
    const bool png = beeld.startsWith(QByteArrayView(PngBegin, 8));
    if (!png && beeld.size() < 40) return {};

    // ICONDIR and one ICONDIRENTRY (the group's fields, the bytes right behind it), then them.
    QByteArray ico;
    ico.reserve(22 + beeld.size());
    Zet16(ico, 0);
    Zet16(ico, 1);
    Zet16(ico, 1);
    ico.append(groep.Stuk(lid, 8).data(), 8);
    Zet32(ico, quint32(beeld.size()));
    Zet32(ico, 22);
    ico.append(beeld.data(), beeld.size());
    return ico;
}

} // namespace Vamox
