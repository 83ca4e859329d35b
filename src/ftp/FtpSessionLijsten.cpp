// Listings of the session: one folder (whole or in pieces as it comes) and a tree walk.

#include "ftp/FtpSession.h"

#include "ftp/Lijststroom.h"
#include "ftp/Sessieprotocol.h"

#include <optional>

namespace Vamox {

bool FtpSession::lijst(const QString& mapPad, std::vector<FtpEntry>& uit, const Lijstdeel* deel)
{
    uit.clear();
    m_lijstTeGroot = false;
    m_lijstOvergeslagen = 0;
    if (!m_verbindingsHandle || !FtpVeiligeTekst(mapPad)) return false;
    // mapPad is "/a/b/" or "//" (the root).
    QString kern = mapPad;
    while (kern.endsWith(u'/'))
        kern.chop(1);
    // With `deel`, the pieces go there as they come (on this thread); a listing that has to start
    // anew says so.
    std::optional<Lijststroom> stroom;
    if (deel) stroom.emplace(*deel);
    Lijstdoel doel{m_lijstgrenzen, stroom ? &*stroom : nullptr};
    Sessieprotocol& p = protocol();
    const Uitkomst u = bewerking([&] {
        return herhaald([&] {
            doel.entries.clear();
            return p.Lijsten(kern.isEmpty() ? QStringLiteral("/") : kern, doel);
        });
    });
    if (stroom) stroom->Afleveren();
    m_lijstTeGroot = doel.teGroot;
    m_lijstOvergeslagen = doel.geweigerd;
    if (!u.ok()) return false;
    uit = std::move(doel.entries);
    return true;
}

std::optional<std::vector<FtpEntry>> FtpSession::FtpMapLezen(const QString& map)
{
    std::vector<FtpEntry> entries;
    if (!lijst(FtpMapNormaliseren(map), entries)) return std::nullopt;
    return entries;
}

bool FtpSession::FtpMapStromen(const QString& map, const Lijstdeel& deel)
{
    std::vector<FtpEntry> entries;
    return lijst(FtpMapNormaliseren(map), entries, &deel);
}

std::optional<Mapinhoud> FtpSession::ServermapLezen(const QString& pad)
{
    std::optional<std::vector<FtpEntry>> entries = FtpMapLezen(pad);
    if (!entries) return std::nullopt;
    const bool wortel = SpatiesWeg(QString(pad).remove(u'/')).isEmpty();
    return MapinhoudMaken(std::move(*entries), !wortel);
}

bool FtpSession::ServerpadBestaat(const QString& pad, bool isMap)
{
    if (!m_verbindingsHandle) return false;
    QString p = SpatiesWeg(pad);
    while (p.startsWith(u'/'))
        p.remove(0, 1);
    while (p.endsWith(u'/'))
        p.chop(1);
    p.prepend(u'/');
    const qsizetype laatste = p.lastIndexOf(u'/');
    const QString ouder = p.left(laatste + 1);
    const QString naam = p.mid(laatste + 1);
    std::vector<FtpEntry> entries;
    if (!lijst(ouder == QLatin1String("/") ? QStringLiteral("//") : ouder, entries)) return false;
    if (naam.isEmpty()) return true;
    for (const FtpEntry& e : entries)
        if (e.isMap == isMap && e.naam == naam) return true;
    return false;
}

FtpBoom FtpSession::FtpBoomLezen(const QString& start, bool linksVolgen)
{
    FtpBoom uit;
    QString basis = start;
    while (basis.endsWith(u'/'))
        basis.chop(1);
    boom(uit, basis, 0, linksVolgen);
    return uit;
}

void FtpSession::boom(FtpBoom& uit, const QString& map, int diepte, bool linksVolgen)
{
    // Listed as named: FtpMapLezen would trim the spaces a listed name may end in.
    std::vector<FtpEntry> entries;
    if (!lijst(map + u'/', entries)) {
        // A cancel ends the whole walk, not only the listing it hit.
        if (m_afgebroken)
            uit.afgebroken = true;
        else
            ++uit.mislukt;
        return;
    }
    QStringList nieuw;
    for (const FtpEntry& e : entries) {
        // Names are joined as listed: "/x" in /a is /a//x, which is no path of a file, where
        // collapsing "//" would make it /a/x, another file.
        const QString pad = map + u'/' + e.naam;
        if (!e.isMap || (e.isLink && !linksVolgen)) {
            uit.totaal += e.grootte;
            uit.bestanden.push_back({pad, e.grootte, e.rechten, e.isLink});
            continue;
        }
        uit.mappen.push_back(pad);
        if (e.rechten >= 0) uit.mapRechten.insert(pad, e.rechten);
        // A folder name with "/" names no folder the server can list.
        if (e.naam.contains(u'/'))
            ++uit.mislukt;
        else
            nieuw.push_back(pad);
    }
    if (diepte >= FtpBoom::maxDiepte) {
        uit.mislukt += int(nieuw.size());
        return;
    }
    for (const QString& sub : std::as_const(nieuw)) {
        if (uit.afgebroken) return;
        boom(uit, sub, diepte + 1, linksVolgen);
    }
}

} // namespace Vamox
