#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace Vamox {

class Bestandsvulling;
class FrmFtp;

// The server side of the main window: fills the folder list LijstFtp and the file list LijstBFtp
// from a listing of the connected server, and handles the events of those lists and of the
// folder box MapFtp.
class ServerPaneel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ServerPaneel)

public:
    explicit ServerPaneel(FrmFtp& venster);

    // Lists `map` (absent: the current server folder) and fills the folder list when `soort`
    // starts with "1" and the file list when it ends with "1". True when the listing was shown;
    // a failure shows the connection notice and leaves the lists as they were.
    bool LijstVullenFtp(const std::optional<QString>& map = std::nullopt,
                        const QString& soort = QStringLiteral("11"), bool deselecteren = false);
    // One listing line "name<15>date<15>size" as a row of the fill, when the pattern lets it.
    void ToevoegenLijstBFtp(const QString& regel, Bestandsvulling& vulling);
    // Logs in anew and lists the current server folder again.
    void FtpVerversen();
    // Subfolders of a server folder (absent: the selected row of LijstFtp); 0 when not
    // connected or the folder list is empty.
    int AantalFtpSubmappen(const std::optional<QString>& map = std::nullopt);
    // The connection or folder failure notice, then ServerkeuzeWissen.
    void VerbindingMisluktMelding();
    // The server box keeps its entries but shows no chosen server.
    void ServerkeuzeWissen();

    void LijstFtp_DblClick();
    void LijstFtp_KeyUp(int toets, Qt::KeyboardModifiers modifiers);
    void LijstFtp_MouseUp(Qt::MouseButton knop, QPoint plek);
    void LijstBFtp_DblClick();
    void LijstBFtp_KeyUp(int toets, Qt::KeyboardModifiers modifiers);
    void LijstBFtp_MouseUp(Qt::MouseButton knop, QPoint plek);
    void mnuPlusFtp_Click(bool aan);
    void mnuPlusBijSubmappenFtp_Click(bool aan);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool Mislukt();
    int SubmappenTellen(const QString& map);
    bool PlustekenVragen();
    void MapFtp_Change();
    void MapFtp_Enter();
    void MapFtp_Escape();
    void MapFtpKleurBijwerken();
    void MapFtpControleNu();

    FrmFtp& m_venster;
    // The typed folder is looked up on the server once typing pauses, not per keystroke.
    QTimer m_mapFtpControle;
};

} // namespace Vamox
