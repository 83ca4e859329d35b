#include "panes/gui/Navigatie.h"

#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace Vamox {

void TekstkleurZetten(QWidget& besturing, const QColor& kleur)
{
    QPalette kleuren = besturing.palette();
    if (kleuren.color(QPalette::WindowText) == kleur && kleuren.color(QPalette::Text) == kleur) return;
    kleuren.setColor(QPalette::WindowText, kleur); // labels
    kleuren.setColor(QPalette::Text, kleur);       // text boxes
    besturing.setPalette(kleuren);
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
    const QWidget* w = m_centraal.window()->focusWidget();
    while (w != nullptr && w->parentWidget() != nullptr && w->parentWidget() != &m_centraal)
        w = w->parentWidget();
    return w != nullptr && w->objectName().contains(QLatin1String(deel), Qt::CaseInsensitive);
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
