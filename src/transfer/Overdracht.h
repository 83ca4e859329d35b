#pragma once

#include "ftp/FtpSession.h"
#include "transfer/ZoekBestanden.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Vamox {

// The transfers between the local disk and the server, one file at a time over one session (the
// folder flows may use more).
// A flow asks its questions through Overdrachtsvragen, reports through Voortgangsmelder and
// returns what happened; it shows nothing itself. The window answers the questions with its
// notices and shows the progress; tests answer from a script.

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

// Progress of a run: the totals, then every file's start and end. The bytes of the running
// file come from the session's voortgang signal, which the display follows itself.
class Voortgangsmelder
{
public:
    virtual ~Voortgangsmelder() = default;
    virtual void Begin(qint64 /*bestanden*/, qint64 /*bytes*/) {}
    // `grootte` < 0: unknown.
    virtual void BestandBegint(const QString& /*naam*/, qint64 /*grootte*/) {}
    // The session's byte count starts again at 0 while the file's progress goes on from
    // `gedaan` (the second leg of a copy through the work folder).
    virtual void TweedeDeel(qint64 /*gedaan*/) {}
    // Moved, failed or skipped.
    virtual void BestandKlaar() {}
    virtual void Einde() {}
};

struct Overdrachtsresultaat
{
    qint64 gedaan = 0;         // files moved
    qint64 mislukt = 0;        // files that failed (a refused name counts here)
    qint64 overgeslagen = 0;   // files the answer "Nee" left alone
    qint64 mislukteMappen = 0; // folders that could not be made, or listed in a tree walk
    qint64 bytes = 0;          // payload of the moved files
    bool gestopt = false;      // "Stoppen", the stop question or a cancel ended the run early
    bool geannuleerd = false;  // the running transfer was cancelled (FtpSession::afbreken)
    QStringList namen;         // names of the moved files, in run order

    bool Gelukt() const { return mislukt == 0 && mislukteMappen == 0; }
    // Whether a transfer of some file was attempted.
    bool Geprobeerd() const { return gedaan + mislukt > 0; }
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

// Fetches server files into one local folder under their own names. With `vragen`, a local
// file of the same name is only replaced after "Ja" (Soort::BestandDownloaden); without it,
// never asked. A name that is no plain file name is never written (a failure).
Overdrachtsresultaat BestandenDownloaden(FtpSession& sessie, const std::vector<Serverbestand>& bestanden,
                                         const QString& lokaleMap, Overdrachtsvragen* vragen,
                                         Voortgangsmelder& voortgang);

// Sends local files into one server folder under their own names. With `vragen`, one listing
// of the folder tells which names exist there (capitals counting), and those are only replaced
// after "Ja" (Soort::BestandUploaden); without it, never asked and nothing listed.
Overdrachtsresultaat BestandenUploaden(FtpSession& sessie, const QStringList& lokalePaden,
                                       const QString& serverMap, Overdrachtsvragen* vragen,
                                       Voortgangsmelder& voortgang);

// Copies server files into another server folder through the work folder (fetch, then send;
// the fetched copies stay there).
Overdrachtsresultaat ServerBestandenKopieren(FtpSession& sessie, const std::vector<Serverbestand>& bestanden,
                                             const QString& werkmap, const QString& serverMap,
                                             Voortgangsmelder& voortgang);

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

// Uploads a scanned tree into `serverMap` as a folder of the chosen folder's name: the folders
// first, each after its parent (one that exists already is fine), then the files, asking
// before replacing a file that exists (Soort::MapUploaden) unless it lies in a folder this run
// made, or "Alle" was answered. With `verbindingen` > 1 the files move over that many sessions
// beside `sessie` (Verbindingenpool); the folders, probes and questions stay on `sessie`, in the
// same order. A cancel of `sessie` then stops handing out files; a second one cancels those running.
Overdrachtsresultaat MapUploaden(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                                 Overdrachtsvragen& vragen, Voortgangsmelder& voortgang, int verbindingen = 1);

// Downloads the server folder `serverMap` ("/a/b", listed as `boom` by FtpBoomLezen) into
// `lokaleMap` as a folder of its own name: the folders first, then the files, asking before
// replacing a local file (Soort::MapDownloaden) until "Alle". A listed name that is no plain
// name, and everything below it, is never written (a failure). `stop` is asked after every
// file; true ends the run there. Folders whose listing failed count as mislukteMappen.
// `verbindingen` as for MapUploaden; `stop` is then asked before each file is handed out, and the
// files running finish.
Overdrachtsresultaat MapDownloaden(FtpSession& sessie, const QString& serverMap, const FtpBoom& boom,
                                   const QString& lokaleMap, Overdrachtsvragen& vragen,
                                   Voortgangsmelder& voortgang, const StopVraag& stop = {},
                                   int verbindingen = 1);

} // namespace Vamox
