#include "vergelijken/Vergelijken.h"

#include "panes/Opmaak.h"
#include "vergelijken/Tijdverschil.h"

#include <QStringList>

namespace Vamox {

namespace {

constexpr qint64 Dag = 86400;
// FAT file systems keep times to 2 seconds.
constexpr qint64 Speling = 2;

qint64 Breedte(Tijdprecisie precisie)
{
    switch (precisie) {
    case Tijdprecisie::Seconde:
        return 1;
    case Tijdprecisie::Minuut:
        return 60;
    case Tijdprecisie::Dag:
        return Dag;
    case Tijdprecisie::Geen:
        break;
    }
    return 0;
}

bool IsOuder(const QString& naam)
{
    return !naam.isEmpty() && (naam.front() == u' ' || naam.front() == u'.') &&
           QStringView(naam).trimmed() == u"..";
}

std::pair<Stand, Stand> BestandenVergelijken(const Vergelijkbaar& l, const Vergelijkbaar& s, Criterium c)
{
    const Inhoudtoets toets = l.inhoud != Inhoudtoets::Niet ? l.inhoud : s.inhoud;
    if (c == Criterium::Inhoud && l.grootte == s.grootte && toets != Inhoudtoets::Niet) {
        if (toets == Inhoudtoets::Gelijk) return {Stand::Gelijk, Stand::Gelijk};
        if (!l.tijd.bekend() || !s.tijd.bekend() || TijdenGelijk(l.tijd, s.tijd))
            return {Stand::AndereGrootte, Stand::AndereGrootte};
    }
    if (c != Criterium::AlleenGrootte && l.tijd.bekend() && s.tijd.bekend() && !TijdenGelijk(l.tijd, s.tijd))
        return l.tijd.van > s.tijd.van ? std::pair{Stand::Nieuwer, Stand::Ouder}
                                       : std::pair{Stand::Ouder, Stand::Nieuwer};
    if (l.grootte != s.grootte) return {Stand::AndereGrootte, Stand::AndereGrootte};
    return {Stand::Gelijk, Stand::Gelijk};
}

void Tellen(Telling& t, Stand stand, bool map)
{
    if (map) {
        (stand == Stand::AlleenHier ? t.mappenAlleenHier : t.mappenBeide)++;
        return;
    }
    switch (stand) {
    case Stand::AlleenHier:
        ++t.alleenHier;
        break;
    case Stand::Nieuwer:
        ++t.nieuwer;
        break;
    case Stand::Ouder:
        ++t.ouder;
        break;
    case Stand::AndereGrootte:
        ++t.andereGrootte;
        break;
    case Stand::Gelijk:
        ++t.gelijk;
        break;
    case Stand::Onbekend:
        break;
    }
}

} // namespace

bool TijdenGelijk(const Tijdstip& a, const Tijdstip& b)
{
    return a.van < b.tot + Speling && b.van < a.tot + Speling;
}

Tijdstip TijdstipVan(const QDate& datum, int seconden, Tijdprecisie precisie, Tijdzone zone,
                     const Serverklok& klok)
{
    const qint64 breedte = Breedte(precisie);
    if (breedte == 0 || !datum.isValid()) return {};
    static const qint64 nulpunt = QDate(1970, 1, 1).toJulianDay();
    qint64 van = (datum.toJulianDay() - nulpunt) * Dag + (precisie == Tijdprecisie::Dag ? 0 : seconden);
    if (zone == Tijdzone::Server) van = OpLokaleKlok(van, klok);
    if (zone == Tijdzone::Utc) van += LokaleAfwijking(van);
    return {van, van + breedte};
}

Tijdstip TijdstipVan(const FtpEntry& e, const Serverklok& klok)
{
    return TijdstipVan(QDate(e.jaar, e.maand, e.dag), e.uur * 3600 + e.minuut * 60 + e.seconde, e.precisie,
                       e.zone, klok);
}

Tijdstip TijdstipVan(const ListRow& rij, const Serverklok& klok)
{
    return TijdstipVan(rij.datum, int(rij.seconden), Tijdprecisie(rij.precisie), Tijdzone(rij.zone), klok);
}

Vergelijkbaar VergelijkbaarVan(const FtpEntry& entry, const Serverklok& klok)
{
    return {entry.naam, entry.isMap, entry.isMap ? 0 : entry.grootte, TijdstipVan(entry, klok)};
}

Vergelijkbaar VergelijkbaarVan(const ListRow& rij, const Serverklok& klok)
{
    return {rij.naam, false, rij.grootte, TijdstipVan(rij, klok)};
}

Uitslag Vergelijken(std::span<const Vergelijkbaar> lokaal, std::span<const Vergelijkbaar> server,
                    Criterium criterium)
{
    Uitslag u;
    QHash<QString, qsizetype> opNaam;
    opNaam.reserve(qsizetype(server.size()));
    for (qsizetype i = 0; i < qsizetype(server.size()); ++i)
        if (!IsOuder(server[size_t(i)].naam)) opNaam.insert(server[size_t(i)].naam, i);
    std::vector<char> gevonden(server.size(), 0);
    u.lokaal.reserve(qsizetype(lokaal.size()));
    u.server.reserve(opNaam.size());

    for (const Vergelijkbaar& l : lokaal) {
        if (IsOuder(l.naam)) continue;
        const auto it = opNaam.constFind(l.naam);
        Stand standL = Stand::AlleenHier;
        if (it != opNaam.cend() && server[size_t(*it)].isMap == l.isMap) {
            const Vergelijkbaar& s = server[size_t(*it)];
            gevonden[size_t(*it)] = 1;
            Stand standS = Stand::Gelijk;
            if (l.isMap)
                standL = Stand::Gelijk;
            else
                std::tie(standL, standS) = BestandenVergelijken(l, s, criterium);
            u.server.insert(s.naam, standS);
            Tellen(u.serverTelling, standS, s.isMap);
        }
        u.lokaal.insert(l.naam, standL);
        Tellen(u.lokaalTelling, standL, l.isMap);
    }
    for (qsizetype i = 0; i < qsizetype(server.size()); ++i) {
        const Vergelijkbaar& s = server[size_t(i)];
        if (gevonden[size_t(i)] || IsOuder(s.naam)) continue;
        u.server.insert(s.naam, Stand::AlleenHier);
        Tellen(u.serverTelling, Stand::AlleenHier, s.isMap);
    }
    return u;
}

QString StandWoord(Stand stand, bool map)
{
    switch (stand) {
    case Stand::AlleenHier:
        return QStringLiteral("alleen hier");
    case Stand::Nieuwer:
        return QStringLiteral("nieuwer");
    case Stand::Ouder:
        return QStringLiteral("ouder");
    case Stand::AndereGrootte:
        return QStringLiteral("andere grootte");
    case Stand::Gelijk:
        return map ? QStringLiteral("beide") : QStringLiteral("gelijk");
    case Stand::Onbekend:
        break;
    }
    return {};
}

QString StandUitleg(Stand stand, bool map)
{
    switch (stand) {
    case Stand::AlleenHier:
        return map ? QStringLiteral("Map alleen aan deze kant")
                   : QStringLiteral("Bestand alleen aan deze kant");
    case Stand::Nieuwer:
        return QStringLiteral("Nieuwer dan aan de andere kant");
    case Stand::Ouder:
        return QStringLiteral("Ouder dan aan de andere kant");
    case Stand::AndereGrootte:
        return QStringLiteral("Andere grootte dan aan de andere kant");
    case Stand::Gelijk:
        return map ? QStringLiteral("Map aan beide kanten (de inhoud is niet vergeleken)")
                   : QStringLiteral("Gelijk aan beide kanten");
    case Stand::Onbekend:
        break;
    }
    return {};
}

QString TellingTekst(const Telling& t)
{
    QStringList delen;
    const std::pair<int, const char*> soorten[] = {{t.alleenHier, "alleen hier"},
                                                   {t.nieuwer, "nieuwer"},
                                                   {t.ouder, "ouder"},
                                                   {t.andereGrootte, "andere grootte"},
                                                   {t.gelijk, "gelijk"}};
    for (const auto& [aantal, woord] : soorten)
        if (aantal > 0) delen << GetalTekst(aantal) + u' ' + QLatin1String(woord);
    QString tekst = delen.isEmpty() ? QStringLiteral("geen bestanden") : delen.join(QStringLiteral(", "));
    if (t.mappenAlleenHier > 0)
        tekst += QStringLiteral("; ") + GetalTekst(t.mappenAlleenHier) +
                 (t.mappenAlleenHier == 1 ? QStringLiteral(" map") : QStringLiteral(" mappen")) +
                 QStringLiteral(" alleen hier");
    return tekst;
}

} // namespace Vamox
