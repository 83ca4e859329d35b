#pragma once

#include "ftp/FtpGegevens.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QProcess;

namespace Vamox::Test {

// OpenSSH's sshd on 127.0.0.1 with SFTP served in-process (internal-sftp), a host key made per
// object, client keys of its own (one plain, one with a passphrase) in its authorized_keys, and
// no PAM. Logins are as the user running the test; paths on the server are absolute, below root().
// The server is a direct child of the calling thread and dies with it.
class SshdServer final
{
public:
    SshdServer();
    ~SshdServer();
    SshdServer(const SshdServer&) = delete;
    SshdServer& operator=(const SshdServer&) = delete;

    static bool beschikbaar(); // sshd and ssh-keygen installed
    bool start();              // picks a free port, waits for the version line; false with fout()
    void stop();
    QString fout() const { return m_fout; }

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 poort() const { return m_poort; }
    QString root() const; // absolute, no trailing "/"
    QString pad(const QString& rel) const { return root() + u'/' + rel; }
    QString gebruiker() const; // the user running the test
    // A login as gebruiker() without a password: the keys must get it in.
    FtpGegevens gegevens() const;

    // Folders holding "id_ed25519": without a passphrase, and with wachtwoordzin().
    QString sleutelMap() const;
    QString sleutelMapMetZin() const;
    static QString wachtwoordzin() { return QStringLiteral("zin van de test"); }
    // A known_hosts file of the test's own (not made until something writes it).
    QString bekendeHostsPad() const;
    // "[127.0.0.1]:port ssh-ed25519 AAAA...\n", the server's key as OpenSSH keeps it.
    QByteArray hostsleutelRegel() const;
    // The same line for a key the server does not have.
    QByteArray andereSleutelRegel() const;
    // The server key's fingerprint as ssh-keygen prints it ("SHA256:...").
    QString vingerafdruk() const;

    // A user with a password, made when running as root ("vamoxssh"); false with the reason.
    static bool wachtwoordGebruiker(QString& naam, QString& wachtwoord, QString& waarom);

    void maakMap(const QString& rel) const;
    void schrijf(const QString& rel, const QByteArray& inhoud) const;
    QByteArray lees(const QString& rel) const;
    // Kills every client connection (sshd forks one process each); the server keeps listening.
    void verbindingenVerbreken() const;

private:
    bool sleutelMaken(const QString& pad, const QString& zin);
    bool probeer(quint16 poort);

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_proces;
    quint16 m_poort = 0;
    QString m_fout;
};

} // namespace Vamox::Test
