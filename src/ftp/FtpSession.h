#pragma once

#include "ftp/Aanmeldvragen.h"
#include "ftp/FtpGegevens.h"
#include "ftp/FtpPaden.h"
#include "ftp/Mapinhoud.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Vamox {

class SessieWerker;
class Sessieprotocol;
enum class Handeling;
struct Plaatsopdracht;
struct Uitkomst;

// One connection to a server, FTP (with or without TLS) or SFTP, and every remote operation on
// it; only the protocol behind it knows which. Operations return false, 0 or nothing on failure
// and never show anything themselves. One operation runs at a time: while one runs (the caller's
// event loop keeps turning), every other one refuses at once. What a window shows of the server
// (its folder, the connected state, the last listing) is kept by the window.
class FtpSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FtpSession)

public:
    explicit FtpSession(QObject* parent = nullptr);
    ~FtpSession() override;

    const FtpTijden& tijden() const { return m_tijden; }
    void ZetTijden(const FtpTijden& tijden) { m_tijden = tijden; }
    // What one listing may take; tests lower it.
    void ZetLijstgrenzen(const Lijstgrenzen& grenzen) { m_lijstgrenzen = grenzen; }
    // Where trusted certificates, keys and known hosts are kept.
    const Vertrouwensplaatsen& plaatsen() const { return m_plaatsen; }
    void ZetPlaatsen(const Vertrouwensplaatsen& plaatsen) { m_plaatsen = plaatsen; }
    // Who answers the questions of a login (not owned; none: nothing new is trusted). Asked on
    // this session's thread. A server with a trusted certificate is never logged in to without
    // TLS, unless the user chose no TLS for it; an unknown host key is asked about before any
    // credential goes out, a changed one is refused.
    void ZetVragen(Aanmeldvragen* vragen)
    {
        m_vragen = vragen;
        m_zonderVragen = false;
    }

    // Logs in with these details (kept for FtpVerbinden and the retry after an idle drop).
    bool FtpVerbindingOpenen(const FtpGegevens& gegevens);
    void FtpVerbindingSluiten();
    // Logs in again with the details of the last FtpVerbindingOpenen.
    bool FtpVerbinden();
    const FtpGegevens& gegevens() const { return m_gegevens; }
    // This session's login, for a session of its own beside it (a transfer over more connections).
    FtpAanmelding aanmelding() const;
    // Logs in as `aanmelding` says; nothing is asked (a certificate or key it did not accept is
    // not trusted).
    bool FtpVerbindingOvernemen(const FtpAanmelding& aanmelding);

    // The entries of a server folder as listed, without "." and ".."; nothing when the listing
    // failed (no connection, no such folder, no permission), which is never an empty folder.
    std::optional<std::vector<FtpEntry>> FtpMapLezen(const QString& map);
    // FtpMapLezen in pieces: the entries go to `deel` while the listing arrives (on this thread,
    // while its event loop turns). True when the listing was complete.
    bool FtpMapStromen(const QString& map, const Lijstdeel& deel);
    // The folder as a pane shows it: ordered, with the parent entry outside the root.
    std::optional<Mapinhoud> ServermapLezen(const QString& pad);
    // A server file that is replaced is uploaded under a temporary name in its folder, checked for
    // its size and renamed over it (keeping its permissions where the server shows and takes
    // them): an upload that fails for good leaves the old file whole, and the temporary one is
    // removed once the server answers again. A server that refuses the temporary name or the
    // rename gets the file written over directly. A new file whose upload fails for good (or is
    // cancelled) is removed again, so that no part of it is served under its name.
    bool FtpBestandPlaatsen(const QString& lokaalPad, const QString& serverPad,
                            Serverdoel doel = Serverdoel::Onbekend);
    // `verwachteGrootte` (from a listing) spares a SIZE command; the file must then have that
    // size, or the one the server announces when the transfer starts.
    bool FtpBestandHalen(const QString& lokaalPad, const QString& serverPad, qint64 verwachteGrootte = -1);
    bool FtpBestandWissen(const QString& serverPad);
    bool FtpMapMaken(const QString& serverPad);
    bool FtpMapWissen(const QString& serverPad);
    bool FtpNaamWijzigen(const QString& oudPad, const QString& nieuwPad);
    // `rechten`: three octal digits ("644").
    bool FtpRechtenZetten(const QString& serverPad, const QString& rechten);
    bool ServerpadBestaat(const QString& pad, bool isMap);
    bool FtpVerbindingActief();
    // FtpVerbindingActief that waits at most `maxS` seconds to connect and for a reply (a
    // window's probe must not hold it long); `tijden` are as before afterwards.
    bool FtpVerbindingPeilen(int maxS);
    qint64 FtpMapPeilen(const QString& pad);
    // When a server file last changed, as the server tells it apart from a listing (FTP: MDTM,
    // SFTP: its attributes), in seconds since 1970 UTC; -1 when it does not tell.
    qint64 FtpBestandTijd(const QString& serverPad);
    // Every folder and file below `start` ("/a/b", no trailing "/"). `linksVolgen` false: a link
    // to a folder is an entry of its own (a file with `link` set), not walked into.
    FtpBoom FtpBoomLezen(const QString& start, bool linksVolgen = true);
    // Parts of one large file moved by several sessions at once. A download's part: bytes
    // [vanaf, tot) of the server file, whose size is `grootte`, written at their place in the
    // existing local file `bestand`. An upload's part (DelenPlaatsbaar): the local file's bytes
    // [vanaf, tot) at their place in the server file (made when missing, never cut short). Both
    // are resumed as a whole file is; the checks of the whole are the caller's.
    bool FtpDeelHalen(const QString& bestand, const QString& serverPad, qint64 vanaf, qint64 tot, qint64 grootte);
    bool FtpDeelPlaatsen(const QString& lokaalPad, const QString& serverPad, qint64 vanaf, qint64 tot);
    bool DelenPlaatsbaar();
    // The server file `tijdelijk` that the parts of `lokaalPad` went into takes the place of
    // `serverPad` as a replacement's temporary file does; it is removed when it cannot.
    bool FtpDeelInzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& serverPad);
    // The size and modification time of a server file now (-1 where it does not tell).
    bool FtpBestandStand(const QString& serverPad, qint64& grootte, qint64& tijd);
    // Removes what failed uploads left on the server (temporary files, the part of a new file)
    // and could not be removed then, when the server answers now.
    void RestenOpruimen();

    // Runs `taak` on this session's own thread, where its operations then run without a thread
    // between (a connection of the transfer queue runs its whole loop there).
    void OpEigenDraad(std::function<void()> taak);

    // Whether a login was ever tried (the first listing connects when not).
    bool internetHandle() const { return m_internetHandle; }
    // Whether a login succeeded since the last close.
    bool verbindingsHandle() const { return m_verbindingsHandle; }
    // Whether an operation is running (every other operation refuses meanwhile).
    bool bezig() const { return m_bezig; }
    // Whether the server offered MLST at the last login (listings use MLSD then).
    bool gebruiktMlsd() const;
    // Cancels the running operation as soon as possible (Escape, shutdown); the next one runs
    // normally. A cancelled download leaves the local file as it was. Any thread.
    void afbreken();
    // Whether the last operation ended because it was cancelled.
    bool afgebroken() const { return m_afgebroken; }
    // Whether the last listing failed because it passed a limit of what one listing may take.
    bool lijstTeGroot() const { return m_lijstTeGroot; }
    // Entries the last listing left out: names no command could reach (a line break, no UTF-8).
    qint64 lijstOvergeslagen() const { return m_lijstOvergeslagen; }
    // Whether the last operation failed because the connection broke, could not be made or the
    // login was refused (not because the server refused the file or the command).
    bool verbindingVerbroken() const { return m_verbroken; }
    // Whether the server refused the connection because it lets in no more from here now.
    bool serverVol() const { return m_vol; }
    // Why the last operation failed, in a few words for a list; empty after a success.
    const QString& laatsteFout() const { return m_fout; }
    // The ways an SFTP login was tried when the server refused them all ("wachtwoord", ...).
    QStringList geprobeerdeAanmeldingen() const;

Q_SIGNALS:
    // Bytes done and total of the running transfer, at most ten times a second.
    void voortgang(qint64 gedaan, qint64 totaal);
    void bezigGewijzigd(bool bezig);

private:
    class Kern;
    friend class Kern;
    // Runs `werk` as one operation on the worker thread: refused while another runs; the
    // outcome sets the session's state and words.
    Uitkomst bewerking(const std::function<Uitkomst()>& werk);
    // The retries and resumes of one operation (worker thread).
    Uitkomst herhaald(const std::function<Uitkomst()>& eens);
    // `u` (a failed try of `eens`) tried again where it broke off, after a pause, while
    // `nogmaals` says so; the outcome tells whether it broke on the way.
    Uitkomst hervat(Uitkomst u, const std::function<Uitkomst()>& eens,
                    const std::function<bool(const Uitkomst&)>& nogmaals);
    Uitkomst halen(const QString& pad, const QString& lokaalPad, qint64 verwachteGrootte);
    Uitkomst uploaden(Plaatsopdracht opdracht);
    Uitkomst plaatsen(const QString& lokaalPad, const QString& pad, Serverdoel doel);
    Uitkomst deel(bool halen, const QString& bestand, const QString& pad, qint64 vanaf, qint64 tot, qint64 grootte);
    bool opdracht(Handeling handeling, const QString& pad, const QString& tweede = {});
    bool lijst(const QString& mapPad, std::vector<FtpEntry>& uit, const Lijstdeel* deel = nullptr);
    void boom(FtpBoom& uit, const QString& map, int diepte, bool linksVolgen);
    void restenOpruimen();
    Sessieprotocol& protocol();

    std::unique_ptr<Kern> m_kern;
    std::unique_ptr<Sessieprotocol> m_ftp;  // made when first used, kept for what its logins learnt
    std::unique_ptr<Sessieprotocol> m_sftp;
    FtpGegevens m_gegevens;
    FtpTijden m_tijden;
    Lijstgrenzen m_lijstgrenzen;
    Vertrouwensplaatsen m_plaatsen;
    Aanmeldvragen* m_vragen = nullptr;
    bool m_zonderVragen = false; // the login was taken over: nothing new is trusted
    std::atomic<bool> m_afbreken{false};
    std::atomic<Sessieprotocol*> m_actief{nullptr}; // the protocol of the operation running
    QString m_fout;
    QStringList m_resten; // what failed uploads left on the server, removed when it answers
    bool m_verbroken = false;
    bool m_vol = false;
    bool m_internetHandle = false;
    bool m_verbindingsHandle = false;
    bool m_bezig = false;
    bool m_afgebroken = false;
    bool m_lijstTeGroot = false;
    qint64 m_lijstOvergeslagen = 0;
    std::unique_ptr<SessieWerker> m_werker; // last: its thread ends before the rest goes
};

} // namespace Vamox
