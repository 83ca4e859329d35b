#include "config/Configuratie.h"
#include "support/Bestandsgrens.h"
#include "vergelijken/Synchronisatiestaat.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::Bestandsgrens;

namespace {

const QChar S(15);

Instellingen Alles()
{
    Instellingen in;
    in.CfgOpenen = true;
    in.CfgOpslaan = false;
    in.Server = QStringLiteral("Werk");
    in.Schijf = QStringLiteral("/");
    in.Links = -120;
    in.Top = 450;
    in.Breedte = 15000;
    in.Hoogte = 9900;
    in.Venster = 2;
    in.KnoppenbalkTonen = false;
    in.ServerOpenen = true;
    in.LokaalOpenen = false;
    in.BuitenDownloaden = true;
    in.Standaardformaat = true;
    in.PlusBijSubmappenLokaal = false;
    in.PlusBijSubmappenFtp = true;
    in.MapLokaalActueel = QString::fromUtf8("/home/jan/café €/");
    in.PatroonLokaal = QStringLiteral("*.txt;*.a=b");
    in.MapFtpActueel = QStringLiteral("/www/");
    in.PatroonFtp = QString();
    in.Uploadbestand = QStringLiteral("/home/jan/index.html");
    in.Standaardbreedte = 13320;
    in.Standaardhoogte = 9495;
    in.Verbindingen = 6;
    in.RechtenTonen = true;
    return in;
}

QByteArray Lees(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<onleesbaar>");
}

QFileDevice::Permissions Modus(const QString& pad)
{
    constexpr auto alle = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                          QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                          QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    return QFile::permissions(pad) & alle;
}

} // namespace

TEST(configSchrijven, VolledigBestandHeenEnTerug)
{
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("vamox.cfg"));
    const QString alpha = QStringList{"Alpha", "ftp.a.nl", "jan", "ge=heim", "2121", "https://a.nl"}.join(S);
    const QString beta = QStringList{"beta", "10.0.0.2", "", "", "21", ""}.join(S);
    const QString zeta = QStringList{"Zeta", "z"}.join(S); // written as it stands
    ASSERT_TRUE(ConfiguratieSchrijven(pad, Alles(), {QString(), alpha, beta, zeta}));

    const QByteArray verwacht =
        "cfgopenen=1\r\ncfgopslaan=0\r\nserver=Werk\r\nschijf=/\r\nlinks=-120\r\n"
        "top=450\r\nbreedte=15000\r\nhoogte=9900\r\nvenster=2\r\n"
        "knoppenbalktonen=0\r\nserveropenen=1\r\nlokaalopenen=0\r\n"
        "buitendownloaden=1\r\nstandaardformaat=1\r\nplusbijsubmappenlokaal=0\r\n"
        "plusbijsubmappenftp=1\r\nmaplokaalactueel=/home/jan/caf\xC3\xA9 \xE2\x82\xAC/\r\n"
        "patroonlokaal=*.txt;*.a=b\r\nmapftpactueel=/www/\r\npatroonftp=\r\n"
        "uploadbestand=/home/jan/index.html\r\nstandaardbreedte=13320\r\n"
        "standaardhoogte=9495\r\nverbindingen=6\r\nrechtentonen=1\r\n" +
        (alpha + "\r\n" + beta + "\r\n" + zeta + "\r\n").toUtf8();
    EXPECT_EQ(Lees(pad), verwacht);

    const auto terug = ConfiguratieBestandLezen(pad);
    ASSERT_TRUE(terug);
    EXPECT_EQ(terug->instellingen, Alles());
    EXPECT_EQ(terug->serverRegels, (QStringList{alpha, beta, zeta}));
    EXPECT_FALSE(terug->gestopt);
}

TEST(configSchrijven, GelezenVolgordeWordtNaamvolgorde)
{
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("v.cfg"));
    const QByteArray bestand = "cfgopenen=1\r\nmarc\x0Fh3\r\nAnna\x0Fh1\r\nbert\x0Fh2\r\nZoe\x0Fh4\r\n";
    const ConfiguratieInhoud gelezen = ConfiguratieParsen(bestand);
    ASSERT_TRUE(ConfiguratieSchrijven(pad, gelezen.instellingen, gelezen.ServerLijst()));
    EXPECT_EQ(Lees(pad), "cfgopenen=1\r\nAnna\x0Fh1\r\nbert\x0Fh2\r\nmarc\x0Fh3\r\nZoe\x0Fh4\r\n");
}

TEST(configSchrijven, AlleenEigenaarLeestEnTweedeKeerLukt)
{
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("v.cfg"));
    Instellingen in;
    in.Top = 1;
    ASSERT_TRUE(ConfiguratieSchrijven(pad, in, {QString()}));
    EXPECT_EQ(Modus(pad), QFileDevice::ReadOwner);
    in.Top = 2;
    ASSERT_TRUE(ConfiguratieSchrijven(pad, in, {QString()}));
    EXPECT_EQ(Lees(pad), "top=2\r\n");
    EXPECT_EQ(Modus(pad), QFileDevice::ReadOwner);
    EXPECT_EQ(QDir(map.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("v.cfg")});
}

TEST(configSchrijven, MisluktZonderSchade)
{
    QTemporaryDir map;
    // No such folder: false, and nothing is created.
    EXPECT_FALSE(ConfiguratieSchrijven(map.filePath(QStringLiteral("weg/v.cfg")), Alles(), {QString()}));
    EXPECT_FALSE(QFileInfo::exists(map.filePath(QStringLiteral("weg"))));

    // The disk fills up half way through the new text: the old file stays as it was.
    const QString pad = map.filePath(QStringLiteral("v.cfg"));
    ASSERT_TRUE(ConfiguratieSchrijven(pad, Alles(), {QString()}));
    const QByteArray oud = Lees(pad);
    QStringList veel{QString()};
    for (int i = 0; i < 200; ++i)
        veel << QStringList{QStringLiteral("server%1").arg(i, 3, 10, QChar('0')), "host.example", "u", "p"}
                    .join(S);
    {
        const Bestandsgrens grens(oud.size() + 100);
        EXPECT_FALSE(ConfiguratieSchrijven(pad, Alles(), veel));
    }
    EXPECT_EQ(Lees(pad), oud);
    EXPECT_EQ(Modus(pad), QFileDevice::ReadOwner);
    EXPECT_EQ(QDir(map.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("v.cfg")});
    // And the limit was what stopped it.
    EXPECT_TRUE(ConfiguratieSchrijven(pad, Alles(), veel));
    EXPECT_EQ(ConfiguratieBestandLezen(pad)->serverRegels.size(), 200);
}

TEST(configSchrijven, OnopslaanbareWaardenBlijvenWeg)
{
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("v.cfg"));
    Instellingen in = Alles();
    in.Server = QStringList{"naam", "host"}.join(S);          // would read back as a server line
    in.MapLokaalActueel = QStringLiteral("/tmp/a\nlinks=9/"); // would read back as another key
    in.PatroonFtp = QStringLiteral("x\ry");
    EXPECT_EQ(OnopslaanbareSleutels(in), (QStringList{"server=", "maplokaalactueel=", "patroonftp="}));
    EXPECT_TRUE(OnopslaanbareSleutels(Alles()).isEmpty());

    const QString goed = QStringList{"goed", "h"}.join(S);
    ASSERT_TRUE(
        ConfiguratieSchrijven(pad, in, {QString(), goed, QString(), QStringList{"slecht\n", "h"}.join(S)}));
    const auto terug = ConfiguratieBestandLezen(pad);
    ASSERT_TRUE(terug);
    Instellingen verwacht = Alles();
    verwacht.Server.reset();
    verwacht.MapLokaalActueel.reset();
    verwacht.PatroonFtp.reset();
    EXPECT_EQ(terug->instellingen, verwacht);
    EXPECT_EQ(terug->serverRegels, QStringList{goed});

    // Keys without a value are not written, so they read back as missing.
    ASSERT_TRUE(ConfiguratieSchrijven(pad, Instellingen(), {QString()}));
    EXPECT_EQ(Lees(pad), QByteArray());
    EXPECT_EQ(ConfiguratieBestandLezen(pad)->instellingen, Instellingen());
}

// A synchronised server's pair and choices: one line each, kept through a write and a read
// whatever its texts hold (spaces, "=", the separator, other scripts).
TEST(configSchrijven, SynchronisatiesHeenEnTerug)
{
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("vamox.cfg"));
    const Syncherinnering h{
        .server = QStringLiteral("Mijn site"),
        .lokaal = QString::fromUtf8("/home/jan/café = €/") + S,
        .serverMap = QStringLiteral("/www/a b"),
        .keuzes = {.richting = Syncrichting::BeideKanten, .criterium = Criterium::Inhoud, .submappen = false},
        .patronen = true};
    Instellingen in = Alles();
    in.Synchronisaties = {SyncherinneringTekst(h)};
    ASSERT_TRUE(ConfiguratieSchrijven(pad, in, {QString()}));
    const auto terug = ConfiguratieBestandLezen(pad);
    ASSERT_TRUE(terug);
    EXPECT_EQ(terug->instellingen, in);
    ASSERT_EQ(terug->instellingen.Synchronisaties.size(), 1);
    EXPECT_EQ(SyncherinneringLezen(terug->instellingen.Synchronisaties[0]), h);
    EXPECT_FALSE(SyncherinneringLezen(QStringLiteral("93000 a b c")));
}
