#pragma once

#include "transfer/Overdracht.h"
#include "vergelijken/Synchronisatie.h"
#include "vergelijken/Synchronisatiewandeling.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <vector>

namespace Vamox {

class Wachtrij;

// Runs the checked actions of a synchronise as jobs of the transfer queue, in stages that each
// wait for the one before: new folders (parents first), then the transfers, then the deletes. A
// stop (Escape) ends the stages after it. Every job that ends well goes into the pair's state at
// once, written to its file within a second and when a stage ends, so that a synchronise cut
// short plans only what is left the next time. It keeps listening after its stages ended: a
// failed job retried from the transfer list goes into the state too.
class Synchronisatieuitvoering final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Synchronisatieuitvoering)

public:
    Synchronisatieuitvoering(Wachtrij& wachtrij, Syncpaar paar, QString staatPad, Syncstaat staat,
                             QObject* parent = nullptr);
    ~Synchronisatieuitvoering() override;

    // Hands the actions that are on to the queue (and the new folders their files need).
    void Starten(const std::vector<Syncregel>& regels);
    bool Bezig() const { return m_bezig; }
    const Syncstaat& Staat() const { return m_staat; }

Q_SIGNALS:
    // Every stage ran, or a stop ended them: the sum of what the runs did.
    void klaar(const Vamox::Overdrachtsresultaat& resultaat);

private:
    void volgende();
    void klusGewijzigd(int index);
    void bewaren();

    Wachtrij& m_wachtrij;
    Syncpaar m_paar;
    QString m_staatPad;
    Syncstaat m_staat;
    std::vector<Syncregel> m_regels;
    std::vector<std::vector<qsizetype>> m_fasen; // indices into m_regels
    std::size_t m_fase = 0;
    QHash<QString, qsizetype> m_doelen; // a job's target: its row (a retried job is another run's)
    Overdrachtsresultaat m_totaal;
    QTimer m_bewaarTimer;
    bool m_bezig = false;
};

} // namespace Vamox
