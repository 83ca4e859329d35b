#pragma once

#include <QObject>

class QWidget;

namespace Vamox {

struct VensterUi;

// The main window without a mouse. Tab walks the controls in the order they are seen: the local
// side from top to bottom, the toolbar column, the server side. F6 goes to the same control on
// the other side. A picture button with the focus acts on Space or Enter as on a left click, and
// on the menu key or Shift+F10 as on a right click: the buttons act on the mouse's release, so
// the key hands them exactly that.
class Toetsenbediening final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Toetsenbediening)

public:
    explicit Toetsenbediening(const VensterUi& ui);

    // F6: the matching control of the other side, or the other side's file list.
    void AndereKant();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    const VensterUi& m_ui;
};

} // namespace Vamox
