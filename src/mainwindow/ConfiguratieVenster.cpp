#include "mainwindow/ConfiguratieVenster.h"

#include "clipboard/gui/Slepen.h"
#include "config/ServerRecord.h"
#include "config/Wachtwoorden.h"
#include "dialogs/Msg.h"
#include "dialogs/Twips.h"
#include "ftp/FtpPaden.h"
#include "mainwindow/FrmFtp.h"
#include "mainwindow/Indeling.h"
#include "mainwindow/Opstarten.h"
#include "mainwindow/Verbinding.h"
#include "panes/Patroon.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/AppInfo.h"
#include "platform/gui/Toetsenbord.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalBlocker>

namespace Vamox {

namespace {

void Zetten(QAction* item, const std::optional<bool>& waarde)
{
    if (waarde) item->setChecked(*waarde);
}

QString MetScheiding(QString map)
{
    QString geenServer;
    MappenBijwerken(map, geenServer);
    return map;
}

QString WerkMap()
{
    return MetScheiding(QDir::currentPath());
}

const QString Streep = QStringLiteral("-----------------------------------------");

} // namespace

void PatroonZetten(QComboBox& vak, LijstWeergave& bestanden, QPushButton& knop, const QString& patroon)
{
    vak.setEditText(patroon);
    const bool cursief = !PatroonIsLeeg(patroon);
    bestanden.lijstModel().ZetCursief(cursief);
    QFont letter = knop.font();
    letter.setItalic(cursief);
    knop.setFont(letter);
}

ConfiguratieVenster::ConfiguratieVenster(FrmFtp& venster) : m_venster(venster)
{
    const VensterMenus& m = venster.menus();
    connect(m.mnuConfuguratieConfiguratieOpenen, &QAction::triggered, this,
            &ConfiguratieVenster::ConfiguratieOpenen);
    connect(m.mnuConfuguratieConfiguratieOpslaan, &QAction::triggered, this,
            &ConfiguratieVenster::mnuConfuguratieConfiguratieOpslaan_Click);
    connect(m.mnuStandaardConfiguratie, &QAction::triggered, this,
            &ConfiguratieVenster::mnuStandaardConfiguratie_Click);
    connect(m.mnuInstellingenKnoppenbalk, &QAction::triggered, this,
            &ConfiguratieVenster::mnuInstellingenKnoppenbalk_Click);
    connect(m.mnuInstellingenDownloaden, &QAction::triggered, this,
            &ConfiguratieVenster::mnuInstellingenDownloaden_Click);
    connect(m.mnuInstellingenStandaardformaat, &QAction::triggered, this,
            &ConfiguratieVenster::mnuInstellingenStandaardformaat_Click);
    connect(m.mnuStandaardBijStarten, &QAction::triggered, this,
            &ConfiguratieVenster::mnuStandaardBijStarten_Click);
    connect(m.mnuStandaardinstellingen, &QAction::triggered, this,
            &ConfiguratieVenster::mnuStandaardinstellingen_Click);
    for (QAction* item : m.mnuFtpVerbindingen->actions())
        connect(item, &QAction::triggered, this, [this, item] { VerbindingenZetten(item->data().toInt()); });
    // The other check items (".Bij starten openen", ".Lokaal openen", ...) only invert
    // themselves; the plus items belong to the panes.
}

void ConfiguratieVenster::ConfiguratieLezen()
{
    Toestand& t = m_venster.toestand();
    const VensterMenus& m = m_venster.menus();
    VensterUi& ui = m_venster.ui();

    m_zonderBestand = !QFileInfo::exists(t.CfgBestand);
    const std::optional<ConfiguratieInhoud> gelezen = ConfiguratieBestandLezen(t.CfgBestand);
    if (!gelezen) {
        if (m_zonderBestand) return;
        // A file that is there but cannot be read is not replaced by one without its servers
        // unless the user says so when closing.
        t.ConfiguratieOvergeslagen = true;
        m_serversNietGelezen = true;
        Melding(QStringLiteral("Configuratiebestand kan niet worden gelezen:\r\n") +
                    QDir::toNativeSeparators(t.CfgBestand),
                4);
        return;
    }
    t.ServerLijst = QStringList{QString()};
    const Instellingen& in = gelezen->instellingen;
    Zetten(m.mnuConfiguratieOpenen, in.CfgOpenen);
    if (gelezen->gestopt) {
        m_serversNietGelezen = true;
        return;
    }
    Zetten(m.mnuConfiguratieOpslaan, in.CfgOpslaan);
    Opgeslagen& o = t.opgeslagen;
    if (in.Server) o.OpgeslagenServer = *in.Server;
    if (in.Schijf) o.OpgeslagenSchijf = *in.Schijf;
    GeometrieToepassen(in);
    Zetten(m.mnuInstellingenKnoppenbalk, in.KnoppenbalkTonen);
    Zetten(m.mnuInstellingenServer, in.ServerOpenen);
    Zetten(m.mnuInstellingenLokaal, in.LokaalOpenen);
    Zetten(m.mnuInstellingenDownloaden, in.BuitenDownloaden);
    Zetten(m.mnuInstellingenStandaardformaat, in.Standaardformaat);
    Zetten(m.mnuPlusBijSubmappenLokaal, in.PlusBijSubmappenLokaal);
    Zetten(m.mnuPlusLokaal, in.PlusBijSubmappenLokaal);
    Zetten(m.mnuPlusBijSubmappenFtp, in.PlusBijSubmappenFtp);
    Zetten(m.mnuPlusFtp, in.PlusBijSubmappenFtp);
    if (in.MapLokaalActueel) {
        o.OpgeslagenLokalemap = *in.MapLokaalActueel;
        m_venster.lokaalPaneel().HuidigeMapZetten(*in.MapLokaalActueel);
    }
    if (in.MapFtpActueel) {
        o.OpgeslagenServermap = *in.MapFtpActueel;
        m_venster.serverPaneel().HuidigeServermapZetten(*in.MapFtpActueel);
    }
    if (in.PatroonFtp) o.OpgeslagenPatroonFtp = *in.PatroonFtp;
    if (in.Uploadbestand) t.Uploadbestand = *in.Uploadbestand;
    if (in.Standaardbreedte) t.Standaardbreedte = *in.Standaardbreedte;
    if (in.Standaardhoogte) t.Standaardhoogte = *in.Standaardhoogte;
    VerbindingenZetten(VerbindingenBegrenzen(in.Verbindingen));
    m.mnuOverdrachtenAchtergrond->setChecked(in.Achtergrond.value_or(false));
    RechtenKolomTonen(*ui.LijstBFtp, in.RechtenTonen.value_or(false));
    t.ServerLijst = gelezen->ServerLijst();
    t.Synchronisaties = in.Synchronisaties;

    QComboBox* servers = ui.cboVerbindingenFtp;
    {
        const QSignalBlocker stil(servers);
        servers->clear();
        for (qsizetype i = 1; i < t.ServerLijst.size(); ++i)
            servers->addItem(ServerNaam(t.ServerLijst.at(i)));
        servers->setCurrentIndex(-1);
    }
    BuitenDownloadenGelijkzetten();
    LokaleKantToepassen(in);
    ServerkantToepassen(in);

    const Qt::KeyboardModifiers toetsen = ToetsModifiers();
    KnoppenTonen(ui, m.mnuInstellingenKnoppenbalk->isChecked() && !(toetsen & Qt::ShiftModifier));
    // Ctrl connects to the saved server even when ".Server openen" is off.
    if ((toetsen & Qt::ControlModifier) && !o.OpgeslagenServer.isEmpty()) m_startserver = true;
    if (m.mnuInstellingenStandaardformaat->isChecked()) m_venster.indeling().Standaardformaat();
    QString lokaal = m_venster.lokaalPaneel().HuidigeMap();
    QString server = m_venster.serverPaneel().HuidigeServermap();
    MappenBijwerken(lokaal, server);
    m_venster.lokaalPaneel().HuidigeMapZetten(lokaal);
    m_venster.serverPaneel().HuidigeServermapZetten(server);
}

void ConfiguratieVenster::GeometrieToepassen(const Instellingen& in)
{
    const QScreen* scherm = m_venster.screen();
    const TwipsSchaal schaal = TwipsSchaal::Van(&m_venster);
    const QSize schermTwips = schaal.NaarTwips(scherm != nullptr ? scherm->geometry().size() : QSize());
    const QPoint plek = schaal.NaarTwips(m_venster.pos());
    const QSize formaat = schaal.NaarTwips(m_venster.size());

    const int links = in.Links.value_or(plek.x());
    const int boven = in.Top ? TopBegrenzen(*in.Top) : plek.y();
    int breedte = formaat.width();
    int hoogte = formaat.height();
    if (in.Breedte)
        breedte = scherm != nullptr ? BreedteBegrenzen(*in.Breedte, schermTwips.width()) : *in.Breedte;
    if (in.Hoogte)
        hoogte = scherm != nullptr ? HoogteBegrenzen(*in.Hoogte, schermTwips.height()) : *in.Hoogte;
    m_venster.resize(schaal.NaarPixels(QSize(breedte, hoogte)));
    m_venster.move(schaal.NaarPixels(QPoint(links, boven)));
    if (in.Venster == 2) m_venster.setWindowState(m_venster.windowState() | Qt::WindowMaximized);
}

void ConfiguratieVenster::LokaleKantToepassen(const Instellingen& in)
{
    VensterUi& ui = m_venster.ui();
    QString map = WerkMap();
    if (m_venster.menus().mnuInstellingenLokaal->isChecked()) {
        const QString bewaard = in.MapLokaalActueel.value_or(QString());
        if (LokaleMapBestaat(bewaard)) map = MetScheiding(bewaard);
        PatroonZetten(*ui.cboPatroonLokaal, *ui.LijstBLokaal, *ui.knopPatroonLokaal,
                      in.PatroonLokaal.value_or(QString()));
    }
    LokaalPaneel& lokaal = m_venster.lokaalPaneel();
    lokaal.SchijfKiezenVoor(map);
    // Does nothing yet during start-up: the lists are filled once filling is allowed.
    lokaal.LijstVullenLokaal(map, Soort::Beide, false);
    ui.MapLokaal->setText(map);
    lokaal.HuidigeMapZetten(map);
}

void ConfiguratieVenster::ServerkantToepassen(const Instellingen& in)
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    if (t.opgeslagen.OpgeslagenServer.isEmpty() || !m_venster.menus().mnuInstellingenServer->isChecked())
        return;
    QString map = in.MapFtpActueel.value_or(QString());
    if (map.isEmpty()) map = QStringLiteral("/");
    PatroonZetten(*ui.cboPatroonFtp, *ui.LijstBFtp, *ui.knopPatroonFtp, in.PatroonFtp.value_or(QString()));
    m_startserver = true;
    ui.MapFtp->setText(map);
    m_venster.serverPaneel().HuidigeServermapZetten(map);
}

void ConfiguratieVenster::StartserverOpenen()
{
    if (!std::exchange(m_startserver, false)) return;
    Toestand& t = m_venster.toestand();
    QComboBox* vak = m_venster.ui().cboVerbindingenFtp;
    const QString naam = t.opgeslagen.OpgeslagenServer;
    const int plek = vak->findText(naam);
    if (plek < 0) return; // a name without a saved server of that name
    {
        const QSignalBlocker stil(vak);
        vak->setCurrentIndex(plek);
    }
    m_venster.verbinding().cboVerbindingenFtp_Click();
    // A server that cannot be reached now stays the chosen one, so that it is still the saved
    // server when the file is written (an offline start must not forget it).
    if (!m_venster.serverPaneel().Verbonden()) {
        const QSignalBlocker stil(vak);
        vak->setCurrentIndex(vak->findText(naam));
    }
}

Instellingen ConfiguratieVenster::InstellingenVanVenster() const
{
    const Toestand& t = m_venster.toestand();
    const VensterMenus& m = m_venster.menus();
    const VensterUi& ui = m_venster.ui();
    const TwipsSchaal schaal = TwipsSchaal::Van(&m_venster);
    const bool normaal = !m_venster.isMaximized() && !m_venster.isMinimized();
    // A maximised window keeps its normal place and size, for the next time it is restored.
    const QRect rand = normaal ? QRect(m_venster.pos(), m_venster.size()) : m_venster.normalGeometry();
    const QRect twips = schaal.NaarTwips(rand);

    Instellingen in;
    in.CfgOpenen = m.mnuConfiguratieOpenen->isChecked();
    in.CfgOpslaan = m.mnuConfiguratieOpslaan->isChecked();
    in.Server = ui.cboVerbindingenFtp->currentText();
    in.Schijf = ui.SchijfLokaal->currentText();
    in.Links = twips.x();
    in.Top = twips.y();
    in.Breedte = twips.width();
    in.Hoogte = twips.height();
    in.Venster = m_venster.isMinimized() ? 1 : m_venster.isMaximized() ? 2 : 0;
    in.KnoppenbalkTonen = m.mnuInstellingenKnoppenbalk->isChecked();
    in.ServerOpenen = m.mnuInstellingenServer->isChecked();
    in.LokaalOpenen = m.mnuInstellingenLokaal->isChecked();
    in.BuitenDownloaden = m.mnuInstellingenDownloaden->isChecked();
    in.Standaardformaat = m.mnuInstellingenStandaardformaat->isChecked();
    in.PlusBijSubmappenLokaal = m.mnuPlusBijSubmappenLokaal->isChecked();
    in.PlusBijSubmappenFtp = m.mnuPlusBijSubmappenFtp->isChecked();
    in.MapLokaalActueel = m_venster.lokaalPaneel().HuidigeLokalemap();
    in.PatroonLokaal = ui.cboPatroonLokaal->currentText();
    in.MapFtpActueel = m_venster.serverPaneel().HuidigeServermap();
    in.PatroonFtp = ui.cboPatroonFtp->currentText();
    in.Uploadbestand = t.Uploadbestand;
    in.Standaardbreedte = t.Standaardbreedte;
    in.Standaardhoogte = t.Standaardhoogte;
    // Like the TLS field of a server: no line while nobody chose another number than the default.
    if (t.Verbindingen != StandaardVerbindingen) in.Verbindingen = t.Verbindingen;
    // Written only when on: files of older versions and of users who never chose it stay as they were.
    if (m.mnuOverdrachtenAchtergrond->isChecked()) in.Achtergrond = true;
    if (RechtenKolomGetoond(*ui.LijstBFtp)) in.RechtenTonen = true;
    in.Synchronisaties = t.Synchronisaties;
    return in;
}

QStringList ConfiguratieVenster::TeSchrijvenServers() const
{
    const Toestand& t = m_venster.toestand();
    QStringList lijst = t.ServerLijst;
    if (!m_serversNietGelezen) return lijst;
    const std::optional<ConfiguratieInhoud> bestand = ConfiguratieBestandLezen(t.CfgBestand);
    if (!bestand) return lijst;
    QSet<QString> namen;
    for (const QString& regel : std::as_const(lijst))
        namen.insert(ServerNaam(regel).toLower());
    for (const QString& regel : bestand->serverRegels + bestand->overgeslagenServerRegels) {
        const QString naam = ServerNaam(regel).toLower();
        if (namen.contains(naam)) continue;
        namen.insert(naam);
        lijst.append(regel);
    }
    ServerLijstSorteren(lijst);
    return lijst;
}

bool ConfiguratieVenster::ConfiguratieSchrijven()
{
    const QString pad = m_venster.toestand().CfgBestand;
    const Instellingen in = InstellingenVanVenster();
    if (!Vamox::ConfiguratieSchrijven(pad, in, TeSchrijvenServers())) {
        Melding(QStringLiteral("Configuratiebestand kan niet worden opgeslagen:\r\n") +
                    QDir::toNativeSeparators(pad),
                4);
        return false;
    }
    const QStringList weg = OnopslaanbareSleutels(in);
    if (!weg.isEmpty()) {
        QString tekst = QStringLiteral("Deze instellingen zijn niet opgeslagen: hun waarde bevat een "
                                       "regeleinde of het teken met code 15.");
        for (QString sleutel : weg)
            tekst += QStringLiteral("\r\n ") + sleutel.chopped(1);
        Melding(tekst, 3);
    }
    return true;
}

bool ConfiguratieVenster::ServerregelsOpslaan()
{
    const QString pad = m_venster.toestand().CfgBestand;
    if (Vamox::ServerregelsSchrijven(pad, TeSchrijvenServers())) return true;
    Melding(QStringLiteral("Configuratiebestand kan niet worden opgeslagen:\r\n") +
                QDir::toNativeSeparators(pad),
            4);
    return false;
}

void ConfiguratieVenster::WachtwoordenVerhuizen()
{
    Toestand& t = m_venster.toestand();
    if (t.ConfiguratieOvergeslagen) return;
    const int aantal = TeVerhuizen(t.ServerLijst);
    if (aantal == 0) return;
    const QString servers = aantal == 1 ? QStringLiteral("1 server") : QString::number(aantal) + QStringLiteral(" servers");
    const Verhuizing v = Vamox::WachtwoordenVerhuizen(t.ServerLijst, t.sleutelbos);
    const QStringList voor = t.ServerLijst;
    if (v.gelukt()) {
        t.ServerLijst = v.serverLijst;
        // Not written: the passwords stay in the file, and move at the next start.
        if (!ServerregelsOpslaan()) {
            t.ServerLijst = voor;
            return;
        }
        Melding(QStringLiteral("De wachtwoorden van ") + servers +
                    QStringLiteral(" staan nu in de sleutelbos van het bureaublad. Het configuratiebestand "
                                   "bevat ze niet meer."),
                1);
        return;
    }
    const int keuze = M({.Tekst = QStringLiteral("De wachtwoorden van ") + servers +
                                  QStringLiteral(" staan in het configuratiebestand. Ze kunnen niet naar de "
                                                 "sleutelbos van het bureaublad: de sleutelbos ") +
                                  SleutelbosReden(v.fout) + QStringLiteral(" (server '") + v.server +
                                  QStringLiteral("').\r\n\r\nDe wachtwoorden in het configuratiebestand houden, of "
                                                 "niet bewaren en bij elke aanmelding vragen (ze worden dan uit "
                                                 "het bestand verwijderd)?\r\n\r\nLater: bij de volgende start "
                                                 "opnieuw proberen."),
                         .Pictogram = 3,
                         .Knoppen = QStringLiteral("In &bestand houden+Bij aanmelden &vragen+&Later"),
                         .Codes = QStringLiteral("3+3"),
                         .AutoBreedte = true});
    if (keuze != 1 && keuze != 2) return;
    t.ServerLijst = VerhuizingAfzien(t.ServerLijst, keuze == 1 ? Wachtwoordplek::Bestand : Wachtwoordplek::Vragen);
    if (!ServerregelsOpslaan()) t.ServerLijst = voor;
}

void ConfiguratieVenster::ConfiguratieOpenen()
{
    const QString tekst = ConfiguratieTekst(m_venster.toestand().CfgBestand);
    M({.Tekst = tekst + QStringLiteral("\r\n") + Streep +
                QStringLiteral("\r\nServergegevens in Klembord.\r\n") + Streep,
       .Titel = AppTitel() + QStringLiteral(". Configuratiebestand"),
       .Pictogram = 1,
       .Knoppen = QStringLiteral("&OK"),
       .Codes = QStringLiteral("1+2"),
       .Knopbreedte = 1280,
       .Centreren = true});
}

void ConfiguratieVenster::mnuConfuguratieConfiguratieOpslaan_Click()
{
    if (!ConfiguratieSchrijven()) return;
    QApplication::beep();
    M({.Tekst = QStringLiteral("Configuratie is opgeslagen."),
       .Pictogram = 1,
       .Knoppen = QString(),
       .Codes = QString(),
       .Knopbreedte = 1280,
       .Centreren = true,
       .SluitenNa = 750});
}

void ConfiguratieVenster::mnuStandaardConfiguratie_Click()
{
    m_venster.menus().mnuConfiguratieOpenen->setChecked(true);
    m_venster.menus().mnuConfiguratieOpslaan->setChecked(true);
}

// The check items invert themselves before their handler runs.
void ConfiguratieVenster::mnuInstellingenKnoppenbalk_Click(bool aan)
{
    KnoppenTonen(m_venster.ui(), aan);
}

void ConfiguratieVenster::mnuInstellingenDownloaden_Click(bool aan)
{
    if (aan && !BuitenNeerzettenToestaan()) m_venster.menus().mnuInstellingenDownloaden->setChecked(false);
    BuitenDownloadenGelijkzetten();
}

void ConfiguratieVenster::BuitenDownloadenGelijkzetten()
{
    const VensterMenus& m = m_venster.menus();
    const bool aan = m.mnuInstellingenDownloaden->isChecked();
    m.mnuMapFtpBuitenDownloaden->setChecked(aan);
    m.mnuBestandFtpBuitenDownloaden->setChecked(aan);
}

void ConfiguratieVenster::mnuInstellingenStandaardformaat_Click(bool aan)
{
    if (aan) m_venster.indeling().Standaardformaat();
}

void ConfiguratieVenster::mnuStandaardBijStarten_Click()
{
    const VensterMenus& m = m_venster.menus();
    const bool plusLokaal = m.mnuPlusBijSubmappenLokaal->isChecked();
    const bool plusFtp = m.mnuPlusBijSubmappenFtp->isChecked();
    for (QAction* item :
         {m.mnuPlusBijSubmappenLokaal, m.mnuPlusBijSubmappenFtp, m.mnuPlusLokaal, m.mnuPlusFtp})
        item->setChecked(false);
    m.mnuInstellingenKnoppenbalk->setChecked(true);
    m.mnuInstellingenLokaal->setChecked(true);
    m.mnuInstellingenServer->setChecked(false);
    m.mnuInstellingenDownloaden->setChecked(false);
    m.mnuInstellingenStandaardformaat->setChecked(true);
    KnoppenTonen(m_venster.ui(), true);
    m_venster.indeling().Standaardformaat();
    if (plusLokaal) m_venster.navigatie().PlusLokaalFtpBijwerken(true);
    if (plusFtp) m_venster.navigatie().PlusLokaalFtpBijwerken(false);
}

void ConfiguratieVenster::VerbindingenZetten(int aantal)
{
    m_venster.toestand().Verbindingen = aantal;
    m_venster.toestand().wachtrij.ZetVerbindingen(aantal);
    for (QAction* item : m_venster.menus().mnuFtpVerbindingen->actions())
        item->setChecked(item->data().toInt() == aantal);
}

void ConfiguratieVenster::mnuStandaardinstellingen_Click()
{
    const VensterMenus& m = m_venster.menus();
    const bool plusLokaal = m.mnuPlusBijSubmappenLokaal->isChecked();
    const bool plusFtp = m.mnuPlusBijSubmappenFtp->isChecked();
    for (QAction* item :
         {m.mnuPlusBijSubmappenLokaal, m.mnuPlusBijSubmappenFtp, m.mnuPlusLokaal, m.mnuPlusFtp})
        item->setChecked(false);
    mnuStandaardConfiguratie_Click();
    mnuStandaardBijStarten_Click();
    if (plusLokaal) m_venster.navigatie().PlusLokaalFtpBijwerken(true);
    if (plusFtp) m_venster.navigatie().PlusLokaalFtpBijwerken(false);
}

} // namespace Vamox
