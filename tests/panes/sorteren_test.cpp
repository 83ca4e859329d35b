#include "LijstHulp.h"
#include "PanesTestHulp.h"
#include "SelectieHulp.h"

#include "mainwindow/VensterHulp.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/Sorteren.h"

#include <QAction>
#include <QHeaderView>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

constexpr int Naam = LijstModel::KolomNaam;
constexpr int Grootte = LijstModel::KolomGrootte;
constexpr int Datum = LijstModel::KolomDatum;

class Sorteren : public ::testing::Test
{
protected:
    void SetUp() override
    {
        venster = GetoondVenster();
        ASSERT_TRUE(map.isValid());
        // The window shows a local folder from the start: begin from empty lists.
        for (LijstWeergave* lijst : {&lokaal(), &bLokaal(), venster->ui().LijstFtp, &bFtp()}) {
            lijst->lijstModel().Leegmaken();
            lijst->lijstModel().KopIconenWissen();
        }
    }

    LijstWeergave& bLokaal() { return *venster->ui().LijstBLokaal; }
    LijstWeergave& bFtp() { return *venster->ui().LijstBFtp; }
    LijstWeergave& lokaal() { return *venster->ui().LijstLokaal; }

    std::unique_ptr<FrmFtp> venster;
    QTemporaryDir map;
};

// Files of 5, 1.234 and 12.345.678 bytes: as text "1.234" < "12.345.678" < "5", by size the other
// way round; by name the largest comes first.
TEST_F(Sorteren, GrootteOpWaardeInBeideRichtingen)
{
    Schrijf(map, "a.bin", 12345678);
    Schrijf(map, "b.bin", 5);
    Schrijf(map, "c.bin", 1234);
    BestandenTonen(bLokaal(), map.path());
    ASSERT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"a.bin", "b.bin", "c.bin"}));

    KopKlik(bLokaal(), Grootte);
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"b.bin", "c.bin", "a.bin"}));
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "sort_op", "", "", ""}));
    EXPECT_EQ(SorteerKolom(bLokaal()), LijstModel::KolomNGrootte);

    KopKlik(bLokaal(), Grootte);
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"a.bin", "c.bin", "b.bin"}));
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "sort_af", "", "", ""}));
    // Only the first row is selected after a sort.
    EXPECT_EQ(GeselecteerdeRijen(bLokaal()), (std::vector<int>{0}));
}

// The listing keeps only the day: files of one day at different hours are equal under a date
// sort and keep their order in both directions; "Datum" twice alternates.
TEST_F(Sorteren, ZelfdeDagAndereTijdIsGelijk)
{
    const QDate dag(2023, 5, 17);
    Schrijf(map, "laat.txt", 1, QDateTime(dag, QTime(23, 59, 30)));
    Schrijf(map, "nieuw.txt", 1, QDateTime(dag.addDays(1), QTime(0, 0, 10)));
    Schrijf(map, "oud.txt", 1, QDateTime(dag.addDays(-1), QTime(12, 0)));
    Schrijf(map, "vroeg.txt", 1, QDateTime(dag, QTime(0, 0, 30)));
    BestandenTonen(bLokaal(), map.path());

    KopKlik(bLokaal(), Datum);
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"oud.txt", "laat.txt", "vroeg.txt", "nieuw.txt"}));
    KopKlik(bLokaal(), Datum);
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"nieuw.txt", "laat.txt", "vroeg.txt", "oud.txt"}));
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "", "sort_af", "", ""}));
}

struct Klikreeks
{
    const char* geval;
    std::vector<int> kliks;
    QStringList verwacht;
    QStringList iconen;
};

void PrintTo(const Klikreeks& k, std::ostream* uit)
{
    *uit << k.geval;
}

class Richting : public Sorteren, public ::testing::WithParamInterface<Klikreeks>
{
};

// One direction per list, flipped by every click whatever the column.
TEST_P(Richting, GedeeldDoorDeKolommen)
{
    const Klikreeks k = GetParam();
    const QDateTime tijd(QDate(2020, 1, 1), QTime(12, 0));
    Schrijf(map, "a.txt", 300, tijd.addDays(2));
    Schrijf(map, "B.txt", 100, tijd);
    Schrijf(map, "c.txt", 200, tijd.addDays(1));
    BestandenTonen(bLokaal(), map.path());
    for (int kolom : k.kliks)
        KopKlik(bLokaal(), kolom);
    EXPECT_EQ(Namen(bLokaal().lijstModel()), k.verwacht);
    EXPECT_EQ(Kopiconen(bLokaal()), k.iconen);
}

INSTANTIATE_TEST_SUITE_P(Sorteren, Richting,
                         ::testing::Values(Klikreeks{"NaamOplopend",
                                                     {Naam},
                                                     {"a.txt", "B.txt", "c.txt"},
                                                     {"sort_op", "", "", "", ""}},
                                           Klikreeks{"NaamAfDanGrootteOp",
                                                     {Naam, Naam, Grootte},
                                                     {"B.txt", "c.txt", "a.txt"},
                                                     {"", "sort_op", "", "", ""}},
                                           Klikreeks{"GrootteOpDanDatumAf",
                                                     {Grootte, Datum},
                                                     {"a.txt", "c.txt", "B.txt"},
                                                     {"", "", "sort_af", "", ""}},
                                           Klikreeks{"DrieKolommenNaElkaar",
                                                     {Datum, Grootte, Naam},
                                                     {"a.txt", "B.txt", "c.txt"},
                                                     {"sort_op", "", "", "", ""}}),
                         [](const auto& info) { return std::string(info.param.geval); });

// A refill switches sorting off and clears the icons but keeps column and direction: the next
// click goes on alternating.
TEST_F(Sorteren, OpheffenBewaartKolomEnRichting)
{
    Schrijf(map, "a.txt", 3);
    Schrijf(map, "b.txt", 1);
    BestandenTonen(bLokaal(), map.path());
    KopKlik(bLokaal(), Grootte); // ascending
    ASSERT_TRUE(AutomatischSorteren(bLokaal()));

    SorterenOpheffenBestand(bLokaal());
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "", "", "", ""}));
    EXPECT_FALSE(AutomatischSorteren(bLokaal()));
    EXPECT_EQ(SorteerKolom(bLokaal()), LijstModel::KolomNGrootte);
    BestandenTonen(bLokaal(), map.path());
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"a.txt", "b.txt"})); // fill order stays

    KopKlik(bLokaal(), Naam);
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"b.txt", "a.txt"})); // descending now
}

// After a row changed in place (a rename), switching automatic sorting on puts it in its place
// by the kept column and direction; a folder list goes back to ascending with " .." on top.
// The selected row stays selected.
TEST_F(Sorteren, AutomatischWeerAanNaEenWijziging)
{
    Schrijf(map, "a.txt", 30);
    Schrijf(map, "b.txt", 10);
    BestandenTonen(bLokaal(), map.path());
    KopKlik(bLokaal(), Grootte);
    KopKlik(bLokaal(), Grootte); // descending by size
    bLokaal().lijstModel().RijToevoegen(Bestand("c.txt", 20));
    SelecterenInLijst(bLokaal(), "c.txt", true, true);
    AutomatischSorterenAan(bLokaal());
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"a.txt", "c.txt", "b.txt"}));
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "sort_af", "", "", ""}));
    EXPECT_EQ(GeselecteerdeNamenVan(bLokaal()), QStringList{"c.txt"});

    QString& staat = venster->lokaalPaneel().SorteringMap();
    ZetMappen(lokaal(), {" ..", "b", "d"});
    KopKlik(lokaal(), Naam);
    lokaal().lijstModel().RijToevoegen(ListRow{"C", 0, {}, "map"});
    SelecterenInLijst(lokaal(), "C", true, true);
    MapAutomatischSorteren(lokaal(), staat);
    EXPECT_EQ(Namen(lokaal().lijstModel()), (QStringList{" ..", "b", "C", "d"}));
    EXPECT_EQ(staat, "");
    EXPECT_EQ(lokaal().lijstModel().KopIcoon(Naam), "sort_op");
    EXPECT_EQ(GeselecteerdeNamenVan(lokaal()), QStringList{"C"});
    KopKlik(lokaal(), Naam);
    EXPECT_EQ(Namen(lokaal().lijstModel()), (QStringList{" ..", "d", "C", "b"}));
}

// A fill of a folder list starts its state again: the first click after it reverses.
TEST_F(Sorteren, VullingZetMapstaatTerug)
{
    ZetMappen(lokaal(), {" ..", "a", "b"});
    KopKlik(lokaal(), Naam);
    ASSERT_EQ(venster->lokaalPaneel().SorteringMap(), "sort_af");
    ZetMappen(lokaal(), {" ..", "x", "y"});
    EXPECT_EQ(venster->lokaalPaneel().SorteringMap(), "");
    EXPECT_EQ(lokaal().lijstModel().KopIcoon(Naam), "");
    KopKlik(lokaal(), Naam);
    EXPECT_EQ(Namen(lokaal().lijstModel()), (QStringList{" ..", "y", "x"}));
    EXPECT_EQ(venster->lokaalPaneel().SorteringMap(), "sort_af");
}

// The fill's icons: "sort_op" on the first headers of the side asked for, but a reversed folder
// list or a sorted file list keeps the icon of its order.
TEST_F(Sorteren, SorteericonsPerKantEnVolgensDeOrde)
{
    venster->lokaalPaneel().SorteericonsInstellen();
    EXPECT_EQ(lokaal().lijstModel().KopIcoon(Naam), "sort_op");
    EXPECT_EQ(bLokaal().lijstModel().KopIcoon(Naam), "sort_op");
    EXPECT_EQ(venster->ui().LijstFtp->lijstModel().KopIcoon(Naam), "");
    EXPECT_EQ(bFtp().lijstModel().KopIcoon(Naam), "");

    ZetMappen(lokaal(), {" ..", "a", "b"});
    KopKlik(lokaal(), Naam);
    Schrijf(map, "x.txt", 1);
    Schrijf(map, "y.txt", 2);
    BestandenTonen(bLokaal(), map.path());
    KopKlik(bLokaal(), Grootte);
    venster->lokaalPaneel().SorteericonsInstellen();
    venster->serverPaneel().SorteericonsInstellen();
    EXPECT_EQ(lokaal().lijstModel().KopIcoon(Naam), "sort_af");
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "sort_op", "", "", ""}));
    EXPECT_EQ(venster->ui().LijstFtp->lijstModel().KopIcoon(Naam), "sort_op");
    EXPECT_EQ(bFtp().lijstModel().KopIcoon(Naam), "sort_op");
}

struct Mappenlijst
{
    const char* geval;
    QStringList rijen;
    QStringList naEen; // after one header click
    QString kop;
};

void PrintTo(const Mappenlijst& m, std::ostream* uit)
{
    *uit << m.geval;
}

class Mapomkeren : public Sorteren, public ::testing::WithParamInterface<Mappenlijst>
{
};

// Reversed, " .." staying first with the plain picture; a second click restores the order.
TEST_P(Mapomkeren, OuderBlijftBovenaan)
{
    const Mappenlijst m = GetParam();
    ZetMappen(lokaal(), m.rijen);
    const QStringList iconenVoor = RijIconen(lokaal());
    KopKlik(lokaal(), Naam);
    EXPECT_EQ(Namen(lokaal().lijstModel()), m.naEen);
    EXPECT_EQ(lokaal().lijstModel().KopTekst(Naam), m.kop);
    if (m.rijen.size() < 2) {
        EXPECT_EQ(venster->lokaalPaneel().SorteringMap(), "");
        EXPECT_EQ(RijIconen(lokaal()), iconenVoor);
        return;
    }
    EXPECT_EQ(venster->lokaalPaneel().SorteringMap(), "sort_af");
    EXPECT_EQ(lokaal().lijstModel().KopIcoon(Naam), "sort_af");
    EXPECT_EQ(RijIconen(lokaal()), QStringList(m.rijen.size(), QStringLiteral("map")));

    venster->menus().mnuMapLokaalSorteren->trigger();
    EXPECT_EQ(Namen(lokaal().lijstModel()), m.rijen);
    EXPECT_EQ(venster->lokaalPaneel().SorteringMap(), "sort_op");
    EXPECT_EQ(lokaal().lijstModel().KopIcoon(Naam), "sort_op");
}

INSTANTIATE_TEST_SUITE_P(
    Sorteren, Mapomkeren,
    ::testing::Values(
        Mappenlijst{"MetOuder", {" ..", "a", "B", "c"}, {" ..", "c", "B", "a"}, "Lokale mapnaam (3)"},
        Mappenlijst{"ZonderOuder", {"a", "b", "c"}, {"c", "b", "a"}, "Lokale mapnaam (3)"},
        Mappenlijst{"OuderEnEen", {" ..", "a"}, {" ..", "a"}, "Lokale mapnaam (1)"},
        Mappenlijst{"AlleenOuder", {" .."}, {" .."}, "Lokale mapnaam (0)"}),
    [](const auto& info) { return std::string(info.param.geval); });

// Without a server folder on show the server file list's headers do nothing; the server folder
// list's header reverses it with its own state.
TEST_F(Sorteren, ServerkoppenAlleenMetServermap)
{
    bFtp().lijstModel().RijenVervangen({Bestand("a.txt", 3), Bestand("b.txt", 1)});
    KopKlik(bFtp(), Grootte);
    EXPECT_EQ(Namen(bFtp().lijstModel()), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(Kopiconen(bFtp()), (QStringList{"", "", "", "", ""}));
    EXPECT_FALSE(AutomatischSorteren(bFtp()));

    LijstWeergave& ftp = *venster->ui().LijstFtp;
    ZetMappen(ftp, {" ..", "x", "y"});
    KopKlik(bFtp(), Grootte);
    EXPECT_EQ(Namen(bFtp().lijstModel()), (QStringList{"b.txt", "a.txt"}));
    KopKlik(ftp, Naam);
    EXPECT_EQ(Namen(ftp.lijstModel()), (QStringList{" ..", "y", "x"}));
    EXPECT_EQ(venster->serverPaneel().SorteringMap(), "sort_af");
    EXPECT_EQ(venster->lokaalPaneel().SorteringMap(), "");
}

// "Sorteren" of a file list's menu sorts by name and gives the list the focus with its first
// row selected; with no rows it does nothing.
TEST_F(Sorteren, MenuSorterenOpNaam)
{
    venster->menus().mnuBestandLokaalSorteren->trigger();
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"", "", "", "", ""}));
    EXPECT_FALSE(AutomatischSorteren(bLokaal()));

    Schrijf(map, "a.txt", 1);
    Schrijf(map, "b.txt", 1);
    Schrijf(map, "c.txt", 1);
    BestandenTonen(bLokaal(), map.path());
    venster->ui().LijstLokaal->setFocus();
    bLokaal().selectionModel()->select(bLokaal().lijstModel().index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    venster->menus().mnuBestandLokaalSorteren->trigger();
    EXPECT_EQ(Namen(bLokaal().lijstModel()), (QStringList{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(Kopiconen(bLokaal()), (QStringList{"sort_op", "", "", "", ""}));
    EXPECT_EQ(GeselecteerdeRijen(bLokaal()), (std::vector<int>{0}));
    EXPECT_TRUE(WachtTot([&] { return bLokaal().hasFocus(); }));
}

} // namespace
} // namespace Vamox::Test
