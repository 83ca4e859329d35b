#include "support/Proefserver.h"

#include "ftp/FtpSession.h"
#include "support/SshdServer.h"
#include "support/Vragen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace Vamox::Test {

const char* SoortNaam(Serversoort soort)
{
    switch (soort) {
    case Serversoort::Mlsd:
        return "pyftpdlib-MLSD";
    case Serversoort::List:
        return "pyftpdlib-LIST";
    case Serversoort::Vsftpd:
        return "vsftpd";
    case Serversoort::Sftp:
        return "sshd";
    }
    return "";
}

Proefserver::Proefserver(Serversoort soort, FtpServerOpties opties)
{
    if (soort == Serversoort::Mlsd || soort == Serversoort::List) {
        opties.mlst = soort == Serversoort::Mlsd;
        m_py = std::make_unique<FtpTestServer>(opties);
    }
    if (soort == Serversoort::Vsftpd) m_vs = std::make_unique<VsftpdServer>();
    if (soort == Serversoort::Sftp) m_ssh = std::make_unique<SshdServer>();
}

Proefserver::~Proefserver() = default;

QString Proefserver::Rel(const QString& rel) const
{
    const QString r = QStringLiteral("t/") + rel;
    return m_vs ? VsftpdServer::werkMap() + u'/' + r : r;
}

QString Proefserver::Starten(FtpSession& sessie)
{
    if (m_py) {
        if (!m_py->start()) return m_py->fout();
        m_py->maakMap(QStringLiteral("t"));
        return sessie.FtpVerbindingOpenen(m_py->gegevens()) ? QString() : sessie.laatsteFout();
    }
    if (m_vs) {
        if (!VsftpdServer::beschikbaar()) return QStringLiteral("skip: vsftpd needs root and the package");
        if (!m_vs->start()) return m_vs->fout();
        m_vs->maakMap(VsftpdServer::werkMap() + QStringLiteral("/t"));
        return sessie.FtpVerbindingOpenen(
                   {m_vs->host(), m_vs->gebruiker(), m_vs->wachtwoord(), m_vs->poort()})
                   ? QString()
                   : QStringLiteral("login");
    }
    if (!SshdServer::beschikbaar()) return QStringLiteral("skip: sshd is not installed");
    if (!m_ssh->start()) return m_ssh->fout();
    m_ssh->maakMap(QStringLiteral("t"));
    QDir().mkpath(QFileInfo(m_ssh->bekendeHostsPad()).path());
    QFile bekend(m_ssh->bekendeHostsPad());
    if (!bekend.open(QIODevice::WriteOnly) || bekend.write(m_ssh->hostsleutelRegel()) < 0)
        return QStringLiteral("known_hosts");
    bekend.close();
    SleutelMapZetten(sessie, m_ssh->sleutelMap());
    BekendeHostsZetten(sessie, m_ssh->bekendeHostsPad());
    return sessie.FtpVerbindingOpenen(m_ssh->gegevens()) ? QString() : sessie.laatsteFout();
}

QString Proefserver::Root() const
{
    if (m_vs) return QStringLiteral("/") + VsftpdServer::werkMap() + QStringLiteral("/t");
    if (m_ssh) return m_ssh->root() + QStringLiteral("/t");
    return QStringLiteral("/t");
}

QString Proefserver::OpSchijf(const QString& rel) const
{
    if (m_py) return m_py->pad(Rel(rel));
    if (m_vs) return m_vs->pad(Rel(rel));
    return m_ssh->pad(Rel(rel));
}

void Proefserver::Schrijf(const QString& rel, const QByteArray& inhoud, const QDateTime& tijd) const
{
    if (m_py) m_py->schrijf(Rel(rel), inhoud);
    if (m_vs) m_vs->schrijf(Rel(rel), inhoud);
    if (m_ssh) m_ssh->schrijf(Rel(rel), inhoud);
    QFile f(OpSchijf(rel));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.setFileTime(tijd, QFileDevice::FileModificationTime))
        << rel.toStdString();
}

void Proefserver::MaakMap(const QString& rel) const
{
    if (m_py) m_py->maakMap(Rel(rel));
    if (m_vs) m_vs->maakMap(Rel(rel));
    if (m_ssh) m_ssh->maakMap(Rel(rel));
}

} // namespace Vamox::Test
