#include "panes/gui/Paneel.h"

#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "panes/Mapbron.h"
#include "panes/RijenSorteren.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/Lezing.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/PaneelVulling.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/Sorteren.h"
#include "platform/Geheugen.h"
#include "platform/gui/Shell.h"
#include "platform/gui/Zandloper.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace Vamox {

namespace {

// A folder of this many rows frees enough after its fill to give memory back for.
constexpr int GrootGenoeg = 100'000;

// The busy pointer for the length of a fill, however it ends.
struct Bezigwijzer
{
    Bezigwijzer() { Zandloper(true); }
    ~Bezigwijzer() { Zandloper(false); }
    Q_DISABLE_COPY_MOVE(Bezigwijzer)
};

} // namespace

Paneel::Paneel(Mapbron& bron, const PaneelUi& ui, const PaneelMenus& menus, const bool& vullenToegestaan)
    : m_bron(bron), m_ui(ui), m_menus(menus), m_vullenToegestaan(vullenToegestaan)
{
    connect(ui.mappen, &LijstWeergave::dubbelklik, this, &Paneel::LijstMap_DblClick);
    // Enter on a folder row opens it, as in a file manager.
    connect(ui.mappen, &LijstWeergave::enter, this, &Paneel::LijstMap_DblClick);
    connect(ui.mappen, &LijstWeergave::toetsLos, this, &Paneel::LijstMap_KeyUp);
    connect(ui.mappen, &LijstWeergave::muisLos, this, &Paneel::LijstMap_MouseUp);
    connect(ui.bestanden, &LijstWeergave::dubbelklik, this, &Paneel::LijstB_DblClick);
    connect(ui.bestanden, &LijstWeergave::toetsLos, this, &Paneel::LijstB_KeyUp);
    connect(ui.bestanden, &LijstWeergave::muisLos, this, &Paneel::LijstB_MouseUp);

    connect(menus.plus, &QAction::triggered, this, &Paneel::mnuPlus_Click);
    connect(menus.plusBijSubmappen, &QAction::triggered, this, &Paneel::mnuPlusBijSubmappen_Click);
    connect(menus.mapVerversen, &QAction::triggered, this, &Paneel::Verversen);
    connect(menus.bestandVerversen, &QAction::triggered, this, &Paneel::Verversen);
    connect(menus.lijstSelecteren, &QAction::triggered, this,
            [this] { LijstSelecteren(*m_ui.bestanden, true); });
    // The menu bar leaves the focus where it was; these items act on this side.
    connect(menus.mapOpenen, &QAction::triggered, this, [this] {
        m_ui.mappen->setFocus();
        MapOpenen(*m_ui.mappen);
    });
    connect(menus.mapHoger, &QAction::triggered, this, [this] {
        m_ui.mappen->setFocus();
        MapHoger();
    });

    // The window's own right-click handling replaces the text box menu.
    ui.map->setContextMenuPolicy(Qt::NoContextMenu);
    ui.map->installEventFilter(this);
}

bool Paneel::eventFilter(QObject* object, QEvent* event)
{
    QLineEdit* vak = m_ui.map;
    if (object != vak) return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int toets = static_cast<QKeyEvent*>(event)->key();
        if (toets == Qt::Key_Return || toets == Qt::Key_Enter) {
            MapVak_Enter();
            return true;
        }
        if (toets == Qt::Key_Escape) {
            MapVak_Escape();
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        // After the click that gave the focus has placed the caret.
        QTimer::singleShot(0, vak, &QLineEdit::selectAll);
        return false;
    case QEvent::FocusOut: {
        // Another window or a pop-up menu taking the focus is no leaving of the box.
        const Qt::FocusReason reden = static_cast<QFocusEvent*>(event)->reason();
        if (reden != Qt::ActiveWindowFocusReason && reden != Qt::PopupFocusReason) MapVak_Verlaten();
        return false;
    }
    case QEvent::MouseButtonRelease:
        return MapVak_MuisLos(static_cast<QMouseEvent*>(event)->button());
    default:
        return false;
    }
}

Paneel::~Paneel() = default;

QChar Paneel::Scheiding() const
{
    return m_bron.Scheiding();
}

QString Paneel::GetoondeMap() const
{
    return m_lezing && m_lezing->Begonnen() ? m_lezing->Map() : m_huidigeMap;
}

void Paneel::HuidigeMapZetten(const QString& map)
{
    m_huidigeMap = map;
}

bool Paneel::LijstVullen(const std::optional<QString>& map, Soort soort, bool deselecteren)
{
    // A fill under way turns the event loop: nothing that reaches here meanwhile reads again.
    if (!m_vullenToegestaan || m_lezing) return false;
    const QString doel = MapVorm(map.value_or(m_huidigeMap));
    const QString eerder = m_huidigeMap;

    Leesuitkomst uitkomst = Leesuitkomst::Mislukt;
    bool getoond = false;
    {
        const Bezigwijzer wijzer;
        if (!VoorLezen()) return false;
        Q_EMIT vullingBegint();
        Lezing lezing(*this, soort, doel);
        uitkomst = m_bron.MapStromen(
            doel, [&](std::vector<FtpEntry>& deel, bool opnieuw) { lezing.Deel(deel, opnieuw); });
        // Stopped: what came is shown, and told; stopped before anything came, nothing changes.
        getoond =
            uitkomst == Leesuitkomst::Gelezen || (uitkomst == Leesuitkomst::Afgebroken && lezing.Begonnen());
        if (getoond) {
            m_huidigeMap = doel;
            Gelezen();
            Afronden(lezing, soort, deselecteren);
        } else {
            lezing.Terugzetten();
        }
    }
    Q_EMIT getoondeMapGewijzigd();
    // What reading a large folder held for a moment goes back to the system.
    if (m_ui.bestanden->lijstModel().Aantal() + m_ui.mappen->lijstModel().Aantal() >= GrootGenoeg)
        GeheugenTeruggeven();
    if (!getoond) {
        LeesfoutMelden(doel, uitkomst);
        Q_EMIT gevuld();
        return false;
    }
    if (uitkomst == Leesuitkomst::Afgebroken)
        Melding(QStringLiteral("Het lezen van map '") + doel +
                    QStringLiteral("' is afgebroken.\r\nDe lijsten tonen alleen wat tot dan gelezen was."),
                1);
    // Names that hold a line break or bytes that are no UTF-8 cannot be shown or reached.
    if (const qint64 weg = m_bron.Overgeslagen(); weg > 0)
        Melding(QStringLiteral("Map '") + doel + QStringLiteral("' bevat ") + QString::number(weg) +
                    (weg == 1 ? QStringLiteral(" naam die") : QStringLiteral(" namen die")) +
                    QStringLiteral(" niet getoond kan worden (een regeleinde of tekens die geen UTF-8 zijn).\r\n"
                                   "Deze staan niet in de lijst."),
                1);
    if (m_huidigeMap != eerder) Q_EMIT mapGewijzigd();
    Q_EMIT gevuld();
    return true;
}

void Paneel::Afronden(Lezing& lezing, Soort soort, bool deselecteren)
{
    lezing.Beginnen();
    const QString patroon = PatroonTekst(*m_ui.patroon);
    if (soort == Soort::Beide && (patroon.isEmpty() || patroon == QLatin1String("*")))
        PatroonlijstOpnieuw(*m_ui.patroon);

    if (soort != Soort::Bestanden) {
        m_mappen = MapinhoudMaken(lezing.MappenNemen(), m_bron.MetOuder(m_huidigeMap)).mappen;
        std::function<bool(const QString&)> heeftSubmappen;
        if (m_menus.plus->isChecked()) {
            const QString basis = m_huidigeMap;
            heeftSubmappen = [this, basis](const QString& naam) {
                return m_bron.AantalSubmappen(basis + naam) >= 1;
            };
        }
        // A header clicked while the rows came reverses the whole list.
        const bool omgekeerd = m_sorteringMap == QLatin1String("sort_af");
        m_ui.mappen->lijstModel().RijenVervangen(Mapregels(m_mappen, heeftSubmappen));
        if (omgekeerd) SorterenMap(*m_ui.mappen, m_sorteringMap);
        KolomKopNaam(*m_ui.mappen);
    }
    if (soort != Soort::Mappen) {
        std::vector<ListRow> alle = lezing.BestandenNemen();
        // A header clicked while the rows came sorts the whole list.
        const bool gesorteerd = AutomatischSorteren(*m_ui.bestanden);
        const std::optional<QStringList> getoond = lezing.AllesGetoond();
        BestandenZetten(std::move(alle), true, getoond ? &*getoond : nullptr);
        if (gesorteerd) AutomatischSorterenAan(*m_ui.bestanden);
        KolomKopNaam(*m_ui.bestanden);
        if (deselecteren && m_ui.bestanden->lijstModel().Aantal() > 0) LijstDeselecteren(*m_ui.bestanden);
    }
    SorteericonsInstellen();
}

void Paneel::BestandenZetten(std::vector<ListRow> alle, bool naVulling, const QStringList* getoond)
{
    Bestandsvulling vulling(*m_ui.patroon, *m_ui.beelden, ProgrammaMap(m_huidigeMap), &m_extensies,
                            &m_verbergen);
    if (!naVulling) vulling.ZonderExtensies();
    if (vulling.Alles()) {
        if (getoond)
            vulling.GetoondOvernemen(std::move(alle), *getoond);
        else
            vulling.AllesToevoegen(std::move(alle));
        std::vector<ListRow>().swap(m_alleBestanden);
        m_gefilterd = false;
    } else {
        for (const ListRow& rij : alle)
            vulling.Toevoegen(rij);
        m_alleBestanden = std::move(alle);
        m_gefilterd = true;
    }
    vulling.Afronden(*m_ui.bestanden);
    if (naVulling) m_extensieLijst = vulling.AlleExtensies();
}

std::vector<ListRow> Paneel::AlleBestandenNemen()
{
    if (m_gefilterd) {
        m_gefilterd = false;
        return std::exchange(m_alleBestanden, {});
    }
    // As a fill leaves them, unless a header click sorted them otherwise since.
    LijstWeergave& lijst = *m_ui.bestanden;
    const bool opNaam = !AutomatischSorteren(lijst) ||
                        (SorteerKolom(lijst) == LijstModel::KolomNaam && SorteerOplopend(lijst));
    std::vector<ListRow> alle = lijst.lijstModel().RijenNemen();
    if (!opNaam) RijenSorteren(alle, SorteerKolom::Naam, true);
    return alle;
}

bool Paneel::LeestBestanden() const
{
    return m_lezing && m_lezing->VultBestanden();
}

const std::vector<ListRow>& Paneel::Bestanden() const
{
    return m_gefilterd ? m_alleBestanden : m_ui.bestanden->lijstModel().Rijen();
}

void Paneel::PatroonToepassen()
{
    if (m_lezing) {
        m_lezing->PatroonGewijzigd();
        return;
    }
    if (!m_vullenToegestaan || m_huidigeMap.isEmpty()) return;
    // As a fill leaves the list: every file through the pattern, in name order. The box offers
    // the folder's extensions already; without a pattern it starts anew with them, as at a fill.
    std::vector<ListRow> alle = AlleBestandenNemen();
    const QString patroon = PatroonTekst(*m_ui.patroon);
    if (patroon.isEmpty() || patroon == QLatin1String("*"))
        PatroonlijstOpnieuw(*m_ui.patroon, m_extensieLijst);
    SorterenOpheffenBestand(*m_ui.bestanden);
    BestandenZetten(std::move(alle), false);
    KolomKopNaam(*m_ui.bestanden);
    SorteericonsInstellen();
}

void Paneel::BestandenTonen(const std::vector<ListRow>& rijen)
{
    if (!m_gefilterd) {
        m_alleBestanden = AlleBestandenNemen();
        m_gefilterd = true;
    }
    Bestandsvulling vulling(*m_ui.patroon, *m_ui.beelden, QString(), &m_extensies, &m_verbergen);
    for (const ListRow& rij : rijen)
        vulling.Toevoegen(rij);
    vulling.Afronden(*m_ui.bestanden);
}

void Paneel::ZetVerbergen(std::function<bool(const ListRow&)> verbergen)
{
    m_verbergen = std::move(verbergen);
}

void Paneel::VerbergenToepassen()
{
    if (m_lezing) {
        m_lezing->PatroonGewijzigd();
        return;
    }
    if (!m_vullenToegestaan || m_huidigeMap.isEmpty()) return;
    LijstWeergave& lijst = *m_ui.bestanden;
    const bool gesorteerd = AutomatischSorteren(lijst);
    BestandenZetten(AlleBestandenNemen(), false);
    if (gesorteerd) AutomatischSorterenAan(lijst);
    KolomKopNaam(lijst);
}

void Paneel::LijstenLeegmaken()
{
    // The header shows the bare title again, as before the first fill, not a count of rows gone.
    for (LijstWeergave* lijst : {m_ui.mappen, m_ui.bestanden}) {
        lijst->lijstModel().Leegmaken();
        lijst->lijstModel().ZetKopTekst(LijstModel::KolomNaam, LijstTitel(*lijst));
    }
    m_mappen.clear();
    std::vector<ListRow>().swap(m_alleBestanden);
    m_gefilterd = false;
    m_extensieLijst.clear();
}

void Paneel::ToevoegenLijstB(const FtpEntry& entry, Bestandsvulling& vulling)
{
    vulling.Toevoegen(BestandsRij(entry, m_extensies));
}

int Paneel::AantalSubmappen(const std::optional<QString>& map)
{
    const LijstWeergave& lijst = *m_ui.mappen;
    if (!Beschikbaar() || lijst.lijstModel().Aantal() == 0) return 0;
    if (map) return m_bron.AantalSubmappen(*map);
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return 0;
    const QString naam = lijst.lijstModel().Rij(rij).naam;
    if (SpatiesWeg(naam) == QLatin1String("..")) return 0;
    return m_bron.AantalSubmappen(m_huidigeMap + naam);
}

void Paneel::MapOpenen(LijstWeergave& lijst)
{
    const LijstModel& model = lijst.lijstModel();
    if (model.Aantal() == 0) return;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;

    const QChar sep = Scheiding();
    QString basis = m_huidigeMap;
    if (!basis.endsWith(sep)) basis += sep;
    const ListRow& gekozen = model.Rij(rij);
    QString doel = basis + gekozen.naam;

    if (!gekozen.icoonSleutel.contains(QLatin1String("map"))) {
        if (!ShellOpenen(doel))
            Melding(QStringLiteral("Kan bestand\r\n ") + doel + QStringLiteral("\r\nniet openen."), 4);
        return;
    }
    // Only the parent entry goes up: a folder whose own name ends in ".." is opened like any other.
    if (SpatiesWeg(gekozen.naam) == QLatin1String("..")) {
        QString kern = basis;
        while (kern.endsWith(sep))
            kern.chop(1);
        doel = kern.left(kern.lastIndexOf(sep) + 1);
        if (doel.isEmpty()) doel = sep;
    } else {
        doel += sep;
    }

    m_ui.map->setText(doel);
    LijstVullen(doel, Soort::Beide, false);
    // Instead of a space keystroke to the focused folder list: its first row is selected.
    if (m_ui.mappen->window()->focusWidget() == m_ui.mappen && m_ui.mappen->lijstModel().Aantal() > 0)
        RijSelecteren(*m_ui.mappen, 0);
}

void Paneel::MapHoger()
{
    const QChar sep = Scheiding();
    QString basis = m_huidigeMap;
    while (basis.endsWith(sep))
        basis.chop(1);
    basis += sep;

    const QStringList delen = basis.split(sep);
    const QString verlaten = delen.size() >= 2 ? delen.at(delen.size() - 2) : QString();
    QString ouder;
    for (qsizetype i = 0; i + 2 < delen.size(); ++i)
        ouder += delen.at(i) + sep;
    if (ouder.isEmpty()) return;

    LijstWeergave& mappen = *m_ui.mappen;
    LijstVullen(ouder, Soort::Beide, false);
    m_ui.map->setText(ouder);
    const std::vector<ListRow>& rijen = mappen.lijstModel().Rijen();
    for (std::size_t i = 0; i < rijen.size(); ++i) {
        if (rijen[i].naam == verlaten) {
            RijSelecteren(mappen, static_cast<int>(i));
            break;
        }
    }
    mappen.setFocus();
}

void Paneel::PlusBijwerken()
{
    if (!Beschikbaar()) return;
    LijstWeergave& lijst = *m_ui.mappen;
    const int rij = GeselecteerdeRij(lijst);
    LijstVullen(std::nullopt, Soort::Beide, false);
    if (rij >= 0) RijSelecteren(lijst, rij);
}

void Paneel::SorteericonsInstellen()
{
    Vamox::SorteericonsInstellen(*m_ui.mappen, m_sorteringMap, *m_ui.bestanden);
}

void Paneel::LijstMap_DblClick()
{
    LijstWeergave& lijst = *m_ui.mappen;
    lijst.setFocus();
    if (lijst.lijstModel().Aantal() == 0) return;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;
    if (SpatiesWeg(lijst.lijstModel().Rij(rij).naam) == QLatin1String(".."))
        MapHoger();
    else
        MapOpenen(lijst);
}

void Paneel::LijstMap_KeyUp(int toets, Qt::KeyboardModifiers)
{
    // Delete and F2 belong to deleting and renaming.
    if (toets == Qt::Key_Backspace) MapHoger();
    if (toets == Qt::Key_F5) Verversen();
}

void Paneel::LijstMap_MouseUp(Qt::MouseButton knop, QPoint plek)
{
    if (knop == Qt::RightButton && Beschikbaar()) m_menus.map->popup(plek);
}

void Paneel::LijstB_DblClick()
{
    // Opening a file with its program is its own feature; the list takes the focus.
    m_ui.bestanden->setFocus();
}

void Paneel::LijstB_KeyUp(int toets, Qt::KeyboardModifiers modifiers)
{
    if (toets == Qt::Key_A && modifiers == Qt::ControlModifier) LijstSelecteren(*m_ui.bestanden, true);
    if (toets == Qt::Key_F5) Verversen();
}

void Paneel::LijstB_MouseUp(Qt::MouseButton knop, QPoint plek)
{
    if (knop == Qt::RightButton && Beschikbaar()) m_menus.bestand->popup(plek);
}

// The check items toggle themselves before the handler runs; a refused question sets them back.
void Paneel::mnuPlus_Click(bool aan)
{
    if (aan && !PlustekenVragen()) {
        m_menus.plus->setChecked(false);
        return;
    }
    PlusBijwerken();
}

void Paneel::mnuPlusBijSubmappen_Click(bool aan)
{
    if (aan && !PlustekenVragen()) {
        m_menus.plusBijSubmappen->setChecked(false);
        return;
    }
    m_menus.plus->setChecked(aan);
    PlusBijwerken();
}

} // namespace Vamox
