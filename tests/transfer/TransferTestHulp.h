#pragma once

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

inline bool SchrijfBestand(const QString& pad, const QByteArray& inhoud)
{
    QFile f(pad);
    return f.open(QIODevice::WriteOnly) && f.write(inhoud) == inhoud.size();
}

} // namespace Vamox::Test
