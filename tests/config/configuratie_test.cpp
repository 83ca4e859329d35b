#include "config/Configuratie.h"
#include "config/Tekstcodering.h"

#include "config/ConfigTestHulp.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::Velden;



TEST(configParsen, HandgeschrevenBestand)
{
    const QByteArray bestand = "TOP=-50\r\n"
                               "Links=120\r\n"
                               "breedte=abc\r\n"           // not a number: only this key is skipped
                               "PatroonFtp=a=b\r\n"        // everything after the first "="
                               "patroonlokaal= *.txt \r\n" // values as they stand
                               "zomaar een regel\r\n"
                               "onbekend=5\r\n"
                               "=leeg\r\n"
                               "venster= 2 \r\n"
                               "serveropenen=1\r\n"
                               "lokaalopenen=0\r\n"
                               "knoppenbalktonen=True\r\n"
                               "standaardformaat=ja\r\n"
                               "server=thuis\r\n"
                               "server=werk\r\n"; // the last one wins
    const ConfiguratieInhoud c = ConfiguratieParsen(bestand);
    const Instellingen& in = c.instellingen;
    EXPECT_FALSE(c.gestopt);
    EXPECT_EQ(in.Top, -50);
    EXPECT_EQ(in.Links, 120);
    EXPECT_EQ(in.Breedte, std::nullopt);
    EXPECT_EQ(in.PatroonFtp, QStringLiteral("a=b"));
    EXPECT_EQ(in.PatroonLokaal, QStringLiteral(" *.txt "));
    EXPECT_EQ(in.Venster, 2);
    EXPECT_EQ(in.ServerOpenen, true);
    EXPECT_EQ(in.LokaalOpenen, false);
    EXPECT_EQ(in.KnoppenbalkTonen, true);
    EXPECT_EQ(in.Standaardformaat, std::nullopt);
    EXPECT_EQ(in.Server, QStringLiteral("werk"));
    // Keys without a line stay empty: the window keeps its initial state for them.
    EXPECT_EQ(in.CfgOpenen, std::nullopt);
    EXPECT_EQ(in.Hoogte, std::nullopt);
    EXPECT_EQ(in.MapFtpActueel, std::nullopt);
    EXPECT_TRUE(c.serverRegels.isEmpty());
}

TEST(configParsen, RegeleindenGevenHetzelfde)
{
    const QByteArray lf = "cfgopslaan=0\nhoogte=7000\n" + Velden({"a", "h"}).toUtf8();
    QByteArray crlf = lf, cr = lf;
    crlf.replace("\n", "\r\n");
    cr.replace("\n", "\r");
    for (const QByteArray& bestand : {lf, crlf, cr, crlf + "\r\n"}) {
        SCOPED_TRACE(bestand.toStdString());
        const ConfiguratieInhoud c = ConfiguratieParsen(bestand);
        EXPECT_EQ(c.instellingen.CfgOpslaan, false);
        EXPECT_EQ(c.instellingen.Hoogte, 7000);
        EXPECT_EQ(c.serverRegels, QStringList{Velden({"a", "h"})});
    }
}

TEST(configParsen, CfgOpenenNulStoptAlles)
{
    const QString server = Velden({"Alpha", "alpha.example", "jan", "geheim", "21", ""});
    const QByteArray bestand = ("cfgopenen=0\r\ncfgopslaan=1\r\ntop=10\r\n" + server + "\r\n").toUtf8();
    const ConfiguratieInhoud c = ConfiguratieParsen(bestand);
    EXPECT_TRUE(c.gestopt);
    Instellingen alleenOpenen;
    alleenOpenen.CfgOpenen = false;
    EXPECT_EQ(c.instellingen, alleenOpenen);
    EXPECT_TRUE(c.serverRegels.isEmpty());
    EXPECT_EQ(c.ServerLijst(), QStringList{QString()});
    // Kept aside so that a later write need not lose the saved servers.
    EXPECT_EQ(c.overgeslagenServerRegels, QStringList{server});

    // Without the key the whole file is read; "1" does not stop either.
    for (const QByteArray& kop : {QByteArray(), QByteArray("cfgopenen=1\r\n")}) {
        const ConfiguratieInhoud v = ConfiguratieParsen(kop + bestand.mid(bestand.indexOf('\n') + 1));
        EXPECT_FALSE(v.gestopt);
        EXPECT_EQ(v.instellingen.Top, 10);
        EXPECT_EQ(v.instellingen.CfgOpslaan, true);
        EXPECT_EQ(v.serverRegels, QStringList{server});
    }
}

TEST(configParsen, ServerregelsInBestandsvolgordeEnGesorteerd)
{
    const QString zeta = Velden({"zeta", "z.example"});
    const QString alpha = Velden({"Alpha", "a.example", "u", "p=w"}); // "=" in a server line
    const QString beta = Velden({"beta", "b.example"});
    const QString verrader = Velden({"patroonftp=x", "host", "u", "wachtwoord"});
    const QByteArray bestand = (zeta + "\nlinks=5\n" + alpha + "\n" + verrader + "\n" + beta + "\n").toUtf8();
    const ConfiguratieInhoud c = ConfiguratieParsen(bestand);
    EXPECT_EQ(c.serverRegels, (QStringList{zeta, alpha, verrader, beta}));
    EXPECT_EQ(c.ServerLijst(), (QStringList{QString(), alpha, beta, verrader, zeta}));
    // A server line never sets a key: the password must not end up in the pattern box.
    EXPECT_EQ(c.instellingen.PatroonFtp, std::nullopt);
    EXPECT_EQ(c.instellingen.Links, 5);
}

TEST(configParsen, CoderingVanDeTekst)
{
    struct Rij
    {
        QByteArray bytes;
        QString verwacht;
    };
    const Rij rijen[] = {
        {"maplokaalactueel=/data/caf\xE9 \x80 \x9F\x81", QString::fromUtf8("/data/café € Ÿ\u0081")},
        {"maplokaalactueel=/data/caf\xC3\xA9 \xE2\x82\xAC", QString::fromUtf8("/data/café €")},
        {"\xEF\xBB\xBFmaplokaalactueel=/x", QStringLiteral("/x")}, // byte order mark dropped
        // One bad byte makes the whole file single-byte, also the valid UTF-8 pairs.
        {"maplokaalactueel=\xC3\xA9\r\npatroonlokaal=\xE9", QString::fromUtf8("Ã©")},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.bytes.toStdString());
        EXPECT_EQ(ConfiguratieParsen(r.bytes).instellingen.MapLokaalActueel, r.verwacht);
    }
}

TEST(configTekst, RegelsMetCrLf)
{
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("v.cfg"));
    EXPECT_EQ(ConfiguratieTekst(pad), QString());
    QFile f(pad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("cfgopenen=1\nserver=caf\xE9\r\n\r\nlaatste");
    f.close();
    EXPECT_EQ(ConfiguratieTekst(pad), QString::fromUtf8("cfgopenen=1\r\nserver=café\r\n\r\nlaatste\r\n"));
    EXPECT_EQ(ConfiguratieTekst(map.path()), QString()); // a folder is no file
}

TEST(configGeometrie, BinnenHetScherm)
{
    // screen 1920 x 1080 pixels = 28800 x 16200 twips
    EXPECT_EQ(TopBegrenzen(-50), 0);
    EXPECT_EQ(TopBegrenzen(0), 0);
    EXPECT_EQ(TopBegrenzen(1200), 1200);
    EXPECT_EQ(BreedteBegrenzen(30000, 28800), 28800);
    EXPECT_EQ(BreedteBegrenzen(28800, 28800), 28800);
    EXPECT_EQ(BreedteBegrenzen(13320, 28800), 13320);
    EXPECT_EQ(HoogteBegrenzen(16200, 16200), 15800);
    EXPECT_EQ(HoogteBegrenzen(15800, 16200), 15800);
    EXPECT_EQ(HoogteBegrenzen(9495, 16200), 9495);
}

TEST(configTekstcodering, RegelsSplitsen)
{
    EXPECT_EQ(RegelsSplitsen(QString()), QStringList());
    EXPECT_EQ(RegelsSplitsen(QStringLiteral("a\r\n")), QStringList{QStringLiteral("a")});
    EXPECT_EQ(
        RegelsSplitsen(QStringLiteral("a\r\rb\n\nc")),
        (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"), QString(), QStringLiteral("c")}));
}
