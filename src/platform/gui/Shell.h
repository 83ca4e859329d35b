#pragma once

#include <QString>

#include <functional>

namespace Vamox {

// Asks the desktop to open a local file with its associated program, or a folder in the file
// browser. False when the path does not exist or the desktop refused.
bool ShellOpenen(const QString& pad);

// For tests: the desktop is replaced while the object lives (nothing is started).
class ShellVoorTest final
{
public:
    explicit ShellVoorTest(std::function<bool(const QString& pad)> openen);
    ~ShellVoorTest();
    ShellVoorTest(const ShellVoorTest&) = delete;
    ShellVoorTest& operator=(const ShellVoorTest&) = delete;

private:
    std::function<bool(const QString&)> m_vorige;
};

} // namespace Vamox
