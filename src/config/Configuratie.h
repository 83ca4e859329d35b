#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace Vamox {

// The settings lines of the configuration file, in the order they are written. An empty field means
// "no usable line for this key": the window keeps its initial state for it. Sizes are in twips.
struct Instellingen
{
    std::optional<bool> CfgOpenen;              // cfgopenen=        .Bij starten openen
    std::optional<bool> CfgOpslaan;             // cfgopslaan=       .Bij afsluiten opslaan
    std::optional<QString> Server;              // server=           name of the chosen server
    std::optional<QString> Schijf;              // schijf=           drive box value
    std::optional<int> Links;                   // links=
    std::optional<int> Top;                     // top=              see TopBegrenzen
    std::optional<int> Breedte;                 // breedte=          see BreedteBegrenzen
    std::optional<int> Hoogte;                  // hoogte=           see HoogteBegrenzen
    std::optional<int> Venster;                 // venster=          0 normal, 1 minimised, 2 maximised
    std::optional<bool> KnoppenbalkTonen;       // knoppenbalktonen=
    std::optional<bool> ServerOpenen;           // serveropenen=
    std::optional<bool> LokaalOpenen;           // lokaalopenen=
    std::optional<bool> BuitenDownloaden;       // buitendownloaden=
    std::optional<bool> Standaardformaat;       // standaardformaat=
    std::optional<bool> PlusBijSubmappenLokaal; // plusbijsubmappenlokaal=
    std::optional<bool> PlusBijSubmappenFtp;    // plusbijsubmappenftp=
    std::optional<QString> MapLokaalActueel;    // maplokaalactueel=
    std::optional<QString> PatroonLokaal;       // patroonlokaal=
    std::optional<QString> MapFtpActueel;       // mapftpactueel=
    std::optional<QString> PatroonFtp;          // patroonftp=
    std::optional<QString> Uploadbestand;       // uploadbestand=
    std::optional<int> Standaardbreedte;        // standaardbreedte=
    std::optional<int> Standaardhoogte;         // standaardhoogte=
    std::optional<int> Verbindingen;            // verbindingen=     see VerbindingenBegrenzen
    std::optional<bool> Achtergrond;            // achtergrond=      transfers in the background; only when on
    std::optional<bool> RechtenTonen;           // rechtentonen=     the server files' column Rechten; only when on
    QStringList Synchronisaties;                // synchroniseren=   one line per saved server synchronised

    bool operator==(const Instellingen&) const = default;
};

// What the previous run left in the configuration file: offered by "Laatstelijke ophalen", and
// the server the server box connects to at start.
struct Opgeslagen
{
    QString OpgeslagenServer;
    QString OpgeslagenServermap;
    QString OpgeslagenLokalemap;
    QString OpgeslagenSchijf;
    QString OpgeslagenPatroonFtp;
};

// What reading a configuration file gave.
struct ConfiguratieInhoud
{
    Instellingen instellingen;
    QStringList serverRegels; // stored server lines in file order, unsorted
    bool gestopt = false;     // "cfgopenen=0": nothing after that line was taken
    // Server lines after that stop. Not applied, but a later write that should keep the saved
    // servers needs them: the list read is empty then.
    QStringList overgeslagenServerRegels;

    // serverRegels as ServerLijst: an empty element 0, then the lines sorted by name.
    QStringList ServerLijst() const;
};

// Reads the file's bytes. Keys are matched ignoring case up to and including the first "="; the
// value is the rest of the line as it stands. A line with the separator is a server line only.
// A value that does not fit its key (text where a number is needed) leaves that key empty.
ConfiguratieInhoud ConfiguratieParsen(const QByteArray& bytes);

// Reads the file at `pad`; empty when there is no file or it cannot be read.
std::optional<ConfiguratieInhoud> ConfiguratieBestandLezen(const QString& pad);

// Keys whose values cannot be written (separator or line break inside); ConfiguratieSchrijven leaves
// their lines out, so the caller can tell the user which settings were not kept.
QStringList OnopslaanbareSleutels(const Instellingen& instellingen);

// Writes the settings lines that have a value, in order, then ServerLijst from element 1 (entries
// that are empty or hold a line break are left out), each line ended by CR LF, as UTF-8.
// The file is replaced only when the whole new text is on disk; the old one stays on any failure.
// The new file is readable by its owner only. False when nothing was written.
bool ConfiguratieSchrijven(const QString& pad, const Instellingen& instellingen,
                           const QStringList& serverLijst);

// Rewrites the server lines only: the file's other lines stay as they are, in order, each ended by
// CR LF, followed by ServerLijst from element 1 as ConfiguratieSchrijven writes it. Replaced as
// ConfiguratieSchrijven replaces it; false when nothing was written.
bool ServerregelsSchrijven(const QString& pad, const QStringList& serverLijst);

// The file's lines, each followed by CR LF; empty when there is no file.
QString ConfiguratieTekst(const QString& pad);

// Window geometry from the file is kept on the screen (all in twips). The left edge is not limited.
int TopBegrenzen(int top);
int BreedteBegrenzen(int breedte, int schermbreedte);
int HoogteBegrenzen(int hoogte, int schermhoogte);

// Connections a folder transfer moves its files over: 4 without a setting, else 1 to 8. The
// file has a line for it only when another number than the default was chosen.
inline constexpr int StandaardVerbindingen = 4;
inline constexpr int MaximumVerbindingen = 8;
int VerbindingenBegrenzen(std::optional<int> verbindingen);

} // namespace Vamox
