#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QToolButton;
class QWidget;

namespace Vamox {

class Wachtrij;
class LokaalPaneel;
class Paneel;
class ServerPaneel;

// The search row of each side: the search box and its "Zoeken in" button. A left click (or Enter
// in a box that holds text) looks for the box's text in every file of the side's file list,
// server files fetched one by one into the work folder; afterwards only the files that hold it
// are listed, and list and button are bold until a right click (or Enter in an empty box) puts
// all files back. While it runs the caption shows the file in hand; Escape passes a file by,
// Shift (with or without Escape) stops. The work itself is the core's Zoeken.
class Zoekopdracht final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Zoekopdracht)

public:
    // The controls and the window state it uses.
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the progress
        QToolButton* knopZoekenLokaal = nullptr;
        QLineEdit* VakZoekenLokaal = nullptr;
        QToolButton* knopZoekenFtp = nullptr;
        QLineEdit* VakZoekenFtp = nullptr;
        const QString* tijdelijkeMap = nullptr; // the work folder
    };

    Zoekopdracht(LokaalPaneel& lokaal, ServerPaneel& server, Wachtrij& wachtrij, const Besturing& besturing);
    ~Zoekopdracht() override;

    // Left: search (or, with an empty box, only the normal font); right: undo the search.
    void knopZoekenLokaal_MouseUp(Qt::MouseButton knop);
    void knopZoekenFtp_MouseUp(Qt::MouseButton knop);
    // Whether a search runs (it takes Escape itself then).
    bool Bezig() const { return m_bezig; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    struct Kant
    {
        Paneel& paneel;
        QToolButton* knop;
        QLineEdit* vak;
        bool server;
    };

    void MouseUp(const Kant& kant, Qt::MouseButton knop);
    void Zoeken(const Kant& kant);
    void Ongedaan(const Kant& kant);
    static void VetZetten(const Kant& kant, bool vet);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Wachtrij& m_wachtrij;
    Besturing m_b;
    bool m_bezig = false;
    Kant m_kantLokaal;
    Kant m_kantFtp;
};

} // namespace Vamox
