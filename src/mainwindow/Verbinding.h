#pragma once

#include "mainwindow/Aanmeldvensters.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QComboBox;
class QLineEdit;
class QWidget;

namespace Vamox {

class FtpSession;
class Invoerblokkade;
struct Opgeslagen;
class LokaalPaneel;
class ServerPaneel;
struct ServerRecord;
class Wachtrij;
class Wachtwoorden;


// Choosing a saved server and connecting to it, disconnecting, and the status timer that keeps
// the two caption labels in step with the local folder and the server. Also keeps the window
// from taking input while an FTP operation of the panes runs, and while the transfer queue works
// (unless the transfers go in the background) or a flow waits for its files.
class Verbinding final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Verbinding)

public:
    // The liveness probe (a NOOP) runs at most this often; between probes the last answer stands.
    static constexpr int ProbeIntervalMs = 3000;
    // The probe gives up this soon on a server that does not answer (the window waits meanwhile).
    static constexpr int ProbeTimeoutS = 5;

    // The controls it serves besides the two sides: the server box, the disconnect button and
    // menu item, the server side's search box. `venster` shows the progress caption;
    // `serverLijst` is the saved servers.
    struct Besturing
    {
        QWidget* venster = nullptr;
        QComboBox* cboVerbindingenFtp = nullptr;
        QAbstractButton* KnopVerbreken = nullptr;
        QAction* mnuVerbrekenFtp = nullptr;
        QLineEdit* VakZoekenFtp = nullptr;
    };
    // `wachtwoorden` gives each login its password (the file, the keyring, or asked).
    Verbinding(ServerPaneel& server, LokaalPaneel& lokaal, Wachtrij& wachtrij, const QStringList& serverLijst,
               Wachtwoorden& wachtwoorden, Opgeslagen& opgeslagen, const Besturing& besturing);
    ~Verbinding() override;

    void cboVerbindingenFtp_Click();
    // Connects to the saved server named in the server box and lists the current server folder.
    void Verbinden(const QString& map);
    // Closes the connection, after the question when `vragen`; false when the user declined.
    bool VerbindingVerbreken(bool vragen, bool ookNietVerbonden);
    void KnopVerbrekenClick(bool vragen);
    void KnopVerbreken_Click();
    // The labels name the folder each side shows, or is reading.
    void MaplabelsBijwerken();
    void TimerFtpLokaal_Timer();

    QTimer& TimerFtpLokaal() { return m_timer; }

Q_SIGNALS:
    // The connection closed: the server menus no longer apply.
    void verbroken();
    // Escape while an FTP operation runs.
    void escapeTijdensBezig();

private:
    bool ServerActief();
    // The password to log in with; absent when the user cancelled its question. `gevraagd` tells
    // that it was asked now (and is to be forgotten when the server refuses it).
    std::optional<QString> AanmeldWachtwoord(const ServerRecord& server, bool& gevraagd);
    void ServerkantLeegmaken();
    void BlokkadeZetten();

    ServerPaneel& m_server;
    LokaalPaneel& m_lokaal;
    FtpSession& m_sessie;
    Wachtrij& m_wachtrij;
    const QStringList& m_serverLijst;
    Wachtwoorden& m_wachtwoorden;
    Opgeslagen& m_opgeslagen;
    Besturing m_b;
    std::unique_ptr<Invoerblokkade> m_blokkade;
    Aanmeldvensters m_vragen; // the login's questions, for the panes' session
    QTimer m_timer;
    QElapsedTimer m_sindsProbe;
    bool m_laatsteProbe = false;
};

} // namespace Vamox
