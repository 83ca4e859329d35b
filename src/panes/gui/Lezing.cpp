#include "panes/gui/Lezing.h"

#include "ftp/FtpPaden.h"
#include "panes/Mapbron.h"
#include "panes/Rijen.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Paneel.h"
#include "panes/gui/PaneelVulling.h"
#include "panes/gui/Sorteren.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace Vamox {

namespace {

// Rows that wait go into the lists at once while these are few, else once they are a quarter of
// what the lists hold or have waited this long: each addition makes the view lay out every row.
constexpr int WachtMs = 250;
constexpr std::size_t MinsteWachtend = 1000;

bool IsMuisknop(const QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease;
}

bool IsToets(const QEvent* event)
{
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
           event->type() == QEvent::ShortcutOverride;
}

// Keys that only move through a list.
bool IsBladertoets(int toets)
{
    switch (toets) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool BinnenIn(const QWidget* w, const QWidget* ouder)
{
    return w == ouder || (w != nullptr && ouder->isAncestorOf(w));
}

} // namespace

Lezing::Lezing(Paneel& paneel, Soort soort, const QString& map)
    : m_paneel(paneel), m_map(map), m_programmaMap(paneel.ProgrammaMap(map)), m_mappenVullen(soort != Soort::Bestanden),
      m_bestandenVullen(soort != Soort::Mappen), m_blokkade(*paneel.ui().mappen->window())
{
    VullingMaken();
    paneel.m_lezing = this;
    m_tonen.setSingleShot(true);
    m_tonen.setInterval(WachtMs);
    connect(&m_tonen, &QTimer::timeout, this, [this] { Tonen(true); });
    // Input to the window waits, as while any operation runs, but for what only looks at the lists
    // or applies the pattern; Escape stops the reading.
    m_doorlaten.emplace(
        [this](const QObject* object, const QEvent* event) { return Doorlaten(object, event); });
    connect(&m_blokkade, &Invoerblokkade::escapeTijdensBezig, this, [this] { m_paneel.m_bron.Afbreken(); });
    m_blokkade.ZetBezig(true);
}

Lezing::~Lezing()
{
    m_paneel.m_lezing = nullptr;
    m_blokkade.ZetBezig(false); // an Enter that waited goes to its text box now
}

void Lezing::VullingMaken()
{
    const PaneelUi& ui = m_paneel.ui();
    m_vulling = std::make_unique<Bestandsvulling>(*ui.patroon, *ui.beelden, m_programmaMap,
                                                  &m_paneel.m_extensies, &m_paneel.m_verbergen);
}

bool Lezing::Doorlaten(const QObject* object, const QEvent* event) const
{
    const auto* w = qobject_cast<const QWidget*>(object);
    if (w == nullptr) return false;
    const PaneelUi& ui = m_paneel.ui();
    const auto* muis = IsMuisknop(event) ? static_cast<const QMouseEvent*>(event) : nullptr;
    const auto* toets = IsToets(event) ? static_cast<const QKeyEvent*>(event) : nullptr;
    for (const LijstWeergave* lijst : {ui.mappen, ui.bestanden}) {
        if (!BinnenIn(w, lijst)) continue;
        // Keys that move, the scroll bars, and a header click that sorts; a click on a row could
        // start a drag, a double click open what is not all there yet.
        if (toets) return IsBladertoets(toets->key());
        if (!muis || muis->button() != Qt::LeftButton) return false;
        return !BinnenIn(w, lijst->viewport());
    }
    if (BinnenIn(w, ui.knopPatroon)) return muis != nullptr;
    if (BinnenIn(w, ui.patroon)) {
        if (toets) return toets->key() == Qt::Key_Return || toets->key() == Qt::Key_Enter;
        return muis != nullptr && muis->button() == Qt::LeftButton;
    }
    return false;
}

void Lezing::Beginnen()
{
    if (m_begonnen) return;
    m_begonnen = true;
    const PaneelUi& ui = m_paneel.ui();
    if (m_mappenVullen) m_oudeMappen = ui.mappen->lijstModel().RijenNemen();
    if (m_bestandenVullen) {
        m_oudeBestanden = ui.bestanden->lijstModel().RijenNemen();
        SorterenOpheffenBestand(*ui.bestanden);
    }
    Koppen();
    Q_EMIT m_paneel.getoondeMapGewijzigd();
}

void Lezing::Deel(std::vector<FtpEntry>& deel, bool opnieuw)
{
    if (opnieuw) {
        m_mappen.clear();
        m_bestanden.Leegmaken();
        VullingMaken(); // nor are the extensions met
        m_wachtendeMappen.clear();
        m_wachtendeBestanden.clear();
        if (m_begonnen) {
            if (m_mappenVullen) m_paneel.ui().mappen->lijstModel().Leegmaken();
            if (m_bestandenVullen) m_paneel.ui().bestanden->lijstModel().Leegmaken();
        }
    }
    if (deel.empty()) return;
    Beginnen();
    static const QString map = QStringLiteral("map");
    std::vector<ListRow> bestanden;
    for (FtpEntry& e : deel) {
        if (e.isMap) {
            if (!m_mappenVullen) continue;
            // A listed ".." becomes the parent entry at the end; it is no folder to show now.
            if (SpatiesWeg(e.naam) != QLatin1String("..")) {
                ListRow rij{e.naam, 0, {}, map};
                RechtenZetten(rij, e.rechten);
                m_wachtendeMappen.push_back(std::move(rij));
            }
            m_mappen.push_back(std::move(e));
        } else if (m_bestandenVullen) {
            int extensie = -1;
            ListRow rij = BestandsRij(e, m_paneel.m_extensies, &extensie);
            if (m_vulling->Tonen(rij, extensie)) m_wachtendeBestanden.push_back(rij);
            bestanden.push_back(std::move(rij));
        }
    }
    m_bestanden.Toevoegen(std::move(bestanden));
    Tonen(false);
}

void Lezing::Tonen(bool nu)
{
    LijstModel& mappen = m_paneel.ui().mappen->lijstModel();
    LijstModel& bestanden = m_paneel.ui().bestanden->lijstModel();
    if (m_wachtendeMappen.empty() && m_wachtendeBestanden.empty()) return;
    const std::size_t getoond = std::size_t(
        std::max(m_mappenVullen ? mappen.Aantal() : 0, m_bestandenVullen ? bestanden.Aantal() : 0));
    const std::size_t wachtend = std::max(m_wachtendeMappen.size(), m_wachtendeBestanden.size());
    const bool veel = wachtend >= std::max(MinsteWachtend, getoond / 4);
    if (!nu && getoond > 0 && !veel && m_sindsTonen.isValid() && m_sindsTonen.elapsed() < WachtMs) {
        if (!m_tonen.isActive()) m_tonen.start();
        return;
    }
    m_tonen.stop();
    if (!m_wachtendeMappen.empty()) mappen.RijenToevoegen(std::exchange(m_wachtendeMappen, {}));
    if (!m_wachtendeBestanden.empty()) bestanden.RijenToevoegen(std::exchange(m_wachtendeBestanden, {}));
    m_sindsTonen.start();
    Koppen();
}

void Lezing::Koppen()
{
    if (m_mappenVullen) KolomKopNaam(*m_paneel.ui().mappen, true);
    if (m_bestandenVullen) KolomKopNaam(*m_paneel.ui().bestanden, true);
}

void Lezing::PatroonGewijzigd()
{
    if (!m_bestandenVullen) return;
    const PaneelUi& ui = m_paneel.ui();
    VullingMaken();
    m_wachtendeBestanden.clear();
    std::vector<ListRow> getoond;
    m_bestanden.VoorElk([&](ListRow& rij) {
        if (m_vulling->Tonen(rij)) getoond.push_back(rij);
    });
    if (m_begonnen) {
        ui.bestanden->lijstModel().RijenVervangen(std::move(getoond));
        Koppen();
    }
}

std::optional<QStringList> Lezing::AllesGetoond() const
{
    if (!m_vulling->Alles()) return std::nullopt;
    return m_vulling->ExtensiesOpNaam();
}

void Lezing::Terugzetten()
{
    const PaneelUi& ui = m_paneel.ui();
    if (!m_begonnen) {
        // The rows are the old ones still; the count no longer says the reading goes on.
        if (m_bestandenVullen) KolomKopNaam(*ui.bestanden);
        return;
    }
    if (m_mappenVullen) {
        ui.mappen->lijstModel().RijenVervangen(std::move(m_oudeMappen));
        KolomKopNaam(*ui.mappen);
    }
    if (m_bestandenVullen) {
        ui.bestanden->lijstModel().RijenVervangen(std::move(m_oudeBestanden));
        KolomKopNaam(*ui.bestanden);
    }
}

} // namespace Vamox
