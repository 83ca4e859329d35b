#include "config/Configuratie.h"

#include "config/ServerRecord.h"
#include "config/Tekstcodering.h"
#include "ftp/FtpPaden.h"
#include "platform/EigenBestand.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <type_traits>
#include <variant>

namespace Vamox {

namespace {

using Veld = std::variant<std::optional<bool> Instellingen::*, std::optional<int> Instellingen::*,
                          std::optional<QString> Instellingen::*>;

struct Sleutel
{
    const char* naam; // lower case, with its "="
    Veld veld;
};

// Write order; on reading each key is looked up here.
const std::array<Sleutel, 26> kSleutels = {{
    {"cfgopenen=", &Instellingen::CfgOpenen},
    {"cfgopslaan=", &Instellingen::CfgOpslaan},
    {"server=", &Instellingen::Server},
    {"schijf=", &Instellingen::Schijf},
    {"links=", &Instellingen::Links},
    {"top=", &Instellingen::Top},
    {"breedte=", &Instellingen::Breedte},
    {"hoogte=", &Instellingen::Hoogte},
    {"venster=", &Instellingen::Venster},
    {"knoppenbalktonen=", &Instellingen::KnoppenbalkTonen},
    {"serveropenen=", &Instellingen::ServerOpenen},
    {"lokaalopenen=", &Instellingen::LokaalOpenen},
    {"buitendownloaden=", &Instellingen::BuitenDownloaden},
    {"standaardformaat=", &Instellingen::Standaardformaat},
    {"plusbijsubmappenlokaal=", &Instellingen::PlusBijSubmappenLokaal},
    {"plusbijsubmappenftp=", &Instellingen::PlusBijSubmappenFtp},
    {"maplokaalactueel=", &Instellingen::MapLokaalActueel},
    {"patroonlokaal=", &Instellingen::PatroonLokaal},
    {"mapftpactueel=", &Instellingen::MapFtpActueel},
    {"patroonftp=", &Instellingen::PatroonFtp},
    {"uploadbestand=", &Instellingen::Uploadbestand},
    {"standaardbreedte=", &Instellingen::Standaardbreedte},
    {"standaardhoogte=", &Instellingen::Standaardhoogte},
    {"verbindingen=", &Instellingen::Verbindingen},
    {"achtergrond=", &Instellingen::Achtergrond},
    {"rechtentonen=", &Instellingen::RechtenTonen},
}};

// Whole numbers in decimal; spaces around them are tolerated, as the old reader did.
std::optional<int> GetalLezen(const QString& waarde)
{
    bool ok = false;
    const int getal = waarde.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(getal) : std::nullopt;
}

// "1"/"0" as written; any other whole number counts as on when not 0, and "true"/"false" are
// understood as well (the old reader's conversion accepted both).
std::optional<bool> SchakelaarLezen(const QString& waarde)
{
    const QString w = waarde.trimmed();
    if (w.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (w.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    if (const auto getal = GetalLezen(w)) return *getal != 0;
    return std::nullopt;
}

void WaardeZetten(Instellingen& in, const Veld& veld, const QString& waarde)
{
    std::visit(
        [&](auto lid) {
            using T = typename std::remove_reference_t<decltype(in.*lid)>::value_type;
            if constexpr (std::is_same_v<T, bool>) {
                if (const auto b = SchakelaarLezen(waarde)) in.*lid = b;
            } else if constexpr (std::is_same_v<T, int>) {
                if (const auto g = GetalLezen(waarde)) in.*lid = g;
            } else {
                in.*lid = waarde;
            }
        },
        veld);
}

// The text of a settings value, or empty when it has none or cannot be stored.
std::optional<QString> WaardeTekst(const Instellingen& in, const Veld& veld)
{
    return std::visit(
        [&](auto lid) -> std::optional<QString> {
            const auto& waarde = in.*lid;
            if (!waarde) return std::nullopt;
            using T = typename std::remove_cvref_t<decltype(waarde)>::value_type;
            if constexpr (std::is_same_v<T, bool>)
                return QString(*waarde ? u'1' : u'0');
            else if constexpr (std::is_same_v<T, int>)
                return QString::number(*waarde);
            else if (VeldOpslaanbaar(*waarde))
                return *waarde;
            return std::nullopt;
        },
        veld);
}

// cfgopenen= and cfgopslaan= are tested first, on every line: the rest starts after them.
const Sleutel* OverigeSleutelZoeken(const QString& naam)
{
    const auto it = std::find_if(kSleutels.begin() + 2, kSleutels.end(),
                                 [&](const Sleutel& s) { return naam == QLatin1String(s.naam); });
    return it == kSleutels.end() ? nullptr : &*it;
}

} // namespace

QStringList ConfiguratieInhoud::ServerLijst() const
{
    QStringList lijst{QString()};
    lijst += serverRegels;
    ServerLijstSorteren(lijst);
    return lijst;
}

ConfiguratieInhoud ConfiguratieParsen(const QByteArray& bytes)
{
    ConfiguratieInhoud inhoud;
    Instellingen& in = inhoud.instellingen;
    const QStringList regels = RegelsSplitsen(TekstDecoderen(bytes));
    for (const QString& regel : regels) {
        if (inhoud.gestopt) {
            if (regel.contains(Scheidingsteken)) inhoud.overgeslagenServerRegels.append(regel);
            continue;
        }
        const qsizetype p = regel.indexOf(u'=');
        const QString sleutel = p < 0 ? QString() : regel.left(p + 1).toLower();
        const QString waarde = p < 0 ? QString() : regel.mid(p + 1);

        if (sleutel == QLatin1String("cfgopenen=")) WaardeZetten(in, &Instellingen::CfgOpenen, waarde);
        if (in.CfgOpenen == false) {
            inhoud.gestopt = true;
            continue;
        }
        if (sleutel == QLatin1String("cfgopslaan=")) WaardeZetten(in, &Instellingen::CfgOpslaan, waarde);
        // A server line is never also a settings line: a server named "patroonftp=x" would
        // otherwise put its whole line, password included, into that setting.
        if (regel.contains(Scheidingsteken)) {
            inhoud.serverRegels.append(regel);
            continue;
        }
        if (sleutel == QLatin1String("synchroniseren=")) {
            in.Synchronisaties.append(waarde);
            continue;
        }
        if (const Sleutel* s = sleutel.isEmpty() ? nullptr : OverigeSleutelZoeken(sleutel))
            WaardeZetten(in, s->veld, waarde);
    }
    return inhoud;
}

std::optional<ConfiguratieInhoud> ConfiguratieBestandLezen(const QString& pad)
{
    QFile bestand(pad);
    if (!QFileInfo(pad).isFile() || !bestand.open(QIODevice::ReadOnly)) return std::nullopt;
    return ConfiguratieParsen(bestand.readAll());
}

QStringList OnopslaanbareSleutels(const Instellingen& instellingen)
{
    QStringList sleutels;
    for (const Sleutel& s : kSleutels) {
        const bool heeftWaarde =
            std::visit([&](auto lid) { return (instellingen.*lid).has_value(); }, s.veld);
        if (heeftWaarde && !WaardeTekst(instellingen, s.veld)) sleutels.append(QLatin1String(s.naam));
    }
    return sleutels;
}

namespace {

// The server lines of ServerLijst from element 1, each ended by CR LF; entries that are empty or
// hold a line break are left out.
QString ServerregelsTekst(const QStringList& serverLijst)
{
    QString tekst;
    for (qsizetype i = 1; i < serverLijst.size(); ++i) {
        const QString& regel = serverLijst.at(i);
        if (!regel.isEmpty() && !regel.contains(u'\r') && !regel.contains(u'\n'))
            tekst += regel + QLatin1String("\r\n");
    }
    return tekst;
}

} // namespace

bool ConfiguratieSchrijven(const QString& pad, const Instellingen& instellingen,
                           const QStringList& serverLijst)
{
    QString tekst;
    for (const Sleutel& s : kSleutels) {
        if (const auto waarde = WaardeTekst(instellingen, s.veld))
            tekst += QLatin1String(s.naam) + *waarde + QLatin1String("\r\n");
    }
    for (const QString& regel : instellingen.Synchronisaties)
        if (VeldOpslaanbaar(regel)) tekst += QLatin1String("synchroniseren=") + regel + QLatin1String("\r\n");
    return EigenBestandSchrijven(pad, (tekst + ServerregelsTekst(serverLijst)).toUtf8(), true);
}

bool ServerregelsSchrijven(const QString& pad, const QStringList& serverLijst)
{
    QString tekst;
    if (QFileInfo(pad).exists()) {
        QFile bestand(pad);
        // A file that is there but cannot be read would lose its settings: nothing is written.
        if (!bestand.open(QIODevice::ReadOnly)) return false;
        for (const QString& regel : RegelsSplitsen(TekstDecoderen(bestand.readAll()))) {
            if (!regel.contains(Scheidingsteken)) tekst += regel + QLatin1String("\r\n");
        }
    }
    return EigenBestandSchrijven(pad, (tekst + ServerregelsTekst(serverLijst)).toUtf8(), true);
}

QString ConfiguratieTekst(const QString& pad)
{
    QFile bestand(pad);
    if (!QFileInfo(pad).isFile() || !bestand.open(QIODevice::ReadOnly)) return QString();
    QString tekst;
    for (const QString& regel : RegelsSplitsen(TekstDecoderen(bestand.readAll())))
        tekst += regel + QLatin1String("\r\n");
    return tekst;
}

int TopBegrenzen(int top)
{
    return std::max(top, 0);
}

int BreedteBegrenzen(int breedte, int schermbreedte)
{
    return std::min(breedte, schermbreedte);
}

int HoogteBegrenzen(int hoogte, int schermhoogte)
{
    return std::min(hoogte, schermhoogte - 400);
}

int VerbindingenBegrenzen(std::optional<int> verbindingen)
{
    return std::clamp(verbindingen.value_or(StandaardVerbindingen), 1, MaximumVerbindingen);
}

} // namespace Vamox
