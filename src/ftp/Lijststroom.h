#pragma once

#include "ftp/FtpEntry.h"

#include <QObject>

#include <functional>
#include <mutex>
#include <vector>

namespace Vamox {

// Carries the entries of a listing from the thread that reads it to the thread that waits for it,
// in pieces, while that thread's event loop turns: a window shows the first rows of a large folder
// long before the last ones are read.
class Lijststroom final
{
public:
    // Called on the creating thread only, never with an empty piece unless `opnieuw`; it may take
    // the entries.
    explicit Lijststroom(Lijstdeel deel);
    ~Lijststroom();
    Q_DISABLE_COPY_MOVE(Lijststroom)

    // Any thread. While the piece handed on before is still waiting to be taken, the new entries
    // join it: the reading never waits for the showing.
    void Toevoegen(std::vector<FtpEntry>&& entries);
    // Any thread. What was handed on before is void: the listing starts anew.
    void Opnieuw();
    // Creating thread: hands on what is still waiting (when the reading has ended).
    void Afleveren();

private:
    void melden(); // under the mutex

    Lijstdeel m_deel;
    std::mutex m_mutex;
    std::vector<FtpEntry> m_wachtend;
    bool m_opnieuw = false;
    bool m_gemeld = false;
    QObject m_ontvanger; // last: its end drops the notices still on their way
};

// Runs `taak` on a thread of its own and returns when it has finished; the event loop of the
// calling thread turns meanwhile (when it has one).
void OpEigenDraad(const std::function<void()>& taak);

} // namespace Vamox
