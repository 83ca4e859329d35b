#pragma once

#include "ftp/FtpSession.h"
#include "transfer/ZoekBestanden.h"

#include <QString>
#include <QStringList>

namespace Vamox {

// Deleting files and whole folder trees on either side. The flows ask through Verwijdervragen
// and return what happened; they show nothing themselves.

struct Verwijderresultaat
{
    qint64 verwijderd = 0;    // files and folders gone
    qint64 mislukt = 0;       // files and folders that stayed
    bool geannuleerd = false; // a cancel of the session ended the run

    bool Gelukt() const { return mislukt == 0 && !geannuleerd; }
};

enum class Verwijderwijze
{
    Prullenbak, // the desktop's trash: the user can get them back
    Definitief
};

// Local files of one folder, by name. A name that is no plain name is never touched (a failure).
Verwijderresultaat LokaleBestandenVerwijderen(const QString& map, const QStringList& namen,
                                              Verwijderwijze wijze);

// A local file, or a folder with everything below it, permanently and without questions. A
// symbolic link is removed as the link it is, never followed, `pad` itself included.
Verwijderresultaat LokaalWissen(const QString& pad);

// Server files of one folder ("/a/b/"), by name, each tried once whatever came before.
Verwijderresultaat ServerbestandenVerwijderen(FtpSession& sessie, const QString& map,
                                              const QStringList& namen);

// What a tree holds below the chosen folder.
struct Mapomvang
{
    qint64 submappen = 0;
    qint64 bestanden = 0;
};

class Verwijdervragen
{
public:
    virtual ~Verwijdervragen() = default;
    // Asked twice about the same tree (the second time `nogmaals`); true goes on.
    virtual bool MapVerwijderen(const QString& pad, const Mapomvang& omvang, bool nogmaals) = 0;
    // The steps of a tree deletion, for the window to show: counting, then deleting.
    virtual void Zoeken() {}
    virtual void Verwijderen() {}
};

struct Mapverwijdering
{
    bool gedaan = false; // both questions were answered yes and the deletion ran
    Verwijderresultaat resultaat;
};

// A local folder with everything below it, permanently. Symbolic links inside are removed, never
// followed; a chosen folder that is itself a link loses only the link. Folders without write
// permission for their owner get it, so read-only content goes too.
Mapverwijdering LokaleMapVerwijderen(const QString& pad, Verwijdervragen& vragen, const StopVraag& stop = {});

// A server folder ("/a/b") with everything below it: every file first, then the folders children
// before parents, the chosen one last. A failure does not stop the run; a cancel does.
Mapverwijdering ServermapVerwijderen(FtpSession& sessie, const QString& pad, Verwijdervragen& vragen);

} // namespace Vamox
