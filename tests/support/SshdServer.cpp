#include "support/SshdServer.h"

#include "support/ServerHulp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

#include <pwd.h>
#include <unistd.h>

namespace Vamox::Test {

namespace {

// sshd re-executes itself and insists on its absolute path.
const QString Sshd = QStringLiteral("/usr/sbin/sshd");

// Runs a program to its end; its output, or nothing when it failed.
std::optional<QByteArray> Draai(const QString& programma, const QStringList& args,
                                const QByteArray& invoer = {})
{
    QProcess p;
    p.start(programma, args);
    if (!p.waitForStarted(10000)) return std::nullopt;
    p.write(invoer);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return p.readAllStandardOutput();
}

QByteArray LeesBestand(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool SchrijfBestand(const QString& pad, const QByteArray& inhoud)
{
    QFile f(pad);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
           f.write(inhoud) == inhoud.size();
}

// "type base64" of an OpenSSH public key line.
QByteArray TypeEnSleutel(const QByteArray& publiek)
{
    const QList<QByteArray> delen = publiek.trimmed().split(' ');
    return delen.size() >= 2 ? delen.at(0) + ' ' + delen.at(1) : QByteArray();
}

} // namespace

SshdServer::SshdServer() = default;

SshdServer::~SshdServer()
{
    stop();
}

bool SshdServer::beschikbaar()
{
    return QFileInfo(Sshd).isExecutable() &&
           !QStandardPaths::findExecutable(QStringLiteral("ssh-keygen")).isEmpty();
}

QString SshdServer::root() const
{
    return m_dir.filePath(QStringLiteral("root"));
}

QString SshdServer::gebruiker() const
{
    const passwd* pw = ::getpwuid(::geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString();
}

FtpGegevens SshdServer::gegevens() const
{
    return {.host = host(), .gebruiker = gebruiker(), .poort = m_poort, .protocol = Protocol::Sftp};
}

QString SshdServer::sleutelMap() const
{
    return m_dir.filePath(QStringLiteral("sleutels"));
}

QString SshdServer::sleutelMapMetZin() const
{
    return m_dir.filePath(QStringLiteral("sleutels-zin"));
}

QString SshdServer::bekendeHostsPad() const
{
    return m_dir.filePath(QStringLiteral("ssh/known_hosts"));
}

QByteArray SshdServer::hostsleutelRegel() const
{
    return QStringLiteral("[%1]:%2 ").arg(host()).arg(m_poort).toUtf8() +
           TypeEnSleutel(LeesBestand(m_dir.filePath(QStringLiteral("host_ed25519.pub")))) + '\n';
}

QByteArray SshdServer::andereSleutelRegel() const
{
    return QStringLiteral("[%1]:%2 ").arg(host()).arg(m_poort).toUtf8() +
           TypeEnSleutel(LeesBestand(m_dir.filePath(QStringLiteral("ander_ed25519.pub")))) + '\n';
}

QString SshdServer::vingerafdruk() const
{
    const auto uit = Draai(QStringLiteral("ssh-keygen"),
                           {QStringLiteral("-l"), QStringLiteral("-E"), QStringLiteral("sha256"),
                            QStringLiteral("-f"), m_dir.filePath(QStringLiteral("host_ed25519.pub"))});
    const QList<QByteArray> delen = uit ? uit->split(' ') : QList<QByteArray>();
    return delen.size() > 1 ? QString::fromLatin1(delen.at(1)) : QString();
}

bool SshdServer::sleutelMaken(const QString& pad, const QString& zin)
{
    if (QFileInfo::exists(pad)) return true;
    QDir().mkpath(QFileInfo(pad).path());
    if (Draai(QStringLiteral("ssh-keygen"),
              {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"), QStringLiteral("-N"),
               zin, QStringLiteral("-C"), QStringLiteral("vamox"), QStringLiteral("-f"), pad}))
        return true;
    m_fout = QStringLiteral("ssh-keygen could not make ") + pad;
    return false;
}

bool SshdServer::start()
{
    if (m_proces && m_proces->state() == QProcess::Running) return true;
    m_fout.clear();
    if (!QFileInfo(Sshd).isExecutable()) {
        m_fout = QStringLiteral("sshd is not installed (openssh-server)");
        return false;
    }
    if (!m_dir.isValid()) {
        m_fout = QStringLiteral("no temp folder: ") + m_dir.errorString();
        return false;
    }
    // No agent of the user's may log the tests in.
    qunsetenv("SSH_AUTH_SOCK");
    QDir().mkpath(root());
    // sshd checks for its privilege separation folder when running as root.
    if (::geteuid() == 0) QDir().mkpath(QStringLiteral("/run/sshd"));
    const QString sleutel = sleutelMap() + QStringLiteral("/id_ed25519");
    const QString metZin = sleutelMapMetZin() + QStringLiteral("/id_ed25519");
    if (!sleutelMaken(m_dir.filePath(QStringLiteral("host_ed25519")), {}) ||
        !sleutelMaken(m_dir.filePath(QStringLiteral("ander_ed25519")), {}) || !sleutelMaken(sleutel, {}) ||
        !sleutelMaken(metZin, wachtwoordzin()))
        return false;
    if (!SchrijfBestand(m_dir.filePath(QStringLiteral("authorized_keys")),
                        LeesBestand(sleutel + QStringLiteral(".pub")) +
                            LeesBestand(metZin + QStringLiteral(".pub")))) {
        m_fout = QStringLiteral("cannot write authorized_keys");
        return false;
    }
    return opEenVrijePoort(m_poort, [this](quint16 poort) { return probeer(poort); });
}

bool SshdServer::probeer(quint16 poort)
{
    const QStringList regels{
        QStringLiteral("Port %1").arg(poort),
        QStringLiteral("ListenAddress 127.0.0.1"),
        QStringLiteral("HostKey %1").arg(m_dir.filePath(QStringLiteral("host_ed25519"))),
        QStringLiteral("PidFile none"),
        QStringLiteral("UsePAM no"),
        // The temp folders belong to the test, not to a user's home.
        QStringLiteral("StrictModes no"),
        QStringLiteral("AuthorizedKeysFile %1").arg(m_dir.filePath(QStringLiteral("authorized_keys"))),
        QStringLiteral("PubkeyAuthentication yes"),
        QStringLiteral("PasswordAuthentication yes"),
        QStringLiteral("KbdInteractiveAuthentication no"),
        QStringLiteral("PermitRootLogin yes"),
        QStringLiteral("UseDNS no"),
        QStringLiteral("MaxStartups 100"),
        QStringLiteral("MaxAuthTries 20"),
        QStringLiteral("Subsystem sftp internal-sftp"),
    };
    const QString config = m_dir.filePath(QStringLiteral("sshd_config"));
    if (!SchrijfBestand(config, regels.join(u'\n').toUtf8() + '\n')) {
        m_fout = QStringLiteral("cannot write ") + config;
        return false;
    }
    const QString log = m_dir.filePath(QStringLiteral("sshd.log"));
    m_proces = startKind(Sshd, {QStringLiteral("-D"), QStringLiteral("-e"), QStringLiteral("-f"), config},
                         log, false, &m_fout);
    if (!m_proces) return false;
    m_poort = poort;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (leesBegroeting(poort, 2000).startsWith("SSH-")) return true;
        if (kindGestopt(*m_proces, 20)) break; // typically: the port was taken after all
    }
    m_fout = QStringLiteral("sshd did not answer on port %1: %2").arg(poort).arg(staartVan(log));
    stop();
    return false;
}

void SshdServer::stop()
{
    if (!m_proces) return;
    stopKind(*m_proces);
    m_proces.reset();
}

bool SshdServer::wachtwoordGebruiker(QString& naam, QString& wachtwoord, QString& waarom)
{
    naam = QStringLiteral("vamoxssh");
    wachtwoord = QStringLiteral("Wacht woord 1");
    if (::geteuid() != 0) {
        waarom = QStringLiteral("a password login needs a user of its own, which only root can make");
        return false;
    }
    // Tests run in parallel: whoever comes second finds the user there.
    if (!::getpwnam("vamoxssh"))
        Draai(QStringLiteral("useradd"),
              {QStringLiteral("-M"), QStringLiteral("-s"), QStringLiteral("/bin/sh"), naam});
    if (!::getpwnam("vamoxssh") ||
        !Draai(QStringLiteral("chpasswd"), {}, (naam + u':' + wachtwoord).toUtf8() + '\n')) {
        waarom = QStringLiteral("useradd/chpasswd failed");
        return false;
    }
    return true;
}

void SshdServer::maakMap(const QString& rel) const
{
    maakMapOnder(root(), rel);
}

void SshdServer::schrijf(const QString& rel, const QByteArray& inhoud) const
{
    schrijfOnder(root(), rel, inhoud);
}

QByteArray SshdServer::lees(const QString& rel) const
{
    return leesOnder(root(), rel);
}

void SshdServer::verbindingenVerbreken() const
{
    if (m_proces) kinderenDoden(*m_proces);
}

} // namespace Vamox::Test
