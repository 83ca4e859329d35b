#include "support/ServerHulp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

#include <gtest/gtest.h>

#include <cctype>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Vamox::Test {

namespace {

// Closes the socket on every way out.
class Socket final
{
public:
    Socket() : m_fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
    ~Socket()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Q_DISABLE_COPY_MOVE(Socket)
    int fd() const { return m_fd; }

private:
    int m_fd;
};

sockaddr_in loopback(quint16 poort)
{
    sockaddr_in adres{};
    adres.sin_family = AF_INET;
    adres.sin_port = htons(poort);
    adres.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return adres;
}

// A reply is complete once a line reads "ddd " (the last line of a multi-line reply), or is an
// SSH server's version line.
bool antwoordCompleet(const QByteArray& data)
{
    qsizetype begin = 0;
    for (qsizetype eind; (eind = data.indexOf('\n', begin)) >= 0; begin = eind + 1) {
        const QByteArray regel = data.mid(begin, eind - begin);
        if (regel.size() >= 4 && std::isdigit(static_cast<unsigned char>(regel[0])) && regel[3] == ' ')
            return true;
        if (regel.startsWith("SSH-")) return true;
    }
    return false;
}

// Parent pid -> live children, from /proc/<pid>/stat; zombies (already gone, not yet reaped) left out.
QMultiHash<pid_t, pid_t> levendeKinderen()
{
    QMultiHash<pid_t, pid_t> kinderenVan;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& naam : pids) {
        bool getal = false;
        const pid_t pid = naam.toInt(&getal);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(naam));
        if (!getal || !stat.open(QIODevice::ReadOnly)) continue;
        // "pid (comm) state ppid ...": comm may hold spaces and parentheses.
        const QByteArray regel = stat.readAll();
        const QList<QByteArray> velden = regel.mid(regel.lastIndexOf(')') + 2).split(' ');
        if (velden.size() > 1 && velden[0] != "Z") kinderenVan.insert(velden[1].toInt(), pid);
    }
    return kinderenVan;
}

QList<pid_t> nakomelingenVan(pid_t wortel)
{
    const QMultiHash<pid_t, pid_t> kinderenVan = levendeKinderen();
    QList<pid_t> uit;
    QList<pid_t> open{wortel};
    while (!open.isEmpty()) {
        const QList<pid_t> kinderen = kinderenVan.values(open.takeFirst());
        uit += kinderen;
        open += kinderen;
    }
    return uit;
}

void geefAan(const QString& pad, int uid, int gid)
{
    if (uid < 0) return;
    if (::chown(QFile::encodeName(pad).constData(), uid, gid) != 0)
        ADD_FAILURE() << "chown " << pad.toStdString() << " failed";
}

} // namespace

std::unique_ptr<QProcess> startKind(const QString& programma, const QStringList& args,
                                    const QString& logBestand, bool doorsturen, QString* fout)
{
    auto proces = std::make_unique<QProcess>();
    proces->setProgram(programma);
    proces->setArguments(args);
    proces->setStandardInputFile(QProcess::nullDevice());
    proces->setStandardOutputFile(QProcess::nullDevice());
    if (doorsturen)
        proces->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        proces->setStandardErrorFile(logBestand);
    // A test killed by its timeout runs no destructors; the server must not outlive it.
    const pid_t ouder = ::getpid();
    proces->setChildProcessModifier([ouder] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != ouder) ::_exit(127);
    });
    proces->start();
    if (!proces->waitForStarted(10000)) {
        *fout = QStringLiteral("%1 did not start: %2").arg(programma, proces->errorString());
        return nullptr;
    }
    return proces;
}

void stopKind(QProcess& proces)
{
    if (proces.state() == QProcess::NotRunning) return;
    // vsftpd serves each connection from processes of their own session (setsid), so neither
    // SIGTERM to the child nor to its process group reaches them. Frozen, it cannot fork new ones.
    const pid_t kind = static_cast<pid_t>(proces.processId());
    ::kill(kind, SIGSTOP);
    const QList<pid_t> nazaten = nakomelingenVan(kind);
    for (const pid_t p : nazaten)
        ::kill(p, SIGTERM);
    proces.terminate();
    ::kill(kind, SIGCONT);
    if (!proces.waitForFinished(5000)) {
        for (const pid_t p : nazaten)
            ::kill(p, SIGKILL);
        proces.kill();
        proces.waitForFinished(5000);
    }
}

int aantalKinderen(const QProcess& proces)
{
    if (proces.state() != QProcess::Running) return 0;
    return int(levendeKinderen().count(static_cast<pid_t>(proces.processId())));
}

void kinderenDoden(const QProcess& proces)
{
    if (proces.state() != QProcess::Running) return;
    for (const pid_t p : nakomelingenVan(static_cast<pid_t>(proces.processId())))
        ::kill(p, SIGKILL);
}

bool kindGestopt(QProcess& proces, int ms)
{
    return proces.state() == QProcess::NotRunning || proces.waitForFinished(ms);
}

QByteArray leesBegroeting(quint16 poort, int timeoutMs)
{
    Socket s;
    const sockaddr_in adres = loopback(poort);
    if (s.fd() < 0 || ::connect(s.fd(), reinterpret_cast<const sockaddr*>(&adres), sizeof adres) != 0)
        return {};
    QDeadlineTimer deadline(timeoutMs);
    QByteArray data;
    while (!antwoordCompleet(data)) {
        pollfd p{s.fd(), POLLIN, 0};
        const int klaar = ::poll(&p, 1, static_cast<int>(deadline.remainingTime()));
        if (klaar <= 0) return {};
        char buf[512];
        const ssize_t n = ::recv(s.fd(), buf, sizeof buf, 0);
        if (n <= 0) return {};
        data.append(buf, n);
    }
    return data;
}

quint16 vrijePoort()
{
    Socket s;
    sockaddr_in adres = loopback(0);
    socklen_t lengte = sizeof adres;
    if (s.fd() < 0 || ::bind(s.fd(), reinterpret_cast<const sockaddr*>(&adres), sizeof adres) != 0 ||
        ::getsockname(s.fd(), reinterpret_cast<sockaddr*>(&adres), &lengte) != 0)
        return 0;
    return ntohs(adres.sin_port);
}

bool opEenVrijePoort(quint16& poort, const std::function<bool(quint16)>& probeer)
{
    if (poort != 0 && probeer(poort)) return true;
    for (int poging = 0; poging < 5; ++poging) {
        const quint16 vrij = vrijePoort();
        if (vrij != 0 && probeer(vrij)) return true;
    }
    poort = 0;
    return false;
}

QString staartVan(const QString& pad)
{
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const qint64 max = 2000;
    if (f.size() > max) f.seek(f.size() - max);
    return QString::fromUtf8(f.readAll()).trimmed();
}

void maakMapOnder(const QString& root, const QString& rel, int uid, int gid)
{
    const QString schoon = QDir::cleanPath(rel);
    if (!QDir().mkpath(root + u'/' + schoon)) {
        ADD_FAILURE() << "cannot make folder " << schoon.toStdString();
        return;
    }
    QString pad = root;
    for (const QString& deel : schoon.split(u'/', Qt::SkipEmptyParts)) {
        pad += u'/' + deel;
        geefAan(pad, uid, gid);
    }
}

void schrijfOnder(const QString& root, const QString& rel, const QByteArray& inhoud, int uid, int gid)
{
    const QString pad = root + u'/' + QDir::cleanPath(rel);
    const QString ouder = QFileInfo(rel).path();
    if (ouder != QStringLiteral(".")) maakMapOnder(root, ouder, uid, gid);
    QFile f(pad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(inhoud) != inhoud.size()) {
        ADD_FAILURE() << "cannot write " << pad.toStdString();
        return;
    }
    f.close();
    geefAan(pad, uid, gid);
}

QByteArray leesOnder(const QString& root, const QString& rel)
{
    QFile f(root + u'/' + QDir::cleanPath(rel));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace Vamox::Test
