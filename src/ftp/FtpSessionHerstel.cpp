// The session's transfers, whatever the protocol: a broken connection is resumed where the file
// was, a download goes to a temporary file that only a complete one replaces the target with, and
// what a failed upload left on the server is removed once the server answers.

#include "ftp/FtpSession.h"

#include "ftp/Ontvangst.h"
#include "ftp/SessieWerker.h"
#include "ftp/Sessieprotocol.h"

#include <QFileInfo>

#include <chrono>
#include <thread>

namespace Vamox {

namespace {

// Downloads smaller than this are fetched whole again after a cut: cheaper than asking the server
// whether the file is still the one begun.
constexpr qint64 HervatVanaf = 1024 * 1024;

// Whether a transfer that failed so is worth another go where it was.
bool Hervatbaar(const Uitkomst& u)
{
    switch (u.afloop) {
    case Afloop::Verloren:
    case Afloop::Verbroken:
    case Afloop::GeenVerbinding:
    case Afloop::HervattenGeweigerd:
    case Afloop::Vol:
        return true;
    default:
        return false;
    }
}

void Pauze(int ms, const std::atomic<bool>& afbreken)
{
    for (int verstreken = 0; verstreken < ms && !afbreken; verstreken += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

Uitkomst FtpSession::hervat(Uitkomst u, const std::function<Uitkomst()>& eens,
                            const std::function<bool(const Uitkomst&)>& nogmaals)
{
    qint64 onderweg = 0;
    bool onderbroken = false;
    for (int poging = 1; !u.ok() && poging <= m_tijden.hervatPogingen && !m_afbreken && nogmaals(u);
         ++poging) {
        Pauze(m_tijden.hervatPauzeMs, m_afbreken);
        if (m_afbreken) break;
        // The control connection may have gone with the data connection: log in anew.
        protocol().Sluiten();
        onderbroken = true;
        onderweg += u.overgedragen;
        u = eens();
    }
    u.onderbroken = onderbroken;
    u.onderbrokenNa = onderweg + u.overgedragen;
    return u;
}

Uitkomst FtpSession::halen(const QString& pad, const QString& lokaalPad, qint64 verwachteGrootte)
{
    Sessieprotocol& p = protocol();
    // Received beside the target; a broken connection is resumed into the same file.
    Ontvangst doel(lokaalPad);
    if (!doel.open()) {
        Uitkomst u = Uitkomst::Met(Afloop::LokaalSchrijven);
        u.fout = QStringLiteral("Het lokale bestand kan niet worden gemaakt");
        return u;
    }
    // Large files have their modification time noted at the start, to tell a changed file at a
    // resume; a small one is fetched whole again.
    const bool tijdVragen = verwachteGrootte < 0 || verwachteGrootte >= HervatVanaf;
    qint64 beginGrootte = -1, beginTijd = -1;
    const auto eens = [&]() -> Uitkomst {
        qint64 vanaf = doel.grootte();
        if (vanaf > 0) {
            // Only while the server's file is still the one begun: a file replaced between the
            // cut and now would be pieced together from two versions.
            bool dezelfde = false;
            if (beginGrootte >= HervatVanaf) {
                const Uitkomst nu = p.Stand(pad, true);
                if (!nu.ok()) return nu;
                dezelfde = nu.lengte == beginGrootte && nu.tijd == beginTijd;
            }
            if (!dezelfde) {
                if (!doel.leegmaken()) return Uitkomst::Met(Afloop::LokaalSchrijven);
                vanaf = 0;
            }
        }
        Uitkomst u = p.Halen({.pad = pad,
                              .doel = &doel,
                              .vanaf = vanaf,
                              .verwachteGrootte = verwachteGrootte,
                              .tijdVragen = tijdVragen && vanaf == 0});
        if (!u.ok()) return u;
        // Only a complete file replaces the old one. The size the server gives when the transfer
        // starts beats the one of an older listing; a continued file is measured against the
        // server's size now.
        const qint64 binnen = doel.grootte();
        qint64 verwacht = vanaf > 0 ? -1 : u.lengte >= 0 ? u.lengte : verwachteGrootte;
        // The file may have changed since it was listed: then its size now decides. A server
        // that does not tell its size leaves the listed size standing: a transfer it cut short is
        // never taken for a file that shrank.
        if (vanaf > 0 || (verwachteGrootte >= 0 && binnen != verwacht)) {
            const Uitkomst nu = p.Stand(pad, false);
            if (nu.ok() && nu.lengte >= 0)
                verwacht = nu.lengte;
            else if (vanaf > 0)
                verwacht = verwachteGrootte;
        }
        if (verwacht >= 0 && binnen != verwacht) u.afloop = Afloop::Kort;
        return u;
    };
    Uitkomst u = eens();
    if (u.afloop == Afloop::Verloren && u.overgedragen == 0 && !m_afbreken && doel.grootte() == 0) u = eens();
    if (doel.grootte() > 0) {
        // What the file was when it was begun, for a resume to compare with.
        beginGrootte = verwachteGrootte >= 0 ? verwachteGrootte : u.lengte;
        beginTijd = u.tijd;
    }
    u = hervat(u, eens, [&](const Uitkomst& nu) {
        // A server that will not continue a file sends it whole.
        return Hervatbaar(nu) && (nu.afloop != Afloop::HervattenGeweigerd || doel.leegmaken());
    });
    if (u.ok() && !doel.vastleggen()) {
        u = Uitkomst::Met(Afloop::LokaalSchrijven);
        u.fout = QStringLiteral("Het lokale bestand kan niet worden vervangen");
    }
    return u;
}

Uitkomst FtpSession::uploaden(Plaatsopdracht opdracht)
{
    Sessieprotocol& p = protocol();
    const qint64 grootte = QFileInfo(opdracht.lokaalPad).size();
    bool begonnen = false;
    const auto eens = [&] {
        Uitkomst u = p.Plaatsen(opdracht);
        begonnen = begonnen || u.begonnen;
        // An appended upload must have made the whole file, else it is sent again whole.
        if (u.ok() && opdracht.aanvullen) {
            const Uitkomst nu = p.Stand(opdracht.pad, false);
            if (!nu.ok() || nu.lengte != grootte) u.afloop = Afloop::Kort;
        }
        return u;
    };
    Uitkomst u = hervat(herhaald(eens), eens, [&](const Uitkomst& nu) {
        // Turned away at the login: nothing went, so the same once more.
        if (nu.afloop == Afloop::Vol) return true;
        // Broken off: appended to; an append that went wrong: sent whole.
        const bool breuk = Hervatbaar(nu) && nu.afloop != Afloop::HervattenGeweigerd;
        if (!breuk && !opdracht.aanvullen) return false;
        opdracht.aanvullen = breuk;
        return true;
    });
    u.begonnen = begonnen;
    return u;
}

Uitkomst FtpSession::plaatsen(const QString& lokaalPad, const QString& pad, Serverdoel doel)
{
    bool nieuw = doel == Serverdoel::Nieuw;
    if (!nieuw) {
        Uitkomst u;
        switch (protocol().Vervangen(lokaalPad, pad, u)) {
        case Vervanging::Gelukt:
        case Vervanging::Mislukt:
            return u;
        case Vervanging::Nieuw:
            nieuw = true;
            break;
        case Vervanging::Rechtstreeks:
            break;
        }
    }
    // A part an earlier try left under this name is this upload's to write over now.
    m_resten.removeAll(pad);
    const Uitkomst u = uploaden({.pad = pad, .lokaalPad = lokaalPad});
    // Only what this upload made goes again: bytes went, or the server opened the file for it (a
    // refusal may be of a file that somebody else put there meanwhile).
    if (!u.ok() && nieuw && (u.onderbrokenNa > 0 || u.begonnen)) {
        m_resten << pad;
        restenOpruimen();
    }
    return u;
}

bool FtpSession::FtpBestandPlaatsen(const QString& lokaalPad, const QString& serverPad, Serverdoel doel)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) {
        m_fout = m_verbindingsHandle ? QStringLiteral("Ongeldige naam") : QStringLiteral("Niet verbonden");
        return false;
    }
    return bewerking([&] { return plaatsen(lokaalPad, pad, doel); }).ok();
}

bool FtpSession::FtpBestandHalen(const QString& lokaalPad, const QString& serverPad, qint64 verwachteGrootte)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) {
        m_fout = m_verbindingsHandle ? QStringLiteral("Ongeldige naam") : QStringLiteral("Niet verbonden");
        return false;
    }
    return bewerking([&] { return halen(pad, lokaalPad, verwachteGrootte); }).ok();
}

Uitkomst FtpSession::deel(bool halen, const QString& bestand, const QString& pad, qint64 vanaf, qint64 tot,
                          qint64 grootte)
{
    Sessieprotocol& p = protocol();
    // What of the part is in place: a break continues from there.
    qint64 binnen = 0;
    const auto eens = [&]() -> Uitkomst {
        const qint64 van = vanaf + binnen;
        Uitkomst u;
        if (halen) {
            Ontvangst doel(bestand);
            if (!doel.deel(bestand, van, tot)) return Uitkomst::Met(Afloop::LokaalSchrijven);
            // The last part runs to the file's end as a whole file does; the others are a range.
            u = p.Halen({.pad = pad, .doel = &doel, .vanaf = van, .tot = tot < grootte ? tot : -1});
            binnen += doel.deelBinnen();
        } else {
            u = p.Plaatsen({.pad = pad, .lokaalPad = bestand, .rechten = 0600, .vanaf = van, .tot = tot});
            binnen += std::max<qint64>(u.overgedragen, 0);
        }
        if (u.ok() && vanaf + binnen < tot) u.afloop = Afloop::Kort;
        return u;
    };
    // A server full now: the part goes to a connection that is in.
    return hervat(herhaald(eens), eens, [](const Uitkomst& nu) {
        return Hervatbaar(nu) && nu.afloop != Afloop::HervattenGeweigerd && nu.afloop != Afloop::Vol;
    });
}

bool FtpSession::FtpDeelHalen(const QString& bestand, const QString& serverPad, qint64 vanaf, qint64 tot,
                              qint64 grootte)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) return false;
    return bewerking([&] { return deel(true, bestand, pad, vanaf, tot, grootte); }).ok();
}

bool FtpSession::FtpDeelPlaatsen(const QString& lokaalPad, const QString& serverPad, qint64 vanaf, qint64 tot)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad) || !protocol().DelenPlaatsen()) return false;
    return bewerking([&] { return deel(false, lokaalPad, pad, vanaf, tot, -1); }).ok();
}

bool FtpSession::DelenPlaatsbaar()
{
    return protocol().DelenPlaatsen();
}

bool FtpSession::FtpDeelInzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& serverPad)
{
    const QString tijdelijkPad = FtpPadVoorvoegsel(tijdelijk);
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad) || !FtpVeiligeTekst(tijdelijkPad)) return false;
    Sessieprotocol& p = protocol();
    return bewerking([&] { return herhaald([&] { return p.Inzetten(lokaalPad, tijdelijkPad, pad); }); }).ok();
}

bool FtpSession::FtpBestandStand(const QString& serverPad, qint64& grootte, qint64& tijd)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) return false;
    Sessieprotocol& p = protocol();
    const Uitkomst u = bewerking([&] { return herhaald([&] { return p.Stand(pad, true); }); });
    grootte = u.lengte;
    tijd = u.tijd;
    return u.ok();
}

void FtpSession::restenOpruimen()
{
    QStringList resten;
    std::swap(resten, m_resten);
    Sessieprotocol& p = protocol();
    for (const QString& rest : std::as_const(resten)) {
        const Uitkomst u = herhaald([&] { return p.Bewerken(Handeling::Wissen, rest); });
        // Kept for later only while the server cannot be reached; a refusal will not change.
        if (!u.ok() && IsVerbindingsfout(u.afloop)) m_resten << rest;
    }
}

void FtpSession::RestenOpruimen()
{
    if (m_bezig || !m_verbindingsHandle || m_resten.isEmpty()) return;
    bewerking([] { return Uitkomst{}; });
}

} // namespace Vamox
