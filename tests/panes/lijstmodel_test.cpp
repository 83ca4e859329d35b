#include "LijstHulp.h"
#include "PanesTestHulp.h"

#include "dialogs/Twips.h"
#include "panes/gui/Kolommen.h"
#include "platform/gui/Kleuren.h"

#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

#include <memory>

namespace Vamox::Test {
namespace {

struct Sortering
{
    const char* geval;
    int kolom;
    Qt::SortOrder richting;
    QStringList verwacht;
};

// Rows in name order, as a fill adds them; sizes and days with ties.
std::vector<ListRow> Voorbeeld()
{
    const QDate dag(2024, 3, 12);
    return {Bestand("a.txt", 12345678, dag),
            Bestand("B.txt", 5, dag.addDays(-40)),
            Bestand("c.log", 1234, dag),
            Bestand("D.txt", 5, dag.addDays(2)),
            Bestand("e.txt", 1234, dag.addDays(-40)),
            Bestand("f", 0, QDate())};
}

void PrintTo(const Sortering& s, std::ostream* uit)
{
    *uit << s.geval;
}

class Sorteren : public ::testing::TestWithParam<Sortering>
{
};

TEST_P(Sorteren, OrdeVolgtDeWaardeEnGelijkeRijenHoudenHunVolgorde)
{
    const Sortering s = GetParam();
    LijstModel model(LijstSoort::Bestanden, nullptr);
    model.RijenVervangen(Voorbeeld());
    model.sort(s.kolom, s.richting);
    EXPECT_EQ(Namen(model), s.verwacht);
}

INSTANTIATE_TEST_SUITE_P(LijstModel, Sorteren,
                         ::testing::Values(
                             // By value, not by the shown text ("1.234" < "12.345.678" < "5" as text).
                             Sortering{"grootte_op",
                                       LijstModel::KolomGrootte,
                                       Qt::AscendingOrder,
                                       {"f", "B.txt", "D.txt", "c.log", "e.txt", "a.txt"}},
                             Sortering{"grootte_af",
                                       LijstModel::KolomGrootte,
                                       Qt::DescendingOrder,
                                       {"a.txt", "c.log", "e.txt", "B.txt", "D.txt", "f"}},
                             Sortering{"verborgen_grootte",
                                       LijstModel::KolomNGrootte,
                                       Qt::AscendingOrder,
                                       {"f", "B.txt", "D.txt", "c.log", "e.txt", "a.txt"}},
                             // Same day, other names: equal, in their previous order; no date comes first.
                             Sortering{"datum_op",
                                       LijstModel::KolomDatum,
                                       Qt::AscendingOrder,
                                       {"f", "B.txt", "e.txt", "a.txt", "c.log", "D.txt"}},
                             Sortering{"datum_af",
                                       LijstModel::KolomNDatum,
                                       Qt::DescendingOrder,
                                       {"D.txt", "a.txt", "c.log", "B.txt", "e.txt", "f"}},
                             Sortering{"naam_af",
                                       LijstModel::KolomNaam,
                                       Qt::DescendingOrder,
                                       {"f", "e.txt", "D.txt", "c.log", "B.txt", "a.txt"}}),
                         [](const auto& info) { return std::string(info.param.geval); });

TEST(LijstModel, NaamZonderHoofdletterverschilEnStabiel)
{
    LijstModel model(LijstSoort::Bestanden, nullptr);
    model.RijenVervangen({Bestand("b.txt"), Bestand("A.txt"), Bestand("a.txt"), Bestand("B.TXT")});
    model.sort(LijstModel::KolomNaam, Qt::AscendingOrder);
    EXPECT_EQ(Namen(model), (QStringList{"A.txt", "a.txt", "b.txt", "B.TXT"}));
    model.sort(LijstModel::KolomNaam, Qt::DescendingOrder);
    EXPECT_EQ(Namen(model), (QStringList{"b.txt", "B.TXT", "A.txt", "a.txt"}));
}

TEST(LijstModel, SelectieEnVetVolgenHunRijBijSorteren)
{
    ImageLijst16 beelden;
    std::unique_ptr<LijstWeergave> lijst(NieuweLijst(beelden, LijstSoort::Bestanden, "LijstBLokaal"));
    LijstModel& model = lijst->lijstModel();
    model.RijenVervangen(Voorbeeld());
    model.ZetVet(0, true); // a.txt
    lijst->selectionModel()->select(model.index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    lijst->setCurrentIndex(model.index(2, 0)); // c.log

    model.sort(LijstModel::KolomGrootte, Qt::DescendingOrder);
    ASSERT_EQ(model.Rij(0).naam, QStringLiteral("a.txt"));
    EXPECT_TRUE(model.Vet(0));
    for (int r = 1; r < model.Aantal(); ++r)
        EXPECT_FALSE(model.Vet(r)) << r;
    const QModelIndexList gekozen = lijst->selectionModel()->selectedRows();
    ASSERT_EQ(gekozen.size(), 1);
    EXPECT_EQ(model.Rij(gekozen[0].row()).naam, QStringLiteral("c.log"));
    EXPECT_EQ(model.Rij(lijst->currentIndex().row()).naam, QStringLiteral("c.log"));

    // A refill forgets the bold rows.
    model.RijenVervangen(Voorbeeld());
    for (int r = 0; r < model.Aantal(); ++r)
        EXPECT_FALSE(model.Vet(r)) << r;
}

TEST(LijstModel, KolomTekstenEnUitlijning)
{
    LocaleWissel nl(QLocale(QLocale::Dutch, QLocale::Netherlands));
    LijstModel model(LijstSoort::Bestanden, nullptr);
    model.RijenVervangen(
        {Bestand("groot.bin", 1234567, QDate(2019, 3, 12)), Bestand("klein", 5, QDate(2019, 3, 2))});
    auto tekst = [&](int rij, int kolom) { return model.index(rij, kolom).data().toString(); };
    EXPECT_EQ(tekst(0, LijstModel::KolomGrootte), QStringLiteral("1.234.567"));
    EXPECT_EQ(tekst(0, LijstModel::KolomDatum), QStringLiteral("12-03-2019"));
    EXPECT_EQ(tekst(1, LijstModel::KolomNDatum), QStringLiteral("2019-03-02"));
    EXPECT_EQ(tekst(0, LijstModel::KolomNGrootte).size(), tekst(1, LijstModel::KolomNGrootte).size());
    for (int kolom : {LijstModel::KolomGrootte, LijstModel::KolomDatum}) {
        const int rechts = static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(model.index(0, kolom).data(Qt::TextAlignmentRole).toInt(), rechts);
        EXPECT_EQ(model.headerData(kolom, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), rechts);
    }
    EXPECT_EQ(LijstModel(LijstSoort::Mappen, nullptr).columnCount(), 1);
}

TEST(LijstModel, CursiefGrijsEnVet)
{
    LijstModel model(LijstSoort::Bestanden, nullptr);
    model.RijenVervangen({Bestand("a"), Bestand("b")});
    auto letter = [&](int rij) { return model.index(rij, 0).data(Qt::FontRole); };
    EXPECT_FALSE(letter(0).isValid()); // the view's own font

    model.ZetCursief(true);
    model.ZetVet(1, true);
    EXPECT_TRUE(letter(0).value<QFont>().italic());
    EXPECT_FALSE(letter(0).value<QFont>().bold());
    EXPECT_TRUE(letter(1).value<QFont>().italic());
    EXPECT_TRUE(letter(1).value<QFont>().bold());
    // Only the changed attributes are set, so the view's family and size stay.
    EXPECT_FALSE(letter(1).value<QFont>().resolveMask() & QFont::FamilyResolved);

    EXPECT_FALSE(model.index(0, 1).data(Qt::ForegroundRole).isValid());
    model.ZetGrijs(true);
    EXPECT_EQ(model.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), Kleur(Kleurrol::Verouderd));
}

TEST(LijstModel, KopIcoonPerKolom)
{
    ImageLijst16 beelden;
    LijstModel model(LijstSoort::Bestanden, &beelden);
    model.ZetKopIcoon(LijstModel::KolomDatum, QStringLiteral("sort_af"));
    const auto icoon = [&](int kolom) {
        return model.headerData(kolom, Qt::Horizontal, Qt::DecorationRole).value<QIcon>();
    };
    EXPECT_EQ(icoon(LijstModel::KolomDatum).cacheKey(), beelden.Icoon(QStringLiteral("sort_af")).cacheKey());
    EXPECT_TRUE(icoon(LijstModel::KolomNaam).isNull());
    model.KopIconenWissen();
    EXPECT_TRUE(icoon(LijstModel::KolomDatum).isNull());
}

TEST(LijstModel, HonderdduizendRijenInEenKeer)
{
    ImageLijst16 beelden;
    std::unique_ptr<LijstWeergave> lijst(NieuweLijst(beelden, LijstSoort::Bestanden, "LijstBFtp"));
    lijst->resize(600, 400);
    lijst->show();
    std::vector<ListRow> rijen;
    rijen.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        rijen.push_back(Bestand("f", (i * 7919) % 100003, QDate(2020, 1, 1)));
    lijst->lijstModel().RijenVervangen(std::move(rijen));
    lijst->selectAll();
    EXPECT_EQ(lijst->AantalGeselecteerd(), 100000);
    lijst->lijstModel().sort(LijstModel::KolomGrootte, Qt::AscendingOrder);
    const auto& r = lijst->lijstModel().Rijen();
    EXPECT_TRUE(std::is_sorted(r.begin(), r.end(),
                               [](const ListRow& a, const ListRow& b) { return a.grootte < b.grootte; }));
    EXPECT_EQ(lijst->AantalGeselecteerd(), 100000);
}

// Header text with the row count.
struct Kop
{
    const char* lijst;
    LijstSoort soort;
    QStringList namen;
    int extra; // further plain rows
    QString verwacht;
};

void PrintTo(const Kop& k, std::ostream* uit)
{
    *uit << k.verwacht.toStdString();
}

class KolomKop : public ::testing::TestWithParam<Kop>
{
};

TEST_P(KolomKop, TitelMetAantalZonderOuderRij)
{
    LocaleWissel nl(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const Kop k = GetParam();
    ImageLijst16 beelden;
    std::unique_ptr<LijstWeergave> lijst(NieuweLijst(beelden, k.soort, k.lijst));
    std::vector<ListRow> rijen;
    for (const QString& n : k.namen)
        rijen.push_back(ListRow{n, 0, {}, QStringLiteral("map")});
    for (int i = 0; i < k.extra; ++i)
        rijen.push_back(Bestand("x"));
    lijst->lijstModel().RijenVervangen(std::move(rijen));
    KolomKopNaam(*lijst);
    EXPECT_EQ(lijst->model()->headerData(0, Qt::Horizontal).toString(), k.verwacht);
}

INSTANTIATE_TEST_SUITE_P(
    Kolommen, KolomKop,
    ::testing::Values(Kop{"LijstLokaal", LijstSoort::Mappen, {" .."}, 0, "Lokale mapnaam (0)"},
                      Kop{"LijstFtp", LijstSoort::Mappen, {" ..", "a", "b"}, 0, "Server mapnaam (2)"},
                      Kop{"LijstFtp", LijstSoort::Mappen, {}, 0, "Server mapnaam (0)"},
                      // Only one parent entry is left out, wherever it stands.
                      Kop{"LijstLokaal", LijstSoort::Mappen, {"a", " ..", ".."}, 0, "Lokale mapnaam (2)"},
                      Kop{"LijstBLokaal", LijstSoort::Bestanden, {}, 1234, "Lokale bestandsnaam (1.234)"},
                      Kop{"LijstBFtp", LijstSoort::Bestanden, {}, 3, "Server bestandsnaam (3)"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Kolommen, BreedtesUitDeBreedteVanDeLijst)
{
    ImageLijst16 beelden;
    std::unique_ptr<LijstWeergave> bestanden(NieuweLijst(beelden, LijstSoort::Bestanden, "LijstBFtp"));
    std::unique_ptr<LijstWeergave> mappen(NieuweLijst(beelden, LijstSoort::Mappen, "LijstLokaal"));
    const TwipsSchaal schaal = TwipsSchaal::Van(bestanden.get());

    bestanden->resize(480, 300);
    mappen->resize(480, 300);
    LijstBKoppenInstellen(*bestanden, false);
    LijstKoppenInstellen(*mappen, false);
    const int breedte = schaal.NaarTwipsX(480);
    EXPECT_EQ(bestanden->columnWidth(0), schaal.NaarPixelsX(breedte - 1594 - 1275 - 300));
    EXPECT_EQ(bestanden->columnWidth(1), schaal.NaarPixelsX(1594));
    EXPECT_EQ(bestanden->columnWidth(2), schaal.NaarPixelsX(1275));
    for (int verborgen : {LijstModel::KolomNGrootte, LijstModel::KolomNDatum}) {
        EXPECT_TRUE(bestanden->isColumnHidden(verborgen));
        EXPECT_EQ(bestanden->columnWidth(verborgen), 0);
    }
    EXPECT_EQ(mappen->columnWidth(0), schaal.NaarPixelsX(breedte - 300));
    QStringList koppen;
    for (int k = 0; k < 5; ++k)
        koppen << bestanden->model()->headerData(k, Qt::Horizontal).toString();
    EXPECT_EQ(koppen, (QStringList{"Server bestandsnaam", "Grootte", "Datum", "nGrootte", "nDatum"}));
    EXPECT_EQ(mappen->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Lokale mapnaam"));

    // Only the widths change afterwards; a title with a count stays.
    KolomKopNaam(*mappen);
    bestanden->resize(600, 300);
    mappen->resize(600, 300);
    LijstBKoppenInstellen(*bestanden, true);
    LijstKoppenInstellen(*mappen, true);
    EXPECT_EQ(bestanden->columnWidth(0), schaal.NaarPixelsX(schaal.NaarTwipsX(600) - 1594 - 1275 - 300));
    EXPECT_EQ(bestanden->columnWidth(1), schaal.NaarPixelsX(1594));
    EXPECT_EQ(mappen->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Lokale mapnaam (0)"));
}

} // namespace
} // namespace Vamox::Test
