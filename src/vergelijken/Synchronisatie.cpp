#include "vergelijken/Synchronisatie.h"

#include "panes/Patroon.h"

#include <QHash>

namespace Vamox {

namespace {

QString Samen(const QString& map, const QString& naam)
{
    return map.isEmpty() ? naam : map + u'/' + naam;
}

Synckant Kant(const Vergelijkbaar* v)
{
    if (!v) return {};
    return {.bestaat = true, .isMap = v->isMap, .grootte = v->isMap ? -1 : v->grootte, .tijd = v->tijd};
}

// Why two files of one name differ when neither time says which is newer.
QString Verschil(const Vergelijkbaar& l, const Vergelijkbaar& s)
{
    return l.grootte == s.grootte ? QStringLiteral("Andere inhoud") : QStringLiteral("Andere grootte");
}

Syncstaatregel Gelijkstand(const Vergelijkbaar& l, const Vergelijkbaar& s)
{
    return {.lokaalGrootte = l.grootte, .lokaalTijd = l.tijd.van, .serverGrootte = s.grootte,
            .serverTijd = s.tijd.van};
}

class Planner final
{
public:
    Planner(const QString& rel, const Synckeuzes& keuzes, const Syncvorige* vorige, Mapvergelijking& uit)
        : m_rel(rel), m_k(keuzes), m_vorige(vorige), m_uit(uit)
    {
    }

    void Regel(Syncactie actie, const QString& naam, const Vergelijkbaar* l, const Vergelijkbaar* s,
               const QString& reden, bool aan = true, bool conflict = false)
    {
        m_uit.regels.push_back({.actie = actie, .map = m_rel, .naam = naam, .lokaal = Kant(l), .server = Kant(s),
                                .reden = reden, .conflict = conflict, .aan = aan && !conflict});
        // Undecided: what was remembered stays until a job settles it.
        if (const Syncstaatregel* e = Vorig(naam)) m_uit.staat.insert(Samen(m_rel, naam), *e);
    }

    const Syncstaatregel* Vorig(const QString& naam) const
    {
        if (!m_vorige) return nullptr;
        const auto it = m_vorige->bestanden.constFind(Samen(m_rel, naam));
        return it == m_vorige->bestanden.cend() ? nullptr : &*it;
    }

    void Map(const Vergelijkbaar* l, const Vergelijkbaar* s)
    {
        const QString naam = l ? l->naam : s->naam;
        const QString rel = Samen(m_rel, naam);
        if (l && s) {
            m_uit.submappen.push_back({rel, true, true});
            return;
        }
        const bool bron = l ? m_k.richting != Syncrichting::NaarLokaal : m_k.richting != Syncrichting::NaarServer;
        const Syncactie maken = l ? Syncactie::MapServer : Syncactie::MapLokaal;
        if (m_k.richting == Syncrichting::BeideKanten) {
            // Its files were on both sides once: the other side deleted it, and its files are
            // offered for deletion one by one. The folder itself is made only for a file sent along.
            const bool was = m_vorige && m_vorige->mappen.contains(rel);
            Regel(maken, naam, l, s, l ? QStringLiteral("Alleen lokaal") : QStringLiteral("Alleen op de server"), !was);
            m_uit.submappen.push_back({rel, l != nullptr, s != nullptr});
        } else if (bron) {
            Regel(maken, naam, l, s, l ? QStringLiteral("Alleen lokaal") : QStringLiteral("Alleen op de server"));
            m_uit.submappen.push_back({rel, l != nullptr, s != nullptr});
        } else if (m_k.wijze == Syncwijze::Spiegelen) {
            Regel(l ? Syncactie::WissenLokaal : Syncactie::WissenServer, naam, l, s,
                  l ? QStringLiteral("Niet op de server") : QStringLiteral("Niet lokaal"));
        }
    }

    void AlleenHier(const Vergelijkbaar* l, const Vergelijkbaar* s)
    {
        const QString& naam = l ? l->naam : s->naam;
        const Syncactie over = l ? Syncactie::Uploaden : Syncactie::Downloaden;
        const Syncactie wissen = l ? Syncactie::WissenLokaal : Syncactie::WissenServer;
        const QString alleen = l ? QStringLiteral("Alleen lokaal") : QStringLiteral("Alleen op de server");
        const bool bron = l ? m_k.richting != Syncrichting::NaarLokaal : m_k.richting != Syncrichting::NaarServer;
        if (m_k.richting == Syncrichting::BeideKanten) {
            if (Vorig(naam))
                Regel(wissen, naam, l, s,
                      l ? QStringLiteral("Op de server verwijderd") : QStringLiteral("Lokaal verwijderd"), false);
            else
                Regel(over, naam, l, s, alleen);
        } else if (bron) {
            Regel(over, naam, l, s, alleen);
        } else if (m_k.wijze == Syncwijze::Spiegelen) {
            Regel(wissen, naam, l, s, l ? QStringLiteral("Niet op de server") : QStringLiteral("Niet lokaal"));
        }
    }

    void Beide(const Vergelijkbaar& l, const Vergelijkbaar& s, Stand stand)
    {
        const QString rel = Samen(m_rel, l.naam);
        const Syncstaatregel* e = Vorig(l.naam);
        const bool lokaal = e && LokaalGewijzigd(*e, l);
        const bool server = e && ServerGewijzigd(*e, s);
        if (e && !lokaal && !server) {
            // Neither changed since they were left the same (an upload's time is learnt here).
            Syncstaatregel n = *e;
            n.serverTijd = s.tijd.van;
            m_uit.staat.insert(rel, n);
            return;
        }
        if (m_k.richting == Syncrichting::BeideKanten) {
            if (e) {
                if (lokaal && server) {
                    Regel(stand == Stand::Ouder ? Syncactie::Downloaden : Syncactie::Uploaden, l.naam, &l, &s,
                          QStringLiteral("Aan beide kanten gewijzigd"), false, true);
                    return;
                }
                Regel(lokaal ? Syncactie::Uploaden : Syncactie::Downloaden, l.naam, &l, &s,
                      lokaal ? QStringLiteral("Lokaal gewijzigd") : QStringLiteral("Op de server gewijzigd"));
                return;
            }
            switch (stand) {
            case Stand::Nieuwer:
                Regel(Syncactie::Uploaden, l.naam, &l, &s, QStringLiteral("Lokaal nieuwer"));
                return;
            case Stand::Ouder:
                Regel(Syncactie::Downloaden, l.naam, &l, &s, QStringLiteral("Op de server nieuwer"));
                return;
            case Stand::AndereGrootte:
                Regel(Syncactie::Uploaden, l.naam, &l, &s, Verschil(l, s), false, true);
                return;
            default:
                m_uit.staat.insert(rel, Gelijkstand(l, s));
                return;
            }
        }
        const bool naarServer = m_k.richting == Syncrichting::NaarServer;
        const Syncactie over = naarServer ? Syncactie::Uploaden : Syncactie::Downloaden;
        const Stand bronNieuwer = naarServer ? Stand::Nieuwer : Stand::Ouder;
        const Stand doelNieuwer = naarServer ? Stand::Ouder : Stand::Nieuwer;
        if (e && (lokaal != server)) {
            // One side changed since the last synchronise: the source's change goes across, the
            // target's own is never overwritten unasked.
            const bool bron = naarServer ? lokaal : server;
            if (bron)
                Regel(over, l.naam, &l, &s, naarServer ? QStringLiteral("Lokaal gewijzigd") : QStringLiteral("Op de server gewijzigd"));
            else if (m_k.wijze == Syncwijze::Spiegelen)
                Regel(over, l.naam, &l, &s,
                      naarServer ? QStringLiteral("Op de server gewijzigd") : QStringLiteral("Lokaal gewijzigd"), false, true);
            else
                m_uit.staat.insert(rel, *e);
            return;
        }
        if (stand == bronNieuwer)
            Regel(over, l.naam, &l, &s, naarServer ? QStringLiteral("Lokaal nieuwer") : QStringLiteral("Op de server nieuwer"));
        else if (stand == Stand::AndereGrootte)
            Regel(over, l.naam, &l, &s, Verschil(l, s));
        else if (stand == doelNieuwer) {
            // Never a newer file replaced unasked: a mirror lists it for the user to decide.
            if (m_k.wijze == Syncwijze::Spiegelen)
                Regel(over, l.naam, &l, &s,
                      naarServer ? QStringLiteral("Op de server nieuwer") : QStringLiteral("Lokaal nieuwer"), false, true);
            else if (const Syncstaatregel* e = Vorig(l.naam))
                m_uit.staat.insert(rel, *e);
        } else {
            m_uit.staat.insert(rel, Gelijkstand(l, s));
        }
    }

private:
    const QString& m_rel;
    const Synckeuzes& m_k;
    const Syncvorige* m_vorige;
    Mapvergelijking& m_uit;
};

} // namespace

bool LokaalGewijzigd(const Syncstaatregel& e, const Vergelijkbaar& l)
{
    return l.grootte != e.lokaalGrootte || l.tijd.van != e.lokaalTijd;
}

bool ServerGewijzigd(const Syncstaatregel& e, const Vergelijkbaar& s)
{
    return s.grootte != e.serverGrootte ||
           (e.serverTijd != Syncstaatregel::OnbekendeTijd && s.tijd.van != e.serverTijd);
}

bool SyncTelt(const Vergelijkbaar& v, const Synckeuzes& keuzes)
{
    if (v.isMap) return keuzes.submappen;
    return PatroonIsLeeg(keuzes.patroon) || PatroonPast(v.naam, keuzes.patroon);
}

Syncvorige::Syncvorige(Syncstaat staat) : bestanden(std::move(staat))
{
    for (auto it = bestanden.cbegin(); it != bestanden.cend(); ++it) {
        const QString& pad = it.key();
        for (qsizetype plek = pad.indexOf(u'/'); plek >= 0; plek = pad.indexOf(u'/', plek + 1))
            mappen.insert(pad.left(plek));
    }
}

Mapvergelijking MapSynchroniseren(const QString& rel, std::span<const Vergelijkbaar> lokaal,
                                  std::span<const Vergelijkbaar> server, const Synckeuzes& keuzes,
                                  const Syncvorige* vorige)
{
    Mapvergelijking uit;
    std::vector<Vergelijkbaar> l, s;
    for (const Vergelijkbaar& v : lokaal)
        if (SyncTelt(v, keuzes)) l.push_back(v);
    for (const Vergelijkbaar& v : server)
        if (SyncTelt(v, keuzes)) s.push_back(v);
    const Uitslag standen = Vergelijken(l, s, keuzes.criterium);
    QHash<QString, const Vergelijkbaar*> opServer;
    for (const Vergelijkbaar& v : s)
        opServer.insert(v.naam, &v);

    Planner p(rel, keuzes, vorige, uit);
    for (const Vergelijkbaar& v : l) {
        const Vergelijkbaar* ander = opServer.take(v.naam);
        if (ander && ander->isMap != v.isMap) {
            // A file on one side, a folder on the other: neither replaces the other.
            uit.regels.push_back({.actie = v.isMap ? Syncactie::Downloaden : Syncactie::Uploaden, .map = rel,
                                  .naam = v.naam, .lokaal = Kant(&v), .server = Kant(ander),
                                  .reden = QStringLiteral("Map aan de ene, bestand aan de andere kant"),
                                  .conflict = true, .aan = false});
            continue;
        }
        if (v.isMap)
            p.Map(&v, ander);
        else if (!ander)
            p.AlleenHier(&v, nullptr);
        else
            p.Beide(v, *ander, standen.lokaal.value(v.naam, Stand::Gelijk));
    }
    for (const Vergelijkbaar& v : s) {
        if (!opServer.contains(v.naam)) continue; // met above
        if (v.isMap)
            p.Map(nullptr, &v);
        else
            p.AlleenHier(nullptr, &v);
    }
    return uit;
}

QString ActieWoord(Syncactie actie)
{
    switch (actie) {
    case Syncactie::Uploaden:
        return QStringLiteral("Uploaden");
    case Syncactie::Downloaden:
        return QStringLiteral("Downloaden");
    case Syncactie::MapServer:
        return QStringLiteral("Nieuwe map op de server");
    case Syncactie::MapLokaal:
        return QStringLiteral("Nieuwe lokale map");
    case Syncactie::WissenLokaal:
        return QStringLiteral("Lokaal verwijderen (prullenbak)");
    case Syncactie::WissenServer:
        return QStringLiteral("Op de server verwijderen");
    }
    return {};
}

} // namespace Vamox
