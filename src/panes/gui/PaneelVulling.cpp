#include "panes/gui/PaneelVulling.h"

#include "ftp/FtpPaden.h"
#include "panes/Rijen.h"
#include "panes/RijenSorteren.h"
#include "panes/gui/ImageLijst16.h"
#include "panes/gui/LijstWeergave.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace Vamox {

namespace {

// Changing the list of an editable combo box may replace its text (the first entry added to an
// empty list becomes current); the pattern box must keep what the user typed.
template <typename Wijziging> void LijstWijzigen(QComboBox& vak, Wijziging wijziging)
{
    const QString tekst = vak.currentText();
    const QSignalBlocker stil(vak);
    wijziging();
    vak.setCurrentIndex(-1);
    vak.setEditText(tekst);
}

} // namespace

Bestandsvulling::Bestandsvulling(QComboBox& patroonVak, ImageLijst16& beelden, const QString& lokaleMap,
                                 Extensies* extensies, const Verbergen* verbergen)
    : m_patroonVak(patroonVak), m_beelden(beelden), m_lokaleMap(lokaleMap),
      m_alles(PatroonIsLeeg(PatroonTekst(patroonVak))),
      m_verbergen(verbergen && *verbergen ? verbergen : nullptr), m_patroon(PatroonTekst(patroonVak)),
      m_extensies(extensies ? *extensies : m_eigen)
{
    for (int i = 0; i < patroonVak.count(); ++i)
        m_inBox.insert(patroonVak.itemText(i).toLower());
}

bool Bestandsvulling::Tonen(ListRow& rij, int extensie)
{
    if (!Kiezen(rij, extensie)) return false;
    Versieren(rij, extensie);
    return true;
}

bool Bestandsvulling::Kiezen(const ListRow& rij, int& extensie)
{
    if (m_metExtensies) {
        if (extensie < 0) extensie = m_extensies.Index(rij.naam);
        if (extensie != 0) {
            if (std::size_t(extensie) >= m_gezien.size())
                m_gezien.resize(std::size_t(m_extensies.Aantal()), 0);
            if (!m_gezien[std::size_t(extensie)]) {
                m_gezien[std::size_t(extensie)] = 1;
                const QString tekst = QStringLiteral("*.") + m_extensies.Tekst(extensie);
                m_alleExtensies.push_back(tekst);
                if (!m_inBox.contains(tekst)) m_nieuw.push_back(tekst);
                m_plaats.resize(m_gezien.size(), -1);
                m_plaats[std::size_t(extensie)] = int(m_eersteNaam.size());
                m_eersteNaam.emplace_back(rij.naam, tekst);
            } else {
                QString& eerste = m_eersteNaam[std::size_t(m_plaats[std::size_t(extensie)])].first;
                if (NaamEerder(rij.naam, eerste)) eerste = rij.naam;
            }
        }
    }
    return (m_alles || m_patroon.past(rij.naam)) && !(m_verbergen && (*m_verbergen)(rij));
}

void Bestandsvulling::Versieren(ListRow& rij, int extensie)
{
    // Only programs look at the file; every other row keeps the key of its extension.
    if (!m_lokaleMap.isEmpty() && rij.naam.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        rij.icoonSleutel = m_beelden.ToevoegenAanImagelijst16Exe(m_lokaleMap + rij.naam);
        return;
    }
    // The picture of a kind of file is looked for once per fill.
    if (extensie < 0) extensie = m_extensies.Index(rij.naam);
    if (std::size_t(extensie) >= m_beeld.size()) m_beeld.resize(std::size_t(m_extensies.Aantal()), 0);
    if (!m_beeld[std::size_t(extensie)]) {
        m_beeld[std::size_t(extensie)] = 1;
        m_beelden.ToevoegenAanImagelijst16(rij.icoonSleutel);
    }
}

void Bestandsvulling::Toevoegen(const ListRow& rij)
{
    int extensie = -1;
    if (!Kiezen(rij, extensie)) return;
    ListRow getoond = rij;
    Versieren(getoond, extensie);
    m_rijen.push_back(std::move(getoond));
}

void Bestandsvulling::AllesToevoegen(std::vector<ListRow>&& rijen)
{
    if (!Alles() || !m_rijen.empty()) {
        for (const ListRow& rij : rijen)
            Toevoegen(rij);
        return;
    }
    for (ListRow& rij : rijen)
        Tonen(rij);
    m_rijen = std::move(rijen);
}

void Bestandsvulling::GetoondOvernemen(std::vector<ListRow>&& rijen, const QStringList& extensies)
{
    if (!Alles() || !m_rijen.empty()) {
        AllesToevoegen(std::move(rijen));
        return;
    }
    if (m_metExtensies) {
        for (const QString& tekst : extensies) {
            m_alleExtensies.push_back(tekst);
            if (!m_inBox.contains(tekst)) m_nieuw.push_back(tekst);
        }
    }
    m_rijen = std::move(rijen);
}

QStringList Bestandsvulling::ExtensiesOpNaam() const
{
    std::vector<std::pair<QString, QString>> opNaam = m_eersteNaam;
    // Two extensions never share a first name: names equal apart from case end alike.
    std::sort(opNaam.begin(), opNaam.end(),
              [](const auto& a, const auto& b) { return NaamEerder(a.first, b.first); });
    QStringList uit;
    for (const auto& [naam, tekst] : opNaam)
        uit.push_back(tekst);
    return uit;
}

void Bestandsvulling::Afronden(LijstWeergave& lijst)
{
    lijst.lijstModel().RijenVervangen(std::move(m_rijen));
    m_rijen.clear();
    PatroonlijstAfronden();
}

void Bestandsvulling::PatroonlijstAfronden()
{
    if (!m_nieuw.isEmpty()) LijstWijzigen(m_patroonVak, [&] { m_patroonVak.addItems(m_nieuw); });
    m_nieuw.clear();
}

ListRow BestandsRij(const FtpEntry& entry, Extensies& extensies, int* extensie)
{
    static const QString bestand = QStringLiteral("bestand");
    ListRow rij;
    rij.naam = entry.naam;
    rij.grootte = std::max<qint64>(entry.grootte, 0);
    TijdZetten(rij, entry);
    const int index = extensies.Index(entry.naam);
    if (extensie) *extensie = index;
    const QString& tekst = extensies.Tekst(index);
    rij.icoonSleutel = tekst.isEmpty() ? bestand : tekst;
    return rij;
}

QString PatroonTekst(const QComboBox& patroonVak)
{
    return SpatiesWeg(patroonVak.currentText());
}

void PatroonlijstOpnieuw(QComboBox& patroonVak)
{
    PatroonlijstOpnieuw(patroonVak, {});
}

void PatroonlijstOpnieuw(QComboBox& patroonVak, const QStringList& extensies)
{
    LijstWijzigen(patroonVak, [&] {
        patroonVak.clear();
        patroonVak.addItem(QStringLiteral("*"));
        patroonVak.addItems(extensies);
    });
}

std::vector<ListRow> Mapregels(const std::vector<FtpEntry>& mappen,
                               const std::function<bool(const QString&)>& heeftSubmappen)
{
    static const QString map = QStringLiteral("map");
    static const QString mapplus = QStringLiteral("mapplus");
    static const QString mapomhoog = QStringLiteral("mapomhoog");
    std::vector<ListRow> rijen;
    rijen.reserve(static_cast<std::size_t>(mappen.size()));
    for (const FtpEntry& entry : mappen) {
        const QString& naam = entry.naam;
        ListRow rij;
        rij.naam = naam;
        // The parent entry shows "mapomhoog" whatever it holds: it is not counted.
        if (SpatiesWeg(naam) == QLatin1String(".."))
            rij.icoonSleutel = mapomhoog;
        else
            rij.icoonSleutel = heeftSubmappen && heeftSubmappen(naam) ? mapplus : map;
        RechtenZetten(rij, entry.rechten);
        rijen.push_back(std::move(rij));
    }
    return rijen;
}

} // namespace Vamox
