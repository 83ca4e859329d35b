#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace Vamox {

class FtpSession;
struct Overdrachtsplan;

// Copies within one side: a numbered copy of a file beside it, and local files and folders into a
// folder. They are planned here and run as jobs of the transfer queue.

// "naam (kopie n).ext": the extension is the name's text from its last "."; a name without one,
// or with only a leading one (".profile"), has none.
QString KopieNaam(const QString& naam, int n);

// The copy name with the smallest n from 1 up for which `bestaat` is false.
QString VrijeKopieNaam(const QString& naam, const std::function<bool(const QString&)>& bestaat);

// Plans a copy of the file `naam` of the local folder `map` (ending in a separator) under its free
// copy name there; a plan without a job when there is no such file. The copy's name is the last
// part of the job's target; it never replaces a file.
Overdrachtsplan LokaleKopiePlannen(const QString& map, const QString& naam);

// Plans a copy of the server file `naam` of `servermap` ("/a/b/") under its free copy name there,
// made by fetching it into `werkmap` and sending it back under the new name. The names taken
// come from one listing of the folder, capitals not counting (a server may ignore them); a
// folder that cannot be listed gets no copy (a plan without a job). The copy's name is the last
// part of the job's target.
Overdrachtsplan ServerkopiePlannen(FtpSession& sessie, const QString& servermap, const QString& naam,
                                   qint64 grootte, const QString& werkmap);

// Plans copies of the local files among `paden` into `doelmap`, replacing files of the same name
// without asking (only once their copy is whole); a path that is no file is passed over, a name
// the disk cannot take fails. A file dropped onto itself stays as it is.
Overdrachtsplan LokaleBestandenPlannen(const QStringList& paden, const QString& doelmap);

// Plans a copy of the local folder `map` with everything below it into `doelmap`, as a folder of
// its own name, making its folders now (those that cannot be made count in mislukteMappen); files
// of the same name are replaced as above. Nothing when `doelmap` is `map` itself or lies below it.
std::optional<Overdrachtsplan> LokaleMapPlannen(const QString& map, const QString& doelmap);

} // namespace Vamox
