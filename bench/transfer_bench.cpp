// Driver of the transfer benchmarks: runs the program's own transfer code against a server and
// prints what it measured as "key=value" words on one line. bench/*.sh start the server, make
// the data, run the reference tool and compare.
//
//   transfer_bench download        HOST PORT SERVERPATH LOCALPATH
//   transfer_bench upload          HOST PORT LOCALPATH SERVERPATH
//   transfer_bench folder-download HOST PORT SERVERFOLDER LOCALFOLDER
//   transfer_bench folder-upload   HOST PORT LOCALFOLDER SERVERFOLDER
//   transfer_bench ui-stall        HOST PORT SERVERPATH LOCALPATH
//   transfer_bench ui-idle         MILLISECONDS
// Login is anonymous.

#include "ftp/FtpPaden.h"
#include "ftp/FtpSession.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/OverdrachtVoortgang.h"
#include "transfer/ZoekBestanden.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace Vamox;

namespace {

int Fout(const char* tekst)
{
    std::fprintf(stderr, "transfer_bench: %s\n", tekst);
    return 1;
}

bool Verbind(FtpSession& sessie, const QString& host, const QString& poort)
{
    sessie.poort = quint16(poort.toUInt());
    return sessie.FtpVerbindingOpenen(host, QStringLiteral("anonymous"), QStringLiteral("bench@example.org"),
                                      QStringLiteral("bench"));
}

void Meld(double seconden, qint64 bytes, qint64 bestanden, qint64 mislukt)
{
    std::printf("seconds=%.6f bytes=%lld files=%lld failed=%lld\n", seconden, static_cast<long long>(bytes),
                static_cast<long long>(bestanden), static_cast<long long>(mislukt));
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

// Timed from the login on, like the reference tool's run.
int Download(const QStringList& a, Stiptheid* stiptheid)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    // The window follows the progress signal; so does the benchmark.
    OverdrachtVoortgang voortgang;
    QObject::connect(&sessie, &FtpSession::voortgang,
                     [&](qint64 gedaan, qint64) { voortgang.bestandVoortgang(gedaan); });
    voortgang.begin(1, -1);
    voortgang.bestandBegint(a[2], -1);
    if (stiptheid) stiptheid->start();
    const bool gelukt = sessie.FtpBestandHalen(a[3], a[2]);
    if (stiptheid) stiptheid->stop();
    const double s = double(t.nsecsElapsed()) / 1e9;
    Meld(s, QFileInfo(a[3]).size(), 1, gelukt ? 0 : 1);
    if (stiptheid)
        std::printf("max_late_ms=%.3f ticks=%lld\n", stiptheid->maxMs(),
                    static_cast<long long>(stiptheid->ticks()));
    return gelukt ? 0 : 1;
}

int Upload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    const bool gelukt = sessie.FtpBestandPlaatsen(a[2], a[3]);
    Meld(double(t.nsecsElapsed()) / 1e9, QFileInfo(a[2]).size(), 1, gelukt ? 0 : 1);
    return gelukt ? 0 : 1;
}

// The per-file work of the folder download: one tree walk, folders made, one fetch per file.
int MapDownload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    const QString serverMap = a[2];
    const QString lokaleMap = a[3];
    QStringList mappen{serverMap};
    QStringList bestanden;
    QList<qint64> groottes;
    qint64 totaal = 0;
    sessie.FtpBoomLezen(mappen, bestanden, serverMap, totaal, &groottes);
    TabelSorteren(mappen, false);
    for (const QString& m : std::as_const(mappen))
        QDir().mkpath(NaarLokaalPad(serverMap, m, lokaleMap));
    OverdrachtVoortgang voortgang;
    QObject::connect(&sessie, &FtpSession::voortgang,
                     [&](qint64 gedaan, qint64) { voortgang.bestandVoortgang(gedaan); });
    voortgang.begin(bestanden.size(), totaal);
    qint64 mislukt = 0;
    qint64 bytes = 0;
    for (qsizetype i = 0; i < bestanden.size(); ++i) {
        const QString& b = bestanden.at(i);
        const QString lokaal = NaarLokaalPad(serverMap, b, lokaleMap);
        voortgang.bestandBegint(b, groottes.at(i));
        if (lokaal.isEmpty() || QFileInfo::exists(lokaal) || !sessie.FtpBestandHalen(lokaal, b, groottes.at(i)))
            ++mislukt;
        else
            bytes += QFileInfo(lokaal).size();
        voortgang.bestandKlaar();
    }
    Meld(double(t.nsecsElapsed()) / 1e9, bytes, bestanden.size(), mislukt + sessie.mislukteBoomlijsten());
    return mislukt == 0 ? 0 : 1;
}

// The per-file work of the folder upload: one local walk, one MKD per folder, then per file the
// overwrite probe and the upload.
int MapUpload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    const QString lokaleMap = a[2];
    const QString serverMap = a[3];
    QStringList mappen;
    QStringList bestanden;
    qint64 totaal = 0;
    ZoekBestanden(mappen, bestanden, lokaleMap, QStringLiteral("*"), true, false, {}, &totaal);
    TabelSorteren(mappen, false);
    qint64 mislukt = 0;
    QSet<QString> nieuweMappen; // made by this run, so empty: no overwrite probe for their files
    for (const QString& m : mappen.mid(1)) {
        const QString doel = NaarServerpad(lokaleMap, m, serverMap);
        if (sessie.FtpMapMaken(doel))
            nieuweMappen.insert(doel);
        else
            ++mislukt;
    }
    OverdrachtVoortgang voortgang;
    QObject::connect(&sessie, &FtpSession::voortgang,
                     [&](qint64 gedaan, qint64) { voortgang.bestandVoortgang(gedaan); });
    voortgang.begin(bestanden.size() - 1, totaal);
    qint64 bytes = 0;
    qint64 gevraagd = 0;
    for (const QString& b : bestanden.mid(1)) {
        const QString server = NaarServerpad(lokaleMap, b, serverMap);
        voortgang.bestandBegint(b, QFileInfo(b).size());
        if (server.isEmpty()) {
            ++mislukt;
        } else {
            // The window would ask here; the target starts empty, so a hit is a fault of the run.
            if (!nieuweMappen.contains(server.left(server.lastIndexOf(u'/'))) && sessie.FtpMapPeilen(server) > 0)
                ++gevraagd;
            if (sessie.FtpBestandPlaatsen(b, server))
                bytes += QFileInfo(b).size();
            else
                ++mislukt;
        }
        voortgang.bestandKlaar();
    }
    Meld(double(t.nsecsElapsed()) / 1e9, bytes, bestanden.size() - 1, mislukt + gevraagd);
    return mislukt == 0 ? 0 : 1;
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
    if (args.size() != 4) return Fout("wrong number of arguments");
    if (modus == QLatin1String("download")) return Download(args, nullptr);
    if (modus == QLatin1String("upload")) return Upload(args);
    if (modus == QLatin1String("folder-download")) return MapDownload(args);
    if (modus == QLatin1String("folder-upload")) return MapUpload(args);
    if (modus == QLatin1String("ui-stall")) {
        Stiptheid stiptheid;
        return Download(args, &stiptheid);
    }
    return Fout("unknown mode");
}
