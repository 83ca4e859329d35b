#include "platform/gui/Browser.h"

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

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

QUrl Webadres(const QString& tekst)
{
    const QString adres = tekst.trimmed();
    if (adres.isEmpty()) return {};
    static const QRegularExpression schema(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):(.*)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QString volledig = adres;
    const QRegularExpressionMatch m = schema.match(adres);
    if (m.hasMatch() && m.captured(2).startsWith(QLatin1String("//"))) {
        const QString s = m.captured(1).toLower();
        if (s != QLatin1String("http") && s != QLatin1String("https")) return {};
    } else {
        // A bare host starts with a letter or digit; "host:8080" is a port, "mailto:x" a scheme.
        if (!adres.front().isLetterOrNumber()) return {};
        if (m.hasMatch() && !m.captured(2).contains(QRegularExpression(QStringLiteral("^[0-9]+(/|$)"))))
            return {};
        volledig = QStringLiteral("https://") + adres;
    }
    const QUrl url(volledig, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    return url;
}

Websiteopening WebsiteOpenen(const QString& adres)
{
    const QUrl url = Webadres(adres);
    if (url.isEmpty()) return Websiteopening::GeenWebadres;
    const QString tekst = url.toString(QUrl::FullyEncoded);
    bool gestart = false;
    if (Vervanger()) {
        gestart = Vervanger()(tekst);
    } else if (const QString browser = BrowserZoeken(); !browser.isEmpty()) {
        // Chromium takes "--" as the end of its options.
        gestart = QProcess::startDetached(browser, {QStringLiteral("--"), tekst});
    } else {
        gestart = QDesktopServices::openUrl(url);
    }
    return gestart ? Websiteopening::Geopend : Websiteopening::NietGestart;
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
