#include "mainwindow/Opstarten.h"

#include "platform/AppInfo.h"
#include "dialogs/Msg.h"
#include "fileops/Werkmapstart.h"
#include "mainwindow/ConfiguratieVenster.h"
#include "mainwindow/FrmFtp.h"
#include "mainwindow/Verbinding.h"
#include "panes/gui/ServerPaneel.h"
#include "search/gui/Zoekopdracht.h"
#include "platform/Processen.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTimer>

namespace Vamox {

bool Opstarten::Afsluiten()
{
    if (m_sluitend) return false;
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    // The flow waiting for the server is still on the stack below this event: closing now would
    // pull the window from under it. It is cancelled, and the window closes once it has returned.
    if (m_sluitenNaBezig) {
        if (Bezig() || QApplication::activeModalWidget()) return false;
    } else {
        m_sluitend = true;
        const int antwoord = PlatformMelding(AppTitel() + QStringLiteral(" afsluiten?"), AppTitel(), 3, true);
        m_sluitend = false;
        if (antwoord != 1) return false;
        if (Bezig()) {
            SluitenNaBezig();
            return false;
        }
    }
    m_sluitend = true;
    m_venster.verbinding().TimerFtpLokaal().stop();
    s.FtpVerbindingSluiten();
    m_venster.serverPaneel().VerbondenZetten(false);

    if (m_venster.menus().mnuConfiguratieOpslaan->isChecked()) {
        bool schrijven = true;
        if (t.ConfiguratieOvergeslagen)
            schrijven = JaNee({.Tekst = QStringLiteral("Configuratie opslaan?"),
                               .Pictogram = 2,
                               .Codes = QStringLiteral("2+1")});
        if (schrijven) m_venster.configuratie().ConfiguratieSchrijven();
    }
    // Another copy still running uses the work folder; the last one to close removes it.
    if (m_eigenWerkmap || ProcessenTellen(m_programmaPad) < 2) WerkmapVerwijderen();
    m_sluitend = false;
    return true;
}

bool Opstarten::Bezig() const
{
    const Toestand& t = m_venster.toestand();
    return t.sessie.bezig() || t.wachtrij.Bezig() || t.wachtrij.WachtIemand() || m_venster.zoekopdracht().Bezig();
}

void Opstarten::SluitenNaBezig()
{
    m_sluitenNaBezig = true;
    m_venster.verbinding().TimerFtpLokaal().stop();
    FtpSession& sessie = m_venster.toestand().sessie;
    sessie.afbreken();
    m_venster.toestand().wachtrij.Stoppen();
    // What the flow still sends after the cancel is cancelled as it starts.
    connect(&sessie, &FtpSession::bezigGewijzigd, this, [&sessie](bool bezig) {
        if (bezig) sessie.afbreken();
    });
    auto* wacht = new QTimer(this);
    connect(wacht, &QTimer::timeout, this, [this, wacht] {
        // A notice or question of the flow still has the flow below it.
        if (Bezig() || QApplication::activeModalWidget()) return;
        wacht->deleteLater();
        m_venster.close();
    });
    wacht->start(50);
}

void Opstarten::WerkmapInrichten(bool legen)
{
    Toestand& t = m_venster.toestand();
    const Werkmapstart start = Vamox::WerkmapInrichten(t.TijdelijkeMap, legen);
    m_eigenWerkmap = start.eigen;
    if (start.geweigerd != Padstaat::Ontbreekt) {
        const QString waarom = start.geweigerd == Padstaat::Koppeling ? QStringLiteral("is een koppeling")
                               : start.geweigerd == Padstaat::VanAnder
                                   ? QStringLiteral("is van een andere gebruiker")
                                   : QStringLiteral("is geen map");
        Melding(QStringLiteral("De werkmap\r\n ") + t.TijdelijkeMap + QStringLiteral("\r\n") + waarom +
                    QStringLiteral(" en wordt niet gebruikt.\r\nDe werkmap is nu\r\n ") + start.map,
                3);
    }
    t.TijdelijkeMap = start.map;
}

void Opstarten::WerkmapVerwijderen()
{
    WerkmapOpruimen(m_venster.toestand().TijdelijkeMap);
}

void Opstarten::mnuAfsluiten_Click()
{
    m_venster.close();
}

void Opstarten::mnuTweedeVersie_Click()
{
    // The new copy starts from the settings as they are now.
    m_venster.configuratie().ConfiguratieSchrijven();
    QApplication::beep();
    if (!QProcess::startDetached(m_programmaPad, {}))
        Melding(AppTitel() + QStringLiteral(" kan niet nog een keer worden gestart."), 4);
}

} // namespace Vamox
