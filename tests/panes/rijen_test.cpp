#include "PanesTestHulp.h"
#include "ftp/FtpPaden.h"
#include "panes/Rijen.h"
#include "panes/RijenSorteren.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

using namespace Vamox;

namespace {

QString regel(std::initializer_list<const char*> velden)
{
    QStringList delen;
    for (const char* v : velden)
        delen << QString::fromUtf8(v);
    return delen.join(Scheidingsteken);
}

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

TEST(panesRijen, UitRegelsVanBeideKanten)
{
    struct Rij
    {
        QString regel;
        const char* naam;
        qint64 grootte;
        QDate datum;
        const char* icoon;
    };
    const std::vector<Rij> rijen = {
        {regel({"verslag.txt", "12-03-2019 14:05:00", "15320"}), "verslag.txt", 15320, QDate(2019, 3, 12),
         "txt"},
        {regel({"groot.ISO", "01-12-2026 02:14", "5000000000"}), "groot.ISO", 5000000000, QDate(2026, 12, 1),
         "iso"},
        {regel({" met spatie ", "29-02-2024 00:00", "0"}), " met spatie ", 0, QDate(2024, 2, 29), "bestand"},
        {regel({"kort", "1-2-2020", "7"}), "kort", 7, QDate(2020, 2, 1), "bestand"},
        {regel({"febr.c", "31-02-2020 10:00", "1"}), "febr.c", 1, QDate(), "c"}, // no such day
        {regel({"rommel.c", "gisteren", "12x"}), "rommel.c", 0, QDate(), "c"},   // unreadable fields
        {regel({"min.c", "01-01-2020 10:00", "-5"}), "min.c", 0, QDate(2020, 1, 1), "c"},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.naam);
        const std::optional<ListRow> uit = RijUitRegel(r.regel);
        ASSERT_TRUE(uit.has_value());
        EXPECT_EQ(uit->naam, QString::fromUtf8(r.naam));
        EXPECT_EQ(uit->grootte, r.grootte);
        EXPECT_EQ(uit->datum, r.datum);
        EXPECT_EQ(uit->icoonSleutel, QString::fromUtf8(r.icoon));
    }
}

TEST(panesRijen, GeenRijZonderDrieVelden)
{
    for (const QString& r : {QString(), QStringLiteral("naam"), regel({"a.txt", "12-03-2019 14:05"}),
                             regel({"a", "b", "c", "d"}), regel({"a", "12-03-2019", "1", ""})}) {
        EXPECT_FALSE(RijUitRegel(r).has_value()) << r.toStdString();
    }
    EXPECT_TRUE(RijUitRegel(regel({"", "", ""})).has_value());
}

TEST(panesRijen, LokaleRegelHeenEnTerug)
{
    const QDateTime tijd(QDate(2019, 3, 12), QTime(14, 5, 9));
    const QString r = LokaalBestandRegel(QStringLiteral("verslag.txt"), tijd, 4294967296 + 5);
    EXPECT_EQ(r, regel({"verslag.txt", "12-03-2019 14:05:09", "4294967301"}));
    EXPECT_EQ(NaamUitRegel(r), QStringLiteral("verslag.txt"));
    const std::optional<ListRow> terug = RijUitRegel(r);
    ASSERT_TRUE(terug.has_value());
    EXPECT_EQ(terug->grootte, 4294967301);
    EXPECT_EQ(terug->datum, QDate(2019, 3, 12));
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
