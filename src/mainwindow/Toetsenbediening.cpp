#include "mainwindow/Toetsenbediening.h"

#include "mainwindow/VensterUi.h"
#include "panes/gui/LijstWeergave.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include <utility>
#include <vector>

namespace Vamox {

namespace {

// The two sides, control by control, in the order they are seen.
std::vector<std::pair<QWidget*, QWidget*>> Zijden(const VensterUi& ui)
{
    return {{ui.SchijfLokaal, ui.cboVerbindingenFtp},   {ui.MapLokaal, ui.MapFtp},
            {ui.LijstLokaal, ui.LijstFtp},              {ui.LijstBLokaal, ui.LijstBFtp},
            {ui.knopPatroonLokaal, ui.knopPatroonFtp},  {ui.cboPatroonLokaal, ui.cboPatroonFtp},
            {ui.knopZoekenLokaal, ui.knopZoekenFtp},    {ui.VakZoekenLokaal, ui.VakZoekenFtp}};
}

std::vector<QToolButton*> Knoppenbalk(const VensterUi& ui)
{
    return {ui.knopServergegevens, ui.KnopVerbreken,         ui.knopMapHoger,
            ui.knopMapNieuw,       ui.knopVerwijderenMap,    ui.knopUploaden,
            ui.knopDownloaden,     ui.knopBUploaden,         ui.knopBDownloaden,
            ui.knopUploadBestandKiezen, ui.knopOpenen,       ui.knopKopierenBestand,
            ui.knopKopierenNaarKlembord, ui.knopVerwijderenBestand};
}

// A press and a release of the button in the middle, as a click sends them.
void Klikken(QAbstractButton& knop, Qt::MouseButton muisknop)
{
    const QPointF midden = QRectF(knop.rect()).center();
    const QPointF scherm = knop.mapToGlobal(midden);
    QMouseEvent neer(QEvent::MouseButtonPress, midden, scherm, muisknop, muisknop, Qt::NoModifier);
    QApplication::sendEvent(&knop, &neer);
    QMouseEvent op(QEvent::MouseButtonRelease, midden, scherm, muisknop, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&knop, &op);
}

} // namespace

Toetsenbediening::Toetsenbediening(const VensterUi& ui) : m_ui(ui)
{
    std::vector<QWidget*> volgorde;
    for (const auto& [lokaal, server] : Zijden(ui))
        volgorde.push_back(lokaal);
    for (QToolButton* knop : Knoppenbalk(ui))
        volgorde.push_back(knop);
    for (const auto& [lokaal, server] : Zijden(ui))
        volgorde.push_back(server);
    for (size_t i = 1; i < volgorde.size(); ++i)
        QWidget::setTabOrder(volgorde[i - 1], volgorde[i]);

    for (QToolButton* knop : Knoppenbalk(ui))
        knop->installEventFilter(this);
    for (QToolButton* knop : {ui.knopZoekenLokaal, ui.knopZoekenFtp})
        knop->installEventFilter(this);

    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), ui.centraal);
    f6->setContext(Qt::WindowShortcut);
    connect(f6, &QShortcut::activated, this, &Toetsenbediening::AndereKant);
}

void Toetsenbediening::AndereKant()
{
    const QWidget* focus = QApplication::focusWidget();
    for (const auto& [lokaal, server] : Zijden(m_ui)) {
        const bool opLokaal = focus != nullptr && (focus == lokaal || lokaal->isAncestorOf(focus));
        const bool opServer = focus != nullptr && (focus == server || server->isAncestorOf(focus));
        if (!opLokaal && !opServer) continue;
        QWidget* doel = opLokaal ? server : lokaal;
        // A control not in use there (the server side before a connection): its file list.
        if (!doel->isEnabled() || !doel->isVisible()) doel = opLokaal ? m_ui.LijstBFtp : m_ui.LijstBLokaal;
        doel->setFocus(Qt::TabFocusReason);
        return;
    }
    m_ui.LijstBLokaal->setFocus(Qt::TabFocusReason);
}

bool Toetsenbediening::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    auto* knop = qobject_cast<QToolButton*>(object);
    const auto* toets = static_cast<QKeyEvent*>(event);
    if (knop == nullptr || !knop->isEnabled() || toets->isAutoRepeat()) return false;
    const int k = toets->key();
    const bool links = (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter) &&
                       toets->modifiers() == Qt::NoModifier;
    const bool rechts = k == Qt::Key_Menu || (k == Qt::Key_F10 && toets->modifiers() == Qt::ShiftModifier);
    if (!links && !rechts) return false;
    Klikken(*knop, links ? Qt::LeftButton : Qt::RightButton);
    return true;
}

} // namespace Vamox
