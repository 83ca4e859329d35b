#include "panes/gui/Navigatie.h"

#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Kleuren.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace Vamox {

void TekstRoodZetten(QWidget& besturing, bool rood)
{
    if (TekstRood(besturing) == rood) return;
    if (rood)
        KleurZetten(besturing, {QPalette::WindowText, QPalette::Text}, Kleurrol::Fout); // labels, boxes
    else
        KleurWissen(besturing);
}

bool TekstRood(const QWidget& besturing)
{
    return Tekstkleur(besturing) == Kleur(Kleurrol::Fout);
}

QColor Tekstkleur(const QWidget& besturing)
{
    return besturing.palette().color(qobject_cast<const QLabel*>(&besturing) != nullptr ? QPalette::WindowText
                                                                                        : QPalette::Text);
}

int GeselecteerdeRij(const LijstWeergave& lijst)
{
    const QItemSelectionModel* keuze = lijst.selectionModel();
    if (keuze == nullptr) return -1;
    int eerste = -1;
    for (const QItemSelectionRange& stuk : keuze->selection())
        if (stuk.left() == 0 && (eerste < 0 || stuk.top() < eerste)) eerste = stuk.top();
    return eerste;
}

void RijSelecteren(LijstWeergave& lijst, int rij)
{
    const QModelIndex plek = lijst.lijstModel().index(rij, 0);
    if (!plek.isValid()) return;
    lijst.selectionModel()->setCurrentIndex(plek,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lijst.scrollTo(plek);
}

Navigatie::Navigatie(LokaalPaneel& lokaal, ServerPaneel& server, QWidget& centraal, QToolButton& knopMapHoger)
    : m_lokaal(lokaal), m_server(server), m_centraal(centraal), m_knopMapHoger(knopMapHoger)
{
    // Both buttons act on release, as the left click does, and the right one has a meaning too.
    knopMapHoger.installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nu) {
        const QString kant = Kant(BesturingVan(nu));
        if (!kant.isEmpty()) m_laatsteKant = kant;
    });
}

bool Navigatie::eventFilter(QObject* object, QEvent* event)
{
    if (object == &m_knopMapHoger && event->type() == QEvent::MouseButtonRelease) {
        const auto* muis = static_cast<QMouseEvent*>(event);
        if (m_knopMapHoger.isEnabled() && m_knopMapHoger.rect().contains(muis->position().toPoint()))
            knopMapHoger_MouseUp(muis->button());
    }
    return false;
}

Paneel& Navigatie::PaneelVan(const LijstWeergave& lijst)
{
    if (&lijst == m_server.ui().mappen || &lijst == m_server.ui().bestanden) return m_server;
    return m_lokaal;
}

void Navigatie::MapOpenen(LijstWeergave& lijst)
{
    PaneelVan(lijst).MapOpenen(lijst);
}

void Navigatie::MapHoger()
{
    if (LokaalActief())
        m_lokaal.MapHoger();
    else
        m_server.MapHoger();
}

bool Navigatie::LokaalActief() const
{
    return ActiefBevat("lokaal");
}

bool Navigatie::FtpActief() const
{
    return ActiefBevat("ftp");
}

bool Navigatie::ActiefBevat(const char* deel) const
{
    // The control is the child of the central widget that holds the focus (the text box inside a
    // combo box has no name of its own).
    const QWidget* w = BesturingVan(m_centraal.window()->focusWidget());
    // A toolbar button reached with Tab acts on the side the keyboard came from, as a click
    // (which leaves the focus where it is) acts on the side that has it.
    const QString naam = qobject_cast<const QAbstractButton*>(w) != nullptr && Kant(w).isEmpty()
                             ? m_laatsteKant
                             : (w != nullptr ? w->objectName() : QString());
    return naam.contains(QLatin1String(deel), Qt::CaseInsensitive);
}

const QWidget* Navigatie::BesturingVan(const QWidget* w) const
{
    while (w != nullptr && w->parentWidget() != nullptr && w->parentWidget() != &m_centraal)
        w = w->parentWidget();
    return w != nullptr && w->parentWidget() == &m_centraal ? w : nullptr;
}

QString Navigatie::Kant(const QWidget* besturing)
{
    if (besturing == nullptr) return {};
    const QString naam = besturing->objectName();
    if (naam.contains(QLatin1String("lokaal"), Qt::CaseInsensitive)) return QStringLiteral("lokaal");
    if (naam.contains(QLatin1String("ftp"), Qt::CaseInsensitive)) return QStringLiteral("ftp");
    return {};
}

void Navigatie::PlusLokaalFtpBijwerken(bool lokaal)
{
    if (lokaal)
        m_lokaal.PlusBijwerken();
    else
        m_server.PlusBijwerken();
}

void Navigatie::knopMapHoger_MouseUp(Qt::MouseButton knop)
{
    if (knop == Qt::LeftButton)
        MapHoger();
    else if (knop == Qt::RightButton && LokaalActief())
        m_lokaal.NaarSchijfRoot();
}

} // namespace Vamox
