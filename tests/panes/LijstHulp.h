#pragma once

#include "panes/gui/ImageLijst16.h"
#include "panes/gui/LijstModel.h"
#include "panes/gui/LijstWeergave.h"

#include <QStringList>

#include <vector>

namespace Vamox::Test {

inline ListRow Bestand(const char* naam, qint64 grootte = 0, QDate datum = {})
{
    return ListRow{QString::fromUtf8(naam), grootte, datum, QStringLiteral("bestand")};
}

inline QStringList Namen(const LijstModel& model)
{
    QStringList namen;
    for (const ListRow& r : model.Rijen())
        namen << r.naam;
    return namen;
}

// A list as the main window makes it: a view with its own model over the shared pictures.
inline LijstWeergave* NieuweLijst(const ImageLijst16& beelden, LijstSoort soort, const char* naam,
                                  QWidget* ouder = nullptr)
{
    auto* lijst = new LijstWeergave(new LijstModel(soort, &beelden), ouder);
    lijst->setObjectName(QLatin1String(naam));
    return lijst;
}

} // namespace Vamox::Test
