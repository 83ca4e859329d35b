#pragma once

// A full disk for one test: files may grow to `grens` bytes only, and a write beyond that fails
// (EFBIG) instead of killing the process with SIGXFSZ. Works as root too, unlike a read-only
// folder.

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

namespace Vamox::Test {

class Bestandsgrens final
{
public:
    explicit Bestandsgrens(rlim_t grens)
    {
        m_oudSignaal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_oud);
        rlimit nieuw = m_oud;
        nieuw.rlim_cur = grens;
        setrlimit(RLIMIT_FSIZE, &nieuw);
    }
    ~Bestandsgrens()
    {
        setrlimit(RLIMIT_FSIZE, &m_oud);
        std::signal(SIGXFSZ, m_oudSignaal);
    }
    Q_DISABLE_COPY_MOVE(Bestandsgrens)

private:
    rlimit m_oud{};
    void (*m_oudSignaal)(int) = nullptr;
};

} // namespace Vamox::Test
