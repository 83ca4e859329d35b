// search: the program's own search (Zoeken over the files of a local folder, as the local side's
// "Zoeken in" runs it) timed over every file of a folder. Prints
//   ours=<s> bytes=<n> hits=<n> hitnames=<a,b,...>
// with the best of `rounds` runs. Usage: search_bench <folder> <text> [rounds]
#include "search/Zoeken.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

using namespace Vamox;

namespace {

// Lets events run between blocks as often as the window does.
class Melder final : public Zoekmelder
{
public:
    Onderbreking Tussendoor() override
    {
        if (!m_klok.isValid() || m_klok.elapsed() >= 40) {
            QCoreApplication::processEvents();
            m_klok.start();
        }
        return Onderbreking::Doorgaan;
    }

private:
    QElapsedTimer m_klok;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: search_bench <folder> <text> [rounds]\n");
        return 2;
    }
    const QString map = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    const QString tekst = QString::fromLocal8Bit(argv[2]);
    const int rondes = argc > 3 ? std::atoi(argv[3]) : 3;

    std::vector<Zoekbestand> bestanden;
    qint64 bytes = 0;
    for (const QFileInfo& f : QDir(map).entryInfoList(QDir::Files, QDir::Name)) {
        bestanden.push_back({f.fileName(), f.size()});
        bytes += f.size();
    }
    double beste = -1;
    Zoekresultaat r;
    for (int i = 0; i < rondes; ++i) {
        LokaleZoekbron bron(map);
        Melder melder;
        QElapsedTimer klok;
        klok.start();
        r = Zoeken(bron, bestanden, Zoektekst(tekst), melder);
        const double s = double(klok.nsecsElapsed()) / 1e9;
        if (beste < 0 || s < beste) beste = s;
    }
    QStringList namen;
    for (const int i : r.treffers)
        namen << bestanden[size_t(i)].naam;
    std::printf("ours=%.6f bytes=%lld hits=%d hitnames=%s\n", beste, static_cast<long long>(bytes),
                int(r.treffers.size()), qPrintable(namen.join(u',')));
    return 0;
}
