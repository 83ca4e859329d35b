#pragma once

#include "mainwindow/Toestand.h"
#include "mainwindow/VensterMenus.h"
#include "mainwindow/VensterUi.h"
#include "panes/Mapbron.h"

#include <QMainWindow>

#include <memory>

namespace Vamox {

class ConfiguratieVenster;
class Bestandkopie;
class Bestandsoverdracht;
class Hernoeming;
class Rechtenwijziging;
class Herhaling;
class Klembord;
class Neerzetten;
class Slepen;
class ImageLijst16;
class Indeling;
class LokaalPaneel;
class Mapoverdracht;
class Navigatie;
class Opening;
class Overdrachtenvenster;
class Verversing;
class Opstarten;
class Toetsenbediening;
class Programmamenu;
class ServerPaneel;
class Verbinding;
class Verwijdering;
class Voortgangsweergave;
class Zoekopdracht;
class Selectie;
class Sorteren;
class Mappenvergelijking;
class Synchroonbladeren;

// The main window: the local side on the left, the server side on the right, a column of
// toolbar buttons between them. It owns the long-lived state, the controls, the menus and the
// subsystems, and wires them together; the behaviour lives in the subsystems, each of which
// gets the controls and state it serves. Building the window does not start the program:
// Starten does (the configuration file, both sides, the work folder).
class FrmFtp final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmFtp)

public:
    explicit FrmFtp(QWidget* parent = nullptr);
    ~FrmFtp() override;

    // The program's start-up: what loading the window does.
    void Starten();

    VensterUi& ui() { return m_ui; }
    VensterMenus& menus() { return m_menus; }
    Toestand& toestand() { return m_toestand; }
    Indeling& indeling() { return *m_indeling; }
    ServerPaneel& serverPaneel() { return *m_serverPaneel; }
    LokaalPaneel& lokaalPaneel() { return *m_lokaalPaneel; }
    Navigatie& navigatie() { return *m_navigatie; }
    Verbinding& verbinding() { return *m_verbinding; }
    Sorteren& sorteren() { return *m_sorteren; }
    Selectie& selectie() { return *m_selectie; }
    Voortgangsweergave& voortgang() { return *m_voortgang; }
    Overdrachtenvenster& overdrachten() { return *m_overdrachten; }
    Bestandsoverdracht& bestandsoverdracht() { return *m_bestandsoverdracht; }
    Mapoverdracht& mapoverdracht() { return *m_mapoverdracht; }
    Zoekopdracht& zoekopdracht() { return *m_zoekopdracht; }
    Bestandkopie& bestandkopie() { return *m_bestandkopie; }
    Verwijdering& verwijdering() { return *m_verwijdering; }
    Hernoeming& hernoeming() { return *m_hernoeming; }
    Rechtenwijziging& rechtenwijziging() { return *m_rechtenwijziging; }
    Opening& opening() { return *m_opening; }
    Herhaling& herhaling() { return *m_herhaling; }
    Klembord& klembord() { return *m_klembord; }
    Slepen& slepen() { return *m_slepen; }
    Neerzetten& neerzetten() { return *m_neerzetten; }
    ConfiguratieVenster& configuratie() { return *m_configuratie; }
    Opstarten& opstarten() { return *m_opstarten; }
    Mappenvergelijking& mappenvergelijking() { return *m_mappenvergelijking; }
    Synchroonbladeren& synchroonbladeren() { return *m_synchroonbladeren; }
    // "Synchroniseren…": the window for the two current folders as a pair.
    void SynchroniserenOpenen();

    // The server details window, modal over this one; with `nieuw` it starts on a new record.
    void ServergegevensOpenen(bool nieuw = false);
    // "Servers importeren…": a file of another program, its servers in a preview to choose from.
    void ServersImporteren();

private:
    void SubsystemenMaken();

    Toestand m_toestand;
    LokaleBron m_lokaleBron;
    FtpBron m_ftpBron{m_toestand.sessie};
    std::unique_ptr<ImageLijst16> m_imageLijst16;
    VensterUi m_ui;
    VensterMenus m_menus;

    // Subsystems, created after the widgets in SubsystemenMaken and destroyed before them
    // (members go in reverse order), so none of them outlives a control it connected to.
    std::unique_ptr<Indeling> m_indeling;
    std::unique_ptr<LokaalPaneel> m_lokaalPaneel;
    std::unique_ptr<ServerPaneel> m_serverPaneel;
    std::unique_ptr<Sorteren> m_sorteren;
    std::unique_ptr<Navigatie> m_navigatie;
    std::unique_ptr<Selectie> m_selectie;
    std::unique_ptr<Verbinding> m_verbinding;
    std::unique_ptr<Voortgangsweergave> m_voortgang;
    std::unique_ptr<Overdrachtenvenster> m_overdrachten;
    std::unique_ptr<Verversing> m_verversing;
    std::unique_ptr<Bestandsoverdracht> m_bestandsoverdracht;
    std::unique_ptr<Mapoverdracht> m_mapoverdracht;
    std::unique_ptr<Zoekopdracht> m_zoekopdracht;
    std::unique_ptr<Bestandkopie> m_bestandkopie;
    std::unique_ptr<Verwijdering> m_verwijdering;
    std::unique_ptr<Hernoeming> m_hernoeming;
    std::unique_ptr<Rechtenwijziging> m_rechtenwijziging;
    std::unique_ptr<Opening> m_opening;
    std::unique_ptr<Programmamenu> m_programmamenu;
    std::unique_ptr<Herhaling> m_herhaling;
    std::unique_ptr<Klembord> m_klembord;
    std::unique_ptr<Slepen> m_slepen;
    std::unique_ptr<Neerzetten> m_neerzetten;
    std::unique_ptr<Mappenvergelijking> m_mappenvergelijking;
    std::unique_ptr<Synchroonbladeren> m_synchroonbladeren;
    std::unique_ptr<ConfiguratieVenster> m_configuratie;
    std::unique_ptr<Opstarten> m_opstarten;
    std::unique_ptr<Toetsenbediening> m_toetsen;
};

} // namespace Vamox
