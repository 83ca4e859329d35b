#pragma once

#include <QObject>

class QAction;
class QToolButton;
class QWidget;

namespace Vamox {

class LijstWeergave;
class LokaalPaneel;
class Navigatie;
class Paneel;
class ServerPaneel;
class Wachtrij;

// Deleting on the active side: the selected files (local ones to the trash or for good, server
// ones after a question) or the selected folder with its whole tree (after two questions). The
// work is the core's deletion flows; this class asks, refills and selects again.
class Verwijdering final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Verwijdering)

public:
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the steps of a tree deletion
        QToolButton* knopVerwijderenBestand = nullptr;
        QToolButton* knopVerwijderenMap = nullptr;
        QAction* mnuBestandLokaalVerwijderen = nullptr;
        QAction* mnuBestandFtpVerwijderen = nullptr;
        QAction* mnuMapLokaalVerwijderen = nullptr;
        QAction* mnuMapFtpVerwijderen = nullptr;
    };

    // `wachtrij` tells which folders its transfers still need: those are not deleted.
    Verwijdering(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, const Wachtrij& wachtrij,
                 const Besturing& besturing);

    void knopVerwijderenBestand_Click();
    void knopVerwijderenMap_Click();
    // The folder selected in LijstFtp / LijstLokaal with its tree. `verversen`: refill the side
    // afterwards. True when both questions were answered yes and the deletion ran.
    bool VerwijderenServermap(bool verversen);
    bool VerwijderenLokalemap(bool verversen);

private:
    void BestandenFtp();
    void BestandenLokaal();
    void Map();

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Navigatie& m_navigatie;
    const Wachtrij& m_wachtrij;
    Besturing m_b;
};

} // namespace Vamox
