#include "OverdrachtHulp.h"

#include "panes/Opmaak.h"
#include "platform/gui/Zandloper.h"

#include <QAction>
#include <QToolButton>

namespace Vamox::Test {
namespace {

using MapoverdrachtTest = OverdrachtTest;

const QString Vierweg = QStringLiteral("&Ja+&Nee+&Alle overschrijven+&Stoppen");

struct MapGeval
{
    const char* naam;
    std::vector<int> antwoorden; // after them: Enter
    QStringList titels;          // of the overwrite questions, in order
    QByteArray a, b, c;          // the three files on the target side afterwards
};

void PrintTo(const MapGeval& g, std::ostream* uit)
{
    *uit << g.naam;
}

class MapUpload : public OverdrachtTest, public ::testing::WithParamInterface<MapGeval>
{
};

// foto with an empty folder, a subfolder and a sub-subfolder goes to a server that already has
// foto, foto/sub and the three files (c.txt empty, which is overwritten without a question).
// Folders that exist are no failure.
TEST_P(MapUpload, VraagtPerBestandMetVierKeuzes)
{
    const MapGeval& g = GetParam();
    Verbinden();
    server->schrijf(QStringLiteral("foto/a.txt"), "oud a");
    server->schrijf(QStringLiteral("foto/sub/b.txt"), "oud b");
    server->schrijf(QStringLiteral("foto/sub/diep/c.txt"), "");
    Kiezen();
    Schrijf(L("foto/a.txt"), "nieuw a");
    Schrijf(L("foto/sub/b.txt"), "nieuw b");
    Schrijf(L("foto/sub/diep/c.txt"), "nieuw c");
    ASSERT_TRUE(QDir().mkpath(L("foto/leeg")));
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstLokaal, {"foto"});
    antwoorden.assign(g.antwoorden.begin(), g.antwoorden.end());

    Klik(ui().knopUploaden);

    ASSERT_EQ(gesteld.size(), 1 + size_t(g.titels.size())) << Teksten().join(u'|').toStdString();
    const MOpties& samen = gesteld[0].opties;
    EXPECT_EQ(samen.Tekst, QStringLiteral("Lokale map ") + L("foto") +
                               QStringLiteral("\r\n met al zijn submappen (3) en bestanden (3; ") +
                               GrootteTekst(21) + QStringLiteral(")\r\nuploaden naar servermap /?"));
    EXPECT_EQ(samen.Knoppen, QStringLiteral("&Ja+&Nee"));
    EXPECT_EQ(samen.Codes, QStringLiteral("1+2"));
    for (qsizetype i = 0; i < g.titels.size(); ++i) {
        const MOpties& v = gesteld[size_t(i + 1)].opties;
        EXPECT_EQ(v.Titel.value_or(QString()), g.titels[i]);
        EXPECT_EQ(v.Knoppen, Vierweg);
        EXPECT_EQ(v.Codes, QStringLiteral("1+2"));
        EXPECT_EQ(v.Pictogram, 4);
    }
    EXPECT_EQ(gesteld[1].opties.Tekst, QStringLiteral("Serverbestand overschrijven\r\n /foto/a.txt (") +
                                           GrootteTekst(5) + QStringLiteral(")?"));
    EXPECT_EQ(server->lees(QStringLiteral("foto/a.txt")), g.a);
    EXPECT_EQ(server->lees(QStringLiteral("foto/sub/b.txt")), g.b);
    EXPECT_EQ(server->lees(QStringLiteral("foto/sub/diep/c.txt")), g.c);
    EXPECT_TRUE(QFileInfo(server->pad(QStringLiteral("foto/leeg"))).isDir());
    EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));
    EXPECT_FALSE(ZandloperAan());
    EXPECT_FALSE(VoortgangZichtbaar());
    if (g.a == "nieuw a") {
        EXPECT_EQ(GeselecteerdeNaam(*ui().LijstFtp), QStringLiteral("foto"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, MapUpload,
    ::testing::Values(
        MapGeval{"AlleOverschrijven", {1, 3}, {"Uploaden: 1/3"}, "nieuw a", "nieuw b", "nieuw c"},
        MapGeval{"NeeDanJa", {1, 2, 1}, {"Uploaden: 1/3", "Uploaden: 2/3"}, "oud a", "nieuw b", "nieuw c"},
        MapGeval{"StoppenVoorHetEersteBestand", {1, 4}, {"Uploaden: 1/3"}, "oud a", "oud b", ""}),
    [](const auto& info) { return std::string(info.param.naam); });

class LegeMap : public OverdrachtTest, public ::testing::WithParamInterface<bool>
{
};

// An empty folder is made on the server and nothing is told; a folder the server refuses to
// make (and that is not there) is told, though no file was attempted.
TEST_P(LegeMap, WordtGemaaktZonderMelding)
{
    const bool mkdFaalt = GetParam();
    FtpServerOpties opties;
    if (mkdFaalt) opties.faalCommandos = {QStringLiteral("MKD")};
    Verbinden(opties);
    Kiezen();
    ASSERT_TRUE(QDir().mkpath(L("leeg")));
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstLokaal, {"leeg"});

    venster->menus().mnuMapLokaalUploaden->trigger();
    Overdrachtenklaar();

    QStringList verwacht{QStringLiteral("Lokale map ") + L("leeg") +
                         QStringLiteral("\r\n met al zijn submappen (0) en bestanden (0; ") +
                         GrootteTekst(0) + QStringLiteral(")\r\nuploaden naar servermap /?")};
    if (mkdFaalt)
        verwacht << QStringLiteral("Bij uploaden van lokale map '") + L("leeg") +
                        QStringLiteral("' is iets fout gegaan.");
    EXPECT_EQ(Teksten(), verwacht);
    EXPECT_EQ(QFileInfo(server->pad(QStringLiteral("leeg"))).isDir(), !mkdFaalt);
}

INSTANTIATE_TEST_SUITE_P(Gevallen, LegeMap, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "MkdGeweigerd" : "Gewoon");
});

class MapDownload : public OverdrachtTest, public ::testing::WithParamInterface<MapGeval>
{
};

// /www/foto comes into the local folder, where foto/a.txt already is. The toolbar download says
// "Kopiëren" in the caption; "Stoppen" at the first file ends the run without a word.
TEST_P(MapDownload, VraagtPerBestandMetVierKeuzes)
{
    const MapGeval& g = GetParam();
    Verbinden();
    server->schrijf(QStringLiteral("www/foto/a.txt"), "nieuw a");
    server->schrijf(QStringLiteral("www/foto/sub/b.txt"), "nieuw b");
    server->schrijf(QStringLiteral("www/foto/sub/diep/c.txt"), "nieuw c");
    Kiezen();
    ServerTonen(QStringLiteral("/www/"));
    Schrijf(L("foto/a.txt"), "oud");
    Schrijf(L("foto/sub/b.txt"), "oud b");
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstFtp, {"foto"});
    antwoorden.assign(g.antwoorden.begin(), g.antwoorden.end());
    QString titelTijdens;
    bijVraag = [&](const DialoogVraag&) {
        if (gesteld.size() == 2) titelTijdens = venster->windowTitle();
    };

    Klik(ui().knopDownloaden);

    ASSERT_EQ(gesteld.size(), 1 + size_t(g.titels.size())) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[0].opties.Tekst, QStringLiteral("Servermap /www/foto\r\n met al zijn submappen (2) en "
                                                      "bestanden (3; ") +
                                           GrootteTekst(21) +
                                           QStringLiteral(")\r\ndownloaden naar lokale map ") + L("?"));
    EXPECT_EQ(gesteld[0].opties.Codes, QStringLiteral("1+2"));
    for (qsizetype i = 0; i < g.titels.size(); ++i) {
        const MOpties& v = gesteld[size_t(i + 1)].opties;
        EXPECT_EQ(v.Titel.value_or(QString()), g.titels[i]);
        EXPECT_EQ(v.Knoppen, Vierweg);
        EXPECT_EQ(v.Codes, QStringLiteral("1+2"));
    }
    EXPECT_EQ(gesteld[1].opties.Tekst, QStringLiteral("Lokale bestand overschrijven\r\n ") + L("foto/a.txt") +
                                           QStringLiteral(" (") + GrootteTekst(3) + QStringLiteral(")?"));
    EXPECT_EQ(titelTijdens, QStringLiteral("Even geduld. Kopiëren (") + GrootteTekst(21) +
                                QStringLiteral("). Escape=Downloaden stoppen..."));
    EXPECT_EQ(Lees(L("foto/a.txt")), g.a);
    EXPECT_EQ(Lees(L("foto/sub/b.txt")), g.b);
    EXPECT_EQ(Lees(L("foto/sub/diep/c.txt")), g.c);
    EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));
    EXPECT_FALSE(ZandloperAan());
    EXPECT_FALSE(VoortgangZichtbaar());
    if (g.a == "nieuw a") {
        EXPECT_EQ(GeselecteerdeNaam(*ui().LijstLokaal), QStringLiteral("foto"));
        EXPECT_EQ(venster->focusWidget(), ui().LijstLokaal);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, MapDownload,
    ::testing::Values(
        MapGeval{"AlleOverschrijven", {1, 3}, {"Downloaden: 1/3"}, "nieuw a", "nieuw b", "nieuw c"},
        MapGeval{"NeeDanEnter", {1, 2}, {"Downloaden: 1/3", "Downloaden: 2/3"}, "oud", "nieuw b", "nieuw c"},
        MapGeval{"StoppenVoorHetEersteBestand", {1, 4}, {"Downloaden: 1/3"}, "oud", "oud b", "<ontbreekt>"}),
    [](const auto& info) { return std::string(info.param.naam); });

// Escape pressed while the first file comes in ends the run once the files under way are done,
// without a notice: no file is handed out after it, those under way arrive whole, nothing partial
// stays. (Over several connections more than one file may be under way.)
TEST_F(MapoverdrachtTest, EscapeBeeindigtMapdownloadNaHetLopendeBestand)
{
    // A fifth of a second a file: the Escape comes while most of them wait.
    Verbinden({.snelheid = 500'000});
    QStringList namen;
    for (int i = 0; i < 12; ++i) {
        namen << QStringLiteral("%1.bin").arg(i, 2, 10, QLatin1Char('0'));
        server->schrijf(QStringLiteral("foto/") + namen.back(), QByteArray(100000, 'x'));
    }
    Kiezen();
    Selecteren(*ui().LijstFtp, {"foto"});
    bool gewapend = false;
    bool ingedrukt = false;
    bijVraag = [&](const DialoogVraag&) { gewapend = true; };
    QObject::connect(&t().wachtrij, &Wachtrij::klusGewijzigd, venster.get(), [&](int rij) {
        if (!gewapend || t().wachtrij.Klussen()[size_t(rij)].staat != Klus::Staat::Lopend) return;
        gewapend = false;
        ingedrukt = true;
        QTest::keyClick(ui().LijstLokaal, Qt::Key_Escape);
    });

    Klik(ui().knopDownloaden);

    ASSERT_TRUE(ingedrukt);
    EXPECT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    const QStringList aangekomen = QDir(L("foto")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_GE(aangekomen.size(), 1);
    EXPECT_LE(aangekomen.size(), t().Verbindingen);
    for (const QString& naam : aangekomen)
        EXPECT_EQ(Lees(L("foto/") + naam), QByteArray(100000, 'x')) << naam.toStdString();
    qint64 nietBegonnen = 0;
    for (const Klus& k : t().wachtrij.Klussen())
        if (k.staat == Klus::Staat::Geannuleerd && k.verbinding < 0) ++nietBegonnen;
    EXPECT_EQ(nietBegonnen, namen.size() - aangekomen.size());
    EXPECT_EQ(GeselecteerdeNaam(*ui().LijstLokaal), QStringLiteral("foto"));
    EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));

    // The next run is not ended by that Escape.
    bijVraag = nullptr;
    gesteld.clear();
    Selecteren(*ui().LijstFtp, {"foto"});
    Klik(ui().knopDownloaden);
    EXPECT_EQ(QDir(L("foto")).entryList(QDir::Files | QDir::Hidden), namen);
}

struct MeldingGeval
{
    const char* naam;
    bool verbinden;
    const char* folderrij; // selected in the source side's folder list; "" none
    enum Knop
    {
        BDownloaden,
        BUploaden,
        Uploaden,
        Downloaden
    } knop;
    QString tekst;
    int pictogram = 1;
};

void PrintTo(const MeldingGeval& g, std::ostream* uit)
{
    *uit << g.naam;
}

class Niets : public OverdrachtTest, public ::testing::WithParamInterface<MeldingGeval>
{
};

// Nothing to transfer: one notice (icon 1), nothing else happens.
TEST_P(Niets, MeldtWatOntbreekt)
{
    const MeldingGeval& g = GetParam();
    Verbinden();
    server->maakMap(QStringLiteral("sub"));
    if (g.verbinden) {
        Kiezen();
        ServerTonen(QStringLiteral("/sub/"));
    }
    ASSERT_TRUE(QDir().mkpath(L("map/sub")));
    LokaalTonen(L("map"));
    if (*g.folderrij) {
        Selecteren(g.knop == MeldingGeval::Uploaden ? *ui().LijstLokaal : *ui().LijstFtp,
                   {QString::fromUtf8(g.folderrij)});
    }
    QAbstractButton* knoppen[] = {ui().knopBDownloaden, ui().knopBUploaden, ui().knopUploaden,
                                  ui().knopDownloaden};
    Klik(knoppen[g.knop]);
    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[0].opties.Tekst, g.tekst);
    EXPECT_EQ(gesteld[0].opties.Pictogram, g.pictogram);
    EXPECT_TRUE(t().wachtrij.Stil());
    EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, Niets,
    ::testing::Values(MeldingGeval{"DownloadZonderServer", false, "", MeldingGeval::BDownloaden,
                                   "Geen server gevonden.\r\nKan derhalve geen serverbestand downloaden."},
                      MeldingGeval{
                          "DownloadZonderBestanden", true, "", MeldingGeval::BDownloaden,
                          "Geen serverbestand geselecteerd.\r\nKan derhalve geen serverbestand downloaden."},
                      MeldingGeval{"MapdownloadZonderServer", false, "", MeldingGeval::Downloaden,
                                   "Geen server gevonden.\r\nKan derhalve geen servermap downloaden."},
                      MeldingGeval{"MapdownloadVanOuder", true, " ..", MeldingGeval::Downloaden,
                                   "Geen servermap geselecteerd.\r\nKan derhalve geen servermap downloaden."},
                      MeldingGeval{"MapuploadVanOuder", true, " ..", MeldingGeval::Uploaden,
                                   "Geen lokale map geselecteerd.\r\nKan derhalve geen lokale map uploaden."},
                      MeldingGeval{"MapuploadZonderServer", false, "sub", MeldingGeval::Uploaden,
                                   "Kan geen verbinding met de server maken.", 4}),
    [](const auto& info) { return std::string(info.param.naam); });

} // namespace
} // namespace Vamox::Test
