#pragma once

#include "config/Configuratie.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace Vamox {

class FrmFtp;
class LijstWeergave;

// Puts a pattern into a side's pattern box; the file list and the "Patroon" button are in italics
// while it filters (the sign that a pattern is in force).
void PatroonZetten(QComboBox& vak, LijstWeergave& bestanden, QPushButton& knop, const QString& patroon);

// The configuration file as the main window sees it: applying a file that was read to the menus,
// the geometry, both sides and the server box, building the settings back from the window, and
// the Bestand menu items that switch the start-up settings.
class ConfiguratieVenster final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConfiguratieVenster)

public:
    explicit ConfiguratieVenster(FrmFtp& venster);

    // Reads CfgBestand and applies it. No network: a server to open at start is only noted
    // (StartserverOpenen connects to it once the window shows).
    void ConfiguratieLezen();
    // The file was not read (Shift at start-up): its saved servers are kept when it is written.
    void ServersNietGelezen() { m_serversNietGelezen = true; }

    // Whether start-up connects to the saved server, and the connection itself.
    bool StartserverGevraagd() const { return m_startserver; }
    void StartserverOpenen();

    // The settings lines as the window holds them now.
    Instellingen InstellingenVanVenster() const;
    // ServerLijst, plus the servers of the file that were never read this run (by name, the
    // list's own entry winning): writing must not lose them.
    QStringList TeSchrijvenServers() const;
    // Writes the file. A failure, or a value that cannot be stored, is told and the program goes
    // on. True when the file was written.
    bool ConfiguratieSchrijven();
    // Rewrites only the server lines of the file (the settings lines stay); a failure is told.
    bool ServerregelsOpslaan();
    // Moves the passwords that still stand in the file into the desktop's keyring, with a notice;
    // where the keyring cannot take them, the user chooses (the file, or asked at each login).
    void WachtwoordenVerhuizen();
    // There was no configuration file at start-up.
    bool ZonderBestand() const { return m_zonderBestand; }
    void ConfiguratieOpenen();

    void mnuConfuguratieConfiguratieOpslaan_Click();
    void mnuStandaardConfiguratie_Click();
    void mnuInstellingenKnoppenbalk_Click(bool aan);
    void mnuInstellingenDownloaden_Click(bool aan);
    void mnuInstellingenStandaardformaat_Click(bool aan);
    void mnuStandaardBijStarten_Click();
    void mnuStandaardinstellingen_Click();
    // The connections of a folder transfer (1 to 8): kept for the next transfer and the file, and
    // checked in the "Verbindingen" menu.
    void VerbindingenZetten(int aantal);

private:
    void GeometrieToepassen(const Instellingen& in);
    void LokaleKantToepassen(const Instellingen& in);
    void ServerkantToepassen(const Instellingen& in);
    void BuitenDownloadenGelijkzetten();

    FrmFtp& m_venster;
    bool m_serversNietGelezen = false;
    bool m_startserver = false;
    bool m_zonderBestand = false;
};

} // namespace Vamox
