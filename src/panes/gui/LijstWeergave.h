#pragma once

#include "panes/gui/LijstModel.h"

#include <QColor>
#include <QPoint>
#include <QTreeView>

class QDragMoveEvent;
class QDropEvent;

namespace Vamox {

// One of the four lists of the main window: rows with a picture, whole-row selection (several
// rows in a file list, one in a folder list), no tree decoration. The panes react to its
// signals; the view itself does nothing on these events.
class LijstWeergave final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LijstWeergave)

public:
    // Takes ownership of the model.
    explicit LijstWeergave(LijstModel* model, QWidget* parent = nullptr);

    LijstModel& lijstModel() const { return *m_model; }

    // Selected rows, from the selection ranges (no walk over all rows).
    int AantalGeselecteerd() const;

    // Opens the row's name for editing in place (the row becomes current and is scrolled into
    // view); false when no editor opened.
    bool LabelBewerken(int rij);
    bool LabelWordtBewerkt() const { return state() == EditingState; }

    // Background of the whole list, also below the last row; an invalid colour restores the
    // normal background.
    void ZetAchtergrondkleur(const QColor& kleur);
    QColor Achtergrondkleur() const;

signals:
    // A key let go while the list has the focus (not sent for auto-repeat).
    void toetsLos(int toets, Qt::KeyboardModifiers modifiers);
    // A double click anywhere in the list, also below the last row.
    void dubbelklik();
    // Enter (either key) pressed while the list has the focus. Taken on the press: the release
    // may belong to a press that closed a notice.
    void enter();
    // A mouse button let go over the list; the position is in screen coordinates (for pop-ups).
    void muisLos(Qt::MouseButton knop, QPoint globaal);
    // A click on a column header.
    void kopGeklikt(int kolom);
    // A drag of the selected rows begins (only with dragging switched on); a listener starts it.
    void slepenBegint();
    // Something is dragged over the list or dropped on it; a listener accepts or ignores the
    // event (ignored unless one accepts). Lists take drops only when switched on.
    void slepenOver(QDragMoveEvent* event);
    void neergezet(QDropEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions acties) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    LijstModel* m_model;
};

} // namespace Vamox
