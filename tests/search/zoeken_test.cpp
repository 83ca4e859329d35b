#include "ftp/FtpSession.h"
#include "search/Zoeken.h"
#include "transfer/Wachtrij.h"
#include "support/FtpTestServer.h"
#include "transfer/TransferTestHulp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::FtpTestServer;
using Vamox::Test::SchrijfBestand;

namespace {

struct Geval
{
    const char* naam;
    QString tekst;
    QByteArray inhoud;
    Bevinding verwacht;
};

void PrintTo(const Geval& g, std::ostream* uit)
{
    *uit << g.naam;
}

// Blocks are 256 KiB: a text that starts a few bytes before that boundary is cut by it.
constexpr qsizetype Blok = 256 * 1024;

QByteArray Rond(qsizetype voor, const QByteArray& midden, qsizetype na = 100)
{
    return QByteArray(voor, 'x') + midden + QByteArray(na, 'y');
}

const QString Lang33 = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456");

class Bevat : public ::testing::TestWithParam<Geval>
{
};

TEST_P(Bevat, Bestand)
{
    const Geval& g = GetParam();
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("f.bin"));
    if (!g.inhoud.isNull()) {
        ASSERT_TRUE(SchrijfBestand(pad, g.inhoud));
    }
    EXPECT_EQ(BestandBevatTekst(pad, Zoektekst(g.tekst)), g.verwacht);
}

const Geval gevallen[] = {
    {"HoofdlettersTellenNiet", "abc", "xxABCxx", Bevinding::Gevonden},
    {"NietAanwezig", "abd", "xxABCxx", Bevinding::NietGevonden},
    {"OverBlokgrens", "NAALD", Rond(Blok - 2, "naald"), Bevinding::Gevonden},
    {"OverTweedeBlokgrens", "NAALD", Rond(2 * Blok - 3, "nAaLd"), Bevinding::Gevonden},
    {"AanHetEinde", "eind", Rond(3 * Blok + 17, "EIND", 0), Bevinding::Gevonden},
    {"DrieEnDertigTekens", Lang33, Rond(Blok - 10, Lang33.toUpper().toUtf8()), Bevinding::Gevonden},
    {"AlleenSpaties", "   ", "a   b", Bevinding::NietGevonden},
    {"AlleenSpatiesOpentNiets", "   ", QByteArray(), Bevinding::NietGevonden},
    {"LeegBestand", "a", QByteArray(""), Bevinding::NietGevonden},
    {"Ontbreekt", "a", QByteArray(), Bevinding::Onleesbaar},
    {"Utf8Accent", "CAFÉ", "een caf\xc3\xa9 hier", Bevinding::Gevonden},
    {"Windows1252Accent", "café", "een CAF\xc9 hier", Bevinding::Gevonden},
    {"AccentIsGeenLetterZonder", "café", "een cafe hier", Bevinding::NietGevonden},
};
INSTANTIATE_TEST_SUITE_P(Zoektekst, Bevat, ::testing::ValuesIn(gevallen),
                         [](const auto& info) { return std::string(info.param.naam); });

// Takes notes of what the search shows, and stops or skips where told.
class Melder final : public Zoekmelder
{
public:
    Onderbreking BestandBegint(const QString& naam, int positie, int aantal, int gevonden) override
    {
        regels << QStringLiteral("%1 %2/%3 %4").arg(naam).arg(positie).arg(aantal).arg(gevonden);
        return positie == stopBij ? Onderbreking::Stoppen : Onderbreking::Doorgaan;
    }
    void Gevonden(int index) override { gevonden.push_back(index); }

    int stopBij = 0;
    QStringList regels;
    std::vector<int> gevonden;
};

// Server files go through one work file. One that cannot be fetched is no hit, even right after
// a hit left its bytes in the work file, and is told by name; a stop before the last file ends
// the search there. The files are fetched through the queue, ahead of the reading, into a folder
// of the search's own that is gone when the search is.
TEST(Zoeken, ServerbestandenViaHetWerkbestand)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.schrijf(QStringLiteral("map/treffer.txt"), "zit er een Naald in");
    server.schrijf(QStringLiteral("map/niets.txt"), "hooi");
    server.schrijf(QStringLiteral("map/ook.txt"), "NAALD");
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    wachtrij.ZetVerbindingen(2);
    QTemporaryDir werk;
    const QString werkmap = werk.filePath(QStringLiteral("FtpTijdelijk/Zoeken"));
    const std::vector<Zoekbestand> bestanden{
        {"treffer.txt", 19}, {"weg.txt", -1}, {"niets.txt", 4}, {"ook.txt", 5}};

    Melder melder;
    Zoekresultaat r;
    {
        ServerZoekbron bron(wachtrij, QStringLiteral("/map/"), werkmap);
        bron.Voorbereiden(bestanden);
        r = Zoeken(bron, bestanden, Zoektekst(QStringLiteral("naald")), melder);
    }
    EXPECT_FALSE(QFileInfo::exists(werkmap));
    EXPECT_EQ(r.treffers, (std::vector<int>{0, 3}));
    EXPECT_EQ(melder.gevonden, r.treffers);
    EXPECT_EQ(r.mislukt, QStringList{"weg.txt"});
    EXPECT_FALSE(r.gestopt);
    EXPECT_EQ(melder.regels,
              (QStringList{"treffer.txt 1/4 0", "weg.txt 2/4 1", "niets.txt 3/4 1", "ook.txt 4/4 1"}));

    Melder stoppen;
    stoppen.stopBij = 3;
    ServerZoekbron bron(wachtrij, QStringLiteral("/map/"), werkmap);
    bron.Voorbereiden(bestanden);
    const Zoekresultaat s = Zoeken(bron, bestanden, Zoektekst(QStringLiteral("naald")), stoppen);
    EXPECT_TRUE(s.gestopt);
    EXPECT_EQ(s.treffers, std::vector<int>{0});
}

} // namespace
