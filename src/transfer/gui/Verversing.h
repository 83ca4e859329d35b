#pragma once

#include <QObject>

namespace Vamox {

class LokaalPaneel;
class ServerPaneel;
class Wachtrij;
struct Overdrachtsresultaat;

// With the transfers in the background the flows leave the panes alone when their files have
// moved; this refreshes a pane that shows a folder a run wrote to, keeping what the user selected.
class Verversing final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Verversing)

public:
    Verversing(LokaalPaneel& lokaal, ServerPaneel& server, Wachtrij& wachtrij);

private:
    void Afgerond(const Overdrachtsresultaat& r);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Wachtrij& m_wachtrij;
};

} // namespace Vamox
