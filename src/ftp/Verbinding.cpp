#include "ftp/Verbinding.h"

#include "config/ServerRecord.h"
#include "dialogs/Msg.h"
#include "mainwindow/AppInfo.h"
#include "mainwindow/FrmFtp.h"
#include "panes/LijstWeergave.h"
#include "panes/LokaalPaneel.h"
#include "panes/Navigatie.h"
#include "panes/ServerPaneel.h"
#include "platform/Invoerblokkade.h"
#include "platform/Toetsenbord.h"
#include "platform/Zandloper.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include <algorithm>

namespace Vamox {

void VerbindingsmenusZetten(VensterMenus& menus, bool aan)
{
    menus.mnuFtp->menuAction()->setEnabled(aan);
    menus.mnuMapLokaalUploaden->setEnabled(aan);
    menus.mnuBestandLokaalUploaden->setEnabled(aan);
    menus.mnuBestandLokaalOpnieuwUploaden->setEnabled(aan);
}

Verbinding::Verbinding(FrmFtp& venster)
    : m_venster(venster), m_blokkade(std::make_unique<Invoerblokkade>(venster))
{
    VensterUi& ui = venster.ui();
    FtpSession& s = venster.toestand().sessie;

    s.zandloper = [](bool aan) { Zandloper(aan); };
    s.bijMislukteVerbinding = [this] {
        PlatformMelding(QStringLiteral("Kan geen verbinding met de server maken."), AppTitel(), 4, false);
        m_venster.ui().MapFtp->clear();
    };
    s.escapeIngedrukt = [] { return EscapeIngedrukt(); };
    connect(&s, &FtpSession::bezigGewijzigd, m_blokkade.get(), &Invoerblokkade::ZetBezig);

    connect(ui.cboVerbindingenFtp, &QComboBox::activated, this, &Verbinding::cboVerbindingenFtp_Click);
    connect(ui.KnopVerbreken, &QToolButton::clicked, this, &Verbinding::KnopVerbreken_Click);
    connect(venster.menus().mnuVerbrekenFtp, &QAction::triggered, this, &Verbinding::KnopVerbreken_Click);

    m_timer.setInterval(250);
    connect(&m_timer, &QTimer::timeout, this, &Verbinding::TimerFtpLokaal_Timer);
    m_timer.start();
}

Verbinding::~Verbinding()
{
    FtpSession& s = m_venster.toestand().sessie;
    s.zandloper = nullptr;
    s.bijMislukteVerbinding = nullptr;
    s.escapeIngedrukt = nullptr;
    Zandloper(false);
}

void Verbinding::cboVerbindingenFtp_Click()
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    QComboBox* vak = ui.cboVerbindingenFtp;

    const bool laatste = !t.OpgeslagenServer.isEmpty() && vak->currentText() == t.OpgeslagenServer;
    if (laatste) {
        s.HuidigeServermap = t.OpgeslagenServermap;
        ui.MapFtp->setText(t.OpgeslagenServermap);
        t.OpgeslagenServer.clear();
    }
    vak->repaint();
    // A new choice while connected does not reconnect: the user disconnects first.
    if (s.Verbonden) return;
    if (!laatste) {
        s.HuidigeServermap.clear();
        ui.MapFtp->clear();
    }
    Zandloper(true);
    Verbinden(QStringLiteral("/"));
    if (s.Verbonden) {
        if (laatste) {
            ui.MapFtp->setText(s.HuidigeServermap);
        } else {
            s.HuidigeServermap = QStringLiteral("/");
            ui.MapFtp->setText(s.HuidigeServermap);
        }
    }
    Zandloper(false);
}

void Verbinding::Verbinden(const QString& map)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    if (t.ServerLijst.size() <= 1) return;

    Zandloper(true);
    s.FtpVerbindingSluiten();
    s.Verbonden = false;
    VerbindingsmenusZetten(m_venster.menus(), false);
    ui.LijstFtp->lijstModel().Leegmaken();
    ui.LijstBFtp->lijstModel().Leegmaken();
    ui.LijstFtp->repaint();
    ui.LijstBFtp->repaint();
    ui.LabelFtp->setText(QStringLiteral("Ftp server"));
    TekstkleurZetten(*ui.MapFtp, Zwart);

    const QString keuze = ui.cboVerbindingenFtp->currentText();
    for (qsizetype i = 1; i < t.ServerLijst.size(); ++i) {
        const ServerRecord server = ServerRecordLezen(t.ServerLijst.at(i));
        if (server.Naam != keuze) continue;
        Zandloper(true);
        s.host = server.FtpHost;
        s.gebruiker = server.Gebruikersnaam;
        s.wachtwoord = server.Wachtwoord;
        bool poortOk = false;
        const uint poort = server.FtpPoort.trimmed().toUInt(&poortOk);
        s.poort = poortOk && poort > 0 && poort <= 65535 ? static_cast<quint16>(poort) : 21;
        m_venster.setWindowTitle(QStringLiteral("Even geduld. Ftp server ") + keuze +
                                 QStringLiteral(" zoeken..."));
        s.FtpVerbinden(false);
        m_venster.setWindowTitle(AppTitel());
        if (!m_venster.serverPaneel().LijstVullenFtp(std::nullopt, QStringLiteral("11"), false)) {
            ui.MapFtp->clear();
            break;
        }
        ui.MapFtp->setText(map);
    }
    // No saved server of that name leaves nothing that would restore the pointer.
    Zandloper(false);
    ui.LijstFtp->setFocus();
}

bool Verbinding::VerbindingVerbreken(bool vragen, bool ookNietVerbonden)
{
    FtpSession& s = m_venster.toestand().sessie;
    VensterUi& ui = m_venster.ui();
    if (ookNietVerbonden || s.Verbonden) {
        if (vragen) {
            const int knop =
                M({.Tekst = QStringLiteral("Verbinding met server '") + ui.cboVerbindingenFtp->currentText() +
                            QStringLiteral("' verbreken?"),
                   .Pictogram = 4,
                   .Knoppen = QStringLiteral("&Ja+&Nee"),
                   .Codes = QStringLiteral("1+2"),
                   .Knopbreedte = 1280,
                   .Centreren = true});
            if (knop != 1) return false;
        }
        s.FtpVerbindingSluiten();
        s.Verbonden = false;
        VerbindingsmenusZetten(m_venster.menus(), false);
        ui.LijstFtp->lijstModel().Leegmaken();
        ui.LijstBFtp->lijstModel().Leegmaken();
        ui.LabelFtp->setText(QStringLiteral("Ftp server"));
        TekstkleurZetten(*ui.MapFtp, Zwart);
        ui.MapFtp->clear();
        s.HuidigeServermap.clear();
    }
    m_venster.serverPaneel().ServerkeuzeWissen();
    return true;
}

void Verbinding::KnopVerbrekenClick(bool vragen)
{
    if (!VerbindingVerbreken(vragen, false)) return;
    VensterUi& ui = m_venster.ui();
    m_venster.toestand().sessie.HuidigeServermap.clear();
    TimerFtpLokaal_Timer();
    ui.MapFtp->clear();
    ui.LijstFtp->lijstModel().Leegmaken();
    ui.LijstBFtp->lijstModel().Leegmaken();
    ui.cboPatroonFtp->clear();
    ui.VakZoekenFtp->clear();
}

void Verbinding::KnopVerbreken_Click()
{
    KnopVerbrekenClick(true);
}

// Listing the server four times a second, as a liveness test, would be a load on it: a NOOP
// every few seconds while connected tells as much. A listing that succeeded counts as an answer.
bool Verbinding::ServerActief()
{
    FtpSession& s = m_venster.toestand().sessie;
    if (!s.Verbonden) {
        m_laatsteProbe = false;
        return false;
    }
    if (!m_laatsteProbe) {
        m_laatsteProbe = true;
        m_sindsProbe.start();
    }
    if (s.bezig() || m_sindsProbe.elapsed() < ProbeIntervalMs) return true;
    const FtpTijden tijden = s.tijden;
    s.tijden.verbindenS = std::min(tijden.verbindenS, ProbeTimeoutS);
    s.tijden.antwoordS = std::min(tijden.antwoordS, ProbeTimeoutS);
    const bool actief = s.FtpVerbindingActief();
    s.tijden = tijden;
    m_sindsProbe.start();
    m_laatsteProbe = actief;
    return actief;
}

void Verbinding::TimerFtpLokaal_Timer()
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();

    if (LokaleMapBestaat(t.HuidigeLokalemap)) {
        TekstkleurZetten(*ui.LabelLokaal, Zwart);
        ui.LabelLokaal->setText(QStringLiteral("Lokale map: ") + t.HuidigeLokalemap);
    } else {
        TekstkleurZetten(*ui.LabelLokaal, Rood);
        ui.LabelLokaal->setText(QStringLiteral("Lokaal"));
    }

    if (ServerActief()) {
        TekstkleurZetten(*ui.LabelFtp, Zwart);
        ui.LabelFtp->setText(QStringLiteral("Servermap: ") + s.HuidigeServermap);
    } else {
        s.Verbonden = false;
        TekstkleurZetten(*ui.LabelFtp, Rood);
        TekstkleurZetten(*ui.MapFtp, Rood);
        ui.LabelFtp->setText(QStringLiteral("Ftp server niet verbonden"));
    }

    // A typed folder that is not applied yet greys the lists that still show the old one.
    const bool lokaalGrijs = ui.MapLokaal->text() != t.HuidigeLokalemap;
    ui.LijstLokaal->lijstModel().ZetGrijs(lokaalGrijs);
    ui.LijstBLokaal->lijstModel().ZetGrijs(lokaalGrijs);
    const bool serverGrijs = ui.MapFtp->text() != s.HuidigeServermap;
    ui.LijstFtp->lijstModel().ZetGrijs(serverGrijs);
    ui.LijstBFtp->lijstModel().ZetGrijs(serverGrijs);
}

} // namespace Vamox
