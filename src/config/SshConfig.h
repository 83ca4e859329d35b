#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

struct FtpGegevens;

// What ~/.ssh/config says for one host, as ssh takes it: the first value of each keyword from the
// lines before the first Host and the Host blocks that match, in file order; every IdentityFile.
struct SshHost
{
    QString hostName;
    QString user;
    std::optional<quint16> port;
    QStringList identityFiles; // "~" and the % tokens expanded
};

// The user's OpenSSH client configuration, read for what logins and the import need. Host patterns
// match as ssh matches them (wildcards "*" and "?", "!" to exclude, letter case ignored); Include is
// followed; Match blocks are not evaluated: what stands in them applies to no host.
struct SshConfig
{
    struct Blok
    {
        QStringList patronen;
        bool match = false; // a Match block
    };
    struct Regel
    {
        int blok = -1;     // index in `blokken`; -1 before the first Host
        QString trefwoord; // lower case
        QStringList waarden;
    };
    QList<Blok> blokken;
    QList<Regel> regels;
    QStringList meldingen; // what was left out, for the user (Dutch)

    // `host` as typed or saved; `gebruiker` the user a login would use where the file names none.
    SshHost Opzoeken(const QString& host, const QString& gebruiker) const;
    // The Host patterns that name one host (no wildcard, not excluded), in file order, each once.
    QStringList Aliassen() const;
};

// `map` is where relative Include paths start (~/.ssh for the user's file).
SshConfig SshConfigParsen(const QString& tekst, const QString& map);
// The file at `pad`; an empty configuration when there is none.
SshConfig SshConfigLezen(const QString& pad);

// An SFTP login to a saved server as ssh would make it: HostName replaces the saved host (an
// alias), the file's User and Port count where the server has none or the default (22), and its
// IdentityFile keys are the ones offered.
void SshConfigToepassen(FtpGegevens& gegevens, const SshConfig& config);

// The name of the user running the program, for ssh's default user and %u.
QString LokaleGebruiker();

} // namespace Vamox
