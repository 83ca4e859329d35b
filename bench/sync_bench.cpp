// Driver of the synchronise benchmarks: walks a local and a server tree as the window's
// "Synchroniseren…" does (direction "Naar lokaal", newer files) and prints what it measured as
// "key=value" words on one line. bench/sync-plan.sh and bench/sync-run.sh start the server, make
// the trees, run the reference tool and compare.
//
//   sync_bench plan HOST PORT LOCALROOT SERVERROOT [CONNECTIONS]   until the checklist is complete
//   sync_bench run  HOST PORT LOCALROOT SERVERROOT [CONNECTIONS]   the checklist, then its run
//                                                                  through the transfer queue
// Login is anonymous. CONNECTIONS (default 4) is both the walk's and the queue's.

#include "ftp/FtpSession.h"
#include "transfer/Wachtrij.h"
#include "vergelijken/Synchronisatieuitvoering.h"
#include "vergelijken/Synchronisatiewandeling.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>

using namespace Vamox;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 6 || (a[1] != u"plan" && a[1] != u"run")) {
        std::fprintf(stderr, "usage: sync_bench plan|run HOST PORT LOCALROOT SERVERROOT [CONNECTIONS]\n");
        return 2;
    }
    const int verbindingen = a.size() > 6 ? a[6].toInt() : 4;
    FtpSession sessie;
    if (!sessie.FtpVerbindingOpenen({a[2], QStringLiteral("anonymous"), QStringLiteral("bench@example.org"),
                                     quint16(a[3].toUInt())})) {
        std::fprintf(stderr, "sync_bench: no login\n");
        return 1;
    }
    const Syncpaar paar{a[4], a[5]};
    QElapsedTimer klok;
    klok.start();
    std::vector<Syncregel> regels;
    std::optional<Synchronisatiewandeling::Einde> einde;
    qint64 mappen = 0, bestanden = 0;
    {
        Synchronisatiewandeling w(sessie.aanmelding(), paar, {.richting = Syncrichting::NaarLokaal}, {},
                                  std::nullopt, verbindingen);
        QEventLoop lus;
        QObject::connect(&w, &Synchronisatiewandeling::regels, [&](const std::vector<Syncregel>& deel) {
            regels.insert(regels.end(), deel.begin(), deel.end());
        });
        QObject::connect(&w, &Synchronisatiewandeling::voortgang, [&](qint64 m, qint64 b) {
            mappen = m;
            bestanden = b;
        });
        QObject::connect(&w, &Synchronisatiewandeling::klaar, [&](const Synchronisatiewandeling::Einde& e) {
            einde = e;
            lus.quit();
        });
        w.Starten();
        lus.exec();
    }
    const double planS = double(klok.nsecsElapsed()) / 1e9;
    if (a[1] == u"plan") {
        std::printf("seconds=%.6f rows=%zu folders=%lld files=%lld failed=%d\n", planS, regels.size(),
                    static_cast<long long>(mappen), static_cast<long long>(bestanden), einde->mislukteMappen);
        return einde->volledig ? 0 : 1;
    }
    Wachtrij wachtrij(sessie);
    wachtrij.ZetVerbindingen(verbindingen);
    QTemporaryDir staat;
    Synchronisatieuitvoering u(wachtrij, paar, staat.filePath(QStringLiteral("staat")), einde->staat);
    Overdrachtsresultaat r;
    QEventLoop lus;
    QObject::connect(&u, &Synchronisatieuitvoering::klaar, [&](const Overdrachtsresultaat& x) {
        r = x;
        lus.quit();
    });
    u.Starten(regels);
    if (u.Bezig()) lus.exec();
    const double s = double(klok.nsecsElapsed()) / 1e9;
    std::printf("seconds=%.6f plan=%.6f rows=%zu files=%lld failed=%lld\n", s, planS, regels.size(),
                static_cast<long long>(r.gedaan), static_cast<long long>(r.mislukt));
    return r.mislukt == 0 ? 0 : 1;
}
