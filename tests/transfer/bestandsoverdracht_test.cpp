#include "OverdrachtHulp.h"

#include "panes/Opmaak.h"
#include "panes/gui/Selectie.h"
#include "platform/gui/Zandloper.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QToolButton>

namespace Vamox::Test {
namespace {

using BestandsoverdrachtTest = OverdrachtTest;

// Three files, the second already here: Enter on the question keeps it, the other two arrive,
// are remembered and selected, and the notice counts 2 of 3. The questions come before any file
// moves; the progress shows while they move, without moving the lists.
TEST_F(BestandsoverdrachtTest, DownloadVraagtMetNeeAlsStandaardEnMeldtHetTekort)
{
    Verbinden();
    server->schrijf(QStringLiteral("a.txt"), "aaa");
    server->schrijf(QStringLiteral("b.txt"), "bbb van de server");
    server->schrijf(QStringLiteral("c.txt"), "ccc");
    Kiezen();
    Schrijf(L("b.txt"), "oud");
    Selecteren(*ui().LijstBFtp, {"a.txt", "b.txt", "c.txt"});

    // Showing the progress keeps the window's size: the bar takes its room inside, below every
    // control, and gives it back afterwards.
    const QSize vensterVooraf = venster->size();
    const QRect lijstVooraf = ui().LijstBFtp->geometry();
    bool voortgangGezien = false;
    const QMetaObject::Connection bezig =
        QObject::connect(&t().wachtrij, &Wachtrij::bezigGewijzigd, venster.get(), [&](bool aan) {
            if (!aan) return;
            QApplication::processEvents();
            const QRect binnen = ui().centraal->rect();
            bool allesBinnen = ui().centraal->geometry().bottom() < venster->statusBar()->geometry().top();
            for (const QWidget* w : ui().centraal->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisible() && !binnen.contains(w->geometry())) allesBinnen = false;
            voortgangGezien = VoortgangZichtbaar() && venster->size() == vensterVooraf && allesBinnen;
        });
    Klik(ui().knopBDownloaden);
    QObject::disconnect(bezig);
    EXPECT_TRUE(voortgangGezien);
    EXPECT_EQ(venster->size(), vensterVooraf);
    EXPECT_EQ(ui().LijstBFtp->geometry(), lijstVooraf);

    ASSERT_EQ(gesteld.size(), 2u) << Teksten().join(u'|').toStdString();
    const MOpties& vraag = gesteld[0].opties;
    EXPECT_EQ(vraag.Tekst,
              QStringLiteral("Bestand\r\n ") + L("b.txt") + QStringLiteral("\r\noverschrijven?"));
    EXPECT_EQ(vraag.Pictogram, 4);
    EXPECT_EQ(vraag.Knoppen, QStringLiteral("&Ja+&Nee"));
    EXPECT_EQ(vraag.Codes, QStringLiteral("2+1"));
    EXPECT_EQ(vraag.Knopbreedte, 1280);
    EXPECT_TRUE(vraag.Centreren);
    EXPECT_EQ(gesteld[1].opties.Tekst,
              QStringLiteral("Bij downloaden is iets fout gegaan. Gedownload: 2/3.\r\n"
                             "Kies uit het snelmenu [Verversen] of [Buiten venster "
                             "downloaden]."));
    EXPECT_EQ(gesteld[1].opties.Pictogram, 4);

    EXPECT_FALSE(VoortgangZichtbaar());

    EXPECT_EQ(Lees(L("a.txt")), "aaa");
    EXPECT_EQ(Lees(L("b.txt")), "oud");
    EXPECT_EQ(Lees(L("c.txt")), "ccc");
    EXPECT_EQ(t().LaatsteDownloads, (QStringList{Context(), "a.txt", "c.txt"}));
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), (QStringList{"a.txt", "c.txt"}));
    EXPECT_EQ(venster->focusWidget(), ui().LijstBLokaal);
    EXPECT_TRUE(t().wachtrij.Stil());
}

struct UploadGeval
{
    const char* naam;
    std::vector<int> antwoorden; // empty: Enter
    bool storFaalt;
    bool viaMenu;
    QByteArray xOpServer;
    int geselecteerd; // uploaded names are selected, capitals not counting (Y.txt may select y.txt)
    QString melding;
};

void PrintTo(const UploadGeval& g, std::ostream* uit)
{
    *uit << g.naam;
}

class Upload : public OverdrachtTest, public ::testing::WithParamInterface<UploadGeval>
{
};

// x.txt exists on the server and is asked about (Enter = Ja); Y.txt exists only as y.txt, which
// is no reason to ask. A skipped file is no failure, a refused one is; LaatsteUploads keeps
// every selected name either way.
TEST_P(Upload, VraagtAlleenBijDezelfdeNaam)
{
    const UploadGeval& g = GetParam();
    FtpServerOpties opties;
    if (g.storFaalt) opties.faalCommandos = {QStringLiteral("STOR")};
    Verbinden(opties);
    server->schrijf(QStringLiteral("x.txt"), "x van de server");
    server->schrijf(QStringLiteral("y.txt"), "y van de server");
    Kiezen();
    Schrijf(L("x.txt"), "lokale x");
    Schrijf(L("Y.txt"), "lokale Y");
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstBLokaal, {"x.txt", "Y.txt"});
    antwoorden.assign(g.antwoorden.begin(), g.antwoorden.end());

    if (g.viaMenu) {
        venster->menus().mnuBestandLokaalUploaden->trigger();
        Overdrachtenklaar();
    } else {
        Klik(ui().knopBUploaden);
    }

    ASSERT_GE(gesteld.size(), 1u);
    EXPECT_EQ(gesteld[0].opties.Tekst, QStringLiteral("Serverbestand\r\n /x.txt\r\noverschrijven?"));
    EXPECT_EQ(gesteld[0].opties.Knoppen, QStringLiteral("&Ja+&Nee"));
    EXPECT_EQ(gesteld[0].opties.Codes, QStringLiteral("1+2"));
    EXPECT_EQ(gesteld[0].opties.Pictogram, 4);
    EXPECT_EQ(Teksten().mid(1), g.melding.isEmpty() ? QStringList() : QStringList{g.melding});
    EXPECT_EQ(server->lees(QStringLiteral("x.txt")), g.xOpServer);
    EXPECT_EQ(server->lees(QStringLiteral("y.txt")), "y van de server");
    EXPECT_EQ(server->lees(QStringLiteral("Y.txt")), g.storFaalt ? QByteArray() : QByteArray("lokale Y"));
    EXPECT_EQ(t().LaatsteUploads, (QStringList{Context(), "x.txt", "Y.txt"}));
    const QStringList geselecteerd = GeselecteerdeNamenVan(*ui().LijstBFtp);
    EXPECT_EQ(geselecteerd.size(), g.geselecteerd) << geselecteerd.join(u',').toStdString();
    EXPECT_EQ(geselecteerd.contains(QStringLiteral("x.txt")), g.xOpServer == "lokale x");
    EXPECT_FALSE(ZandloperAan());
    EXPECT_FALSE(VoortgangZichtbaar());
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, Upload,
    ::testing::Values(
        UploadGeval{"EnterIsJa", {}, false, false, "lokale x", 2, {}},
        UploadGeval{"NeeSlaatOver", {2}, false, true, "x van de server", 1, {}},
        UploadGeval{
            "GeweigerdMeldt", {}, true, false, "x van de server", 0, "Bij uploaden is iets fout gegaan."}),
    [](const auto& info) { return std::string(info.param.naam); });

// The connection drops in the middle of the first file: the old local copy is left whole and
// no temporary file stays behind, the next file still arrives, and the notice tells.
TEST_F(BestandsoverdrachtTest, AfgebrokenDownloadLaatOudBestandStaan)
{
    Verbinden({.dropRetrNa = 30000});
    server->schrijf(QStringLiteral("groot.bin"), QByteArray(300000, 'n'));
    server->schrijf(QStringLiteral("klein.txt"), "klein");
    Kiezen();
    Schrijf(L("groot.bin"), "oud");
    Selecteren(*ui().LijstBFtp, {"groot.bin", "klein.txt"});
    antwoorden = {1};

    Klik(ui().knopBDownloaden);

    ASSERT_EQ(gesteld.size(), 2u) << Teksten().join(u'|').toStdString();
    EXPECT_TRUE(gesteld[1].opties.Tekst.startsWith(
        QStringLiteral("Bij downloaden is iets fout gegaan. Gedownload: 1/2.")))
        << gesteld[1].opties.Tekst.toStdString();
    EXPECT_EQ(Lees(L("groot.bin")), "oud");
    EXPECT_EQ(Lees(L("klein.txt")), "klein");
    EXPECT_EQ(QDir(lokaal.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"groot.bin", "klein.txt"}));
    EXPECT_EQ(t().LaatsteDownloads, (QStringList{Context(), "klein.txt"}));
}

// Escape while a file comes in cancels it: the old local file stays whole, the files after it
// are not fetched, and the notice says it was cancelled, not that something went wrong.
TEST_F(BestandsoverdrachtTest, EscapeAnnuleertDeLopendeDownload)
{
    Verbinden({.traagMs = 300});
    server->schrijf(QStringLiteral("a.bin"), QByteArray(5000, 'n'));
    server->schrijf(QStringLiteral("b.bin"), "b");
    Kiezen();
    Schrijf(L("a.bin"), "oud");
    Selecteren(*ui().LijstBFtp, {"a.bin", "b.bin"});
    antwoorden = {1}; // Ja: a.bin may be replaced
    bool gewapend = false;
    bool gedrukt = false;
    bijVraag = [&](const DialoogVraag&) { gewapend = true; };
    // Once a.bin is coming in.
    QObject::connect(&t().wachtrij, &Wachtrij::klusGewijzigd, venster.get(), [&](int rij) {
        if (!gewapend || t().wachtrij.Klussen()[size_t(rij)].staat != Klus::Staat::Lopend) return;
        gewapend = false;
        QTimer::singleShot(100, venster.get(), [&] {
            gedrukt = true;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
    });

    Klik(ui().knopBDownloaden);

    ASSERT_TRUE(gedrukt);
    ASSERT_EQ(gesteld.size(), 2u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[1].opties.Tekst, QStringLiteral("Het downloaden is geannuleerd."));
    EXPECT_EQ(Lees(L("a.bin")), "oud");
    EXPECT_EQ(QDir(lokaal.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});
}

// A server that lists names holding separators or dots: nothing is written outside the local
// folder, by the toolbar download nor by a folder download, and each such name is a failure.
TEST_F(BestandsoverdrachtTest, VreemdeNamenUitDeListingBlijvenBinnen)
{
    const QByteArray listing = "-rw-r--r--   1 ftp ftp  5 Jan 01 12:00 ../buiten.txt\r\n"
                               "-rw-r--r--   1 ftp ftp  5 Jan 01 12:00 a/b\r\n"
                               "-rw-r--r--   1 ftp ftp  5 Jan 01 12:00 ..\r\n"
                               "-rw-r--r--   1 ftp ftp  5 Jan 01 12:00 .\r\n"
                               "-rw-r--r--   1 ftp ftp  5 Jan 01 12:00 goed.txt\r\n";
    Verbinden({.mlst = false, .vasteListing = listing});
    for (const char* pad : {"buiten.txt", "a/b", "goed.txt", "map/goed.txt", "map/a/b", "buiten/x"})
        server->schrijf(QString::fromLatin1(pad), "serverinhoud");
    Kiezen();
    QTemporaryDir boven;
    const QString doel = boven.filePath(QStringLiteral("doel"));
    ASSERT_TRUE(QDir().mkpath(doel));
    LokaalTonen(doel);
    const QStringList rijen = Namen(ui().LijstBFtp->lijstModel());
    ASSERT_TRUE(rijen.contains(QStringLiteral("../buiten.txt")));
    ASSERT_TRUE(rijen.contains(QStringLiteral("a/b")));
    LijstSelecteren(*ui().LijstBFtp, true);

    Klik(ui().knopBDownloaden);

    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_TRUE(gesteld[0].opties.Tekst.startsWith(
        QStringLiteral("Bij downloaden is iets fout gegaan. Gedownload: 1/") + QString::number(rijen.size()) +
        u'.'));
    EXPECT_EQ(QDir(boven.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"doel"});
    EXPECT_EQ(QDir(doel).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"goed.txt"});

    // The same listing inside a folder: only the plain name arrives, in doel/map. (The folder
    // box would refuse /map/, which the fixed listing does not show.)
    ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp(QStringLiteral("/map/")));
    gesteld.clear();
    venster->mapoverdracht().DownloadenServermap(QStringLiteral("/map"), QString());
    Overdrachtenklaar();
    ASSERT_EQ(gesteld.size(), 2u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[1].opties.Tekst,
              QStringLiteral("Bij downloaden van servermap '/map' is iets fout gegaan."));
    EXPECT_EQ(QDir(boven.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"doel"});
    EXPECT_EQ(QDir(doel).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"goed.txt", "map"}));
    EXPECT_EQ(
        QDir(doel + QStringLiteral("/map")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{"goed.txt"});
}

struct DropGeval
{
    const char* naam;
    enum Soort
    {
        Downloaden,
        LokaalUploaden,
        ServerKopie
    } soort;
    QString titel;
};

void PrintTo(const DropGeval& g, std::ostream* uit)
{
    *uit << g.naam;
}

class Drop : public OverdrachtTest, public ::testing::WithParamInterface<DropGeval>
{
};

// Files dropped on a folder row go into that subfolder without a question (an existing file is
// replaced), the subfolder becomes the current one and exactly the dropped names are selected.
TEST_P(Drop, InSubmapZonderVraag)
{
    const DropGeval& g = GetParam();
    Verbinden();
    server->schrijf(QStringLiteral("a/b/x.txt"), "x van de server");
    server->schrijf(QStringLiteral("a/b/z.txt"), "z van de server");
    server->schrijf(QStringLiteral("a/b/sub/x.txt"), "oud");
    server->schrijf(QStringLiteral("a/b/sub/w.txt"), "w");
    Kiezen();
    ServerTonen(QStringLiteral("/a/b/"));
    Schrijf(L("sub/x.txt"), "oud");
    Schrijf(L("sub/w.txt"), "w");
    Schrijf(L("x.txt"), "lokale x");
    Schrijf(L("z.txt"), "lokale z");
    LokaalTonen(lokaal.path());

    QString titelTijdens;
    QObject::connect(&t().wachtrij, &Wachtrij::bezigGewijzigd, venster.get(), [&](bool bezig) {
        if (bezig && titelTijdens.isEmpty()) titelTijdens = venster->windowTitle();
    });
    Bestandsoverdracht& b = venster->bestandsoverdracht();
    switch (g.soort) {
    case DropGeval::Downloaden:
        b.FtpBestandenDownloaden({"/a/b/x.txt", "/a/b/z.txt"}, QStringLiteral("sub"));
        Overdrachtenklaar();
        EXPECT_EQ(Lees(L("sub/x.txt")), "x van de server");
        EXPECT_EQ(Lees(L("sub/z.txt")), "z van de server");
        EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), L("sub/"));
        EXPECT_EQ(ui().MapLokaal->text(), L("sub/"));
        EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), (QStringList{"x.txt", "z.txt"}));
        EXPECT_EQ(venster->focusWidget(), ui().LijstBLokaal);
        break;
    case DropGeval::LokaalUploaden:
        b.LokaalBestandenUploaden({L("x.txt"), L("z.txt")}, QStringLiteral("sub"));
        Overdrachtenklaar();
        EXPECT_EQ(server->lees(QStringLiteral("a/b/sub/x.txt")), "lokale x");
        EXPECT_EQ(server->lees(QStringLiteral("a/b/sub/z.txt")), "lokale z");
        break;
    case DropGeval::ServerKopie:
        b.FtpBestandenUploaden({"/a/b/x.txt", "/a/b/z.txt"}, QStringLiteral("sub"));
        Overdrachtenklaar();
        EXPECT_EQ(server->lees(QStringLiteral("a/b/sub/x.txt")), "x van de server");
        EXPECT_EQ(server->lees(QStringLiteral("a/b/sub/z.txt")), "z van de server");
        // The copies went through the work folder and are gone from it.
        EXPECT_TRUE(QDir(werk.filePath(QStringLiteral("Kopieren"))).isEmpty());
        break;
    }
    if (g.soort != DropGeval::Downloaden) {
        EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/b/sub/"));
        EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/b/sub/"));
        EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBFtp), (QStringList{"x.txt", "z.txt"}));
        EXPECT_EQ(venster->focusWidget(), ui().LijstBFtp);
    }
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    if (!g.titel.isEmpty()) {
        EXPECT_EQ(titelTijdens, g.titel);
    }
    EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));
    EXPECT_FALSE(ZandloperAan());
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, Drop,
    ::testing::Values(
        DropGeval{"ServerbestandenOpLokaleMap", DropGeval::Downloaden, {}},
        DropGeval{"LokaleBestandenOpServermap", DropGeval::LokaalUploaden,
                  QStringLiteral("Even geduld. Lokale bestanden (2)  kopiëren naar /a/b/sub/...")},
        DropGeval{"ServerbestandenOpServermap", DropGeval::ServerKopie,
                  QStringLiteral("Even geduld. Ftp-bestanden (2)  kopiëren naar /a/b/sub/...")}),
    [](const auto& info) { return std::string(info.param.naam); });

// The caption of the download drop names the local target, which only the test knows.
TEST_F(BestandsoverdrachtTest, DropDownloadToontTitelEnMeldtFouten)
{
    Verbinden();
    server->schrijf(QStringLiteral("x.txt"), "x");
    Kiezen();
    ASSERT_TRUE(QDir().mkpath(L("sub")));
    QString titelTijdens;
    QObject::connect(&t().wachtrij, &Wachtrij::bezigGewijzigd, venster.get(), [&](bool bezig) {
        if (bezig && titelTijdens.isEmpty()) titelTijdens = venster->windowTitle();
    });
    venster->bestandsoverdracht().FtpBestandenDownloaden({"/x.txt", "/weg.txt", "/.."},
                                                         QStringLiteral("sub"));
    Overdrachtenklaar();
    EXPECT_EQ(titelTijdens, QStringLiteral("Even geduld. Ftp-bestanden ( 3) downloaden naar ") + L("sub/") +
                                QStringLiteral("..."));
    EXPECT_EQ(Teksten(), QStringList{"Het downloaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."});
    EXPECT_EQ(Lees(L("sub/x.txt")), "x");
    EXPECT_EQ(QDir(lokaal.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"sub"});
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), QStringList{"x.txt"});
}

} // namespace
} // namespace Vamox::Test
