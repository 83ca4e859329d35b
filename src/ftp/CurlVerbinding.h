#pragma once

#include <curl/curl.h>

namespace Vamox {

// One curl easy handle and the multi handle that keeps its connections, used from one thread.
class CurlVerbinding final
{
public:
    CurlVerbinding();
    ~CurlVerbinding();
    CurlVerbinding(const CurlVerbinding&) = delete;
    CurlVerbinding& operator=(const CurlVerbinding&) = delete;

    // The easy handle: the same one for the whole life of this object.
    CURL* easy() const { return m_easy; }
    // A transfer of the easy handle through the multi interface (waits of at most 10 ms per
    // poll; the easy interface sometimes stalls a second per data connection).
    CURLcode perform();
    // Closes every cached connection, so the next transfer logs in anew.
    void sluiten();

private:
    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
};

} // namespace Vamox
