#include "transfer/OverdrachtHulp.h"

#include "panes/gui/Selectie.h"

#include <QAction>
#include <QToolButton>

namespace Vamox::Test {
namespace {

QStringList RijenNamen(const LijstWeergave& lijst)
{
    QStringList namen;
    for (const ListRow& r : lijst.lijstModel().Rijen())
        namen << r.naam;
    return namen;
}

// The trash of these tests lies in a home folder of their own.
class VerwijderingTest : public OverdrachtTest
{
protected:
    void SetUp() override
    {
        OverdrachtTest::SetUp();
        vorigeHome = qgetenv("HOME");
        qputenv("HOME", thuis.path().toUtf8());
        qunsetenv("XDG_DATA_HOME");
    }
    void TearDown() override
    {
        qputenv("HOME", vorigeHome);
        OverdrachtTest::TearDown();
    }
    QString Prullenbak(const QString& naam) const
    {
        return thuis.filePath(".local/share/Trash/files/" + naam);
    }

    QTemporaryDir thuis;
    QByteArray vorigeHome;
};

// Enter = Ja (to the trash), Escape = Nee, "D" = for good; after the last two rows went, the
// last row left is selected.
TEST_F(VerwijderingTest, LokaleBestandenDrieAntwoorden)
{
    const struct
    {
        int antwoord;
        bool weg;
        bool inPrullenbak;
    } rijen[] = {{2, true, true}, {1, false, false}, {3, true, false}};
    for (const auto& rij : rijen) {
        for (const char* n : {"a.txt", "b.txt", "c.txt", "d.txt"})
            Schrijf(L(n), n);
        LokaalTonen(lokaal.path());
        Selecteren(*ui().LijstBLokaal, {"c.txt", "d.txt"});
        gesteld.clear();
        antwoorden = {rij.antwoord};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);

        ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
        const MOpties& v = gesteld[0].opties;
        EXPECT_EQ(v.Tekst, "De geselecteerde lokale bestanden (2) naar de prullenbak overbrengen?");
        EXPECT_EQ(v.Knoppen, "&Nee+&Ja+&Definitief verwijderen");
        EXPECT_EQ(v.Codes, "2+1");
        EXPECT_EQ(v.Knopbreedte, 2000);
        EXPECT_EQ(QFile::exists(L("d.txt")), !rij.weg) << rij.antwoord;
        EXPECT_EQ(QFile::exists(Prullenbak("d.txt")), rij.inPrullenbak) << rij.antwoord;
        if (rij.weg) {
            EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), QStringList{"b.txt"});
        }
        QDir(thuis.filePath(".local")).removeRecursively();
    }
}

TEST_F(VerwijderingTest, ServerbestandenEenWeigeringEenMelding)
{
    Verbinden({.faalCommandos = {"DELE:a.txt"}});
    for (const char* n : {"a.txt", "b.txt", "c.txt"})
        server->schrijf(QLatin1String(n), n);
    Kiezen();
    Selecteren(*ui().LijstBFtp, {"a.txt", "b.txt", "c.txt"});
    antwoorden = {1};
    Klik(ui().knopVerwijderenBestand);
    ASSERT_EQ(Teksten(),
              (QStringList{"De geselecteerde serverbestanden (3) daadwerkelijk van de server verwijderen?",
                           "Bij het verwijderen van bestanden op de server is iets fout gegaan."}));
    EXPECT_EQ(gesteld[0].opties.Codes, "2+1");
    EXPECT_EQ(RijenNamen(*ui().LijstBFtp), QStringList{"a.txt"});
}

// " .." and a name with ".." are never deleted; a tree goes after two yeses, a no on the second
// keeps it.
TEST_F(VerwijderingTest, ServermapNietBovenDeMapEnPasNaTweeKeerJa)
{
    Verbinden();
    server->schrijf("boom/sub/x.txt", "x");
    server->maakMap("a..b");
    server->maakMap("ander");
    Kiezen();
    ServerTonen("/");
    Selecteren(*ui().LijstFtp, {"a..b"});
    Klik(ui().knopVerwijderenMap);
    const QString geen = "Geen servermap geselecteerd.\r\nKan derhalve geen servermap verwijderen.";
    EXPECT_EQ(Teksten(), QStringList{geen});

    Selecteren(*ui().LijstFtp, {"boom"});
    gesteld.clear();
    antwoorden = {1, 2};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    const QString vraag = "Servermap\r\n /boom\r\n\r\nmet al zijn submappen (1) en bestanden (1)\r\n"
                          "daadwerkelijk van de server verwijderen?";
    EXPECT_EQ(Teksten(), (QStringList{vraag, "Nogmaals.\r\n\r\n" + vraag}));
    EXPECT_EQ(server->lees("boom/sub/x.txt"), "x");

    gesteld.clear();
    antwoorden = {1, 1};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(gesteld.size(), 2u);
    EXPECT_FALSE(QFileInfo::exists(server->pad("boom")));
    EXPECT_EQ(RijenNamen(*ui().LijstFtp), (QStringList{"a..b", "ander"}));
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstFtp), QStringList{"ander"});
}

TEST_F(VerwijderingTest, OuderRijNooitVerwijderd)
{
    Maken(lokaal.path(), {"sub/x.txt"});
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstLokaal, {" .."});
    venster->menus().mnuMapLokaalVerwijderen->trigger();
    EXPECT_EQ(Teksten(),
              QStringList{"Geen lokale map geselecteerd.\r\nKan derhalve geen lokale map verwijderen."});
    EXPECT_TRUE(QFile::exists(L("sub/x.txt")));
}

} // namespace
} // namespace Vamox::Test
