#pragma once

#include <QColor>
#include <QObject>
#include <QString>

class QToolButton;
class QWidget;

namespace Vamox {

class LijstWeergave;
class LokaalPaneel;
class Paneel;
class ServerPaneel;

// Text colour of the status labels and folder boxes: red (the scheme's Kleurrol::Fout) while a
// folder is missing or the server does not answer, else the text colour of the scheme.
void TekstRoodZetten(QWidget& besturing, bool rood);
bool TekstRood(const QWidget& besturing);
QColor Tekstkleur(const QWidget& besturing);

// The selected row of a list (the first one of a file list), -1 when none.
int GeselecteerdeRij(const LijstWeergave& lijst);
// Selects one row (all others deselected), makes it current and scrolls it into view.
void RijSelecteren(LijstWeergave& lijst, int rij);

// Which side is active, and the actions that go to the active side: the toolbar's up button,
// leaving a folder, the plus setting of a side.
class Navigatie final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Navigatie)

public:
    // `centraal` holds the window's controls; the focused one tells the active side.
    Navigatie(LokaalPaneel& lokaal, ServerPaneel& server, QWidget& centraal, QToolButton& knopMapHoger);

    // Opens the selected row of LijstFtp, LijstLokaal or LijstBLokaal: a folder is shown, a
    // local file is handed to its program.
    void MapOpenen(LijstWeergave& lijst);
    // The parent of the active side's folder, with the folder just left selected.
    void MapHoger();
    // True when the focused control belongs to the local side.
    bool LokaalActief() const;
    // True when the focused control belongs to the server side (with neither, both are false).
    bool FtpActief() const;
    // Refills a side's lists (true: local) and selects the folder row at the same place again.
    void PlusLokaalFtpBijwerken(bool lokaal);
    // Left button: MapHoger; right button on the local side: the root of the drive box's volume.
    void knopMapHoger_MouseUp(Qt::MouseButton knop);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool ActiefBevat(const char* deel) const;
    // The child of the central widget that holds `w`, nullptr outside it.
    const QWidget* BesturingVan(const QWidget* w) const;
    // "lokaal" or "ftp" for a control of a side, empty for the toolbar and the background.
    static QString Kant(const QWidget* besturing);
    Paneel& PaneelVan(const LijstWeergave& lijst);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    QWidget& m_centraal;
    QToolButton& m_knopMapHoger;
    QString m_laatsteKant; // the side that last had the focus
};

} // namespace Vamox
