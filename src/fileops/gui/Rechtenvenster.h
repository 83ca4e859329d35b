#pragma once

#include "fileops/Rechten.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace Vamox {

// "Rechten": read, write and execute for owner, group and others as check boxes (three-state
// only where the selection mixes a bit), the octal number beside them kept in step both ways,
// and for folders whether the contents change too. Shows and edits a Rechtenkeuze, nothing more.
class Rechtenvenster final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Rechtenvenster)

public:
    // `wat` names the selection in the window's top line; `mappen`: it holds folders.
    Rechtenvenster(const Rechtenkeuze& keuze, const QString& wat, bool mappen, QWidget* parent = nullptr);

    const Rechtenkeuze& keuze() const { return m_keuze; }
    QCheckBox* vakje(int bit) const { return m_vakjes[size_t(bit)]; }
    QLineEdit* octaal() const { return m_octaal; }

private:
    void vakjesTonen();
    void vakjeGewijzigd(int bit);
    void octaalGewijzigd(const QString& tekst);
    void inhoudBijwerken();

    Rechtenkeuze m_keuze;
    std::array<QCheckBox*, Rechtenkeuze::Bits> m_vakjes{};
    QLineEdit* m_octaal = nullptr;
    QCheckBox* m_inhoud = nullptr;
    QRadioButton* m_alles = nullptr;
    QRadioButton* m_bestanden = nullptr;
    QRadioButton* m_mappen = nullptr;
    QCheckBox* m_uitvoeren = nullptr;
    bool m_bezig = false; // filling the boxes from the octal text or the other way round
};

} // namespace Vamox
