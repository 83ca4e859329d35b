#include "SleepHulp.h"

#include "clipboard/Sleepdata.h"
#include "clipboard/gui/Slepen.h"
#include "panes/gui/Selectie.h"

#include <QAction>
#include <QClipboard>
#include <QUrl>

namespace Vamox::Test {
namespace {

using Slepen_ = OverdrachtTest;

QMimeData* Bestanden(const QStringList& paden)
{
    auto* data = new QMimeData;
    LokalePadenZetten(*data, paden);
    return data;
}

// The selected files in list order, in both formats; a selected file gone from the disk is left
// out, but counted in the confirmation.
TEST_F(Slepen_, KlembordHoudtDeGeselecteerdeBestandenInLijstvolgorde)
{
    for (const char* naam : {"a.txt", "b.txt", "c.txt", "d.txt"})
        Schrijf(L(naam), naam);
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstBLokaal, {"a.txt", "c.txt", "d.txt"});
    QFile::remove(L("c.txt"));
    Klik(ui().knopKopierenNaarKlembord);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QList<QUrl> urls{QUrl::fromLocalFile(L("a.txt")), QUrl::fromLocalFile(L("d.txt"))};
    EXPECT_EQ(data->urls(), urls);
    EXPECT_EQ(data->data(GnomeKopieType), "copy\n" + urls[0].toEncoded() + '\n' + urls[1].toEncoded());
    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[0].opties.Tekst, QStringLiteral("Lokale bestanden naar Klembord gekopieerd (3)."));
    EXPECT_EQ(gesteld[0].opties.SluitenNa, 1500);
}

// Server files are offered from the work folder, with the warning that they go at closing.
TEST_F(Slepen_, KlembordMetServerbestandenUitDeWerkmap)
{
    Verbinden();
    server->schrijf("s.txt", "van de server");
    Kiezen();
    Selecteren(*ui().LijstBFtp, {"s.txt"});
    Klik(ui().knopKopierenNaarKlembord);

    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->urls(),
              QList<QUrl>{QUrl::fromLocalFile(werk.filePath("Klembord/s.txt"))});
    EXPECT_EQ(Lees(werk.filePath("Klembord/s.txt")), "van de server");
    ASSERT_EQ(gesteld.size(), 1u);
    EXPECT_EQ(gesteld[0].opties.Tekst,
              QStringLiteral("Serverbestanden naar Klembord gekopieerd (1).\r\n\r\nLet op: "
                             "na het sluiten van het programma is Klembord niet meer "
                             "beschikbaar."));
}

// Files from a file manager on the local file list are copied in, each existing one only after
// "Ja" (Enter keeps it); a folder among them is no file and is passed over.
TEST_F(Slepen_, BuitenBestandenOpDeLokaleLijst)
{
    QTemporaryDir buiten;
    Schrijf(buiten.filePath("a.txt"), "a nieuw");
    Schrijf(buiten.filePath("b.txt"), "b nieuw");
    Schrijf(buiten.filePath("map/x.txt"), "x");
    Schrijf(L("b.txt"), "b oud");
    LokaalTonen(lokaal.path());

    const std::unique_ptr<QMimeData> data(
        Bestanden({buiten.filePath("a.txt"), buiten.filePath("b.txt"), buiten.filePath("map")}));
    EXPECT_TRUE(Neer(ui().LijstBLokaal->viewport(), *data));

    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[0].opties.Tekst,
              QStringLiteral("Bestand\r\n ") + L("b.txt") + QStringLiteral("\r\noverschrijven?"));
    EXPECT_EQ(gesteld[0].opties.Codes, QStringLiteral("2+1"));
    EXPECT_EQ(Lees(L("a.txt")), "a nieuw");
    EXPECT_EQ(Lees(L("b.txt")), "b oud");
    EXPECT_FALSE(QFileInfo::exists(L("map")));
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), QStringList{"a.txt"});
}

// Files from a file manager on the server file list are uploaded and remembered for a repeat; a
// folder among them is skipped.
TEST_F(Slepen_, BuitenBestandenOpDeServerlijst)
{
    Verbinden();
    Kiezen();
    QTemporaryDir buiten;
    Schrijf(buiten.filePath("a.txt"), "a");
    Schrijf(buiten.filePath("map/x.txt"), "x");

    const std::unique_ptr<QMimeData> data(Bestanden({buiten.filePath("map"), buiten.filePath("a.txt")}));
    EXPECT_TRUE(Neer(ui().LijstBFtp->viewport(), *data));
    EXPECT_EQ(Lees(server->pad("a.txt")), "a");
    EXPECT_FALSE(QFileInfo::exists(server->pad("map")));
    EXPECT_EQ(t().LaatsteUploads,
              (QStringList{buiten.path() + u'/' + QChar(15) + "testserver" + QChar(15) + "/", "a.txt"}));
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
}

// Where a drag may land, by where it came from and what lies under the pointer.
TEST_F(Slepen_, SleepregelsPerBronEnDoel)
{
    Verbinden();
    server->schrijf("smap/s.txt", "s");
    server->schrijf("ander/t.txt", "t");
    Schrijf(L("map/sub/x.txt"), "x");
    Schrijf(L("ander/y.txt"), "y");
    Schrijf(L("map/f.txt"), "f");
    Kiezen();
    LokaalTonen(lokaal.path() + "/map");
    LijstWeergave& lokaleMappen = *ui().LijstLokaal;
    Slepen& slepen = venster->slepen();

    // A server folder on the server folder list: refused.
    SelecterenInLijst(*ui().LijstFtp, "smap", true, true);
    // The delete button takes a folder, the file buttons do not.
    bool overFtp = true, overLokaal = false, overMapWeg = false, overBestandWeg = true, overOpenen = true;
    slepen.ZetUitvoerder([&](QMimeData& data) {
        overFtp = Over(ui().LijstFtp->viewport(), data, RijPlek(*ui().LijstFtp, "ander"));
        overLokaal = Over(lokaleMappen.viewport(), data, RijPlek(lokaleMappen, "sub"));
        overMapWeg = Over(ui().knopVerwijderenMap, data);
        overBestandWeg = Over(ui().knopVerwijderenBestand, data);
        overOpenen = Over(ui().knopOpenen, data);
    });
    emit ui().LijstFtp->slepenBegint();
    EXPECT_FALSE(overFtp);
    EXPECT_TRUE(overLokaal);
    EXPECT_TRUE(overMapWeg);
    EXPECT_FALSE(overBestandWeg);
    EXPECT_FALSE(overOpenen);

    // A local file over the ".." row: refused, and that row left unselected.
    Selecteren(*ui().LijstBLokaal, {"f.txt"});
    bool overOuder = true, overSub = false;
    overMapWeg = true, overOpenen = false;
    slepen.ZetUitvoerder([&](QMimeData& data) {
        overSub = Over(lokaleMappen.viewport(), data, RijPlek(lokaleMappen, "sub"));
        overOuder = Over(lokaleMappen.viewport(), data, RijPlek(lokaleMappen, " .."));
        overMapWeg = Over(ui().knopVerwijderenMap, data);
        overOpenen = Over(ui().knopOpenen, data);
    });
    emit ui().LijstBLokaal->slepenBegint();
    EXPECT_TRUE(overSub);
    EXPECT_FALSE(overOuder);
    EXPECT_FALSE(overMapWeg);
    EXPECT_TRUE(overOpenen);
    EXPECT_EQ(GeselecteerdeRij(lokaleMappen), -1);
    slepen.ZetUitvoerder({});

    // A folder from a file manager onto a row of its own tree: refused; and its drop does not
    // copy it there either.
    LokaalTonen(lokaal.path());
    const std::unique_ptr<QMimeData> map(Bestanden({L("map")}));
    EXPECT_FALSE(Over(lokaleMappen.viewport(), *map, RijPlek(lokaleMappen, "map")));
    EXPECT_TRUE(Neer(lokaleMappen.viewport(), *map, RijPlek(lokaleMappen, "ander")));
    EXPECT_EQ(Lees(L("ander/map/sub/x.txt")), "x");
}

// Local items dropped on a server folder row go into that row's folder, a folder as files do.
TEST_F(Slepen_, LokaalOpEenServermaprijGaatInDieMap)
{
    Verbinden();
    server->maakMap("sub");
    server->maakMap("ander");
    Schrijf(L("map/x.txt"), "x");
    Schrijf(L("f.txt"), "f");
    Kiezen();
    const struct
    {
        LijstWeergave* bron;
        const char* naam;
        const char* rij;
        const char* aangekomen;
        QByteArray inhoud;
    } rijen[] = {
        {ui().LijstLokaal, "map", "sub", "sub/map/x.txt", "x"},
        {ui().LijstBLokaal, "f.txt", "ander", "ander/f.txt", "f"},
    };
    for (const auto& rij : rijen) {
        SCOPED_TRACE(rij.naam);
        ServerTonen("/");
        LokaalTonen(lokaal.path());
        SelecterenInLijst(*rij.bron, rij.naam, true, true);
        bool neer = false;
        venster->slepen().ZetUitvoerder([&](QMimeData& data) {
            neer = Neer(ui().LijstFtp->viewport(), data, RijPlek(*ui().LijstFtp, rij.rij));
        });
        emit rij.bron->slepenBegint();
        EXPECT_TRUE(neer);
        EXPECT_EQ(server->lees(rij.aangekomen), rij.inhoud);
        EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), "/" + QString(rij.rij) + "/");
    }
    EXPECT_FALSE(QFileInfo::exists(server->pad("map")));
    EXPECT_FALSE(QFileInfo::exists(server->pad("f.txt")));
}

// Dragged out with "Buiten venster downloaden" on: the server files are fetched into the work
// folder first and only those that arrived travel, while the list is light green. A folder of
// which one file failed travels as a server path only.
TEST_F(Slepen_, NaarBuitenSlepenDraagtAlleenWatAankwam)
{
    Verbinden({.faalCommandos = {"RETR:fout"}});
    server->schrijf("x.txt", "x van de server");
    server->schrijf("weg.txt", "weg");
    server->schrijf("smap/goed.txt", "goed");
    server->schrijf("smap/fout.txt", "fout");
    Kiezen();
    Schrijf(werk.filePath("Slepen/weg.txt"), "oude kopie");
    venster->menus().mnuBestandFtpBuitenDownloaden->setChecked(true);
    Selecteren(*ui().LijstBFtp, {"weg.txt", "x.txt"});
    QFile::remove(server->pad("weg.txt"));

    QList<QUrl> urls;
    QStringList serverpaden;
    QColor kleur;
    venster->slepen().ZetUitvoerder([&](QMimeData& data) {
        urls = data.urls();
        serverpaden = Serverpaden(data);
        kleur = ui().LijstBFtp->Achtergrondkleur();
    });
    emit ui().LijstBFtp->slepenBegint();

    EXPECT_EQ(urls, QList<QUrl>{QUrl::fromLocalFile(werk.filePath("Slepen/x.txt"))});
    EXPECT_EQ(serverpaden, (QStringList{"/weg.txt", "/x.txt"}));
    EXPECT_EQ(kleur, QColor(0xE9, 0xFE, 0xE2));
    EXPECT_FALSE(QFileInfo::exists(werk.filePath("Slepen/weg.txt")));
    ASSERT_EQ(gesteld.size(), 1u);
    EXPECT_EQ(gesteld[0].opties.Pictogram, 4);

    venster->menus().mnuMapFtpBuitenDownloaden->setChecked(true);
    SelecterenInLijst(*ui().LijstFtp, "smap", true, true);
    emit ui().LijstFtp->slepenBegint();
    EXPECT_TRUE(urls.isEmpty()) << urls.first().toString().toStdString();
    EXPECT_EQ(serverpaden, QStringList{"/smap"});
}

} // namespace
} // namespace Vamox::Test
