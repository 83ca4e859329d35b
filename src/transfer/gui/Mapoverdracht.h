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
class Voortgangsweergave;

// Whole folder trees: a local folder with everything below it uploaded into the current server
// folder, or a server folder downloaded into a local folder. Both scan the tree first, ask once
// with the numbers, then hand the tree to the core's folder flow, which makes the folders and
// moves the files with a four-way overwrite question ("Alle overschrijven" stops the asking for
// the rest of the run), over as many connections as the setting gives.
class Mapoverdracht final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Mapoverdracht)

public:
    // The controls and the window state it uses.
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the progress
        QAbstractButton* knopUploaden = nullptr;
        QAbstractButton* knopDownloaden = nullptr;
        QAction* mnuMapLokaalUploaden = nullptr;
        QAction* mnuMapFtpDownloaden = nullptr;
        bool* bezig = nullptr; // one transfer or search at a time
        const int* verbindingen = nullptr; // the files of a run move over this many at once (unset: 1)
    };

    Mapoverdracht(LokaalPaneel& lokaal, ServerPaneel& server, Voortgangsweergave& voortgang,
                  const Besturing& besturing);
    ~Mapoverdracht() override;

    // `lokaleMap` empty: the folder selected in LijstLokaal. `serverMap` ("/a/b/") empty: into
    // the current server folder. The server side shows the target folder afterwards.
    void UploadenLokalemap(const QString& lokaleMap = {}, const QString& serverMap = {});
    // `serverMap` empty: the folder selected in LijstFtp. `lokaleMap` empty: into the current
    // local folder, after the summary question, with the local lists refreshed afterwards. A
    // given local folder (a drag preparing its data) gets no question and no refresh, and the
    // caption and pointer are left for the caller to restore. Escape ends the run after the
    // file being fetched. True when the whole tree arrived.
    bool DownloadenServermap(const QString& serverMap = {}, const QString& lokaleMap = {});

    void knopUploaden_Click();
    void knopDownloaden_Click();

    // Escape while the session is busy: inside a folder download the first one ends the run
    // after the file being fetched (true: taken here); any other cancels the running transfer.
    bool EscapeInRun();

    // On while a server folder is dragged out of the window: the caption of the download then
    // says "Downloaden" instead of "Kopiëren".
    bool ServermapSlepen = false;

private:
    void Uploaden(QString lokaleMap, const QString& doel);
    bool Downloaden(QString serverMap, QString lokaleMap);
    int Verbindingen() const;

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    FtpSession& m_sessie;
    Voortgangsweergave& m_voortgang;
    Besturing m_b;
    bool m_downloadLoopt = false;
    bool m_escapeInRun = false;
};

} // namespace Vamox
