// Fills the panes of an offscreen main window and prints the best time of each fill.
// Usage:
//   listing_bench server <port> <server folder> <local folder> [repeats]
//     ours = a fresh login plus LijstVullenFtp of the folder (rows in the list), best of the
//     repeats; then the local pane shows the local folder too ("-": none) and the resident
//     memory is read.
//   listing_bench local <folder> [repeats]
//     ours = LijstVullenLokaal of the folder, best of the repeats.
//   listing_bench first local <folder>
//   listing_bench first server <port> <server folder> [user password]
//     first = from the call of the fill to the first paint of the file list showing 100 rows or
//     more; full = the whole fill (the server side logs in and lists "/" before, untimed).
//   listing_bench pattern <port> <server folder> <pattern> [repeats]
//     ours = the pattern applied to the server pane's files as a user applies it (Enter in the
//     pattern box), until the rows are in the list; best of the repeats.
//   listing_bench compare <port> <server folder> <local folder> [repeats]
//     with "Mappen vergelijken" on and both panes full: ours = from both lists complete until the
//     marks of both sides are in the lists and painted; listing = the server pane's fill of the
//     folder (login included, as listing-server); best of the repeats each. Also the marks with
//     "Alleen verschillen tonen" on.
// The server is pyftpdlib with the test fixture's login (vamox / geheim) on 127.0.0.1, unless
// a user is given (vsftpd: anonymous).

#include "dialogs/DialoogSeam.h"
#include "mainwindow/FrmFtp.h"
#include "panes/gui/LijstModel.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "vergelijken/gui/Mappenvergelijking.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QThreadPool>

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

// The moment the file list is first painted with 100 rows or more.
class EersteRijen final : public QObject
{
public:
    EersteRijen(LijstWeergave& lijst, const QElapsedTimer& klok) : m_lijst(lijst), m_klok(klok)
    {
        lijst.viewport()->installEventFilter(this);
    }
    double tijd = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (tijd < 0 && event->type() == QEvent::Paint && m_lijst.lijstModel().Aantal() >= 100)
            tijd = double(m_klok.nsecsElapsed()) / 1e9;
        return false;
    }

private:
    LijstWeergave& m_lijst;
    const QElapsedTimer& m_klok;
};

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
    const bool eerste = args.value(1) == QLatin1String("first") &&
                        ((args.value(2) == QLatin1String("local") && args.size() >= 4) ||
                         (args.value(2) == QLatin1String("server") && args.size() >= 5));
    const bool patroon = args.value(1) == QLatin1String("pattern") && args.size() >= 5;
    const bool vergelijken = args.value(1) == QLatin1String("compare") && args.size() >= 5;
    if (!server && !lokaal && !eerste && !patroon && !vergelijken) {
        std::fprintf(stderr,
                     "usage: %s server <port> <server folder> <local folder> [repeats]\n"
                     "       %s local <folder> [repeats]\n"
                     "       %s first local <folder>\n"
                     "       %s first server <port> <server folder> [user password]\n"
                     "       %s pattern <port> <server folder> <pattern> [repeats]\n"
                     "       %s compare <port> <server folder> <local folder> [repeats]\n",
                     argv[0], argv[0], argv[0], argv[0], argv[0], argv[0]);
        return 2;
    }
    const int herhalingen = std::max(1, args.value(server || patroon || vergelijken ? 5 : 3).toInt());

    DialoogOpnemer vragen; // a notice would mean the fill failed; nothing waits for a click
    FrmFtp venster;        // not started: no configuration file is read, the lists fill when asked
    Toestand& t = venster.toestand();
    t.VullenToegestaan = true;
    venster.show();
    Afwerken();
    FtpSession& s = t.sessie;
    double beste = 1e9;

    if (eerste) {
        const bool vanServer = args.at(2) == QLatin1String("server");
        const QString map = args.at(vanServer ? 4 : 3);
        if (vanServer) {
            const FtpGegevens gegevens{QStringLiteral("127.0.0.1"), args.value(5, QStringLiteral("vamox")),
                                       args.value(6, QStringLiteral("geheim")),
                                       static_cast<quint16>(args.at(3).toUInt())};
            // Connected and at home, as a user who then opens the large folder.
            if (!s.FtpVerbindingOpenen(gegevens) ||
                !venster.serverPaneel().LijstVullenFtp(QStringLiteral("/")))
                return Mislukt("login", vragen);
            Afwerken();
        }
        LijstWeergave& lijst = vanServer ? *venster.ui().LijstBFtp : *venster.ui().LijstBLokaal;
        QElapsedTimer klok;
        klok.start();
        EersteRijen eersteRijen(lijst, klok);
        const bool gelukt = vanServer ? venster.serverPaneel().LijstVullenFtp(map, Soort::Beide)
                                      : (venster.lokaalPaneel().LijstVullenLokaal(map, Soort::Beide), true);
        const double geheel = double(klok.nsecsElapsed()) / 1e9;
        if (!gelukt || !vragen.Vragen().empty()) return Mislukt("fill", vragen);
        std::printf("first=%.6f full=%.6f rows=%d\n", eersteRijen.tijd, geheel, lijst.lijstModel().Aantal());
        return 0;
    }

    if (patroon) {
        const FtpGegevens gegevens{QStringLiteral("127.0.0.1"), QStringLiteral("vamox"),
                                   QStringLiteral("geheim"), static_cast<quint16>(args.at(2).toUInt())};
        if (!s.FtpVerbindingOpenen(gegevens) ||
            !venster.serverPaneel().LijstVullenFtp(args.at(3), Soort::Beide))
            return Mislukt("server fill", vragen);
        Afwerken();
        LijstWeergave& lijst = *venster.ui().LijstBFtp;
        const int alle = lijst.lijstModel().Aantal();
        QComboBox& vak = *venster.ui().cboPatroonFtp;
        for (int i = 0; i < herhalingen; ++i) {
            // Back to all files first, untimed: every round filters the whole folder.
            vak.setEditText(QString());
            venster.selectie().SelecterenPatroonFtp();
            Afwerken();
            vak.setEditText(args.at(4));
            QElapsedTimer klok;
            klok.start();
            venster.selectie().SelecterenPatroonFtp();
            beste = std::min(beste, double(klok.nsecsElapsed()) / 1e9);
            Afwerken();
        }
        if (!vragen.Vragen().empty()) return Mislukt("pattern", vragen);
        std::printf("ours=%.6f rows=%d total=%d\n", beste, lijst.lijstModel().Aantal(), alle);
        return 0;
    }

    if (vergelijken) {
        const FtpGegevens gegevens{QStringLiteral("127.0.0.1"), QStringLiteral("vamox"),
                                   QStringLiteral("geheim"), static_cast<quint16>(args.at(2).toUInt())};
        const QString map = args.at(3);
        venster.lokaalPaneel().LijstVullenLokaal(args.at(4), Soort::Beide);
        QAction& aan = *venster.menus().mnuMappenVergelijken;
        QAction& alleenVerschillen = *venster.menus().mnuAlleenVerschillen;
        aan.setEnabled(true);
        Mappenvergelijking& vergelijking = venster.mappenvergelijking();
        double lijst = 1e9, opnieuw = 1e9, verschillen = 1e9;
        const auto tijd = [](const QElapsedTimer& k) { return double(k.nsecsElapsed()) / 1e9; };
        for (int i = 0; i < herhalingen; ++i) {
            aan.setChecked(false);
            Afwerken();
            QElapsedTimer klok;
            klok.start();
            s.FtpVerbindingSluiten();
            s.FtpVerbindingOpenen(gegevens);
            if (!venster.serverPaneel().LijstVullenFtp(map, Soort::Beide))
                return Mislukt("server fill", vragen);
            lijst = std::min(lijst, tijd(klok));
            Afwerken();
            // Both lists are complete: switched on, the comparison, the marks and their paint.
            klok.restart();
            aan.setChecked(true);
            QCoreApplication::processEvents();
            beste = std::min(beste, tijd(klok));
            Afwerken();
            // Compared again as after any fill while it is on, and with the same rows left out.
            klok.restart();
            vergelijking.Bijwerken();
            QCoreApplication::processEvents();
            opnieuw = std::min(opnieuw, tijd(klok));
            klok.restart();
            alleenVerschillen.setChecked(true);
            QCoreApplication::processEvents();
            verschillen = std::min(verschillen, tijd(klok));
            alleenVerschillen.setChecked(false);
        }
        Afwerken();
        if (!vragen.Vragen().empty()) return Mislukt("compare", vragen);
        const Telling& l = vergelijking.LaatsteUitslag().lokaalTelling;
        std::printf("ours=%.6f listing=%.6f again=%.6f only_differences=%.6f rows=%d local_rows=%d same=%d\n",
                    beste, lijst, opnieuw, verschillen, venster.ui().LijstBFtp->lijstModel().Aantal(),
                    venster.ui().LijstBLokaal->lijstModel().Aantal(), l.gelijk);
        return 0;
    }

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
        // Rows a list let go of are gone once the thread that frees them is done.
        QThreadPool::globalInstance()->waitForDone();
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
