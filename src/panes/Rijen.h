#pragma once

#include "panes/ListRow.h"
#include "panes/Patroon.h"

#include <QDateTime>
#include <QFileInfo>
#include <QString>
#include <QStringView>

#include <optional>

namespace Vamox {

// A file row from one listing line "name<15>date<15>size" of either side: the server gives
// "dd-mm-yyyy hh:nn", the local side "dd-mm-yyyy hh:nn:ss"; only the day is kept. A line that
// does not split into exactly three fields gives no row. A date that cannot be read leaves the
// row's date invalid (empty texts, sorts first); a size that is not a whole number >= 0 is 0.
std::optional<ListRow> RijUitRegel(const QString& regel, const ProgrammaBekend& bekend = {});

// The day of a "d-m-yyyy[ ...]" text; invalid when it does not start with such a date.
QDate DatumUitTekst(QStringView tekst);

// One local file as "name<15>dd-mm-yyyy hh:nn:ss<15>size", last change in local time.
QString LokaalBestandRegel(const QString& naam, const QDateTime& gewijzigd, qint64 grootte);
QString LokaalBestandRegel(const QFileInfo& info);

// The file name of a listing line (the text before the first separator).
QString NaamUitRegel(const QString& regel);

} // namespace Vamox
