#pragma once

#include "support/FtpTestServer.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

namespace Vamox {
class FtpSession;
}

namespace Vamox::Test {

class SshdServer;

// The kinds of server a table of cases runs against.
enum class Serversoort
{
    Mlsd,   // pyftpdlib
    List,   // pyftpdlib without MLST
    Vsftpd, // LIST, minutes for recent files and days for older ones, dot files only with -a
    Sftp    // OpenSSH's sshd
};

const char* SoortNaam(Serversoort soort);

// One server of a kind with a test folder "t" of its own, on disk and as the server names it.
class Proefserver final
{
public:
    explicit Proefserver(Serversoort soort, FtpServerOpties opties = {});
    ~Proefserver();
    Q_DISABLE_COPY_MOVE(Proefserver)

    // Empty when it runs and `sessie` is logged in (SFTP: its host key known, the test's key
    // offered); else why not, "skip: ..." for a server this machine lacks.
    QString Starten(FtpSession& sessie);
    // The test folder as the server names it ("/t").
    QString Root() const;
    // A path below the test folder (or beside it, "../x") on disk.
    QString OpSchijf(const QString& rel) const;
    // A file below the test folder, its folders made, with its modification time.
    void Schrijf(const QString& rel, const QByteArray& inhoud, const QDateTime& tijd) const;
    void MaakMap(const QString& rel) const;

private:
    QString Rel(const QString& rel) const;

    std::unique_ptr<FtpTestServer> m_py;
    std::unique_ptr<VsftpdServer> m_vs;
    std::unique_ptr<SshdServer> m_ssh;
};

} // namespace Vamox::Test
