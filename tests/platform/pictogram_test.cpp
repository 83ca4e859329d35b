#include "platform/Programmapictogram.h"
#include "platform/gui/Pictogrammen.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace Vamox::Test {
namespace {

void Zet16(QByteArray& b, qsizetype plek, quint16 waarde)
{
    qToLittleEndian(waarde, b.data() + plek);
}

void Zet32(QByteArray& b, qsizetype plek, quint32 waarde)
{
    qToLittleEndian(waarde, b.data() + plek);
}

constexpr quint16 RtIcon = 3;
constexpr quint16 RtGroupIcon = 14;
constexpr quint32 SectieAdres = 0x1000; // where the resource section is loaded
constexpr qsizetype SectiePlek = 0x200; // where it starts in the file

struct Bron
{
    quint16 soort;
    quint16 id;
    QByteArray data;
};

// A resource section over `bronnen` (already ordered by type, then id), one language each.
// `gegevensPlek` gets, per resource, the place in the section of its data entry.
QByteArray Bronsectie(const std::vector<Bron>& bronnen, std::vector<qsizetype>& gegevensPlek)
{
    std::map<quint16, std::vector<std::size_t>> perSoort;
    for (std::size_t i = 0; i < bronnen.size(); ++i)
        perSoort[bronnen[i].soort].push_back(i);
    const qsizetype n = qsizetype(bronnen.size());
    qsizetype soortMappen = 16 + 8 * qsizetype(perSoort.size());
    qsizetype taalMappen = soortMappen;
    for (const auto& [soort, leden] : perSoort)
        taalMappen += 16 + 8 * qsizetype(leden.size());
    const qsizetype entries = taalMappen + 24 * n;
    qsizetype data = entries + 16 * n;
    QByteArray s(data, '\0');
    Zet16(s, 14, quint16(perSoort.size()));
    qsizetype soortPlek = soortMappen, wortelEntry = 16;
    for (const auto& [soort, leden] : perSoort) {
        Zet32(s, wortelEntry, soort);
        Zet32(s, wortelEntry + 4, 0x80000000u | quint32(soortPlek));
        wortelEntry += 8;
        Zet16(s, soortPlek + 14, quint16(leden.size()));
        for (std::size_t k = 0; k < leden.size(); ++k) {
            const std::size_t i = leden[k];
            const qsizetype entry = soortPlek + 16 + 8 * qsizetype(k);
            const qsizetype taal = taalMappen + 24 * qsizetype(i);
            Zet32(s, entry, bronnen[i].id);
            Zet32(s, entry + 4, 0x80000000u | quint32(taal));
            Zet16(s, taal + 14, 1);
            Zet32(s, taal + 16, 0x409);
            Zet32(s, taal + 20, quint32(entries + 16 * qsizetype(i)));
        }
        soortPlek += 16 + 8 * qsizetype(leden.size());
    }
    gegevensPlek.clear();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype entry = entries + 16 * i;
        gegevensPlek.push_back(entry);
        Zet32(s, entry, SectieAdres + quint32(s.size()));
        Zet32(s, entry + 4, quint32(bronnen[size_t(i)].data.size()));
        s += bronnen[size_t(i)].data;
        while (s.size() % 4 != 0)
            s += '\0';
    }
    return s;
}

// A PE32 file of headers and the one resource section.
QByteArray Programma(const QByteArray& sectie)
{
    QByteArray b(SectiePlek, '\0');
    b[0] = 'M';
    b[1] = 'Z';
    Zet32(b, 0x3C, 0x40);
    b.replace(0x40, 4, QByteArray("PE\0\0", 4));
    Zet16(b, 0x44, 0x014C);            // i386
    Zet16(b, 0x46, 1);                 // sections
    Zet16(b, 0x54, 0xE0);              // optional header size
    Zet16(b, 0x58, 0x010B);            // PE32
    Zet32(b, 0x58 + 92, 16);           // data directories
    Zet32(b, 0x58 + 112, SectieAdres); // resource directory
    Zet32(b, 0x58 + 116, quint32(sectie.size()));
    b.replace(0x138, 5, ".rsrc");
    Zet32(b, 0x138 + 8, quint32(sectie.size()));
    Zet32(b, 0x138 + 12, SectieAdres);
    Zet32(b, 0x138 + 16, quint32(sectie.size()));
    Zet32(b, 0x138 + 20, SectiePlek);
    return b + sectie;
}

// A square 32-bit picture of one colour as an icon resource holds it: BITMAPINFOHEADER with
// twice the height, the pixels bottom-up, then the AND mask (all drawn).
QByteArray Dib(int maat, QRgb kleur)
{
    QByteArray d(40, '\0');
    Zet32(d, 0, 40);
    Zet32(d, 4, quint32(maat));
    Zet32(d, 8, quint32(2 * maat));
    Zet16(d, 12, 1);
    Zet16(d, 14, 32);
    QByteArray pixel(4, '\0');
    Zet32(pixel, 0, kleur);
    for (int i = 0; i < maat * maat; ++i)
        d += pixel;
    d += QByteArray(maat * ((maat + 31) / 32) * 4, '\0');
    return d;
}

struct Groepslid
{
    int maat;
    quint16 bits;
    quint32 grootte;
    quint16 id;
};

QByteArray Groep(const std::vector<Groepslid>& leden)
{
    QByteArray g(6 + 14 * qsizetype(leden.size()), '\0');
    Zet16(g, 2, 1);
    Zet16(g, 4, quint16(leden.size()));
    for (std::size_t i = 0; i < leden.size(); ++i) {
        const qsizetype p = 6 + 14 * qsizetype(i);
        g[p] = char(leden[i].maat);
        g[p + 1] = char(leden[i].maat);
        Zet16(g, p + 4, 1);
        Zet16(g, p + 6, leden[i].bits);
        Zet32(g, p + 8, leden[i].grootte);
        Zet16(g, p + 12, leden[i].id);
    }
    return g;
}

constexpr QRgb Rood = 0xFFFF0000;
constexpr QRgb Blauwgroen = 0xFF1080C0;

// Icon 1 is 32x32 red and listed first; icon 2 is the 16x16 one the list should show.
struct Voorbeeld
{
    std::vector<qsizetype> gegevensPlek; // icon 1, icon 2, group
    QByteArray bestand;

    Voorbeeld()
    {
        const QByteArray groot = Dib(32, Rood), klein = Dib(16, Blauwgroen);
        bestand = Programma(
            Bronsectie({{RtIcon, 1, groot},
                        {RtIcon, 2, klein},
                        {RtGroupIcon, 1,
                         Groep({{32, 32, quint32(groot.size()), 1}, {16, 32, quint32(klein.size()), 2}})}},
                       gegevensPlek));
    }
};

TEST(Programmapictogram, EersteGroepBeste16Bij16)
{
    const Voorbeeld v;
    const QImage beeld = QImage::fromData(IcoUitProgramma(v.bestand));
    ASSERT_FALSE(beeld.isNull());
    EXPECT_EQ(beeld.size(), QSize(16, 16));
    EXPECT_EQ(beeld.pixel(0, 0), Blauwgroen);
    EXPECT_EQ(beeld.pixel(15, 15), Blauwgroen);

    // The same through the platform, from a file on disk.
    QTemporaryDir map;
    QFile f(map.filePath(QStringLiteral("Gereedschap.exe")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(v.bestand);
    f.close();
    const QImage icoon = PictogramUitProgramma(f.fileName()).pixmap(16, 16).toImage();
    EXPECT_EQ(icoon.size(), QSize(16, 16));
    EXPECT_EQ(icoon.pixel(8, 8), Blauwgroen);
}

struct Beschadiging
{
    const char* geval;
    qsizetype plek; // in the file
    quint32 waarde;
    int breedte; // 2 or 4 bytes
};

// Damaged files give no icon and are not read outside their bytes.
TEST(Programmapictogram, BeschadigdGeeftGeenIcoon)
{
    const Voorbeeld v;
    const qsizetype groep = SectiePlek + v.gegevensPlek[2];
    const qsizetype icoon2 = SectiePlek + v.gegevensPlek[1];
    const std::vector<Beschadiging> gevallen = {
        {"PE-kop voorbij het einde", 0x3C, 0xFFFFFFF0u, 4},
        {"PE-kop op de laatste bytes", 0x3C, quint32(v.bestand.size() - 2), 4},
        {"geen PE-handtekening", 0x40, 0x00004550u ^ 1u, 4},
        {"onbekend optioneel kopformaat", 0x58, 0x0107, 2},
        {"65535 secties", 0x46, 0xFFFF, 2},
        {"geen secties", 0x46, 0, 2},
        {"bronnen buiten elke sectie", 0x58 + 112, 0x7FFFFFF0u, 4},
        {"sectie voorbij het einde", 0x138 + 20, 0xFFFFFF00u, 4},
        {"sectie langer dan het bestand", 0x138 + 16, 0x7FFFFFFFu, 4},
        {"65535 soorten in de wortel", SectiePlek + 14, 0xFFFF, 2},
        {"soortmap buiten de sectie", SectiePlek + 16 + 4, 0xFFFFFFF0u, 4},
        {"soortmap wijst naar de wortel", SectiePlek + 16 + 12, 0x80000000u, 4},
        {"groep voorbij het einde", groep, 0xFFFFFF00u, 4},
        {"groep langer dan het bestand", groep + 4, 0xFFFFFFFFu, 4},
        {"groep van 0 bytes", groep + 4, 0, 4},
        {"icoon voorbij het einde", icoon2, 0xFFFFFFF0u, 4},
        {"icoon van 2 bytes", icoon2 + 4, 2, 4},
    };
    for (const Beschadiging& b : gevallen) {
        QByteArray bestand = v.bestand;
        if (b.breedte == 2)
            Zet16(bestand, b.plek, quint16(b.waarde));
        else
            Zet32(bestand, b.plek, b.waarde);
        EXPECT_TRUE(IcoUitProgramma(bestand).isEmpty()) << b.geval;
    }
    // The group names more pictures than it holds, and a picture that is not there.
    const qsizetype groepsdata =
        SectiePlek + qFromLittleEndian<quint32>(v.bestand.constData() + groep) - SectieAdres;
    for (const auto& [plek, waarde] :
         std::vector<std::pair<qsizetype, quint16>>{{4, 0xFFFF}, {6 + 14 + 12, 9}}) {
        QByteArray bestand = v.bestand;
        Zet16(bestand, groepsdata + plek, waarde);
        EXPECT_TRUE(IcoUitProgramma(bestand).isEmpty()) << plek;
    }
    // Cut off anywhere: the group comes last, so nothing is complete before the end.
    for (qsizetype lengte = 0; lengte < v.bestand.size(); ++lengte)
        EXPECT_TRUE(IcoUitProgramma(QByteArrayView(v.bestand).first(lengte)).isEmpty()) << lengte;
    EXPECT_TRUE(IcoUitProgramma(QByteArrayView("MZ")).isEmpty());
    EXPECT_TRUE(IcoUitProgramma(QByteArrayView("geen programma, maar tekst")).isEmpty());
}

} // namespace
} // namespace Vamox::Test
