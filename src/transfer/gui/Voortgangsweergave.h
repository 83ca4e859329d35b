#pragma once

#include "transfer/Overdracht.h"
#include "transfer/OverdrachtVoortgang.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace Vamox {

class FtpSession;

// The progress of a transfer run in the main window's status bar: a line with the current file,
// files and bytes done of the total, rate and time left, and a bar. The status bar shows only
// while a run goes on. Files only update counters; the widgets are redrawn from a timer, so a
// run of many small files costs no repaint per file and a stalled transfer shows its rate fall.
class Voortgangsweergave final : public QObject, public Voortgangsmelder
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Voortgangsweergave)

public:
    static constexpr int VerversMs = 250;

    // Shows itself in `balk` and follows the byte counts `sessie` reports.
    Voortgangsweergave(QStatusBar& balk, FtpSession& sessie);
    ~Voortgangsweergave() override;

    // A run of `bestanden` files with `bytes` in all (0: unknown) starts; the display shows.
    void Begin(qint64 bestanden, qint64 bytes) override;
    // `grootte` < 0: unknown until the session reports it.
    void BestandBegint(const QString& naam, qint64 grootte) override;
    // The session's byte counts of the running file start again at 0 while the file's progress
    // goes on from `gedaan` (the second leg of a copy through the work folder).
    void TweedeDeel(qint64 gedaan) override;
    // The file is handled: moved, failed or skipped.
    void BestandKlaar() override;
    // The run is over; the display hides.
    void Einde() override;

    bool Actief() const { return m_actief; }
    QLabel& Regel() const { return *m_regel; }
    QProgressBar& Balk() const { return *m_balk; }
    // Redraws the widgets from the counters (the timer does this while a run goes on).
    void Verversen();

private:
    void SessieVoortgang(qint64 gedaan, qint64 totaal);
    void BalkTonen(bool tonen);

    QStatusBar& m_statusbalk;
    QLabel* m_regel;
    QProgressBar* m_balk;
    QTimer m_timer;
    OverdrachtVoortgang m_voortgang;
    bool m_actief = false;
    bool m_inBestand = false; // between BestandBegint and BestandKlaar
    bool m_grootteBekend = false;
    QString m_naam;
    qint64 m_verschuiving = 0; // added to the session's counts (second leg of a copy)
    int m_groei = 0;           // pixels the window grew by to show the bar
};

} // namespace Vamox
