#include "search/Zoeken.h"

#include "fileops/Werkplekken.h"
#include "ftp/FtpSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Vamox {

Zoekbron::Ophaling LokaleZoekbron::Ophalen(const Zoekbestand& bestand)
{
    return {Status::Klaar, m_map + bestand.naam};
}

Zoekbron::Ophaling ServerZoekbron::Ophalen(const Zoekbestand& bestand)
{
    // The work file still holds the file before; should this download fail, that one must not be
    // read in its place.
    if (m_werkbestand.isEmpty()) return {Status::Mislukt, {}};
    const QFileInfo werk(m_werkbestand);
    if (werk.exists() && !QFile::remove(m_werkbestand)) return {Status::Mislukt, {}};
    if (!QDir().mkpath(werk.absolutePath())) return {Status::Mislukt, {}};
    if (m_sessie.FtpBestandHalen(m_werkbestand, m_servermap + bestand.naam, bestand.grootte)) {
        AlleenVoorEigenaar(m_werkbestand);
        return {Status::Klaar, m_werkbestand};
    }
    return {m_sessie.afgebroken() ? Status::Overgeslagen : Status::Mislukt, {}};
}

Zoekresultaat Zoeken(Zoekbron& bron, const std::vector<Zoekbestand>& bestanden, const Zoektekst& tekst,
                     Zoekmelder& melder)
{
    Zoekresultaat r;
    const int aantal = int(bestanden.size());
    const Tussendoor tussendoor = [&melder] { return melder.Tussendoor(); };
    for (int i = 0; i < aantal; ++i) {
        const Zoekbestand& b = bestanden[size_t(i)];
        const Onderbreking begin = melder.BestandBegint(b.naam, i + 1, aantal, int(r.treffers.size()));
        if (begin == Onderbreking::Stoppen) {
            r.gestopt = true;
            break;
        }
        if (begin == Onderbreking::Overslaan) {
            ++r.overgeslagen;
            continue;
        }
        // A text of spaces opens nothing, on the server neither.
        if (tekst.Leeg()) continue;
        const Zoekbron::Ophaling ophaling = bron.Ophalen(b);
        if (ophaling.status == Zoekbron::Status::Mislukt) {
            r.mislukt.push_back(b.naam);
            continue;
        }
        if (ophaling.status == Zoekbron::Status::Overgeslagen) {
            ++r.overgeslagen;
            continue;
        }
        switch (BestandBevatTekst(ophaling.pad, tekst, tussendoor)) {
        case Bevinding::Gevonden:
            r.treffers.push_back(i);
            melder.Gevonden(i);
            break;
        case Bevinding::Overgeslagen:
            ++r.overgeslagen;
            break;
        case Bevinding::Gestopt:
            r.gestopt = true;
            return r;
        case Bevinding::NietGevonden:
        case Bevinding::Onleesbaar: // a local file that cannot be read is no hit, and not told
            break;
        }
    }
    return r;
}

} // namespace Vamox
