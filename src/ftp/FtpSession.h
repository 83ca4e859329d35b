#pragma once

#include "ftp/FtpPaden.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace Vamox {

class CurlWerker;

// Timeouts of the session; tests shorten them.
struct FtpTijden
{
    int verbindenS = 15;     // connect and login
    int antwoordS = 30;      // one reply of the server
    int stilstandS = 30;     // a transfer that moves no byte this long is given up
};

// The one FTP connection of the program and every remote operation on it. Operations return
// false, 0 or empty results on failure and never show anything themselves, except the failure
// notice of FtpVerbinden (through `bijMislukteVerbinding`). One operation runs at a time: while
// one runs (the caller's event loop keeps turning), every other one refuses at once.
class FtpSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FtpSession)

public:
    explicit FtpSession(QObject* parent = nullptr);
    ~FtpSession() override;

    // Connection details, copied from the chosen saved server.
    QString host;
    QString gebruiker;
    QString wachtwoord;
    quint16 poort = 21;

    bool Verbonden = false;    // the connected state the windows show; set by the panes
    QString HuidigeServermap;  // the folder the server pane shows: "/a/b/", the root "/"
    bool StopGevraagd = false; // Escape was down right after a download
    QStringList ServerMappen;  // last listing of the server pane: folder names, " .." first
    QStringList ServerBestanden; // last listing: "name<15>dd-mm-yyyy hh:nn<15>size"

    FtpTijden tijden;

    // Hooks the windows fill in: the busy pointer, the failure notice of FtpVerbinden, and
    // whether Escape is down (sampled after every download).
    std::function<void(bool)> zandloper;
    std::function<void()> bijMislukteVerbinding;
    std::function<bool()> escapeIngedrukt;

    bool FtpVerbindingOpenen(const QString& host, const QString& gebruiker, const QString& wachtwoord,
                             const QString& agent);
    void FtpVerbindingSluiten();
    bool FtpVerbinden(bool toonFout);

    bool FtpMapLezen(QStringList& bestanden, QStringList& mappen, const QString& map,
                     QChar scheiding = Scheidingsteken);
    bool FtpBestandPlaatsen(const QString& lokaalPad, const QString& serverPad);
    // `verwachteGrootte` (from a listing) spares a SIZE command; the file must then have that
    // size, or the one the server announces when the transfer starts.
    bool FtpBestandHalen(const QString& lokaalPad, const QString& serverPad, qint64 verwachteGrootte = -1);
    bool FtpBestandWissen(const QString& serverPad);
    bool FtpMapMaken(const QString& serverPad);
    bool FtpMapWissen(const QString& serverPad);
    bool FtpNaamWijzigen(const QString& oudPad, const QString& nieuwPad);
    bool ServerpadBestaat(const QString& pad, bool isMap);
    bool FtpVerbindingActief();
    qint64 FtpMapPeilen(const QString& pad);
    // `groottes`, when given, receives the listed size of each file, beside alleBestanden.
    void FtpBoomLezen(QStringList& alleMappen, QStringList& alleBestanden, const QString& start,
                      qint64& totaal, QList<qint64>* groottes = nullptr);
    bool ServermapLezen(const QString& pad);

    // Whether an internet handle was ever opened (the first listing connects when not).
    bool internetHandle() const { return m_internetHandle; }
    // Whether a login succeeded since the last close.
    bool verbindingsHandle() const { return m_verbindingsHandle; }
    // Whether an operation is running (every other operation refuses meanwhile).
    bool bezig() const { return m_bezig; }
    // Whether the server offered MLST at the last login (listings use MLSD then).
    bool gebruiktMlsd() const { return m_mlsd; }
    // Listings of FtpBoomLezen that failed since it was last called from outside.
    int mislukteBoomlijsten() const { return m_mislukteBoomlijsten; }
    // Stops the running transfer as soon as possible (at shutdown).
    void afbreken();

Q_SIGNALS:
    // Bytes done and total of the running transfer, at most ten times a second.
    void voortgang(qint64 gedaan, qint64 totaal);
    void bezigGewijzigd(bool bezig);

private:
    struct Uitkomst;
    struct Opdracht;
    Uitkomst voer(const Opdracht& opdracht);
    Uitkomst voerEens(const Opdracht& opdracht);
    bool lijst(const QString& mapPad, std::vector<FtpEntry>& uit);
    bool quote(const QStringList& commandos, long verwachtMin, long verwachtMax);
    void boom(QStringList& mappen, QStringList& bestanden, const QString& start, qint64& totaal,
              QList<qint64>* groottes, int diepte);

    std::unique_ptr<CurlWerker> m_werker;
    bool m_internetHandle = false;
    bool m_verbindingsHandle = false;
    bool m_bezig = false;
    bool m_mlsd = false;
    int m_mislukteBoomlijsten = 0;
};

} // namespace Vamox
