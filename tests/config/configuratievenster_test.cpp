#include "mainwindow/OpstartHulp.h"

#include "dialogs/Twips.h"
#include "mainwindow/ConfiguratieVenster.h"
#include "panes/gui/LijstWeergave.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace Vamox::Test {
namespace {

using ConfiguratieVensterTest = StartTest;
const QChar S(15);

TEST_F(ConfiguratieVensterTest, MenuvinkjesServersEnPatroonUitHetBestand)
{
    const QString map = tmp.path() + QStringLiteral("/bewaard/");
    Schrijven(map + QStringLiteral("a.txt"), "a");
    Schrijven(map + QStringLiteral("b.jpg"), "b");
    Bestand({"CFGOPSLAAN=0", "knoppenbalktonen=0", "serveropenen=1", "buitendownloaden=1",
             "plusbijsubmappenlokaal=1", "plusbijsubmappenftp=1", "maplokaalactueel=" + map,
             "patroonlokaal=*.txt", QStringLiteral("zeta") + S + "h" + S + "u" + S + "w",
             QStringLiteral("Alfa") + S + "h" + S + "u" + S + "w" + S + "21" + S + "web", "onbekend=1",
             QStringLiteral("beta") + S + "h"});
    auto venster = Starten();
    const VensterMenus& m = venster->menus();
    const VensterUi& ui = venster->ui();
    const std::pair<QAction*, bool> vinkjes[] = {{m.mnuConfiguratieOpenen, true},
                                                 {m.mnuConfiguratieOpslaan, false},
                                                 {m.mnuInstellingenKnoppenbalk, false},
                                                 {m.mnuInstellingenServer, true},
                                                 {m.mnuInstellingenLokaal, true},
                                                 {m.mnuInstellingenDownloaden, true},
                                                 {m.mnuMapFtpBuitenDownloaden, true},
                                                 {m.mnuBestandFtpBuitenDownloaden, true},
                                                 {m.mnuInstellingenStandaardformaat, false},
                                                 {m.mnuPlusBijSubmappenLokaal, true},
                                                 {m.mnuPlusLokaal, true},
                                                 {m.mnuPlusBijSubmappenFtp, true},
                                                 {m.mnuPlusFtp, true}};
    for (const auto& [item, aan] : vinkjes)
        EXPECT_EQ(item->isChecked(), aan) << item->objectName().toStdString();
    for (QToolButton* knop : {ui.knopServergegevens, ui.knopMapHoger, ui.knopBDownloaden})
        EXPECT_FALSE(knop->isVisible());

    // The servers by name in the box, none chosen; element 0 of the list is empty.
    QStringList namen;
    for (int i = 0; i < ui.cboVerbindingenFtp->count(); ++i)
        namen << ui.cboVerbindingenFtp->itemText(i);
    EXPECT_EQ(namen, (QStringList{"Alfa", "beta", "zeta"}));
    EXPECT_EQ(ui.cboVerbindingenFtp->currentIndex(), -1);
    EXPECT_EQ(venster->toestand().ServerLijst.size(), 4);
    EXPECT_TRUE(venster->toestand().ServerLijst.at(0).isEmpty());

    // The local pattern filters the saved folder and is shown in italics.
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), map);
    EXPECT_EQ(ui.cboPatroonLokaal->currentText(), QStringLiteral("*.txt"));
    ASSERT_EQ(ui.LijstBLokaal->lijstModel().Aantal(), 1);
    EXPECT_EQ(ui.LijstBLokaal->lijstModel().Rij(0).naam, QStringLiteral("a.txt"));
    EXPECT_TRUE(ui.LijstBLokaal->lijstModel().Cursief());
    EXPECT_TRUE(ui.knopPatroonLokaal->font().italic());
    EXPECT_FALSE(ui.LijstBFtp->lijstModel().Cursief()); // no server was named: nothing opened
}

struct MapRij
{
    const char* geval;
    bool lokaalOpenen;
    bool bestaat;
};

void PrintTo(const MapRij& r, std::ostream* uit)
{
    *uit << r.geval;
}

class MapUitBestand : public StartTest, public ::testing::WithParamInterface<MapRij>
{
};

// The saved local folder when ".Lokaal openen" is on and it exists, else the start folder; the
// saved folders are kept for "Laatstelijke ophalen" either way.
TEST_P(MapUitBestand, LokaleMap)
{
    const MapRij r = GetParam();
    const QString map = tmp.path() + QStringLiteral("/bewaard/");
    if (r.bestaat) {
        ASSERT_TRUE(QDir().mkpath(map));
    }
    Bestand({r.lokaalOpenen ? "lokaalopenen=1" : "lokaalopenen=0", "maplokaalactueel=" + map,
             "mapftpactueel=/www/", "patroonlokaal=*.txt"});
    auto venster = Starten({}, false);
    const Toestand& t = venster->toestand();
    const QString verwacht = r.lokaalOpenen && r.bestaat ? map : startmap;
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), verwacht);
    EXPECT_EQ(venster->ui().MapLokaal->text(), verwacht);
    EXPECT_EQ(venster->ui().cboPatroonLokaal->currentText().isEmpty(), !r.lokaalOpenen);
    EXPECT_EQ(t.opgeslagen.OpgeslagenLokalemap, map);
    EXPECT_EQ(t.opgeslagen.OpgeslagenServermap, QStringLiteral("/www/"));
    EXPECT_TRUE(venster->serverPaneel().HuidigeServermap().isEmpty()); // not connected
    EXPECT_TRUE(vragen.Vragen().empty());
}

INSTANTIATE_TEST_SUITE_P(ConfiguratieVenster, MapUitBestand,
                         ::testing::Values(MapRij{"Bewaard", true, true}, MapRij{"BestaatNiet", true, false},
                                           MapRij{"LokaalOpenenUit", false, true}),
                         [](const auto& info) { return std::string(info.param.geval); });

struct GeometrieRij
{
    const char* geval;
    QStringList regels;
    int links, boven, breedte, hoogte; // twips; -1 = the screen's width / height less 400
    bool gemaximaliseerd;
};

void PrintTo(const GeometrieRij& r, std::ostream* uit)
{
    *uit << r.geval;
}

class GeometrieUitBestand : public StartTest, public ::testing::WithParamInterface<GeometrieRij>
{
};

TEST_P(GeometrieUitBestand, BinnenDeGrenzen)
{
    const GeometrieRij r = GetParam();
    auto venster = Starten({}, false);
    // Below the window's own minimum, so that the limits of the file are what is seen.
    venster->toestand().Laden = true;
    venster->setMinimumSize(0, 0);
    Bestand(r.regels);
    venster->configuratie().ConfiguratieLezen();
    const TwipsSchaal schaal = TwipsSchaal::Van(venster.get());
    const QSize scherm = schaal.NaarTwips(venster->screen()->geometry().size());
    const int breedte = r.breedte < 0 ? scherm.width() : r.breedte;
    const int hoogte = r.hoogte < 0 ? scherm.height() - 400 : r.hoogte;
    EXPECT_EQ(venster->pos(), schaal.NaarPixels(QPoint(r.links, r.boven)));
    EXPECT_EQ(venster->size(), schaal.NaarPixels(QSize(breedte, hoogte)));
    EXPECT_EQ(venster->isMaximized(), r.gemaximaliseerd);
}

INSTANTIATE_TEST_SUITE_P(
    ConfiguratieVenster, GeometrieUitBestand,
    ::testing::Values(
        GeometrieRij{"Binnen",
                     {"links=1500", "top=900", "breedte=6000", "hoogte=4500", "venster=1"},
                     1500,
                     900,
                     6000,
                     4500,
                     false},
        GeometrieRij{"BovenHetScherm",
                     {"links=-300", "TOP=-50", "breedte=6000", "hoogte=4500"},
                     -300,
                     0,
                     6000,
                     4500,
                     false},
        GeometrieRij{"TeGroot", {"links=0", "top=0", "breedte=999999", "hoogte=999999"}, 0, 0, -1, -1, false},
        GeometrieRij{"Gemaximaliseerd",
                     {"links=150", "top=150", "breedte=6000", "hoogte=4500", "venster=2"},
                     150,
                     150,
                     6000,
                     4500,
                     true}),
    [](const auto& info) { return std::string(info.param.geval); });

// "cfgopenen=0" applies nothing but itself; writing the file again keeps its saved servers.
TEST_F(ConfiguratieVensterTest, CfgOpenenNulBewaartDeServersBijSchrijven)
{
    const QString server =
        QStringLiteral("Werk") + S + "ftp.werk.nl" + S + "jan" + S + "geheim" + S + "21" + S;
    Bestand({"cfgopenen=0", "knoppenbalktonen=0", "serveropenen=1", server});
    auto venster = Starten();
    EXPECT_FALSE(venster->menus().mnuConfiguratieOpenen->isChecked());
    EXPECT_FALSE(venster->menus().mnuInstellingenServer->isChecked());
    EXPECT_EQ(venster->ui().cboVerbindingenFtp->count(), 0);
    EXPECT_TRUE(venster->ui().knopMapHoger->isVisible());

    EXPECT_TRUE(Sluiten(*venster, {1}));
    const QByteArray na = Lezen(Cfg());
    EXPECT_TRUE(na.startsWith("cfgopenen=0\r\ncfgopslaan=1\r\n")) << na.toStdString();
    EXPECT_TRUE(na.endsWith("\r\n" + server.toUtf8() + "\r\n")) << na.toStdString();
}

// What the window holds is what is written; the file is the owner's only and read-only, and a
// second "Opslaan" replaces it all the same.
TEST_F(ConfiguratieVensterTest, OpslaanTweeKeerEnHeenEnTerug)
{
    const QString map = tmp.path() + QStringLiteral("/bewaard/");
    ASSERT_TRUE(QDir().mkpath(map));
    const QString server = QStringLiteral("Werk") + S + "h" + S + "u" + S + "w" + S + "2121" + S + "web";
    Bestand({"cfgopslaan=0", "knoppenbalktonen=0", "lokaalopenen=1", "plusbijsubmappenftp=1",
             "maplokaalactueel=" + map, "patroonlokaal=*.a=b", "uploadbestand=/tmp/up.txt",
             "standaardbreedte=14000", "standaardhoogte=9600", "verbindingen=2", server});
    auto venster = Starten({}, false);
    EXPECT_EQ(venster->toestand().Verbindingen, 2);
    for (const bool serverOpenen : {false, true}) {
        if (serverOpenen) venster->menus().mnuInstellingenServer->trigger();
        const QByteArray verwacht = serverOpenen ? "\r\nserveropenen=1\r\n" : "\r\nserveropenen=0\r\n";
        DialoogOpnemer eigen;
        venster->menus().mnuConfuguratieConfiguratieOpslaan->trigger();
        ASSERT_EQ(eigen.Vragen().size(), 1u);
        EXPECT_EQ(eigen.Vragen()[0].opties.Tekst, QStringLiteral("Configuratie is opgeslagen."));
        EXPECT_EQ(eigen.Vragen()[0].opties.SluitenNa, 750);
        EXPECT_TRUE(eigen.Vragen()[0].opties.Knoppen.isEmpty());
        EXPECT_TRUE(Lezen(Cfg()).contains(verwacht));
        EXPECT_EQ(QFile::permissions(Cfg()) & 0x7077, QFileDevice::Permissions(QFile::ReadOwner));
    }
    const QByteArray na = Lezen(Cfg());
    for (const QByteArray& regel :
         QByteArrayList{"cfgopenen=1", "cfgopslaan=0", "server=", "knoppenbalktonen=0", "lokaalopenen=1",
                        "plusbijsubmappenftp=1", "maplokaalactueel=" + map.toUtf8(), "patroonlokaal=*.a=b",
                        "mapftpactueel=", "uploadbestand=/tmp/up.txt", "standaardbreedte=14000",
                        "standaardhoogte=9600", "verbindingen=2", server.toUtf8()})
        EXPECT_TRUE(na.contains("\n" + regel + "\r\n") || na.startsWith(regel + "\r\n"))
            << regel.toStdString();

    // Read into a second window and written again, it stays the same (but for the place and
    // size: the test screen is smaller than the window, which the limits change).
    auto tweede = Starten({}, false);
    tweede->menus().mnuConfuguratieConfiguratieOpslaan->trigger();
    const auto zonderGeometrie = [](const QByteArray& tekst) {
        QByteArrayList regels = tekst.split('\n');
        regels.removeIf(
            [](const QByteArray& r) { return r.startsWith("links=") || r.startsWith("breedte="); });
        return regels.join('\n').toStdString();
    };
    EXPECT_EQ(zonderGeometrie(Lezen(Cfg())), zonderGeometrie(na));
}

// The connections of a folder transfer: read within 1 to 8 and checked in the "Verbindingen"
// menu; chosen there, they reach the file, which has no line for them while the default holds.
TEST_F(ConfiguratieVensterTest, VerbindingenUitBestandEnMenu)
{
    auto venster = Starten({}, false);
    QMenu* menu = venster->menus().mnuFtpVerbindingen;
    const auto gekozen = [&] {
        QStringList aan;
        for (const QAction* item : menu->actions())
            if (item->isChecked()) aan << item->text();
        return aan.join(u',');
    };
    const std::pair<const char*, int> rijen[] = {
        {"verbindingen=12", 8}, {"verbindingen=0", 1}, {"verbindingen=-3", 1},
        {"verbindingen=2", 2},  {"verbindingen=x", 4}, {"cfgopslaan=1", 4},
    };
    for (const auto& [regel, verwacht] : rijen) {
        SCOPED_TRACE(regel);
        Bestand({regel});
        venster->configuratie().ConfiguratieLezen();
        EXPECT_EQ(venster->toestand().Verbindingen, verwacht);
        EXPECT_EQ(gekozen(), QString::number(verwacht));
        venster->menus().mnuConfuguratieConfiguratieOpslaan->trigger();
        EXPECT_EQ(Lezen(Cfg()).contains("verbindingen="), verwacht != 4) << Lezen(Cfg()).toStdString();
    }

    ASSERT_EQ(menu->actions().size(), 8);
    menu->actions().at(5)->trigger();
    EXPECT_EQ(venster->toestand().Verbindingen, 6);
    EXPECT_EQ(gekozen(), QStringLiteral("6"));
    EXPECT_TRUE(Sluiten(*venster, {1}));
    EXPECT_TRUE(Lezen(Cfg()).contains("\r\nverbindingen=6\r\n")) << Lezen(Cfg()).toStdString();
}

// A file that cannot be written is told in the program's own notice, and the program goes on.
TEST_F(ConfiguratieVensterTest, MisluktSchrijvenGeeftEenMelding)
{
    const QString geenMap = tmp.path() + QStringLiteral("/bestand");
    Schrijven(geenMap, "een bestand, geen map");
    const QString pad = geenMap + QStringLiteral("/vamox.cfg");
    omgeving.reset();
    omgeving.emplace(ProgrammaOmgeving{programma, pad, Werkmap()});
    auto venster = Starten();
    venster->menus().mnuConfuguratieConfiguratieOpslaan->trigger();
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral("Configuratiebestand kan niet worden opgeslagen:\r\n") + pad);
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 4);

    EXPECT_TRUE(Sluiten(*venster, {1}));
    ASSERT_EQ(vragen.Vragen().size(), 3u);
    EXPECT_EQ(vragen.Vragen()[2].opties.Pictogram, 4);
    EXPECT_FALSE(QFileInfo::exists(Werkmap()));
}

// A configuration that is there but cannot be read is told; the program starts without it and
// asks before replacing it.
TEST_F(ConfiguratieVensterTest, OnleesbaarBestandGeeftEenMelding)
{
    ASSERT_TRUE(QDir().mkpath(Cfg()));
    auto venster = Starten();
    ASSERT_GE(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral("Configuratiebestand kan niet worden gelezen:\r\n") + Cfg());
    EXPECT_TRUE(venster->toestand().ConfiguratieOvergeslagen);
    EXPECT_EQ(venster->findChild<QDialog*>(QStringLiteral("frmServergegevens")), nullptr);
}

// A value that the file cannot hold is left out, and the notice says which.
TEST_F(ConfiguratieVensterTest, OnopslaanbareWaardeGeeftEenMelding)
{
    auto venster = Starten({}, false);
    venster->ui().cboPatroonLokaal->setEditText(QStringLiteral("*.a") + S + "b");
    venster->menus().mnuConfuguratieConfiguratieOpslaan->trigger();
    ASSERT_EQ(vragen.Vragen().size(), 2u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral("Deze instellingen zijn niet opgeslagen: hun waarde bevat een regeleinde of het "
                             "teken met code 15.\r\n patroonlokaal"));
    EXPECT_EQ(vragen.Vragen()[1].opties.Tekst, QStringLiteral("Configuratie is opgeslagen."));
    EXPECT_FALSE(Lezen(Cfg()).contains("patroonlokaal="));
}

TEST_F(ConfiguratieVensterTest, MenuitemsVanDeStartinstellingen)
{
    auto venster = Starten();
    const VensterMenus& m = venster->menus();
    m.mnuInstellingenKnoppenbalk->trigger();
    EXPECT_FALSE(venster->ui().KnopVerbreken->isVisible());
    m.mnuInstellingenKnoppenbalk->trigger();
    EXPECT_TRUE(venster->ui().KnopVerbreken->isVisible());

    // Outside downloading asks; only "Ja" keeps it, and the server menus follow. (The item is off
    // until dragging out of the window exists; its handler is tested already.)
    m.mnuInstellingenDownloaden->setEnabled(true);
    for (const int antwoord : {2, 1}) {
        vragen.Antwoord(antwoord);
        m.mnuInstellingenDownloaden->trigger();
        EXPECT_EQ(m.mnuInstellingenDownloaden->isChecked(), antwoord == 1);
        EXPECT_EQ(m.mnuMapFtpBuitenDownloaden->isChecked(), antwoord == 1);
    }
    EXPECT_EQ(vragen.Vragen().back().opties.Pictogram, 3);
    EXPECT_EQ(vragen.Vragen().back().opties.Codes, QStringLiteral("2+1"));

    // "Standaardinstellingen": both file items on, the start-up items back, the standard size.
    venster->toestand().Standaardbreedte = 13500;
    venster->toestand().Standaardhoogte = 9600;
    for (QAction* item : {m.mnuConfiguratieOpenen, m.mnuConfiguratieOpslaan, m.mnuInstellingenKnoppenbalk,
                          m.mnuInstellingenLokaal})
        item->setChecked(false);
    m.mnuInstellingenServer->setChecked(true);
    m.mnuPlusBijSubmappenLokaal->setChecked(true);
    m.mnuPlusLokaal->setChecked(true);
    venster->menus().mnuStandaardinstellingen->trigger();
    for (QAction* item : {m.mnuConfiguratieOpenen, m.mnuConfiguratieOpslaan, m.mnuInstellingenKnoppenbalk,
                          m.mnuInstellingenLokaal, m.mnuInstellingenStandaardformaat})
        EXPECT_TRUE(item->isChecked()) << item->objectName().toStdString();
    for (QAction* item :
         {m.mnuInstellingenServer, m.mnuInstellingenDownloaden, m.mnuPlusBijSubmappenLokaal, m.mnuPlusLokaal})
        EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
    EXPECT_TRUE(WachtTot(
        [&] { return venster->size() == TwipsSchaal::Van(venster.get()).NaarPixels(QSize(13500, 9600)); }));
}

} // namespace
} // namespace Vamox::Test
