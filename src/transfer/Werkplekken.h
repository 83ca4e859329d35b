#pragma once

#include "ftp/FtpGegevens.h"

#include <QString>

namespace Vamox {

// The work folder holds the copies of server files fetched for the user. Each use has a place of
// its own in it, so that no use removes or replaces the files of another; an opened file sent
// back later above all.
enum class Werkplek
{
    Openen,   // files opened with a program: one copy per server file
    Zoeken,   // the file a search reads
    Klembord, // files put on the clipboard
    Slepen,   // files and folders dragged out of the window
    Kopieren  // copies within the server pass through here
};
QString WerkplekPad(const QString& werkmap, Werkplek plek);

// The copy of the opened server file `serverPad` ("/a/b/x.txt") of `server`:
// Openen/<user>@<host>_<port>/a/b/x.txt. Folder names are made names the local disk takes, one
// to one ("%" and what a name may not hold become %XX), so two server files never share a copy.
// "" when the file's own name is no safe local name.
QString Werkkopie(const QString& werkmap, const FtpGegevens& server, const QString& serverPad);

// A fetched copy is for this user alone.
bool AlleenVoorEigenaar(const QString& bestand);

} // namespace Vamox
