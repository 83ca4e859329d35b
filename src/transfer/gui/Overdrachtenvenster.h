#pragma once

#include <QTimer>
#include <QWidget>

class QPushButton;
class QTableView;

namespace Vamox {

class Klussenmodel;
class Wachtrij;

// The transfer list "Overdrachten": a window of its own beside the main window with every job of
// the queue since the list was cleared, and the buttons that act on them: queue the failed ones
// again, stop what waits and runs (as Escape does), clear the list. It stays usable while the main
// window holds its input during a transfer.
class Overdrachtenvenster final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Overdrachtenvenster)

public:
    Overdrachtenvenster(Wachtrij& wachtrij, QWidget* hoofdvenster);
    ~Overdrachtenvenster() override;

    // Shows the window on top; the first time over the lower half of the main window.
    void Tonen();

    QTableView& Lijst() const { return *m_lijst; }
    QPushButton& KnopOpnieuw() const { return *m_opnieuw; }
    QPushButton& KnopStoppen() const { return *m_stoppen; }
    QPushButton& KnopWissen() const { return *m_wissen; }

Q_SIGNALS:
    void zichtbaarheidGewijzigd(bool zichtbaar);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void KnoppenZetten();

    Wachtrij& m_wachtrij;
    Klussenmodel* m_model;
    QTableView* m_lijst;
    QPushButton* m_opnieuw;
    QPushButton* m_stoppen;
    QPushButton* m_wissen;
    QTimer m_knoppen;
    bool m_geplaatst = false;
};

} // namespace Vamox
