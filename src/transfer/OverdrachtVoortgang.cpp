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

void OverdrachtVoortgang::begin(qint64 bestanden, qint64 bytes)
{
    m_bestandenTotaal = std::max<qint64>(bestanden, 0);
    m_bytesTotaal = std::max<qint64>(bytes, 0);
    m_bestandenKlaar = 0;
    m_afgehandeld = 0;
    m_verplaatst = 0;
    m_gedaan = 0;
    m_grootte = -1;
    m_bestand.clear();
    m_metingen.clear();
    meet();
}

void OverdrachtVoortgang::bestandBegint(const QString& naam, qint64 grootte)
{
    m_bestand = naam;
    m_grootte = grootte;
    m_gedaan = 0;
}

void OverdrachtVoortgang::bestandVoortgang(qint64 gedaan)
{
    m_gedaan = std::max<qint64>(gedaan, 0);
    meet();
}

void OverdrachtVoortgang::bestandKlaar()
{
    m_afgehandeld += m_grootte >= 0 ? m_grootte : m_gedaan;
    m_verplaatst += m_gedaan;
    ++m_bestandenKlaar;
    m_bestand.clear();
    m_grootte = -1;
    m_gedaan = 0;
    meet();
}

void OverdrachtVoortgang::meet()
{
    const qint64 nu = m_klok();
    m_metingen.push_back({nu, m_verplaatst + m_gedaan});
    // Keep one measurement at or before the window's start: the average spans the whole window.
    while (m_metingen.size() >= 2 && m_metingen[1].ms <= nu - VensterMs)
        m_metingen.pop_front();
}

VoortgangStand OverdrachtVoortgang::stand() const
{
    VoortgangStand s;
    s.bestand = m_bestand;
    s.bestandenKlaar = m_bestandenKlaar;
    s.bestandenTotaal = m_bestandenTotaal;
    s.bytesTotaal = m_bytesTotaal;
    const qint64 lopend = m_grootte >= 0 ? std::min(m_gedaan, m_grootte) : m_gedaan;
    s.bytesKlaar = std::min(m_afgehandeld + lopend, m_bytesTotaal);
    if (m_metingen.empty()) return s;

    // The rate is measured up to now, so a stalled transfer shows its rate falling.
    const qint64 nu = m_klok();
    const Meting* basis = &m_metingen.front();
    for (const Meting& m : m_metingen)
        if (m.ms <= nu - VensterMs) basis = &m;
    const qint64 ms = nu - basis->ms;
    const qint64 bytes = m_verplaatst + m_gedaan - basis->bytes;
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
    tekst += QStringLiteral(" - ") + GrootteTekst(stand.bytesKlaar) + QStringLiteral(" van ") +
             GrootteTekst(stand.bytesTotaal);
    if (stand.bytesPerSeconde > 0)
        tekst += QStringLiteral(" - ") + GrootteTekst(qint64(stand.bytesPerSeconde)) + QStringLiteral("/s");
    if (stand.secondenOver >= 0) tekst += QStringLiteral(" - nog ") + DuurTekst(stand.secondenOver);
    return tekst;
}

} // namespace Vamox
