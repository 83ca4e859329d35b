#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QProcess;

namespace Vamox::Test {

// What the pyftpdlib test server does, and which faults it injects.
struct FtpServerOpties
{
    QString gebruiker = QStringLiteral("vamox");
    QString wachtwoord = QStringLiteral("geheim");
    bool mlst = true;             // false: FEAT does not offer MLST, so clients must use LIST
    bool weigerLogin = false;     // every login is answered 530
    int traagMs = 0;              // every reply is delayed this long
    qint64 dropRetrNa = -1;       // >= 0: a RETR sends this many bytes, then both connections drop
    qint64 dropStorNa = -1;       // >= 0: a STOR drops both connections after this many bytes
    QStringList faalCommandos;    // commands answered "550" (e.g. DELE, MKD, RMD, RNFR)
    QByteArray vasteListing;      // non-empty: every LIST answers with exactly these bytes
    int idleTimeoutS = 0;         // > 0: idle control connections are closed after this many seconds
};

// A real FTP server (pyftpdlib) on 127.0.0.1 with a fresh temp root, started by the test and
// stopped when the object dies. The port is chosen by the server and read back from a file.
class FtpTestServer final
{
public:
    explicit FtpTestServer(FtpServerOpties opties = {});
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool start();   // waits until the server accepts connections; false with a reason in fout()
    void stop();    // SIGTERM and wait; the root stays until the object dies
    bool draait() const;

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 poort() const { return m_poort; }
    QString root() const;                // the server root on disk, no trailing "/"
    QString pad(const QString& rel) const; // root() + "/" + rel
    const FtpServerOpties& opties() const { return m_opties; }
    QString fout() const { return m_fout; }

    // Helpers for arranging server content directly on disk.
    void maakMap(const QString& rel) const;
    void schrijf(const QString& rel, const QByteArray& inhoud) const;
    QByteArray lees(const QString& rel) const;

private:
    FtpServerOpties m_opties;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_proces;
    quint16 m_poort = 0;
    QString m_fout;
};

// vsftpd as a second opinion, started with a config file of its own (needs root).
struct VsftpdOpties
{
    bool anoniem = false;        // anonymous login with write rights, root = the temp folder
    int idleTimeoutS = 300;
};

class VsftpdServer final
{
public:
    explicit VsftpdServer(VsftpdOpties opties = {});
    ~VsftpdServer();
    VsftpdServer(const VsftpdServer&) = delete;
    VsftpdServer& operator=(const VsftpdServer&) = delete;

    static bool beschikbaar();   // vsftpd installed and we may run it (root)
    bool start();
    void stop();

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 poort() const { return m_poort; }
    QString root() const;
    QString gebruiker() const;   // "anonymous" or a local user made for the test
    QString wachtwoord() const;
    QString fout() const { return m_fout; }

private:
    VsftpdOpties m_opties;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_proces;
    quint16 m_poort = 0;
    QString m_fout;
};

} // namespace Vamox::Test
