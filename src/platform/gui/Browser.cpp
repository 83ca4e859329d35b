#include "platform/gui/Browser.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
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

QString BrowserZoeken()
{
    for (const char* naam : {"google-chrome", "google-chrome-stable", "chromium", "chromium-browser"}) {
        const QString pad = QStandardPaths::findExecutable(QString::fromLatin1(naam));
        if (!pad.isEmpty()) return pad;
    }
    return QString();
}

bool WebsiteOpenen(const QString& adres)
{
    if (Vervanger()) return Vervanger()(adres);
    const QString browser = BrowserZoeken();
    if (!browser.isEmpty()) return QProcess::startDetached(browser, {adres});
    const QUrl url = QUrl::fromUserInput(adres);
    return url.isValid() && QDesktopServices::openUrl(url);
}

BrowserVoorTest::BrowserVoorTest(std::function<bool(const QString&)> openen)
    : m_vorige(std::exchange(Vervanger(), std::move(openen)))
{
}

BrowserVoorTest::~BrowserVoorTest()
{
    Vervanger() = std::move(m_vorige);
}

} // namespace Vamox
