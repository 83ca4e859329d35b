#include "panes/LokaleMap.h"

#include "ftp/Lijststroom.h"
#include "platform/Mapinlezen.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace Vamox {

FtpEntry LokaalEntry(const QString& naam, const QDateTime& gewijzigd, qint64 grootte)
{
    FtpEntry e;
    e.naam = naam;
    e.grootte = grootte;
    const QDate d = gewijzigd.date();
    const QTime t = gewijzigd.time();
    e.jaar = d.year();
    e.maand = d.month();
    e.dag = d.day();
    e.uur = t.hour();
    e.minuut = t.minute();
    e.seconde = t.second();
    e.precisie = gewijzigd.isValid() ? Tijdprecisie::Seconde : Tijdprecisie::Geen;
    e.zone = Tijdzone::Lokaal;
    return e;
}

namespace {
// Entries read before the reading moves to a thread of its own: an ordinary folder is read at
// once, as it always was, and only a large one turns the event loop while it is read.
constexpr std::size_t MeteenLezen = 4096;
constexpr std::size_t Partij = 8192;
} // namespace

std::optional<Mapinhoud> LokaleMapLezen(const QString& pad)
{
    Mapinlezer lezer(pad);
    if (!lezer.IsMap()) return std::nullopt;
    std::vector<FtpEntry> entries;
    while (lezer.Lezen(entries, Partij)) {
    }
    return MapinhoudMaken(std::move(entries), !QDir(pad).isRoot());
}

bool LokaleMapStromen(const QString& pad, const Lijstdeel& deel, const std::atomic<bool>& stop)
{
    Mapinlezer lezer(pad);
    if (!lezer.IsMap()) return false;
    std::vector<FtpEntry> eerste;
    const bool meer = lezer.Lezen(eerste, MeteenLezen);
    if (!eerste.empty()) deel(eerste, false);
    if (!meer) return true;
    Lijststroom stroom(deel);
    OpEigenDraad([&] {
        std::vector<FtpEntry> stuk;
        while (!stop && lezer.Lezen(stuk, Partij)) {
            stroom.Toevoegen(std::move(stuk));
            stuk = {};
        }
        stroom.Toevoegen(std::move(stuk));
    });
    stroom.Afleveren();
    return true;
}

int AantalSubmappen(const QString& pad)
{
    QString map = pad;
    while (map.size() > 1 && (map.endsWith(u'/') || map.endsWith(QDir::separator())))
        map.chop(1);
    if (map.isEmpty() || map.endsWith(OuderMap)) return 0;
    int aantal = 0;
    QDirIterator it(map, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        ++aantal;
    }
    return aantal;
}

} // namespace Vamox
