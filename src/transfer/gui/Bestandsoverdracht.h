#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QComboBox;
class QToolButton;
class QWidget;

namespace Vamox {

class FtpSession;
class LokaalPaneel;
class Selectie;
class ServerPaneel;
class Wachtrij;

// Moving selected files between the local disk and the server: the toolbar transfers between
// the two current folders (with the overwrite question, the summary notice and the last-transfer
// lists), and the drop transfers into a subfolder, which never ask. This class gathers the
// selection, asks (the core's planners), hands the files to the transfer queue and, once they
// have moved, tells and refreshes.
class Bestandsoverdracht final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Bestandsoverdracht)

public:
    // The controls and the window state it uses.
    struct Besturing
    {
        QToolButton* knopBDownloaden = nullptr;
        QToolButton* knopBUploaden = nullptr;
        QComboBox* cboVerbindingenFtp = nullptr;
        QAction* mnuBestandFtpDownloaden = nullptr;
        QAction* mnuBestandLokaalUploaden = nullptr;
        QStringList* laatsteDownloads = nullptr; // LaatsteDownloads: element 0 the context
        QStringList* laatsteUploads = nullptr;
        const QString* tijdelijkeMap = nullptr; // the work folder
    };

    Bestandsoverdracht(LokaalPaneel& lokaal, ServerPaneel& server, Selectie& selectie, Wachtrij& wachtrij,
                       const Besturing& besturing);
    ~Bestandsoverdracht() override;

    // The left button downloads the selected server files into the current local folder; the
    // right one asks for the last download again.
    void knopBDownloaden_MouseUp(Qt::MouseButton knop);
    // The left button uploads the selected local files into the current server folder; the
    // right one asks for the last upload again.
    void knopBUploaden_MouseUp(Qt::MouseButton knop);
    // Uploads local files into the current server folder; `paden` from index 1 on (element 0
    // carries no path).
    void Uploaden(const QStringList& paden);

    // Drops on a folder row: the paths (every element one path) are transferred into the
    // subfolder `rij` of the current folder of the target side, which then becomes current,
    // with the transferred names selected. No overwrite question.
    void FtpBestandenDownloaden(const QStringList& serverpaden, const QString& rij);
    void LokaalBestandenUploaden(const QStringList& lokalePaden, const QString& rij);
    // A copy within the server, through the work folder TijdelijkeMap (the copies stay there).
    void FtpBestandenUploaden(const QStringList& serverpaden, const QString& rij);

signals:
    void opnieuwDownloaden();
    void opnieuwUploaden();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Downloaden();
    void UploadenGeselecteerd();
    void UploadenUitvoeren(const QStringList& paden);
    void NaarServermap(const QString& map, const QStringList& namen);
    QString Context() const;

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    FtpSession& m_sessie;
    Selectie& m_selectie;
    Wachtrij& m_wachtrij;
    Besturing m_b;
};

} // namespace Vamox
