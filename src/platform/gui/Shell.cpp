#include "platform/gui/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace Vamox {

namespace {
std::function<bool(const QString&)>& Vervanger()
{
    static std::function<bool(const QString&)> v;
    return v;
}
} // namespace

bool ShellOpenen(const QString& pad)
{
    if (Vervanger()) return Vervanger()(pad);
    // The desktop starts its opener in the background and reports success for any URL; a path
    // that is not there would only fail later and unseen.
    if (pad.isEmpty() || !QFileInfo::exists(pad)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pad));
}

ShellVoorTest::ShellVoorTest(std::function<bool(const QString&)> openen)
    : m_vorige(std::exchange(Vervanger(), std::move(openen)))
{
}

ShellVoorTest::~ShellVoorTest()
{
    Vervanger() = std::move(m_vorige);
}

} // namespace Vamox
