#include "ftp/Lijststroom.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <thread>

namespace Vamox {

Lijststroom::Lijststroom(Lijstdeel deel) : m_deel(std::move(deel)) {}

Lijststroom::~Lijststroom() = default;

void Lijststroom::Toevoegen(std::vector<FtpEntry>&& entries)
{
    if (entries.empty()) return;
    std::lock_guard slot(m_mutex);
    if (m_wachtend.empty())
        m_wachtend = std::move(entries);
    else
        m_wachtend.insert(m_wachtend.end(), std::make_move_iterator(entries.begin()),
                          std::make_move_iterator(entries.end()));
    melden();
}

void Lijststroom::Opnieuw()
{
    std::lock_guard slot(m_mutex);
    m_wachtend.clear();
    m_opnieuw = true;
    melden();
}

void Lijststroom::melden()
{
    if (m_gemeld) return;
    m_gemeld = true;
    QMetaObject::invokeMethod(
        &m_ontvanger, [this] { Afleveren(); }, Qt::QueuedConnection);
}

void Lijststroom::Afleveren()
{
    std::vector<FtpEntry> deel;
    bool opnieuw = false;
    {
        std::lock_guard slot(m_mutex);
        deel = std::exchange(m_wachtend, {});
        opnieuw = std::exchange(m_opnieuw, false);
        m_gemeld = false;
    }
    if (!deel.empty() || opnieuw) m_deel(deel, opnieuw);
}

void OpEigenDraad(const std::function<void()>& taak)
{
    // A thread without an event loop (a plain std::thread) just waits.
    const bool metLus =
        QCoreApplication::instance() != nullptr && QThread::currentThread()->eventDispatcher();
    QObject ontvanger;
    QEventLoop lus;
    std::atomic<bool> klaar{false};
    std::thread draad([&] {
        taak();
        klaar = true;
        if (metLus)
            QMetaObject::invokeMethod(
                &ontvanger, [&lus] { lus.quit(); }, Qt::QueuedConnection);
    });
    if (metLus) {
        while (!klaar)
            lus.exec();
    }
    draad.join();
}

} // namespace Vamox
