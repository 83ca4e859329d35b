#include "transfer/gui/Bestandkopie.h"

#include "dialogs/Msg.h"
#include "transfer/Werkplekken.h"
#include "ftp/FtpPaden.h"
#include "ftp/FtpSession.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/Kopieren.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QLineEdit>
#include <QSet>
#include <QToolButton>

namespace Vamox {

namespace {

// The current row of a file list, or its first selected one; -1 when neither.
int HuidigeRij(const LijstWeergave& lijst)
{
    const QModelIndex huidig = lijst.currentIndex();
    if (huidig.isValid() && lijst.selectionModel()->isRowSelected(huidig.row())) return huidig.row();
    return GeselecteerdeRij(lijst);
}

int RijMetNaam(const LijstWeergave& lijst, const QString& naam)
{
    const std::vector<ListRow>& rijen = lijst.lijstModel().Rijen();
    for (std::size_t i = 0; i < rijen.size(); ++i)
        if (rijen[i].naam == naam) return int(i);
    return -1;
}

} // namespace

Bestandkopie::Bestandkopie(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, Wachtrij& wachtrij,
                           const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_sessie(server.sessie()), m_navigatie(navigatie), m_wachtrij(wachtrij),
      m_b(besturing)
{
    m_b.knopKopierenBestand->setEnabled(true);
    connect(m_b.knopKopierenBestand, &QToolButton::clicked, this, &Bestandkopie::knopKopierenBestand_Click);
    // The menu bar leaves the focus where it was; each item acts on its own side.
    connect(m_b.mnuBestandLokaalKopieren, &QAction::triggered, this, [this] {
        m_lokaal.ui().bestanden->setFocus();
        knopKopierenBestand_Click();
    });
    connect(m_b.mnuBestandFtpKopieren, &QAction::triggered, this, [this] {
        m_server.ui().bestanden->setFocus();
        knopKopierenBestand_Click();
    });
}

Bestandkopie::~Bestandkopie() = default;

void Bestandkopie::knopKopierenBestand_Click()
{
    const bool lokaal = m_navigatie.LokaalActief();
    Paneel& paneel = lokaal ? static_cast<Paneel&>(m_lokaal) : m_server;
    LijstWeergave& lijst = *paneel.ui().bestanden;
    if (lijst.lijstModel().Aantal() == 0 || HuidigeRij(lijst) < 0) {
        Melding(lokaal ? QStringLiteral("Geen lokale bestand geselecteerd.\r\n"
                                        "Kan derhalve geen lokale bestand kopiëren.")
                       : QStringLiteral("Geen serverbestand geselecteerd.\r\n"
                                        "Kan derhalve geen serverbestand kopiëren."),
                1);
        return;
    }
    const ListRow rij = lijst.lijstModel().Rij(HuidigeRij(lijst));
    const QString tekst = (lokaal ? QStringLiteral("Even geduld. Lokale bestand '")
                                  : QStringLiteral("Even geduld. Serverbestand '")) +
                          rij.naam + QStringLiteral("' kopiëren...");
    // The copy goes through the transfer queue; on the server the folder's listing names it first.
    Overdrachtsplan plan;
    if (lokaal) {
        plan = LokaleKopiePlannen(paneel.HuidigeMap(), rij.naam);
    } else {
        Wachtstand wacht(*m_b.venster);
        wacht.Tonen(tekst);
        plan = ServerkopiePlannen(m_sessie, paneel.HuidigeMap(), rij.naam, rij.grootte,
                                  WerkplekPad(*m_b.tijdelijkeMap, Werkplek::Kopieren));
    }
    if (plan.klussen.empty()) {
        Gekopieerd(paneel, rij.naam, QString(), !lokaal);
        return;
    }
    const QString kopie = EigenNaam(plan.klussen.front().doel);
    m_wachtrij.Toevoegen(std::move(plan),
                         [this, &paneel, lokaal, naam = rij.naam, kopie](const Overdrachtsresultaat& r) {
                             if (r.gedaan == 0)
                                 Gekopieerd(paneel, naam, QString(), !lokaal);
                             else if (PanelenBijwerken(m_wachtrij))
                                 Gekopieerd(paneel, naam, kopie, !lokaal);
                         },
                         {.bijschrift = tekst});
}

void Bestandkopie::Gekopieerd(Paneel& paneel, const QString& naam, const QString& kopie, bool server)
{
    if (kopie.isEmpty()) {
        Melding((server ? QStringLiteral("Het kopiëren van serverbestand '")
                        : QStringLiteral("Het kopiëren van lokale bestand '")) +
                    naam + QStringLiteral("' is misgegaan."),
                4);
        return;
    }
    LijstWeergave& lijst = *paneel.ui().bestanden;
    paneel.LijstVullen(std::nullopt, Soort::Bestanden, false);
    lijst.setFocus();
    // Only the copy stays selected.
    const int nieuw = RijMetNaam(lijst, kopie);
    if (nieuw >= 0) RijSelecteren(lijst, nieuw);
}

void Bestandkopie::LokaalBestandenKopieren(const QStringList& paden)
{
    const LijstWeergave& mappen = *m_lokaal.ui().mappen;
    const int rij = GeselecteerdeRij(mappen);
    if (rij < 0) return;
    const QString naam = mappen.lijstModel().Rij(rij).naam;
    // The parent entry is no folder to copy into, nor is a row whose name is no plain name.
    const QString doelmap = SpatiesWeg(naam) == QLatin1String("..")
                                ? QString()
                                : LokaalDoelPad(m_lokaal.HuidigeLokalemap(), naam);
    if (doelmap.isEmpty()) return;
    const QString doel = doelmap + LokaalScheiding;

    m_wachtrij.Toevoegen(
        LokaleBestandenPlannen(paden, doelmap),
        [this, doel](const Overdrachtsresultaat& r) {
            if (!r.Gelukt())
                Melding(QStringLiteral("Het kopiëren van lokale bestanden is geheel/gedeeltelijk misgegaan."),
                        4);
            if (PanelenBijwerken(m_wachtrij)) Getoond(doel, r.namen);
        },
        {.bijschrift = QStringLiteral("Even geduld. Lokale bestanden ( ") + GetalTekst(paden.size()) +
                       QStringLiteral(") kopiëren naar ") + doel + QStringLiteral("...")});
}

void Bestandkopie::Getoond(const QString& doel, const QStringList& gekopieerd)
{
    m_lokaal.ui().map->setText(doel);
    m_lokaal.LijstVullenLokaal(doel, Soort::Beide, false);
    LijstWeergave& bestanden = *m_lokaal.ui().bestanden;
    bestanden.setFocus();
    // Exactly the copied files are selected, capitals counting.
    const QSet<QString> namen(gekopieerd.cbegin(), gekopieerd.cend());
    const LijstModel& model = bestanden.lijstModel();
    QItemSelection keuze;
    int laatste = -1;
    for (int i = 0; i < model.Aantal(); ++i) {
        if (!namen.contains(model.Rij(i).naam)) continue;
        keuze.select(model.index(i, 0), model.index(i, model.columnCount() - 1));
        laatste = i;
    }
    bestanden.selectionModel()->select(keuze, QItemSelectionModel::ClearAndSelect);
    if (laatste >= 0) bestanden.scrollTo(model.index(laatste, 0));
}

} // namespace Vamox
