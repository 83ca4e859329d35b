#include "fileops/gui/Rechtenwijziging.h"

#include "dialogs/Msg.h"
#include "fileops/Rechten.h"
#include "fileops/gui/Rechtenvenster.h"
#include "panes/Rijen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Toetsenbord.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>

namespace Vamox {

Rechtenwijziging::Rechtenwijziging(ServerPaneel& server, Wachtrij& wachtrij, const Besturing& besturing)
    : m_server(server), m_wachtrij(wachtrij), m_b(besturing)
{
    const auto via = [this](QAction* item, LijstWeergave* lijst) {
        if (!item) return;
        connect(item, &QAction::triggered, this, [this, lijst] { Wijzigen(*lijst); });
        // Only while something of the list is selected on a connected server.
        if (auto* menu = qobject_cast<QMenu*>(item->parent()))
            connect(menu, &QMenu::aboutToShow, this, [this, item, lijst] {
                item->setEnabled(m_server.Verbonden() && lijst->selectionModel() &&
                                 lijst->selectionModel()->hasSelection());
            });
    };
    via(m_b.mnuMapFtpRechten, server.ui().mappen);
    via(m_b.mnuBestandFtpRechten, server.ui().bestanden);
}

bool Rechtenwijziging::Wijzigen(LijstWeergave& lijst)
{
    const LijstModel& model = lijst.lijstModel();
    const bool mappen = model.Soort() == LijstSoort::Mappen;
    QString map = m_server.HuidigeServermap();
    if (!map.endsWith(u'/')) map += u'/';
    std::vector<Rechtendoel> gekozen;
    std::vector<int> huidig;
    QStringList namen;
    if (lijst.selectionModel())
        for (const QModelIndex& i : lijst.selectionModel()->selectedRows(LijstModel::KolomNaam)) {
            const ListRow& rij = model.Rij(i.row());
            // The parent entry is no folder of this one.
            if (mappen && rij.naam.trimmed() == QLatin1String("..")) continue;
            gekozen.push_back({map + rij.naam, mappen, RechtenVan(rij)});
            huidig.push_back(RechtenVan(rij));
            namen << rij.naam;
        }
    if (gekozen.empty() || !m_server.Verbonden()) {
        Melding(mappen ? QStringLiteral("Geen servermap geselecteerd.\r\nKan derhalve geen rechten zetten.")
                       : QStringLiteral("Geen serverbestanden geselecteerd.\r\nKan derhalve geen rechten zetten."),
                1);
        return false;
    }
    const QString wat = gekozen.size() == 1 ? gekozen.front().pad
                                            : QString::number(gekozen.size()) + QStringLiteral(" serverbestanden");
    Rechtenvenster venster(Rechtenkeuze(huidig), wat, mappen, m_b.venster);
    if (venster.exec() != QDialog::Accepted) return false;
    const Rechtenkeuze keuze = venster.keuze();

    Overdrachtsplan plan;
    {
        Wachtstand wacht(*m_b.venster);
        if (keuze.inhoud) wacht.Tonen(QStringLiteral("Even geduld. Subservermappen en -bestanden zoeken..."));
        plan = RechtenPlannen(m_server.sessie(), gekozen, keuze);
    }
    if (plan.gestopt) return false;
    const QString bijschrift = QStringLiteral("Even geduld. Rechten zetten. Escape=Stoppen...");
    EscapeIngedrukt(); // an Escape from the walk does not end the run
    m_wachtrij.Toevoegen(
        std::move(plan),
        [this, namen, mappen](const Overdrachtsresultaat& r) {
            if (!r.Gelukt() && !r.gestopt)
                Melding(QStringLiteral("Bij het zetten van de rechten is iets fout gegaan.\r\n"
                                       "De lijst Overdrachten zegt per bestand wat de server antwoordde."),
                        4);
            if (!PanelenBijwerken(m_wachtrij) || !m_server.Verbonden()) return;
            LijstWeergave& lijst = mappen ? *m_server.ui().mappen : *m_server.ui().bestanden;
            m_server.LijstVullenFtp(std::nullopt, Soort::Beide, false);
            for (const QString& naam : namen)
                SelecterenInLijst(lijst, naam, true, false);
        },
        {.bijschrift = bijschrift});
    return true;
}

} // namespace Vamox
