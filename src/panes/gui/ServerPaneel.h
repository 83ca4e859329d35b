#pragma once

#include "panes/gui/Paneel.h"

#include <QString>
#include <QTimer>

#include <optional>

class QComboBox;
class QWidget;

namespace Vamox {

class FtpBron;
class FtpSession;

// The server side: the lists over the connected server, the folder box MapFtp, and what the
// window shows of the connection (the connected state, the server folder).
class ServerPaneel final : public Paneel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ServerPaneel)

public:
    // `servers` is the server box (its text names the server in notices).
    ServerPaneel(FtpBron& bron, const PaneelUi& ui, const PaneelMenus& menus, QComboBox& servers,
                 const bool& vullenToegestaan);

    FtpSession& sessie() { return m_sessie; }
    const QString& HuidigeServermap() const { return HuidigeMap(); }
    // Sets the server folder the next listing reads ("/a/b/"; "" when none).
    void HuidigeServermapZetten(const QString& map);
    // Whether the window counts as connected (a listing succeeded since the last disconnect).
    bool Verbonden() const { return m_verbonden; }
    void VerbondenZetten(bool verbonden) { m_verbonden = verbonden; }
    bool Beschikbaar() const override { return m_verbonden; }

    // Lists `map` (absent: the current server folder) and refills the lists `soort` names. True
    // when the listing was shown; a failure shows the connection notice and leaves the lists.
    bool LijstVullenFtp(const std::optional<QString>& map = std::nullopt, Soort soort = Soort::Beide,
                        bool deselecteren = false);
    void ToevoegenLijstBFtp(const FtpEntry& entry, Bestandsvulling& vulling);
    // Logs in again with the session's details; with `toonFout` a failure is told.
    bool FtpVerbinden(bool toonFout);
    // Logs in anew and lists the current server folder again.
    void FtpVerversen();
    void Verversen() override { FtpVerversen(); }
    // Subfolders of a server folder (absent: the selected row of LijstFtp); 0 when not
    // connected or the folder list is empty.
    int AantalFtpSubmappen(const std::optional<QString>& map = std::nullopt);
    // The connection or folder failure notice, then ServerkeuzeWissen.
    void VerbindingMisluktMelding();
    // The server box keeps its entries but shows no chosen server.
    void ServerkeuzeWissen();

Q_SIGNALS:
    // A listing made the window connected: the server menus apply.
    void verbonden();

protected:
    QString MapVorm(const QString& map) const override;
    bool VoorLezen() override;
    void LeesfoutMelden(const QString& map, Leesuitkomst uitkomst) override;
    void Gelezen() override;
    bool PlustekenVragen() override;
    void MapVak_Enter() override { MapFtp_Enter(); }
    void MapVak_Escape() override { MapFtp_Escape(); }
    // A typed folder that does not exist is dropped.
    void MapVak_Verlaten() override;

private:
    void MapFtp_Change();
    void MapFtp_Enter();
    void MapFtp_Escape();
    void MapFtpKleurBijwerken();
    void MapFtpControleNu();

    FtpSession& m_sessie;
    QComboBox& m_servers;
    bool m_verbonden = false;
    // The typed folder is looked up on the server once typing pauses, not per keystroke.
    QTimer m_mapFtpControle;
};

} // namespace Vamox
