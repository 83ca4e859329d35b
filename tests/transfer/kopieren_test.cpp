#include "TransferTestHulp.h"
#include "ftp/FtpSession.h"
#include "support/Bestandsgrens.h"
#include "support/FtpTestServer.h"
#include "transfer/Kopieren.h"
#include "transfer/Lokaalwerker.h"
#include "transfer/Overdracht.h"
#include "transfer/Wachtrij.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::FtpTestServer;
using Vamox::Test::SchrijfBestand;

namespace {

QByteArray Lees(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
}

struct Naamgeval
{
    const char* map; // folder inside the temp folder, "" for the temp folder itself
    const char* bron;
    QStringList bestaand;
    const char* kopie;
};

// The copy goes beside the file; the extension is taken from the name, never from a dotted
// folder above it, and a copy never lands on a name that is taken.
TEST(Kopieren, LokaleKopieKrijgtDeEersteVrijeNaam)
{
    const Naamgeval gevallen[] = {
        {"", "rapport.txt", {"rapport (kopie 1).txt"}, "rapport (kopie 2).txt"},
        {"", "README", {}, "README (kopie 1)"},
        {"", "a.b.c.txt", {}, "a.b.c (kopie 1).txt"},
        {"", "x (kopie 1).txt", {}, "x (kopie 1) (kopie 1).txt"},
        {"", ".profiel", {}, ".profiel (kopie 1)"},
        {"v1.2", "LEESMIJ", {}, "LEESMIJ (kopie 1)"},
    };
    for (const Naamgeval& g : gevallen) {
        SCOPED_TRACE(g.bron);
        QTemporaryDir tmp;
        const QString map = QDir(tmp.path()).filePath(QLatin1String(g.map)) + u'/';
        ASSERT_TRUE(QDir().mkpath(map));
        ASSERT_TRUE(SchrijfBestand(map + QLatin1String(g.bron), "inhoud"));
        for (const QString& b : g.bestaand)
            ASSERT_TRUE(SchrijfBestand(map + b, "al daar"));
        FtpSession geenServer;
        Wachtrij wachtrij(geenServer);
        Overdrachtsplan plan = LokaleKopiePlannen(map, QString::fromUtf8(g.bron));
        ASSERT_EQ(plan.klussen.size(), 1u);
        EXPECT_EQ(Vamox::Test::Uitvoeren(wachtrij, std::move(plan)).namen,
                  QStringList{QString::fromUtf8(g.kopie)});
        EXPECT_EQ(Lees(map + QString::fromUtf8(g.kopie)), "inhoud");
        for (const QString& b : g.bestaand)
            EXPECT_EQ(Lees(map + b), "al daar");
    }
}

// On the server the taken names come from the listing, capitals not counting: "Rapport (kopie
// 1).txt" takes n = 1 too. The copy goes through the work folder and leaves nothing there; a
// file that cannot be fetched gives no copy.
TEST(Kopieren, ServerkopieViaDeWerkmap)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.schrijf(QStringLiteral("m/rapport.txt"), "het rapport");
    server.schrijf(QStringLiteral("m/Rapport (kopie 1).txt"), "ouder");
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    QTemporaryDir werk;
    const QString werkmap = werk.filePath(QStringLiteral("FtpTijdelijk"));
    Wachtrij wachtrij(sessie);
    const auto kopieren = [&](const QString& naam, qint64 grootte) {
        Overdrachtsplan plan = ServerkopiePlannen(sessie, QStringLiteral("/m/"), naam, grootte, werkmap);
        const QString doel = plan.klussen.empty() ? QString() : plan.klussen.front().doel;
        return Vamox::Test::Uitvoeren(wachtrij, std::move(plan)).gedaan == 1 ? doel.mid(3) : QString();
    };

    EXPECT_EQ(kopieren(QStringLiteral("rapport.txt"), 11), QStringLiteral("rapport (kopie 2).txt"));
    EXPECT_EQ(server.lees(QStringLiteral("m/rapport (kopie 2).txt")), "het rapport");
    EXPECT_EQ(server.lees(QStringLiteral("m/Rapport (kopie 1).txt")), "ouder");
    EXPECT_TRUE(QDir(werkmap).isEmpty());

    EXPECT_EQ(kopieren(QStringLiteral("weg.txt"), -1), QString());
    EXPECT_FALSE(QFileInfo::exists(server.pad(QStringLiteral("m/weg (kopie 1).txt"))));
}

// Dropped files replace those of the same name without a question, as jobs of the queue with no
// server connected; a folder among them is passed
// over, and a file dropped into its own folder keeps its bytes.
TEST(Kopieren, GesleeptOpEenMapVervangtZonderVragen)
{
    QTemporaryDir tmp;
    const QString bron = tmp.filePath(QStringLiteral("bron/"));
    const QString doel = tmp.filePath(QStringLiteral("doel"));
    ASSERT_TRUE(QDir().mkpath(bron + QStringLiteral("sub")));
    ASSERT_TRUE(QDir().mkpath(doel));
    for (const char* naam : {"a.txt", "b.txt", "c.txt"})
        ASSERT_TRUE(SchrijfBestand(bron + QLatin1String(naam), QByteArray("nieuw ") + naam));
    ASSERT_TRUE(SchrijfBestand(doel + QStringLiteral("/b.txt"), "oud"));
    QFile::setPermissions(doel + QStringLiteral("/b.txt"), QFile::ReadOwner);
    ASSERT_TRUE(SchrijfBestand(doel + QStringLiteral("/eigen.txt"), "eigen"));

    FtpSession geenServer;
    Wachtrij wachtrij(geenServer);
    const Overdrachtsresultaat r =
        Vamox::Test::Uitvoeren(wachtrij, LokaleBestandenPlannen({bron + "a.txt", bron + "sub", bron + "b.txt",
                                                                 bron + "c.txt", doel + "/eigen.txt"},
                                                                doel));
    EXPECT_EQ(r.namen, (QStringList{"a.txt", "b.txt", "c.txt", "eigen.txt"}));
    EXPECT_EQ(r.mislukt, 0);
    EXPECT_EQ(Lees(doel + QStringLiteral("/b.txt")), "nieuw b.txt");
    EXPECT_EQ(Lees(doel + QStringLiteral("/eigen.txt")), "eigen");
    EXPECT_EQ(QDir(doel).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

// A local copy that cannot finish (the disk full, or stopped) leaves the file it was to replace
// byte for byte and nothing of itself beside it; one whose name was taken meanwhile replaces nothing.
TEST(Kopieren, EenLokaleKopieDieNietAfkomtLaatHetDoelZoalsHetWas)
{
    QTemporaryDir tmp;
    const QString bron = tmp.filePath(QStringLiteral("groot.bin"));
    const QString doel = tmp.filePath(QStringLiteral("doel/groot.bin"));
    ASSERT_TRUE(QDir().mkpath(tmp.filePath(QStringLiteral("doel"))));
    ASSERT_TRUE(SchrijfBestand(bron, QByteArray(3 << 20, 'n')));
    ASSERT_TRUE(SchrijfBestand(doel, "oud"));
    const auto alleenDoel = [&] {
        return QDir(tmp.filePath(QStringLiteral("doel"))).entryList(QDir::Files | QDir::Hidden) ==
               QStringList{QStringLiteral("groot.bin")};
    };
    Klus klus;
    klus.richting = Klus::Richting::LokaalKopieren;
    klus.bron = bron;
    klus.doel = doel;
    {
        const Vamox::Test::Bestandsgrens grens(1 << 20);
        const std::atomic<bool> niet{false};
        const Verbindingenpool::Uitslag u = LokaalKopieren(klus, niet);
        EXPECT_FALSE(u.gelukt);
        EXPECT_FALSE(u.fout.isEmpty());
    }
    EXPECT_EQ(Lees(doel), "oud");
    EXPECT_TRUE(alleenDoel());

    std::atomic<bool> stop{false};
    const Verbindingenpool::Uitslag u = LokaalKopieren(klus, stop, [&](qint64) { stop = true; });
    EXPECT_TRUE(u.afgebroken);
    EXPECT_EQ(Lees(doel), "oud");
    EXPECT_TRUE(alleenDoel());

    klus.serverdoel = Serverdoel::Nieuw;
    const std::atomic<bool> niet{false};
    EXPECT_FALSE(LokaalKopieren(klus, niet).gelukt);
    EXPECT_EQ(Lees(doel), "oud");
}

} // namespace
