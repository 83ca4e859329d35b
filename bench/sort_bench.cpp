// Sorts the file rows of a listing by name, size and day and prints the best time of each.
// Usage: sort_bench <file of MLSD lines> [repeats]

#include "ftp/FtpListing.h"
#include "panes/Rijen.h"
#include "panes/RijenSorteren.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Vamox;

namespace {

bool OpVolgorde(const std::vector<ListRow>& r, SorteerKolom kolom)
{
    for (std::size_t i = 1; i < r.size(); ++i) {
        const ListRow& a = r[i - 1];
        const ListRow& b = r[i];
        const bool fout = kolom == SorteerKolom::Naam      ? b.naam.toLower() < a.naam.toLower()
                          : kolom == SorteerKolom::Grootte ? b.grootte < a.grootte
                                                           : b.datum < a.datum;
        if (fout) return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <listing file> [repeats]\n", argv[0]);
        return 2;
    }
    const int herhalingen = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    // The rows as the server pane gets them from a listing (not timed).
    std::vector<ListRow> rijen;
    for (const FtpEntry& e : MlsdLezen(f.readAll()))
        rijen.push_back(RijVan(e));

    const struct
    {
        const char* naam;
        SorteerKolom kolom;
    } kolommen[] = {
        {"naam", SorteerKolom::Naam}, {"grootte", SorteerKolom::Grootte}, {"datum", SorteerKolom::Datum}};
    std::printf("rows=%zu", rijen.size());
    for (const auto& k : kolommen) {
        double beste = 1e9;
        for (int i = 0; i < herhalingen; ++i) {
            std::vector<ListRow> kopie = rijen; // every run starts from the listing order
            QElapsedTimer t;
            t.start();
            RijenSorteren(kopie, k.kolom, true);
            beste = std::min(beste, double(t.nsecsElapsed()) / 1e9);
            if (!OpVolgorde(kopie, k.kolom)) {
                std::fprintf(stderr, "\nnot in order after sorting by %s\n", k.naam);
                return 1;
            }
        }
        std::printf(" %s=%.6f", k.naam, beste);
    }
    std::printf("\n");
    return 0;
}
