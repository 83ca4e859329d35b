#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace Vamox {

// A Chrome or Chromium on PATH; empty when there is none.
QString BrowserZoeken();

// The web address a text names: "http://" or "https://" with a host, a bare host ("www.x.nl/a",
// "localhost:8080") taken as https. Anything else (another scheme, a text that starts like a
// program option) gives an empty address: it must never reach a browser's command line.
QUrl Webadres(const QString& tekst);

enum class Websiteopening
{
    Geopend,
    GeenWebadres, // the text is no http or https address: nothing was started
    NietGestart,  // no browser could be started
};

// Opens a web address (see Webadres): in the browser BrowserZoeken finds, after its end of
// options and never through a shell, else with the desktop's URL opener.
Websiteopening WebsiteOpenen(const QString& adres);

// For tests: no browser is started while the object lives; the address that would be opened
// (fully encoded) goes to `openen`.
class BrowserVoorTest final
{
public:
    explicit BrowserVoorTest(std::function<bool(const QString& adres)> openen);
    ~BrowserVoorTest();
    BrowserVoorTest(const BrowserVoorTest&) = delete;
    BrowserVoorTest& operator=(const BrowserVoorTest&) = delete;

private:
    std::function<bool(const QString&)> m_vorige;
};

} // namespace Vamox
