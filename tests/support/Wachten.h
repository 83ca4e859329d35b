#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace Vamox::Test {

// Keeps the event loop turning until `voorwaarde` holds or `ms` has passed; true when it held.
// The deadline is only a safety net: the test waits for the condition, not for a time.
inline bool WachtTot(const std::function<bool()>& voorwaarde, int ms = 10000)
{
    QDeadlineTimer deadline(ms);
    while (!voorwaarde()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

} // namespace Vamox::Test
