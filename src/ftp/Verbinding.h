#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace Vamox {

class FrmFtp;
class Invoerblokkade;
struct VensterMenus;

// The menu items that only make sense while connected: the server menu and the uploads.
void VerbindingsmenusZetten(VensterMenus& menus, bool aan);

// Choosing a saved server and connecting to it, disconnecting, and the status timer that keeps
// the two caption labels in step with the local folder and the server. Also fills the session's
// hooks (busy pointer, failure notice, Escape) and keeps the window from taking input while an
// FTP operation runs.
class Verbinding final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Verbinding)

public:
    // The liveness probe (a NOOP) runs at most this often; between probes the last answer stands.
    static constexpr int ProbeIntervalMs = 3000;
    // The probe gives up this soon on a server that does not answer (the window waits meanwhile).
    static constexpr int ProbeTimeoutS = 5;

    explicit Verbinding(FrmFtp& venster);
    ~Verbinding() override;

    void cboVerbindingenFtp_Click();
    // Connects to the saved server named in the server box and lists the current server folder.
    void Verbinden(const QString& map);
    // Closes the connection, after the question when `vragen`; false when the user declined.
    bool VerbindingVerbreken(bool vragen, bool ookNietVerbonden);
    void KnopVerbrekenClick(bool vragen);
    void KnopVerbreken_Click();
    void TimerFtpLokaal_Timer();

    QTimer& TimerFtpLokaal() { return m_timer; }

private:
    bool ServerActief();

    FrmFtp& m_venster;
    std::unique_ptr<Invoerblokkade> m_blokkade;
    QTimer m_timer;
    QElapsedTimer m_sindsProbe;
    bool m_laatsteProbe = false;
};

} // namespace Vamox
