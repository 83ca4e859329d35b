#include "VensterHulp.h"

#include "mainwindow/Opbouw.h"
#include "panes/gui/ImageLijst16.h"
#include "panes/gui/LijstWeergave.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <vector>

namespace Vamox::Test {
namespace {

const char* const Knoppenbalk[] = {"knopServergegevens",  "KnopVerbreken",
                                   "knopMapHoger",        "knopVerwijderenMap",
                                   "knopMapNieuw",        "knopUploaden",
                                   "knopDownloaden",      "knopVerwijderenBestand",
                                   "knopKopierenBestand", "knopKopierenNaarKlembord",
                                   "knopOpenen",          "knopUploadBestandKiezen",
                                   "knopBUploaden",       "knopBDownloaden"};

// Every control other subsystems find by name is there, of the kind they expect.
TEST(Venster, BesturingenHebbenHunNaamEnSoort)
{
    FrmFtp venster;
    venster.Starten();
    QWidget* c = venster.ui().centraal;
    auto kind = [&](const char* naam) {
        return c->findChild<QWidget*>(QLatin1String(naam), Qt::FindDirectChildrenOnly);
    };

    for (const char* naam : {"LijstLokaal", "LijstBLokaal", "LijstFtp", "LijstBFtp"})
        EXPECT_NE(qobject_cast<LijstWeergave*>(kind(naam)), nullptr) << naam;
    for (const char* naam : {"SchijfLokaal", "cboVerbindingenFtp"}) {
        auto* vak = qobject_cast<QComboBox*>(kind(naam));
        ASSERT_NE(vak, nullptr) << naam;
        EXPECT_FALSE(vak->isEditable()) << naam;
    }
    for (const char* naam : {"cboPatroonLokaal", "cboPatroonFtp"}) {
        auto* vak = qobject_cast<QComboBox*>(kind(naam));
        ASSERT_NE(vak, nullptr) << naam;
        EXPECT_TRUE(vak->isEditable()) << naam;
        EXPECT_EQ(vak->completer(), nullptr) << naam; // "*.t" must not turn into "*.txt" by itself
    }
    for (const char* naam : {"MapLokaal", "MapFtp", "VakZoekenLokaal", "VakZoekenFtp"})
        EXPECT_NE(qobject_cast<QLineEdit*>(kind(naam)), nullptr) << naam;
    // The status labels show the state as soon as the window has started: the start folder,
    // no server.
    for (const auto& [naam, tekst] :
         {std::pair{"LabelLokaal", "Lokale map: "}, std::pair{"LabelFtp", "Ftp server niet verbonden"}}) {
        auto* label = qobject_cast<QLabel*>(kind(naam));
        ASSERT_NE(label, nullptr) << naam;
        EXPECT_TRUE(label->text().startsWith(QLatin1String(tekst))) << label->text().toStdString();
    }
    for (const char* naam : {"knopPatroonLokaal", "knopPatroonFtp"}) {
        auto* knop = qobject_cast<QPushButton*>(kind(naam));
        ASSERT_NE(knop, nullptr) << naam;
        EXPECT_EQ(knop->text(), QStringLiteral("Patroon"));
    }
    for (const char* naam : {"knopZoekenLokaal", "knopZoekenFtp", "VakZoekenLokaal", "VakZoekenFtp"})
        EXPECT_TRUE(kind(naam)->isEnabled()) << naam;
}

// Toolbar buttons show a picture and never take the focus away from the list they act on.
// Tab reaches the buttons; a click leaves the focus where it is (next test).
TEST(Venster, KnoppenbalkHeeftPlaatjesEnNeemtFocusAlleenMetTab)
{
    FrmFtp venster;
    for (const char* naam : Knoppenbalk) {
        SCOPED_TRACE(naam);
        auto* knop = venster.ui().centraal->findChild<QToolButton*>(QLatin1String(naam));
        ASSERT_NE(knop, nullptr);
        EXPECT_FALSE(knop->icon().pixmap(22, 22).isNull());
        EXPECT_EQ(knop->focusPolicy(), Qt::TabFocus);
    }
}

TEST(Venster, KlikOpKnopLaatFocusBijDeLijst)
{
    auto venster = GetoondVenster();
    venster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(venster.get()));
    venster->ui().LijstBFtp->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return venster->ui().LijstBFtp->hasFocus(); }));
    QTest::mouseClick(venster->ui().knopMapHoger, Qt::LeftButton);
    EXPECT_TRUE(venster->ui().LijstBFtp->hasFocus());
}

// The background label lies under every other control, so it gets only clicks on the background.
TEST(Venster, KnoppenbalkLabelLigtAchterAlles)
{
    auto venster = GetoondVenster();
    QWidget* c = venster->ui().centraal;
    for (QWidget* w : c->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w == venster->ui().LabelKnoppenbalk || !w->isVisible()) continue;
        SCOPED_TRACE(w->objectName().toStdString());
        const QPoint midden = w->geometry().center();
        QWidget* bovenste = c->childAt(midden);
        while (bovenste != nullptr && bovenste->parentWidget() != c)
            bovenste = bovenste->parentWidget();
        EXPECT_EQ(bovenste, w);
    }
    EXPECT_EQ(c->childAt(QPoint(2, 2)), venster->ui().LabelKnoppenbalk);
}

// At any size no two controls overlap and all stay inside the client area.
TEST(Venster, BesturingenOverlappenNietEnBlijvenBinnen)
{
    auto venster = GetoondVenster();
    const std::pair<int, int> formaten[] = {{0, 0}, {-1680, -900}, {9000, 6000}, {-15, 45}};
    for (const auto& [dx, dy] : formaten) {
        ASSERT_TRUE(ClientVergroten(*venster, dx, dy));
        std::vector<QWidget*> besturingen;
        for (QWidget* w :
             venster->ui().centraal->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w != venster->ui().LabelKnoppenbalk) besturingen.push_back(w);
        const QRect client = venster->ui().centraal->rect();
        for (size_t i = 0; i < besturingen.size(); ++i) {
            const QRect a = besturingen[i]->geometry();
            EXPECT_TRUE(client.contains(a))
                << besturingen[i]->objectName().toStdString() << " " << dx << "," << dy;
            for (size_t j = i + 1; j < besturingen.size(); ++j)
                EXPECT_FALSE(a.intersects(besturingen[j]->geometry()))
                    << besturingen[i]->objectName().toStdString() << " / "
                    << besturingen[j]->objectName().toStdString() << " at " << dx << "," << dy;
        }
    }
}

// The captions of a menu in order, "-" for a separator, "(verborgen)" after a hidden item.
QStringList Opschriften(const QMenu* menu)
{
    QStringList uit;
    for (const QAction* a : menu->actions()) {
        QString tekst = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (!a->isVisible()) tekst += QStringLiteral(" (verborgen)");
        uit << tekst;
    }
    return uit;
}

TEST(Venster, MenuboomMetOpschriftenEnSneltoetsen)
{
    FrmFtp venster;
    const VensterMenus& m = venster.menus();
    QStringList balk;
    for (const QAction* a : venster.menuBar()->actions())
        balk << a->text();
    EXPECT_EQ(balk, (QStringList{"&Bestand", "&Lokaal", "&Server", "&Programma's", "&Websites", "&Info"}));

    const struct
    {
        const QMenu* menu;
        QStringList opschriften;
    } menus[] = {
        {m.mnuBestand,
         {"Servergegevens...", "Servers importeren\u2026", "Tweede versie openen...", "Uploadbestand selecteren...",
          "Standaardformaat instellen", "Laatstelijke ophalen", "-", "Configuratiebestand",
          "Instellingen bij starten", "Standaardinstellingen", "-", "Afsluiten"}},
        {m.mnuLaatstelijke, {"Lokale map", "Servermap"}},
        {m.mnuConfiguratie,
         {".Bij starten openen", ".Bij afsluiten opslaan", "Openen", "Opslaan", "-", "Standaard"}},
        {m.mnuInstellingen,
         {".Knoppenbalk tonen", ".Lokaal openen", ".Server openen", ".Buiten venster downloaden",
          ".Venster standaardformaat", "Plusteken bij submappen", "-", "Standaard"}},
        {m.mnuPlusBijSubmappen, {".Lokaal", ".Server"}},
        {m.mnuLokaal, {"Map", "Bestand", "Vernieuwen\tF5 (verborgen)"}},
        {m.mnuMapLokaal,
         {"Sorteren", "Nieuw", "Verwijderen\tDelete", "Hernoemen\tF2", "Verversen\tF5",
          "Openen\tDubbelklikken", "Verkenner openen...", "Hoger\tBackspace", "-", "Uploaden", "-",
          ".Plusteken bij submappen"}},
        {m.mnuBestandLokaal,
         {"Sorteren", "Verwijderen\tDelete", "Kopiëren", "Kopiëren naar Klembord", "Hernoemen\tF2",
          "Verversen\tF5", "Openen\tDubbelklikken", "Lijst selecteren\tCtrl+A", "-", "Uploaden",
          "Laatste opnieuw uploaden", "-", "Uploadbestand"}},
        {m.mnuFtp,
         {"Map", "Bestand", "Vernieuwen\tF5 (verborgen)", "Verbindingen", "-", "Overdrachten",
          "Overdrachten op de achtergrond", "-", "Mappen vergelijken", "Alleen verschillen tonen",
          "Alleen grootte vergelijken", "Gesynchroniseerd bladeren", "Synchroniseren…", "-", "Verbinding verbreken"}},
        {m.mnuFtpVerbindingen, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {m.mnuMapFtp,
         {"Sorteren", "Nieuw", "Verwijderen\tDelete", "Hernoemen\tF2", "&Rechten…", "Verversen\tF5",
          "Openen\tDubbelklikken", "Hoger\tBackspace", "-", "Downloaden", "-", ".Buiten venster downloaden",
          ".Plusteken bij submappen"}},
        {m.mnuBestandFtp,
         {"Sorteren", "Verwijderen\tDelete", "Kopiëren", "Kopiëren naar Klembord", "Hernoemen\tF2",
          "&Rechten…", "Verversen\tF5", "Openen\tDubbelklikken", "Lijst selecteren\tCtrl+A", "-", "Downloaden",
          "Laatste opnieuw downloaden", "-", ".Buiten venster downloaden"}},
        {m.mnuProgrammas,
         {"E-mail...", "Kladblok...", "Paint...", "FileZilla... (verborgen)", "Pdf Reader...",
          "OpenOffice...", "Microsoft Office...", "-", "Vamox..."}},
        {m.mnuProgrammasMO, {"Access...", "Excel...", "Word..."}},
        {m.mnuInfo, {"Tips...", "Over.."}},
    };
    for (const auto& [menu, opschriften] : menus) {
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Opschriften(menu), opschriften) << menu->objectName().toStdString();
    }
}

// QObject keeps isSignalConnected to itself and its subclasses.
struct Handelingsoor : QAction
{
    using QObject::isSignalConnected;
};

TEST(Venster, ElkMenuitemDoetIetsOfIsUitgeschakeld)
{
    FrmFtp venster;
    const QMetaMethod gekozen = QMetaMethod::fromSignal(&QAction::triggered);
    const QMetaMethod omgezet = QMetaMethod::fromSignal(&QAction::toggled);
    QStringList dood;
    const std::function<void(const QMenu*)> doorlopen = [&](const QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            if (a->menu() != nullptr) {
                doorlopen(a->menu());
                continue;
            }
            const auto* oor = static_cast<const Handelingsoor*>(a);
            if (a->isEnabled() && !oor->isSignalConnected(gekozen) && !oor->isSignalConnected(omgezet))
                dood << menu->title() + u'/' + a->text();
        }
    };
    for (const QAction* a : venster.menuBar()->actions())
        doorlopen(a->menu());
    EXPECT_EQ(dood, QStringList{});
}

TEST(Venster, VinkjesEnBeginstand)
{
    FrmFtp venster;
    const VensterMenus& m = venster.menus();
    const std::pair<QAction*, bool> vinkjes[] = {{m.mnuConfiguratieOpenen, true},
                                                 {m.mnuConfiguratieOpslaan, true},
                                                 {m.mnuInstellingenKnoppenbalk, true},
                                                 {m.mnuInstellingenLokaal, true},
                                                 {m.mnuInstellingenServer, false},
                                                 {m.mnuInstellingenDownloaden, false},
                                                 {m.mnuInstellingenStandaardformaat, false},
                                                 {m.mnuPlusBijSubmappenLokaal, false},
                                                 {m.mnuPlusBijSubmappenFtp, false},
                                                 {m.mnuPlusLokaal, false},
                                                 {m.mnuPlusFtp, false},
                                                 {m.mnuMapFtpBuitenDownloaden, false},
                                                 {m.mnuBestandFtpBuitenDownloaden, false}};
    for (const auto& [item, aan] : vinkjes) {
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_TRUE(item->isCheckable());
        EXPECT_EQ(item->isChecked(), aan);
    }
    // Nothing to upload to and no server menu before a server is connected...
    EXPECT_FALSE(m.mnuFtp->menuAction()->isEnabled());
    EXPECT_FALSE(m.mnuMapLokaalUploaden->isEnabled());
    EXPECT_FALSE(m.mnuBestandLokaalUploaden->isEnabled());
    EXPECT_FALSE(m.mnuBestandLokaalOpnieuwUploaden->isEnabled());
    // ...but the server lists' pop-up menus are usable once the panes allow them.
    EXPECT_TRUE(m.mnuMapFtp->isEnabled());
    EXPECT_TRUE(m.mnuBestandFtpDownloaden->isEnabled());
}

TEST(Venster, MenuoptiesAanpassenGeeftLaterToegevoegdeItemsHunHintEenmaal)
{
    FrmFtp venster;
    // As an item added after the window was built has it.
    QAction* hernoemen = venster.menus().mnuBestandFtpHernoemen;
    hernoemen->setText(QStringLiteral("Hernoemen"));
    MenuoptiesAanpassen(venster);
    MenuoptiesAanpassen(venster);
    EXPECT_EQ(hernoemen->text(), QStringLiteral("Hernoemen\tF2"));
    EXPECT_EQ(venster.menus().mnuBestandFtpVerversen->text(), QStringLiteral("Verversen\tF5"));
}

TEST(Venster, LijstenDelenHetBeeldenlijstje)
{
    FrmFtp venster;
    const VensterUi& ui = venster.ui();
    ASSERT_NE(ui.ImageLijst16, nullptr);
    EXPECT_TRUE(ui.ImageLijst16->Bevat(QStringLiteral("mapomhoog")));
    ui.LijstFtp->lijstModel().RijToevoegen({QStringLiteral(" .."), 0, {}, QStringLiteral("mapomhoog")});
    const QIcon icoon = ui.LijstFtp->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(icoon.cacheKey(), ui.ImageLijst16->Icoon(QStringLiteral("mapomhoog")).cacheKey());
}

} // namespace
} // namespace Vamox::Test
