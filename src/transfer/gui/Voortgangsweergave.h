#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class QProgressBar;
class QStatusBar;
class QWidget;

namespace Vamox {

class Wachtrij;

// The progress of the transfer queue in the main window: in the status bar a line with the file
// that began last, files and bytes done of the total, rate and time left, and a bar; in the caption
// the text of the run under way; the busy pointer unless the transfers go in the background. The
// status bar is there only while the queue has work. The widgets are redrawn from a timer, so many
// small files cost no repaint each and a stalled transfer shows its rate fall.
class Voortgangsweergave final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Voortgangsweergave)

public:
    static constexpr int VerversMs = 250;

    Voortgangsweergave(QWidget& venster, QStatusBar& balk, const Wachtrij& wachtrij);
    ~Voortgangsweergave() override;

    bool Actief() const { return m_actief; }
    QLabel& Regel() const { return *m_regel; }
    QProgressBar& Balk() const { return *m_balk; }
    // Redraws the widgets from the queue (the timer does this while it has work).
    void Verversen();

Q_SIGNALS:
    // The progress line was clicked: the user wants to see the transfer list.
    void lijstGevraagd();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void BezigGewijzigd(bool bezig);
    void BalkTonen(bool tonen);

    QWidget& m_venster;
    QStatusBar& m_statusbalk;
    const Wachtrij& m_wachtrij;
    QLabel* m_regel;
    QProgressBar* m_balk;
    QTimer m_timer;
    bool m_actief = false;
};

} // namespace Vamox
