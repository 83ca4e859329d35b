#include "mainwindow/Opstarten.h"

#include "platform/AppInfo.h"
#include "config/ProgrammaPaden.h"
#include "dialogs/Msg.h"
#include "dialogs/Twips.h"
#include "ftp/FtpPaden.h"
#include "mainwindow/ConfiguratieVenster.h"
#include "mainwindow/FrmFtp.h"
#include "mainwindow/Indeling.h"
#include "mainwindow/Opbouw.h"
#include "mainwindow/Verbinding.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "panes/gui/Sorteren.h"
#include "platform/Processen.h"
#include "platform/gui/Toetsenbord.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <initializer_list>

namespace Vamox {

namespace {

struct Vervanging
{
    bool actief = false;
    ProgrammaOmgeving omgeving;
};

Vervanging& TestOmgeving()
{
    static Vervanging v;
    return v;
}

// A menu caption shows "&" only when doubled; a folder or server name may hold one.
QString Opschrift(QString tekst)
{
    return tekst.replace(u'&', QLatin1String("&&"));
}

} // namespace

ProgrammaOmgeving HuidigeProgrammaOmgeving()
{
    if (TestOmgeving().actief) return TestOmgeving().omgeving;
    return {QCoreApplication::applicationFilePath(), CfgBestandBepalen(), TijdelijkeMapBepalen()};
}

ProgrammaOmgevingVoorTest::ProgrammaOmgevingVoorTest(ProgrammaOmgeving omgeving)
    : m_hadVorige(TestOmgeving().actief), m_vorige(TestOmgeving().omgeving)
{
    TestOmgeving() = {true, std::move(omgeving)};
}

ProgrammaOmgevingVoorTest::~ProgrammaOmgevingVoorTest()
{
    TestOmgeving() = {m_hadVorige, m_vorige};
}

void KnoppenTonen(VensterUi& ui, bool tonen)
{
    for (QToolButton* knop : {ui.knopServergegevens, ui.KnopVerbreken, ui.knopMapHoger, ui.knopVerwijderenMap,
                              ui.knopMapNieuw, ui.knopUploaden, ui.knopDownloaden, ui.knopVerwijderenBestand,
                              ui.knopKopierenBestand, ui.knopKopierenNaarKlembord, ui.knopOpenen,
                              ui.knopUploadBestandKiezen, ui.knopBUploaden, ui.knopBDownloaden})
        knop->setVisible(tonen);
}

Opstarten::Opstarten(FrmFtp& venster) : m_venster(venster)
{
    VensterUi& ui = venster.ui();
    const VensterMenus& m = venster.menus();
    connect(m.mnuTweedeVersie, &QAction::triggered, this, &Opstarten::mnuTweedeVersie_Click);
    connect(m.mnuAfsluiten, &QAction::triggered, this, &Opstarten::mnuAfsluiten_Click);
    connect(m.mnuLaatstelijkeMap, &QAction::triggered, this, &Opstarten::LaatstelijkeMapOphalen);
    connect(m.mnuLaatstelijkeServer, &QAction::triggered, this, &Opstarten::LaatstelijkeServerOphalen);
    // Connecting by the server box uses up the saved server: the captions are made when shown.
    connect(m.mnuLaatstelijke, &QMenu::aboutToShow, this, &Opstarten::LaatstelijkeMenusBijwerken);

    venster.installEventFilter(this);
    ui.knopServergegevens->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.knopServergegevens, ui.LabelLokaal, ui.LabelFtp,
                                                      ui.LabelKnoppenbalk})
        w->installEventFilter(this);
}

void Opstarten::Starten()
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    ConfiguratieVenster& configuratie = m_venster.configuratie();

    // The background label and the column headers were made with the window.
    m_venster.setWindowTitle(AppTitel());

    const ProgrammaOmgeving omgeving = HuidigeProgrammaOmgeving();
    m_programmaPad = omgeving.programmaPad;
    t.CfgBestand = omgeving.cfgBestand;
    t.TijdelijkeMap = omgeving.tijdelijkeMap;

    t.ServerLijst = QStringList{QString()};

    if (const QScreen* scherm = m_venster.screen()) {
        const QRect rand = scherm->geometry();
        const QSize buiten = m_venster.frameGeometry().size();
        m_venster.move(rand.left() + (rand.width() - buiten.width()) / 2,
                       rand.top() + (rand.height() - buiten.height()) / 2);
    }
    VerbindingsmenusZetten(m_venster.menus(), false);

    // The folder the program was started in, on its volume.
    QString map = QDir::currentPath();
    QString geenServer;
    MappenBijwerken(map, geenServer);
    LokaalPaneel& lokaal = m_venster.lokaalPaneel();
    ServerPaneel& server = m_venster.serverPaneel();
    lokaal.SchijfKiezenVoor(map);
    ui.MapLokaal->setText(map);
    lokaal.HuidigeMapZetten(map);

    if (!(ToetsModifiers() & Qt::ShiftModifier)) {
        configuratie.ConfiguratieLezen();
    } else {
        t.ConfiguratieOvergeslagen = true;
        configuratie.ServersNietGelezen();
        QApplication::beep();
        M({.Tekst = QStringLiteral("Configuratie wordt niet geopend en na afsluiten niet opgeslagen"),
           .Pictogram = 1,
           .Knoppen = QString(),
           .Codes = QString(),
           .Knopbreedte = 1280,
           .Centreren = false,
           .SluitenNa = 1250});
    }

    m_venster.verbinding().TimerFtpLokaal_Timer();
    m_venster.indeling().FormulierTonen();
    MenuoptiesAanpassen(m_venster);
    LaatstelijkeMenusBijwerken();
    // Another copy may have files of the work folder open: only the only copy empties it.
    const bool andereKopie = ProcessenTellen(m_programmaPad) >= 2;
    WerkmapInrichten(!andereKopie);
    if (andereKopie) {
        // Not straight over the first copy's window (it read the same file).
        m_venster.move(m_venster.pos() + QPoint(TwipsSchaal::Van(&m_venster).NaarPixelsX(500), 0));
        m_venster.indeling().FormulierTonen();
    }

    if (!t.VullenToegestaan) {
        t.VullenToegestaan = true;
        t.InvoerToegestaan = false;
        lokaal.LijstVullenLokaal(std::nullopt, Soort::Beide, false);
        // Without a server to open there is no connection: the server side starts empty. With
        // one, the connection waits for the window to show.
        if (!configuratie.StartserverGevraagd()) {
            server.HuidigeServermapZetten(QString());
            ui.MapFtp->clear();
            server.VerbondenZetten(false);
        }
        t.InvoerToegestaan = true;
    }
    lokaal.SorteericonsInstellen();
    server.SorteericonsInstellen();
}

void Opstarten::NaTonen()
{
    Toestand& t = m_venster.toestand();
    ConfiguratieVenster& configuratie = m_venster.configuratie();
    if (!m_venster.isVisible()) return;
    // A first start has no server to choose: the way to add one is offered at once.
    if (configuratie.ZonderBestand() && !t.ConfiguratieOvergeslagen && t.ServerLijst.size() <= 1) {
        m_venster.ServergegevensOpenen(true);
        return;
    }
    // Before any login: the passwords it would use may move.
    configuratie.WachtwoordenVerhuizen();
    if (!configuratie.StartserverGevraagd()) return;
    t.InvoerToegestaan = false;
    configuratie.StartserverOpenen();
    ServerPaneel& server = m_venster.serverPaneel();
    if (!server.Verbonden()) {
        server.HuidigeServermapZetten(QString());
        m_venster.ui().MapFtp->clear();
    }
    t.InvoerToegestaan = true;
    m_venster.verbinding().TimerFtpLokaal_Timer();
    LaatstelijkeMenusBijwerken();
    m_venster.lokaalPaneel().SorteericonsInstellen();
    server.SorteericonsInstellen();
}

bool Opstarten::eventFilter(QObject* object, QEvent* event)
{
    VensterUi& ui = m_venster.ui();
    if (object == &m_venster) {
        if (event->type() == QEvent::Show && !m_getoond) {
            m_getoond = true;
            // After the show has been handled: the window paints while the server answers.
            QTimer::singleShot(0, this, &Opstarten::NaTonen);
        } else if (event->type() == QEvent::Close && !Afsluiten()) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* muis = static_cast<QMouseEvent*>(event);
    const auto* besturing = static_cast<QWidget*>(object);
    if (!besturing->rect().contains(muis->position().toPoint())) return false;
    const bool rechts = muis->button() == Qt::RightButton;
    if (object == ui.LabelKnoppenbalk && muis->button() == Qt::LeftButton) {
        // Only for now: the check mark keeps what the next start does.
        KnoppenTonen(ui, ui.knopServergegevens->isHidden());
    } else if (object == ui.LabelKnoppenbalk && rechts) {
        m_venster.menus().mnuBestand->popup(muis->globalPosition().toPoint());
    } else if (object == ui.knopServergegevens && rechts) {
        LaatstelijkeServerOphalen();
    } else if (object == ui.knopServergegevens && muis->button() == Qt::LeftButton) {
        m_venster.ServergegevensOpenen();
    } else if ((object == ui.LabelLokaal || object == ui.LabelFtp) && rechts) {
        LaatstelijkeMapOphalen();
    } else if (object == ui.LabelFtp && muis->button() == Qt::LeftButton) {
        QComboBox* vak = ui.cboVerbindingenFtp;
        vak->setFocus();
        if (vak->count() > 0) vak->showPopup();
    }
    return false;
}

void Opstarten::LaatstelijkeServerOphalen()
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    Verbinding& verbinding = m_venster.verbinding();
    const Opgeslagen& o = t.opgeslagen;
    const QString server = o.OpgeslagenServer;
    if (server.isEmpty()) {
        Melding(QStringLiteral("Bij afsluiten geen laatstelijke server opgeslagen."), 1);
        return;
    }
    t.VerbindenOnderdrukt = true;
    // The listing is of the current server folder: that must be the saved one, not the folder
    // shown before (or none, after a disconnect).
    const QString map = o.OpgeslagenServermap.isEmpty() ? QStringLiteral("/") : o.OpgeslagenServermap;
    ui.MapFtp->setText(map);
    PatroonZetten(*ui.cboPatroonFtp, *ui.LijstBFtp, *ui.knopPatroonFtp, o.OpgeslagenPatroonFtp);
    QComboBox* vak = ui.cboVerbindingenFtp;
    const int plek = vak->findText(server);
    bool gelukt = false;
    if (plek >= 0) {
        {
            const QSignalBlocker stil(vak);
            vak->setCurrentIndex(plek);
        }
        m_venster.serverPaneel().HuidigeServermapZetten(map);
        verbinding.Verbinden(map);
        gelukt = m_venster.serverPaneel().Verbonden();
    }
    if (!gelukt) {
        verbinding.VerbindingVerbreken(false, true);
        verbinding.TimerFtpLokaal_Timer();
        Melding(QStringLiteral("Bij het ophalen van de laatstelijke opgeslagen server '") + server +
                    QStringLiteral("' is iets fout gegaan."),
                4);
    }
    t.VerbindenOnderdrukt = false;
}

void Opstarten::LaatstelijkeMapOphalen()
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    const Opgeslagen& o = t.opgeslagen;
    // The folder box below goes to the folder itself; the drive's root is not read first.
    if (!m_venster.lokaalPaneel().SchijfKiezen(o.OpgeslagenSchijf))
        m_venster.lokaalPaneel().SchijfKiezenVoor(o.OpgeslagenLokalemap);
    ui.MapLokaal->setText(o.OpgeslagenLokalemap);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(ui.MapLokaal, &enter);
}

void Opstarten::LaatstelijkeMenusBijwerken()
{
    const Opgeslagen& o = m_venster.toestand().opgeslagen;
    const VensterMenus& m = m_venster.menus();
    const bool map = !o.OpgeslagenLokalemap.isEmpty();
    m.mnuLaatstelijkeMap->setEnabled(map);
    m.mnuLaatstelijkeMap->setText(map ? QStringLiteral("Lokale map:  ") + Opschrift(o.OpgeslagenLokalemap)
                                      : QStringLiteral("Lokale map"));
    const bool server = !o.OpgeslagenServer.isEmpty();
    m.mnuLaatstelijkeServer->setEnabled(server);
    m.mnuLaatstelijkeServer->setText(server ? QStringLiteral("Servermap : ") + Opschrift(o.OpgeslagenServer) +
                                                  QStringLiteral(" / ") + Opschrift(o.OpgeslagenServermap)
                                            : QStringLiteral("Servermap"));
}

} // namespace Vamox
