#pragma once

#include <curl/curl.h>

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Vamox {

// Owns one curl easy handle (one control connection) on a thread of its own. Callers hand it
// tasks and wait for them while their own Qt event loop keeps running, so a window stays
// responsive during a transfer without the calling code turning into callbacks.
class CurlWerker final
{
public:
    CurlWerker();
    ~CurlWerker();
    CurlWerker(const CurlWerker&) = delete;
    CurlWerker& operator=(const CurlWerker&) = delete;

    // Runs `taak` on the worker thread and returns when it has finished. On the thread that
    // created the worker, pending events are processed meanwhile; elsewhere the call blocks.
    void voerUit(const std::function<void()>& taak);

    // Worker thread only: the easy handle, and a transfer of it through the multi interface
    // (waits of at most 10 ms per poll; the easy interface sometimes stalls a second per
    // data connection).
    CURL* easy() const { return m_easy; }
    CURLcode perform();

    // Worker thread only: closes every cached connection, so the next transfer logs in anew.
    void sluitVerbindingen();

    // Set from any thread: the running transfer stops at its next progress callback.
    std::atomic<bool> afbreken{false};

private:
    void lus();

    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
    QObject m_ontvanger; // lives on the creating thread; receives "done" notices
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_taken;
    bool m_stoppen = false;
    std::thread m_thread;
};

} // namespace Vamox
