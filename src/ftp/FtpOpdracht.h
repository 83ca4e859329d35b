#pragma once

// One operation of the FTP session as curl performs it, and what came of it. Internal to the
// session.

#include "ftp/FtpSession.h"

#include <curl/curl.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Vamox {

namespace CurlHulp {
class Ontvangst;
}

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
    bool kort = false;       // the server said it was done, yet the file came short
    QByteArray certificaat;  // PEM, for certificaatHalen
    bool ok() const { return !geweigerd && code == CURLE_OK; }
};

} // namespace Vamox
