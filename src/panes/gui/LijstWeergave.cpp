#include "panes/gui/LijstWeergave.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace Vamox {

LijstWeergave::LijstWeergave(LijstModel* model, QWidget* parent) : QTreeView(parent), m_model(model)
{
    m_model->setParent(this);
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // row heights are not measured per row: fast with many rows
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(model->Soort() == LijstSoort::Bestanden ? QAbstractItemView::ExtendedSelection
                                                             : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setSortingEnabled(false); // the panes sort on header clicks themselves
    setTextElideMode(Qt::ElideRight);

    QHeaderView* kop = header();
    kop->setStretchLastSection(false);
    kop->setSectionsClickable(true);
    kop->setSortIndicatorShown(false);
    kop->setSectionsMovable(false);
    connect(kop, &QHeaderView::sectionClicked, this, &LijstWeergave::kopGeklikt);
    connect(m_model, &LijstModel::standenGewijzigd, viewport(), qOverload<>(&QWidget::update));
}

int LijstWeergave::AantalGeselecteerd() const
{
    const QItemSelectionModel* keuze = selectionModel();
    if (keuze == nullptr) return 0;
    // The ranges of a selection do not overlap; counting only those that hold the first column
    // counts every selected row once, however the columns were split.
    int aantal = 0;
    for (const QItemSelectionRange& stuk : keuze->selection())
        if (stuk.left() == 0) aantal += stuk.height();
    return aantal;
}

bool LijstWeergave::LabelBewerken(int rij)
{
    const QModelIndex plek = m_model->index(rij, LijstModel::KolomNaam);
    if (!plek.isValid()) return false;
    selectionModel()->setCurrentIndex(plek, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(plek);
    return QAbstractItemView::edit(plek, QAbstractItemView::AllEditTriggers, nullptr);
}

void LijstWeergave::ZetAchtergrondkleur(const QColor& kleur)
{
    QPalette kleuren = palette();
    kleuren.setColor(QPalette::Base, kleur.isValid() ? kleur : QPalette().color(QPalette::Base));
    setPalette(kleuren);
}

QColor LijstWeergave::Achtergrondkleur() const
{
    return palette().color(QPalette::Base);
}

void LijstWeergave::keyPressEvent(QKeyEvent* event)
{
    const bool isEnter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The name editor hands on the Enter that ends the edit: it opens nothing.
    if (isEnter && state() == EditingState) {
        event->accept();
        return;
    }
    if (isEnter && !event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        emit enter();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void LijstWeergave::keyReleaseEvent(QKeyEvent* event)
{
    QTreeView::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) emit toetsLos(event->key(), event->modifiers());
}

void LijstWeergave::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    emit dubbelklik();
}

void LijstWeergave::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    emit muisLos(event->button(), event->globalPosition().toPoint());
}

// The view's own drag and drop would move rows of the model; the panes decide what a drag means.
void LijstWeergave::startDrag(Qt::DropActions)
{
    emit slepenBegint();
}

void LijstWeergave::dragEnterEvent(QDragEnterEvent* event)
{
    event->ignore();
    emit slepenOver(event);
}

void LijstWeergave::dragMoveEvent(QDragMoveEvent* event)
{
    event->ignore();
    emit slepenOver(event);
}

void LijstWeergave::dropEvent(QDropEvent* event)
{
    event->ignore();
    emit neergezet(event);
}

} // namespace Vamox
