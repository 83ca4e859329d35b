#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QToolButton;
class QWidget;

namespace Vamox {

class FtpSession;
class LokaalPaneel;
class Navigatie;
class Paneel;
class ServerPaneel;
class Wachtrij;

// Copies within a side: the numbered copy of the current file of the active side ("naam (kopie
// n).ext" beside it; on the server through the work folder, as a job of the transfer queue), and
// local files dropped onto a row of the local folder list, copied into that folder. The work itself
// is the core's Kopieren.
class Bestandkopie final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Bestandkopie)

public:
    // The controls and the window state it uses.
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the progress
        QToolButton* knopKopierenBestand = nullptr;
        QAction* mnuBestandLokaalKopieren = nullptr;
        QAction* mnuBestandFtpKopieren = nullptr;
        const QString* tijdelijkeMap = nullptr; // the work folder
    };

    Bestandkopie(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, Wachtrij& wachtrij,
                 const Besturing& besturing);
    ~Bestandkopie() override;

    // Copies the current file of the active side and leaves only the copy selected.
    void knopKopierenBestand_Click();
    // Copies the local files (paths) into the folder of the selected row of LijstLokaal, replacing
    // files of the same name; that folder is shown afterwards with exactly those files selected.
    void LokaalBestandenKopieren(const QStringList& paden);

private:
    // The copy `kopie` of `naam` was made (shown, selected) or not ("": told).
    // The local files of a copy into a folder, shown and selected there.
    void Getoond(const QString& doel, const QStringList& gekopieerd);
    void Gekopieerd(Paneel& paneel, const QString& naam, const QString& kopie, bool server);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    FtpSession& m_sessie;
    Navigatie& m_navigatie;
    Wachtrij& m_wachtrij;
    Besturing m_b;
};

} // namespace Vamox
