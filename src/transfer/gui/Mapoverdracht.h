#pragma once

#include <QObject>
#include <QString>

class QAbstractButton;
class QAction;
class QWidget;

namespace Vamox {

class FtpSession;
class LokaalPaneel;
class ServerPaneel;
class Wachtrij;

// Whole folder trees: a local folder with everything below it uploaded into the current server
// folder, or a server folder downloaded into a local folder. Both scan the tree first, ask once
// with the numbers, then let the core's planner make the folders and ask the four-way overwrite
// question ("Alle overschrijven" stops the asking for the rest of the run), and hand the files to
// the transfer queue; the notice and the refresh follow when they have moved.
class Mapoverdracht final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Mapoverdracht)

public:
    // The controls and the window state it uses.
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the scans
        QAbstractButton* knopUploaden = nullptr;
        QAbstractButton* knopDownloaden = nullptr;
        QAction* mnuMapLokaalUploaden = nullptr;
        QAction* mnuMapFtpDownloaden = nullptr;
    };

    Mapoverdracht(LokaalPaneel& lokaal, ServerPaneel& server, Wachtrij& wachtrij, const Besturing& besturing);
    ~Mapoverdracht() override;

    // `lokaleMap` empty: the folder selected in LijstLokaal. `serverMap` ("/a/b/") empty: into
    // the current server folder. The server side shows the target folder afterwards.
    void UploadenLokalemap(const QString& lokaleMap = {}, const QString& serverMap = {});
    // `serverMap` empty: the folder selected in LijstFtp. `lokaleMap` empty: into the current
    // local folder, after the summary question, with the local lists refreshed afterwards; the
    // first Escape ends the run once the files under way are done. A given local folder (a drag
    // preparing its data) gets no question and no refresh, goes before what waits in the queue and
    // is waited for, and the caption and pointer are left for the caller to restore; true when the
    // whole tree arrived.
    bool DownloadenServermap(const QString& serverMap = {}, const QString& lokaleMap = {});

    void knopUploaden_Click();
    void knopDownloaden_Click();

    // On while a server folder is dragged out of the window: the caption of the download then
    // says "Downloaden" instead of "Kopiëren".
    bool ServermapSlepen = false;

private:
    void Uploaden(QString lokaleMap, const QString& doel);
    bool Downloaden(QString serverMap, QString lokaleMap);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    FtpSession& m_sessie;
    Wachtrij& m_wachtrij;
    Besturing m_b;
};

} // namespace Vamox
