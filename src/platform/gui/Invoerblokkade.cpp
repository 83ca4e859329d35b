#include "platform/gui/Invoerblokkade.h"

#include "platform/gui/Toetsenbord.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include <utility>
#include <vector>

namespace Vamox {

namespace {

bool IsInvoer(QEvent::Type soort)
{
    switch (soort) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

// A text box, or an editable combo box: it holds the focus and hands typed keys to its editor.
bool Tekstvak(const QObject* object)
{
    if (qobject_cast<const QLineEdit*>(object) != nullptr) return true;
    const auto* combo = qobject_cast<const QComboBox*>(object);
    return combo != nullptr && combo->isEditable();
}

// Editing keys of a text box: they change its text and start nothing.
bool Tikken(const QObject* object, const QKeyEvent& toets)
{
    if (!Tekstvak(object)) return false;
    switch (toets.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Shift:
        return true;
    default:
        break;
    }
    const QString tekst = toets.text();
    return !tekst.isEmpty() && tekst.at(0).isPrint() && !(toets.modifiers() & Qt::AltModifier);
}

std::vector<const Invoerblokkade::Doorlaten*>& Doorgelaten()
{
    static std::vector<const Invoerblokkade::Doorlaten*> lijst;
    return lijst;
}

bool IsEscape(const QEvent* event)
{
    const bool toets = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                       event->type() == QEvent::ShortcutOverride;
    return toets && static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

} // namespace

Invoerblokkade::Doorlaten::Doorlaten(Kiezen kiezen) : m_kiezen(std::move(kiezen))
{
    Doorgelaten().push_back(this);
}

Invoerblokkade::Doorlaten::~Doorlaten()
{
    std::erase(Doorgelaten(), this);
}

Invoerblokkade::Invoerblokkade(QWidget& venster, QObject* parent) : QObject(parent), m_venster(venster)
{
    qApp->installEventFilter(this);
}

Invoerblokkade::~Invoerblokkade()
{
    qApp->removeEventFilter(this);
}

void Invoerblokkade::ZetBezig(bool bezig)
{
    m_bezig = bezig;
    if (bezig || m_enterVoor.isNull()) return;
    QWidget* vak = std::exchange(m_enterVoor, nullptr);
    // Posted, so it arrives once the flow that ran the operation lets the event loop turn; should
    // another operation run by then, it waits again.
    if (vak->hasFocus()) {
        QCoreApplication::postEvent(vak, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::postEvent(vak, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
    }
}

bool Invoerblokkade::VanVenster(const QObject* object) const
{
    const auto* w = qobject_cast<const QWidget*>(object);
    if (w == nullptr) return false;
    for (const QWidget* deel = w; deel != nullptr; deel = deel->parentWidget())
        if (deel->property(Bereikbaar).toBool()) return false;
    const QWidget* boven = w->window();
    return boven == &m_venster || qobject_cast<const QMenu*>(boven) != nullptr;
}

bool Invoerblokkade::eventFilter(QObject* object, QEvent* event)
{
    if (!m_bezig || !IsInvoer(event->type()) || !VanVenster(object)) return false;
    if (!IsEscape(event))
        for (const Doorlaten* d : Doorgelaten())
            if (d->Kiest(object, event)) return false;
    const bool toets = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                       event->type() == QEvent::ShortcutOverride;
    if (toets) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (Tikken(object, *k)) return false;
        if (event->type() == QEvent::KeyPress && k->key() == Qt::Key_Escape && !k->isAutoRepeat()) {
            EscapeOpgenomen();
            Q_EMIT escapeTijdensBezig();
        }
        if (event->type() == QEvent::KeyPress && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            Tekstvak(object))
            m_enterVoor = static_cast<QWidget*>(object);
        // An accepted override keeps menu shortcuts from firing on this key.
        if (event->type() == QEvent::ShortcutOverride) event->accept();
    }
    return true;
}

} // namespace Vamox
