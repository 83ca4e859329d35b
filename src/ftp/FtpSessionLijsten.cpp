#include "ftp/FtpSession.h"

#include "ftp/FtpOpdracht.h"
#include "ftp/Lijstontvangst.h"
#include "ftp/Lijststroom.h"

#include <QHash>

#include <algorithm>
#include <optional>

// Listings of the session: one folder (whole or in pieces as it comes) and a tree walk.

namespace Vamox {

namespace {
// Whether every name of `kaal` is among those of `metA` (hashes of names, sorted).
bool OmvatNamen(const std::vector<size_t>& metA, const std::vector<FtpEntry>& kaal)
{
    return std::all_of(kaal.begin(), kaal.end(), [&](const FtpEntry& e) {
        return std::binary_search(metA.begin(), metA.end(), qHash(e.naam));
    });
}
} // namespace

FtpSession::Uitkomst FtpSession::lijstOpdracht(Opdracht& o, const QByteArray& commando,
                                               Lijstontvangst& ontvangst)
{
    o.lijstCommando = commando;
    o.lijst = &ontvangst;
    Uitkomst u = voer(o);
    // The last line may lack its line end; a listing cut off is not read to its end.
    if (u.ok()) ontvangst.lezer.Afronden();
    ontvangst.Doorgeven();
    if (ontvangst.lezer.TeGroot()) {
        m_lijstTeGroot = true;
        if (u.ok()) u.code = CURLE_WRITE_ERROR;
        // Not the disk's fault, as the stopped write would have it.
        m_fout = QStringLiteral("De lijst van deze map is te groot");
    }
    if (ontvangst.stroom) ontvangst.stroom->Afleveren();
    return u;
}

bool FtpSession::lijst(const QString& mapPad, std::vector<FtpEntry>& uit, const Lijstdeel* deel)
{
    uit.clear();
    m_lijstTeGroot = false;
    if (!m_verbindingsHandle || !FtpVeiligeTekst(mapPad)) return false;
    // mapPad is "/a/b/" or "//" (the root).
    QString kern = mapPad;
    while (kern.endsWith(u'/'))
        kern.chop(1);
    Opdracht o;
    o.soort = Opdracht::Soort::Lijst;
    o.urlPad = FtpUrlPad(kern.isEmpty() ? QStringLiteral("/") : kern);
    if (!o.urlPad.endsWith('/')) o.urlPad += '/';

    // With `deel`, the pieces go there as they come; a listing that has to start anew says so.
    bool opnieuw = false;
    std::optional<Lijststroom> stroom;
    if (deel)
        stroom.emplace([&](std::vector<FtpEntry>& stuk) { (*deel)(stuk, std::exchange(opnieuw, false)); });
    Lijststroom* naar = stroom ? &*stroom : nullptr;
    using V = Lijstlezer::Vorm;

    if (m_mlsd) {
        Lijstontvangst ontvangst(V::Mlsd, lijstgrenzen, naar);
        if (!lijstOpdracht(o, "MLSD", ontvangst).ok()) return false;
        uit = std::move(ontvangst.entries);
        return true;
    }
    // A plain LIST hides dot files on many servers (vsftpd); "LIST -a" shows them. Servers that
    // do not know "-a" refuse it or take "-a /map" for a path, which may even exist: until "-a"
    // gave a listing that holds everything a plain one does, both are asked. The "-a" listing is
    // shown as it comes; when the plain one wins, it replaces it.
    bool metA = false;
    std::vector<FtpEntry> metAEntries;
    std::vector<size_t> metANamen;
    qint64 metAAantal = 0;
    if (m_lijstA != LijstA::Nee) {
        Lijstontvangst ontvangst(V::List, lijstgrenzen, naar);
        if (m_lijstA == LijstA::Onbekend) ontvangst.namen = &metANamen;
        const Uitkomst u = lijstOpdracht(o, "LIST -a", ontvangst);
        // A cancelled "-a" says nothing of the server, and the cancel holds for the plain one too.
        if (u.geweigerd || m_afgebroken || m_lijstTeGroot) return false;
        metA = u.ok();
        metAEntries = std::move(ontvangst.entries);
        metAAantal = ontvangst.lezer.Aantal();
    }
    if (m_lijstA == LijstA::Ja) {
        if (!metA) return false;
        uit = std::move(metAEntries);
        return true;
    }
    // Streamed only when no "-a" listing went before it.
    Lijstontvangst ontvangst(V::List, lijstgrenzen, m_lijstA == LijstA::Nee ? naar : nullptr);
    if (!lijstOpdracht(o, QByteArray(), ontvangst).ok()) return false;
    uit = std::move(ontvangst.entries);
    if (m_lijstA == LijstA::Onbekend) {
        std::sort(metANamen.begin(), metANamen.end());
        // Two empty answers tell nothing.
        if (!metA || !OmvatNamen(metANamen, uit)) {
            m_lijstA = LijstA::Nee;
            if (naar) {
                opnieuw = true;
                naar->Toevoegen(std::move(uit));
                naar->Afleveren();
                uit.clear();
                // An empty plain listing voids what "-a" showed all the same.
                if (opnieuw) {
                    std::vector<FtpEntry> geen;
                    (*deel)(geen, true);
                    opnieuw = false;
                }
            }
        } else if (metAAantal > 0) {
            m_lijstA = LijstA::Ja;
            uit = std::move(metAEntries);
        }
    }
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

FtpBoom FtpSession::FtpBoomLezen(const QString& start)
{
    FtpBoom uit;
    QString basis = start;
    while (basis.endsWith(u'/'))
        basis.chop(1);
    boom(uit, basis, 0);
    return uit;
}

void FtpSession::boom(FtpBoom& uit, const QString& map, int diepte)
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
        if (!e.isMap) {
            uit.totaal += e.grootte;
            uit.bestanden.push_back({pad, e.grootte});
            continue;
        }
        uit.mappen.push_back(pad);
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
        boom(uit, sub, diepte + 1);
    }
}

} // namespace Vamox
