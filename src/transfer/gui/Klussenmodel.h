#pragma once

#include <QAbstractTableModel>
#include <QTimer>

namespace Vamox {

class Wachtrij;

// The jobs of the transfer queue as the transfer list shows them, a row each: name, direction,
// size, progress, state and the error of a failed one. Rows follow the queue's signals; the
// progress of running jobs is redrawn from a timer.
class Klussenmodel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Klussenmodel)

public:
    enum Kolom
    {
        Naam,
        Richting,
        Grootte,
        Voortgang,
        Staat,
        Fout,
        Aantal
    };

    explicit Klussenmodel(const Wachtrij& wachtrij, QObject* parent = nullptr);

    int rowCount(const QModelIndex& ouder = {}) const override;
    int columnCount(const QModelIndex& ouder = {}) const override;
    QVariant data(const QModelIndex& index, int rol) const override;
    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override;

private:
    void lopendeVerversen();

    const Wachtrij& m_wachtrij;
    int m_rijen = 0;
    QTimer m_timer;
};

} // namespace Vamox
