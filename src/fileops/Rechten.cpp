#include "fileops/Rechten.h"

#include <algorithm>

namespace Vamox {

namespace {

QString NaamVan(const QString& pad)
{
    return pad.mid(pad.lastIndexOf(u'/') + 1);
}

} // namespace

Rechtenkeuze::Rechtenkeuze(const std::vector<int>& huidig)
{
    bool eerste = true;
    int alle = 0;
    for (const int r : huidig) {
        if (r < 0) continue;
        if (eerste) {
            m_aan = r & 0777;
            eerste = false;
        }
        m_gemengd |= (r & 0777) ^ m_aan;
        alle |= r;
    }
    // An entry not listed could be anything: nothing is decided for it before the user does.
    if (std::any_of(huidig.begin(), huidig.end(), [](int r) { return r < 0; })) m_gemengd = 0777;
    m_aan &= ~m_gemengd;
    m_oorspronkelijk = m_gemengd;
}

void Rechtenkeuze::ZetGemengd(int bit)
{
    const int m = Masker(bit);
    if (!(m_oorspronkelijk & m)) return;
    m_gemengd |= m;
    m_aan &= ~m;
}

Bitstand Rechtenkeuze::Stand(int bit) const
{
    const int m = Masker(bit);
    return (m_gemengd & m) ? Bitstand::Gemengd : (m_aan & m) ? Bitstand::Aan : Bitstand::Uit;
}

void Rechtenkeuze::ZetBit(int bit, bool aan)
{
    const int m = Masker(bit);
    m_gemengd &= ~m;
    m_aan = aan ? (m_aan | m) : (m_aan & ~m);
}

QString Rechtenkeuze::Octaal() const
{
    QString uit;
    for (int cijfer = 2; cijfer >= 0; --cijfer) {
        const int schuif = cijfer * 3;
        uit += ((m_gemengd >> schuif) & 7) ? QChar(u'x') : QChar(u'0' + ((m_aan >> schuif) & 7));
    }
    return uit;
}

bool Rechtenkeuze::ZetOctaal(const QString& tekst)
{
    if (tekst.size() != 3) return false;
    int aan = 0, gemengd = 0;
    for (int i = 0; i < 3; ++i) {
        const int schuif = (2 - i) * 3;
        const QChar c = tekst.at(i);
        if (c == u'x' || c == u'X') {
            if (((m_oorspronkelijk >> schuif) & 7) == 0) return false;
            gemengd |= m_oorspronkelijk & (7 << schuif);
            aan |= m_aan & (7 << schuif) & ~m_oorspronkelijk;
        } else if (c >= u'0' && c <= u'7') {
            aan |= (c.unicode() - u'0') << schuif;
        } else {
            return false;
        }
    }
    m_aan = aan;
    m_gemengd = gemengd;
    return true;
}

bool Rechtenkeuze::Geldt(bool isMap) const
{
    if (!inhoud || alleen == Alleen::Alles) return true;
    return isMap == (alleen == Alleen::Mappen);
}

std::optional<int> Rechtenkeuze::Nieuw(int oud, bool isMap) const
{
    if (oud < 0 && m_gemengd != 0) return std::nullopt;
    const int basis = oud < 0 ? 0 : oud;
    int nieuw = (basis & 07000) | (basis & m_gemengd) | m_aan;
    // chmod's X: a file gets execute only where some execute bit was set already.
    if (uitvoerenAlleenMappen && !isMap && (basis & 0111) == 0) nieuw &= ~(m_aan & 0111);
    return nieuw;
}

Overdrachtsplan RechtenPlannen(FtpSession& sessie, const std::vector<Rechtendoel>& gekozen,
                               const Rechtenkeuze& keuze)
{
    Overdrachtsplan plan;
    const auto klus = [&](const QString& pad, int oud, bool isMap, bool altijd) {
        if (!keuze.Geldt(isMap)) return;
        const std::optional<int> nieuw = keuze.Nieuw(oud, isMap);
        if (!altijd && nieuw && *nieuw == oud) return;
        Klus k;
        k.richting = Klus::Richting::Rechten;
        k.naam = NaamVan(pad);
        k.bron = k.doel = pad;
        k.grootte = 0;
        k.rechten = nieuw.value_or(-1);
        if (!nieuw) {
            k.staat = Klus::Staat::Mislukt;
            k.fout = QStringLiteral("Huidige rechten onbekend");
        }
        k.nummer = qint64(plan.klussen.size()) + 1;
        plan.klussen.push_back(std::move(k));
    };
    for (const Rechtendoel& d : gekozen) {
        if (d.isMap && keuze.inhoud) {
            const FtpBoom boom = sessie.FtpBoomLezen(d.pad, false);
            if (boom.afgebroken) {
                plan.gestopt = true;
                return plan;
            }
            plan.mislukteMappen += boom.mislukt;
            for (const FtpBoom::Bestand& b : boom.bestanden)
                if (!b.link) klus(b.pad, b.rechten, false, false);
            for (auto it = boom.mappen.crbegin(); it != boom.mappen.crend(); ++it)
                klus(*it, boom.mapRechten.value(*it, -1), true, false);
        }
        klus(d.pad, d.rechten, d.isMap, true);
    }
    return plan;
}

} // namespace Vamox
