#include "mainwindow/Opbouw.h"

#include "platform/AppInfo.h"
#include "config/Configuratie.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace Vamox {

namespace {

QMenu* Menu(QWidget* ouder, const char* naam, const QString& tekst)
{
    auto* menu = new QMenu(tekst, ouder);
    menu->setObjectName(QLatin1String(naam));
    if (auto* balk = qobject_cast<QMenuBar*>(ouder))
        balk->addMenu(menu);
    else if (auto* boven = qobject_cast<QMenu*>(ouder))
        boven->addMenu(menu);
    return menu;
}

QAction* Item(QMenu* menu, QAnyStringView naam, const QString& tekst)
{
    auto* item = new QAction(tekst, menu);
    item->setObjectName(naam.toString());
    menu->addAction(item);
    return item;
}

// A check item; its caption keeps the leading "." that marks it.
QAction* Vinkje(QMenu* menu, QAnyStringView naam, const QString& tekst, bool aan)
{
    QAction* item = Item(menu, naam, tekst);
    item->setCheckable(true);
    item->setChecked(aan);
    return item;
}

void BestandMenu(QMenuBar* balk, VensterMenus& m)
{
    m.mnuBestand = Menu(balk, "mnuBestand", QStringLiteral("&Bestand"));
    m.mnuServergegevens = Item(m.mnuBestand, "mnuServergegevens", QStringLiteral("Servergegevens..."));
    m.mnuServersImporteren =
        Item(m.mnuBestand, "mnuServersImporteren", QStringLiteral("Servers importeren\u2026"));
    m.mnuTweedeVersie = Item(m.mnuBestand, "mnuTweedeVersie", QStringLiteral("Tweede versie openen..."));
    m.mnuUploadbestand =
        Item(m.mnuBestand, "mnuUploadbestand", QStringLiteral("Uploadbestand selecteren..."));
    m.mnuStandaardformaat =
        Item(m.mnuBestand, "mnuStandaardformaat", QStringLiteral("Standaardformaat instellen"));
    m.mnuLaatstelijke = Menu(m.mnuBestand, "mnuLaatstelijke", QStringLiteral("Laatstelijke ophalen"));
    m.mnuLaatstelijkeMap = Item(m.mnuLaatstelijke, "mnuLaatstelijkeMap", QStringLiteral("Lokale map"));
    m.mnuLaatstelijkeServer = Item(m.mnuLaatstelijke, "mnuLaatstelijkeServer", QStringLiteral("Servermap"));
    m.mnuBestand->addSeparator();

    m.mnuConfiguratie = Menu(m.mnuBestand, "mnuConfiguratie", QStringLiteral("Configuratiebestand"));
    m.mnuConfiguratieOpenen =
        Vinkje(m.mnuConfiguratie, "mnuConfiguratieOpenen", QStringLiteral(".Bij starten openen"), true);
    m.mnuConfiguratieOpslaan =
        Vinkje(m.mnuConfiguratie, "mnuConfiguratieOpslaan", QStringLiteral(".Bij afsluiten opslaan"), true);
    m.mnuConfuguratieConfiguratieOpenen =
        Item(m.mnuConfiguratie, "mnuConfuguratieConfiguratieOpenen", QStringLiteral("Openen"));
    m.mnuConfuguratieConfiguratieOpslaan =
        Item(m.mnuConfiguratie, "mnuConfuguratieConfiguratieOpslaan", QStringLiteral("Opslaan"));
    m.mnuConfiguratie->addSeparator();
    m.mnuStandaardConfiguratie =
        Item(m.mnuConfiguratie, "mnuStandaardConfiguratie", QStringLiteral("Standaard"));

    m.mnuInstellingen = Menu(m.mnuBestand, "mnuInstellingen", QStringLiteral("Instellingen bij starten"));
    m.mnuInstellingenKnoppenbalk =
        Vinkje(m.mnuInstellingen, "mnuInstellingenKnoppenbalk", QStringLiteral(".Knoppenbalk tonen"), true);
    m.mnuInstellingenLokaal =
        Vinkje(m.mnuInstellingen, "mnuInstellingenLokaal", QStringLiteral(".Lokaal openen"), true);
    m.mnuInstellingenServer =
        Vinkje(m.mnuInstellingen, "mnuInstellingenServer", QStringLiteral(".Server openen"), false);
    m.mnuInstellingenDownloaden = Vinkje(m.mnuInstellingen, "mnuInstellingenDownloaden",
                                         QStringLiteral(".Buiten venster downloaden"), false);
    m.mnuInstellingenStandaardformaat = Vinkje(m.mnuInstellingen, "mnuInstellingenStandaardformaat",
                                               QStringLiteral(".Venster standaardformaat"), false);
    m.mnuPlusBijSubmappen =
        Menu(m.mnuInstellingen, "mnuPlusBijSubmappen", QStringLiteral("Plusteken bij submappen"));
    m.mnuPlusBijSubmappenLokaal =
        Vinkje(m.mnuPlusBijSubmappen, "mnuPlusBijSubmappenLokaal", QStringLiteral(".Lokaal"), false);
    m.mnuPlusBijSubmappenFtp =
        Vinkje(m.mnuPlusBijSubmappen, "mnuPlusBijSubmappenFtp", QStringLiteral(".Server"), false);
    m.mnuInstellingen->addSeparator();
    m.mnuStandaardBijStarten = Item(m.mnuInstellingen, "mnuStandaardBijStarten", QStringLiteral("Standaard"));

    m.mnuStandaardinstellingen =
        Item(m.mnuBestand, "mnuStandaardinstellingen", QStringLiteral("Standaardinstellingen"));
    m.mnuBestand->addSeparator();
    m.mnuAfsluiten = Item(m.mnuBestand, "mnuAfsluiten", QStringLiteral("Afsluiten"));
}

void LokaalMenu(QMenuBar* balk, VensterMenus& m)
{
    m.mnuLokaal = Menu(balk, "mnuLokaal", QStringLiteral("&Lokaal"));

    m.mnuMapLokaal = Menu(m.mnuLokaal, "mnuMapLokaal", QStringLiteral("Map"));
    m.mnuMapLokaalSorteren = Item(m.mnuMapLokaal, "mnuMapLokaalSorteren", QStringLiteral("Sorteren"));
    m.mnuMapLokaalNieuw = Item(m.mnuMapLokaal, "mnuMapLokaalNieuw", QStringLiteral("Nieuw"));
    m.mnuMapLokaalVerwijderen =
        Item(m.mnuMapLokaal, "mnuMapLokaalVerwijderen", QStringLiteral("Verwijderen"));
    m.mnuMapLokaalHernoemen = Item(m.mnuMapLokaal, "mnuMapLokaalHernoemen", QStringLiteral("Hernoemen"));
    m.mnuMapLokaalVerversen = Item(m.mnuMapLokaal, "mnuMapLokaalVerversen", QStringLiteral("Verversen"));
    m.mnuMapLokaalOpenen = Item(m.mnuMapLokaal, "mnuMapLokaalOpenen", QStringLiteral("Openen"));
    m.mnuVerkennerOpenen = Item(m.mnuMapLokaal, "mnuVerkennerOpenen", QStringLiteral("Verkenner openen..."));
    m.mnuMapLokaalHoger = Item(m.mnuMapLokaal, "mnuMapLokaalHoger", QStringLiteral("Hoger"));
    m.mnuMapLokaal->addSeparator();
    m.mnuMapLokaalUploaden = Item(m.mnuMapLokaal, "mnuMapLokaalUploaden", QStringLiteral("Uploaden"));
    m.mnuMapLokaal->addSeparator();
    m.mnuPlusLokaal =
        Vinkje(m.mnuMapLokaal, "mnuPlusLokaal", QStringLiteral(".Plusteken bij submappen"), false);

    m.mnuBestandLokaal = Menu(m.mnuLokaal, "mnuBestandLokaal", QStringLiteral("Bestand"));
    m.mnuBestandLokaalSorteren =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalSorteren", QStringLiteral("Sorteren"));
    m.mnuBestandLokaalVerwijderen =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalVerwijderen", QStringLiteral("Verwijderen"));
    m.mnuBestandLokaalKopieren =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalKopieren", QStringLiteral("Kopiëren"));
    m.mnuBestandLokaalKopierenNaarKlembord = Item(m.mnuBestandLokaal, "mnuBestandLokaalKopierenNaarKlembord",
                                                  QStringLiteral("Kopiëren naar Klembord"));
    m.mnuBestandLokaalHernoemen =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalHernoemen", QStringLiteral("Hernoemen"));
    m.mnuBestandLokaalVerversen =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalVerversen", QStringLiteral("Verversen"));
    m.mnuBestandLokaalOpenen = Item(m.mnuBestandLokaal, "mnuBestandLokaalOpenen", QStringLiteral("Openen"));
    m.mnuBestandLokaalLijstSelecteren =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalLijstSelecteren", QStringLiteral("Lijst selecteren"));
    m.mnuBestandLokaal->addSeparator();
    m.mnuBestandLokaalUploaden =
        Item(m.mnuBestandLokaal, "mnuBestandLokaalUploaden", QStringLiteral("Uploaden"));
    m.mnuBestandLokaalOpnieuwUploaden = Item(m.mnuBestandLokaal, "mnuBestandLokaalOpnieuwUploaden",
                                             QStringLiteral("Laatste opnieuw uploaden"));
    m.mnuBestandLokaal->addSeparator();
    m.mnuBestandUploadbestand =
        Menu(m.mnuBestandLokaal, "mnuBestandUploadbestand", QStringLiteral("Uploadbestand"));
    m.mnuBestandUploadbestandUploaden =
        Item(m.mnuBestandUploadbestand, "mnuBestandUploadbestandUploaden", QStringLiteral("Uploaden"));
    m.mnuBestandUploadbestandUploaden->setEnabled(false);
    m.mnuBestandUploadbestandSelecteren =
        Item(m.mnuBestandUploadbestand, "mnuBestandUploadbestandSelecteren", QStringLiteral("Selecteren"));

    m.mnuVernieuwenLokaal = Item(m.mnuLokaal, "mnuVernieuwenLokaal", QStringLiteral("Vernieuwen"));
    m.mnuVernieuwenLokaal->setVisible(false);

    // Nothing can be uploaded before a server is connected.
    m.mnuMapLokaalUploaden->setEnabled(false);
    m.mnuBestandLokaalUploaden->setEnabled(false);
    m.mnuBestandLokaalOpnieuwUploaden->setEnabled(false);
}

void ServerMenu(QMenuBar* balk, VensterMenus& m)
{
    m.mnuFtp = Menu(balk, "mnuFtp", QStringLiteral("&Server"));

    m.mnuMapFtp = Menu(m.mnuFtp, "mnuMapFtp", QStringLiteral("Map"));
    m.mnuMapFtpSorteren = Item(m.mnuMapFtp, "mnuMapFtpSorteren", QStringLiteral("Sorteren"));
    m.mnuMapFtpNieuw = Item(m.mnuMapFtp, "mnuMapFtpNieuw", QStringLiteral("Nieuw"));
    m.mnuMapFtpVerwijderen = Item(m.mnuMapFtp, "mnuMapFtpVerwijderen", QStringLiteral("Verwijderen"));
    m.mnuMapFtpHernoemen = Item(m.mnuMapFtp, "mnuMapFtpHernoemen", QStringLiteral("Hernoemen"));
    m.mnuMapFtpRechten = Item(m.mnuMapFtp, "mnuMapFtpRechten", QStringLiteral("&Rechten\u2026"));
    m.mnuMapFtpVerversen = Item(m.mnuMapFtp, "mnuMapFtpVerversen", QStringLiteral("Verversen"));
    m.mnuMapFtpOpenen = Item(m.mnuMapFtp, "mnuMapFtpOpenen", QStringLiteral("Openen"));
    m.mnuMapFtpHoger = Item(m.mnuMapFtp, "mnuMapFtpHoger", QStringLiteral("Hoger"));
    m.mnuMapFtp->addSeparator();
    m.mnuMapFtpDownloaden = Item(m.mnuMapFtp, "mnuMapFtpDownloaden", QStringLiteral("Downloaden"));
    m.mnuMapFtp->addSeparator();
    m.mnuMapFtpBuitenDownloaden =
        Vinkje(m.mnuMapFtp, "mnuMapFtpBuitenDownloaden", QStringLiteral(".Buiten venster downloaden"), false);
    m.mnuPlusFtp = Vinkje(m.mnuMapFtp, "mnuPlusFtp", QStringLiteral(".Plusteken bij submappen"), false);

    m.mnuBestandFtp = Menu(m.mnuFtp, "mnuBestandFtp", QStringLiteral("Bestand"));
    m.mnuBestandFtpSorteren = Item(m.mnuBestandFtp, "mnuBestandFtpSorteren", QStringLiteral("Sorteren"));
    m.mnuBestandFtpVerwijderen =
        Item(m.mnuBestandFtp, "mnuBestandFtpVerwijderen", QStringLiteral("Verwijderen"));
    m.mnuBestandFtpKopieren = Item(m.mnuBestandFtp, "mnuBestandFtpKopieren", QStringLiteral("Kopiëren"));
    m.mnuBestandFtpKopierenNaarKlembord =
        Item(m.mnuBestandFtp, "mnuBestandFtpKopierenNaarKlembord", QStringLiteral("Kopiëren naar Klembord"));
    m.mnuBestandFtpHernoemen = Item(m.mnuBestandFtp, "mnuBestandFtpHernoemen", QStringLiteral("Hernoemen"));
    m.mnuBestandFtpRechten = Item(m.mnuBestandFtp, "mnuBestandFtpRechten", QStringLiteral("&Rechten\u2026"));
    m.mnuBestandFtpVerversen = Item(m.mnuBestandFtp, "mnuBestandFtpVerversen", QStringLiteral("Verversen"));
    m.mnuBestandFtpOpenen = Item(m.mnuBestandFtp, "mnuBestandFtpOpenen", QStringLiteral("Openen"));
    m.mnuBestandFtpLijstSelecteren =
        Item(m.mnuBestandFtp, "mnuBestandFtpLijstSelecteren", QStringLiteral("Lijst selecteren"));
    m.mnuBestandFtp->addSeparator();
    m.mnuBestandFtpDownloaden =
        Item(m.mnuBestandFtp, "mnuBestandFtpDownloaden", QStringLiteral("Downloaden"));
    m.mnuBestandFtpOpnieuwDownloaden =
        Item(m.mnuBestandFtp, "mnuBestandFtpOpnieuwDownloaden", QStringLiteral("Laatste opnieuw downloaden"));
    m.mnuBestandFtp->addSeparator();
    m.mnuBestandFtpBuitenDownloaden = Vinkje(m.mnuBestandFtp, "mnuBestandFtpBuitenDownloaden",
                                             QStringLiteral(".Buiten venster downloaden"), false);

    m.mnuVernieuwenFtp = Item(m.mnuFtp, "mnuVernieuwenFtp", QStringLiteral("Vernieuwen"));
    m.mnuVernieuwenFtp->setVisible(false);
    // How many connections a folder transfer moves its files over; one is always chosen.
    m.mnuFtpVerbindingen = Menu(m.mnuFtp, "mnuFtpVerbindingen", QStringLiteral("Verbindingen"));
    auto* aantallen = new QActionGroup(m.mnuFtpVerbindingen);
    for (int n = 1; n <= MaximumVerbindingen; ++n) {
        QAction* item = Vinkje(m.mnuFtpVerbindingen, QByteArray("mnuFtpVerbindingen" + QByteArray::number(n)),
                               QString::number(n), n == StandaardVerbindingen);
        item->setData(n);
        aantallen->addAction(item);
    }
    m.mnuFtp->addSeparator();
    m.mnuOverdrachten = Vinkje(m.mnuFtp, "mnuOverdrachten", QStringLiteral("Overdrachten"), false);
    m.mnuOverdrachtenAchtergrond =
        Vinkje(m.mnuFtp, "mnuOverdrachtenAchtergrond", QStringLiteral("Overdrachten op de achtergrond"), false);
    m.mnuFtp->addSeparator();
    // The keys other clients give these, for those who come from them.
    m.mnuMappenVergelijken =
        Vinkje(m.mnuFtp, "mnuMappenVergelijken", QStringLiteral("Mappen vergelijken"), false);
    m.mnuMappenVergelijken->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m.mnuAlleenVerschillen =
        Vinkje(m.mnuFtp, "mnuAlleenVerschillen", QStringLiteral("Alleen verschillen tonen"), false);
    m.mnuAlleenGrootte =
        Vinkje(m.mnuFtp, "mnuAlleenGrootte", QStringLiteral("Alleen grootte vergelijken"), false);
    m.mnuGesynchroniseerdBladeren =
        Vinkje(m.mnuFtp, "mnuGesynchroniseerdBladeren", QStringLiteral("Gesynchroniseerd bladeren"), false);
    m.mnuGesynchroniseerdBladeren->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    m.mnuSynchroniseren = Item(m.mnuFtp, "mnuSynchroniseren", QStringLiteral("Synchroniseren…"));
    m.mnuFtp->addSeparator();
    m.mnuVerbrekenFtp = Item(m.mnuFtp, "mnuVerbrekenFtp", QStringLiteral("Verbinding verbreken"));

    // Until a server is connected; the sub-menus keep working as pop-ups.
    m.mnuFtp->menuAction()->setEnabled(false);
    for (QAction* item :
         {m.mnuMappenVergelijken, m.mnuAlleenVerschillen, m.mnuAlleenGrootte, m.mnuGesynchroniseerdBladeren,
          m.mnuSynchroniseren})
        item->setEnabled(false);
}

void ProgrammasMenu(QMenuBar* balk, VensterMenus& m)
{
    m.mnuProgrammas = Menu(balk, "mnuProgrammas", QStringLiteral("&Programma's"));
    QMenu* p = m.mnuProgrammas;
    m.mnuProgrammasEmail = Item(p, "mnuProgrammasEmail", QStringLiteral("E-mail..."));
    m.mnuProgrammasKladblok = Item(p, "mnuProgrammasKladblok", QStringLiteral("Kladblok..."));
    m.mnuProgrammasPaint = Item(p, "mnuProgrammasPaint", QStringLiteral("Paint..."));
    m.mnuProgrammasFileZilla = Item(p, "mnuProgrammasFileZilla", QStringLiteral("FileZilla..."));
    m.mnuProgrammasFileZilla->setVisible(false);
    m.mnuPdfReader = Item(p, "mnuPdfReader", QStringLiteral("Pdf Reader..."));
    m.mnuProgrammasOpenOffice = Item(p, "mnuProgrammasOpenOffice", QStringLiteral("OpenOffice..."));
    m.mnuProgrammasMO = Menu(p, "mnuProgrammasMO", QStringLiteral("Microsoft Office..."));
    m.mnuProgrammasMOAccess = Item(m.mnuProgrammasMO, "mnuProgrammasMOAccess", QStringLiteral("Access..."));
    m.mnuProgrammasMOExcel = Item(m.mnuProgrammasMO, "mnuProgrammasMOExcel", QStringLiteral("Excel..."));
    m.mnuProgrammasMOWord = Item(m.mnuProgrammasMO, "mnuProgrammasMOWord", QStringLiteral("Word..."));
    p->addSeparator();
    m.mnuProgrammasVamox = Item(p, "mnuProgrammasVamox", AppTitel() + QStringLiteral("..."));
}

QAction* Website(QMenu* menu, const char* naam, const QString& tekst, const QString& adres)
{
    QAction* item = Item(menu, naam, tekst);
    item->setData(adres);
    return item;
}

void WebsitesEnInfoMenus(QMenuBar* balk, VensterMenus& m)
{
    m.mnuWebsites = Menu(balk, "mnuWebsites", QStringLiteral("&Websites"));
    m.mnuWebsitesFtp = Website(m.mnuWebsites, "mnuWebsitesFtp", QStringLiteral("FTP (Wikipedia)..."),
                               QStringLiteral("https://nl.wikipedia.org/wiki/File_Transfer_Protocol"));
    m.mnuWebsitesRfc959 =
        Website(m.mnuWebsites, "mnuWebsitesRfc959", QStringLiteral("FTP-standaard (RFC 959)..."),
                QStringLiteral("https://www.rfc-editor.org/rfc/rfc959"));
    m.mnuWebsitesRfc4217 =
        Website(m.mnuWebsites, "mnuWebsitesRfc4217", QStringLiteral("FTP over TLS (RFC 4217)..."),
                QStringLiteral("https://www.rfc-editor.org/rfc/rfc4217"));

    m.mnuInfo = Menu(balk, "mnuInfo", QStringLiteral("&Info"));
    m.mnuInfoTips = Item(m.mnuInfo, "mnuInfoTips", QStringLiteral("Tips..."));
    m.mnuInfoOver = Item(m.mnuInfo, "mnuInfoOver", QStringLiteral("Over.."));
}

} // namespace

VensterMenus MenusMaken(QMainWindow& venster)
{
    VensterMenus menus;
    QMenuBar* balk = venster.menuBar();
    balk->setObjectName(QStringLiteral("menubalk"));
    BestandMenu(balk, menus);
    LokaalMenu(balk, menus);
    ServerMenu(balk, menus);
    ProgrammasMenu(balk, menus);
    WebsitesEnInfoMenus(balk, menus);
    return menus;
}

void MenuoptiesAanpassen(QWidget& venster)
{
    static const std::pair<const char*, const char*> hints[] = {
        {"mnuMapLokaalVerwijderen", "Delete"},
        {"mnuBestandLokaalVerwijderen", "Delete"},
        {"mnuMapFtpVerwijderen", "Delete"},
        {"mnuBestandFtpVerwijderen", "Delete"},
        {"mnuMapLokaalHernoemen", "F2"},
        {"mnuBestandLokaalHernoemen", "F2"},
        {"mnuMapFtpHernoemen", "F2"},
        {"mnuBestandFtpHernoemen", "F2"},
        {"mnuMapLokaalOpenen", "Dubbelklikken"},
        {"mnuBestandLokaalOpenen", "Dubbelklikken"},
        {"mnuMapFtpOpenen", "Dubbelklikken"},
        {"mnuBestandFtpOpenen", "Dubbelklikken"},
        {"mnuMapLokaalHoger", "Backspace"},
        {"mnuMapFtpHoger", "Backspace"},
        {"mnuBestandLokaalLijstSelecteren", "Ctrl+A"},
        {"mnuBestandFtpLijstSelecteren", "Ctrl+A"},
        {"mnuVernieuwenLokaal", "F5"},
        {"mnuMapLokaalVerversen", "F5"},
        {"mnuBestandLokaalVerversen", "F5"},
        {"mnuVernieuwenFtp", "F5"},
        {"mnuMapFtpVerversen", "F5"},
        {"mnuBestandFtpVerversen", "F5"},
    };
    for (const auto& [naam, hint] : hints) {
        QAction* item = venster.findChild<QAction*>(QLatin1String(naam));
        if (item == nullptr || item->text().contains(u'\t')) continue;
        item->setText(item->text() + u'\t' + QLatin1String(hint));
    }
}

void VerbindingsmenusZetten(VensterMenus& menus, bool aan)
{
    menus.mnuFtp->menuAction()->setEnabled(aan);
    // Their keys work outside the menu too; switched off, they end what they do.
    menus.mnuMappenVergelijken->setEnabled(aan);
    menus.mnuGesynchroniseerdBladeren->setEnabled(aan);
    menus.mnuSynchroniseren->setEnabled(aan);
    menus.mnuMapLokaalUploaden->setEnabled(aan);
    menus.mnuBestandLokaalUploaden->setEnabled(aan);
    menus.mnuBestandLokaalOpnieuwUploaden->setEnabled(aan);
}

} // namespace Vamox
