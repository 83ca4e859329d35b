#include "support/FtpTestServer.h"

#include "support/ServerHulp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <atomic>

#include <pwd.h>
#include <unistd.h>

namespace Vamox::Test {

namespace {

const QString Vsftpd = QStringLiteral("/usr/sbin/vsftpd");
// Debian's vsftpd drops to this empty folder before a session logs in.
const QString LegeMap = QStringLiteral("/var/run/vsftpd/empty");

const passwd* ftpGebruiker()
{
    return ::getpwnam("ftp");
}

QByteArray configuratie(const VsftpdOpties& o, const QString& root, quint16 poort, const QString& banner,
                        const QString& map)
{
    QStringList regels{
        // One foreground process on loopback that we can SIGTERM; no namespaces or seccomp, which
        // containers often forbid.
        QStringLiteral("listen=YES"),
        QStringLiteral("listen_ipv6=NO"),
        QStringLiteral("listen_address=127.0.0.1"),
        QStringLiteral("listen_port=%1").arg(poort),
        QStringLiteral("background=NO"),
        QStringLiteral("isolate=NO"),
        QStringLiteral("isolate_network=NO"),
        QStringLiteral("seccomp_sandbox=NO"),
        QStringLiteral("ftpd_banner=%1").arg(banner),
        // Anonymous users with write rights; uploads stay readable so they can be fetched again.
        QStringLiteral("anonymous_enable=YES"),
        QStringLiteral("local_enable=NO"),
        QStringLiteral("write_enable=YES"),
        QStringLiteral("anon_upload_enable=YES"),
        QStringLiteral("anon_mkdir_write_enable=YES"),
        QStringLiteral("anon_other_write_enable=YES"),
        QStringLiteral("anon_world_readable_only=NO"),
        QStringLiteral("anon_umask=022"),
        QStringLiteral("anon_root=%1").arg(root),
        QStringLiteral("ftp_username=ftp"),
        QStringLiteral("chroot_local_user=YES"),
        QStringLiteral("allow_writeable_chroot=YES"),
        QStringLiteral("secure_chroot_dir=%1").arg(LegeMap),
        QStringLiteral("pasv_enable=YES"),
        QStringLiteral("connect_from_port_20=NO"),
        QStringLiteral("idle_session_timeout=%1").arg(o.idleTimeoutS),
        QStringLiteral("xferlog_enable=NO"),
        QStringLiteral("dirmessage_enable=NO"),
        QStringLiteral("use_localtime=NO"),
        QStringLiteral("utf8_filesystem=YES"),
    };
    if (o.maxPerIp > 0) regels << QStringLiteral("max_per_ip=%1").arg(o.maxPerIp);
    if (o.tls) {
        const QString ja = o.alleenTls ? QStringLiteral("YES") : QStringLiteral("NO");
        regels << QStringLiteral("ssl_enable=YES") << QStringLiteral("allow_anon_ssl=YES")
               << QStringLiteral("force_anon_logins_ssl=") + ja << QStringLiteral("force_anon_data_ssl=") + ja
               << QStringLiteral("require_ssl_reuse=YES")
               << QStringLiteral("rsa_cert_file=%1/cert.pem").arg(map)
               << QStringLiteral("rsa_private_key_file=%1/key.pem").arg(map);
    }
    return regels.join(u'\n').toUtf8() + '\n';
}

} // namespace

VsftpdServer::VsftpdServer(VsftpdOpties opties) : m_opties(opties)
{
    if (!m_dir.isValid() || !beschikbaar()) return;
    // "/" belongs to root and stays read-only for the client; werkMap() belongs to "ftp".
    QDir().mkpath(root());
    QFile::setPermissions(root(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    maakMap(werkMap());
}

VsftpdServer::~VsftpdServer()
{
    stop();
}

bool VsftpdServer::beschikbaar()
{
    return QFileInfo(Vsftpd).isExecutable() && ::geteuid() == 0 && ftpGebruiker() != nullptr;
}

QString VsftpdServer::root() const
{
    return m_dir.filePath(QStringLiteral("root"));
}

QString VsftpdServer::pad(const QString& rel) const
{
    return root() + u'/' + rel;
}

QString VsftpdServer::gebruiker() const
{
    return QStringLiteral("anonymous");
}

QString VsftpdServer::wachtwoord() const
{
    return QStringLiteral("vamox@example.org");
}

bool VsftpdServer::draait() const
{
    return m_proces && m_proces->state() == QProcess::Running;
}

bool VsftpdServer::start()
{
    if (draait()) return true;
    m_fout.clear();
    if (!beschikbaar()) {
        m_fout = QStringLiteral("vsftpd needs /usr/sbin/vsftpd, the user \"ftp\" and root rights");
        return false;
    }
    if (!m_opties.anoniem) {
        m_fout = QStringLiteral("vsftpd runs with anonymous login only");
        return false;
    }
    if (!m_dir.isValid()) {
        m_fout = QStringLiteral("no temp folder: ") + m_dir.errorString();
        return false;
    }
    if (!QDir().mkpath(LegeMap)) {
        m_fout = QStringLiteral("cannot make ") + LegeMap;
        return false;
    }
    if (m_opties.tls && !QFile::exists(m_dir.filePath(QStringLiteral("cert.pem"))) && !nieuwCertificaat()) {
        m_fout = QStringLiteral("openssl could not make a certificate");
        return false;
    }
    return opEenVrijePoort(m_poort, [this](quint16 poort) { return probeer(poort); });
}

bool VsftpdServer::probeer(quint16 poort)
{
    static std::atomic<int> teller = 0;
    // The banner tells our server apart from anything else that may have grabbed the port.
    const QString banner = QStringLiteral("Vamox vsftpd %1-%2").arg(::getpid()).arg(++teller);
    const QString configBestand = m_dir.filePath(QStringLiteral("vsftpd.conf"));
    const QString logBestand = m_dir.filePath(QStringLiteral("vsftpd.log"));
    {
        // vsftpd insists on a config file owned by root; nobody else needs to read it.
        QFile::remove(configBestand);
        QFile f(configBestand);
        const QByteArray inhoud = configuratie(m_opties, root(), poort, banner, m_dir.path());
        if (!f.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
            f.write(inhoud) != inhoud.size()) {
            m_fout = QStringLiteral("cannot write ") + configBestand;
            return false;
        }
    }
    m_proces = startKind(Vsftpd, {configBestand}, logBestand, false, &m_fout);
    if (!m_proces) return false;
    m_poort = poort;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QByteArray begroeting = leesBegroeting(poort, 2000);
        if (begroeting.startsWith("220") && begroeting.contains(banner.toUtf8())) return true;
        if (kindGestopt(*m_proces, 20)) break; // typically: the port was taken after all
    }
    m_fout = QStringLiteral("vsftpd did not answer on port %1 (exit %2): %3")
                 .arg(poort)
                 .arg(m_proces->state() == QProcess::NotRunning ? m_proces->exitCode() : -1)
                 .arg(staartVan(logBestand));
    stop();
    return false;
}

bool VsftpdServer::nieuwCertificaat()
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-keyout"), m_dir.filePath(QStringLiteral("key.pem")),
                   QStringLiteral("-out"), m_dir.filePath(QStringLiteral("cert.pem"))});
    return openssl.waitForFinished(60000) && openssl.exitStatus() == QProcess::NormalExit &&
           openssl.exitCode() == 0;
}

int VsftpdServer::sessies() const
{
    return m_proces ? aantalKinderen(*m_proces) : 0;
}

void VsftpdServer::stop()
{
    if (!m_proces) return;
    stopKind(*m_proces);
    m_proces.reset();
}

void VsftpdServer::maakMap(const QString& rel) const
{
    const passwd* ftp = ftpGebruiker();
    maakMapOnder(root(), rel, ftp ? int(ftp->pw_uid) : -1, ftp ? int(ftp->pw_gid) : -1);
}

void VsftpdServer::schrijf(const QString& rel, const QByteArray& inhoud) const
{
    const passwd* ftp = ftpGebruiker();
    schrijfOnder(root(), rel, inhoud, ftp ? int(ftp->pw_uid) : -1, ftp ? int(ftp->pw_gid) : -1);
}

QByteArray VsftpdServer::lees(const QString& rel) const
{
    return leesOnder(root(), rel);
}

} // namespace Vamox::Test
