#pragma once

#include "config/Configuratie.h"
#include "config/Sleutelbos.h"
#include "config/Wachtwoorden.h"
#include "ftp/FtpSession.h"
#include "transfer/Wachtrij.h"

#include <QString>
#include <QStringList>

namespace Vamox {

// The long-lived state of the main window that no one side owns, from start-up to shutdown.
// The folders and listings of the two sides belong to their panes.
struct Toestand
{
    FtpSession sessie; // the panes' connection: listings, folders, names, the liveness probe
    Wachtrij wachtrij{sessie}; // every file moved, over connections of its own

    QStringList ServerLijst{QString()}; // saved servers, element 0 empty, sorted by name
    Sleutelbos sleutelbos;                // the desktop's keyring
    Wachtwoorden wachtwoorden{sleutelbos}; // where each saved server's password is, and the run's own

    Opgeslagen opgeslagen; // remembered from the previous run (configuration file)
    QString Uploadbestand;

    // The last toolbar transfers: element 0 the context, then the file names.
    QStringList LaatsteDownloads;
    QStringList LaatsteUploads;

    QString CfgBestand;    // the configuration file
    QString TijdelijkeMap; // work folder for server files

    bool Laden = true;                     // on while the window builds its controls: resizes do nothing
    bool VullenToegestaan = false;         // set at the end of start-up; before it, fills do nothing
    bool InvoerToegestaan = false;         // drive box changes are ignored while off
    bool ConfiguratieOvergeslagen = false; // Shift held at start-up: the file was not read
    bool VerbindenOnderdrukt = false;      // the server box does not connect by itself

    int Vensterbreedte = 0; // twips, at the last resize
    int Vensterhoogte = 0;
    int Standaardbreedte = 0; // twips, 0 until stored
    int Standaardhoogte = 0;
    int Verbindingen = StandaardVerbindingen; // a folder transfer's files move over this many at once
    QStringList Synchronisaties; // the last pair and choices of each saved server synchronised
};

} // namespace Vamox
