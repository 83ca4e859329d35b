#include "transfer/OverdrachtVoortgang.h"

#include "panes/Opmaak.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Vamox {

namespace {
// A shorter span gives wild rates (the first bytes of a file arrive in a burst).
constexpr qint64 MinMs = 500;
} // namespace

OverdrachtVoortgang::OverdrachtVoortgang(Klok klok) : m_klok(std::move(klok))
{
    if (!m_klok) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        m_klok = [timer] { return timer->elapsed(); };
    }
}

void OverdrachtVoortgang::begin()
{
    m_bestandenTotaal = 0;
    m_bytesTotaal = 0;
    m_bestandenKlaar = 0;
    m_afgehandeld = 0;
    m_verplaatst = 0;
    m_lopend.clear();
    m_metingen.clear();
    meet();
}

void OverdrachtVoortgang::erbij(qint64 bestanden, qint64 bytes)
{
    m_bestandenTotaal += std::max<qint64>(bestanden, 0);
    m_bytesTotaal += std::max<qint64>(bytes, 0);
}

void OverdrachtVoortgang::bestandBegint(quint64 id, const QString& naam, qint64 grootte)
{
    m_lopend[id] = {naam, grootte, 0, ++m_volgorde};
}

void OverdrachtVoortgang::bestandVoortgang(quint64 id, qint64 gedaan)
{
    const auto it = m_lopend.find(id);
    if (it == m_lopend.end()) return;
    it->second.gedaan = std::max<qint64>(gedaan, 0);
    meet();
}

void OverdrachtVoortgang::bestandKlaar(quint64 id, qint64 grootte)
{
    const auto it = m_lopend.find(id);
    const qint64 gedaan = it == m_lopend.end() ? 0 : it->second.gedaan;
    if (it != m_lopend.end()) m_lopend.erase(it);
    m_afgehandeld += grootte >= 0 ? grootte : gedaan;
    m_verplaatst += gedaan;
    ++m_bestandenKlaar;
    meet();
}

qint64 OverdrachtVoortgang::lopendeBytes() const
{
    qint64 som = 0;
    for (const auto& [id, l] : m_lopend)
        som += l.grootte >= 0 ? std::min(l.gedaan, l.grootte) : l.gedaan;
    return som;
}

void OverdrachtVoortgang::meet()
{
    const qint64 nu = m_klok();
    qint64 bewogen = m_verplaatst;
    for (const auto& [id, l] : m_lopend)
        bewogen += l.gedaan;
    m_metingen.push_back({nu, bewogen});
    // Keep one measurement at or before the window's start: the average spans the whole window.
    while (m_metingen.size() >= 2 && m_metingen[1].ms <= nu - VensterMs)
        m_metingen.pop_front();
}

VoortgangStand OverdrachtVoortgang::stand() const
{
    VoortgangStand s;
    quint64 laatste = 0;
    for (const auto& [id, l] : m_lopend) {
        if (l.volgorde > laatste) {
            laatste = l.volgorde;
            s.bestand = l.naam;
        }
    }
    s.lopend = int(m_lopend.size());
    s.bestandenKlaar = m_bestandenKlaar;
    s.bestandenTotaal = std::max(m_bestandenTotaal, m_bestandenKlaar + s.lopend);
    s.bytesTotaal = m_bytesTotaal;
    s.bytesKlaar = std::min(m_afgehandeld + lopendeBytes(), m_bytesTotaal);
    if (m_metingen.empty()) return s;

    // The rate is measured up to now, so a stalled transfer shows its rate falling.
    const qint64 nu = m_klok();
    const Meting* basis = &m_metingen.front();
    for (const Meting& m : m_metingen)
        if (m.ms <= nu - VensterMs) basis = &m;
    const qint64 ms = nu - basis->ms;
    const qint64 bytes = m_metingen.back().bytes - basis->bytes;
    if (ms >= MinMs && bytes > 0) s.bytesPerSeconde = double(bytes) * 1000.0 / double(ms);
    const qint64 over = s.bytesTotaal - s.bytesKlaar;
    if (over <= 0)
        s.secondenOver = 0;
    else if (s.bytesPerSeconde > 0)
        s.secondenOver = qint64(std::ceil(double(over) / s.bytesPerSeconde));
    return s;
}

namespace {
QString DuurTekst(qint64 seconden)
{
    const qint64 u = seconden / 3600;
    const qint64 m = seconden / 60 % 60;
    const qint64 s = seconden % 60;
    const QString ms =
        QStringLiteral("%1:%2").arg(m, u > 0 ? 2 : 1, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
    return u > 0 ? QString::number(u) + u':' + ms : ms;
}
} // namespace

QString VoortgangTekst(const VoortgangStand& stand)
{
    QString tekst = QStringLiteral("Bestand %1/%2")
                        .arg(AantalTekst(std::min(stand.bestandenKlaar + (stand.bestand.isEmpty() ? 0 : 1),
                                                  stand.bestandenTotaal)),
                             AantalTekst(stand.bestandenTotaal));
    if (!stand.bestand.isEmpty()) tekst += QStringLiteral(": ") + stand.bestand;
    if (stand.lopend > 1) tekst += QStringLiteral(" (+") + AantalTekst(stand.lopend - 1) + u')';
    if (stand.mislukt > 0) tekst += QStringLiteral(" - ") + AantalTekst(stand.mislukt) + QStringLiteral(" mislukt");
    tekst += QStringLiteral(" - ") + GrootteTekst(stand.bytesKlaar) + QStringLiteral(" van ") +
             GrootteTekst(stand.bytesTotaal);
    if (stand.bytesPerSeconde > 0)
        tekst += QStringLiteral(" - ") + GrootteTekst(qint64(stand.bytesPerSeconde)) + QStringLiteral("/s");
    if (stand.secondenOver >= 0) tekst += QStringLiteral(" - nog ") + DuurTekst(stand.secondenOver);
    return tekst;
}

} // namespace Vamox
