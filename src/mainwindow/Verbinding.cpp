#include "mainwindow/Verbinding.h"

#include "platform/AppInfo.h"
#include "config/Configuratie.h"
#include "config/ServerRecord.h"
#include "config/SshConfig.h"
#include "config/Wachtwoorden.h"
#include "dialogs/Inp.h"
#include "dialogs/Msg.h"
#include "ftp/FtpSession.h"
#include "mainwindow/ConfiguratieVenster.h"
#include "mainwindow/Opstarten.h"
#include "panes/Mapbron.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Invoerblokkade.h"
#include "platform/gui/Zandloper.h"
#include "transfer/Wachtrij.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace Vamox {

Verbinding::Verbinding(ServerPaneel& server, LokaalPaneel& lokaal, Wachtrij& wachtrij,
                       const QStringList& serverLijst, Wachtwoorden& wachtwoorden, Opgeslagen& opgeslagen,
                       const Besturing& besturing)
    : m_server(server), m_lokaal(lokaal), m_sessie(server.sessie()), m_wachtrij(wachtrij), m_serverLijst(serverLijst),
      m_wachtwoorden(wachtwoorden), m_opgeslagen(opgeslagen), m_b(besturing),
      m_blokkade(std::make_unique<Invoerblokkade>(*besturing.venster)),
      m_vragen(CertificatenBestand(HuidigeProgrammaOmgeving().cfgBestand))
{
    connect(&m_sessie, &FtpSession::bezigGewijzigd, this, &Verbinding::BlokkadeZetten);
    connect(&m_wachtrij, &Wachtrij::bezigGewijzigd, this, &Verbinding::BlokkadeZetten);
    connect(&m_wachtrij, &Wachtrij::wachtenGewijzigd, this, &Verbinding::BlokkadeZetten);
    connect(&m_wachtrij, &Wachtrij::achtergrondGewijzigd, this, &Verbinding::BlokkadeZetten);
    // Certificates are trusted in a file beside the configuration; SSH trust is OpenSSH's.
    Vertrouwensplaatsen plaatsen;
    plaatsen.certificaten = CertificatenBestand(HuidigeProgrammaOmgeving().cfgBestand);
    m_sessie.ZetPlaatsen(plaatsen);
    m_sessie.ZetVragen(&m_vragen);
    connect(m_blokkade.get(), &Invoerblokkade::escapeTijdensBezig, this, &Verbinding::escapeTijdensBezig);
    connect(m_b.cboVerbindingenFtp, &QComboBox::activated, this, &Verbinding::cboVerbindingenFtp_Click);
    connect(m_b.KnopVerbreken, &QAbstractButton::clicked, this, &Verbinding::KnopVerbreken_Click);
    connect(m_b.mnuVerbrekenFtp, &QAction::triggered, this, &Verbinding::KnopVerbreken_Click);

    // The labels name a folder being read as soon as its rows show, not a tick later.
    connect(&m_server, &Paneel::getoondeMapGewijzigd, this, &Verbinding::MaplabelsBijwerken);
    connect(&m_lokaal, &Paneel::getoondeMapGewijzigd, this, &Verbinding::MaplabelsBijwerken);
    m_timer.setInterval(250);
    connect(&m_timer, &QTimer::timeout, this, &Verbinding::TimerFtpLokaal_Timer);
    m_timer.start();
}

Verbinding::~Verbinding()
{
    Zandloper(false);
}

void Verbinding::BlokkadeZetten()
{
    // Transfers that run on the panes' session keep it busy, in the background too.
    const bool wachtrij = m_wachtrij.Bezig() && (!m_wachtrij.Achtergrond() || m_wachtrij.DeeltSessie());
    m_blokkade->ZetBezig(m_sessie.bezig() || m_wachtrij.WachtIemand() || wachtrij);
}

void Verbinding::cboVerbindingenFtp_Click()
{
    QComboBox* vak = m_b.cboVerbindingenFtp;
    QLineEdit* mapFtp = m_server.ui().map;

    const bool laatste =
        !m_opgeslagen.OpgeslagenServer.isEmpty() && vak->currentText() == m_opgeslagen.OpgeslagenServer;
    if (laatste) {
        m_server.HuidigeServermapZetten(m_opgeslagen.OpgeslagenServermap);
        mapFtp->setText(m_opgeslagen.OpgeslagenServermap);
        m_opgeslagen.OpgeslagenServer.clear();
    }
    vak->repaint();
    // A new choice while connected does not reconnect: the user disconnects first.
    if (m_server.Verbonden()) return;
    if (!laatste) {
        m_server.HuidigeServermapZetten(QString());
        mapFtp->clear();
    }
    Zandloper(true);
    Verbinden(QStringLiteral("/"));
    if (m_server.Verbonden()) {
        if (!laatste) m_server.HuidigeServermapZetten(QStringLiteral("/"));
        mapFtp->setText(m_server.HuidigeServermap());
    }
    Zandloper(false);
}

void Verbinding::ServerkantLeegmaken()
{
    // The queue's connections belong to this server: what waits or runs stops, and they log out.
    m_wachtrij.Sluiten();
    m_sessie.FtpVerbindingSluiten();
    m_server.VerbondenZetten(false);
    Q_EMIT verbroken();
    m_server.LijstenLeegmaken();
    m_server.ui().label->setText(QStringLiteral("Ftp server"));
    TekstRoodZetten(*m_server.ui().map, false);
}

void Verbinding::Verbinden(const QString& map)
{
    if (m_serverLijst.size() <= 1) return;

    Zandloper(true);
    ServerkantLeegmaken();
    m_server.ui().mappen->repaint();
    m_server.ui().bestanden->repaint();

    const QString keuze = m_b.cboVerbindingenFtp->currentText();
    for (qsizetype i = 1; i < m_serverLijst.size(); ++i) {
        const ServerRecord server = ServerRecordLezen(m_serverLijst.at(i));
        if (server.Naam != keuze) continue;
        Zandloper(true);
        FtpGegevens gegevens = ServerGegevens(server);
        bool gevraagd = false;
        const std::optional<QString> wachtwoord = AanmeldWachtwoord(server, gevraagd);
        if (!wachtwoord) {
            // The question was cancelled: no login, and no notice of a failed one.
            m_server.ui().map->clear();
            m_server.ServerkeuzeWissen();
            break;
        }
        gegevens.wachtwoord = *wachtwoord;
        // A saved name may be a Host of ~/.ssh/config, as with ssh.
        if (gegevens.protocol == Protocol::Sftp)
            SshConfigToepassen(gegevens, SshConfigLezen(m_sessie.plaatsen().sleutelMap + QStringLiteral("/config")));
        m_b.venster->setWindowTitle(QStringLiteral("Even geduld. Ftp server ") + keuze +
                                    QStringLiteral(" zoeken..."));
        m_sessie.FtpVerbindingOpenen(gegevens);
        m_b.venster->setWindowTitle(AppTitel());
        if (!m_server.LijstVullenFtp(std::nullopt, Soort::Beide, false)) {
            if (gevraagd) m_wachtwoorden.Vergeten(server);
            m_server.ui().map->clear();
            break;
        }
        m_server.ui().map->setText(map);
        // The status timer may have reddened it while a certificate question was open.
        TekstRoodZetten(*m_server.ui().map, false);
    }
    // No saved server of that name leaves nothing that would restore the pointer.
    Zandloper(false);
    m_server.ui().mappen->setFocus();
}

std::optional<QString> Verbinding::AanmeldWachtwoord(const ServerRecord& server, bool& gevraagd)
{
    const Wachtwoorden::Aanmelding a = m_wachtwoorden.VoorAanmelding(server);
    if (a.wachtwoord) return a.wachtwoord;
    QString tekst;
    if (!a.sleutelbos.gelukt())
        tekst = QStringLiteral("De sleutelbos van het bureaublad ") + SleutelbosReden(a.sleutelbos) +
                QStringLiteral(".\r\n\r\n");
    tekst += QStringLiteral("Wachtwoord van ") + server.Gebruikersnaam + QStringLiteral(" voor server '") +
             server.Naam + QStringLiteral("':");
    Zandloper(false);
    const QString wachtwoord = i({.Tekst = tekst, .Pictogram = 2, .Verborgen = true});
    Zandloper(true);
    if (wachtwoord.isEmpty()) return std::nullopt;
    // Kept for this run only: it was asked, not saved.
    m_wachtwoorden.Onthouden(server, wachtwoord);
    gevraagd = true;
    return wachtwoord;
}

bool Verbinding::VerbindingVerbreken(bool vragen, bool ookNietVerbonden)
{
    if (ookNietVerbonden || m_server.Verbonden()) {
        if (vragen) {
            // Transfers under way stop with the connection: the question says so.
            const QString lopend =
                m_wachtrij.Bezig() ? QStringLiteral("Er lopen nog overdrachten; die worden gestopt.\r\n") : QString();
            const bool ja =
                JaNee({.Tekst = lopend + QStringLiteral("Verbinding met server '") +
                                m_b.cboVerbindingenFtp->currentText() + QStringLiteral("' verbreken?"),
                       .Pictogram = 4});
            if (!ja) return false;
        }
        ServerkantLeegmaken();
        m_server.ui().map->clear();
        m_server.HuidigeServermapZetten(QString());
    }
    m_server.ServerkeuzeWissen();
    return true;
}

void Verbinding::KnopVerbrekenClick(bool vragen)
{
    if (!VerbindingVerbreken(vragen, false)) return;
    m_server.HuidigeServermapZetten(QString());
    TimerFtpLokaal_Timer();
    m_server.ui().map->clear();
    m_server.LijstenLeegmaken();
    // No pattern is left in force: the italics that tell of one go too.
    const PaneelUi& ui = m_server.ui();
    PatroonZetten(*ui.patroon, *ui.bestanden, *ui.knopPatroon, QString());
    ui.patroon->clear();
    m_b.VakZoekenFtp->clear();
}

void Verbinding::KnopVerbreken_Click()
{
    KnopVerbrekenClick(true);
}

// Listing the server four times a second, as a liveness test, would be a load on it: a NOOP
// every few seconds while connected tells as much. A listing that succeeded counts as an answer.
bool Verbinding::ServerActief()
{
    if (!m_server.Verbonden()) {
        m_laatsteProbe = false;
        return false;
    }
    if (!m_laatsteProbe) {
        m_laatsteProbe = true;
        m_sindsProbe.start();
    }
    if (m_sessie.bezig() || m_sindsProbe.elapsed() < ProbeIntervalMs) return true;
    const bool actief = m_sessie.FtpVerbindingPeilen(ProbeTimeoutS);
    m_sindsProbe.start();
    m_laatsteProbe = actief;
    return actief;
}

void Verbinding::MaplabelsBijwerken()
{
    // Only the folder named changes here; whether the label is red is the timer's to say.
    static const QString lokaal = QStringLiteral("Lokale map: ");
    static const QString server = QStringLiteral("Servermap: ");
    if (m_lokaal.ui().label->text().startsWith(lokaal))
        m_lokaal.ui().label->setText(lokaal + m_lokaal.GetoondeMap());
    if (m_server.ui().label->text().startsWith(server))
        m_server.ui().label->setText(server + m_server.GetoondeMap());
}

void Verbinding::TimerFtpLokaal_Timer()
{
    const PaneelUi& lokaal = m_lokaal.ui();
    const PaneelUi& server = m_server.ui();
    if (LokaleMapBestaat(m_lokaal.HuidigeLokalemap())) {
        TekstRoodZetten(*lokaal.label, false);
        lokaal.label->setText(QStringLiteral("Lokale map: ") + m_lokaal.GetoondeMap());
    } else {
        TekstRoodZetten(*lokaal.label, true);
        lokaal.label->setText(QStringLiteral("Lokaal"));
    }

    if (ServerActief()) {
        TekstRoodZetten(*server.label, false);
        server.label->setText(QStringLiteral("Servermap: ") + m_server.GetoondeMap());
    } else {
        m_server.VerbondenZetten(false);
        TekstRoodZetten(*server.label, true);
        TekstRoodZetten(*server.map, true);
        server.label->setText(QStringLiteral("Ftp server niet verbonden"));
    }

    // A typed folder that is not applied yet greys the lists that still show the old one.
    const bool lokaalGrijs = lokaal.map->text() != m_lokaal.HuidigeLokalemap();
    lokaal.mappen->lijstModel().ZetGrijs(lokaalGrijs);
    lokaal.bestanden->lijstModel().ZetGrijs(lokaalGrijs);
    const bool serverGrijs = server.map->text() != m_server.HuidigeServermap();
    server.mappen->lijstModel().ZetGrijs(serverGrijs);
    server.bestanden->lijstModel().ZetGrijs(serverGrijs);
}

} // namespace Vamox
