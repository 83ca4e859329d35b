#pragma once

// One operation of the FTP session as curl performs it, and what came of it. Internal to the
// session.

#include "ftp/FtpSession.h"

#include <curl/curl.h>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <vector>

namespace Vamox {

namespace CurlHulp {
class Ontvangst;
}

// What the SSH host key callback found (written on the worker thread during a connect).
struct Sshcontrole
{
    std::vector<Hostsleutel> ingetrokken; // keys known_hosts marks as revoked
    Hostsleutel gezien;                   // the key the server showed at the last connect
    bool bekend = false;                  // it is among the trusted ones
    bool anderBekend = false;             // another key of its type is trusted for the server
};

// What curl needs of the session to reach the server, copied for the worker thread.
struct Aansluiting
{
    FtpGegevens gegevens;
    FtpTijden tijden;
    QByteArray pin;          // FTP over TLS: the trusted certificate's key
    bool hoogstens12 = true; // FTP over TLS: see FtpSession::inloggen
    QByteArray bekendeHosts; // SFTP: the known_hosts file curl checks (this server's lines only)
    Sshmethode methode;      // SFTP: how to log in
    Sshcontrole* controle = nullptr;
};

// The URL, login, TLS or SSH and timeouts of every operation, as the protocol wants them.
// `certificaatHalen`: an FTP login that stops at the certificate, to show it.
void VerbindingZetten(CURL* e, const Aansluiting& a, const QByteArray& urlPad, bool certificaatHalen);

struct FtpSession::Opdracht
{
    enum class Soort
    {
        Login,
        Lijst,
        Halen,
        Plaatsen,
        Quote,
        Grootte
    };
    Soort soort = Soort::Quote;
    QByteArray urlPad;        // after "ftp://host:port/"
    QByteArray lijstCommando; // "MLSD", or empty for LIST
    QStringList quotes;
    QString lokaalPad;
    qint64 verwachteGrootte = -1;        // a download whose size the caller knows from a listing
    CurlHulp::Ontvangst* doel = nullptr; // a download: continued where its file ends
    Lijstontvangst* lijst = nullptr;     // a listing: where its entries go
    bool tijdVragen = false;             // a download asks MDTM, to tell a changed file at a resume
    qint64 beginGrootte = -1;            // a resumed download: the file's size and MDTM at the start
    qint64 beginTijd = -1;
    bool aanvullen = false;        // an upload: the server's part is kept, the rest appended
    bool certificaatHalen = false; // a login that stops at the certificate, to show it
    long rechten = -1;             // SFTP: the permissions of a file the upload makes
};

// What an SFTP login knows: the host keys curl may trust, how the login got in, and what the
// user typed or accepted this run.
struct FtpSession::Sshstaat
{
    QTemporaryFile bekendeHosts; // the known_hosts lines of this server only, for curl
    Sshcontrole controle;
    std::vector<Hostsleutel> aanvaard; // trusted by the user (or the session this one took over)
    Sshmethode methode;                // how the last login got in (Geen: none yet)
    QHash<QString, QString> wachtwoordzinnen;
    QSet<QString> teOpenGemeld; // private keys too open, told about this run

    QByteArray bekendeHostsPad() const { return QFile::encodeName(bekendeHosts.fileName()); }
};

struct FtpSession::Uitkomst
{
    bool geweigerd = false; // another operation was running; nothing was sent
    CURLcode code = CURLE_OK;
    long antwoord = 0;       // last reply code of the server
    QList<int> antwoorden;   // every final reply code, in order
    QByteArray kopregels;    // every reply line, for FEAT
    qint64 lengte = -1;      // size the server announced (SIZE), -1 unknown
    qint64 tijd = -1;        // MDTM of a download's file (seconds since 1970), -1 unknown
    qint64 overgedragen = 0; // payload bytes moved
    // An earlier try of this operation broke off during its transfer (this one continued it or
    // sent it again), after `onderbrokenNa` bytes moved over all tries.
    bool onderbroken = false;
    qint64 onderbrokenNa = 0;
    bool kort = false;       // the server said it was done, yet the file came short
    QByteArray certificaat;  // PEM, for certificaatHalen
    QByteArray melding;      // curl's own words on a failure
    bool ok() const { return !geweigerd && code == CURLE_OK; }
};

} // namespace Vamox
