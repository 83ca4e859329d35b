#pragma once

#include "transfer/Klus.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtVoortgang.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>
#include <map>
#include <vector>

namespace Vamox {

class FtpSession;
class Lokaalwerker;
class Verbindingenpool;

// How a run goes through the queue.
struct Rondeopties
{
    bool voorrang = false;  // before the jobs that wait: somebody waits for these files
    bool tweetraps = false; // the first Escape lets the running files finish, the second stops them
    QString bijschrift;     // what the window's caption says while the run goes on
};

// The transfer queue: every file the program moves, between the disk and the server or on either
// side, is a job here. Flows hand it a plan (a run of jobs) and learn of the run's end through a
// callback; the jobs run over the connections of its Verbindingenpool, several at once, in the
// order they came (a run with voorrang goes before what waits), and copies on the disk on its
// Lokaalwerker. It keeps the jobs of the runs since the list was
// last cleared, for the transfer list, and counts the progress of everything under way.
//
// Lives on the window's thread; every signal and callback comes there.
class Wachtrij final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Wachtrij)

public:
    using Afgerond = std::function<void(const Overdrachtsresultaat&)>;
    using Opties = Rondeopties;
    // Finished jobs the list keeps beyond those of runs still under way.
    static constexpr qsizetype MaxAfgehandeld = 5000;

    // The connections log in as `panelen` is logged in.
    explicit Wachtrij(FtpSession& panelen, QObject* parent = nullptr);
    ~Wachtrij() override;

    Verbindingenpool& pool() { return *m_pool; }

    // Files move over this many connections at once (1..8).
    void ZetVerbindingen(int verbindingen);

    // Queues the plan's jobs as one run; `afgerond` gets its result once every job is handled
    // (at once for a plan without a job to move). The run's number.
    quint64 Toevoegen(Overdrachtsplan plan, Afgerond afgerond = {}, Opties opties = {});

    // Keeps the event loop turning until the run has ended, for a caller that cannot go on
    // without its files (opening, dragging out); its result.
    Overdrachtsresultaat Wachten(quint64 ronde);
    // The same for one job; its state then.
    Klus::Staat WachtenOpKlus(quint64 id);

    // Whether a job waits or runs.
    bool Bezig() const { return m_open > 0; }
    // Whether nothing waits or runs and every run's end has been told.
    bool Stil() const { return m_open == 0 && m_teMelden == 0; }
    // Whether a caller waits for its files (Wachten): the window takes no input meanwhile.
    bool WachtIemand() const { return m_wachters > 0; }
    // Transfers in the background: the window stays usable while files move (a setting of the
    // user's, kept here so that every flow that hands over jobs can read it).
    bool Achtergrond() const { return m_achtergrond; }
    void ZetAchtergrond(bool aan);
    // Whether the jobs run on the panes' session, which is then busy too.
    bool DeeltSessie() const;

    // Escape: a run of `tweetraps` stops handing out files, the files running finish; otherwise
    // (or the second time) the same as Stoppen.
    void Escape();
    // Cancels every job that waits or runs.
    void Stoppen();
    // Cancels the jobs of one run, or one job, that wait or run.
    void RondeStoppen(quint64 ronde);
    void KlusStoppen(quint64 id);
    // Queues the failed jobs again, as a run of their own.
    quint64 MisluktenOpnieuw();
    // Forgets the jobs that are handled; those that wait or run stay.
    void LijstWissen();
    // Logs the connections out (a disconnect, another server). Stops what waits or runs first.
    void Sluiten();

    // The caption of the oldest run under way that has one.
    QString Bijschrift() const;

    const std::vector<Klus>& Klussen() const { return m_klussen; }
    // The job with this number, or nothing when the list no longer has it.
    const Klus* KlusMet(quint64 id) const;
    VoortgangStand Stand() const;
    // Whether a job that waits or runs reads or writes below this server folder ("/a/b") or this
    // local folder: the folder must not be deleted or renamed meanwhile.
    bool ServermapInGebruik(const QString& map) const;
    bool LokalemapInGebruik(const QString& map) const;

Q_SIGNALS:
    void bezigGewijzigd(bool bezig);
    void wachtenGewijzigd(bool wacht);
    void achtergrondGewijzigd(bool aan);
    // Jobs `eerste`..`laatste` (places in Klussen) were added.
    void klussenToegevoegd(int eerste, int laatste);
    // The job at place `index` changed state (its bytes are read from Klussen whenever wanted).
    void klusGewijzigd(int index);
    // Klussen changed as a whole (cleared).
    void lijstVernieuwd();
    void rondeAfgerond(quint64 ronde, const Vamox::Overdrachtsresultaat& resultaat);

private:
    struct Ronde
    {
        std::vector<quint64> klussen;
        qint64 open = 0;
        Opties opties;
        Afgerond afgerond;
        Overdrachtsresultaat r;
        std::map<qint64, QString> verplaatst; // names in run order
        bool escape = false;
    };
    Klus* klus(quint64 id);
    void geven(const std::vector<quint64>& ids, bool voorrang);
    // To the pool, or to the Lokaalwerker for what stays on the disk.
    void uitgeven(const Klus& k, bool voorrang);
    void afbreken(const QSet<quint64>& ids);
    void gestart(quint64 id, int verbinding);
    void voortgang(quint64 id, qint64 gedaan);
    void klaar(quint64 id, bool gelukt, bool verbroken, bool afgebroken, qint64 bytes, const QString& fout);
    void afhandelen(Klus& k, Klus::Staat staat);
    void stoppen(const std::function<bool(const Klus&)>& welke, bool ookLopend);
    void rondeAfronden(quint64 ronde);
    void melden(quint64 ronde, const Overdrachtsresultaat& r, Afgerond afgerond);
    void bezigZetten();
    // Runs an event loop until `klaar`, re-checked whenever `signaal` comes.
    template <typename Signaal> void wachtenTot(Signaal signaal, const std::function<bool()>& klaar);
    void inkorten();

    FtpSession& m_panelen;
    Verbindingenpool* m_pool;
    Lokaalwerker* m_lokaal;
    std::vector<Klus> m_klussen;
    QHash<quint64, qsizetype> m_plek; // id -> place in m_klussen
    std::map<quint64, Ronde> m_rondes; // runs not yet ended
    std::map<quint64, Overdrachtsresultaat> m_uitslagen; // ended runs somebody may wait for
    QSet<quint64> m_opnieuw;     // jobs handed out again after their connection broke
    QSet<quint64> m_teAnnuleren; // stopped while a connection took them or ran them
    quint64 m_volgendeKlus = 1;
    quint64 m_volgendeRonde = 1;
    qint64 m_open = 0; // jobs waiting or running
    bool m_bezig = false;
    bool m_achtergrond = false;
    int m_wachters = 0;
    int m_teMelden = 0; // ended runs whose callback is still to come
    OverdrachtVoortgang m_voortgang;
    qint64 m_mislukt = 0;
    qint64 m_overgeslagen = 0;
};

} // namespace Vamox
