#include "OpstartHulp.h"

#include "mainwindow/ConfiguratieVenster.h"
#include "mainwindow/Toestand.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Navigatie.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace Vamox::Test {
namespace {

QStringList Namen(const LijstWeergave& lijst)
{
    QStringList uit;
    for (const ListRow& r : lijst.lijstModel().Rijen())
        uit << r.naam;
    return uit;
}

using OpstartTest = StartTest;

TEST_F(OpstartTest, EersteStartZonderBestand)
{
    Schrijven(Werkmap() + QStringLiteral("/oud/van-de-vorige-keer.txt"), "oud");
    auto venster = Starten();
    const Toestand& t = venster->toestand();
    const VensterUi& ui = venster->ui();

    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), startmap);
    EXPECT_EQ(ui.MapLokaal->text(), startmap);
    EXPECT_EQ(Namen(*ui.LijstLokaal), (QStringList{" ..", "sub"}));
    EXPECT_EQ(Namen(*ui.LijstBLokaal), QStringList{"hier.txt"});
    EXPECT_EQ(ui.LabelLokaal->text(), QStringLiteral("Lokale map: ") + startmap);

    EXPECT_FALSE(venster->serverPaneel().Verbonden());
    EXPECT_FALSE(t.sessie.internetHandle()); // nothing was tried
    EXPECT_TRUE(venster->serverPaneel().HuidigeServermap().isEmpty());
    EXPECT_TRUE(ui.MapFtp->text().isEmpty());
    EXPECT_EQ(ui.LijstFtp->lijstModel().Aantal() + ui.LijstBFtp->lijstModel().Aantal(), 0);
    EXPECT_EQ(ui.LabelFtp->text(), QStringLiteral("Ftp server niet verbonden"));
    EXPECT_TRUE(TekstRood(*ui.LabelFtp));
    EXPECT_EQ(ui.cboVerbindingenFtp->count(), 0);
    EXPECT_FALSE(venster->menus().mnuFtp->menuAction()->isEnabled());
    EXPECT_EQ(t.ServerLijst, QStringList{QString()});

    // The work folder is there, empty, and the user's alone.
    EXPECT_TRUE(QFileInfo(Werkmap()).isDir());
    EXPECT_TRUE(QDir(Werkmap()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_EQ(QFile::permissions(Werkmap()) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(t.VullenToegestaan && t.InvoerToegestaan);
    EXPECT_TRUE(vragen.Vragen().empty());
}

// A file that would change nearly everything, and a server that can be reached.
class MetBestandTest : public StartTest
{
protected:
    void SetUp() override
    {
        StartTest::SetUp();
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        server.schrijf(QStringLiteral("www/index.html"), "<html/>");
        server.schrijf(QStringLiteral("www/lees.txt"), "tekst");
        server.maakMap(QStringLiteral("www/img"));
        bewaard = tmp.path() + QStringLiteral("/bewaard/");
        Schrijven(bewaard + QStringLiteral("b.txt"), "b");
    }

    void Bestand(bool serverOpenen)
    {
        StartTest::Bestand({"cfgopenen=1", "cfgopslaan=1", "server=Demo", "knoppenbalktonen=0",
                            serverOpenen ? "serveropenen=1" : "serveropenen=0", "lokaalopenen=1",
                            "maplokaalactueel=" + bewaard, "mapftpactueel=/www/", "patroonftp=*.txt",
                            ServerRegel(QStringLiteral("Demo"), server),
                            ServerRegel(QStringLiteral("andere"), server)});
    }

    FtpTestServer server;
    QString bewaard;
};

struct StartRij
{
    const char* geval;
    bool serverOpenen;
    Qt::KeyboardModifiers toetsen;
    bool verbonden;
    bool patroon; // the saved server pattern is applied (only ".Server openen" does that)
};

void PrintTo(const StartRij& r, std::ostream* uit)
{
    *uit << r.geval;
}

class StartServerTest : public MetBestandTest, public ::testing::WithParamInterface<StartRij>
{
};

TEST_P(StartServerTest, VerbindtMetDeBewaardeServer)
{
    const StartRij r = GetParam();
    Bestand(r.serverOpenen);
    auto venster = Starten(r.toetsen);
    const Toestand& t = venster->toestand();
    const VensterUi& ui = venster->ui();
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), bewaard);
    EXPECT_EQ(Namen(*ui.LijstBLokaal), QStringList{"b.txt"});
    EXPECT_EQ(ui.cboVerbindingenFtp->count(), 2);
    EXPECT_FALSE(ui.knopMapHoger->isVisible()); // knoppenbalktonen=0

    if (!r.verbonden) {
        EXPECT_FALSE(t.sessie.internetHandle());
        EXPECT_TRUE(ui.MapFtp->text().isEmpty());
        return;
    }
    ASSERT_TRUE(WachtTot([&] { return venster->serverPaneel().Verbonden(); }, 30000));
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/www/"));
    EXPECT_EQ(ui.MapFtp->text(), QStringLiteral("/www/"));
    EXPECT_EQ(ui.cboVerbindingenFtp->currentText(), QStringLiteral("Demo"));
    EXPECT_EQ(Namen(*ui.LijstFtp), (QStringList{" ..", "img"}));
    const QStringList bestanden = r.patroon ? QStringList{"lees.txt"} : QStringList{"index.html", "lees.txt"};
    EXPECT_EQ(Namen(*ui.LijstBFtp), bestanden);
    EXPECT_EQ(ui.LijstBFtp->lijstModel().Cursief(), r.patroon);
    EXPECT_EQ(ui.knopPatroonFtp->font().italic(), r.patroon);
    EXPECT_TRUE(WachtTot([&] { return ui.LabelFtp->text() == QStringLiteral("Servermap: /www/"); }));
    EXPECT_TRUE(vragen.Vragen().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Opstarten, StartServerTest,
    ::testing::Values(StartRij{"ServerOpenen", true, Qt::NoModifier, true, true},
                      StartRij{"CtrlZonderServerOpenen", false, Qt::ControlModifier, true, false},
                      StartRij{"ZonderServerOpenen", false, Qt::NoModifier, false, false}),
    [](const auto& info) { return std::string(info.param.geval); });

TEST_F(MetBestandTest, ShiftSlaatHetBestandOverEnVraagtBijAfsluiten)
{
    for (const int antwoord : {2, 1}) {
        SCOPED_TRACE(antwoord);
        Bestand(true);
        const QByteArray vooraf = Lezen(Cfg());
        {
            DialoogOpnemer eigen; // the start-up notice of this round only
            auto venster = Starten(Qt::ShiftModifier);
            ASSERT_EQ(eigen.Vragen().size(), 1u);
            const MOpties& melding = eigen.Vragen()[0].opties;
            EXPECT_EQ(melding.Tekst,
                      QStringLiteral("Configuratie wordt niet geopend en na afsluiten niet opgeslagen"));
            EXPECT_EQ(melding.Pictogram, 1);
            EXPECT_TRUE(melding.Knoppen.isEmpty() && melding.Codes.isEmpty());
            EXPECT_EQ(melding.SluitenNa, 1250);
            EXPECT_FALSE(melding.Centreren);

            // Nothing of the file: the design state, the start folder, no servers, no connection.
            const Toestand& t = venster->toestand();
            EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), startmap);
            EXPECT_EQ(venster->ui().cboVerbindingenFtp->count(), 0);
            EXPECT_TRUE(venster->ui().knopMapHoger->isVisible());
            EXPECT_FALSE(venster->menus().mnuInstellingenServer->isChecked());
            EXPECT_FALSE(t.sessie.internetHandle());

            eigen.Antwoord(1);        // afsluiten? Ja
            eigen.Antwoord(antwoord); // Configuratie opslaan?
            ASSERT_TRUE(venster->close());
            ASSERT_EQ(eigen.Vragen().size(), 3u);
            const MOpties& vraag = eigen.Vragen()[2].opties;
            EXPECT_EQ(vraag.Tekst, QStringLiteral("Configuratie opslaan?"));
            EXPECT_EQ(vraag.Pictogram, 2);
            EXPECT_EQ(vraag.Knoppen, QStringLiteral("&Ja+&Nee"));
            EXPECT_EQ(vraag.Codes, QStringLiteral("2+1"));
        }
        const QByteArray na = Lezen(Cfg());
        if (antwoord == 2) {
            EXPECT_EQ(na, vooraf);
        } else {
            // The settings of the window are written, the saved servers it never read are kept.
            EXPECT_TRUE(na.contains("\r\nserveropenen=0\r\n"));
            EXPECT_TRUE(na.contains(ServerRegel(QStringLiteral("Demo"), server).toUtf8() + "\r\n"));
            EXPECT_TRUE(na.contains(ServerRegel(QStringLiteral("andere"), server).toUtf8() + "\r\n"));
        }
    }
}

// No network wait before the first paint: the connection starts once the window is shown.
TEST_F(StartTest, VensterVerschijntVoordatDeServerAntwoordt)
{
    FtpTestServer traag(FtpServerOpties{.traagMs = 300});
    ASSERT_TRUE(traag.start()) << traag.fout().toStdString();
    Bestand({"server=Traag", "serveropenen=1", ServerRegel(QStringLiteral("Traag"), traag)});
    auto venster = Starten({}, false);
    FtpSession& sessie = venster->toestand().sessie;
    EXPECT_FALSE(sessie.internetHandle());

    std::optional<bool> zichtbaarBijEersteOpdracht;
    QObject::connect(&sessie, &FtpSession::bezigGewijzigd, venster.get(), [&](bool bezig) {
        if (bezig && !zichtbaarBijEersteOpdracht) zichtbaarBijEersteOpdracht = venster->isVisible();
    });
    // The first paint of the window, and whether the connection was finished by then.
    struct Verf : QObject
    {
        FrmFtp* venster = nullptr;
        std::optional<bool> verbondenBijEersteVerf;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            const auto* w = qobject_cast<QWidget*>(o);
            if (e->type() == QEvent::Paint && w != nullptr && w->window() == venster &&
                !verbondenBijEersteVerf)
                verbondenBijEersteVerf = venster->serverPaneel().Verbonden();
            return false;
        }
    } verf;
    verf.venster = venster.get();
    qApp->installEventFilter(&verf);

    venster->show();
    ASSERT_TRUE(WachtTot([&] { return venster->serverPaneel().Verbonden(); }, 60000));
    qApp->removeEventFilter(&verf);
    ASSERT_TRUE(zichtbaarBijEersteOpdracht.has_value());
    EXPECT_TRUE(*zichtbaarBijEersteOpdracht);
    ASSERT_TRUE(verf.verbondenBijEersteVerf.has_value());
    EXPECT_FALSE(*verf.verbondenBijEersteVerf);
}

// The saved folders come back by the menu and by a right click; the server box opens by a left
// click on the server caption.
TEST_F(MetBestandTest, LaatstelijkeMapEnServerOphalen)
{
    StartTest::Bestand({"server=Demo", "serveropenen=0", "lokaalopenen=0", "maplokaalactueel=" + bewaard,
                        "mapftpactueel=/www/", "patroonftp=*.txt",
                        ServerRegel(QStringLiteral("Demo"), server)});
    auto venster = Starten();
    const VensterUi& ui = venster->ui();
    const VensterMenus& m = venster->menus();
    ASSERT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), startmap);
    Q_EMIT m.mnuLaatstelijke->aboutToShow();
    EXPECT_EQ(m.mnuLaatstelijkeMap->text(), QStringLiteral("Lokale map:  ") + bewaard);
    EXPECT_EQ(m.mnuLaatstelijkeServer->text(), QStringLiteral("Servermap : Demo / /www/"));
    EXPECT_TRUE(m.mnuLaatstelijkeMap->isEnabled() && m.mnuLaatstelijkeServer->isEnabled());

    QTest::mouseClick(ui.LabelLokaal, Qt::RightButton);
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), bewaard);
    EXPECT_EQ(Namen(*ui.LijstBLokaal), QStringList{"b.txt"});

    QTest::mouseClick(ui.knopServergegevens, Qt::RightButton);
    ASSERT_TRUE(venster->serverPaneel().Verbonden());
    EXPECT_EQ(venster->serverPaneel().HuidigeServermap(), QStringLiteral("/www/"));
    EXPECT_EQ(ui.MapFtp->text(), QStringLiteral("/www/"));
    EXPECT_EQ(Namen(*ui.LijstBFtp), QStringList{"lees.txt"});
    EXPECT_TRUE(vragen.Vragen().empty());

    QTest::mouseClick(ui.LabelFtp, Qt::LeftButton);
    EXPECT_TRUE(WachtTot([&] { return ui.cboVerbindingenFtp->view()->isVisible(); }));
    ui.cboVerbindingenFtp->hidePopup();
}

// The column Rechten of the server files as the file left it, chosen off from the header's menu,
// and so written: a line only while it shows.
TEST_F(MetBestandTest, RechtenkolomZoalsBewaard)
{
    StartTest::Bestand({"rechtentonen=1", ServerRegel(QStringLiteral("Demo"), server)});
    auto venster = Starten();
    LijstWeergave& lijst = *venster->ui().LijstBFtp;
    EXPECT_FALSE(lijst.isColumnHidden(LijstModel::KolomRechten));
    EXPECT_EQ(venster->configuratie().InstellingenVanVenster().RechtenTonen, true);
    // A right click on the header, as the platform sends it, opens the menu with the item ticked.
    QHeaderView* kop = lijst.header();
    QContextMenuEvent klik(QContextMenuEvent::Mouse, QPoint(5, 5),
                           kop->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(kop->viewport(), &klik);
    auto* item = kop->findChild<QAction*>(QStringLiteral("mnuKolomRechten"));
    ASSERT_TRUE(item);
    auto* menu = qobject_cast<QMenu*>(item->parent());
    ASSERT_TRUE(menu && WachtTot([&] { return menu->isVisible(); }));
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    menu->hide();
    EXPECT_TRUE(lijst.isColumnHidden(LijstModel::KolomRechten));
    EXPECT_FALSE(venster->configuratie().InstellingenVanVenster().RechtenTonen);
}

TEST_F(MetBestandTest, LaatstelijkeServerOphalenZonderOfMetFout)
{
    // Without a saved server only the notice; a server that refuses the login gets the notice of
    // the failure and leaves the window disconnected.
    for (const bool bewaardeServer : {false, true}) {
        SCOPED_TRACE(bewaardeServer);
        StartTest::Bestand({bewaardeServer ? "server=Demo" : "server=", "mapftpactueel=/www/",
                            ServerRegel(QStringLiteral("Demo"), server, QStringLiteral("fout"))});
        DialoogOpnemer eigen;
        auto venster = Starten();
        QTest::mouseClick(venster->ui().knopServergegevens, Qt::RightButton);
        EXPECT_FALSE(venster->serverPaneel().Verbonden());
        ASSERT_FALSE(eigen.Vragen().empty());
        const MOpties& laatste = eigen.Vragen().back().opties;
        if (bewaardeServer) {
            EXPECT_EQ(laatste.Tekst,
                      QStringLiteral("Bij het ophalen van de laatstelijke opgeslagen server 'Demo' is "
                                     "iets fout gegaan."));
            EXPECT_EQ(laatste.Pictogram, 4);
            EXPECT_TRUE(venster->ui().MapFtp->text().isEmpty());
        } else {
            EXPECT_EQ(eigen.Vragen().size(), 1u);
            EXPECT_EQ(laatste.Tekst, QStringLiteral("Bij afsluiten geen laatstelijke server opgeslagen."));
            EXPECT_EQ(laatste.Pictogram, 1);
            EXPECT_FALSE(venster->toestand().sessie.internetHandle());
        }
    }
}

} // namespace
} // namespace Vamox::Test
