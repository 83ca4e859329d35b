// A slow line for the benchmarks, in user space (no netem needed): listens on LISTEN:P for every
// given port P and passes each connection on to TARGET:P, both directions held back by half the
// round trip, byte order kept. The connection to the target opens 1.5 round trips after the
// client's, so the first bytes either side sees arrive when they would after a real handshake.
// The line holds up to 64 MiB per direction (in pipes: splice, no copy through this process) and
// reads as fast as the sender writes, so the bandwidth-delay product is never what limits a
// transfer through it.
//
//   vertraaglijn --rtt-ms MS --listen ADDR --target ADDR --ports P[,A-B...] [--ready FILE]
//       FILE is written once every port listens.
//   vertraaglijn --measure MIB [--rtt-ms MS]
//       pushes MIB MiB through a line of its own from a writer to a reader on the same machine, then
//       straight over loopback, and prints "mb_s=<10^6 bytes/s> direct_mb_s=<10^6 bytes/s>".

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Ns = int64_t;

Ns Nu()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return Ns(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

[[noreturn]] void Stoppen(const char* wat)
{
    std::fprintf(stderr, "vertraaglijn: %s: %s\n", wat, std::strerror(errno));
    std::exit(1);
}

constexpr size_t kMaxMaat = 64 * 1024 * 1024;
constexpr size_t kLeesPerKeer = 16 * 1024 * 1024; // per readiness event, so one stream can't starve the rest
constexpr int kPijpMaat = 1024 * 1024;

// The bytes read from one direction at one moment wait in a pipe until they are due: splice moves
// them from socket to pipe to socket without copying them through this process, so the line costs
// the client and server under test as little of the machine as it can.
struct Pijp
{
    int r = -1, w = -1;
    size_t bytes = 0;
    Ns due = 0;
    bool vol = false; // took no more: the next bytes go into a pipe of their own
};

// Emptied pipes, kept for the next bytes.
class Pijpen
{
public:
    Pijp Nemen(Ns due)
    {
        Pijp p;
        if (!m_vrij.empty()) {
            p = m_vrij.back();
            m_vrij.pop_back();
        } else {
            int fd[2];
            if (pipe2(fd, O_NONBLOCK | O_CLOEXEC) < 0) Stoppen("pipe");
            fcntl(fd[1], F_SETPIPE_SZ, kPijpMaat);
            p.r = fd[0];
            p.w = fd[1];
        }
        p.due = due;
        return p;
    }
    void Terug(Pijp p)
    {
        if (p.bytes == 0 && m_vrij.size() < 256) {
            p.vol = false;
            m_vrij.push_back(p);
            return;
        }
        close(p.r);
        close(p.w);
    }

private:
    std::vector<Pijp> m_vrij;
};

// One direction of a connection: its pipes in the order read, oldest first.
struct Richting
{
    std::deque<Pijp> pijpen;
    size_t inGebruik = 0;
    bool eof = false;
    Ns eofDue = 0;
    bool dicht = false;  // the end of stream was passed on
    bool uitVol = false; // the last write found no room
    bool leeg() const { return pijpen.empty(); }
    bool klaar() const { return dicht; }
};

class Lijn;

// What an epoll event points at.
struct Eind
{
    enum Soort
    {
        Luisteren,
        Client,
        Server,
        Timer,
        Stop
    } soort;
    struct Verbinding* verbinding = nullptr;
    int fd = -1;
    uint16_t poort = 0;
    uint32_t masker = 0; // interest registered with epoll; 0: not registered
};

struct Verbinding
{
    Eind client{Eind::Client};
    Eind server{Eind::Server};
    uint16_t poort = 0;
    Ns openDue = 0;        // when the connection to the target is opened
    bool verbindt = false; // connect() in progress
    bool verbonden = false;
    bool dood = false;
    Richting heen;  // client to server
    Richting terug; // server to client
};

class Lijn
{
public:
    Lijn(Ns rttNs, const std::string& luister, const std::string& doel, const std::vector<uint16_t>& poorten)
        : m_eenkant(rttNs / 2)
    {
        m_epoll = epoll_create1(EPOLL_CLOEXEC);
        m_timer.fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        m_stop.fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (m_epoll < 0 || m_timer.fd < 0 || m_stop.fd < 0) Stoppen("epoll");
        Registreren(m_timer, EPOLLIN);
        Registreren(m_stop, EPOLLIN);
        if (inet_pton(AF_INET, doel.c_str(), &m_doel) != 1) Stoppen("target address");
        in_addr adres{};
        if (inet_pton(AF_INET, luister.c_str(), &adres) != 1) Stoppen("listen address");
        for (uint16_t p : poorten) {
            auto e = std::make_unique<Eind>(Eind{Eind::Luisteren});
            e->poort = p;
            e->fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            const int een = 1;
            setsockopt(e->fd, SOL_SOCKET, SO_REUSEADDR, &een, sizeof een);
            sockaddr_in sa{};
            sa.sin_family = AF_INET;
            sa.sin_port = htons(p);
            sa.sin_addr = adres;
            if (bind(e->fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) < 0)
                Stoppen(("bind " + std::to_string(p)).c_str());
            if (listen(e->fd, 128) < 0) Stoppen("listen");
            Registreren(*e, EPOLLIN);
            m_luisteraars.push_back(std::move(e));
        }
    }

    // Ends Draaien from another thread.
    void Stop()
    {
        const uint64_t een = 1;
        [[maybe_unused]] auto n = write(m_stop.fd, &een, sizeof een);
    }

    void Draaien()
    {
        epoll_event ev[64];
        for (;;) {
            const int n = epoll_wait(m_epoll, ev, 64, -1);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) Stoppen("epoll_wait");
            const Ns nu = Nu();
            for (int i = 0; i < n; ++i) {
                Eind& e = *static_cast<Eind*>(ev[i].data.ptr);
                const uint32_t wat = ev[i].events;
                switch (e.soort) {
                case Eind::Stop:
                    return;
                case Eind::Timer: {
                    uint64_t keer;
                    [[maybe_unused]] auto r = read(e.fd, &keer, sizeof keer);
                    break;
                }
                case Eind::Luisteren:
                    Aannemen(e, nu);
                    break;
                case Eind::Client:
                case Eind::Server:
                    Gebeurtenis(e, wat, nu);
                    break;
                }
            }
            Bijhouden(Nu());
        }
    }

private:
    void Registreren(Eind& e, uint32_t masker)
    {
        if (masker == e.masker) return;
        epoll_event ev{};
        ev.events = masker;
        ev.data.ptr = &e;
        const int op = e.masker == 0 ? EPOLL_CTL_ADD : masker == 0 ? EPOLL_CTL_DEL : EPOLL_CTL_MOD;
        if (epoll_ctl(m_epoll, op, e.fd, &ev) < 0) Stoppen("epoll_ctl");
        e.masker = masker;
    }

    static void Snel(int fd)
    {
        const int een = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &een, sizeof een);
    }

    void Aannemen(Eind& l, Ns nu)
    {
        for (;;) {
            const int fd = accept4(l.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) return;
            Snel(fd);
            auto v = std::make_unique<Verbinding>();
            v->client.fd = fd;
            v->client.verbinding = v.get();
            v->server.verbinding = v.get();
            v->poort = l.poort;
            v->openDue = nu + 3 * m_eenkant;
            m_verbindingen.push_back(std::move(v));
        }
    }

    void Openen(Verbinding& v)
    {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            v.dood = true;
            return;
        }
        Snel(fd);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(v.poort);
        sa.sin_addr = m_doel;
        v.server.fd = fd;
        if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0) {
            v.verbonden = true;
        } else if (errno == EINPROGRESS) {
            v.verbindt = true;
        } else {
            v.dood = true;
        }
    }

    void Gebeurtenis(Eind& e, uint32_t wat, Ns nu)
    {
        Verbinding& v = *e.verbinding;
        if (v.dood) return;
        const bool isClient = e.soort == Eind::Client;
        if (!isClient && v.verbindt) {
            int fout = 0;
            socklen_t len = sizeof fout;
            getsockopt(e.fd, SOL_SOCKET, SO_ERROR, &fout, &len);
            if (fout != 0) {
                v.dood = true;
                return;
            }
            v.verbindt = false;
            v.verbonden = true;
        }
        Richting& in = isClient ? v.heen : v.terug;
        Richting& uit = isClient ? v.terug : v.heen;
        if (wat & (EPOLLIN | EPOLLERR | EPOLLHUP)) Lezen(v, e.fd, in, nu);
        if (wat & EPOLLOUT) uit.uitVol = false;
    }

    void Lezen(Verbinding& v, int fd, Richting& r, Ns nu)
    {
        size_t samen = 0;
        const Ns due = nu + m_eenkant;
        while (!r.eof && samen < kLeesPerKeer && r.inGebruik < kMaxMaat) {
            bool vers = false;
            if (r.pijpen.empty() || r.pijpen.back().due != due || r.pijpen.back().vol) {
                r.pijpen.push_back(m_pijpen.Nemen(due));
                vers = true;
            }
            Pijp& p = r.pijpen.back();
            const ssize_t n = splice(fd, nullptr, p.w, nullptr, kPijpMaat, SPLICE_F_NONBLOCK | SPLICE_F_MOVE);
            if (n > 0) {
                p.bytes += size_t(n);
                r.inGebruik += size_t(n);
                samen += size_t(n);
                continue;
            }
            const int fout = errno;
            if (n < 0 && fout == EAGAIN && !vers) {
                p.vol = true; // the socket is empty or this pipe full: a fresh pipe tells which
                continue;
            }
            if (p.bytes == 0) {
                m_pijpen.Terug(p);
                r.pijpen.pop_back();
            }
            if (n == 0) {
                r.eof = true;
                r.eofDue = due;
            } else {
                if (fout != EAGAIN && fout != EINTR) v.dood = true;
                return;
            }
        }
    }

    // Writes what is due; passes the end of stream on once everything before it went out.
    void Schrijven(Verbinding& v, int fd, Richting& r, Ns nu)
    {
        while (!r.uitVol && !r.pijpen.empty() && r.pijpen.front().due <= nu) {
            Pijp& p = r.pijpen.front();
            const ssize_t n = splice(p.r, nullptr, fd, nullptr, p.bytes, SPLICE_F_NONBLOCK | SPLICE_F_MOVE);
            if (n > 0) {
                p.bytes -= size_t(n);
                r.inGebruik -= size_t(n);
                if (p.bytes == 0) {
                    m_pijpen.Terug(p);
                    r.pijpen.pop_front();
                }
            } else if (n < 0 && errno == EAGAIN) {
                r.uitVol = true;
            } else if (!(n < 0 && errno == EINTR)) {
                v.dood = true;
                return;
            }
        }
        if (r.eof && !r.dicht && r.leeg() && r.eofDue <= nu) {
            shutdown(fd, SHUT_WR);
            r.dicht = true;
        }
    }

    uint32_t Masker(const Richting& in, const Richting& uit) const
    {
        uint32_t m = 0;
        if (!in.eof && in.inGebruik < kMaxMaat) m |= EPOLLIN;
        if (uit.uitVol) m |= EPOLLOUT;
        return m;
    }

    void Sluiten(Verbinding& v)
    {
        for (Richting* r : {&v.heen, &v.terug})
            for (const Pijp& p : r->pijpen) {
                close(p.r);
                close(p.w);
            }
        for (Eind* e : {&v.client, &v.server}) {
            if (e->fd < 0) continue;
            Registreren(*e, 0);
            if (v.dood) {
                // Passes a reset on, as the far end of a broken line would see it.
                const linger l{1, 0};
                setsockopt(e->fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
            }
            close(e->fd);
            e->fd = -1;
        }
    }

    // After each round of events: opens what is due, writes what is due, sets the interest of every
    // socket and the timer for the next moment something falls due.
    void Bijhouden(Ns nu)
    {
        Ns volgende = 0;
        auto eerder = [&](Ns t) {
            if (volgende == 0 || t < volgende) volgende = t;
        };
        for (auto it = m_verbindingen.begin(); it != m_verbindingen.end();) {
            Verbinding& v = **it;
            if (!v.dood && v.server.fd < 0 && v.openDue <= nu) Openen(v);
            if (!v.dood && v.verbonden) {
                Schrijven(v, v.server.fd, v.heen, nu);
                if (!v.dood) Schrijven(v, v.client.fd, v.terug, nu);
            }
            if (v.dood || (v.heen.klaar() && v.terug.klaar())) {
                Sluiten(v);
                it = m_verbindingen.erase(it);
                continue;
            }
            Registreren(v.client, Masker(v.heen, v.terug));
            if (v.verbindt)
                Registreren(v.server, EPOLLOUT);
            else if (v.verbonden)
                Registreren(v.server, Masker(v.terug, v.heen));
            if (v.server.fd < 0) eerder(v.openDue);
            // Bytes due but not yet written wait for room (EPOLLOUT), not for the timer.
            for (const Richting* r : {&v.heen, &v.terug}) {
                if (!v.verbonden) break;
                if (!r->pijpen.empty()) {
                    if (r->pijpen.front().due > nu) eerder(r->pijpen.front().due);
                } else if (r->eof && !r->dicht) {
                    eerder(r->eofDue);
                }
            }
            ++it;
        }
        if (volgende > 0) volgende = std::max(volgende, nu + 1);
        if (volgende == m_timerOp) return;
        m_timerOp = volgende;
        itimerspec t{};
        t.it_value = {time_t(volgende / 1000000000), long(volgende % 1000000000)};
        timerfd_settime(m_timer.fd, TFD_TIMER_ABSTIME, &t, nullptr);
    }

    Ns m_eenkant;
    Pijpen m_pijpen;
    Ns m_timerOp = 0; // when the timer fires next; 0: not armed
    int m_epoll = -1;
    in_addr m_doel{};
    Eind m_timer{Eind::Timer};
    Eind m_stop{Eind::Stop};
    std::vector<std::unique_ptr<Eind>> m_luisteraars;
    std::list<std::unique_ptr<Verbinding>> m_verbindingen;
};

std::vector<uint16_t> Poorten(const char* tekst)
{
    std::vector<uint16_t> uit;
    std::string s(tekst);
    size_t p = 0;
    while (p < s.size()) {
        size_t q = s.find(',', p);
        if (q == std::string::npos) q = s.size();
        const std::string deel = s.substr(p, q - p);
        const size_t streep = deel.find('-');
        const long a = std::strtol(deel.c_str(), nullptr, 10);
        const long b = streep == std::string::npos ? a : std::strtol(deel.c_str() + streep + 1, nullptr, 10);
        for (long i = a; i <= b && i > 0 && i < 65536; ++i)
            uit.push_back(uint16_t(i));
        p = q + 1;
    }
    return uit;
}

// MIB MiB from a writer to a reader on this machine, through `lijn` when given (it listens on
// 127.0.0.2 for the reader's port) or straight; 10^6 bytes per second, or -1 when bytes came
// wrong. Block i of 1 MiB holds the byte i % 251; the reader checks one byte in 4096.
double Stroom(long mib, int ontvanger, uint16_t poort, bool viaLijn)
{
    const Ns begin = Nu();
    std::thread schrijver([&] {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in naar{};
        naar.sin_family = AF_INET;
        naar.sin_port = htons(poort);
        inet_pton(AF_INET, viaLijn ? "127.0.0.2" : "127.0.0.1", &naar.sin_addr);
        if (connect(fd, reinterpret_cast<sockaddr*>(&naar), sizeof naar) < 0) Stoppen("measure: connect");
        std::vector<char> blok(1 << 20);
        for (long i = 0; i < mib; ++i) {
            std::memset(blok.data(), int(i % 251), blok.size());
            size_t p = 0;
            while (p < blok.size()) {
                const ssize_t n = write(fd, blok.data() + p, blok.size() - p);
                if (n <= 0) Stoppen("measure: write");
                p += size_t(n);
            }
        }
        close(fd);
    });
    const int fd = accept(ontvanger, nullptr, nullptr);
    std::vector<char> blok(1 << 20);
    uint64_t samen = 0;
    bool goed = true;
    for (;;) {
        const ssize_t n = read(fd, blok.data(), blok.size());
        if (n < 0) Stoppen("measure: read");
        if (n == 0) break;
        for (uint64_t o = (samen + 4095) & ~uint64_t(4095); o < samen + uint64_t(n); o += 4096)
            goed = goed && static_cast<unsigned char>(blok[size_t(o - samen)]) == (o >> 20) % 251;
        samen += uint64_t(n);
    }
    const double s = double(Nu() - begin) / 1e9;
    schrijver.join();
    close(fd);
    return goed && samen == uint64_t(mib) << 20 ? double(samen) / 1e6 / s : -1;
}

// What a line of its own passes, beside the same stream straight over loopback (the machine's
// own limit at that moment, which other work on it moves a lot).
int Meten(long mib, Ns rtt)
{
    const int ontvanger = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &sa.sin_addr);
    socklen_t len = sizeof sa;
    if (bind(ontvanger, reinterpret_cast<sockaddr*>(&sa), sizeof sa) < 0 || listen(ontvanger, 1) < 0 ||
        getsockname(ontvanger, reinterpret_cast<sockaddr*>(&sa), &len) < 0)
        Stoppen("measure: listen");
    const uint16_t poort = ntohs(sa.sin_port);
    Lijn lijn(rtt, "127.0.0.2", "127.0.0.1", {poort});
    std::thread draad([&] { lijn.Draaien(); });
    const double via = Stroom(mib, ontvanger, poort, true);
    lijn.Stop();
    draad.join();
    const double recht = Stroom(mib, ontvanger, poort, false);
    close(ontvanger);
    if (via < 0 || recht < 0) {
        std::fprintf(stderr, "vertraaglijn: measure: the bytes that arrived differ from those sent\n");
        return 1;
    }
    std::printf("mb_s=%.1f direct_mb_s=%.1f\n", via, recht);
    return 0;
}

int Gebruik()
{
    std::fprintf(
        stderr,
        "usage: vertraaglijn --rtt-ms MS --listen ADDR --target ADDR --ports P[,A-B...] [--ready FILE]\n"
        "       vertraaglijn --measure MIB [--rtt-ms MS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    // Two descriptors per pipe, some tens of pipes per busy direction.
    rlimit grens{};
    if (getrlimit(RLIMIT_NOFILE, &grens) == 0 && grens.rlim_cur < grens.rlim_max) {
        grens.rlim_cur = grens.rlim_max;
        setrlimit(RLIMIT_NOFILE, &grens);
    }
    double rttMs = 0;
    const char *luister = nullptr, *doel = nullptr, *poorten = nullptr, *klaar = nullptr;
    long meten = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string o = argv[i];
        if (o == "--rtt-ms")
            rttMs = std::atof(argv[i + 1]);
        else if (o == "--listen")
            luister = argv[i + 1];
        else if (o == "--target")
            doel = argv[i + 1];
        else if (o == "--ports")
            poorten = argv[i + 1];
        else if (o == "--ready")
            klaar = argv[i + 1];
        else if (o == "--measure")
            meten = std::atol(argv[i + 1]);
        else
            return Gebruik();
    }
    if (argc % 2 == 0 || rttMs < 0) return Gebruik();
    const Ns rtt = Ns(rttMs * 1e6);
    if (meten > 0) return Meten(meten, rtt);
    if (!luister || !doel || !poorten) return Gebruik();
    const std::vector<uint16_t> lijst = Poorten(poorten);
    if (lijst.empty()) return Gebruik();
    Lijn lijn(rtt, luister, doel, lijst);
    if (klaar) {
        const std::string tmp = std::string(klaar) + ".tmp";
        if (FILE* f = std::fopen(tmp.c_str(), "w")) {
            std::fputs("ok\n", f);
            std::fclose(f);
            std::rename(tmp.c_str(), klaar);
        }
    }
    lijn.Draaien();
    return 0;
}
