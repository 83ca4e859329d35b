// The SFTP connection alone (bench/sftp-verbinding.sh): connect, trust the host key known_hosts
// names, log in with a key, and move one file, whole over one connection or in parts at their
// offsets over several at once.
//   sftp_bench get|put HOST PORT KEY KNOWN_HOSTS REMOTE LOCAL [CONNECTIONS]
// Prints `mb_s=<MB/s> seconds=<s> bytes=<n>`, timed from before the first connect.

#include "ftp/BekendeHosts.h"
#include "ftp/SftpVerbinding.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Vamox;

int main(int argc, char** argv)
{
    if (argc < 8) {
        std::fprintf(stderr,
                     "usage: sftp_bench get|put HOST PORT KEY KNOWN_HOSTS REMOTE LOCAL [CONNECTIONS]\n");
        return 2;
    }
    const bool neer = QByteArrayView(argv[1]) == "get";
    const QString host = QString::fromLocal8Bit(argv[2]), sleutel = QString::fromLocal8Bit(argv[4]);
    const quint16 poort = quint16(std::atoi(argv[3]));
    const BekendeHostsleutels bekend = BekendeHosts(QString::fromLocal8Bit(argv[5])).opzoeken(host, poort);
    const QByteArray serverPad = argv[6];
    const int verbindingen = argc > 8 ? std::max(1, std::atoi(argv[8])) : 1;
    const passwd* pw = ::getpwuid(::geteuid());
    const QString gebruiker = QString::fromLocal8Bit(pw ? pw->pw_name : "root");
    const auto begin = std::chrono::steady_clock::now();

    const auto aanmelden = [&](SftpVerbinding& v) {
        SftpUitkomst u = v.verbinden(host, poort, gebruiker, [&](const Hostsleutel& k) {
            return std::find(bekend.sleutels.begin(), bekend.sleutels.end(), k) != bekend.sleutels.end();
        });
        if (u.ok()) u = v.metSleutel(sleutel);
        if (!u.ok()) std::fprintf(stderr, "sftp_bench: %s\n", qPrintable(u.tekst));
        return u.ok();
    };
    SftpVerbinding eerste;
    if (!aanmelden(eerste)) return 1;
    qint64 grootte = 0;
    int fd = -1;
    if (neer) {
        SftpAttributen a;
        if (!eerste.stat(serverPad, a).ok()) return 1;
        grootte = a.grootte;
        fd = ::open(argv[7], O_RDWR | O_CREAT | O_TRUNC, 0644);
    } else {
        fd = ::open(argv[7], O_RDONLY);
        struct stat st
        {
        };
        ::fstat(fd, &st);
        grootte = st.st_size;
        // The parts write into one file, made empty first.
        if (verbindingen > 1 &&
            !eerste.plaatsen(serverPad, [](qint64, char*, qint64) { return qint64(0); }).ok())
            return 1;
    }
    if (fd < 0) return 1;

    const qint64 deel = (grootte + verbindingen - 1) / verbindingen;
    std::vector<SftpUitkomst> uitkomsten(static_cast<std::size_t>(verbindingen));
    const auto overdragen = [&](SftpVerbinding& v, int i) {
        const qint64 van = std::min(grootte, i * deel), tot = std::min(grootte, van + deel);
        if (neer) {
            uitkomsten[std::size_t(i)] = v.halen(
                serverPad,
                [fd](qint64 positie, const char* data, qint64 n) {
                    return ::pwrite(fd, data, std::size_t(n), positie) == n;
                },
                van, verbindingen > 1 ? tot : -1);
        } else {
            uitkomsten[std::size_t(i)] = v.plaatsen(
                serverPad,
                [fd, tot](qint64 positie, char* data, qint64 ruimte) {
                    return qint64(::pread(fd, data, std::size_t(std::min(ruimte, tot - positie)), positie));
                },
                {.vanaf = van, .afkappen = verbindingen == 1});
        }
    };
    std::vector<std::thread> draden;
    for (int i = 1; i < verbindingen; ++i)
        draden.emplace_back([&, i] {
            SftpVerbinding v;
            if (aanmelden(v))
                overdragen(v, i);
            else
                uitkomsten[std::size_t(i)].fout = SftpFout::Verbroken;
        });
    overdragen(eerste, 0);
    for (std::thread& t : draden)
        t.join();
    ::close(fd);
    for (const SftpUitkomst& u : uitkomsten)
        if (!u.ok()) {
            std::fprintf(stderr, "sftp_bench: %s\n", qPrintable(u.tekst));
            return 1;
        }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf("mb_s=%.1f seconds=%.3f bytes=%lld\n", double(grootte) / 1e6 / s, s,
                static_cast<long long>(grootte));
    return 0;
}
