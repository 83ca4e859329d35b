#pragma once

#include "vergelijken/Synchronisatie.h"

#include <QAbstractTableModel>

#include <vector>

namespace Vamox {

// The checklist of a synchronise: one row per planned action, added as the walk finds them,
// each with a check box in its first column.
class Synchronisatiemodel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Kolom
    {
        Actie,
        Map,
        Naam,
        GrootteLokaal,
        TijdLokaal,
        GrootteServer,
        TijdServer,
        Reden,
        Aantal
    };
    using QAbstractTableModel::QAbstractTableModel;

    void Toevoegen(const std::vector<Syncregel>& regels);
    void Wissen();
    const std::vector<Syncregel>& Regels() const { return m_regels; }
    // Every row for which `welke` holds on, or off when all of them are on already.
    void Omzetten(const std::function<bool(const Syncregel&)>& welke);
    // "Uploaden: 3 bestanden, 1,2 MB" per action with rows that are on.
    QString Totalen() const;

    int rowCount(const QModelIndex& ouder = {}) const override;
    int columnCount(const QModelIndex& ouder = {}) const override;
    QVariant data(const QModelIndex& index, int rol) const override;
    bool setData(const QModelIndex& index, const QVariant& waarde, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int sectie, Qt::Orientation richting, int rol) const override;

Q_SIGNALS:
    void aantekeningGewijzigd();

private:
    std::vector<Syncregel> m_regels;
};

} // namespace Vamox
