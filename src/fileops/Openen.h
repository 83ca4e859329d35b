#pragma once

#include <QString>

namespace Vamox {

class Wachtrij;

// Opening a file of either side with its program or in the plain-text editor ("Kladblok"). The
// flows ask through Openomgeving, which also reaches the desktop; they show nothing themselves.

// The executable that opens files with the extension of `pad` (a path or a name; a name without
// "." counts as its own extension), "" when none. Asked of the desktop once per extension.
QString GekoppeldProgramma(const QString& pad);
// Forgets what GekoppeldProgramma learnt (tests change the desktop's associations).
void GekoppeldeProgrammasVergeten();

// A program's name for buttons and questions: the file name of the executable, every "+" a
// space (a "+" would split a button string), ".exe" taken out, in capitals, trimmed.
QString WeergaveNaam(const QString& programma);

class Openomgeving
{
public:
    enum class Keuze
    {
        Kladblok,
        Programma,
        Annuleren
    };

    virtual ~Openomgeving() = default;

    // The desktop.
    virtual QString Programma(const QString& pad) { return GekoppeldProgramma(pad); }
    virtual bool Openen(const QString& pad) = 0;
    virtual bool Starten(const QString& programma, const QString& pad) = 0;
    // The plain-text editor on `pad`; false when there is none or it did not start.
    virtual bool Kladblok(const QString& pad) = 0;

    // Questions and notices; `getoond` is the path the user knows (the server path of a server
    // file), `server` tells which side it is on.
    virtual Keuze KladblokOfProgramma(const QString& getoond, const QString& weergaveNaam, bool server) = 0;
    // No program opens the file: true to open it in the editor.
    virtual bool InKladblok(const QString& getoond, bool server) = 0;
    virtual void NietGeopend(const QString& getoond, bool server) = 0;
    virtual void NietGedownload(const QString& serverPad) = 0;
};

// Opens a local file; true when a program was started for it.
bool BestandLokaalOpenen2(const QString& pad, Openomgeving& omgeving);

// Fetches a server file into `kopie` (its own file in the work folder, see Werkkopie) through the
// transfer queue, ahead of what waits there, leaves it to the user alone and opens it; true when a
// program was started for it. A failed download opens nothing: an older copy of the same name
// would show (and could send back) what the server no longer holds.
bool BestandFtpOpenen(Wachtrij& wachtrij, const QString& serverPad, qint64 grootte, const QString& kopie,
                      Openomgeving& omgeving);

} // namespace Vamox
