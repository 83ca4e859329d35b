#include "clipboard/Sleepdata.h"
#include "clipboard/Werkmap.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "transfer/Kopieren.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/TransferTestHulp.h"
#include "transfer/Wachtrij.h"

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

// A file manager pastes what the URL list and the GNOME list name: the existing files only, in
// the order given, the same in both.
TEST(Sleepdata, BestaandeBestandenInVolgordeInBeideFormaten)
{
    QTemporaryDir map;
    ASSERT_TRUE(SchrijfBestand(map.filePath("c d%20e.txt"), "c"));
    ASSERT_TRUE(SchrijfBestand(map.filePath("a.txt"), "a"));
    ASSERT_TRUE(QDir(map.path()).mkdir("sub"));
    const QStringList paden = BestaandeBestanden(
        {map.filePath("c d%20e.txt"), map.filePath("weg.txt"), map.filePath("sub"), map.filePath("a.txt")});
    ASSERT_EQ(paden, (QStringList{map.filePath("c d%20e.txt"), map.filePath("a.txt")}));

    QMimeData data;
    LokalePadenZetten(data, paden);
    // The bytes a receiver reads, every space and "%" encoded: urls() reads sloppy text back
    // without complaint.
    const auto uri = [](const QString& pad) {
        return "file://" + QUrl::toPercentEncoding(pad, "/") + "\r\n";
    };
    EXPECT_EQ(data.data("text/uri-list").toStdString(), (uri(paden[0]) + uri(paden[1])).toStdString());
    EXPECT_TRUE(data.data("text/uri-list").contains("/c%20d%2520e.txt\r\n"));
    EXPECT_EQ(data.urls(), (QList<QUrl>{QUrl::fromLocalFile(paden[0]), QUrl::fromLocalFile(paden[1])}));
    EXPECT_EQ(data.data(GnomeKopieType), "copy\n" + QUrl::fromLocalFile(paden[0]).toEncoded() + '\n' +
                                             QUrl::fromLocalFile(paden[1]).toEncoded());
    EXPECT_EQ(LokalePaden(data), paden);
    EXPECT_TRUE(Serverpaden(data).isEmpty()); // a local path is never taken for a server one

    ServerpadenZetten(data, {"/a/b.txt", "/c.txt"});
    EXPECT_EQ(Serverpaden(data), (QStringList{"/a/b.txt", "/c.txt"}));
}

// A folder cannot be copied into itself or below itself; a neighbour whose name merely starts
// the same is fine, and the copy brings the whole tree.
TEST(Sleepdata, MapNietInZichzelfGekopieerd)
{
    QTemporaryDir root;
    const QString bron = root.filePath("map");
    ASSERT_TRUE(QDir().mkpath(bron + "/sub/diep"));
    ASSERT_TRUE(QDir().mkpath(root.filePath("map2")));
    ASSERT_TRUE(SchrijfBestand(bron + "/sub/diep/x.txt", "x"));

    for (const QString& doel : {bron, bron + "/sub", bron + "/sub/diep"}) {
        SCOPED_TRACE(doel.toStdString());
        EXPECT_TRUE(BinnenMap(bron, doel));
        EXPECT_FALSE(LokaleMapPlannen(bron, doel));
    }
    EXPECT_FALSE(QFileInfo::exists(bron + "/sub/map"));
    EXPECT_FALSE(BinnenMap(bron, root.filePath("map2")));
    std::optional<Overdrachtsplan> plan = LokaleMapPlannen(bron, root.filePath("map2"));
    ASSERT_TRUE(plan);
    FtpSession geenServer;
    Wachtrij wachtrij(geenServer);
    EXPECT_TRUE(wachtrij.Wachten(wachtrij.Toevoegen(std::move(*plan))).Gelukt());
    QFile kopie(root.filePath("map2/map/sub/diep/x.txt"));
    ASSERT_TRUE(kopie.open(QIODevice::ReadOnly));
    EXPECT_EQ(kopie.readAll(), "x");
}

// A server file fetched for the clipboard or a drag out: an older copy in the work folder is
// never handed over in place of one whose fetch failed.
TEST(Sleepdata, MisluktOphalenLaatGeenOudeKopieAchter)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.schrijf("nieuw.txt", "nieuw");
    QTemporaryDir werk;
    ASSERT_TRUE(SchrijfBestand(werk.filePath("weg.txt"), "oud"));
    ASSERT_TRUE(SchrijfBestand(werk.filePath("nieuw.txt"), "oud"));

    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    const Werkmapkopie kopie = InWerkmapHalen(
        wachtrij, {{"/weg.txt", -1, "weg.txt"}, {"/nieuw.txt", -1, "nieuw.txt"}}, werk.path());
    EXPECT_EQ(kopie.mislukt, 1);
    EXPECT_EQ(kopie.paden, QStringList{werk.filePath("nieuw.txt")});
    EXPECT_FALSE(QFileInfo::exists(werk.filePath("weg.txt")));
    QFile f(werk.filePath("nieuw.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "nieuw");
}

} // namespace
} // namespace Vamox::Test
