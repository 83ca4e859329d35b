#pragma once

#include "ftp/FtpSession.h"
#include "transfer/Klus.h"
#include "transfer/ZoekBestanden.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace Vamox {

// The transfers between the local disk and the server. A flow plans: it walks, makes the folders
// and asks its overwrite questions through Overdrachtsvragen, in listing order, and hands the
// transfer queue (Wachtrij) a plan of jobs, one per file, which the queue moves over one or more
// connections. Flows show nothing themselves: the window answers the questions with its notices
// and shows the queue's progress; tests answer from a script.

// A target file that exists already.
struct Overschrijving
{
    enum class Soort
    {
        BestandDownloaden, // a selected server file over a local file: Ja / Nee
        BestandUploaden,   // a selected local file over a server file: Ja / Nee
        MapDownloaden,     // inside a folder download: Ja / Nee / Alle / Stoppen
        MapUploaden,       // inside a folder upload: Ja / Nee / Alle / Stoppen
    };
    Soort soort = Soort::BestandDownloaden;
    QString pad;         // the file that would be overwritten (local or server path)
    qint64 grootte = -1; // its size now; -1 unknown
    qint64 nummer = 0;   // 1-based place of the file in the run
    qint64 aantal = 0;   // files in the run
};

enum class Overschrijfantwoord
{
    Ja,
    Nee,
    Alle,   // yes, and no more questions in this run
    Stoppen // no, and the run ends here
};

class Overdrachtsvragen
{
public:
    virtual ~Overdrachtsvragen() = default;
    virtual Overschrijfantwoord Overschrijven(const Overschrijving& vraag) = 0;
};

struct Overdrachtsresultaat
{
    qint64 gedaan = 0;         // files moved
    qint64 mislukt = 0;        // files that failed (a refused name counts here)
    qint64 afgebroken = 0;     // files stopped while they moved: tried, not arrived
    qint64 overgeslagen = 0;   // files the answer "Nee" left alone
    qint64 mislukteMappen = 0; // folders that could not be made, or listed in a tree walk
    qint64 bytes = 0;          // payload of the moved files
    bool gestopt = false;      // "Stoppen", the stop question or a cancel ended the run early
    bool geannuleerd = false;  // the running transfer was cancelled (FtpSession::afbreken)
    QStringList namen;         // names of the moved files, in run order
    QSet<QString> lokaleMappen; // local folders that received a file ("/a/b", no trailing separator)
    QSet<QString> serverMappen; // server folders that received a file ("/a/b"; the root "/")

    bool Gelukt() const { return mislukt == 0 && afgebroken == 0 && mislukteMappen == 0; }
    // Whether a transfer of some file was attempted.
    bool Geprobeerd() const { return gedaan + mislukt + afgebroken > 0; }
    // Files that were to arrive and did not.
    qint64 NietAangekomen() const { return mislukt + afgebroken; }
};

// A server file to fetch: its full path and the size its listing gave (-1 unknown).
struct Serverbestand
{
    QString pad;
    qint64 grootte = -1;
    // The name as listed, when the caller has it; otherwise the text after the last "/" of
    // `pad`. A listed "a/b" or "../x" is then refused instead of fetched as "b" or "x".
    QString naam;
};

// What a flow hands the queue: one job per file in run order (those answered "Nee" and those whose
// name is refused included, already in their final state), and what was decided before any file
// moved.
struct Overdrachtsplan
{
    std::vector<Klus> klussen;
    qint64 mislukteMappen = 0; // folders that could not be made, or listed in a tree walk
    bool gestopt = false;      // "Stoppen" ended the questions: the files after it are left out
};

// One file, with no question (opening, sending an edited copy back, a copy within the server); its
// name is the server path's last part.
Overdrachtsplan EenBestandPlannen(Klus::Richting richting, const QString& bron, const QString& doel,
                                  qint64 grootte, const QString& werkkopie = {});

// Server files into one local folder under their own names. With `vragen`, a local file of the
// same name is only replaced after "Ja" (Soort::BestandDownloaden); without it, never asked. A
// name that is no plain file name is never written (a failure).
Overdrachtsplan DownloadenPlannen(const std::vector<Serverbestand>& bestanden, const QString& lokaleMap,
                                  Overdrachtsvragen* vragen);

// Local files into one server folder under their own names. With `vragen`, one listing of the
// folder tells which names exist there (capitals counting), and those are only replaced after
// "Ja" (Soort::BestandUploaden); without it, never asked and nothing listed.
Overdrachtsplan UploadenPlannen(FtpSession& sessie, const QStringList& lokalePaden, const QString& serverMap,
                                Overdrachtsvragen* vragen);

// Server files copied into another server folder through copies in `werkmap` (each file a copy of
// its own there; the copies stay).
Overdrachtsplan KopierenPlannen(const std::vector<Serverbestand>& bestanden, const QString& werkmap,
                                const QString& serverMap);

// A local tree to upload, as LokaleMapScannen collects it.
struct LokaleBoom
{
    QString map;           // the chosen folder, no trailing separator
    QStringList mappen;    // the chosen folder (trailing separator), then every subfolder
    QStringList bestanden; // every file, in walk order
    qint64 totaal = 0;     // bytes
    bool volledig = true;  // false when the stop question ended the scan
};

// Walks a local folder (ZoekBestanden rules: no links followed out of the tree). `stop` may end
// the walk; what was found so far is kept.
LokaleBoom LokaleMapScannen(const QString& map, const StopVraag& stop = {});

// A scanned tree into `serverMap` as a folder of the chosen folder's name: the folders are made
// here, each after its parent (one that exists already is fine), then every file is planned,
// asking before replacing a file that exists with a size above 0 (Soort::MapUploaden) unless it
// lies in a folder this run made, or "Alle" was answered. One listing per folder tells what exists.
Overdrachtsplan MapUploadenPlannen(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                                   Overdrachtsvragen& vragen);

// The server folder `serverMap` ("/a/b", listed as `boom` by FtpBoomLezen) into `lokaleMap` as a
// folder of its own name: the local folders are made here, then every file is planned, asking
// before replacing a local file (Soort::MapDownloaden) until "Alle". A listed name that is no plain
// name, and everything below it, is never written (a failure). Folders whose listing failed count
// as mislukteMappen.
Overdrachtsplan MapDownloadenPlannen(const QString& serverMap, const FtpBoom& boom, const QString& lokaleMap,
                                     Overdrachtsvragen& vragen);

} // namespace Vamox
