#include "vergelijken/Tijdverschil.h"

#include "vergelijken/Vergelijken.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <string>
#include <unordered_map>

namespace Vamox {

namespace {
constexpr int Grens = 14 * 3600;
constexpr qint64 Kwartier = 900;
} // namespace

// Zones change their offset on whole quarters of an hour, so one look-up per quarter serves every
// time within it: a folder of files made together needs a handful, not one per file.
qint64 LokaleAfwijking(qint64 utc)
{
    thread_local std::unordered_map<qint64, qint64> perKwartier;
    // A zone set anew (TZ) voids what was looked up.
    thread_local std::string zone;
    const char* tz = std::getenv("TZ");
    if (zone != (tz ? tz : "")) {
        perKwartier.clear();
        zone = tz ? tz : "";
    }
    const qint64 kwartier = utc >= 0 ? utc / Kwartier : (utc - (Kwartier - 1)) / Kwartier;
    if (const auto it = perKwartier.find(kwartier); it != perKwartier.end()) return it->second;
    if (perKwartier.size() > 200'000) perKwartier.clear();
    const qint64 afwijking =
        QDateTime::fromSecsSinceEpoch(kwartier * Kwartier, Qt::LocalTime).offsetFromUtc();
    perKwartier.emplace(kwartier, afwijking);
    return afwijking;
}

qint64 OpLokaleKlok(qint64 serverTijd, const Serverklok& klok)
{
    if (!klok.tegenUtc) return serverTijd - klok.verschilS;
    const qint64 utc = serverTijd - klok.verschilS;
    return utc + LokaleAfwijking(utc);
}

std::optional<int> TijdverschilLezen(const QString& tekst, bool* geldig)
{
    if (geldig) *geldig = true;
    const QString t = tekst.trimmed();
    if (t.isEmpty()) return std::nullopt;
    static const QRegularExpression vorm(QStringLiteral("^([+-]?)(\\d{1,2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = vorm.match(t);
    const int uren = m.captured(2).toInt();
    const int minuten = m.captured(3).toInt();
    const int seconden = uren * 3600 + minuten * 60;
    if (!m.hasMatch() || minuten > 59 || seconden > Grens) {
        if (geldig) *geldig = false;
        return std::nullopt;
    }
    return m.captured(1) == u'-' ? -seconden : seconden;
}

QString TijdverschilTekst(int seconden)
{
    const int a = std::abs(seconden) / 60;
    return (seconden < 0   ? QStringLiteral("-")
            : seconden > 0 ? QStringLiteral("+")
                           : QString()) +
           QString::number(a / 60) + u':' + QStringLiteral("%1").arg(a % 60, 2, 10, QLatin1Char('0'));
}

QString KlokTekst(const Serverklok& klok)
{
    if (!klok.tegenUtc) return TijdverschilTekst(klok.verschilS);
    return QStringLiteral("UTC") + (klok.verschilS == 0 ? QString() : TijdverschilTekst(klok.verschilS));
}

std::optional<int> TijdverschilMeten(const Klokmeting& meting)
{
    const FtpEntry& e = meting.gelijst;
    if (e.precisie != Tijdprecisie::Minuut || e.zone != Tijdzone::Server || meting.utc < 0)
        return std::nullopt;
    const Tijdstip getoond = TijdstipVan(e, {});
    if (!getoond.bekend()) return std::nullopt;
    const qint64 lokaleTijd = meting.utc + LokaleAfwijking(meting.utc);
    // The listing cuts the seconds off: the middle of its minute against the moment.
    const qint64 verschil = getoond.van + 30 - lokaleTijd;
    const qint64 kwartieren = std::llround(double(verschil) / double(Kwartier));
    if (std::abs(kwartieren * Kwartier) > Grens) return std::nullopt;
    return int(kwartieren * Kwartier);
}

std::optional<Serverklok> KlokMeten(const Klokmeting& eerste, const std::optional<Klokmeting>& tweede)
{
    const std::optional<int> verschil = TijdverschilMeten(eerste);
    if (!verschil) return std::nullopt;
    const Serverklok tegenLokaal{*verschil, false};
    const std::optional<int> ander = tweede ? TijdverschilMeten(*tweede) : std::nullopt;
    if (!ander || *ander == *verschil) return tegenLokaal;
    const qint64 utc1 = *verschil + LokaleAfwijking(eerste.utc);
    const qint64 utc2 = *ander + LokaleAfwijking(tweede->utc);
    // Neither reading holds for both: the first one stands.
    if (utc1 != utc2) return tegenLokaal;
    return Serverklok{int(utc1), true};
}

} // namespace Vamox
