#include "dialogs/Tooltip.h"

#include "platform/gui/Kleuren.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QToolTip>
#include <QWidget>

namespace Vamox {

namespace {

constexpr const char* TipNaam = "vamoxTip";

QString Regels(QString tekst)
{
    return tekst.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// The label Qt shows tips in; it is made on first show and reused.
QWidget* TipLabel()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("qtooltip_label")) return w;
    return nullptr;
}

} // namespace

Tooltip::Tooltip(QWidget& besturing) : QObject(&besturing), m_besturing(besturing)
{
    setObjectName(QLatin1String(TipNaam));
    m_wachten.setSingleShot(true);
    connect(&m_wachten, &QTimer::timeout, this, &Tooltip::Tonen);
    besturing.installEventFilter(this);
}

void Tooltip::TekstZetten(TipBron bron)
{
    m_bron = std::move(bron);
    m_besturing.setToolTip(Tekst());
}

QString Tooltip::Tekst() const
{
    return m_bron ? Regels(m_bron()) : QString();
}

bool Tooltip::eventFilter(QObject* object, QEvent* event)
{
    if (object != &m_besturing) return false;
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverMove:
        // Resting means no move for DelayTime: every move starts the wait again.
        if (!QToolTip::isVisible() || QToolTip::text() != m_besturing.toolTip()) m_wachten.start(DelayTime);
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
        m_wachten.stop();
        break;
    case QEvent::ToolTip:
        // Qt's own tip would come later and in the style's colours.
        return true;
    case QEvent::FocusIn: {
        // The tip is also what a screen reader says about the control: made from the state of
        // the moment the keyboard arrives, as it is for the pointer.
        m_besturing.setToolTip(Tekst());
        QAccessibleEvent gewijzigd(&m_besturing, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&gewijzigd);
        break;
    }
    default:
        break;
    }
    return false;
}

void Tooltip::Tonen()
{
    if (!m_besturing.isVisible()) return;
    const QString tekst = Tekst();
    m_besturing.setToolTip(tekst);
    if (tekst.isEmpty()) return;
    QPalette kleuren = QToolTip::palette();
    for (const auto rol : {QPalette::ToolTipBase, QPalette::Window, QPalette::Base})
        kleuren.setColor(rol, BkColor);
    for (const auto rol : {QPalette::ToolTipText, QPalette::WindowText, QPalette::Text})
        kleuren.setColor(rol, TxtColor);
    QToolTip::setPalette(kleuren);
    const QPoint plek = Centreren
                            ? m_besturing.mapToGlobal(QPoint(m_besturing.width() / 2, m_besturing.height()))
                            : QCursor::pos();
    QToolTip::showText(plek, tekst, &m_besturing, m_besturing.rect(), VisibleTime);
    // A label still showing is reused with the colours it was made with.
    if (QWidget* label = TipLabel()) label->setPalette(kleuren);
}

Tooltip& TipTonen(QWidget& besturing, TipBron bron, const TipOpties& opties)
{
    Tooltip* tip = TipVan(besturing);
    if (tip == nullptr) tip = new Tooltip(besturing);
    tip->BkColor = opties.Achtergrond.value_or(Kleur(Kleurrol::TipAchtergrond));
    tip->TxtColor = opties.Tekstkleur.value_or(Kleur(Kleurrol::TipTekst));
    tip->VisibleTime = opties.Zichtbaar;
    tip->DelayTime = 100;
    tip->Centreren = opties.Centreren;
    tip->TekstZetten(std::move(bron));
    return *tip;
}

Tooltip& TipTonen(QWidget& besturing, const QString& tekst, const TipOpties& opties)
{
    return TipTonen(besturing, TipBron([tekst] { return tekst; }), opties);
}

Tooltip* TipVan(const QWidget& besturing)
{
    return besturing.findChild<Tooltip*>(QLatin1String(TipNaam), Qt::FindDirectChildrenOnly);
}

} // namespace Vamox
