#pragma once

#include "ftp/FtpGegevens.h"

#include <QString>

namespace Vamox {

// One file to move, as the transfer queue runs it and the transfer list shows it.
struct Klus
{
    enum class Richting
    {
        Downloaden,     // server file -> local file
        Uploaden,       // local file -> server file
        Kopieren,       // server file -> server file, through a copy in the work folder
        LokaalKopieren, // local file -> local file
        Rechten,        // the permissions of server file or folder `bron` set to `rechten`
        // A synchronise's other jobs, on `doel`: nothing moves.
        MapServer,    // a server folder made (one that exists is fine)
        MapLokaal,    // a local folder made
        WissenLokaal, // a local file or folder to the trash
        WissenServer  // a server file, or a folder with all below it (`isMap`)
    };
    enum class Staat
    {
        Wachtend,
        Lopend,
        Klaar,
        Mislukt,
        Overgeslagen, // "Nee" to the overwrite question: never attempted
        Geannuleerd   // stopped before or while it ran
    };

    Richting richting = Richting::Downloaden;
    QString bron;        // a server path ("/a/b.txt") or a local one, as the direction says
    QString doel;        // the same
    QString naam;        // the file's own name, as the lists and the progress show it
    qint64 grootte = -1; // as listed; -1 unknown
    QString werkkopie;   // Kopieren: the local copy in between (a place of its own)
    // Uploaden, Kopieren, LokaalKopieren: whether the planner knows the target to be new (no file to
    // replace, so no temporary name and no check for one; a local copy then replaces nothing).
    Serverdoel serverdoel = Serverdoel::Onbekend;
    int rechten = -1; // Rechten: the mode bits to set (07777)
    bool isMap = false; // WissenServer: `doel` is a folder

    Staat staat = Staat::Wachtend;
    qint64 gedaan = 0; // bytes moved so far
    QString fout;      // why it failed
    int verbinding = -1; // the connection it runs or ran on; -1 none yet

    quint64 id = 0;    // the queue's number for it
    quint64 ronde = 0; // the run it belongs to
    qint64 nummer = 0; // 1-based place in its run

    bool Afgehandeld() const { return staat != Staat::Wachtend && staat != Staat::Lopend; }
    // The bytes this job moves in all: a copy moves its file twice.
    qint64 Omvang() const
    {
        return grootte < 0 ? -1 : richting == Richting::Kopieren ? 2 * grootte : grootte;
    }
};

} // namespace Vamox
