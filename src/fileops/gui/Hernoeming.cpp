#include "fileops/gui/Hernoeming.h"

#include "dialogs/Msg.h"
#include "fileops/Hernoemen.h"
#include "ftp/FtpPaden.h"
#include "panes/Patroon.h"
#include "panes/gui/ImageLijst16.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/PaneelVulling.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "panes/gui/Sorteren.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace Vamox {

namespace {

int RijMetNaam(const LijstWeergave& lijst, const QString& naam)
{
    const std::vector<ListRow>& rijen = lijst.lijstModel().Rijen();
    for (std::size_t i = 0; i < rijen.size(); ++i)
        if (rijen[i].naam == naam) return static_cast<int>(i);
    return -1;
}

// The pattern box offers the extensions of the file list as it is now; the typed text stays.
void PatroonlijstBijwerken(QComboBox& patroon, const LijstWeergave& bestanden)
{
    const QString tekst = patroon.currentText();
    const QSignalBlocker stil(patroon);
    PatroonlijstOpnieuw(patroon);
    for (const ListRow& rij : bestanden.lijstModel().Rijen()) {
        const QString extensie = ExtensiePatroon(rij.naam);
        if (!extensie.isEmpty() && !InCombo(patroon, extensie)) patroon.addItem(extensie);
    }
    patroon.setCurrentIndex(-1);
    patroon.setEditText(tekst);
}

} // namespace

Hernoeming::Hernoeming(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie,
                       const Wachtrij& wachtrij, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_navigatie(navigatie), m_wachtrij(wachtrij), m_b(besturing)
{
    connect(m_b.knopMapNieuw, &QToolButton::clicked, this, &Hernoeming::knopMapNieuw_Click);
    connect(m_b.mnuMapLokaalNieuw, &QAction::triggered, this, [this] { NieuweMap(m_lokaal); });
    connect(m_b.mnuMapFtpNieuw, &QAction::triggered, this, [this] { NieuweMap(m_server); });
    const std::pair<QAction*, LijstWeergave*> hernoemen[] = {
        {m_b.mnuMapLokaalHernoemen, lokaal.ui().mappen},
        {m_b.mnuMapFtpHernoemen, server.ui().mappen},
        {m_b.mnuBestandLokaalHernoemen, lokaal.ui().bestanden},
        {m_b.mnuBestandFtpHernoemen, server.ui().bestanden},
    };
    for (const auto& [item, lijst] : hernoemen) {
        connect(item, &QAction::triggered, this, [this, lijst] {
            lijst->setFocus();
            LabelBewerken(*lijst);
        });
        connect(lijst, &LijstWeergave::toetsLos, this, [this, lijst](int toets) {
            if (toets == Qt::Key_F2) LabelBewerken(*lijst);
        });
        // After the editor has closed: a notice must not open while it is still committing.
        connect(
            &lijst->lijstModel(), &LijstModel::naamBewerkt, this,
            [this, lijst](int rij, const QString& naam) { NaLabelBewerken(*lijst, rij, naam); },
            Qt::QueuedConnection);
    }
}

Paneel& Hernoeming::PaneelVan(const LijstWeergave& lijst)
{
    if (&lijst == m_server.ui().mappen || &lijst == m_server.ui().bestanden) return m_server;
    return m_lokaal;
}

void Hernoeming::knopMapNieuw_Click()
{
    if (m_navigatie.FtpActief())
        NieuweMap(m_server);
    else
        NieuweMap(m_lokaal);
}

void Hernoeming::NieuweMap(Paneel& paneel)
{
    const bool server = &paneel == &m_server;
    QStringList mappen;
    for (const FtpEntry& e : paneel.Mappen())
        mappen << e.naam;
    const QString naam = NieuweMapnaam(mappen);
    const QString basis = paneel.HuidigeMap();

    if (server && !m_server.Verbonden()) {
        Melding(QStringLiteral("Geen server gevonden.\r\nKan derhalve geen nieuwe map maken."), 1);
        return;
    }
    if (!NieuweMapMaken(server ? &m_server.sessie() : nullptr, basis, naam)) {
        if (server)
            Melding(QStringLiteral("Kan geen nieuwe map op server ") + m_b.cboVerbindingenFtp->currentText() +
                        QStringLiteral(" maken."),
                    1);
        else
            Melding(QStringLiteral("Kan geen nieuwe map maken in\r\n ") + basis + u'.', 4);
        return;
    }
    LijstWeergave& lijst = *paneel.ui().mappen;
    paneel.LijstVullen(std::nullopt, Soort::Mappen, false);
    lijst.setFocus();
    const int rij = RijMetNaam(lijst, naam);
    if (rij < 0) return;
    RijSelecteren(lijst, rij);
    LabelBewerken(lijst);
}

bool Hernoeming::LabelBewerken(LijstWeergave& lijst)
{
    if (lijst.LabelWordtBewerkt()) return false;
    const QModelIndex huidig = lijst.currentIndex();
    int rij = huidig.isValid() && lijst.selectionModel()->isRowSelected(huidig.row(), {})
                  ? huidig.row()
                  : GeselecteerdeRij(lijst);
    if (rij < 0) return false;
    const QString naam = lijst.lijstModel().Rij(rij).naam;
    if (lijst.lijstModel().Soort() == LijstSoort::Mappen) {
        if (SpatiesWeg(naam) == QLatin1String("..")) return false;
        const Paneel& paneel = PaneelVan(lijst);
        if (MapInGebruik(m_wachtrij, paneel.HuidigeMap() + naam, &paneel == &m_server)) return false;
    }
    OudeNaam = naam;
    m_bewerkt = &lijst;
    return lijst.LabelBewerken(rij);
}

void Hernoeming::NaLabelBewerken(LijstWeergave& lijst, int rij, const QString& naam)
{
    const LijstModel& model = lijst.lijstModel();
    // The list was refilled (or another edit began) while the editor closed.
    if (&lijst != m_bewerkt || rij >= model.Aantal() || model.Rij(rij).naam != OudeNaam) return;
    m_bewerkt = nullptr;

    Paneel& paneel = PaneelVan(lijst);
    const bool server = &paneel == &m_server;
    const bool isMap = model.Soort() == LijstSoort::Mappen;
    const Naamwijziging w =
        NaamWijzigen(server ? &m_server.sessie() : nullptr, paneel.HuidigeMap(), OudeNaam, naam, isMap);

    using U = Naamwijziging::Uitkomst;
    switch (w.uitkomst) {
    case U::Ongewijzigd:
        return;
    case U::Tekens:
        Melding(QStringLiteral("De volgende tekens mogen niet in map- en bestandsnamen voorkomen:\r\n  ") +
                    w.tekens,
                4);
        return;
    case U::Ongeldig:
        Melding(QStringLiteral("De naam\r\n ") + w.naam + QStringLiteral("\r\nis niet toegestaan."), 4);
        return;
    case U::Bestaat: {
        const QString soort = server ? (isMap ? QStringLiteral("Servermap") : QStringLiteral("Serverbestand"))
                                     : (isMap ? QStringLiteral("Map") : QStringLiteral("Bestand"));
        Melding(soort + QStringLiteral("\r\n ") + w.nieuwPad + QStringLiteral("\r\nbestaat al."), 4);
        return;
    }
    case U::Mislukt:
        Melding(QStringLiteral("Kan de naam van\r\n ") + w.oudPad +
                    QStringLiteral("\r\nniet wijzigen in\r\n ") + w.naam + u'.',
                4);
        // What the side holds now, whatever part of the rename happened.
        paneel.LijstVullen(std::nullopt, isMap ? Soort::Mappen : Soort::Bestanden, false);
        SelecterenInLijst(lijst, OudeNaam, true, true);
        return;
    case U::Gewijzigd:
        break;
    }
    QString icoon;
    if (!isMap) {
        ImageLijst16& beelden = *paneel.ui().beelden;
        if (server) {
            icoon = IcoonSleutelVoor(w.naam);
            beelden.ToevoegenAanImagelijst16(icoon);
        } else {
            // A local file renamed to a program shows the program's picture, and back.
            icoon = beelden.ToevoegenAanImagelijst16Exe(w.nieuwPad);
        }
    }
    lijst.lijstModel().NaamZetten(rij, w.naam, icoon);
    Afronden(paneel, lijst, w.naam);
}

// The row keeps its place until the list is sorted again; then it is selected by its new name.
void Hernoeming::Afronden(Paneel& paneel, LijstWeergave& lijst, const QString& naam)
{
    if (lijst.lijstModel().Soort() == LijstSoort::Mappen) {
        MapAutomatischSorteren(lijst, paneel.SorteringMap());
    } else {
        QComboBox& patroon = *paneel.ui().patroon;
        if (PatroonIsLeeg(PatroonTekst(patroon))) {
            PatroonlijstBijwerken(patroon, lijst);
        } else {
            // The new name may not fit the pattern: the list shows every file again.
            patroon.setEditText(QString());
            paneel.LijstVullen(std::nullopt, Soort::Bestanden, false);
            lijst.lijstModel().ZetCursief(false);
            QFont letter = paneel.ui().knopPatroon->font();
            letter.setItalic(false);
            paneel.ui().knopPatroon->setFont(letter);
        }
        // A list nobody sorted keeps the order of a fill; its kept direction would reverse it.
        if (OoitGesorteerd(lijst))
            AutomatischSorterenAan(lijst);
        else
            lijst.lijstModel().sort(LijstModel::KolomNaam, Qt::AscendingOrder);
    }
    SelecterenInLijst(lijst, naam, true, true);
}

} // namespace Vamox
