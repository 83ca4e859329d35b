#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QDragMoveEvent;
class QDropEvent;
class QLineEdit;
class QToolButton;
class QWidget;

namespace Vamox {

class LokaalPaneel;
class Selectie;
class ServerPaneel;
class Wachtrij;
struct Sleepvlaggen;

// Drops on the four lists and on the transfer buttons. Which list a drag came from (the drag
// flags, or from outside the window) and where it lands decide the transfer; the transfers are
// asked for through the signals. Files and folders dropped from outside onto the local lists are
// copied here; server paths from another window are fetched.
class Neerzetten final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Neerzetten)

public:
    struct Besturing
    {
        QToolButton* knopBUploaden = nullptr;
        QToolButton* knopBDownloaden = nullptr;
        QToolButton* knopUploadBestandKiezen = nullptr;
        QToolButton* knopVerwijderenMap = nullptr;
        QToolButton* knopVerwijderenBestand = nullptr;
        QToolButton* knopOpenen = nullptr;
        QComboBox* cboVerbindingenFtp = nullptr;
        QStringList* laatsteUploads = nullptr;
    };

    Neerzetten(LokaalPaneel& lokaal, ServerPaneel& server, Selectie& selectie, Wachtrij& wachtrij,
               const Sleepvlaggen& vlaggen, const Besturing& besturing);
    ~Neerzetten() override;

signals:
    // Into the current local folder: the server folder selected in LijstFtp.
    void servermapDownloaden();
    // Into the server folder `servermap` ("/a/sub/"): the local folder selected in LijstLokaal.
    void lokalemapUploaden(const QString& servermap);
    // Into the local folder selected in LijstLokaal.
    void lokaalBestandenKopieren(const QStringList& paden);
    // Into the subfolder `rij` of the target side's current folder.
    void ftpBestandenDownloaden(const QStringList& serverpaden, const QString& rij);
    void lokaalBestandenUploaden(const QStringList& lokalePaden, const QString& rij);
    void ftpBestandenUploaden(const QStringList& serverpaden, const QString& rij);
    // Local files (from index 1 on) into the current server folder.
    void uploaden(const QStringList& paden);
    // As the left button on the download or upload button.
    void downloadenGeselecteerd();
    void uploadenGeselecteerd();
    void uploadbestandNeergezet(const QStringList& paden);
    // A folder or files of the lists dropped on the delete or open buttons: as a click on them.
    void verwijderenMapNeergezet();
    void verwijderenBestandNeergezet();
    void openenNeergezet();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool RijAanwijzen(QDragMoveEvent* event, bool eigenLijst, bool lokaal);
    void LijstLokaal_Over(QDragMoveEvent* event);
    void LijstFtp_Over(QDragMoveEvent* event);
    void LijstBLokaal_Over(QDragMoveEvent* event);
    void LijstBFtp_Over(QDragMoveEvent* event);
    void LijstLokaal_Neer(QDropEvent* event);
    void LijstFtp_Neer(QDropEvent* event);
    void LijstBLokaal_Neer(QDropEvent* event);
    void LijstBFtp_Neer(QDropEvent* event);
    bool KnopNeemt(QObject* knop, const QDropEvent& event) const;
    void BuitenBestandenNeerzetten(const QStringList& lokalePaden, const QStringList& serverpaden);
    void BuitenMappenNeerzetten(const QStringList& paden);
    QString GeselecteerdeMap(bool lokaal) const;

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Selectie& m_selectie;
    Wachtrij& m_wachtrij;
    const Sleepvlaggen& m_vlaggen;
    Besturing m_b;
};

} // namespace Vamox
