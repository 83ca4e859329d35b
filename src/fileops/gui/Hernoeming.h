#pragma once

#include <QObject>
#include <QString>

class QAction;
class QComboBox;
class QToolButton;

namespace Vamox {

class LijstWeergave;
class LokaalPaneel;
class Navigatie;
class Paneel;
class ServerPaneel;
class Wachtrij;

// New folders and renaming by editing a row's name in place (F2, "Hernoemen", and at once after
// a new folder). The checks and the rename are the core's; this class starts the edit, tells
// what was refused, and re-sorts and selects the row under its new name.
class Hernoeming final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Hernoeming)

public:
    struct Besturing
    {
        QToolButton* knopMapNieuw = nullptr;
        QComboBox* cboVerbindingenFtp = nullptr; // names the server in a notice
        QAction* mnuMapLokaalNieuw = nullptr;
        QAction* mnuMapFtpNieuw = nullptr;
        QAction* mnuMapLokaalHernoemen = nullptr;
        QAction* mnuMapFtpHernoemen = nullptr;
        QAction* mnuBestandLokaalHernoemen = nullptr;
        QAction* mnuBestandFtpHernoemen = nullptr;
    };

    // `wachtrij` tells which folders its transfers still need: those are not renamed.
    Hernoeming(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, const Wachtrij& wachtrij,
               const Besturing& besturing);

    // A new folder on the server side when a server control has the focus, else on the local side.
    void knopMapNieuw_Click();
    // Makes "Nieuwe map" (or the first free "Nieuwe map n") in the side's folder and opens its
    // name for editing.
    void NieuweMap(Paneel& paneel);
    // Opens the selected row's name for editing; never the parent entry. False when refused.
    bool LabelBewerken(LijstWeergave& lijst);

private:
    void NaLabelBewerken(LijstWeergave& lijst, int rij, const QString& naam);
    void Afronden(Paneel& paneel, LijstWeergave& lijst, const QString& naam);
    Paneel& PaneelVan(const LijstWeergave& lijst);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Navigatie& m_navigatie;
    const Wachtrij& m_wachtrij;
    Besturing m_b;
    QString OudeNaam; // the name of the row being edited
    LijstWeergave* m_bewerkt = nullptr;
};

} // namespace Vamox
