#include "search/Zoeken.h"

#include "transfer/Werkplekken.h"
#include "transfer/Overdracht.h"
#include "transfer/Wachtrij.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Vamox {

Zoekbron::Ophaling LokaleZoekbron::Ophalen(const Zoekbestand& bestand)
{
    return {Status::Klaar, m_map + bestand.naam};
}

ServerZoekbron::ServerZoekbron(Wachtrij& wachtrij, QString servermap, QString werkmap)
    : m_wachtrij(wachtrij), m_servermap(std::move(servermap)), m_werkmap(std::move(werkmap))
{
}

ServerZoekbron::~ServerZoekbron()
{
    if (m_ronde != 0) m_wachtrij.RondeStoppen(m_ronde);
    if (!m_werkmap.isEmpty()) QDir(m_werkmap).removeRecursively();
}

void ServerZoekbron::Voorbereiden(const std::vector<Zoekbestand>& bestanden)
{
    if (m_werkmap.isEmpty() || !QDir().mkpath(m_werkmap)) return;
    std::vector<Serverbestand> halen;
    for (const Zoekbestand& b : bestanden)
        halen.push_back({m_servermap + b.naam, b.grootte, b.naam});
    // Numbered work files: a name from the server never becomes a path here.
    Overdrachtsplan plan = DownloadenPlannen(halen, m_werkmap, nullptr);
    for (qsizetype i = 0; i < qsizetype(plan.klussen.size()); ++i) {
        Klus& k = plan.klussen[size_t(i)];
        k.doel = m_werkmap + QStringLiteral("/") + QString::number(i + 1);
        k.staat = Klus::Staat::Wachtend;
        k.fout.clear();
    }
    m_ronde = m_wachtrij.Toevoegen(std::move(plan), {}, {.voorrang = true});
    for (const Klus& k : m_wachtrij.Klussen())
        if (k.ronde == m_ronde) m_klussen.insert(k.naam, k.id);
}

Zoekbron::Ophaling ServerZoekbron::Ophalen(const Zoekbestand& bestand)
{
    if (!m_vorige.isEmpty()) QFile::remove(m_vorige);
    m_vorige.clear();
    const auto it = m_klussen.constFind(bestand.naam);
    if (it == m_klussen.constEnd()) return {Status::Mislukt, {}};
    m_wacht = *it;
    const Klus::Staat staat = m_wachtrij.WachtenOpKlus(m_wacht);
    m_wacht = 0;
    const Klus* k = m_wachtrij.KlusMet(*it);
    if (staat == Klus::Staat::Geannuleerd) return {Status::Overgeslagen, {}};
    if (staat != Klus::Staat::Klaar || !k) return {Status::Mislukt, {}};
    m_vorige = k->doel;
    AlleenVoorEigenaar(m_vorige);
    return {Status::Klaar, m_vorige};
}

void ServerZoekbron::Overslaan()
{
    if (m_wacht != 0) m_wachtrij.KlusStoppen(m_wacht);
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
