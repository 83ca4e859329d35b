#pragma once

#include <QLocale>
#include <QString>

#include <ostream>

// Readable failure output for texts (gtest would print UTF-16 code units one by one).
inline void PrintTo(const QString& s, std::ostream* uit)
{
    *uit << '"' << s.toStdString() << '"';
}

namespace Vamox::Test {

// Sets the default locale for one scope and puts the previous one back.
class LocaleWissel final
{
public:
    explicit LocaleWissel(const QLocale& locale) : m_vorige(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleWissel() { QLocale::setDefault(m_vorige); }
    Q_DISABLE_COPY_MOVE(LocaleWissel)

private:
    QLocale m_vorige;
};

} // namespace Vamox::Test
