#pragma once

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace Vamox {

// The thread a session's connection lives on: every operation runs there, so a window stays
// responsive during a transfer without the calling code turning into callbacks, and a connection
// of the transfer queue runs its whole loop there (one thread per connection).
class SessieWerker final
{
public:
    SessieWerker();
    ~SessieWerker(); // runs what was handed over, then stops
    SessieWerker(const SessieWerker&) = delete;
    SessieWerker& operator=(const SessieWerker&) = delete;

    // Runs `taak` on the worker thread and returns when it has finished: at once on the worker
    // thread itself; on the thread that made the worker, pending events are processed meanwhile;
    // elsewhere the call blocks.
    void voerUit(const std::function<void()>& taak);
    // Hands `taak` to the worker thread and returns at once.
    void geven(std::function<void()> taak);
    bool opWerker() const { return std::this_thread::get_id() == m_thread.get_id(); }
    // The thread that made the worker (where its caller's events are).
    QThread* eigenaar() const { return m_ontvanger.thread(); }

private:
    void lus();

    QObject m_ontvanger; // lives on the creating thread; receives "done" notices
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_taken;
    bool m_stoppen = false;
    std::thread m_thread;
};

} // namespace Vamox
