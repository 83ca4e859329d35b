#include "panes/PaneelHulp.h"

#include "platform/gui/Toetsenbord.h"
#include "platform/gui/Zandloper.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace Vamox::Test {
namespace {

using VerbindingTest = PaneelTest;

// A server that cannot be reached or refuses the login: the notice names the server, the box
// shows no choice afterwards but keeps its entries, the server side stays disconnected.
TEST_F(VerbindingTest, MislukteVerbindingMeldtEnWistDeKeuze)
{
    FtpTestServer weigert(FtpServerOpties{.weigerLogin = true});
    FtpTestServer fout;
    FtpTestServer weg;
    ASSERT_TRUE(weigert.start());
    ASSERT_TRUE(fout.start());
    ASSERT_TRUE(weg.start());
    weg.stop();
    ServerOpslaan(QStringLiteral("a-weigert"), weigert);
    ServerOpslaan(QStringLiteral("b-fout wachtwoord"), fout, QStringLiteral("verkeerd"));
    ServerOpslaan(QStringLiteral("c-weg"), weg);

    for (const QString naam : {"a-weigert", "b-fout wachtwoord", "c-weg"}) {
        SCOPED_TRACE(naam.toStdString());
        const std::size_t voor = vragen.Vragen().size();
        Kiezen(naam);
        ASSERT_EQ(vragen.Vragen().size(), voor + 1);
        const DialoogVraag& v = vragen.Vragen().back();
        EXPECT_EQ(v.soort, DialoogVraag::Soort::Bericht);
        EXPECT_EQ(v.opties.Tekst, QStringLiteral("Kan geen verbinding met server '") + naam +
                                      QStringLiteral("' maken.\r\nOf map op de server niet gevonden."));
        EXPECT_EQ(v.opties.Pictogram, 4);
        EXPECT_EQ(v.opties.SluitenNa, 0);
        EXPECT_EQ(ui().cboVerbindingenFtp->currentIndex(), -1);
        EXPECT_EQ(Lijst(*ui().cboVerbindingenFtp), (QStringList{"a-weigert", "b-fout wachtwoord", "c-weg"}));
        EXPECT_FALSE(venster->serverPaneel().Verbonden());
        EXPECT_TRUE(ui().MapFtp->text().isEmpty());
        EXPECT_EQ(ui().LijstFtp->lijstModel().Aantal(), 0);
        EXPECT_FALSE(venster->menus().mnuFtp->menuAction()->isEnabled());
        EXPECT_FALSE(ZandloperAan());
        EXPECT_EQ(venster->windowTitle(), QStringLiteral("Vamox"));
    }
    EXPECT_TRUE(
        WachtTot([&] { return ui().LabelFtp->text() == QLatin1String("Ftp server niet verbonden"); }));
}

// A login that fails is reported with the platform's message box.
TEST_F(VerbindingTest, MisluktInloggenGeeftPlatformmelding)
{
    FtpTestServer weg;
    ASSERT_TRUE(weg.start());
    weg.stop();
    EXPECT_FALSE(sessie().FtpVerbindingOpenen({weg.host(), QString(), QString(), weg.poort()}));
    ui().MapFtp->setText(QStringLiteral("/"));
    EXPECT_FALSE(venster->serverPaneel().FtpVerbinden(true));
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    const DialoogVraag& v = vragen.Vragen()[0];
    EXPECT_EQ(v.soort, DialoogVraag::Soort::Platform);
    EXPECT_EQ(v.opties.Tekst, QStringLiteral("Kan geen verbinding met de server maken."));
    EXPECT_EQ(v.opties.Titel.value_or(QString()), QStringLiteral("Vamox"));
    EXPECT_EQ(v.opties.Pictogram, 4);
    EXPECT_TRUE(ui().MapFtp->text().isEmpty());
    EXPECT_FALSE(ZandloperAan());
}

TEST_F(VerbindingTest, ZonderOpgeslagenServersDoetKiezenNiets)
{
    ui().cboVerbindingenFtp->addItem(QStringLiteral("los"));
    Kiezen(QStringLiteral("los"));
    EXPECT_FALSE(venster->serverPaneel().Verbonden());
    EXPECT_TRUE(vragen.Vragen().empty());
    EXPECT_FALSE(ZandloperAan());
    EXPECT_EQ(ui().cboVerbindingenFtp->currentText(), QStringLiteral("los"));
}

// While the server is busy answering, clicks and keys do not reach the window (they would start
// a second operation); Escape is kept for the running flow and cancels the connect, which is
// then told as a cancel, not as a server that cannot be reached.
TEST_F(VerbindingTest, InvoerTijdensBezigWordtTegengehouden)
{
    QTemporaryDir tmp;
    Maken(tmp.path(), {"sub/"});
    Typen(ui().MapLokaal, tmp.path() + u'/', true);
    ASSERT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), tmp.path() + u'/');
    EscapeIngedrukt(); // nothing left from before

    FtpTestServer traag(FtpServerOpties{.traagMs = 100});
    ASSERT_TRUE(traag.start());
    ServerOpslaan(QStringLiteral("traag"), traag);
    bool bezigGezien = false;
    QTimer tijdens;
    tijdens.setInterval(20);
    QObject::connect(&tijdens, &QTimer::timeout, [&] {
        if (bezigGezien || !sessie().bezig()) return;
        bezigGezien = true;
        Dubbelklik(*ui().LijstLokaal, QStringLiteral("sub"));
        QTest::keyClick(ui().LijstLokaal, Qt::Key_Escape);
        // Typing into a text box goes on (keys reach the combo box, not its inner editor).
        QTest::keyClicks(ui().cboPatroonLokaal, "x");
    });
    tijdens.start();
    Kiezen(QStringLiteral("traag"));
    tijdens.stop();

    ASSERT_TRUE(bezigGezien);
    EXPECT_FALSE(venster->serverPaneel().Verbonden());
    ASSERT_EQ(vragen.Vragen().size(), 1u);
    EXPECT_EQ(vragen.Vragen()[0].opties.Tekst, QStringLiteral("Verbinden met de server is geannuleerd."));
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), tmp.path() + u'/');
    EXPECT_TRUE(EscapeIngedrukt());
    EXPECT_FALSE(EscapeIngedrukt());
    EXPECT_TRUE(ui().cboPatroonLokaal->currentText().endsWith(u'x'));
    // Afterwards the window listens again.
    Dubbelklik(*ui().LijstLokaal, QStringLiteral("sub"));
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), tmp.path() + QStringLiteral("/sub/"));
}

// Enter pressed while the typed folder is being looked up on the server is not lost.
TEST_F(VerbindingTest, EnterTijdensDeMapcontroleGaatNietVerloren)
{
    FtpTestServer traag(FtpServerOpties{.traagMs = 50});
    ASSERT_TRUE(traag.start());
    traag.maakMap(QStringLiteral("docs"));
    ServerOpslaan(QStringLiteral("traag"), traag);
    Kiezen(QStringLiteral("traag"));
    ASSERT_TRUE(venster->serverPaneel().Verbonden());

    bool gedrukt = false;
    QTimer tijdens;
    tijdens.setInterval(5);
    QObject::connect(&tijdens, &QTimer::timeout, [&] {
        if (gedrukt || !sessie().bezig()) return;
        gedrukt = true;
        QTest::keyClick(ui().MapFtp, Qt::Key_Return);
    });
    Typen(ui().MapFtp, QStringLiteral("/docs"), false);
    tijdens.start();
    EXPECT_TRUE(
        WachtTot([&] { return venster->serverPaneel().HuidigeServermap() == QLatin1String("/docs/"); }));
    EXPECT_TRUE(gedrukt);
    EXPECT_TRUE(vragen.Vragen().empty());
}

} // namespace
} // namespace Vamox::Test
