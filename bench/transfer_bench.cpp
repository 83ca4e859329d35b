// Driver of the transfer benchmarks: runs the program's own transfer flows against a server and
// prints what it measured as "key=value" words on one line. bench/*.sh start the server, make
// the data, run the reference tool and compare.
//
//   transfer_bench download        HOST PORT SERVERFILE LOCALFOLDER   (BestandenDownloaden)
//   transfer_bench upload          HOST PORT LOCALFILE SERVERFOLDER   (BestandenUploaden)
//   transfer_bench folder-download HOST PORT SERVERFOLDER LOCALFOLDER [CONNECTIONS]
//                                                                     (FtpBoomLezen, MapDownloaden)
//   transfer_bench folder-upload   HOST PORT LOCALFOLDER SERVERFOLDER [CONNECTIONS]
//                                                                     (LokaleMapScannen, MapUploaden)
// The folder modes move their files over CONNECTIONS sessions, by default as many as the
// program's setting gives without a configuration line.
//   transfer_bench download-tls    HOST PORT SERVERFILE LOCALFOLDER   (download over TLS only; the
//                                                                      server's certificate is trusted)
//   transfer_bench ui-stall        HOST PORT SERVERFILE LOCALFOLDER   (download with a timer running)
//   transfer_bench ui-idle         MILLISECONDS
// Login is anonymous. Every overwrite question is answered "Ja" and counted: the targets start
// empty, so a question is a fault of the run and counts as failed.

#include "config/Configuratie.h"
#include "ftp/FtpSession.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtVoortgang.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
    if (tlsAlleen) {
        sessie.bekendeCertificatenPad = bekend.filePath(QStringLiteral("certificaten"));
        sessie.certificaatVertrouwen = [](const CertificaatInfo&) { return true; };
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

// Feeds the run and the session's byte counts to the counters of a progress display, as the
// window's display does; nothing is drawn.
class Voortgang final : public Voortgangsmelder
{
public:
    explicit Voortgang(FtpSession& sessie)
    {
        QObject::connect(&sessie, &FtpSession::voortgang,
                         [this](qint64 gedaan, qint64 totaal) { Sessie(gedaan, totaal); });
    }
    void Begin(qint64 bestanden, qint64 bytes) override
    {
        m_voortgang.begin(bestanden, bytes);
        m_inBestand = false;
    }
    void BestandBegint(const QString& naam, qint64 grootte) override
    {
        m_naam = naam;
        m_verschuiving = 0;
        m_grootteBekend = grootte >= 0;
        m_inBestand = true;
        m_voortgang.bestandBegint(naam, grootte);
    }
    void TweedeDeel(qint64 gedaan) override
    {
        if (!m_inBestand) return;
        m_verschuiving = gedaan;
        m_voortgang.bestandVoortgang(gedaan);
    }
    void BestandKlaar() override
    {
        if (!m_inBestand) return;
        m_inBestand = false;
        m_voortgang.bestandKlaar();
    }

private:
    void Sessie(qint64 gedaan, qint64 totaal)
    {
        if (!m_inBestand) return;
        if (!m_grootteBekend && totaal > 0) {
            m_grootteBekend = true;
            m_voortgang.bestandBegint(m_naam, totaal + m_verschuiving);
        }
        m_voortgang.bestandVoortgang(m_verschuiving + gedaan);
    }

    OverdrachtVoortgang m_voortgang;
    QString m_naam;
    bool m_inBestand = false;
    bool m_grootteBekend = false;
    qint64 m_verschuiving = 0;
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

// Timed from the login on, like the reference tool's run. The size is not passed: the pane's
// listing is not part of the run.
int Download(const QStringList& a, Stiptheid* stiptheid)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    Ja vragen;
    Voortgang voortgang(sessie);
    if (stiptheid) stiptheid->start();
    const Overdrachtsresultaat r =
        BestandenDownloaden(sessie, {Serverbestand{a[2]}}, a[3], &vragen, voortgang);
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
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    Ja vragen;
    Voortgang voortgang(sessie);
    const Overdrachtsresultaat r = BestandenUploaden(sessie, QStringList{a[2]}, a[3], &vragen, voortgang);
    return Meld(t, r, 1, vragen);
}

int Verbindingen(const QStringList& a)
{
    return a.size() > 4 ? VerbindingenBegrenzen(a[4].toInt()) : VerbindingenBegrenzen(std::nullopt);
}

int MapDownload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    Ja vragen;
    Voortgang voortgang(sessie);
    const FtpBoom boom = sessie.FtpBoomLezen(a[2]);
    const Overdrachtsresultaat r = MapDownloaden(sessie, a[2], boom, a[3], vragen, voortgang, {}, Verbindingen(a));
    return Meld(t, r, qint64(boom.bestanden.size()), vragen);
}

int MapUpload(const QStringList& a)
{
    QElapsedTimer t;
    t.start();
    FtpSession sessie;
    if (!Verbind(sessie, a[0], a[1])) return Fout("no login");
    Ja vragen;
    Voortgang voortgang(sessie);
    const LokaleBoom boom = LokaleMapScannen(a[2]);
    const Overdrachtsresultaat r = MapUploaden(sessie, boom, a[3], vragen, voortgang, Verbindingen(a));
    return Meld(t, r, boom.bestanden.size(), vragen);
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
    if (args.size() != 4) return Fout("wrong number of arguments");
    if (modus == QLatin1String("download")) return Download(args, nullptr);
    if (modus == QLatin1String("download-tls")) {
        tlsAlleen = true;
        return Download(args, nullptr);
    }
    if (modus == QLatin1String("upload")) return Upload(args);
    if (modus == QLatin1String("folder-download")) return MapDownload(args);
    if (modus == QLatin1String("folder-upload")) return MapUpload(args);
    if (modus == QLatin1String("ui-stall")) {
        Stiptheid stiptheid;
        return Download(args, &stiptheid);
    }
    return Fout("unknown mode");
}
