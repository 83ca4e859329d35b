#include "panes/gui/PaneelVulling.h"

#include "ftp/FtpPaden.h"
#include "panes/gui/ImageLijst16.h"
#include "panes/gui/LijstWeergave.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

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

Bestandsvulling::Bestandsvulling(QComboBox& patroonVak, ImageLijst16& beelden, const QString& lokaleMap)
    : m_patroonVak(patroonVak), m_beelden(beelden), m_lokaleMap(lokaleMap),
      m_alles(PatroonIsLeeg(PatroonTekst(patroonVak))), m_patroon(PatroonTekst(patroonVak))
{
    for (int i = 0; i < patroonVak.count(); ++i)
        m_extensies.insert(patroonVak.itemText(i).toLower());
}

void Bestandsvulling::Toevoegen(ListRow rij)
{
    const QString extensie = ExtensiePatroon(rij.naam);
    if (!extensie.isEmpty() && !m_extensies.contains(extensie)) {
        m_extensies.insert(extensie);
        m_nieuw.push_back(extensie);
    }
    if (!m_alles && !m_patroon.past(rij.naam)) return;

    // Only programs look at the file; every other row keeps the key of its extension.
    if (!m_lokaleMap.isEmpty() && rij.naam.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        rij.icoonSleutel = m_beelden.ToevoegenAanImagelijst16Exe(m_lokaleMap + rij.naam);
    auto sleutel = m_sleutels.constFind(rij.icoonSleutel);
    if (sleutel == m_sleutels.cend()) {
        m_beelden.ToevoegenAanImagelijst16(rij.icoonSleutel);
        sleutel = m_sleutels.insert(rij.icoonSleutel);
    }
    rij.icoonSleutel = *sleutel;
    m_rijen.push_back(std::move(rij));
}

void Bestandsvulling::Afronden(LijstWeergave& lijst)
{
    lijst.lijstModel().RijenVervangen(std::move(m_rijen));
    m_rijen.clear();
    if (!m_nieuw.isEmpty()) LijstWijzigen(m_patroonVak, [&] { m_patroonVak.addItems(m_nieuw); });
    m_nieuw.clear();
}

QString PatroonTekst(const QComboBox& patroonVak)
{
    return SpatiesWeg(patroonVak.currentText());
}

void PatroonlijstOpnieuw(QComboBox& patroonVak)
{
    LijstWijzigen(patroonVak, [&] {
        patroonVak.clear();
        patroonVak.addItem(QStringLiteral("*"));
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
        rijen.push_back(std::move(rij));
    }
    return rijen;
}

} // namespace Vamox
