#pragma once

#include "transfer/OverdrachtHulp.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>

namespace Vamox::Test {

// A drag over a widget as the platform delivers it: enter, then a move at the same place.
// True when the move was accepted.
inline bool Over(QWidget* doel, const QMimeData& data, QPoint plek = {2, 2})
{
    QDragEnterEvent enter(plek, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(doel, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(plek, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(doel, &move);
    return move.isAccepted();
}

// Over, then the drop there when it was accepted; what the drop handed to the transfer queue has
// moved when it returns.
inline bool Neer(QWidget* doel, const QMimeData& data, QPoint plek = {2, 2})
{
    if (!Over(doel, data, plek)) return false;
    QDropEvent neer(QPointF(plek), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(doel, &neer);
    // Some drops act once the drag has ended.
    QCoreApplication::processEvents();
    EXPECT_TRUE(AlleOverdrachtenKlaar());
    return neer.isAccepted();
}

inline QPoint RijPlek(LijstWeergave& lijst, const QString& naam)
{
    const LijstModel& model = lijst.lijstModel();
    for (int r = 0; r < model.Aantal(); ++r)
        if (model.Rij(r).naam == naam) return lijst.visualRect(model.index(r, 0)).center();
    ADD_FAILURE() << "geen rij " << naam.toStdString();
    return {};
}

} // namespace Vamox::Test
