#pragma once

#include "config/ServerRecord.h"
#include "config/Sleutelbos.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

// The keyring entry of a saved server: its name, user, host and port.
QString SleutelbosSleutel(const ServerRecord& server);

// The passwords of the saved servers, wherever each is kept: the file, the keyring, or (asked at a
// login) this run's memory only.
class Wachtwoorden final
{
public:
    explicit Wachtwoorden(Sleutelbos& sleutelbos) : m_bos(sleutelbos) {}
    Q_DISABLE_COPY_MOVE(Wachtwoorden)

    Sleutelbos& sleutelbos() { return m_bos; }

    struct Aanmelding
    {
        std::optional<QString> wachtwoord; // absent: to be asked
        Sleutelbosantwoord sleutelbos;     // why the keyring gave none, where it was asked
    };
    // The password a login uses. SFTP without one logs in with keys only.
    Aanmelding VoorAanmelding(const ServerRecord& server);
    // A password asked at a login, for the rest of the run; forgotten when it was refused.
    void Onthouden(const ServerRecord& server, const QString& wachtwoord);
    void Vergeten(const ServerRecord& server);

    // The keyring's password of a server that keeps it there and has none in the file.
    Sleutelbosantwoord Opzoeken(const ServerRecord& server) const;

    // Keeps the password of `nieuw` where its place says, before its line is stored: into the
    // keyring (its field emptied then), and the entry of `oud` (the record before the change, if
    // any) removed or moved to the new key. On a failure nothing of `nieuw` changed; the answer
    // says why.
    Sleutelbosantwoord Bewaren(const std::optional<ServerRecord>& oud, ServerRecord& nieuw);
    // A removed server's entry goes with it.
    Sleutelbosantwoord Verwijderen(const ServerRecord& server);

private:
    Sleutelbos& m_bos;
    QHash<QString, QString> m_run;
};

// Moving the passwords that still stand in the file into the keyring.
struct Verhuizing
{
    int aantal = 0;              // moved
    Sleutelbosantwoord fout;     // with `server`: why it stopped
    QString server;              // the server it stopped at; empty when all went
    QStringList serverLijst;     // the list without the moved passwords; as it was on a failure
    bool gelukt() const { return server.isEmpty(); }
};

// The servers whose password belongs in the keyring but stands in the file.
int TeVerhuizen(const QStringList& serverLijst);
// Stores each such password and reads it back; the lines lose their passwords only when every one
// was stored and read back the same. Stops at the first failure (a keyring that does not answer
// would otherwise make each server wait).
Verhuizing WachtwoordenVerhuizen(const QStringList& serverLijst, const Sleutelbos& sleutelbos);
// The user's choice when the keyring cannot take them: those servers keep their password in the
// file (Bestand), or lose it and are asked at each login (Vragen).
QStringList VerhuizingAfzien(QStringList serverLijst, Wachtwoordplek plek);

} // namespace Vamox
