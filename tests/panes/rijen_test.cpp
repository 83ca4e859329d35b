#include "PanesTestHulp.h"
#include "ftp/FtpPaden.h"
#include "panes/Rijen.h"
#include "panes/RijenSorteren.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

using namespace Vamox;

namespace {

QStringList namen(const std::vector<ListRow>& rijen)
{
    QStringList uit;
    for (const ListRow& r : rijen)
        uit << r.naam;
    return uit;
}

ListRow rij(const char* naam, qint64 grootte, QDate datum)
{
    return ListRow{QString::fromUtf8(naam), grootte, datum, QStringLiteral("bestand")};
}

} // namespace

TEST(panesRijen, UitEntries)
{
    const auto entry = [](const char* naam, qint64 grootte, int jaar, int maand, int dag) {
        FtpEntry e;
        e.naam = QString::fromUtf8(naam);
        e.grootte = grootte;
        e.jaar = jaar;
        e.maand = maand;
        e.dag = dag;
        e.uur = 14;
        return e;
    };
    struct Rij
    {
        FtpEntry entry;
        qint64 grootte;
        QDate datum;
        const char* icoon;
    };
    const std::vector<Rij> rijen = {
        {entry("verslag.txt", 15320, 2019, 3, 12), 15320, QDate(2019, 3, 12), "txt"},
        {entry("groot.ISO", 5000000000, 2026, 12, 1), 5000000000, QDate(2026, 12, 1), "iso"},
        {entry(" met spatie ", 0, 2024, 2, 29), 0, QDate(2024, 2, 29), "bestand"},
        {entry("febr.c", 1, 2020, 2, 31), 1, QDate(), "c"}, // no such day
        {entry("min.c", -5, 2020, 1, 1), 0, QDate(2020, 1, 1), "c"},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.entry.naam.toStdString());
        const ListRow uit = RijVan(r.entry);
        EXPECT_EQ(uit.naam, r.entry.naam);
        EXPECT_EQ(uit.grootte, r.grootte);
        EXPECT_EQ(uit.datum, r.datum);
        EXPECT_EQ(uit.icoonSleutel, QString::fromUtf8(r.icoon));
    }
}

TEST(panesRijenSorteren, OpNaamZonderHoofdletters)
{
    std::vector<ListRow> rijen;
    for (const char* n :
         {"b.txt", "A.txt", "a.txt", "B.TXT", "abcdef", "_x", "ab", "10.txt", "ABCDEA", "abcd"})
        rijen.push_back(rij(n, 1, {}));
    RijenSorteren(rijen, SorteerKolom::Naam, true);
    // Code-unit order of the lower-cased names ("_" before letters, as in the fill order), also
    // past a shared beginning; equal apart from case: the earlier row stays first.
    EXPECT_EQ(namen(rijen), QStringList({"10.txt", "_x", "A.txt", "a.txt", "ab", "abcd", "ABCDEA", "abcdef",
                                         "b.txt", "B.TXT"}));
    RijenSorteren(rijen, SorteerKolom::Naam, false);
    EXPECT_EQ(namen(rijen), QStringList({"b.txt", "B.TXT", "abcdef", "ABCDEA", "abcd", "ab", "A.txt", "a.txt",
                                         "_x", "10.txt"}));
}

TEST(panesRijenSorteren, OpGrootteAlsGetal)
{
    // Text order of the visible column would put 12.345.678 before 5; the order must be numeric,
    // also beyond the fixed width of the text key.
    std::vector<ListRow> rijen = {rij("midden", 1234, {}),       rij("groot", 12345678, {}),
                                  rij("klein", 5, {}),           rij("reus", 200000000000, {}),
                                  rij("reus2", 99999999999, {}), rij("ook5", 5, {})};
    RijenSorteren(rijen, SorteerKolom::Grootte, true);
    EXPECT_EQ(namen(rijen), QStringList({"klein", "ook5", "midden", "groot", "reus2", "reus"}));
    RijenSorteren(rijen, SorteerKolom::Grootte, false);
    EXPECT_EQ(namen(rijen), QStringList({"reus", "reus2", "groot", "midden", "klein", "ook5"}));
}

TEST(panesRijenSorteren, OpDagStabiel)
{
    // Times of day are not part of a row: same day means equal, and equal rows keep their order.
    std::vector<ListRow> rijen = {rij("a", 0, QDate(2020, 5, 1)), rij("b", 0, QDate(2019, 1, 1)),
                                  rij("c", 0, QDate(2020, 5, 1)), rij("d", 0, QDate()),
                                  rij("e", 0, QDate(2021, 1, 1))};
    RijenSorteren(rijen, SorteerKolom::Datum, true);
    EXPECT_EQ(namen(rijen), QStringList({"d", "b", "a", "c", "e"}));
    RijenSorteren(rijen, SorteerKolom::Datum, false);
    EXPECT_EQ(namen(rijen), QStringList({"e", "a", "c", "b", "d"}));
}

TEST(panesRijenSorteren, OpRechtenAlsGetal)
{
    // As numbers, not by name; rows whose permissions were not listed come first.
    std::vector<ListRow> rijen = {rij("a", 0, {}), rij("b", 0, {}), rij("c", 0, {}), rij("d", 0, {})};
    RechtenZetten(rijen[0], 0755);
    RechtenZetten(rijen[1], 0600);
    RechtenZetten(rijen[3], 0644);
    RijenSorteren(rijen, SorteerKolom::Rechten, true);
    EXPECT_EQ(namen(rijen), QStringList({"c", "b", "d", "a"}));
    RijenSorteren(rijen, SorteerKolom::Rechten, false);
    EXPECT_EQ(namen(rijen), QStringList({"a", "d", "b", "c"}));
}

TEST(panesRijenSorteren, GelijkeSleutelsHoudenHunVolgorde)
{
    // Hundreds of rows on a few keys, mixed: past 16 equal keys an unstable sort reorders them.
    // The positions RijenVolgorde returns are the rows' prior places, so equal keys must ascend.
    std::mt19937 toeval(7);
    const char* basis[] = {"alfa.txt", "beta.txt", "gamma.txt"};
    const QDate dagen[] = {QDate(), QDate(2024, 1, 1), QDate(2024, 1, 2)};
    std::vector<ListRow> rijen;
    for (int i = 0; i < 400; ++i) {
        QString naam = QString::fromUtf8(basis[toeval() % 3]);
        for (qsizetype k = 0; k < naam.size(); ++k) {
            if (i & (1 << k)) naam[k] = naam[k].toUpper();
        }
        rijen.push_back(
            ListRow{naam, qint64(toeval() % 3) * 1000, dagen[toeval() % 3], QStringLiteral("txt")});
    }
    using Sleutel = std::pair<qint64, QString>;
    const auto sleutel = [](const ListRow& r, SorteerKolom kolom) {
        if (kolom == SorteerKolom::Naam) return Sleutel{0, r.naam.toLower()};
        if (kolom == SorteerKolom::Grootte) return Sleutel{r.grootte, {}};
        return Sleutel{r.datum.isValid() ? r.datum.toJulianDay() : INT64_MIN, {}};
    };
    for (SorteerKolom kolom : {SorteerKolom::Naam, SorteerKolom::Grootte, SorteerKolom::Datum}) {
        for (bool oplopend : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "kolom " << int(kolom) << (oplopend ? " oplopend" : " aflopend"));
            const std::vector<std::uint32_t> volgorde = RijenVolgorde(rijen, kolom, oplopend);
            ASSERT_EQ(volgorde.size(), rijen.size());
            std::size_t fout = 0; // first place out of order, 0 for none
            for (std::size_t i = 1; i < volgorde.size() && fout == 0; ++i) {
                const Sleutel a = sleutel(rijen[volgorde[i - 1]], kolom),
                              b = sleutel(rijen[volgorde[i]], kolom);
                if ((oplopend ? b < a : a < b) || (a == b && volgorde[i - 1] > volgorde[i])) fout = i;
            }
            EXPECT_EQ(fout, 0U);
        }
    }
}

TEST(panesRijenSorteren, InStukkenVerzameldAlsInEenKeerGesorteerd)
{
    // Names that differ only in case, share long beginnings, end or begin beyond ASCII (whose
    // lower-casing is not one unit per unit) and repeat; pieces of every size, one row up to
    // thousands, as a folder's listing comes, in runs of every length. The size of a row is the
    // place it came in, so equal names must keep ascending sizes.
    const char* delen[] = {"a", "B", "b", "ä", "Ä", "é", "z", "_", "1", "İ", "ß", "aaaaaaaaaaaaaaaaaa", "ﬃ"};
    std::mt19937 toeval(11);
    std::vector<ListRow> alle;
    for (int i = 0; i < 3000; ++i) {
        QString naam;
        for (int k = 1 + int(toeval() % 4); k > 0; --k)
            naam += QString::fromUtf8(delen[toeval() % std::size(delen)]);
        alle.push_back(ListRow{naam, i, {}, QStringLiteral("bestand")});
    }
    const std::pair<std::size_t, std::size_t> gevallen[] = {
        {1, 1}, {7, 1}, {300, 64}, {300, 1000}, {5000, 32768}};
    for (const auto& [grootste, reekslengte] : gevallen) {
        SCOPED_TRACE(testing::Message() << "stukken tot " << grootste << ", reeksen van " << reekslengte);
        NaamVerzameling verzameling(reekslengte);
        for (std::size_t i = 0; i < alle.size();) {
            const std::size_t n = std::min(alle.size() - i, 1 + toeval() % grootste);
            verzameling.Toevoegen(std::vector<ListRow>(alle.begin() + i, alle.begin() + i + n));
            i += n;
        }
        std::vector<ListRow> verwacht = alle;
        RijenSorteren(verwacht, SorteerKolom::Naam, true);
        const std::vector<ListRow> verzameld = verzameling.Nemen();
        ASSERT_EQ(verzameld.size(), verwacht.size());
        std::size_t fout = verwacht.size(); // first place that differs
        for (std::size_t i = 0; i < verwacht.size() && fout == verwacht.size(); ++i)
            if (verzameld[i].naam != verwacht[i].naam || verzameld[i].grootte != verwacht[i].grootte)
                fout = i;
        EXPECT_EQ(fout, verwacht.size());
        EXPECT_TRUE(verzameling.Nemen().empty());
    }
}
