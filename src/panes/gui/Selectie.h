#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

class QAction;
class QComboBox;
class QPushButton;

namespace Vamox {

class LijstWeergave;
class LokaalPaneel;
class Navigatie;
class Paneel;
class ServerPaneel;

// True when some entry of the combo's list equals the text without regard to case.
bool InCombo(const QComboBox& combo, const QString& tekst);

// Selects (or deselects) every row; selecting scrolls the first row into view. Focus to the list.
void LijstSelecteren(LijstWeergave& lijst, bool selecteren);

void LijstDeselecteren(LijstWeergave& lijst);

// Selected rows, from the selection ranges (cheap with any number of rows).
int AantalGeselecteerd(const LijstWeergave& lijst);

// Focus to the list, then selects the first row named so (exact: capitals count) and scrolls
// it into view; nothing else when no row has the name.
void SelecterenInLijst(LijstWeergave& lijst, const QString& naam, bool exact, bool eerstDeselecteren);

// Selects the rows of the names from index 1 on (element 0 is not a name), capitals not
// counting; names without a row are passed over. The last row found is scrolled into view.
void SelecterenNamen(LijstWeergave& lijst, const QStringList& namen);

// Exactly the rows bearing one of the names (capitals counting) end up selected; the last one
// found is scrolled into view.
void NamenExactSelecteren(LijstWeergave& lijst, const QStringList& namen);

// After a deletion: focus to the list and select the row at a 1-based position, clamped to the
// last row. Position 1 (or a list of one row) selects nothing.
void SelecterenInLijstItem(LijstWeergave& lijst, qint64 positie);

// The selected rows' names from index 1 on (element 0 empty) and the 1-based position of the
// last one (0 when none).
QStringList GeselecteerdeNamen(const LijstWeergave& lijst, int& positie);

// The window side of selecting: the pattern of each side and what applies it, the active side's
// lists for the operations of other subsystems, and the selection counts in the file headers.
class Selectie final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Selectie)

public:
    // The two "Buiten venster downloaden" items colour the server lists light green while on.
    Selectie(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie,
             QAction& mnuMapFtpBuitenDownloaden, QAction& mnuBestandFtpBuitenDownloaden);
    ~Selectie() override;

    // Refill the side with the pattern in its combo; the file list and the "Patroon" button are
    // italic while a pattern is in force.
    void SelecterenPatroonLokaal();
    void SelecterenPatroonFtp();

    // After files arrived on a side: no pattern, refill, select the rows of the names (from
    // index 1 on).
    void SelecterenInLijstBLokaal(const QStringList& namen);
    void SelecterenInLijstBFtp(const QStringList& namen);

    // The active side's folder list and its folder path + the selected folder's name. False (with
    // a notice when no list of folders is active, or the server is not connected) when there is
    // no folder to act on; also false, silently, when the list has no selected row.
    bool Lijst(QString& pad, LijstWeergave*& lijst);

    // The names of the selected rows of the active side's file list from index 1 on (element 0
    // empty) and the 1-based position of the last one (0 when none).
    QStringList LijstB(int& positie);

    // Whether a side's pattern list was opened since its last choice.
    bool PatroonLijstOpenLokaal() const;
    bool PatroonLijstOpenFtp() const;

    // Every 250 ms: "selected/total" in the file headers, the server lists' drag-out colour.
    QTimer& TimerGeselecteerd() { return m_timerGeselecteerd; }
    void TimerGeselecteerdTik();
    // The server list whose drag out of the window is under way stays light green until then
    // (nullptr: none).
    void ZetBuitenSlepen(LijstWeergave* lijst);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    struct Kant;

    void Toepassen(Kant& kant);
    void Gekozen(Kant& kant);
    void RechtsOpPatroon(Kant& kant);
    void NamenSelecteren(Kant& kant, const QStringList& namen);
    void Vullen(Kant& kant);

    LokaalPaneel& m_lokaalPaneel;
    ServerPaneel& m_server;
    Navigatie& m_navigatie;
    QAction& m_mapBuitenDownloaden;
    QAction& m_bestandBuitenDownloaden;
    LijstWeergave* m_buitenSlepen = nullptr;
    std::unique_ptr<Kant> m_lokaal;
    std::unique_ptr<Kant> m_ftp;
    QTimer m_timerGeselecteerd;
};

} // namespace Vamox
