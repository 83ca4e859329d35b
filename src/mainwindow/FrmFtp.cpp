#include "mainwindow/FrmFtp.h"

#include "clipboard/gui/Klembord.h"
#include "clipboard/gui/Neerzetten.h"
#include "clipboard/gui/Slepen.h"
#include "platform/AppInfo.h"
#include "config/Importeren.h"
#include "config/gui/FrmImporteren.h"
#include "config/ServerRecord.h"
#include "config/gui/FrmServergegevens.h"
#include "dialogs/Bestandskeuze.h"
#include "dialogs/Msg.h"
#include "dialogs/Twips.h"
#include "fileops/gui/Hernoeming.h"
#include "fileops/gui/Rechtenwijziging.h"
#include "fileops/gui/Opening.h"
#include "fileops/gui/Programmamenu.h"
#include "fileops/gui/Verwijdering.h"
#include "mainwindow/ConfiguratieVenster.h"
#include "mainwindow/Indeling.h"
#include "mainwindow/Infomenu.h"
#include "mainwindow/Opbouw.h"
#include "mainwindow/Opstarten.h"
#include "mainwindow/Tipteksten.h"
#include "mainwindow/Toetsenbediening.h"
#include "mainwindow/Verbinding.h"
#include "panes/gui/ImageLijst16.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "panes/gui/Sorteren.h"
#include "platform/gui/Browser.h"
#include "search/gui/Zoekopdracht.h"
#include "transfer/gui/Bestandkopie.h"
#include "transfer/gui/Bestandsoverdracht.h"
#include "transfer/gui/Herhaling.h"
#include "transfer/gui/Mapoverdracht.h"
#include "transfer/gui/Overdrachtenvenster.h"
#include "transfer/gui/Verversing.h"
#include "transfer/gui/Voortgangsweergave.h"
#include "vergelijken/gui/Mappenvergelijking.h"
#include "vergelijken/Synchronisatieuitvoering.h"
#include "vergelijken/gui/Synchronisatievenster.h"
#include "vergelijken/gui/Synchroonbladeren.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

namespace Vamox {

FrmFtp::FrmFtp(QWidget* parent) : QMainWindow(parent), m_imageLijst16(std::make_unique<ImageLijst16>())
{
    // Resizes do nothing until the controls and their columns exist.
    m_toestand.Laden = true;
    setObjectName(QStringLiteral("frmFtp"));
    setWindowTitle(AppTitel());

    m_ui = BesturingMaken(*this, *m_imageLijst16);
    m_menus = MenusMaken(*this);

    // The design size is the client area below the menu bar; the window starts that big.
    m_toestand.Vensterbreedte = OntwerpBreedte;
    m_toestand.Vensterhoogte = OntwerpHoogte;
    m_indeling = std::make_unique<Indeling>(*this);
    OntwerpPlaatsen(m_ui, *m_indeling);
    // The status bar holds the progress of a transfer and is there only while one runs (the
    // progress display shows and hides it); the window's size starts without it.
    statusBar()->setSizeGripEnabled(false);
    statusBar()->hide();
    const QSize client = TwipsSchaal::Van(this).NaarPixels(QSize(OntwerpBreedte, OntwerpHoogte));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());

    LijstKoppenInstellen(*m_ui.LijstLokaal, false);
    LijstKoppenInstellen(*m_ui.LijstFtp, false);
    LijstBKoppenInstellen(*m_ui.LijstBLokaal, false);
    LijstBKoppenInstellen(*m_ui.LijstBFtp, false);
    RechtenKolomMenu(*m_ui.LijstBFtp);
    m_toestand.Laden = false;

    MenuoptiesAanpassen(*this);
    SubsystemenMaken();
    Tipteksten(*this);
}

void FrmFtp::Starten()
{
    m_opstarten->Starten();
}

FrmFtp::~FrmFtp()
{
    // Closing a shown window hides its lists, which then ask for header pictures; the image list
    // is a member and goes before the widgets, so they are hidden while it still exists.
    hide();
}

void FrmFtp::SubsystemenMaken()
{
    VensterUi& u = m_ui;
    VensterMenus& m = m_menus;
    connect(m.mnuStandaardformaat, &QAction::triggered, m_indeling.get(),
            &Indeling::mnuStandaardformaat_Click);

    const PaneelUi lokaalUi{u.LabelLokaal,      u.MapLokaal,         u.LijstLokaal, u.LijstBLokaal,
                            u.cboPatroonLokaal, u.knopPatroonLokaal, u.ImageLijst16};
    const PaneelMenus lokaalMenus{m.mnuMapLokaal,
                                  m.mnuBestandLokaal,
                                  m.mnuPlusLokaal,
                                  m.mnuPlusBijSubmappenLokaal,
                                  m.mnuMapLokaalSorteren,
                                  m.mnuBestandLokaalSorteren,
                                  m.mnuMapLokaalVerversen,
                                  m.mnuBestandLokaalVerversen,
                                  m.mnuMapLokaalOpenen,
                                  m.mnuMapLokaalHoger,
                                  m.mnuBestandLokaalLijstSelecteren};
    m_lokaalPaneel = std::make_unique<LokaalPaneel>(m_lokaleBron, lokaalUi, lokaalMenus, *u.SchijfLokaal,
                                                    *m.mnuVerkennerOpenen, *m.mnuVernieuwenLokaal,
                                                    m_toestand.VullenToegestaan, m_toestand.InvoerToegestaan);

    const PaneelUi ftpUi{u.LabelFtp,      u.MapFtp,         u.LijstFtp,    u.LijstBFtp,
                         u.cboPatroonFtp, u.knopPatroonFtp, u.ImageLijst16};
    const PaneelMenus ftpMenus{m.mnuMapFtp,
                               m.mnuBestandFtp,
                               m.mnuPlusFtp,
                               m.mnuPlusBijSubmappenFtp,
                               m.mnuMapFtpSorteren,
                               m.mnuBestandFtpSorteren,
                               m.mnuMapFtpVerversen,
                               m.mnuBestandFtpVerversen,
                               m.mnuMapFtpOpenen,
                               m.mnuMapFtpHoger,
                               m.mnuBestandFtpLijstSelecteren};
    m_serverPaneel = std::make_unique<ServerPaneel>(m_ftpBron, ftpUi, ftpMenus, *u.cboVerbindingenFtp,
                                                    m_toestand.VullenToegestaan);

    m_sorteren = std::make_unique<Sorteren>(*m_lokaalPaneel, *m_serverPaneel);
    m_navigatie = std::make_unique<Navigatie>(*m_lokaalPaneel, *m_serverPaneel, *u.centraal, *u.knopMapHoger);
    m_selectie = std::make_unique<Selectie>(*m_lokaalPaneel, *m_serverPaneel, *m_navigatie,
                                            *m.mnuMapFtpBuitenDownloaden, *m.mnuBestandFtpBuitenDownloaden);
    Toestand& t = m_toestand;
    Wachtrij& wachtrij = t.wachtrij;
    wachtrij.ZetVerbindingen(t.Verbindingen);
    m_verbinding = std::make_unique<Verbinding>(
        *m_serverPaneel, *m_lokaalPaneel, wachtrij, m_toestand.ServerLijst, m_toestand.wachtwoorden,
        m_toestand.opgeslagen,
        Verbinding::Besturing{this, u.cboVerbindingenFtp, u.KnopVerbreken, m.mnuVerbrekenFtp,
                              u.VakZoekenFtp});
    m_voortgang = std::make_unique<Voortgangsweergave>(*this, *statusBar(), wachtrij);
    m_overdrachten = std::make_unique<Overdrachtenvenster>(wachtrij, this);
    m_verversing = std::make_unique<Verversing>(*m_lokaalPaneel, *m_serverPaneel, wachtrij);
    m_bestandsoverdracht = std::make_unique<Bestandsoverdracht>(
        *m_lokaalPaneel, *m_serverPaneel, *m_selectie, wachtrij,
        Bestandsoverdracht::Besturing{u.knopBDownloaden, u.knopBUploaden, u.cboVerbindingenFtp,
                                      m.mnuBestandFtpDownloaden, m.mnuBestandLokaalUploaden, &t.LaatsteDownloads,
                                      &t.LaatsteUploads, &t.TijdelijkeMap});
    m_mapoverdracht = std::make_unique<Mapoverdracht>(
        *m_lokaalPaneel, *m_serverPaneel, wachtrij,
        Mapoverdracht::Besturing{this, u.knopUploaden, u.knopDownloaden, m.mnuMapLokaalUploaden,
                                 m.mnuMapFtpDownloaden});
    m_zoekopdracht = std::make_unique<Zoekopdracht>(
        *m_lokaalPaneel, *m_serverPaneel, wachtrij,
        Zoekopdracht::Besturing{this, u.knopZoekenLokaal, u.VakZoekenLokaal, u.knopZoekenFtp, u.VakZoekenFtp,
                                &t.TijdelijkeMap});
    m_bestandkopie = std::make_unique<Bestandkopie>(
        *m_lokaalPaneel, *m_serverPaneel, *m_navigatie, wachtrij,
        Bestandkopie::Besturing{this, u.knopKopierenBestand, m.mnuBestandLokaalKopieren,
                                m.mnuBestandFtpKopieren, &t.TijdelijkeMap});
    m_verwijdering = std::make_unique<Verwijdering>(
        *m_lokaalPaneel, *m_serverPaneel, *m_navigatie, wachtrij,
        Verwijdering::Besturing{this, u.knopVerwijderenBestand, u.knopVerwijderenMap,
                                m.mnuBestandLokaalVerwijderen, m.mnuBestandFtpVerwijderen,
                                m.mnuMapLokaalVerwijderen, m.mnuMapFtpVerwijderen});
    m_hernoeming = std::make_unique<Hernoeming>(
        *m_lokaalPaneel, *m_serverPaneel, *m_navigatie, wachtrij,
        Hernoeming::Besturing{u.knopMapNieuw, u.cboVerbindingenFtp, m.mnuMapLokaalNieuw, m.mnuMapFtpNieuw,
                              m.mnuMapLokaalHernoemen, m.mnuMapFtpHernoemen, m.mnuBestandLokaalHernoemen,
                              m.mnuBestandFtpHernoemen});
    m_rechtenwijziging = std::make_unique<Rechtenwijziging>(
        *m_serverPaneel, wachtrij,
        Rechtenwijziging::Besturing{this, m.mnuMapFtpRechten, m.mnuBestandFtpRechten});
    m_opening = std::make_unique<Opening>(
        *m_lokaalPaneel, *m_serverPaneel, *m_navigatie, wachtrij,
        Opening::Besturing{this, u.knopOpenen, m.mnuBestandLokaalOpenen, m.mnuBestandFtpOpenen, &t.TijdelijkeMap});
    m_programmamenu = std::make_unique<Programmamenu>(Programmamenu::Besturing{
        m.mnuProgrammas, m.mnuProgrammasMO, m.mnuProgrammasEmail, m.mnuProgrammasKladblok,
        m.mnuProgrammasPaint, m.mnuProgrammasFileZilla, m.mnuPdfReader, m.mnuProgrammasOpenOffice,
        m.mnuProgrammasMOAccess, m.mnuProgrammasMOExcel, m.mnuProgrammasMOWord});
    m_herhaling = std::make_unique<Herhaling>(
        *m_lokaalPaneel, *m_serverPaneel, *m_bestandsoverdracht,
        Herhaling::Besturing{this, u.knopUploadBestandKiezen, u.cboVerbindingenFtp,
                             m.mnuBestandFtpOpnieuwDownloaden, m.mnuBestandLokaalOpnieuwUploaden,
                             m.mnuBestandUploadbestandUploaden, m.mnuBestandUploadbestandSelecteren,
                             m.mnuUploadbestand, &t.LaatsteDownloads, &t.LaatsteUploads,
                             &t.Uploadbestand});
    m_klembord = std::make_unique<Klembord>(
        *m_lokaalPaneel, *m_serverPaneel, *m_navigatie, wachtrij,
        Klembord::Besturing{this, u.knopKopierenNaarKlembord, m.mnuBestandLokaalKopierenNaarKlembord,
                            m.mnuBestandFtpKopierenNaarKlembord, &t.TijdelijkeMap});
    m_slepen = std::make_unique<Slepen>(
        *m_lokaalPaneel, *m_serverPaneel, *m_selectie, *m_mapoverdracht, wachtrij,
        Slepen::Besturing{this, m.mnuMapFtpBuitenDownloaden, m.mnuBestandFtpBuitenDownloaden, &t.TijdelijkeMap});
    m_neerzetten = std::make_unique<Neerzetten>(
        *m_lokaalPaneel, *m_serverPaneel, *m_selectie, wachtrij, m_slepen->Vlaggen(),
        Neerzetten::Besturing{u.knopBUploaden, u.knopBDownloaden, u.knopUploadBestandKiezen,
                              u.knopVerwijderenMap, u.knopVerwijderenBestand, u.knopOpenen,
                              u.cboVerbindingenFtp, &t.LaatsteUploads});
    m_mappenvergelijking = std::make_unique<Mappenvergelijking>(
        *m_lokaalPaneel, *m_serverPaneel,
        Mappenvergelijking::Besturing{m.mnuMappenVergelijken, m.mnuAlleenVerschillen, m.mnuAlleenGrootte,
                                      statusBar(), &wachtrij, [this]() -> std::optional<int> {
                                          const QStringList& lijst = m_toestand.ServerLijst;
                                          const qsizetype n =
                                              ServerZoeken(lijst, m_ui.cboVerbindingenFtp->currentText());
                                          if (n < 1) return std::nullopt;
                                          return ServerRecordLezen(lijst.at(n)).Tijdverschil;
                                      }});
    m_synchroonbladeren =
        std::make_unique<Synchroonbladeren>(*m_lokaalPaneel, *m_serverPaneel, *m.mnuGesynchroniseerdBladeren);
    connect(m.mnuSynchroniseren, &QAction::triggered, this, &FrmFtp::SynchroniserenOpenen);
    m_configuratie = std::make_unique<ConfiguratieVenster>(*this);
    m_opstarten = std::make_unique<Opstarten>(*this);
    m_toetsen = std::make_unique<Toetsenbediening>(m_ui);
    connect(m.mnuProgrammasVamox, &QAction::triggered, m_opstarten.get(), &Opstarten::mnuTweedeVersie_Click);

    // What one subsystem tells the others.
    connect(m_serverPaneel.get(), &ServerPaneel::verbonden, this,
            [this] { VerbindingsmenusZetten(m_menus, true); });
    connect(m_verbinding.get(), &Verbinding::verbroken, this, [this] {
        VerbindingsmenusZetten(m_menus, false);
        m_mappenvergelijking->VerbindingVerbroken();
    });
    // Repeats and drops start the transfers.
    connect(m_bestandsoverdracht.get(), &Bestandsoverdracht::opnieuwDownloaden, m_herhaling.get(),
            &Herhaling::LaatsteBestandenOpnieuwDownloaden);
    connect(m_bestandsoverdracht.get(), &Bestandsoverdracht::opnieuwUploaden, m_herhaling.get(),
            &Herhaling::LaatsteBestandenOpnieuwUploaden);
    Neerzetten* neer = m_neerzetten.get();
    Bestandsoverdracht* overdracht = m_bestandsoverdracht.get();
    connect(neer, &Neerzetten::servermapDownloaden, this, [this] { m_mapoverdracht->DownloadenServermap(); });
    connect(neer, &Neerzetten::lokalemapUploaden, this,
            [this](const QString& servermap) { m_mapoverdracht->UploadenLokalemap({}, servermap); });
    connect(neer, &Neerzetten::lokaalBestandenKopieren, m_bestandkopie.get(),
            &Bestandkopie::LokaalBestandenKopieren);
    connect(neer, &Neerzetten::ftpBestandenDownloaden, overdracht,
            &Bestandsoverdracht::FtpBestandenDownloaden);
    connect(neer, &Neerzetten::lokaalBestandenUploaden, overdracht,
            &Bestandsoverdracht::LokaalBestandenUploaden);
    connect(neer, &Neerzetten::ftpBestandenUploaden, overdracht, &Bestandsoverdracht::FtpBestandenUploaden);
    connect(neer, &Neerzetten::uploaden, overdracht, &Bestandsoverdracht::Uploaden);
    connect(neer, &Neerzetten::downloadenGeselecteerd, this,
            [overdracht] { overdracht->knopBDownloaden_MouseUp(Qt::LeftButton); });
    connect(neer, &Neerzetten::uploadenGeselecteerd, this,
            [overdracht] { overdracht->knopBUploaden_MouseUp(Qt::LeftButton); });
    connect(neer, &Neerzetten::uploadbestandNeergezet, m_herhaling.get(),
            &Herhaling::knopUploadBestandKiezen_OLEDragDrop);
    // After the drag has ended: the question of a deletion is no part of it.
    connect(neer, &Neerzetten::verwijderenMapNeergezet, m_verwijdering.get(),
            &Verwijdering::knopVerwijderenMap_Click, Qt::QueuedConnection);
    connect(neer, &Neerzetten::verwijderenBestandNeergezet, m_verwijdering.get(),
            &Verwijdering::knopVerwijderenBestand_Click, Qt::QueuedConnection);
    connect(neer, &Neerzetten::openenNeergezet, m_opening.get(), &Opening::knopOpenen_Click,
            Qt::QueuedConnection);
    // Escape stops the transfers the window waits for (the first one in a folder download lets the
    // files under way finish), else it cancels what the panes' session does (a connect, a listing).
    // A search takes its Escape itself.
    connect(m_verbinding.get(), &Verbinding::escapeTijdensBezig, this, [this] {
        Toestand& t = m_toestand;
        if (m_zoekopdracht->Bezig()) return;
        if (t.wachtrij.Bezig() && (!t.wachtrij.Achtergrond() || t.wachtrij.DeeltSessie()))
            t.wachtrij.Escape();
        else
            t.sessie.afbreken();
    });
    // The transfer list, and the transfers in the background.
    connect(m.mnuOverdrachten, &QAction::triggered, m_overdrachten.get(), [this](bool aan) {
        if (aan)
            m_overdrachten->Tonen();
        else
            m_overdrachten->hide();
    });
    connect(m_overdrachten.get(), &Overdrachtenvenster::zichtbaarheidGewijzigd, m.mnuOverdrachten,
            &QAction::setChecked);
    connect(m_voortgang.get(), &Voortgangsweergave::lijstGevraagd, m_overdrachten.get(),
            &Overdrachtenvenster::Tonen);
    connect(m.mnuOverdrachtenAchtergrond, &QAction::toggled, &wachtrij, &Wachtrij::ZetAchtergrond);
    connect(m.mnuServergegevens, &QAction::triggered, this, [this] { ServergegevensOpenen(); });
    connect(m.mnuServersImporteren, &QAction::triggered, this, &FrmFtp::ServersImporteren);
    for (QAction* site : {m.mnuWebsitesFtp, m.mnuWebsitesRfc959, m.mnuWebsitesRfc4217})
        connect(site, &QAction::triggered, this, [site] { WebsiteOpenen(site->data().toString()); });
    connect(m.mnuInfoTips, &QAction::triggered, this, &mnuInfoTips_Click);
    connect(m.mnuInfoOver, &QAction::triggered, this, &mnuInfoOver_Click);
}

void FrmFtp::ServergegevensOpenen(bool nieuw)
{
    auto* venster = new FrmServergegevens(m_toestand.ServerLijst, m_toestand.wachtwoorden, *m_ui.cboVerbindingenFtp,
                                          m_toestand.VerbindenOnderdrukt, this);
    venster->setAttribute(Qt::WA_DeleteOnClose);
    connect(venster, &FrmServergegevens::serverregelsOpslaan, m_configuratie.get(),
            &ConfiguratieVenster::ServerregelsOpslaan);
    connect(venster, &FrmServergegevens::verbreken, m_verbinding.get(), &Verbinding::KnopVerbreken_Click);
    connect(venster, &FrmServergegevens::verbindingSluiten, m_verbinding.get(),
            [this] { m_verbinding->VerbindingVerbreken(false, false); });
    connect(venster, &FrmServergegevens::verbinden, m_verbinding.get(),
            &Verbinding::cboVerbindingenFtp_Click);
    if (nieuw)
        venster->NieuwOpenen(*this, *m_ui.knopServergegevens);
    else
        venster->Openen(*this, *m_ui.knopServergegevens);
}

void FrmFtp::ServersImporteren()
{
    // Where the usual files are, the first that is there.
    QString map = QDir::homePath();
    for (const QString& plek : {QDir::homePath() + QStringLiteral("/.config/filezilla"), QDir::homePath() + QStringLiteral("/.ssh")})
        if (QFileInfo(plek).isDir()) {
            map = plek;
            break;
        }
    const QStringList pad = BestandKiezen({.titel = QStringLiteral("Servers importeren"),
                                           .map = map,
                                           .filter = QStringLiteral("Serverlijsten_(sitemanager.xml WinSCP.ini *.ini "
                                                                    "config)|Alle bestanden_(*.*)")},
                                          this);
    if (pad.isEmpty()) return;
    Import gevonden = ImportLezen(pad.constFirst());
    const QString bestand = QDir::toNativeSeparators(pad.constFirst());
    if (!gevonden.fout.isEmpty()) {
        Melding(QStringLiteral("Er is niets geïmporteerd uit:\r\n") + bestand + QStringLiteral("\r\n\r\n") + gevonden.fout, 4);
        return;
    }
    if (gevonden.servers.isEmpty()) {
        Melding(QStringLiteral("Geen servers gevonden in:\r\n") + bestand, 1);
        return;
    }
    FrmImporteren venster(std::move(gevonden), pad.constFirst(), m_toestand.ServerLijst, m_toestand.wachtwoorden, this);
    connect(&venster, &FrmImporteren::serverregelsOpslaan, m_configuratie.get(), &ConfiguratieVenster::ServerregelsOpslaan);
    if (venster.exec() != QDialog::Accepted) return;
    // The server box lists them at once; the chosen server stays chosen.
    QComboBox* vak = m_ui.cboVerbindingenFtp;
    const QString gekozen = vak->currentText();
    const QSignalBlocker stil(vak);
    vak->clear();
    for (qsizetype i = 1; i < m_toestand.ServerLijst.size(); ++i)
        vak->addItem(ServerNaam(m_toestand.ServerLijst.at(i)));
    vak->setCurrentIndex(gekozen.isEmpty() ? -1 : vak->findText(gekozen));
    const int n = venster.Geimporteerd();
    Melding((n == 1 ? QStringLiteral("1 server") : QString::number(n) + QStringLiteral(" servers")) +
                QStringLiteral(" geïmporteerd."),
            1, 1500);
}

void FrmFtp::SynchroniserenOpenen()
{
    if (!m_serverPaneel->Verbonden() || m_lokaalPaneel->HuidigeMap().isEmpty() ||
        m_serverPaneel->HuidigeMap().isEmpty())
        return;
    Synchronisatievenster::Gegevens g;
    g.aanmelding = m_toestand.sessie.aanmelding();
    g.paar = {m_lokaalPaneel->HuidigeMap(), m_serverPaneel->HuidigeMap()};
    g.klok = m_mappenvergelijking->Klok();
    g.staatMap = QFileInfo(m_toestand.CfgBestand).absolutePath();
    g.serverNaam = m_ui.cboVerbindingenFtp->currentText();
    g.patroonLokaal = m_lokaalPaneel->ui().patroon->currentText();
    g.patroonServer = m_serverPaneel->ui().patroon->currentText();
    g.verbindingen = m_toestand.Verbindingen;
    QStringList& onthouden = m_toestand.Synchronisaties;
    const auto vanServer = [&](const QString& regel) {
        const std::optional<Syncherinnering> h = SyncherinneringLezen(regel);
        return h && h->server == g.serverNaam;
    };
    for (const QString& regel : std::as_const(onthouden))
        if (vanServer(regel)) g.vorige = SyncherinneringLezen(regel);
    auto* venster = new Synchronisatievenster(m_toestand.wachtrij, std::move(g), this);
    // Only a saved server's choices are kept, in a line of its own.
    connect(venster, &Synchronisatievenster::uitgevoerd, this, [this](const Syncherinnering& h,
                                                                      Synchronisatieuitvoering* run) {
        // The run wrote below both roots: the panes show what it left.
        connect(run, &Synchronisatieuitvoering::klaar, this, [this] {
            m_lokaalPaneel->LijstVullenLokaal(std::nullopt, Soort::Beide, false);
            if (m_serverPaneel->Verbonden()) m_serverPaneel->LijstVullenFtp(std::nullopt, Soort::Beide, false);
        });
        if (ServerZoeken(m_toestand.ServerLijst, h.server) < 1) return;
        QStringList& lijst = m_toestand.Synchronisaties;
        lijst.removeIf([&](const QString& regel) {
            const std::optional<Syncherinnering> oud = SyncherinneringLezen(regel);
            return oud && oud->server == h.server;
        });
        lijst.append(SyncherinneringTekst(h));
    });
    venster->setAttribute(Qt::WA_DeleteOnClose);
    venster->show();
}

} // namespace Vamox
