#pragma once

class QAction;
class QMenu;

namespace Vamox {

// The menu bar of the main window. Object names equal the member names. The four Map/Bestand
// menus of the sides are also the pop-up menus of the four lists. `mnuFtp` is switched on and
// off through mnuFtp->menuAction(), so that its menus still work as pop-ups. Check items toggle
// themselves when chosen; a handler that refuses the change sets the mark back. Later items go
// in at their place with QMenu::insertAction(before, ...).
struct VensterMenus
{
    // "&Bestand"
    QMenu* mnuBestand = nullptr;
    QAction* mnuServergegevens = nullptr;
    QAction* mnuServersImporteren = nullptr; // from FileZilla, WinSCP or ~/.ssh/config
    QAction* mnuTweedeVersie = nullptr;
    QAction* mnuUploadbestand = nullptr;
    QAction* mnuStandaardformaat = nullptr;
    QMenu* mnuLaatstelijke = nullptr;
    QAction* mnuLaatstelijkeMap = nullptr;
    QAction* mnuLaatstelijkeServer = nullptr;
    QMenu* mnuConfiguratie = nullptr;
    QAction* mnuConfiguratieOpenen = nullptr;
    QAction* mnuConfiguratieOpslaan = nullptr;
    QAction* mnuConfuguratieConfiguratieOpenen = nullptr;
    QAction* mnuConfuguratieConfiguratieOpslaan = nullptr;
    QAction* mnuStandaardConfiguratie = nullptr;
    QMenu* mnuInstellingen = nullptr;
    QAction* mnuInstellingenKnoppenbalk = nullptr;
    QAction* mnuInstellingenLokaal = nullptr;
    QAction* mnuInstellingenServer = nullptr;
    QAction* mnuInstellingenDownloaden = nullptr;
    QAction* mnuInstellingenStandaardformaat = nullptr;
    QMenu* mnuPlusBijSubmappen = nullptr;
    QAction* mnuPlusBijSubmappenLokaal = nullptr;
    QAction* mnuPlusBijSubmappenFtp = nullptr;
    QAction* mnuStandaardBijStarten = nullptr;
    QAction* mnuStandaardinstellingen = nullptr;
    QAction* mnuAfsluiten = nullptr;

    // "&Lokaal"
    QMenu* mnuLokaal = nullptr;
    QMenu* mnuMapLokaal = nullptr;
    QAction* mnuMapLokaalSorteren = nullptr;
    QAction* mnuMapLokaalNieuw = nullptr;
    QAction* mnuMapLokaalVerwijderen = nullptr;
    QAction* mnuMapLokaalHernoemen = nullptr;
    QAction* mnuMapLokaalVerversen = nullptr;
    QAction* mnuMapLokaalOpenen = nullptr;
    QAction* mnuVerkennerOpenen = nullptr;
    QAction* mnuMapLokaalHoger = nullptr;
    QAction* mnuMapLokaalUploaden = nullptr;
    QAction* mnuPlusLokaal = nullptr;
    QMenu* mnuBestandLokaal = nullptr;
    QAction* mnuBestandLokaalSorteren = nullptr;
    QAction* mnuBestandLokaalVerwijderen = nullptr;
    QAction* mnuBestandLokaalKopieren = nullptr;
    QAction* mnuBestandLokaalKopierenNaarKlembord = nullptr;
    QAction* mnuBestandLokaalHernoemen = nullptr;
    QAction* mnuBestandLokaalVerversen = nullptr;
    QAction* mnuBestandLokaalOpenen = nullptr;
    QAction* mnuBestandLokaalLijstSelecteren = nullptr;
    QAction* mnuBestandLokaalUploaden = nullptr;
    QAction* mnuBestandLokaalOpnieuwUploaden = nullptr;
    QMenu* mnuBestandUploadbestand = nullptr;
    QAction* mnuBestandUploadbestandUploaden = nullptr;
    QAction* mnuBestandUploadbestandSelecteren = nullptr;
    QAction* mnuVernieuwenLokaal = nullptr; // hidden

    // "&Server"
    QMenu* mnuFtp = nullptr;
    QMenu* mnuMapFtp = nullptr;
    QAction* mnuMapFtpSorteren = nullptr;
    QAction* mnuMapFtpNieuw = nullptr;
    QAction* mnuMapFtpVerwijderen = nullptr;
    QAction* mnuMapFtpHernoemen = nullptr;
    QAction* mnuMapFtpRechten = nullptr;
    QAction* mnuMapFtpVerversen = nullptr;
    QAction* mnuMapFtpOpenen = nullptr;
    QAction* mnuMapFtpHoger = nullptr;
    QAction* mnuMapFtpDownloaden = nullptr;
    QAction* mnuMapFtpBuitenDownloaden = nullptr;
    QAction* mnuPlusFtp = nullptr;
    QMenu* mnuBestandFtp = nullptr;
    QAction* mnuBestandFtpSorteren = nullptr;
    QAction* mnuBestandFtpVerwijderen = nullptr;
    QAction* mnuBestandFtpKopieren = nullptr;
    QAction* mnuBestandFtpKopierenNaarKlembord = nullptr;
    QAction* mnuBestandFtpHernoemen = nullptr;
    QAction* mnuBestandFtpRechten = nullptr;
    QAction* mnuBestandFtpVerversen = nullptr;
    QAction* mnuBestandFtpOpenen = nullptr;
    QAction* mnuBestandFtpLijstSelecteren = nullptr;
    QAction* mnuBestandFtpDownloaden = nullptr;
    QAction* mnuBestandFtpOpnieuwDownloaden = nullptr;
    QAction* mnuBestandFtpBuitenDownloaden = nullptr;
    QAction* mnuVernieuwenFtp = nullptr; // hidden
    QMenu* mnuFtpVerbindingen = nullptr; // radio items "1".."8", the number in their data
    QAction* mnuOverdrachten = nullptr;           // shows the transfer list (checked while it shows)
    QAction* mnuOverdrachtenAchtergrond = nullptr; // the panes stay usable while files move
    QAction* mnuMappenVergelijken = nullptr;       // every row marked by how it stands on the other side
    QAction* mnuAlleenVerschillen = nullptr;       // the file lists leave out what is the same
    QAction* mnuAlleenGrootte = nullptr;           // compared by size alone, not by time
    QAction* mnuGesynchroniseerdBladeren = nullptr; // the two current folders move together
    QAction* mnuSynchroniseren = nullptr;           // the window that synchronises the two current folders
    QAction* mnuVerbrekenFtp = nullptr;

    // "&Programma's"
    QMenu* mnuProgrammas = nullptr;
    QAction* mnuProgrammasEmail = nullptr;
    QAction* mnuProgrammasKladblok = nullptr;
    QAction* mnuProgrammasPaint = nullptr;
    QAction* mnuProgrammasFileZilla = nullptr; // hidden unless the program is there
    QAction* mnuPdfReader = nullptr;
    QAction* mnuProgrammasOpenOffice = nullptr;
    QMenu* mnuProgrammasMO = nullptr;
    QAction* mnuProgrammasMOAccess = nullptr;
    QAction* mnuProgrammasMOExcel = nullptr;
    QAction* mnuProgrammasMOWord = nullptr;
    QAction* mnuProgrammasVamox = nullptr; // a second copy of the program

    // "&Websites": each item opens the address in its data.
    QMenu* mnuWebsites = nullptr;
    QAction* mnuWebsitesFtp = nullptr;
    QAction* mnuWebsitesRfc959 = nullptr;
    QAction* mnuWebsitesRfc4217 = nullptr;

    // "&Info"
    QMenu* mnuInfo = nullptr;
    QAction* mnuInfoTips = nullptr;
    QAction* mnuInfoOver = nullptr;
};

} // namespace Vamox
