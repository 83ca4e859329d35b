#include "ftp/SessieWerker.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <memory>

namespace Vamox {

namespace {
struct Wachtstaat
{
    std::atomic<bool> klaar{false};
    QEventLoop* lus = nullptr; // touched only on the waiting thread
    std::mutex mutex;
    std::condition_variable cv;
};
} // namespace

SessieWerker::SessieWerker() : m_thread([this] { lus(); }) {}

SessieWerker::~SessieWerker()
{
    {
        std::lock_guard lock(m_mutex);
        m_stoppen = true;
    }
    m_cv.notify_all();
    m_thread.join();
}

void SessieWerker::lus()
{
    for (;;) {
        std::function<void()> taak;
        {
            std::unique_lock lock(m_mutex);
            m_cv.wait(lock, [this] { return m_stoppen || !m_taken.empty(); });
            if (m_taken.empty()) return;
            taak = std::move(m_taken.front());
            m_taken.pop_front();
        }
        taak();
    }
}

void SessieWerker::geven(std::function<void()> taak)
{
    {
        std::lock_guard lock(m_mutex);
        m_taken.push_back(std::move(taak));
    }
    m_cv.notify_all();
}

void SessieWerker::voerUit(const std::function<void()>& taak)
{
    if (opWerker()) {
        taak();
        return;
    }
    auto staat = std::make_shared<Wachtstaat>();
    const bool metLus = QCoreApplication::instance() && QThread::currentThread() == m_ontvanger.thread();
    QObject* ontvanger = &m_ontvanger;
    geven([taak, staat, metLus, ontvanger] {
        taak();
        {
            std::lock_guard l(staat->mutex);
            staat->klaar = true;
        }
        staat->cv.notify_all();
        if (metLus) {
            QMetaObject::invokeMethod(
                ontvanger,
                [staat] {
                    if (staat->lus) staat->lus->quit();
                },
                Qt::QueuedConnection);
        }
    });
    if (metLus) {
        QEventLoop wacht;
        staat->lus = &wacht;
        while (!staat->klaar)
            wacht.exec();
        staat->lus = nullptr;
    } else {
        std::unique_lock l(staat->mutex);
        staat->cv.wait(l, [&] { return staat->klaar.load(); });
    }
}

} // namespace Vamox
