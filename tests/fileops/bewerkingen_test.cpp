#include "fileops/Hernoemen.h"
#include "fileops/Verwijderen.h"
#include "support/FtpTestServer.h"
#include "support/Proefserver.h"
#include "transfer/TransferTestHulp.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

namespace Vamox::Test {
namespace {

// Answers the two questions of a tree deletion from a script and keeps what was asked.
struct Antwoorden final : Verwijdervragen
{
    std::vector<bool> ja;
    std::vector<std::pair<qint64, qint64>> omvang; // submappen, bestanden per question
    bool MapVerwijderen(const QString&, const Mapomvang& o, bool nogmaals) override
    {
        EXPECT_EQ(nogmaals, !omvang.empty());
        omvang.emplace_back(o.submappen, o.bestanden);
        return omvang.size() <= ja.size() && ja[omvang.size() - 1];
    }
};

QStringList Inhoud(const QString& map)
{
    QStringList namen = QDir(map).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    namen.sort(); // by code units: capitals first
    return namen;
}

void Maak(const QString& root, const QStringList& paden)
{
    for (const QString& p : paden) {
        if (p.endsWith(u'/')) {
            ASSERT_TRUE(QDir().mkpath(root + u'/' + p));
        } else {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(root + u'/' + p).absolutePath()));
            ASSERT_TRUE(SchrijfBestand(root + u'/' + p, p.toUtf8()));
        }
    }
}

TEST(NieuweMapnaam, EersteVrijeNaamWaarbijHoofdlettersTellen)
{
    const std::pair<QStringList, QString> rijen[] = {
        {{}, "Nieuwe map"},
        {{"Nieuwe map", "Nieuwe map 1"}, "Nieuwe map 2"},
        {{"Nieuwe map 1", "Nieuwe map"}, "Nieuwe map 2"},
        {{"Nieuwe map 1"}, "Nieuwe map"},
        {{"nieuwe map", "Nieuwe map 2"}, "Nieuwe map"},
    };
    for (const auto& [mappen, naam] : rijen)
        EXPECT_EQ(NieuweMapnaam(mappen), naam) << mappen.join(u'|').toStdString();
}

// A link inside the tree goes, what it points to stays; Nee on the second question keeps all.
TEST(LokaleMapVerwijderen, VolgtGeenLinkUitDeBoomEnVraagtTweeKeer)
{
    QTemporaryDir tmp;
    const QString r = tmp.path();
    Maak(r, {"boom/a/b.txt", "boom/sub/c.txt", "boom/leeg/", "buiten/kostbaar.txt"});
    ASSERT_TRUE(QFile::link(r + "/buiten", r + "/boom/sub/naarBuiten"));
    ASSERT_TRUE(QFile::link(r + "/buiten/kostbaar.txt", r + "/boom/a/bestandslink"));

    Antwoorden nee;
    nee.ja = {true, false};
    EXPECT_FALSE(LokaleMapVerwijderen(r + "/boom/", nee).gedaan);
    EXPECT_EQ(nee.omvang, (std::vector<std::pair<qint64, qint64>>{{3, 2}, {3, 2}}));
    EXPECT_TRUE(QFile::exists(r + "/boom/a/b.txt"));

    Antwoorden ja;
    ja.ja = {true, true};
    const Mapverwijdering v = LokaleMapVerwijderen(r + "/boom/", ja);
    EXPECT_TRUE(v.gedaan);
    EXPECT_TRUE(v.resultaat.Gelukt());
    EXPECT_FALSE(QFileInfo::exists(r + "/boom"));
    EXPECT_EQ(QDir(r + "/buiten").entryList(QDir::Files), QStringList{"kostbaar.txt"});

    // A chosen folder that is itself a link loses only the link, counted as holding nothing.
    ASSERT_TRUE(QFile::link(r + "/buiten", r + "/koppeling"));
    Antwoorden link;
    link.ja = {true, true};
    EXPECT_TRUE(LokaleMapVerwijderen(r + "/koppeling", link).gedaan);
    EXPECT_EQ(link.omvang, (std::vector<std::pair<qint64, qint64>>{{0, 0}, {0, 0}}));
    EXPECT_FALSE(QFileInfo(r + "/koppeling").isSymLink());
    EXPECT_TRUE(QFile::exists(r + "/buiten/kostbaar.txt"));
}

// The trash as a file manager reads it to put files back: each info file names the original
// path, percent-encoded, and two files of one name keep apart.
TEST(LokaleBestandenVerwijderen, PrullenbakZoalsBestandsbeheerdersHemLezen)
{
    QTemporaryDir thuis, tmp;
    const QByteArray vorige = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", thuis.path().toUtf8());
    const auto herstel =
        qScopeGuard([&] { vorige.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", vorige); });
    const QString map = QFileInfo(tmp.path()).canonicalFilePath();
    const QString naam = QString::fromUtf8("a b%c \u00e9.txt");
    for (const QByteArray& inhoud : {QByteArray("eerste"), QByteArray("tweede")}) {
        ASSERT_TRUE(SchrijfBestand(map + u'/' + naam, inhoud));
        EXPECT_EQ(LokaleBestandenVerwijderen(map + u'/', {naam}, Verwijderwijze::Prullenbak).verwijderd, 1);
        EXPECT_FALSE(QFileInfo::exists(map + u'/' + naam));
    }

    const QString bak = thuis.filePath(QStringLiteral("Trash"));
    EXPECT_EQ(QFile::permissions(bak) & 0x0077, QFileDevice::Permissions());
    QStringList teruggezet;
    for (const QString& infoNaam : QDir(bak + "/info").entryList(QDir::Files)) {
        SCOPED_TRACE(infoNaam.toStdString());
        QFile info(bak + "/info/" + infoNaam);
        ASSERT_TRUE(info.open(QIODevice::ReadOnly));
        const QList<QByteArray> regels = info.readAll().split('\n');
        ASSERT_GE(regels.size(), 3);
        EXPECT_EQ(regels[0], "[Trash Info]");
        ASSERT_TRUE(regels[1].startsWith("Path="));
        const QByteArray pad = regels[1].mid(5);
        EXPECT_FALSE(pad.contains(' ') || pad.contains('\xc3')) << pad.toStdString();
        EXPECT_EQ(QString::fromUtf8(QByteArray::fromPercentEncoding(pad)), map + u'/' + naam);
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"))
                .match(QString::fromLatin1(regels[2]))
                .hasMatch())
            << regels[2].toStdString();
        QFile bestand(bak + "/files/" + infoNaam.chopped(QStringLiteral(".trashinfo").size()));
        ASSERT_TRUE(bestand.open(QIODevice::ReadOnly));
        teruggezet << QString::fromUtf8(bestand.readAll());
    }
    teruggezet.sort();
    EXPECT_EQ(teruggezet, (QStringList{"eerste", "tweede"}));
}

TEST(NaamWijzigen, LokaalNooitOverEenAnderMaarWelAlleenHoofdletters)
{
    QTemporaryDir tmp;
    const QString b = tmp.path() + u'/';
    Maak(tmp.path(), {"a.txt", "b.txt", "B.txt", "c.txt", "map/", "map2/"});
    using U = Naamwijziging::Uitkomst;
    const struct
    {
        const char* oud;
        const char* nieuw;
        bool isMap;
        U uitkomst;
    } rijen[] = {
        {"a.txt", "A.txt ", false, U::Gewijzigd}, // capitals only, trailing space dropped
        {"b.txt", "B.txt", false, U::Bestaat},    // another file on a disk with capitals
        {"map", "Map", true, U::Gewijzigd},       {"c.txt", "map2", false, U::Bestaat},
        {"c.txt", "d:e", false, U::Tekens},       {"c.txt", "..", false, U::Ongeldig},
        {"c.txt", "", false, U::Ongewijzigd},
    };
    for (const auto& rij : rijen)
        EXPECT_EQ(NaamWijzigen(nullptr, b, rij.oud, rij.nieuw, rij.isMap).uitkomst, rij.uitkomst)
            << rij.oud << " -> " << rij.nieuw;
    EXPECT_EQ(Inhoud(b), (QStringList{"A.txt", "B.txt", "Map", "b.txt", "c.txt", "map2"}));
    QFile f(b + "b.txt");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "b.txt");
}

class ServerBewerking : public ::testing::Test
{
protected:
    void Start(const QStringList& faal)
    {
        server = std::make_unique<FtpTestServer>(FtpServerOpties{.faalCommandos = faal});
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server->gegevens()));
    }
    std::unique_ptr<FtpTestServer> server;
    FtpSession sessie;
};

// Files first, then folders from the deepest up: a file the server refuses keeps its folder and
// the folders above it, everything else goes, and the run reports the three failures.
TEST_F(ServerBewerking, BoomVanOnderOpEenWeigeringKostNietsAnders)
{
    Start({"DELE:vast"});
    for (const char* p : {"boom/a/vast.txt", "boom/a/x.txt", "boom/b/c/y.txt", "boom/z.txt", "ander.txt"})
        server->schrijf(QLatin1String(p), "x");
    Antwoorden ja;
    ja.ja = {true, true};
    const Mapverwijdering v = ServermapVerwijderen(sessie, "/boom", ja);
    EXPECT_TRUE(v.gedaan);
    EXPECT_EQ(ja.omvang, (std::vector<std::pair<qint64, qint64>>{{3, 4}, {3, 4}}));
    EXPECT_EQ(v.resultaat.mislukt, 3);
    EXPECT_EQ(v.resultaat.verwijderd, 5);
    EXPECT_EQ(server->lees("boom/a/vast.txt"), "x");
    EXPECT_EQ(server->lees("ander.txt"), "x");
    EXPECT_FALSE(QFileInfo::exists(server->pad("boom/b")));
    EXPECT_FALSE(QFileInfo::exists(server->pad("boom/a/x.txt")));
}

// A link inside a server tree goes as the link: the folder it points to, beside the tree, keeps
// what it holds on every kind of server (an SFTP listing shows such a link as a folder).
class ServerboomMetLink : public ::testing::TestWithParam<Vamox::Test::Serversoort>
{
};

TEST_P(ServerboomMetLink, VerwijdertDeLinkNietWaarHijHeenWijst)
{
    Vamox::Test::Proefserver server(GetParam());
    FtpSession sessie;
    const QString fout = server.Starten(sessie);
    if (fout.startsWith(u"skip:")) GTEST_SKIP() << fout.toStdString();
    ASSERT_TRUE(fout.isEmpty()) << fout.toStdString();
    const QDateTime nu = QDateTime::currentDateTimeUtc();
    server.Schrijf(QStringLiteral("ander/bewaar.txt"), "blijft", nu);
    server.Schrijf(QStringLiteral("boom/a.txt"), "weg", nu);
    ASSERT_EQ(
        ::symlink("../ander", QFile::encodeName(server.OpSchijf(QStringLiteral("boom/link"))).constData()),
        0);
    Antwoorden ja;
    ja.ja = {true, true};
    const Mapverwijdering v = ServermapVerwijderen(sessie, server.Root() + QStringLiteral("/boom"), ja);
    EXPECT_TRUE(v.gedaan);
    EXPECT_EQ(v.resultaat.mislukt, 0);
    EXPECT_FALSE(QFileInfo::exists(server.OpSchijf(QStringLiteral("boom"))));
    // A chosen folder that is a link loses only the link.
    ASSERT_EQ(::symlink("ander", QFile::encodeName(server.OpSchijf(QStringLiteral("ook-link"))).constData()),
              0);
    Antwoorden ook;
    ook.ja = {true, true};
    EXPECT_TRUE(ServermapVerwijderen(sessie, server.Root() + QStringLiteral("/ook-link"), ook).gedaan);
    EXPECT_FALSE(QFileInfo(server.OpSchijf(QStringLiteral("ook-link"))).isSymLink());
    QFile bewaard(server.OpSchijf(QStringLiteral("ander/bewaar.txt")));
    ASSERT_TRUE(bewaard.open(QIODevice::ReadOnly));
    EXPECT_EQ(bewaard.readAll(), "blijft");
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerboomMetLink,
                         ::testing::Values(Vamox::Test::Serversoort::Mlsd, Vamox::Test::Serversoort::Vsftpd,
                                           Vamox::Test::Serversoort::Sftp),
                         [](const auto& info) {
                             std::string n = Vamox::Test::SoortNaam(info.param);
                             std::erase(n, '-');
                             return n;
                         });

TEST_F(ServerBewerking, HernoemenOpDeServer)
{
    Start({"RNFR:weiger"});
    for (const char* p : {"a.txt", "b.txt", "c.txt", "weiger.txt"})
        server->schrijf(QLatin1String(p), p);
    server->maakMap("map");
    using U = Naamwijziging::Uitkomst;
    const struct
    {
        const char* oud;
        const char* nieuw;
        bool isMap;
        U uitkomst;
    } rijen[] = {
        {"a.txt", "A.txt", false, U::Gewijzigd}, {"b.txt", "c.txt", false, U::Bestaat},
        {"map", "Map", true, U::Gewijzigd},      {"weiger.txt", "ok.txt", false, U::Mislukt},
        {"b.txt", "x\ny", false, U::Ongeldig},
    };
    for (const auto& rij : rijen)
        EXPECT_EQ(NaamWijzigen(&sessie, "/", rij.oud, rij.nieuw, rij.isMap).uitkomst, rij.uitkomst)
            << rij.oud << " -> " << rij.nieuw;
    EXPECT_EQ(Inhoud(server->root()), (QStringList{"A.txt", "Map", "b.txt", "c.txt", "weiger.txt"}));
    EXPECT_EQ(server->lees("c.txt"), "c.txt");
}

} // namespace
} // namespace Vamox::Test
