#pragma once

#include <QHash>
#include <QObject>
#include <QStringView>

class QWidget;

namespace Vamox {

class FrmFtp;

// A control's place in twips. Kept as fractions so that halves and quarters of odd size changes
// do not drift; each edge is rounded to a pixel only when the control is placed.
struct TwipsRechthoek
{
    double links = 0;
    double boven = 0;
    double breedte = 0;
    double hoogte = 0;
};

// The layout of the main window: every control starts at its design place and each resize moves
// or widens it by a fixed share of the change in the client area's size, so the two sides each
// take half of any extra width and the folder and file lists each half of any extra height.
class Indeling final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Indeling)

public:
    static constexpr int MinimumBreedte = 13320; // twips, the window
    static constexpr int MinimumHoogte = 9495;

    explicit Indeling(FrmFtp& venster);

    // Places a control (twips, in the client area) and remembers the place.
    void Plaatsen(QWidget* besturing, const TwipsRechthoek& plek);
    // The remembered place; a control never placed here is measured from its pixels.
    TwipsRechthoek Geometrie(const QWidget* besturing) const;

    // Move code: first character "1" moves the left (top) edge by `verschil`, last character
    // "1" changes the width (height) by it: "10" moves, "01" grows, "11" both.
    void VerplaatsenVerbreden(QWidget* besturing, double verschil, QStringView code);
    void VerplaatsenVerhogen(QWidget* besturing, double verschil, QStringView code);

    // The resize rule; runs on every size change of the client area.
    void VensterGewijzigd();

    // Keeps the window on its screen, 400 twips clear of the bottom (the task bar).
    void FormulierTonen();
    // Gives the window the stored standard size and centres it on the screen; does nothing
    // while no standard size has been stored.
    void Standaardformaat();
    // "Standaardformaat instellen": stores the current size as the standard size and centres
    // the window; a maximised window only gets a notice.
    void mnuStandaardformaat_Click();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void Toepassen(QWidget* besturing, const TwipsRechthoek& plek);
    void Centreren();

    FrmFtp& m_venster;
    QHash<const QWidget*, TwipsRechthoek> m_plaatsen;
};

} // namespace Vamox
