#pragma once

#include "panes/gui/Paneel.h"

#include <QString>

#include <optional>

class QAction;
class QComboBox;

namespace Vamox {

class LokaleBron;

// The local side: the lists over the local disk, the folder box MapLokaal and the drive box.
class LokaalPaneel final : public Paneel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LokaalPaneel)

public:
    // `invoerToegestaan`: drive box changes are ignored while off (start-up).
    LokaalPaneel(LokaleBron& bron, const PaneelUi& ui, const PaneelMenus& menus, QComboBox& schijfLokaal,
                 QAction& mnuVerkennerOpenen, QAction& mnuVernieuwenLokaal, const bool& vullenToegestaan,
                 const bool& invoerToegestaan);

    const QString& HuidigeLokalemap() const { return HuidigeMap(); }
    // The drive box value that was last available.
    const QString& LaatsteSchijf() const { return m_laatsteSchijf; }

    void LijstVullenLokaal(const std::optional<QString>& map = std::nullopt, Soort soort = Soort::Beide,
                           bool deselecteren = false);
    void ToevoegenLijstBLokaal(const FtpEntry& entry, Bestandsvulling& vulling);
    // Empties both lists and reads the current folder again.
    void LokaalVerversen();
    void Verversen() override { LokaalVerversen(); }
    int AantalLokaalSubmappen(const std::optional<QString>& map = std::nullopt);

    // The drive box: the mounted volumes, the current one kept. The root of its chosen volume
    // ("" when none is chosen).
    void SchijvenVullen();
    QString SchijfRoot() const;
    void SchijfLokaal_Change();
    // Selects, without navigating, the drive box entry of the volume that holds `map` (the
    // longest root that is a prefix). Nothing changes when no volume holds it.
    void SchijfKiezenVoor(const QString& map);
    // Selects a drive box entry by its text without navigating; false when there is none.
    bool SchijfKiezen(const QString& tekst);
    // Shows the root of the drive box's volume.
    void NaarSchijfRoot();
    void mnuVerkennerOpenen_Click();

protected:
    QString MapVorm(const QString& map) const override;
    // A missing folder gives a short notice.
    void LeesfoutMelden(const QString& map, Leesuitkomst uitkomst) override;
    bool PlustekenVragen() override;
    QString ProgrammaMap(const QString& map) const override { return map; }
    bool eventFilter(QObject* object, QEvent* event) override;
    void MapVak_Enter() override { MapLokaal_Enter(); }
    void MapVak_Escape() override;
    // An unconfirmed edit is dropped.
    void MapVak_Verlaten() override;
    // A right click opens the folder in the file browser.
    bool MapVak_MuisLos(Qt::MouseButton knop) override;

public:
    // What Enter in the folder box does (also when a repeated transfer puts its folder there).
    void MapLokaal_Enter();

private:
    void MapLokaal_Change();

    QComboBox& m_schijf;
    const bool& m_invoerToegestaan;
    QString m_laatsteSchijf;
};

} // namespace Vamox
