#include "PaneelHulp.h"

#include "platform/gui/Kleuren.h"
#include "platform/gui/Zandloper.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace Vamox::Test {
namespace {

class ServerPaneelTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        server.schrijf(QStringLiteral("lees.txt"), "hallo");
        server.schrijf(QStringLiteral("READ.TXT"), QByteArray(1234567, 'x'));
        server.schrijf(QStringLiteral("Makefile"), "all:");
        server.schrijf(QStringLiteral("foto.JPG"), "jpg");
        server.maakMap(QStringLiteral("a/b/x/b"));
        server.schrijf(QStringLiteral("a/b/x/b/diep.txt"), "d");
        server.maakMap(QStringLiteral("leeg"));
        ServerOpslaan(QStringLiteral("testserver"), server);
    }

    void Verbinden()
    {
        Kiezen(QStringLiteral("testserver"));
        ASSERT_TRUE(venster->serverPaneel().Verbonden());
    }

    FtpTestServer server;
};

TEST_F(ServerPaneelTest, KiezenVerbindtEnVultBeideLijsten)
{
    Verbinden();
    EXPECT_EQ(Namen(ui().LijstFtp->lijstModel()), (QStringList{"a", "leeg"})); // the root has no " .."
    EXPECT_EQ(Namen(ui().LijstBFtp->lijstModel()),
              (QStringList{"foto.JPG", "lees.txt", "Makefile", "READ.TXT"}));
    EXPECT_EQ(Iconen(*ui().LijstBFtp), (QStringList{"jpg", "txt", "bestand", "txt"}));
    EXPECT_EQ(ui().LijstBFtp->lijstModel().KopTekst(0), QStringLiteral("Server bestandsnaam (4)"));
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/"));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/"));
    // Every extension of the folder, lower case, once; a name without "." adds none.
    EXPECT_EQ(Lijst(*ui().cboPatroonFtp), (QStringList{"*", "*.jpg", "*.txt"}));
    EXPECT_TRUE(venster->menus().mnuFtp->menuAction()->isEnabled());
    EXPECT_TRUE(venster->menus().mnuBestandLokaalUploaden->isEnabled());
    EXPECT_FALSE(ZandloperAan());
    EXPECT_TRUE(vragen.Vragen().empty());
    EXPECT_TRUE(WachtTot([&] {
        return ui().LabelFtp->text() == QLatin1String("Servermap: /") && Tekstkleur(*ui().LabelFtp) == Kleur(Kleurrol::Tekst);
    }));
}

// The fill code decides which list is refilled; the other keeps its rows.
TEST_F(ServerPaneelTest, VulcodeKiestDeLijsten)
{
    Verbinden();
    server.maakMap(QStringLiteral("nieuwemap"));
    server.schrijf(QStringLiteral("nieuw.txt"), "n");
    const struct
    {
        const char* naam;
        Soort soort;
        bool mappen, bestanden;
    } rijen[] = {{"10", Soort::Mappen, true, false},
                 {"01", Soort::Bestanden, false, true},
                 {"11", Soort::Beide, true, true}};
    for (const auto& r : rijen) {
        SCOPED_TRACE(r.naam);
        ui().LijstFtp->lijstModel().Leegmaken();
        ui().LijstBFtp->lijstModel().Leegmaken();
        ASSERT_TRUE(venster->serverPaneel().LijstVullenFtp(std::nullopt, r.soort));
        EXPECT_EQ(RijVan(*ui().LijstFtp, QStringLiteral("nieuwemap")) >= 0, r.mappen);
        EXPECT_EQ(RijVan(*ui().LijstBFtp, QStringLiteral("nieuw.txt")) >= 0, r.bestanden);
    }
}

TEST_F(ServerPaneelTest, PatroonFiltertMaarComboVerzameltAlles)
{
    ui().cboPatroonFtp->setEditText(QStringLiteral("*.txt"));
    Verbinden();
    EXPECT_EQ(Namen(ui().LijstBFtp->lijstModel()), (QStringList{"lees.txt", "READ.TXT"}));
    EXPECT_EQ(ui().cboPatroonFtp->currentText(), QStringLiteral("*.txt"));
    EXPECT_TRUE(Lijst(*ui().cboPatroonFtp).contains(QStringLiteral("*.jpg")));
}

// Opening a folder shows " .." first with the "up" picture; going back up by Backspace or by
// the " .." row shows the parent with the folder just left selected.
TEST_F(ServerPaneelTest, OmhoogSelecteertDeVerlatenMap)
{
    Verbinden();
    for (const bool metBackspace : {true, false}) {
        SCOPED_TRACE(metBackspace ? "Backspace" : "dubbelklik ..");
        Dubbelklik(*ui().LijstFtp, QStringLiteral("a"));
        ASSERT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/"));
        EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/"));
        EXPECT_EQ(Namen(ui().LijstFtp->lijstModel()), (QStringList{" ..", "b"}));
        EXPECT_EQ(Iconen(*ui().LijstFtp), (QStringList{"mapomhoog", "map"}));
        EXPECT_EQ(ui().LijstFtp->lijstModel().KopTekst(0), QStringLiteral("Server mapnaam (1)"));
        EXPECT_EQ(GeselecteerdeRij(*ui().LijstFtp), 0); // the first row, as the space key gave it

        if (metBackspace)
            QTest::keyClick(ui().LijstFtp, Qt::Key_Backspace);
        else
            Dubbelklik(*ui().LijstFtp, QStringLiteral(" .."));
        EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/"));
        EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/"));
        EXPECT_EQ(GeselecteerdeNaam(*ui().LijstFtp), QStringLiteral("a"));
        EXPECT_EQ(venster->focusWidget(), ui().LijstFtp);
    }
    // At the root there is nothing above.
    QTest::keyClick(ui().LijstFtp, Qt::Key_Backspace);
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/"));
    EXPECT_TRUE(vragen.Vragen().empty());
}

// /a/b/x/b: its parent is /a/b/x/, not the first folder named b on the way.
TEST_F(ServerPaneelTest, MapMetDeNaamVanEenVoorouder)
{
    Verbinden();
    Typen(ui().MapFtp, QStringLiteral("/a/b/x/b"), true);
    ASSERT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/b/x/b/"));
    Dubbelklik(*ui().LijstFtp, QStringLiteral(" .."));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/b/x/"));
    EXPECT_EQ(GeselecteerdeNaam(*ui().LijstFtp), QStringLiteral("b"));
}

TEST_F(ServerPaneelTest, GetypteMapKleurtEnEnterGaatErheen)
{
    Verbinden();
    // Without the leading "/": shown in the box in its full form afterwards.
    Typen(ui().MapFtp, QStringLiteral("a/b"), false);
    EXPECT_TRUE(WachtTot([&] { return Tekstkleur(*ui().MapFtp) == Kleur(Kleurrol::Tekst); }));
    // Typed but not confirmed: the lists still show "/", in grey.
    EXPECT_TRUE(WachtTot([&] { return ui().LijstBFtp->lijstModel().Grijs(); }));
    QTest::keyClick(ui().MapFtp, Qt::Key_Return);
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/b/"));
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/b/"));
    EXPECT_TRUE(WachtTot([&] { return !ui().LijstFtp->lijstModel().Grijs(); }));

    Typen(ui().MapFtp, QStringLiteral("/a/bestaatniet"), false);
    EXPECT_TRUE(WachtTot([&] { return TekstRood(*ui().MapFtp); }));
    QTest::keyClick(ui().MapFtp, Qt::Key_Return);
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, QStringLiteral("Servermap '/a/bestaatniet/' niet gevonden."));
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 4);
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/b/"));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/b/"));

    // Leaving the box with a red folder in it puts the current one back without a word; Escape
    // does the same with any text.
    Typen(ui().MapFtp, QStringLiteral("/nergens"), false);
    ui().LijstFtp->setFocus();
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/b/"));
    Typen(ui().MapFtp, QStringLiteral("/leeg"), false);
    QTest::keyClick(ui().MapFtp, Qt::Key_Escape);
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/b/"));
    EXPECT_EQ(vragen.Vragen().size(), 1u);
}

TEST_F(ServerPaneelTest, LegeMapboxBijDeRootKrijgtDeSchuineStreep)
{
    Verbinden();
    ui().MapFtp->setFocus();
    ui().MapFtp->selectAll();
    QTest::keyClick(ui().MapFtp, Qt::Key_Backspace);
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/"));
    EXPECT_EQ(ui().MapFtp->cursorPosition(), 1);
}

TEST_F(ServerPaneelTest, VerbrekenVraagtEerst)
{
    Verbinden();
    // Connected, the uploads and their repeat apply.
    const VensterMenus& m = venster->menus();
    EXPECT_TRUE(m.mnuBestandLokaalUploaden->isEnabled());
    EXPECT_TRUE(m.mnuBestandLokaalOpnieuwUploaden->isEnabled());
    // A pattern in force (italics) and counted headers, to see both go with the connection.
    ui().cboPatroonFtp->setFocus();
    QTest::keyClicks(ui().cboPatroonFtp, "*.txt");
    QTest::keyClick(ui().cboPatroonFtp, Qt::Key_Return);
    ASSERT_TRUE(ui().LijstBFtp->lijstModel().Cursief());
    ASSERT_NE(ui().LijstFtp->lijstModel().KopTekst(0), QStringLiteral("Server mapnaam"));
    vragen.Antwoord(2); // Nee: everything stays
    QTest::mouseClick(ui().KnopVerbreken, Qt::LeftButton);
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    const MOpties& vraag = vragen.Vragen()[0].opties;
    EXPECT_EQ(vraag.Tekst, QStringLiteral("Verbinding met server 'testserver' verbreken?"));
    EXPECT_EQ(vraag.Pictogram, 4);
    EXPECT_EQ(vraag.Knoppen, QStringLiteral("&Ja+&Nee"));
    EXPECT_EQ(vraag.Codes, QStringLiteral("1+2"));
    EXPECT_TRUE(venster->serverPaneel().Verbonden());
    EXPECT_GT(ui().LijstBFtp->lijstModel().Aantal(), 0);
    EXPECT_EQ(ui().cboVerbindingenFtp->currentText(), QStringLiteral("testserver"));

    vragen.Antwoord(1);
    venster->menus().mnuVerbrekenFtp->trigger();
    EXPECT_FALSE(venster->serverPaneel().Verbonden());
    EXPECT_EQ(ui().LijstFtp->lijstModel().Aantal(), 0);
    EXPECT_EQ(ui().LijstBFtp->lijstModel().Aantal(), 0);
    EXPECT_TRUE(ui().MapFtp->text().isEmpty());
    EXPECT_TRUE(venster->serverPaneel().HuidigeServermap().isEmpty());
    EXPECT_EQ(ui().cboVerbindingenFtp->currentIndex(), -1);
    EXPECT_EQ(ui().cboVerbindingenFtp->count(), 1);
    EXPECT_EQ(ui().cboPatroonFtp->count(), 0);
    EXPECT_EQ(ui().LijstFtp->lijstModel().KopTekst(0), QStringLiteral("Server mapnaam"));
    EXPECT_FALSE(ui().LijstBFtp->lijstModel().Cursief());
    EXPECT_FALSE(ui().knopPatroonFtp->font().italic());
    EXPECT_FALSE(venster->menus().mnuFtp->menuAction()->isEnabled());
    EXPECT_EQ(ui().LabelFtp->text(), QStringLiteral("Ftp server niet verbonden"));
    EXPECT_TRUE(TekstRood(*ui().LabelFtp));

    // Not connected: no question, only the box's choice goes.
    ui().cboVerbindingenFtp->setCurrentIndex(0);
    QTest::mouseClick(ui().KnopVerbreken, Qt::LeftButton);
    EXPECT_EQ(vragen.Vragen().size(), 2u);
    EXPECT_EQ(ui().cboVerbindingenFtp->currentIndex(), -1);

    // Connecting again shows the root.
    Verbinden();
    EXPECT_EQ(Namen(ui().LijstFtp->lijstModel()), (QStringList{"a", "leeg"}));
}

TEST_F(ServerPaneelTest, AndereKeuzeTijdensVerbindingDoetNiets)
{
    FtpTestServer tweede;
    ASSERT_TRUE(tweede.start());
    tweede.schrijf(QStringLiteral("ander.txt"), "x");
    ServerOpslaan(QStringLiteral("zweede"), tweede);
    Verbinden();
    Kiezen(QStringLiteral("zweede"));
    EXPECT_EQ(sessie().gegevens().poort, server.poort());
    EXPECT_EQ(RijVan(*ui().LijstBFtp, QStringLiteral("ander.txt")), -1);
}

// The server last used shows its last folder once; after a disconnect the root.
TEST_F(ServerPaneelTest, LaatsteServerToontLaatsteMap)
{
    t().opgeslagen.OpgeslagenServer = QStringLiteral("testserver");
    t().opgeslagen.OpgeslagenServermap = QStringLiteral("/a/b/");
    Verbinden();
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/a/b/"));
    EXPECT_EQ(ui().MapFtp->text(), QStringLiteral("/a/b/"));
    EXPECT_TRUE(t().opgeslagen.OpgeslagenServer.isEmpty());

    vragen.Antwoord(1);
    QTest::mouseClick(ui().KnopVerbreken, Qt::LeftButton);
    Verbinden();
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/"));
}

TEST_F(ServerPaneelTest, ServerDieStoptKleurtDeLabelsRood)
{
    Verbinden();
    ASSERT_TRUE(WachtTot([&] { return Tekstkleur(*ui().LabelFtp) == Kleur(Kleurrol::Tekst); }));
    server.stop();
    EXPECT_TRUE(WachtTot([&] {
        return !venster->serverPaneel().Verbonden() &&
               ui().LabelFtp->text() == QLatin1String("Ftp server niet verbonden") &&
               TekstRood(*ui().LabelFtp) && TekstRood(*ui().MapFtp);
    }));
    // The lists keep what they showed until the next action; nothing was asked.
    EXPECT_EQ(ui().LijstBFtp->lijstModel().Aantal(), 4);
    EXPECT_TRUE(vragen.Vragen().empty());
}

TEST_F(ServerPaneelTest, PlustekenAlleenNaDeVraag)
{
    Verbinden();
    vragen.Antwoord(2);
    venster->menus().mnuPlusFtp->trigger();
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst,
              QStringLiteral(
                  "Een plusteken in het symbool van de servermappen als deze submappen bevat betekent\r\n"
                  "dat het zoeken naar de servermappen veel langer duurt.\r\nDoorgaan?"));
    EXPECT_EQ(vragen.Vragen()[0].opties.Pictogram, 2);
    EXPECT_FALSE(venster->menus().mnuPlusFtp->isChecked());
    EXPECT_EQ(Iconen(*ui().LijstFtp), (QStringList{"map", "map"}));

    RijSelecteren(*ui().LijstFtp, 1);
    vragen.Antwoord(1);
    venster->menus().mnuPlusBijSubmappenFtp->trigger();
    EXPECT_TRUE(venster->menus().mnuPlusFtp->isChecked());
    EXPECT_EQ(Iconen(*ui().LijstFtp), (QStringList{"mapplus", "map"}));
    EXPECT_EQ(GeselecteerdeRij(*ui().LijstFtp), 1); // the same place as before the refill

    // Switching it off asks nothing.
    venster->menus().mnuPlusFtp->trigger();
    EXPECT_EQ(vragen.Vragen().size(), 2u);
    EXPECT_EQ(Iconen(*ui().LijstFtp), (QStringList{"map", "map"}));
}

TEST_F(ServerPaneelTest, F5LeestOpnieuw)
{
    Verbinden();
    server.schrijf(QStringLiteral("later.txt"), "l");
    QTest::keyClick(ui().LijstBFtp, Qt::Key_F5);
    EXPECT_GE(RijVan(*ui().LijstBFtp, QStringLiteral("later.txt")), 0);
    EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));
    EXPECT_TRUE(venster->serverPaneel().Verbonden());
}

TEST_F(ServerPaneelTest, RechtsklikToontMenuAlleenVerbonden)
{
    const QPoint midden = ui().LijstFtp->viewport()->rect().center();
    QTest::mouseClick(ui().LijstFtp->viewport(), Qt::RightButton, {}, midden);
    EXPECT_FALSE(venster->menus().mnuMapFtp->isVisible());
    Verbinden();
    QTest::mouseClick(ui().LijstFtp->viewport(), Qt::RightButton, {}, midden);
    EXPECT_TRUE(WachtTot([&] { return venster->menus().mnuMapFtp->isVisible(); }));
    venster->menus().mnuMapFtp->close();
}

} // namespace
} // namespace Vamox::Test
