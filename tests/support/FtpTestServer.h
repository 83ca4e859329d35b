#pragma once

#include "ftp/FtpSession.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

class QProcess;

namespace Vamox::Test {

// What the pyftpdlib test server does, and which faults it injects.
struct FtpServerOpties
{
    QString gebruiker = QStringLiteral("vamox");
    QString wachtwoord = QStringLiteral("geheim");
    bool mlst = true;          // false: FEAT does not offer MLST, so clients must use LIST
    bool weigerLogin = false;  // every login is answered 530
    int traagMs = 0;           // every reply is delayed this long
    qint64 dropRetrNa = -1;    // >= 0: a RETR sends this many bytes, then both connections drop
    qint64 dropStorNa = -1;    // >= 0: a STOR drops both connections after this many bytes
    int dropKeren = -1;        // >= 0: only this many transfers are dropped
    qint64 kortRetr = -1;      // >= 0: a RETR sends only this many bytes, then reports success (226)
    QStringList faalCommandos; // commands answered "550" (e.g. DELE, MKD, RMD, RNFR); "DELE:x" only
                               // when the argument holds "x"
    QStringList onbekend;      // commands answered "500", as a server without them does (e.g. SIZE)
    QByteArray vasteListing;   // non-empty: every LIST answers with exactly these bytes
    int idleTimeoutS = 0;      // > 0: idle control connections are closed after this many seconds
    QString lijstStukken;      // "N:MS": listings go out N bytes at a time, MS ms apart
    QString eindelozeLijst;    // LIST and MLSD of a path holding this text send a line without end
    qint64 dropLijstNa = -1;   // >= 0: a listing sends this many bytes, then both connections drop
    qint64 kortAppe = -1;      // >= 0: an APPE keeps only this many of the bytes it receives, then says 226
    qint64 kortStor = -1;      // >= 0: the same for a STOR
    QByteArray vervangBijDrop; // non-empty: a dropped RETR's file is replaced by these bytes, an hour newer
    bool geenHernoemOverBestaand = false; // RNTO onto an existing name is refused (550)
    bool commandoLog = false;             // ontvangen() tells every command line received
    bool lijstZonderOpties = false;       // "LIST -a" is refused (501), a plain LIST answers
    qint64 snelheid = 0;       // > 0: every data connection moves at most this many bytes a second
    std::optional<int> lijstZoneMinuten; // LIST shows the clock of UTC + this (MLSD and MDTM stay UTC)
};

// A real FTP server (pyftpdlib) on 127.0.0.1 with a fresh temp root, started by the test and
// stopped when the object dies. The port is chosen by the server and read back from a file.
// The server is a direct child of the calling thread and dies with it (PR_SET_PDEATHSIG), so start
// it from the thread that lives as long as the server. VAMOX_TEST_FTP_LOG=1 logs its traffic to stderr.
class FtpTestServer final
{
public:
    explicit FtpTestServer(FtpServerOpties opties = {});
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool start(); // waits until the server greets; false with a reason in fout()
    void stop();  // SIGTERM and wait; the root stays until the object dies
    bool draait() const;

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 poort() const { return m_poort; }
    QString root() const;                  // the server root on disk, no trailing "/"
    QString pad(const QString& rel) const; // root() + "/" + rel
    const FtpServerOpties& opties() const { return m_opties; }
    // The login of the test user, as a saved server would give it.
    FtpGegevens gegevens() const { return {host(), m_opties.gebruiker, m_opties.wachtwoord, m_poort}; }
    QString fout() const { return m_fout; }

    // Helpers for arranging server content directly on disk (parent folders are made as needed).
    void maakMap(const QString& rel) const;
    void schrijf(const QString& rel, const QByteArray& inhoud) const;
    QByteArray lees(const QString& rel) const; // empty when missing
    // With commandoLog: every command line received so far ("USER vamox", "STOR /a"), in order.
    QStringList ontvangen() const;

private:
    FtpServerOpties m_opties;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_proces;
    quint16 m_poort = 0;
    QString m_fout;
};

// vsftpd as a second opinion, started with a config file of its own (needs root, see beschikbaar()).
// Only anonymous login exists (a local user would need system accounts). vsftpd refuses to chroot an
// anonymous user into a root it may write to, so "/" is read-only for the client: write in werkMap().
// Content made with the helpers belongs to the "ftp" user, so the client may rename and delete it.
struct VsftpdOpties
{
    bool anoniem = true;    // must stay true: anonymous login with write rights below werkMap()
    int idleTimeoutS = 300; // idle_session_timeout
    bool tls = false;       // explicit TLS with a self-signed certificate made at start
    bool alleenTls = false; // with tls: plain logins and plain data connections are refused
    int maxPerIp = 0;       // > 0: logins from one address beyond this many are refused (max_per_ip)
};

class VsftpdServer final
{
public:
    explicit VsftpdServer(VsftpdOpties opties = {});
    ~VsftpdServer();
    VsftpdServer(const VsftpdServer&) = delete;
    VsftpdServer& operator=(const VsftpdServer&) = delete;

    static bool beschikbaar(); // vsftpd installed, user "ftp" exists and we are root
    bool start();              // picks a free port, retries on a clash; false with fout()
    void stop();
    bool draait() const;

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 poort() const { return m_poort; }
    QString root() const; // "/" of the server on disk
    QString pad(const QString& rel) const;
    static QString werkMap() { return QStringLiteral("pub"); } // below "/": writable for the client
    QString gebruiker() const;                                 // "anonymous"
    QString wachtwoord() const;
    QString fout() const { return m_fout; }
    int sessies() const; // client connections served right now (vsftpd forks one process each)
    // With tls: a new key and certificate, used from the next start.
    bool nieuwCertificaat();

    void maakMap(const QString& rel) const;
    void schrijf(const QString& rel, const QByteArray& inhoud) const;
    QByteArray lees(const QString& rel) const;

private:
    bool probeer(quint16 poort);

    VsftpdOpties m_opties;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_proces;
    quint16 m_poort = 0;
    QString m_fout;
};

} // namespace Vamox::Test
