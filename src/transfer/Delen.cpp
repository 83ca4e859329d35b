#include "transfer/Delen.h"

#include "ftp/FtpSession.h"
#include "ftp/Ontvangst.h"
#include "platform/EigenBestand.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <chrono>

namespace Vamox {

namespace {

// How often a part may find the server full before the file fails.
constexpr int VolPogingen = 4;

Verbindingenpool::Uitslag Mislukt(FtpSession& sessie)
{
    Verbindingenpool::Uitslag u;
    u.afgebroken = sessie.afgebroken();
    u.verbroken = !u.afgebroken && sessie.verbindingVerbroken();
    u.fout = sessie.laatsteFout();
    return u;
}

Verbindingenpool::Uitslag Met(const QString& fout, bool afgebroken = false)
{
    Verbindingenpool::Uitslag u;
    u.afgebroken = afgebroken;
    u.fout = fout;
    return u;
}

} // namespace

void DelenStoppen(Deelklus& d)
{
    d.afbreken = true;
    for (FtpSession* s : d.lopend)
        s->afbreken();
}

int Deelaantal(FtpSession& sessie, const Klus& klus, const Poolgedeeld& g)
{
    const int verbindingen = g.verbindingen;
    if (verbindingen < 2) return 1;
    switch (klus.richting) {
    case Klus::Richting::Downloaden:
        if (!g.ftpDelen && !sessie.DelenPlaatsbaar()) return 1; // FTP: see ZetFtpDelen
        // A size not known is asked once the parts are to be cut (a small file then goes whole).
        return klus.grootte < 0 || klus.grootte > g.drempel ? verbindingen : 1;
    case Klus::Richting::Uploaden:
        // FTP has no command to write at an offset: its uploads go whole.
        return QFileInfo(klus.bron).size() > g.drempel && sessie.DelenPlaatsbaar() ? verbindingen : 1;
    default:
        return 1;
    }
}

Deeleinde DeelUitvoeren(FtpSession& sessie, Poolgedeeld& g, const Poolwerk& werk, const Deelmelder& melder)
{
    Deelklus& d = *werk.groot;
    Deelklus::Deel& deel = d.delen[size_t(werk.deel)];
    bool gelukt = false, gebroken = false;
    {
        std::lock_guard lock(g.mutex);
        if (!d.afbreken) d.lopend.push_back(&sessie);
    }
    if (!d.afbreken) {
        melder.begint(werk.groot, werk.deel);
        gelukt = d.klus.richting == Klus::Richting::Downloaden
                     ? sessie.FtpDeelHalen(d.bestand, d.klus.bron, deel.vanaf, deel.tot, d.grootte)
                     : sessie.FtpDeelPlaatsen(d.klus.bron, d.bestand, deel.vanaf, deel.tot);
        melder.eindigt(gelukt);
    }
    {
        std::lock_guard lock(g.mutex);
        std::erase(d.lopend, &sessie);
        if (!gelukt && !d.afbreken && !sessie.afgebroken()) {
            // An FTP part closes its login when it ends early; another connection may have taken
            // the place meanwhile. The part waits for one that is in, a few times at most (a
            // server full of others' connections fails the file).
            if (sessie.serverVol() && ++deel.vol <= VolPogingen) {
                g.wachtrij.push_front(werk);
                g.werk.notify_all();
                return Deeleinde::Vol;
            }
            gebroken = sessie.verbindingVerbroken();
            // A part whose connection broke goes once more, on another connection (or the
            // file's first one), from its start: what it moved is written over.
            if (gebroken && !deel.herkansing) {
                deel.herkansing = true;
                g.wachtrij.push_front(werk);
                g.werk.notify_all();
                return Deeleinde::Gebroken;
            }
            if (!d.mislukt) {
                d.mislukt = true;
                d.fout = Mislukt(sessie);
            }
            DelenStoppen(d);
        } else if (!gelukt && sessie.afgebroken()) {
            DelenStoppen(d);
        }
        --d.open;
    }
    g.werk.notify_all();
    return gebroken ? Deeleinde::Gebroken : Deeleinde::Klaar;
}

Verbindingenpool::Uitslag DelenUitvoeren(FtpSession& sessie, Poolgedeeld& g, const Klus& klus, int delen,
                                         const Deelmelder& melder)
{
    auto groot = std::make_shared<Deelklus>();
    Deelklus& d = *groot;
    d.klus = klus;
    const bool halen = klus.richting == Klus::Richting::Downloaden;
    std::unique_ptr<Ontvangst> ontvangst;
    qint64 tijd = -1;
    // A server this close answers a question within a few milliseconds: one connection is not held
    // back by the round trip there, and parts would only add their logins and the disk's writes
    // at several places at once (measured: slower than whole over loopback).
    QElapsedTimer klok;
    klok.start();
    const auto dichtbij = [&] { return klok.elapsed() < g.rondgangMs; };
    if (halen) {
        // The size and time now, not as listed: the parts are cut from it, and the file must
        // still be the same once they are in.
        if (!sessie.FtpBestandStand(klus.bron, d.grootte, tijd)) {
            if (sessie.afgebroken() || sessie.verbindingVerbroken()) return Mislukt(sessie);
            d.grootte = -1;
        }
        // A server that tells no size, and a small file, get it whole.
        if (d.grootte <= g.drempel || dichtbij()) return KlusUitvoeren(sessie, klus);
        ontvangst = std::make_unique<Ontvangst>(klus.doel);
        if (!ontvangst->open() || !ontvangst->reserveren(d.grootte))
            return Met(QStringLiteral("Het lokale bestand kan niet worden gemaakt"));
        d.bestand = ontvangst->bestand();
    } else {
        d.grootte = QFileInfo(klus.bron).size();
        const QString map = klus.doel.left(klus.doel.lastIndexOf(u'/') + 1);
        d.bestand = map + TijdelijkeNaam();
        qint64 n = -1, t = -1;
        if (!sessie.FtpBestandStand(klus.doel, n, t) && (sessie.afgebroken() || sessie.verbindingVerbroken()))
            return Mislukt(sessie);
        if (dichtbij()) return KlusUitvoeren(sessie, klus);
        // Made empty first, readable by nobody else; a folder that refuses the name gets the
        // file whole, written over as before.
        if (!sessie.FtpDeelPlaatsen(klus.bron, d.bestand, 0, 0)) {
            if (sessie.afgebroken() || sessie.verbindingVerbroken()) return Mislukt(sessie);
            return KlusUitvoeren(sessie, klus);
        }
    }
    // SFTP: twice as many parts as connections, so the first connection, which begins before the
    // others have logged in, and any faster one take more of them (a part costs an open and a
    // close). FTP: one each, as every part but the last ends its login with it.
    const int maal = sessie.gegevens().protocol == Protocol::Sftp ? 2 : 1;
    delen = int(std::clamp<qint64>(d.grootte / std::max<qint64>(g.drempel / 8, 1), 1, maal * qint64(delen)));
    for (int i = 0; i < delen; ++i)
        d.delen.push_back({.vanaf = d.grootte * i / delen, .tot = d.grootte * (i + 1) / delen});
    d.open = delen;
    d.gezien.assign(size_t(delen), 0);
    {
        std::lock_guard lock(g.mutex);
        g.delen[klus.id] = groot;
        // Before the files that wait: this one is under way.
        for (int i = delen - 1; i >= 1; --i)
            g.wachtrij.push_front({.klus = klus, .groot = groot, .deel = i});
    }
    g.werk.notify_all();
    melder.erbij();
    // The first part here, then whatever part of this file still waits (a connection that broke,
    // or others that never got in), until every part is done.
    Poolwerk eigen{.klus = klus, .groot = groot, .deel = 0};
    for (;;) {
        // Turned away by a full server: the parts are left to the connections that are in while
        // any runs; once none does, this one tries again.
        const bool vol = DeelUitvoeren(sessie, g, eigen, melder) == Deeleinde::Vol;
        std::unique_lock lock(g.mutex);
        bool gevonden = false;
        while (!gevonden) {
            const auto it = std::find_if(g.wachtrij.begin(), g.wachtrij.end(),
                                         [&](const Poolwerk& w) { return w.groot == groot; });
            if (it != g.wachtrij.end() && vol && !d.lopend.empty()) {
                g.werk.wait_for(lock, std::chrono::milliseconds(100));
            } else if (it != g.wachtrij.end()) {
                eigen = std::move(*it);
                g.wachtrij.erase(it);
                gevonden = true;
            } else if (d.open == 0 || (d.afbreken && d.lopend.empty())) {
                // Stopped: a part still waiting is skipped by whoever takes it.
                break;
            } else {
                g.werk.wait_for(lock, std::chrono::milliseconds(100));
            }
        }
        if (!gevonden) break;
    }
    {
        std::lock_guard lock(g.mutex);
        g.delen.erase(klus.id);
    }
    Verbindingenpool::Uitslag u;
    if (d.afbreken && !d.mislukt) {
        u = Met(QStringLiteral("Geannuleerd"), true);
    } else if (d.mislukt && halen && !d.fout.verbroken && !d.fout.afgebroken) {
        // A server that will not continue a file at an offset (or whose file changed) sends it
        // whole, as before.
        ontvangst.reset();
        return KlusUitvoeren(sessie, klus);
    } else if (d.mislukt) {
        u = d.fout;
    } else if (halen) {
        // Whole only as the file it was begun as, at its size.
        qint64 grootte = -1, nu = -1;
        if (!sessie.FtpBestandStand(klus.bron, grootte, nu)) {
            u = Mislukt(sessie);
        } else if (grootte != d.grootte || nu != tijd || QFileInfo(d.bestand).size() != d.grootte) {
            u = Met(QStringLiteral("Onvolledig overgekomen"));
        } else if (!ontvangst->vastleggen()) {
            u = Met(QStringLiteral("Het lokale bestand kan niet worden vervangen"));
        } else {
            u.gelukt = true;
        }
    } else if (!sessie.FtpDeelInzetten(klus.bron, d.bestand, klus.doel)) {
        u = Mislukt(sessie);
    } else {
        u.gelukt = true;
    }
    if (u.gelukt) {
        u.bytes = d.grootte;
        return u;
    }
    // Nothing of it stays: the local temporary file goes with `ontvangst`, the server's here.
    if (!halen) sessie.FtpBestandWissen(d.bestand);
    return u;
}

} // namespace Vamox
