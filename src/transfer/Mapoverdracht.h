#pragma once

#include <QObject>
#include <QString>

namespace Vamox {

class FrmFtp;

// Whole folder trees: a local folder with everything below it uploaded into the current server
// folder, or a server folder downloaded into a local folder. Both scan the tree first, ask once
// with the numbers, make the folders, then move the files with a four-way overwrite question
// ("Alle overschrijven" stops the asking for the rest of the run).
class Mapoverdracht final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Mapoverdracht)

public:
    explicit Mapoverdracht(FrmFtp& venster);
    ~Mapoverdracht() override;

    // `lokaleMap` empty: the folder selected in LijstLokaal.
    void UploadenLokalemap(const QString& lokaleMap = {});
    // `serverMap` empty: the folder selected in LijstFtp. `lokaleMap` empty: into the current
    // local folder, after the summary question, with the local lists refreshed afterwards. A
    // given local folder (a drag preparing its data) gets no question and no refresh, and the
    // caption and pointer are left for the caller to restore. Escape ends the run after the
    // file being fetched.
    void DownloadenServermap(const QString& serverMap = {}, const QString& lokaleMap = {});

    void knopUploaden_Click();
    void knopDownloaden_Click();

    // On while a server folder is dragged out of the window: the caption of the download then
    // says "Downloaden" instead of "Kopiëren".
    bool ServermapSlepen = false;

private:
    void Uploaden(QString lokaleMap);
    void Downloaden(QString serverMap, QString lokaleMap);

    FrmFtp& m_venster;
};

} // namespace Vamox
