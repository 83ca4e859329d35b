#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

namespace Vamox {

class Bestandsvulling;
class FrmFtp;

// The local side of the main window: the drive box, the folder box MapLokaal, the folder list
// LijstLokaal and the file list LijstBLokaal. Reads a local folder and fills the lists, and
// handles the events of these controls.
class LokaalPaneel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LokaalPaneel)

public:
    explicit LokaalPaneel(FrmFtp& venster);

    // Reads a folder into LokaleMappen and LokaleBestanden; a missing folder gives a short
    // notice and false, with nothing else changed.
    bool LokaleMapLezen(const QString& pad);
    // Reads `map` (absent: the current local folder) and fills the folder list when `soort`
    // starts with "1" and the file list when it ends with "1".
    void LijstVullenLokaal(const std::optional<QString>& map = std::nullopt,
                           const QString& soort = QStringLiteral("11"), bool deselecteren = false);
    // One "name<15>date<15>size" record as a row of the fill, when the file is still there and
    // the pattern lets it.
    void ToevoegenLijstBLokaal(const QString& regel, Bestandsvulling& vulling);
    // Empties both lists and reads the current folder again.
    void LokaalVerversen();
    // Subfolders of a folder (absent: the selected row of LijstLokaal); 0 when the folder list is
    // empty, for the parent entry and on any failure.
    int AantalLokaalSubmappen(const std::optional<QString>& map = std::nullopt);

    // The drive box: the mounted volumes, the current one kept. The root of its chosen volume
    // ("" when none is chosen).
    void SchijvenVullen();
    QString SchijfRoot() const;
    void SchijfLokaal_Change();

    void LijstLokaal_DblClick();
    void LijstLokaal_KeyUp(int toets, Qt::KeyboardModifiers modifiers);
    void LijstLokaal_MouseUp(Qt::MouseButton knop, QPoint plek);
    void LijstBLokaal_DblClick();
    void LijstBLokaal_KeyUp(int toets, Qt::KeyboardModifiers modifiers);
    void LijstBLokaal_MouseUp(Qt::MouseButton knop, QPoint plek);
    void mnuPlusLokaal_Click(bool aan);
    void mnuPlusBijSubmappenLokaal_Click(bool aan);
    void mnuVerkennerOpenen_Click();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool PlustekenVragen();
    void MapLokaal_Change();
    void MapLokaal_Enter();
    bool MapLokaalFilter(QEvent* event);

    FrmFtp& m_venster;
};

// Whether a local folder exists; only absolute paths count (a typed relative path would
// otherwise depend on the program's working folder).
bool LokaleMapBestaat(const QString& pad);

} // namespace Vamox
