#pragma once

#include "ftp/FtpSession.h"

#include <QString>
#include <QStringList>

namespace Vamox {

// The long-lived state of the main window, from start-up to shutdown.
struct Toestand
{
    FtpSession sessie;               // the one FTP connection, its current folder and last listing

    QString HuidigeLokalemap;        // ends in exactly one separator
    QStringList LokaleMappen;        // last local read: folder names, " .." first outside a root
    QStringList LokaleBestanden;     // last local read: "name<15>date time<15>size"

    QStringList ServerLijst{QString()}; // saved servers, element 0 empty, sorted by name
    QString LaatsteSchijf;           // last drive box value that was available

    // Remembered from the previous run (configuration file).
    QString OpgeslagenServer;
    QString OpgeslagenServermap;
    QString OpgeslagenLokalemap;
    QString OpgeslagenSchijf;
    QString OpgeslagenPatroonFtp;
    QString Uploadbestand;

    // The last toolbar transfers: element 0 the context, then the file names.
    QStringList LaatsteDownloads;
    QStringList LaatsteUploads;

    QString CfgBestand;              // the configuration file
    QString TijdelijkeMap;           // work folder for server files

    bool Laden = true;               // on while the window builds its controls: resizes do nothing
    bool VullenToegestaan = false;   // set at the end of start-up; before it, fills do nothing
    bool InvoerToegestaan = false;   // drive box changes are ignored while off
    bool ConfiguratieOvergeslagen = false; // Shift held at start-up: the file was not read
    bool VerbindenOnderdrukt = false; // the server box does not connect by itself
    bool Bezig = false;

    int Vensterbreedte = 0;          // twips, at the last resize
    int Vensterhoogte = 0;
    int Standaardbreedte = 0;        // twips, 0 until stored
    int Standaardhoogte = 0;

    QString SorteringMapLokaal;      // "", "sort_op" or "sort_af"
    QString SorteringMapFtp;
    bool PatroonLijstOpenLokaal = false;
    bool PatroonLijstOpenFtp = false;
};

} // namespace Vamox
