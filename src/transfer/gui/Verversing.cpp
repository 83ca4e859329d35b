#include "transfer/gui/Verversing.h"

#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Wachtrij.h"

namespace Vamox {

namespace {

QString ZonderSlot(const QString& map)
{
    QString uit = map;
    while (uit.size() > 1 && (uit.endsWith(u'/') || uit.endsWith(LokaalScheiding)))
        uit.chop(1);
    return uit;
}

} // namespace

Verversing::Verversing(LokaalPaneel& lokaal, ServerPaneel& server, Wachtrij& wachtrij)
    : m_lokaal(lokaal), m_server(server), m_wachtrij(wachtrij)
{
    connect(&wachtrij, &Wachtrij::rondeAfgerond, this,
            [this](quint64, const Overdrachtsresultaat& r) { Afgerond(r); });
}

void Verversing::Afgerond(const Overdrachtsresultaat& r)
{
    if (!m_wachtrij.Achtergrond()) return;
    if (r.lokaleMappen.contains(ZonderSlot(m_lokaal.HuidigeLokalemap())))
        m_lokaal.LijstVullenLokaal(std::nullopt, Soort::Beide, false);
    if (m_server.Verbonden() && r.serverMappen.contains(ZonderSlot(m_server.HuidigeServermap())))
        m_server.LijstVullenFtp(std::nullopt, Soort::Beide, false);
}

} // namespace Vamox
