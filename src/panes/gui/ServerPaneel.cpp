#include "panes/gui/ServerPaneel.h"

#include "platform/AppInfo.h"
#include "dialogs/Msg.h"
#include "ftp/FtpSession.h"
#include "panes/Mapbron.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Navigatie.h"
#include "platform/gui/Zandloper.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Vamox {

namespace {
// Pause after the last keystroke in MapFtp before the folder is looked up on the server.
constexpr int MapFtpControleMs = 150;
} // namespace

ServerPaneel::ServerPaneel(FtpBron& bron, const PaneelUi& ui, const PaneelMenus& menus, QComboBox& servers,
                           const bool& vullenToegestaan)
    : Paneel(bron, ui, menus, vullenToegestaan), m_sessie(bron.sessie()), m_servers(servers)
{
    connect(ui.map, &QLineEdit::textEdited, this, &ServerPaneel::MapFtp_Change);
    m_mapFtpControle.setSingleShot(true);
    m_mapFtpControle.setInterval(MapFtpControleMs);
    connect(&m_mapFtpControle, &QTimer::timeout, this, &ServerPaneel::MapFtpKleurBijwerken);
}

void ServerPaneel::HuidigeServermapZetten(const QString& map)
{
    HuidigeMapZetten(map);
}

QString ServerPaneel::MapVorm(const QString& map) const
{
    QString folder = map;
    while (folder.endsWith(u'/'))
        folder.chop(1);
    return folder + u'/';
}

bool ServerPaneel::LijstVullenFtp(const std::optional<QString>& map, Soort soort, bool deselecteren)
{
    return LijstVullen(map, soort, deselecteren);
}

bool ServerPaneel::VoorLezen()
{
    return m_sessie.internetHandle() || FtpVerbinden(true);
}

// A listing that fails is a failure (no connection, no such folder, no permission): it is not
// shown as an empty folder.
void ServerPaneel::LeesfoutMelden(const QString& map, Leesuitkomst uitkomst)
{
    Zandloper(false);
    if (uitkomst == Leesuitkomst::TeGroot) {
        Melding(QStringLiteral("De lijst van servermap '") + map +
                    QStringLiteral("' is te groot om te lezen.\r\nDe lijsten blijven zoals ze waren."),
                4);
    } else if (uitkomst == Leesuitkomst::Afgebroken) {
        // Escape while connecting or listing: no fault of the server's.
        Melding(QStringLiteral("Verbinden met de server is geannuleerd."), 1);
        ServerkeuzeWissen();
    } else {
        VerbindingMisluktMelding();
    }
}

void ServerPaneel::Gelezen()
{
    m_verbonden = true;
    Q_EMIT verbonden();
    QString geenLokaal;
    QString map = HuidigeServermap();
    MappenBijwerken(geenLokaal, map);
    HuidigeMapZetten(map);
    ui().label->setText(QStringLiteral("Servermap: ") + map);
    TekstRoodZetten(*ui().label, false);
}

void ServerPaneel::ToevoegenLijstBFtp(const FtpEntry& entry, Bestandsvulling& vulling)
{
    ToevoegenLijstB(entry, vulling);
}

bool ServerPaneel::FtpVerbinden(bool toonFout)
{
    Zandloper(true);
    const bool gelukt = m_sessie.FtpVerbinden();
    Zandloper(false);
    if (gelukt) return true;
    if (toonFout) {
        QString tekst = QStringLiteral("Kan geen verbinding met de server maken.");
        // An SSH server that refused every way in: which ones were tried.
        if (!m_sessie.geprobeerdeAanmeldingen().isEmpty())
            tekst += QStringLiteral("\r\n\r\nAanmelden geweigerd; geprobeerd: ") +
                     m_sessie.geprobeerdeAanmeldingen().join(QStringLiteral(", ")) + u'.';
        PlatformMelding(tekst, AppTitel(), 4, false);
        ui().map->clear();
    }
    return false;
}

void ServerPaneel::FtpVerversen()
{
    QWidget* venster = ui().mappen->window();
    venster->setWindowTitle(QStringLiteral("Even geduld. Ftp server zoeken..."));
    venster->repaint();
    LijstenLeegmaken();
    ui().label->setText(QStringLiteral("Ftp server"));
    m_mapFtpControle.stop();
    TekstRoodZetten(*ui().map, false);
    ui().map->clear();
    venster->repaint();
    ui().map->setText(HuidigeServermap());
    // A fresh login: a refresh is also how a user revives a connection that went stale.
    m_sessie.FtpVerbindingSluiten();
    FtpVerbinden(false);
    LijstVullenFtp(HuidigeServermap(), Soort::Beide, false);
    venster->setWindowTitle(AppTitel());
}

int ServerPaneel::AantalFtpSubmappen(const std::optional<QString>& map)
{
    return AantalSubmappen(map);
}

void ServerPaneel::VerbindingMisluktMelding()
{
    const QString server = m_servers.currentText();
    const QString tekst = server.isEmpty()
                              ? QStringLiteral("Kan geen verbinding met de server maken.")
                              : QStringLiteral("Kan geen verbinding met server '") + server +
                                    QStringLiteral("' maken.\r\nOf map op de server niet gevonden.");
    Melding(tekst, 4);
    ServerkeuzeWissen();
}

void ServerPaneel::ServerkeuzeWissen()
{
    const QSignalBlocker stil(m_servers);
    m_servers.setCurrentIndex(-1);
}

bool ServerPaneel::PlustekenVragen()
{
    QApplication::beep();
    return JaNee(
        {.Tekst = QStringLiteral("Een plusteken in het symbool van de servermappen als deze submappen bevat "
                                 "betekent\r\ndat het zoeken naar de servermappen veel langer duurt.\r\n"
                                 "Doorgaan?"),
         .Pictogram = 2});
}

void ServerPaneel::MapVak_Verlaten()
{
    MapFtpControleNu();
    if (TekstRood(*ui().map)) {
        ui().map->setText(HuidigeServermap());
        TekstRoodZetten(*ui().map, false);
    }
}

void ServerPaneel::MapFtp_Change()
{
    QLineEdit* vak = ui().map;
    if (HuidigeServermap() == QLatin1String("/") && vak->text().isEmpty()) {
        vak->setText(QStringLiteral("/"));
        vak->setCursorPosition(1);
    }
    m_mapFtpControle.start();
}

// Red while the typed folder does not exist on the server. The look-up waits for an idle
// session and is repeated when the text changed while it ran.
void ServerPaneel::MapFtpKleurBijwerken()
{
    if (m_sessie.bezig()) {
        m_mapFtpControle.start();
        return;
    }
    QLineEdit* vak = ui().map;
    const QString tekst = SpatiesWeg(vak->text());
    const bool bestaat = m_sessie.ServerpadBestaat(tekst, true);
    if (SpatiesWeg(vak->text()) != tekst) {
        m_mapFtpControle.start();
        return;
    }
    TekstRoodZetten(*vak, !bestaat);
}

void ServerPaneel::MapFtpControleNu()
{
    if (!m_mapFtpControle.isActive()) return;
    m_mapFtpControle.stop();
    MapFtpKleurBijwerken();
}

void ServerPaneel::MapFtp_Enter()
{
    QLineEdit* vak = ui().map;
    MapFtpControleNu();
    QString tekst = vak->text();
    if (!tekst.endsWith(u'/')) {
        tekst += u'/';
        vak->setText(tekst);
    }
    const auto nietGevonden = [&] {
        Melding(QStringLiteral("Servermap '") + tekst + QStringLiteral("' niet gevonden."), 4);
        vak->setText(HuidigeServermap());
        TekstRoodZetten(*vak, false);
    };
    if (TekstRood(*vak)) {
        nietGevonden();
    } else if (m_verbonden) {
        if (m_sessie.ServerpadBestaat(QStringLiteral("/"), true)) {
            QString map = SpatiesWeg(tekst);
            QString geenLokaal;
            MappenBijwerken(geenLokaal, map);
            HuidigeMapZetten(map);
            if (LijstVullenFtp(map, Soort::Beide, false))
                vak->setText(HuidigeServermap()); // "a/b/" as typed shows as "/a/b/"
            vak->selectAll();
        } else {
            nietGevonden();
        }
    } else {
        VerbindingMisluktMelding();
    }
}

void ServerPaneel::MapFtp_Escape()
{
    if (!m_verbonden) return;
    QLineEdit* vak = ui().map;
    m_mapFtpControle.stop();
    vak->setText(HuidigeServermap());
    TekstRoodZetten(*vak, false);
    vak->selectAll();
}

} // namespace Vamox
