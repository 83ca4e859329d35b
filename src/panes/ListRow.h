#pragma once

#include "panes/IcoonSleutel.h"

#include <QDate>
#include <QString>

namespace Vamox {

// One row of a list. Folder rows use only `naam` and `icoonSleutel`. The shown texts and the
// hidden sort keys of a file row are made from `grootte` and `datum` when they are needed
// (GrootteOpmaak, GrootteSleutel, DatumTekst, DatumSleutel), so 100,000 rows stay small.
struct ListRow
{
    QString naam;              // as stored on disk or listed by the server
    qint64 grootte = 0;        // bytes
    QDate datum;               // day of the last change; the time is not part of the row
    IcoonSleutel icoonSleutel; // key of the shared image list: "map", "bestand", "txt", ...
    // The rest of the last change, for comparing the two sides: the seconds since midnight and
    // what the listing gave (Tijdprecisie and Tijdzone of ftp/FtpEntry.h as numbers). They fill
    // what the row's alignment leaves over.
    quint32 seconden : 17 = 0;
    quint32 precisie : 2 = 3; // Geen
    quint32 zone : 2 = 2;     // Server
    // The listed permissions rwxrwxrwx (RechtenZetten / RechtenVan of panes/Rijen.h); the
    // special bits do not fit. Bit 9 says whether the listing gave them.
    quint32 rechten : 10 = 0;
};

} // namespace Vamox
