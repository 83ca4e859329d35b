#pragma once

#include "ftp/Certificaten.h"
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

class CurlWerker;
struct Lijstontvangst;

// One connection to a server, FTP (with or without TLS) or SFTP, and every remote operation on
// it; only the session knows which. Operations return false, 0 or nothing on failure and never
// show anything themselves. One operation runs at a time: while one runs
// (the caller's event loop keeps turning), every other one refuses at once. What a window shows
// of the server (its folder, the connected state, the last listing) is kept by the window.
class FtpSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FtpSession)

public:
    explicit FtpSession(QObject* parent = nullptr);
    ~FtpSession() override;

    FtpTijden tijden;
    // What one listing may take; tests lower it.
    Lijstgrenzen lijstgrenzen;

    // Certificates no trusted authority vouches for: where the trusted ones are kept, the
    // question whether to trust one met for the first time (unset: never), the notice that a
    // server shows another certificate than the one trusted (never connected then), and the other
    // notices about them (host and port in the info, and the certificate where there is one).
    // A server with a trusted certificate is never logged in to without TLS, unless the user
    // chose no TLS for it.
    QString bekendeCertificatenPad;
    std::function<bool(const CertificaatInfo&)> certificaatVertrouwen;
    std::function<void(const CertificaatInfo&)> certificaatGewijzigd;
    std::function<void(Certificaatmelding, const CertificaatInfo&)> certificaatMelding;
    // SFTP: known hosts and private keys as OpenSSH keeps them, and the questions about them. An
    // unknown host key is asked about before any credential goes out; a changed one is refused.
    SshInstellingen ssh;

    // Logs in with these details (kept for FtpVerbinden and the retry after an idle drop).
    bool FtpVerbindingOpenen(const FtpGegevens& gegevens);
    void FtpVerbindingSluiten();
    // Logs in again with the details of the last FtpVerbindingOpenen.
    bool FtpVerbinden();
    const FtpGegevens& gegevens() const { return m_gegevens; }
    // This session's login, for a session of its own beside it (a transfer over more connections).
    FtpAanmelding aanmelding() const;
    // Logs in as `aanmelding` says; a certificate it did not accept is never asked about.
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
    // rename gets the file written over directly.
    bool FtpBestandPlaatsen(const QString& lokaalPad, const QString& serverPad,
                            Serverdoel doel = Serverdoel::Onbekend);
    // `verwachteGrootte` (from a listing) spares a SIZE command; the file must then have that
    // size, or the one the server announces when the transfer starts.
    bool FtpBestandHalen(const QString& lokaalPad, const QString& serverPad, qint64 verwachteGrootte = -1);
    bool FtpBestandWissen(const QString& serverPad);
    bool FtpMapMaken(const QString& serverPad);
    bool FtpMapWissen(const QString& serverPad);
    bool FtpNaamWijzigen(const QString& oudPad, const QString& nieuwPad);
    bool ServerpadBestaat(const QString& pad, bool isMap);
    bool FtpVerbindingActief();
    // FtpVerbindingActief that waits at most `maxS` seconds to connect and for a reply (a
    // window's probe must not hold it long); `tijden` are as before afterwards.
    bool FtpVerbindingPeilen(int maxS);
    qint64 FtpMapPeilen(const QString& pad);
    // When a server file last changed, as the server tells it apart from a listing (FTP: MDTM,
    // SFTP: its attributes), in seconds since 1970 UTC; -1 when it does not tell.
    qint64 FtpBestandTijd(const QString& serverPad);
    // Every folder and file below `start` ("/a/b", no trailing "/").
    FtpBoom FtpBoomLezen(const QString& start);

    // Whether a login was ever tried (the first listing connects when not).
    bool internetHandle() const { return m_internetHandle; }
    // Whether a login succeeded since the last close.
    bool verbindingsHandle() const { return m_verbindingsHandle; }
    // Whether an operation is running (every other operation refuses meanwhile).
    bool bezig() const { return m_bezig; }
    // Whether the server offered MLST at the last login (listings use MLSD then).
    bool gebruiktMlsd() const { return m_mlsd; }
    // Cancels the running operation as soon as possible (Escape, shutdown); the next one runs
    // normally. A cancelled download leaves the local file as it was.
    void afbreken();
    // Whether the last operation ended because it was cancelled.
    bool afgebroken() const { return m_afgebroken; }
    // Whether the last listing failed because it passed a limit of `lijstgrenzen`.
    bool lijstTeGroot() const { return m_lijstTeGroot; }
    // Whether the last operation failed because the connection broke, could not be made or the
    // login was refused (not because the server refused the file or the command).
    bool verbindingVerbroken() const { return m_verbroken; }
    // Why the last operation failed, in a few words for a list; empty after a success.
    const QString& laatsteFout() const { return m_fout; }
    // The ways an SFTP login was tried when the server refused them all ("wachtwoord", ...).
    const QStringList& geprobeerdeAanmeldingen() const { return m_geprobeerd; }

Q_SIGNALS:
    // Bytes done and total of the running transfer, at most ten times a second.
    void voortgang(qint64 gedaan, qint64 totaal);
    void bezigGewijzigd(bool bezig);

private:
    struct Uitkomst;
    struct Opdracht;
    struct Sshstaat;
    enum class Handeling
    {
        Wissen,
        MapMaken,
        MapWissen,
        Hernoemen,
        Rechten, // `pad` gets the permissions `tweede` ("644")
        Grootte  // FTP: SIZE
    };
    Uitkomst voer(const Opdracht& opdracht);
    Uitkomst voerEens(const Opdracht& opdracht);
    bool lijst(const QString& mapPad, std::vector<FtpEntry>& uit, const Lijstdeel* deel = nullptr);
    Uitkomst lijstOpdracht(Opdracht& o, const QByteArray& commando, Lijstontvangst& ontvangst);
    Uitkomst inloggen(const Opdracht& login);
    std::optional<CertificaatInfo> certificaatHalen();
    Uitkomst sshInloggen(const Opdracht& login);
    Uitkomst sshPoging(const Opdracht& login, const Sshmethode& methode);
    bool sshHostsleutelAanvaarden();
    void sshBekendeHostsSchrijven();
    bool hervatten(const Opdracht& opdracht, const Uitkomst& u, int poging);
    // Why an operation failed, in a few words: the server's reply where it gave one.
    QString foutTekst(const Uitkomst& u) const;
    // The commands of one action in this session's protocol; whether they all succeeded.
    QStringList regels(Handeling handeling, const QString& pad, const QString& tweede = {}) const;
    bool geslaagd(const Uitkomst& u, qsizetype aantal, long verwachtMin, long verwachtMax) const;
    bool sftp() const { return m_gegevens.protocol == Protocol::Sftp; }
    bool quote(const QStringList& commandos, long verwachtMin = 200, long verwachtMax = 299);
    void boom(FtpBoom& uit, const QString& map, int diepte);
    Uitkomst plaatsen(const QString& lokaalPad, const QString& pad);
    std::optional<bool> vervangen(const QString& lokaalPad, const QString& pad);
    std::optional<bool> sftpVervangen(const QString& lokaalPad, const QString& pad);
    bool bestaat(const QString& pad);
    Uitkomst commandos(const QStringList& regels);
    void restenOpruimen();

    std::unique_ptr<CurlWerker> m_werker;
    std::unique_ptr<Sshstaat> m_ssh;
    QStringList m_geprobeerd;
    FtpGegevens m_gegevens;
    QByteArray m_pin;            // of the trusted certificate of this server, when there is one
    QByteArray m_overgenomenPin; // accepted by the session whose login this one took over
    bool m_verbroken = false;
    QString m_fout;
    bool m_tls13 = false; // see inloggen
    bool m_internetHandle = false;
    bool m_verbindingsHandle = false;
    bool m_bezig = false;
    bool m_mlsd = false;
    bool m_afgebroken = false;
    bool m_lijstTeGroot = false;
    QStringList m_resten; // temporary upload names left on the server, removed when it answers
    // Whether this login's server takes "LIST -a"; asked anew at every login.
    enum class LijstA
    {
        Onbekend,
        Ja,
        Nee
    };
    LijstA m_lijstA = LijstA::Onbekend;
};

} // namespace Vamox
