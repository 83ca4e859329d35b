#pragma once

#include "platform/AppInfo.h"
#include "dialogs/Msg.h"
#include "platform/gui/Zandloper.h"
#include "transfer/Wachtrij.h"

#include <QString>
#include <QWidget>

namespace Vamox {

// A flow ends a run by refreshing the side it wrote to, going to the folder it wrote to and selecting
// what arrived. With the transfers in the background the user works on meanwhile: the panes are
// then left as the user has them, and Verversing refreshes a pane that shows a folder the run wrote
// to.
inline bool PanelenBijwerken(const Wachtrij& wachtrij)
{
    return !wachtrij.Achtergrond();
}

// A folder that jobs of the queue still read or write is not deleted or renamed meanwhile: true,
// after a notice, when `map` is such a folder.
inline bool MapInGebruik(const Wachtrij& wachtrij, const QString& map, bool server)
{
    if (!(server ? wachtrij.ServermapInGebruik(map) : wachtrij.LokalemapInGebruik(map))) return false;
    Melding(QStringLiteral("Map '") + map +
                QStringLiteral("' is nog in gebruik door overdrachten die wachten of lopen.\r\n"
                               "Probeer het opnieuw wanneer die klaar zijn."),
            1);
    return true;
}

// The caption text and the busy pointer of a long step; the application's title and the normal
// pointer come back when the flow ends, however it ends, unless the caller keeps them.
class Wachtstand final
{
public:
    explicit Wachtstand(QWidget& venster) : m_venster(venster) {}
    ~Wachtstand()
    {
        if (!m_houden) Terug();
    }
    Q_DISABLE_COPY_MOVE(Wachtstand)

    void Tonen(const QString& tekst)
    {
        m_venster.setWindowTitle(tekst);
        Zandloper(true);
    }
    void Terug()
    {
        m_venster.setWindowTitle(AppTitel());
        Zandloper(false);
    }
    // The caller restores caption and pointer itself (a drag that prepares its data).
    void Houden() { m_houden = true; }

private:
    QWidget& m_venster;
    bool m_houden = false;
};

} // namespace Vamox
