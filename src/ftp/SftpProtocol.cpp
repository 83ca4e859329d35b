// SFTP's listings, transfers and commands, and the replacement of a server file.

#include "ftp/SftpProtocol.h"

#include "ftp/Lijststroom.h"
#include "ftp/Ontvangst.h"
#include "platform/EigenBestand.h"

#include <QFile>
#include <QFileInfo>

namespace Vamox {

Uitkomst SftpProtocol::naar(const SftpUitkomst& s, bool lezen) const
{
    Uitkomst u;
    u.overgedragen = s.bytes;
    u.woorden = s.tekst;
    // SFTP gives a status, not words: ours, for the ones a user can act on.
    switch (s.fout) {
    case SftpFout::Geen:
        u.afloop = Afloop::Gelukt;
        break;
    case SftpFout::Verbroken:
    case SftpFout::TijdVerstreken:
        // Gone before anything moved: worth one more go on a fresh connection at once.
        u.afloop = s.bytes == 0 ? Afloop::Verloren : Afloop::Verbroken;
        u.woorden = QStringLiteral("De verbinding is verbroken");
        break;
    case SftpFout::NietGevonden:
        u.afloop = Afloop::NietGevonden;
        u.woorden = QStringLiteral("Niet gevonden op de server");
        break;
    case SftpFout::GeenToegang:
        u.afloop = Afloop::Geweigerd;
        u.woorden = QStringLiteral("Geen toegang op de server");
        break;
    case SftpFout::SchijfVol:
        u.afloop = Afloop::Geweigerd;
        u.woorden = QStringLiteral("De schijf van de server is vol");
        break;
    case SftpFout::BestaatAl:
        u.afloop = Afloop::Geweigerd;
        u.woorden = QStringLiteral("Bestaat al op de server");
        break;
    case SftpFout::Geweigerd:
        u.afloop = Afloop::Geweigerd;
        u.woorden = QStringLiteral("De server weigerde de bewerking");
        break;
    case SftpFout::RsaSha1:
    case SftpFout::Sleutel:
        u.afloop = Afloop::AanmeldenGeweigerd;
        break;
    case SftpFout::Geannuleerd:
        u.afloop = Afloop::Afgebroken;
        break;
    case SftpFout::Lokaal:
        u.afloop = lezen ? Afloop::LokaalLezen : Afloop::LokaalSchrijven;
        break;
    case SftpFout::TeGroot:
        u.afloop = Afloop::TeGroot;
        break;
    case SftpFout::Korter:
        u.afloop = Afloop::Kort;
        break;
    }
    return u;
}

QString SftpProtocol::Fouttekst(const Uitkomst& u) const
{
    if (!u.woorden.isEmpty()) return u.woorden;
    switch (u.afloop) {
    case Afloop::NietGevonden:
        return QStringLiteral("Niet gevonden op de server");
    case Afloop::Geweigerd:
        return QStringLiteral("De server weigerde de bewerking");
    default:
        return QStringLiteral("De verbinding is verbroken");
    }
}

Uitkomst SftpProtocol::Lijsten(const QString& map, Lijstdoel& doel)
{
    if (Uitkomst u = gereed(); !u.ok()) return u;
    qint64 geweigerd = 0;
    const SftpUitkomst s = m_verbinding.lijst(
        map,
        [&](std::vector<SftpEntry>& deel) {
            std::vector<FtpEntry> entries;
            entries.reserve(deel.size());
            for (SftpEntry& e : deel) {
                // A name is shown only as it is, from the protocol's own field: one holding a
                // line break or bytes that are no UTF-8 names no file the commands could reach.
                if (!e.geldigeNaam || e.entry.naam.contains(u'\n') || e.entry.naam.contains(u'\r')) {
                    ++geweigerd;
                    continue;
                }
                entries.push_back(std::move(e.entry));
            }
            if (doel.stroom)
                doel.stroom->Toevoegen(std::move(entries));
            else
                doel.entries.insert(doel.entries.end(), std::make_move_iterator(entries.begin()),
                                    std::make_move_iterator(entries.end()));
        },
        doel.grenzen);
    doel.teGroot = s.fout == SftpFout::TeGroot;
    doel.geweigerd += geweigerd;
    return naar(s);
}

Uitkomst SftpProtocol::Stand(const QString& pad, bool)
{
    if (Uitkomst u = gereed(); !u.ok()) return u;
    SftpAttributen a;
    Uitkomst u = naar(m_verbinding.stat(pad, a));
    u.lengte = a.grootte;
    u.tijd = a.mtime;
    return u;
}

Uitkomst SftpProtocol::Halen(const Haalopdracht& opdracht)
{
    if (Uitkomst u = gereed(); !u.ok()) return u;
    qint64 lengte = -1, tijd = -1;
    // The size and time the server gives now; a listed size spares the question for small files.
    // A part's whole file was asked about once for all parts.
    const bool deel = opdracht.tot >= 0;
    if (!deel && (opdracht.tijdVragen || opdracht.verwachteGrootte < 0 || opdracht.vanaf > 0)) {
        SftpAttributen a;
        const SftpUitkomst s = m_verbinding.stat(opdracht.pad, a);
        if (!s.ok()) return naar(s);
        lengte = a.grootte;
        tijd = a.mtime;
    }
    Ontvangst* doel = opdracht.doel;
    const qint64 vanaf = opdracht.vanaf;
    Uitkomst u = naar(m_verbinding.halen(
        opdracht.pad, [doel](qint64, const char* data, qint64 n) { return doel->schrijf(data, n); }, vanaf, opdracht.tot,
        [this, vanaf, lengte](qint64 gedaan) { m_kern.Voortgang(vanaf + gedaan, lengte); }));
    u.begonnen = true;
    u.lengte = lengte;
    u.tijd = tijd;
    return u;
}

Uitkomst SftpProtocol::Plaatsen(const Plaatsopdracht& opdracht)
{
    if (Uitkomst u = gereed(); !u.ok()) return u;
    QFile bron(opdracht.lokaalPad);
    if (!bron.open(QIODevice::ReadOnly)) return Uitkomst::Met(Afloop::LokaalLezen);
    const bool deel = opdracht.tot >= 0;
    qint64 vanaf = deel ? opdracht.vanaf : 0;
    if (opdracht.aanvullen && !deel) {
        // What the server kept stays; the rest follows it.
        SftpAttributen a;
        if (m_verbinding.stat(opdracht.pad, a).ok() && a.grootte > 0 && a.grootte <= bron.size()) vanaf = a.grootte;
    }
    if (vanaf > 0 && !bron.seek(vanaf)) return Uitkomst::Met(Afloop::LokaalLezen);
    const qint64 totaal = bron.size();
    // A part reads no byte of the next one.
    const qint64 tot = deel ? std::min(opdracht.tot, bron.size()) : bron.size();
    const SftpLezer lezer = [&bron, tot](qint64 positie, char* data, qint64 ruimte) {
        return bron.read(data, std::max<qint64>(std::min(ruimte, tot - positie), 0));
    };
    Uitkomst u = naar(m_verbinding.plaatsen(
                          opdracht.pad, lezer,
                          {.vanaf = vanaf, .afkappen = vanaf == 0 && !deel,
                           .modus = opdracht.rechten >= 0 ? opdracht.rechten : 0644},
                          [this, vanaf, totaal](qint64 gedaan) { m_kern.Voortgang(vanaf + gedaan, totaal); }),
                      true);
    u.begonnen = u.ok() || u.overgedragen > 0;
    return u;
}

Uitkomst SftpProtocol::Bewerken(Handeling handeling, const QString& pad, const QString& tweede)
{
    if (Uitkomst u = gereed(); !u.ok()) return u;
    switch (handeling) {
    case Handeling::Wissen:
        return naar(m_verbinding.wissen(pad));
    case Handeling::MapMaken:
        return naar(m_verbinding.mapMaken(pad));
    case Handeling::MapWissen:
        return naar(m_verbinding.mapWissen(pad));
    case Handeling::Hernoemen:
        // Never onto an existing entry, whatever the server's rename would do.
        return naar(m_verbinding.hernoemen(pad, tweede));
    case Handeling::Rechten: {
        bool ok = false;
        const int modus = tweede.toInt(&ok, 8);
        if (!ok) return Uitkomst::Met(Afloop::Geweigerd);
        return naar(m_verbinding.rechtenZetten(pad, modus));
    }
    }
    return Uitkomst::Met(Afloop::Geweigerd);
}

Uitkomst SftpProtocol::Peilen()
{
    if (Uitkomst u = gereed(); !u.ok()) return u;
    return naar(m_verbinding.peilen(m_kern.Tijden().antwoordS * 1000));
}

Vervanging SftpProtocol::Vervangen(const QString& lokaalPad, const QString& pad, Uitkomst& uitkomst)
{
    if (uitkomst = gereed(); !uitkomst.ok()) return Vervanging::Mislukt;
    SftpAttributen oud;
    uitkomst = naar(m_verbinding.stat(pad, oud));
    if (uitkomst.afloop == Afloop::NietGevonden) return Vervanging::Nieuw;
    if (!uitkomst.ok()) return Vervanging::Mislukt;
    const qsizetype schuine = pad.lastIndexOf(u'/');
    const QString map = pad.left(schuine + 1);
    const QString tijdelijk = map + TijdelijkeNaam();
    // Readable by nobody else until it has the old file's permissions.
    uitkomst = m_kern.Uploaden({.pad = tijdelijk, .lokaalPad = lokaalPad, .rechten = 0600});
    if (!uitkomst.ok()) {
        const bool geweigerd = NaamGeweigerd(uitkomst);
        m_kern.Rest(tijdelijk);
        return geweigerd ? Vervanging::Rechtstreeks : Vervanging::Mislukt;
    }
    return inzetten(lokaalPad, tijdelijk, pad, oud, uitkomst);
}

Vervanging SftpProtocol::inzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& pad,
                                  const SftpAttributen& oud, Uitkomst& uitkomst)
{
    const QString map = pad.left(pad.lastIndexOf(u'/') + 1);
    const QString opzij = map + TijdelijkeNaam();
    // The server must hold all of it before it takes the old file's place.
    SftpAttributen nu;
    uitkomst = naar(m_verbinding.stat(tijdelijk, nu));
    if (!uitkomst.ok() || nu.grootte != QFileInfo(lokaalPad).size()) {
        m_kern.Rest(tijdelijk);
        if (uitkomst.ok()) {
            uitkomst = Uitkomst::Met(Afloop::Kort);
            uitkomst.fout = QStringLiteral("Onvolledig op de server aangekomen");
        }
        return Vervanging::Mislukt;
    }
    // SFTP renames onto no existing name: the old file steps aside first, and comes back when the
    // new one cannot take its place.
    const int rechten = oud.rechten >= 0 ? (oud.rechten & 07777) : 0644;
    if (!m_verbinding.rechtenZetten(tijdelijk, rechten).ok() || !m_verbinding.hernoemen(pad, opzij).ok()) {
        // No rename here: written over as before.
        uitkomst = m_kern.Uploaden({.pad = pad, .lokaalPad = lokaalPad});
        m_kern.Rest(tijdelijk);
        return uitkomst.ok() ? Vervanging::Gelukt : Vervanging::Mislukt;
    }
    uitkomst = naar(m_verbinding.hernoemen(tijdelijk, pad));
    if (uitkomst.ok()) {
        m_kern.Rest(opzij);
        return Vervanging::Gelukt;
    }
    m_verbinding.hernoemen(opzij, pad);
    m_kern.Rest(tijdelijk);
    return Vervanging::Mislukt;
}

Uitkomst SftpProtocol::Inzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& pad)
{
    Uitkomst u;
    if (u = gereed(); !u.ok()) return u;
    SftpAttributen oud;
    u = naar(m_verbinding.stat(pad, oud));
    if (u.afloop == Afloop::NietGevonden) {
        // A new file: nothing steps aside, and it gets the permissions an upload gives.
        SftpAttributen nu;
        u = naar(m_verbinding.stat(tijdelijk, nu));
        if (u.ok() && nu.grootte != QFileInfo(lokaalPad).size()) {
            u = Uitkomst::Met(Afloop::Kort);
            u.fout = QStringLiteral("Onvolledig op de server aangekomen");
        }
        if (u.ok()) u = naar(m_verbinding.rechtenZetten(tijdelijk, 0644));
        if (u.ok()) u = naar(m_verbinding.hernoemen(tijdelijk, pad));
        if (!u.ok()) m_kern.Rest(tijdelijk);
        return u;
    }
    if (!u.ok()) {
        m_kern.Rest(tijdelijk);
        return u;
    }
    inzetten(lokaalPad, tijdelijk, pad, oud, u);
    return u;
}

} // namespace Vamox
