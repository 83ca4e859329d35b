// Fills the panes of an offscreen main window and prints the best time of each fill.
// Usage:
//   listing_bench server <port> <server folder> <local folder> [repeats]
//     ours = a fresh login plus LijstVullenFtp of the folder (rows in the list), best of the
//     repeats; then the local pane shows the local folder too ("-": none) and the resident
//     memory is read.
//   listing_bench local <folder> [repeats]
//     ours = LijstVullenLokaal of the folder, best of the repeats.
// The server is pyftpdlib with the test fixture's login (vamox / geheim) on 127.0.0.1.

#include "dialogs/DialoogSeam.h"
#include "mainwindow/FrmFtp.h"
#include "panes/gui/LijstModel.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

using namespace Vamox;

namespace {

// Resident memory of this process in MB (10^6 bytes), from /proc/self/status.
double RssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& regel : f.readAll().split('\n'))
        if (regel.startsWith("VmRSS:"))
            return regel.mid(6).trimmed().split(' ').value(0).toDouble() * 1024 / 1e6;
    return -1;
}

void Afwerken()
{
    // Let the views lay out and paint what the fill gave them.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

int Mislukt(const char* wat, const DialoogOpnemer& vragen)
{
    std::fprintf(stderr, "%s failed", wat);
    if (!vragen.Vragen().empty())
        std::fprintf(stderr, ": %s", qPrintable(vragen.Vragen().back().opties.Tekst));
    std::fprintf(stderr, "\n");
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool server = args.value(1) == QLatin1String("server") && args.size() >= 5;
    const bool lokaal = args.value(1) == QLatin1String("local") && args.size() >= 3;
    if (!server && !lokaal) {
        std::fprintf(stderr,
                     "usage: %s server <port> <server folder> <local folder> [repeats]\n"
                     "       %s local <folder> [repeats]\n",
                     argv[0], argv[0]);
        return 2;
    }
    const int herhalingen = std::max(1, args.value(server ? 5 : 3).toInt());

    DialoogOpnemer vragen; // a notice would mean the fill failed; nothing waits for a click
    FrmFtp venster;        // not started: no configuration file is read, the lists fill when asked
    Toestand& t = venster.toestand();
    t.VullenToegestaan = true;
    venster.show();
    Afwerken();
    FtpSession& s = t.sessie;
    double beste = 1e9;

    if (server) {
        const FtpGegevens gegevens{QStringLiteral("127.0.0.1"), QStringLiteral("vamox"),
                                   QStringLiteral("geheim"), static_cast<quint16>(args.at(2).toUInt())};
        const QString map = args.at(3);
        for (int i = 0; i < herhalingen; ++i) {
            QElapsedTimer klok;
            klok.start();
            s.FtpVerbindingSluiten();
            s.FtpVerbindingOpenen(gegevens);
            if (!venster.serverPaneel().LijstVullenFtp(map, Soort::Beide))
                return Mislukt("server fill", vragen);
            beste = std::min(beste, double(klok.nsecsElapsed()) / 1e9);
            Afwerken();
        }
        if (args.at(4) != QLatin1String("-"))
            venster.lokaalPaneel().LijstVullenLokaal(args.at(4), Soort::Beide);
        Afwerken();
        if (!vragen.Vragen().empty()) return Mislukt("local fill", vragen);
        std::printf("ours=%.6f rows=%d local_rows=%d rss_mb=%.1f\n", beste,
                    venster.ui().LijstBFtp->lijstModel().Aantal(),
                    venster.ui().LijstBLokaal->lijstModel().Aantal(), RssMb());
        return 0;
    }

    const QString map = args.at(2);
    for (int i = 0; i < herhalingen; ++i) {
        QElapsedTimer klok;
        klok.start();
        venster.lokaalPaneel().LijstVullenLokaal(map, Soort::Beide);
        beste = std::min(beste, double(klok.nsecsElapsed()) / 1e9);
        if (!vragen.Vragen().empty()) return Mislukt("local fill", vragen);
        Afwerken();
    }
    std::printf("ours=%.6f rows=%d rss_mb=%.1f\n", beste, venster.ui().LijstBLokaal->lijstModel().Aantal(),
                RssMb());
    return 0;
}
