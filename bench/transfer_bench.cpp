// Driver of the transfer benchmarks: runs the program's own planners and transfer queue against a
// server and prints what it measured as "key=value" words on one line. bench/*.sh start the
// server, make the data, run the reference tool and compare.
//
//   transfer_bench download        HOST PORT SERVERFILE LOCALFOLDER [CONNECTIONS] (DownloadenPlannen)
//   transfer_bench upload          HOST PORT LOCALFILE SERVERFOLDER [CONNECTIONS] (UploadenPlannen)
//   transfer_bench folder-download HOST PORT SERVERFOLDER LOCALFOLDER [CONNECTIONS]
//                                                                     (FtpBoomLezen, MapDownloadenPlannen)
//   transfer_bench folder-upload   HOST PORT LOCALFOLDER SERVERFOLDER [CONNECTIONS]
//                                                                     (LokaleMapScannen, MapUploadenPlannen)
//   transfer_bench many-runs       HOST PORT SERVERFOLDER LOCALFOLDER (every file of the folder a run
//                                                                      of its own, one after the other)
//   transfer_bench browse          HOST PORT SERVERFILE LISTFOLDER LOCALFOLDER
//                                  (ServermapLezen of LISTFOLDER on the panes' session, idle and while
//                                   the queue downloads SERVERFILE, with a timer running throughout)
// Every mode hands its plan to the transfer queue (Wachtrij), whose connections move the files; the
// folder modes, download and upload over CONNECTIONS of them, by default as many as the program's
// setting gives without a configuration line.
//   transfer_bench download-tls    HOST PORT SERVERFILE LOCALFOLDER   (download over TLS only; the
//                                                                      server's certificate is trusted)
//   transfer_bench ui-stall        HOST PORT SERVERFILE LOCALFOLDER   (download with a timer running)
//   transfer_bench ui-idle         MILLISECONDS
// Login is anonymous; with BENCH_SFTP_KEYS (a folder with id_ed25519) and BENCH_SFTP_KNOWN_HOSTS set,
// every mode logs in over SFTP as the user running it instead (sftp-download, sftp-folder-download).
// Every overwrite question is answered "Ja" and counted: the targets start
// empty, so a question is a fault of the run and counts as failed.

#include "config/Configuratie.h"
#include "ftp/FtpSession.h"
#include "transfer/Overdracht.h"
#include "transfer/Wachtrij.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace Vamox;

namespace {

int Fout(const char* tekst)
{
    std::fprintf(stderr, "transfer_bench: %s\n", tekst);
    return 1;
}

bool tlsAlleen = false;

bool Verbind(FtpSession& sessie, const QString& host, const QString& poort)
{
    // The certificate question is answered "Ja" once, as a user would; the pin then holds.
    static QTemporaryDir bekend;
    struct Ja final : Aanmeldvragen
    {
        bool CertificaatVertrouwen(const CertificaatInfo&) override { return true; }
    };
    static Ja ja;
    Vertrouwensplaatsen plaatsen = sessie.plaatsen();
    if (tlsAlleen) {
        plaatsen.certificaten = bekend.filePath(QStringLiteral("certificaten"));
        sessie.ZetVragen(&ja);
    }
    if (qEnvironmentVariableIsSet("BENCH_SFTP_KEYS")) {
        plaatsen.sleutelMap = qEnvironmentVariable("BENCH_SFTP_KEYS");
        plaatsen.bekendeHosts = qEnvironmentVariable("BENCH_SFTP_KNOWN_HOSTS");
    }
    sessie.ZetPlaatsen(plaatsen);
    if (qEnvironmentVariableIsSet("BENCH_SFTP_KEYS")) {
        return sessie.FtpVerbindingOpenen({.host = host,
                                           .gebruiker = qEnvironmentVariable("USER", QStringLiteral("root")),
                                           .poort = quint16(poort.toUInt()),
                                           .protocol = Protocol::Sftp});
    }
    return sessie.FtpVerbindingOpenen({host, QStringLiteral("anonymous"), QStringLiteral("bench@example.org"),
                                       quint16(poort.toUInt()),
                                       tlsAlleen ? TlsKeuze::Alleen : TlsKeuze::IndienBeschikbaar});
}

class Ja final : public Overdrachtsvragen
{
public:
    Overschrijfantwoord Overschrijven(const Overschrijving&) override
    {
        ++gesteld;
        return Overschrijfantwoord::Ja;
    }
    qint64 gesteld = 0;
};

int Meld(const QElapsedTimer& t, const Overdrachtsresultaat& r, qint64 bestanden, const Ja& vragen)
{
    const qint64 mislukt = r.mislukt + r.mislukteMappen + vragen.gesteld + (r.gestopt ? 1 : 0);
    std::printf("seconds=%.6f bytes=%lld files=%lld failed=%lld\n", double(t.nsecsElapsed()) / 1e9,
                static_cast<long long>(r.bytes), static_cast<long long>(bestanden),
                static_cast<long long>(mislukt));
    return mislukt == 0 && r.gedaan == bestanden ? 0 : 1;
}

// A 10 ms timer that records how late each tick comes; the window's event loop would be late alike.
class Stiptheid final
{
public:
    Stiptheid()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 nu = m_klok.nsecsElapsed();
            m_maxMs = std::max(m_maxMs, double(nu - m_vorige) / 1e6 - 10.0);
            m_vorige = nu;
            ++m_ticks;
        });
    }
    void start()
    {
        m_klok.start();
        m_vorige = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    double maxMs() const { return m_maxMs; }
    qint64 ticks() const { return m_ticks; }

private:
    QTimer m_timer;
    QElapsedTimer m_klok;
    qint64 m_vorige = 0;
    double m_maxMs = 0;
    qint64 m_ticks = 0;
};

int Verbindingen(const QStringList& a)
{
    return a.size() > 4 ? VerbindingenBegrenzen(a[4].toInt()) : VerbindingenBegrenzen(std::nullopt);
}

// The window's parts that a transfer needs: the panes' session and the queue beside it.
struct Venster
{
    FtpSession sessie;
    Wachtrij wachtrij{sessie};
};

Overdrachtsresultaat Uitvoeren(Wachtrij& wachtrij, Overdrachtsplan plan)
{
    return wachtrij.Wachten(wachtrij.Toevoegen(std::move(plan)));
}

// Timed from the login on, like the reference tool's run. The size is not passed: the pane's
// listing is not part of the run.
int Download(const QStringList& a, Stiptheid* stiptheid)
{
    QElapsedTimer t;
    t.start();
    Venster v;
    if (!Verbind(v.sessie, a[0], a[1])) return Fout("no login");
    v.wachtrij.ZetVerbindingen(Verbindingen(a));
    Ja vragen;
    if (stiptheid) stiptheid->start();
    const Overdrachtsresultaat r =
        Uitvoeren(v.wachtrij, DownloadenPlannen({Serverbestand{a[2]}}, a[3], &vragen));
    if (stiptheid) stiptheid->stop();
    const int uit = Meld(t, r, 1, vragen);
    if (stiptheid)
        std::printf("max_late_ms=%.3f ticks=%lld\n", stiptheid->maxMs(),
                    static_cast<long long>(stiptheid->ticks()));
    return uit;
}

int Upload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    Venster v;
    if (!Verbind(v.sessie, a[0], a[1])) return Fout("no login");
    v.wachtrij.ZetVerbindingen(Verbindingen(a));
    Ja vragen;
    const Overdrachtsresultaat r =
        Uitvoeren(v.wachtrij, UploadenPlannen(v.sessie, QStringList{a[2]}, a[3], &vragen));
    return Meld(t, r, 1, vragen);
}

int MapDownload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    Venster v;
    if (!Verbind(v.sessie, a[0], a[1])) return Fout("no login");
    v.wachtrij.ZetVerbindingen(Verbindingen(a));
    Ja vragen;
    const FtpBoom boom = v.sessie.FtpBoomLezen(a[2]);
    const Overdrachtsresultaat r = Uitvoeren(v.wachtrij, MapDownloadenPlannen(a[2], boom, a[3], vragen));
    return Meld(t, r, qint64(boom.bestanden.size()), vragen);
}

int MapUpload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    Venster v;
    if (!Verbind(v.sessie, a[0], a[1])) return Fout("no login");
    v.wachtrij.ZetVerbindingen(Verbindingen(a));
    Ja vragen;
    const LokaleBoom boom = LokaleMapScannen(a[2]);
    const Overdrachtsresultaat r = Uitvoeren(v.wachtrij, MapUploadenPlannen(v.sessie, boom, a[3], vragen));
    return Meld(t, r, boom.bestanden.size(), vragen);
}

// The files of a folder fetched one run at a time, as a user who downloads them one by one: the
// queue's connection stays logged in between the runs. The listing is not timed.
int VeleRondes(const QStringList& a)
{
    Venster v;
    if (!Verbind(v.sessie, a[0], a[1])) return Fout("no login");
    const auto lijst = v.sessie.FtpMapLezen(a[2]);
    if (!lijst) return Fout("no listing");
    QElapsedTimer t;
    t.start();
    Overdrachtsresultaat samen;
    Ja vragen;
    QString map = a[2];
    if (!map.endsWith(u'/')) map += u'/';
    qint64 bestanden = 0;
    for (const FtpEntry& e : *lijst) {
        if (e.isMap) continue;
        ++bestanden;
        const Overdrachtsresultaat r =
            Uitvoeren(v.wachtrij, DownloadenPlannen({{map + e.naam, e.grootte, e.naam}}, a[3], &vragen));
        samen.gedaan += r.gedaan;
        samen.mislukt += r.mislukt;
        samen.bytes += r.bytes;
    }
    return Meld(t, samen, bestanden, vragen);
}

// The best of three listings of `map` on the panes' session, in seconds; -1 when one failed.
double Lijsten(FtpSession& sessie, const QString& map, qint64& rijen)
{
    double beste = -1;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        const std::optional<Mapinhoud> inhoud = sessie.ServermapLezen(map);
        const double s = double(t.nsecsElapsed()) / 1e9;
        if (!inhoud) return -1;
        rijen = qint64(inhoud->bestanden.size());
        if (beste < 0 || s < beste) beste = s;
    }
    return beste;
}

// A folder listed by the panes' session while the queue moves a large file on a connection of
// its own, against the same listing with nothing else going on.
int Bladeren(const QStringList& a)
{
    Venster v;
    if (!Verbind(v.sessie, a[0], a[1])) return Fout("no login");
    qint64 rijen = 0;
    const double stil = Lijsten(v.sessie, a[3], rijen);
    if (stil < 0) return Fout("no listing");
    Stiptheid stiptheid;
    stiptheid.start();
    Ja vragen;
    const quint64 ronde = v.wachtrij.Toevoegen(DownloadenPlannen({Serverbestand{a[2]}}, a[4], &vragen));
    while (v.wachtrij.Stand().lopend == 0 && v.wachtrij.Bezig())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double bezig = Lijsten(v.sessie, a[3], rijen);
    // The listings must have been made while the file came in.
    const bool tijdens = v.wachtrij.Bezig();
    const Overdrachtsresultaat r = v.wachtrij.Wachten(ronde);
    stiptheid.stop();
    std::printf("idle_s=%.6f busy_s=%.6f rows=%lld during=%d max_late_ms=%.3f ticks=%lld failed=%lld\n", stil,
                bezig, static_cast<long long>(rijen), tijdens ? 1 : 0, stiptheid.maxMs(),
                static_cast<long long>(stiptheid.ticks()),
                static_cast<long long>(r.mislukt + vragen.gesteld));
    return bezig > 0 && tijdens && r.gedaan == 1 ? 0 : 1;
}

int Stil(qint64 ms)
{
    Stiptheid stiptheid;
    stiptheid.start();
    QTimer::singleShot(int(ms), qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    stiptheid.stop();
    std::printf("max_late_ms=%.3f ticks=%lld\n", stiptheid.maxMs(),
                static_cast<long long>(stiptheid.ticks()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return Fout("usage: transfer_bench MODE ARGS (see the source)");
    const QString modus = args.takeFirst();
    if (modus == QLatin1String("ui-idle") && args.size() == 1) return Stil(args[0].toLongLong());
    if (modus == QLatin1String("folder-download") && args.size() == 5) return MapDownload(args);
    if (modus == QLatin1String("folder-upload") && args.size() == 5) return MapUpload(args);
    if (modus == QLatin1String("browse") && args.size() == 5) return Bladeren(args);
    if (modus == QLatin1String("download") && args.size() == 5) return Download(args, nullptr);
    if (modus == QLatin1String("upload") && args.size() == 5) return Upload(args);
    if (args.size() != 4) return Fout("wrong number of arguments");
    if (modus == QLatin1String("download")) return Download(args, nullptr);
    if (modus == QLatin1String("download-tls")) {
        tlsAlleen = true;
        return Download(args, nullptr);
    }
    if (modus == QLatin1String("upload")) return Upload(args);
    if (modus == QLatin1String("many-runs")) return VeleRondes(args);
    if (modus == QLatin1String("folder-download")) return MapDownload(args);
    if (modus == QLatin1String("folder-upload")) return MapUpload(args);
    if (modus == QLatin1String("ui-stall")) {
        Stiptheid stiptheid;
        return Download(args, &stiptheid);
    }
    return Fout("unknown mode");
}
