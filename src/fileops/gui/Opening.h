#pragma once

#include "ftp/FtpSession.h"

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QToolButton;
class QWidget;

namespace Vamox {

class LijstWeergave;
class LokaalPaneel;
class Navigatie;
class ServerPaneel;
class Wachtrij;

// Opening the selected file of the active side with its program or in the plain-text editor. A
// server file is fetched into the work folder first; once the user has been in another program
// and comes back to the window, the question whether to send it back follows.
class Opening final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Opening)

public:
    struct Besturing
    {
        QWidget* venster = nullptr; // the question to send back stands at its top-left corner
        QToolButton* knopOpenen = nullptr;
        QAction* mnuBestandLokaalOpenen = nullptr;
        QAction* mnuBestandFtpOpenen = nullptr;
        const QString* tijdelijkeMap = nullptr; // the work folder
    };

    Opening(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, Wachtrij& wachtrij,
            const Besturing& besturing);
    ~Opening() override;

    void knopOpenen_Click();
    // Server files opened and not yet asked about.
    std::size_t Wachtend() const { return m_wachtend.size(); }

protected:
    // The window's activation: left for another program, and back.
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    struct Terugzending
    {
        QString serverPad;
        QString kopie;
        FtpGegevens server; // the copy belongs to this server only
    };

    bool BestandLokaalOpenen2(const QString& naam);
    bool BestandFtpOpenen(const QString& naam, qint64 grootte);
    void Terugsturen();
    void Terugzenden(const Terugzending& t);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Navigatie& m_navigatie;
    Wachtrij& m_wachtrij;
    Besturing m_b;
    std::vector<Terugzending> m_wachtend;
    bool m_weggeweest = false; // another program had the focus since a file was opened
};

} // namespace Vamox
