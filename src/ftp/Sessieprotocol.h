#pragma once

// Between the session's core and the protocol that speaks to the server. The core owns the
// worker thread, the retries and resumes, the temporary file of a download and its checks, and
// the listing's receipt; a protocol knows how to reach the server, log in, list, move one file,
// run the server's own commands, replace a file and probe the connection, and how its failures
// read. Internal to the session.

#include "ftp/FtpGegevens.h"
#include "ftp/FtpListing.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

namespace Vamox {

class Aanmeldvragen;
class Lijststroom;
class Ontvangst;
struct Vertrouwensplaatsen;

// How one try of an operation ended, whatever the protocol.
enum class Afloop
{
    Gelukt,
    Bezig,              // another operation was running: nothing was sent
    Geweigerd,          // the server refused the file or the command; the connection stays
    NietGevonden,       // the server has no such file or folder
    GeenVerbinding,     // the server could not be reached
    AanmeldenGeweigerd, // the login was refused, or the server was not trusted
    Verloren,           // the connection was gone (an idle one the server closed): one more try
    Vol,                // the server let in no more connections from here now (421 as its greeting)
    Verbroken,          // the connection broke during the transfer: worth resuming
    HervattenGeweigerd, // the server will not continue a file
    Kort,               // the server called the file complete, yet it came short
    LokaalSchrijven,    // the local file could not be written
    LokaalLezen,        // the local file could not be read
    TeGroot,            // a listing passed what one listing may take
    Afgebroken          // cancelled
};

struct Uitkomst
{
    Afloop afloop = Afloop::Gelukt;
    qint64 overgedragen = 0; // payload bytes moved
    qint64 lengte = -1;      // the size the server gave for the file, -1 unknown
    qint64 tijd = -1;        // its modification time (seconds since 1970) where asked, -1 unknown
    QString woorden;         // what the server (or the library) said of a failure
    QString fout;            // set: what the user is told, whatever the protocol would say
    bool begonnen = false;   // the server opened the file for the transfer
    // Set by the core: an earlier try of this operation broke off during its transfer (this one
    // continued it or sent it again), after `onderbrokenNa` bytes moved over all tries.
    bool onderbroken = false;
    qint64 onderbrokenNa = 0;

    bool ok() const { return afloop == Afloop::Gelukt; }
    static Uitkomst Met(Afloop a, QString woorden = {})
    {
        Uitkomst u;
        u.afloop = a;
        u.woorden = std::move(woorden);
        return u;
    }
};

// Whether the connection broke or could not be made (not a refusal of the file or the command).
inline bool IsVerbindingsfout(Afloop a)
{
    return a == Afloop::Verloren || a == Afloop::Verbroken || a == Afloop::GeenVerbinding ||
           a == Afloop::AanmeldenGeweigerd || a == Afloop::Vol;
}

// Whether an upload failed because the server refused its name before any byte went, as opposed to
// a transfer that broke on the way and could not be continued.
inline bool NaamGeweigerd(const Uitkomst& u)
{
    return !u.onderbroken && u.overgedragen == 0 &&
           (u.afloop == Afloop::Geweigerd || u.afloop == Afloop::NietGevonden);
}

// One try of a download: into `doel`, from `vanaf` on (the bytes `doel` holds).
struct Haalopdracht
{
    QString pad;
    Ontvangst* doel = nullptr;
    qint64 vanaf = 0;
    // The size a listing gave (spares the question to the server), -1 unknown.
    qint64 verwachteGrootte = -1;
    bool tijdVragen = false; // the file's modification time in Uitkomst::tijd
    // A part of the file that other connections move the rest of: up to here (exclusive), -1 to
    // the file's end. Progress then tells the position in the file.
    qint64 tot = -1;
};

// One try of an upload of the local file to `pad`.
struct Plaatsopdracht
{
    QString pad;
    QString lokaalPad;
    bool aanvullen = false; // the server's part of the file stays; the rest follows it
    int rechten = -1;       // the permissions of a file the upload makes, where the protocol takes them
    // A part: the local file's bytes [vanaf, tot) written at their place, what the server's file
    // holds elsewhere kept (tot < 0: the whole file). Progress then tells the position in the file.
    qint64 vanaf = 0;
    qint64 tot = -1;
};

// The server's own commands that change nothing but names and places.
enum class Handeling
{
    Wissen,
    MapMaken,
    MapWissen,
    Hernoemen, // `pad` gets the name `tweede`; never over an existing entry
    Rechten    // `pad` gets the permissions `tweede` ("644")
};

// Where a listing goes: its entries in pieces to the stream while it arrives, or kept here.
struct Lijstdoel
{
    const Lijstgrenzen& grenzen;
    Lijststroom* stroom = nullptr;
    std::vector<FtpEntry> entries; // without a stream
    bool teGroot = false;          // it passed a limit of `grenzen`
    qint64 geweigerd = 0;          // entries left out: their names name nothing a command could reach
};

// What became of a replacement: done or failed; not begun because there is no file to replace
// (Nieuw), or because the server refused the temporary name (Rechtstreeks: the file is written
// over directly).
enum class Vervanging
{
    Gelukt,
    Mislukt,
    Nieuw,
    Rechtstreeks
};

// What a protocol may use of the session's core while an operation runs on the worker thread.
class Sessiekern
{
public:
    virtual ~Sessiekern() = default;
    virtual const FtpTijden& Tijden() const = 0;
    virtual const Vertrouwensplaatsen& Plaatsen() const = 0;
    // The questions of a login, asked on the thread that called the session.
    virtual Aanmeldvragen& Vragen() = 0;
    // Set from any thread: the running try ends as soon as it can, as cancelled.
    virtual const std::atomic<bool>& Afbreken() const = 0;
    // Bytes done and total of the running transfer; told at most ten times a second.
    virtual void Voortgang(qint64 gedaan, qint64 totaal) = 0;
    // An upload with the core's resumes and checks (for a replacement's temporary file).
    virtual Uitkomst Uploaden(const Plaatsopdracht& opdracht) = 0;
    // A server file a failed upload left, removed once the server answers (now, when it does).
    virtual void Rest(const QString& pad) = 0;
};

class Sessieprotocol
{
public:
    virtual ~Sessieprotocol() = default;

    // The server and the user of the next logins. Another server forgets what the last login
    // learnt (a certificate accepted, a way in).
    virtual void Gegevens(const FtpGegevens& gegevens) = 0;
    // Logs in (the questions go through the core), and learns what the server offers.
    virtual Uitkomst Aanmelden() = 0;
    // What this login accepted, for another connection to the same server; and its taking over.
    virtual void Aanmelding(FtpAanmelding& uit) const = 0;
    virtual void Overnemen(const FtpAanmelding& aanmelding) = 0;
    // Closes every connection: the next operation logs in anew.
    virtual void Sluiten() = 0;
    // Any thread: the running operation ends as soon as it can (the core's flag is set too).
    virtual void Afbreken() {}

    virtual Uitkomst Lijsten(const QString& map, Lijstdoel& doel) = 0;
    virtual Uitkomst Halen(const Haalopdracht& opdracht) = 0;
    virtual Uitkomst Plaatsen(const Plaatsopdracht& opdracht) = 0;
    // The size of a file (Uitkomst::lengte) and, with `tijd`, its modification time.
    virtual Uitkomst Stand(const QString& pad, bool tijd) = 0;
    virtual Uitkomst Bewerken(Handeling handeling, const QString& pad, const QString& tweede = {}) = 0;
    // Uploads over an existing file through a temporary name beside it.
    virtual Vervanging Vervangen(const QString& lokaalPad, const QString& pad, Uitkomst& uitkomst) = 0;
    // A cheap question that goes to the server and back.
    virtual Uitkomst Peilen() = 0;
    // Whether uploads go in parts (Plaatsopdracht::tot): the protocol writes at an offset.
    virtual bool DelenPlaatsen() const { return false; }
    // A temporary file that parts were written into takes the place of `pad`, as in Vervangen,
    // once it holds all of `lokaalPad`.
    virtual Uitkomst Inzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& pad)
    {
        (void)lokaalPad, (void)tijdelijk, (void)pad;
        return Uitkomst::Met(Afloop::Geweigerd);
    }

    // Why a try failed, in a few words for a list.
    virtual QString Fouttekst(const Uitkomst& u) const = 0;
    // Whether listings come as MLSD (FTP servers that offer it).
    virtual bool Mlsd() const { return false; }
    // The ways the last login was tried when the server refused them all ("wachtwoord", ...).
    virtual QStringList Geprobeerd() const { return {}; }
};

} // namespace Vamox
