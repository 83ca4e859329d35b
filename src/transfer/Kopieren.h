#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Vamox {

class FtpSession;
struct Overdrachtsplan;

// Copies within one side: a numbered copy of a file beside it, and local files into a folder.

// "naam (kopie n).ext": the extension is the name's text from its last "."; a name without one,
// or with only a leading one (".profile"), has none.
QString KopieNaam(const QString& naam, int n);

// The copy name with the smallest n from 1 up for which `bestaat` is false.
QString VrijeKopieNaam(const QString& naam, const std::function<bool(const QString&)>& bestaat);

// Copies the file `naam` of the local folder `map` (ending in a separator) to its free copy
// name there. The name of the copy; "" when it could not be made. Never replaces a file.
QString LokaalBestandKopieren(const QString& map, const QString& naam);

// Plans a copy of the server file `naam` of `servermap` ("/a/b/") under its free copy name there,
// made by fetching it into `werkmap` and sending it back under the new name. The names taken
// come from one listing of the folder, capitals not counting (a server may ignore them); a
// folder that cannot be listed gets no copy (a plan without a job). The copy's name is the last
// part of the job's target.
Overdrachtsplan ServerkopiePlannen(FtpSession& sessie, const QString& servermap, const QString& naam,
                                   qint64 grootte, const QString& werkmap);

struct Kopieerresultaat
{
    QStringList namen; // names now in the target folder, in the order given
    int mislukt = 0;
};

// Copies the local files among `paden` into `doelmap`, replacing files of the same name without
// asking; a path that is no file is passed over. A replaced file is only gone once its
// replacement is complete, and a file dropped onto itself stays as it is.
Kopieerresultaat LokaleBestandenKopieren(const QStringList& paden, const QString& doelmap);

} // namespace Vamox
