#pragma once

#include <QString>

#include <functional>

namespace Vamox {

// A Chrome or Chromium on PATH; empty when there is none.
QString BrowserZoeken();

// Opens a web address: in the browser BrowserZoeken finds (the address as its argument, never
// through a shell), else in the desktop's default browser. False when neither could be started.
bool WebsiteOpenen(const QString& adres);

// For tests: no browser is started while the object lives; the addresses go to `openen`.
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
