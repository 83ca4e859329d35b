#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace Vamox {

class LijstWeergave;
class ServerPaneel;
class Wachtrij;

// "Rechten…" of the server lists: the window for the selected files (the file list) or folder
// (the folder list), then the change as one run of the transfer queue, and the lists read again
// so that they show what the server now has.
class Rechtenwijziging final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Rechtenwijziging)

public:
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the walk of a folder tree
        QAction* mnuMapFtpRechten = nullptr;
        QAction* mnuBestandFtpRechten = nullptr;
    };

    Rechtenwijziging(ServerPaneel& server, Wachtrij& wachtrij, const Besturing& besturing);

    // The window for what is selected in `lijst` (LijstFtp or LijstBFtp); false when nothing
    // is selected or the window was left without OK.
    bool Wijzigen(LijstWeergave& lijst);

private:
    ServerPaneel& m_server;
    Wachtrij& m_wachtrij;
    Besturing m_b;
};

} // namespace Vamox
