#pragma once

#include "config/ServerRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

// The saved servers as the server details window edits them: ServerLijst, element 0 empty,
// entries 1..t sorted by name ignoring case. Positions are those of ServerLijst (1..t).

// The first entry whose name, lower-cased, equals `naam` lower-cased and trimmed; -1 when none.
qsizetype NaamServerControleren(const QStringList& serverLijst, const QString& naam);

// The name of entry `n`; empty outside 1..t.
QString NaamServer(const QStringList& serverLijst, qsizetype n);

// The entry named exactly `gekozen` (the main window's server box); 1 when there is none.
qsizetype ActiefServerNr(const QStringList& serverLijst, const QString& gekozen);

// The record of entry `n`; entry 0 (and any other outside 1..t) is an empty record with port "21".
ServerRecord ServerOpPlek(const QStringList& serverLijst, qsizetype n);

struct Serveropslag
{
    enum class Fout
    {
        Geen,
        Onvolledig,   // name, host, user name or (FTP, not asked at login) password empty (trimmed)
        Onopslaanbaar // a field holds the separator or a line break
    };
    Fout fout = Fout::Geen;
    std::optional<ServerVeld> veld; // with Onopslaanbaar: the first such field
    qsizetype plek = 0;             // with Geen: the record's position after sorting
};

// Stores `server` as entry `huidig`, or as a new entry when `huidig` is 0, and sorts the list.
// The name is stored trimmed. On a fault the list is unchanged. Name clashes are the caller's
// to check (NaamServerControleren): a list read from a file may already hold two. `getypt`, when
// given, is the record as entered, checked instead: its password may have gone to the keyring.
Serveropslag ServerOpslaan(QStringList& serverLijst, qsizetype huidig, ServerRecord server,
                           const ServerRecord* getypt = nullptr);

// Removes entry `n` (1..t); the rest stays sorted.
void ServerVerwijderen(QStringList& serverLijst, qsizetype n);

} // namespace Vamox
