#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Vamox {

// The executable of the program the desktop opens a file of this name with (by its extension),
// absolute; "" when there is none. On Linux: the default application of the file's MIME type
// (or of a type it is a kind of) by the freedesktop association files, then the applications
// that declare the type; the first whose executable exists.
QString StandaardProgramma(const QString& bestandsnaam);

// An executable found on PATH by its name; "" when there is none.
QString ProgrammaOpPad(const QString& naam);

// Starts a program on its own (it outlives this one) with these arguments, each handed over as
// it is: no shell sees them. False when it could not be started.
bool ProgrammaStarten(const QString& programma, const QStringList& argumenten);

// For tests: programs are not started while the object lives; `starten` is told instead.
class ProgrammaStartenVoorTest final
{
public:
    explicit ProgrammaStartenVoorTest(std::function<bool(const QString&, const QStringList&)> starten);
    ~ProgrammaStartenVoorTest();
    ProgrammaStartenVoorTest(const ProgrammaStartenVoorTest&) = delete;
    ProgrammaStartenVoorTest& operator=(const ProgrammaStartenVoorTest&) = delete;

private:
    std::function<bool(const QString&, const QStringList&)> m_vorige;
};

} // namespace Vamox
