#pragma once

#include "transfer/Wachtrij.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <ostream>

// Readable failure output for texts (gtest would print UTF-16 code units one by one).
inline void PrintTo(const QString& s, std::ostream* uit)
{
    *uit << '"' << s.toStdString() << '"';
}

namespace Vamox::Test {

// Runs a plan through the queue and waits for its end.
inline Overdrachtsresultaat Uitvoeren(Wachtrij& wachtrij, Overdrachtsplan plan)
{
    return wachtrij.Wachten(wachtrij.Toevoegen(std::move(plan)));
}

inline QByteArray LeesBestand(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
}

inline bool SchrijfBestand(const QString& pad, const QByteArray& inhoud)
{
    QFile f(pad);
    return f.open(QIODevice::WriteOnly) && f.write(inhoud) == inhoud.size();
}

} // namespace Vamox::Test
