#include "mainwindow/Opbouw.h"

#include "mainwindow/Indeling.h"
#include "panes/gui/ImageLijst16.h"
#include "panes/gui/LijstModel.h"
#include "panes/gui/LijstWeergave.h"
#include "platform/gui/Beelden.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QToolButton>

#include <utility>

namespace Vamox {

namespace {

template <typename T> T* Maak(QWidget* ouder, const char* naam)
{
    auto* besturing = new T(ouder);
    besturing->setObjectName(QLatin1String(naam));
    return besturing;
}

// A picture button of the toolbar. A click leaves the focus where it is: the side whose control
// has the focus is the side the button acts on. Tab reaches it (and it then acts on the side
// the keyboard came from).
QToolButton* Knop(QWidget* ouder, const char* naam, const char* beeld, bool aan = true)
{
    auto* knop = Maak<QToolButton>(ouder, naam);
    knop->setIcon(Beeld(QLatin1String(beeld)));
    knop->setIconSize(QSize(22, 22));
    knop->setAutoRaise(true);
    knop->setFocusPolicy(Qt::TabFocus);
    knop->setEnabled(aan);
    return knop;
}

QComboBox* PatroonVak(QWidget* ouder, const char* naam)
{
    auto* vak = Maak<QComboBox>(ouder, naam);
    vak->setEditable(true);
    // The list is filled from the files; typing neither adds entries nor completes them.
    vak->setInsertPolicy(QComboBox::NoInsert);
    vak->setCompleter(nullptr);
    return vak;
}

LijstWeergave* Lijst(QWidget* ouder, const char* naam, LijstSoort soort, const ImageLijst16& beelden)
{
    auto* lijst = new LijstWeergave(new LijstModel(soort, &beelden), ouder);
    lijst->setObjectName(QLatin1String(naam));
    return lijst;
}

struct Plek
{
    QWidget* besturing;
    int links, boven, breedte, hoogte;
};

} // namespace

VensterUi BesturingMaken(QMainWindow& venster, ImageLijst16& beelden)
{
    VensterUi ui;
    ui.ImageLijst16 = &beelden;
    ui.centraal = Maak<QWidget>(&venster, "centraal");
    venster.setCentralWidget(ui.centraal);
    QWidget* c = ui.centraal;

    // First child, so it lies behind all the others.
    ui.LabelKnoppenbalk = Maak<QLabel>(c, "LabelKnoppenbalk");

    ui.LabelLokaal = Maak<MiddenLabel>(c, "LabelLokaal");
    ui.LabelLokaal->setText(QStringLiteral("Lokaal"));
    ui.SchijfLokaal = Maak<QComboBox>(c, "SchijfLokaal");
    ui.MapLokaal = Maak<QLineEdit>(c, "MapLokaal");
    ui.LijstLokaal = Lijst(c, "LijstLokaal", LijstSoort::Mappen, beelden);
    ui.LijstBLokaal = Lijst(c, "LijstBLokaal", LijstSoort::Bestanden, beelden);
    ui.knopPatroonLokaal = Maak<QPushButton>(c, "knopPatroonLokaal");
    ui.knopPatroonLokaal->setText(QStringLiteral("Patroon"));
    ui.cboPatroonLokaal = PatroonVak(c, "cboPatroonLokaal");
    ui.knopZoekenLokaal = Knop(c, "knopZoekenLokaal", "zoeken", false);
    ui.knopZoekenLokaal->setIconSize(QSize(16, 16));
    ui.VakZoekenLokaal = Maak<QLineEdit>(c, "VakZoekenLokaal");
    ui.VakZoekenLokaal->setEnabled(false);

    ui.LabelFtp = Maak<MiddenLabel>(c, "LabelFtp");
    ui.LabelFtp->setText(QStringLiteral("Ftp server"));
    ui.cboVerbindingenFtp = Maak<QComboBox>(c, "cboVerbindingenFtp");
    ui.MapFtp = Maak<QLineEdit>(c, "MapFtp");
    ui.LijstFtp = Lijst(c, "LijstFtp", LijstSoort::Mappen, beelden);
    ui.LijstBFtp = Lijst(c, "LijstBFtp", LijstSoort::Bestanden, beelden);
    ui.knopPatroonFtp = Maak<QPushButton>(c, "knopPatroonFtp");
    ui.knopPatroonFtp->setText(QStringLiteral("Patroon"));
    ui.cboPatroonFtp = PatroonVak(c, "cboPatroonFtp");
    ui.knopZoekenFtp = Knop(c, "knopZoekenFtp", "zoeken", false);
    ui.knopZoekenFtp->setIconSize(QSize(16, 16));
    ui.VakZoekenFtp = Maak<QLineEdit>(c, "VakZoekenFtp");
    ui.VakZoekenFtp->setEnabled(false);

    // Buttons whose subsystem is not built yet stay disabled until it switches them on.
    ui.knopServergegevens = Knop(c, "knopServergegevens", "servergegevens", false);
    ui.KnopVerbreken = Knop(c, "KnopVerbreken", "verbreken");
    ui.knopMapHoger = Knop(c, "knopMapHoger", "maphoger");
    ui.knopMapNieuw = Knop(c, "knopMapNieuw", "mapnieuw");
    ui.knopVerwijderenMap = Knop(c, "knopVerwijderenMap", "mapverwijderen");
    ui.knopUploaden = Knop(c, "knopUploaden", "mapuploaden");
    ui.knopDownloaden = Knop(c, "knopDownloaden", "mapdownloaden");
    ui.knopBUploaden = Knop(c, "knopBUploaden", "bestanduploaden");
    ui.knopBDownloaden = Knop(c, "knopBDownloaden", "bestanddownloaden");
    ui.knopUploadBestandKiezen = Knop(c, "knopUploadBestandKiezen", "uploadbestand", false);
    ui.knopOpenen = Knop(c, "knopOpenen", "openen");
    ui.knopKopierenBestand = Knop(c, "knopKopierenBestand", "kopieren", false);
    ui.knopKopierenNaarKlembord = Knop(c, "knopKopierenNaarKlembord", "klembord", false);
    ui.knopVerwijderenBestand = Knop(c, "knopVerwijderenBestand", "bestandverwijderen");

    // What a screen reader says for the controls that show no text of their own; their hover tip
    // is the description (the tip keeps it).
    const std::pair<QWidget*, const char*> namen[] = {
        {ui.SchijfLokaal, "Lokale schijf"},
        {ui.MapLokaal, "Lokale map"},
        {ui.LijstLokaal, "Lokale mappen"},
        {ui.LijstBLokaal, "Lokale bestanden"},
        {ui.knopPatroonLokaal, "Patroon lokale bestanden selecteren"},
        {ui.cboPatroonLokaal, "Patroon lokale bestandsnamen"},
        {ui.knopZoekenLokaal, "Zoeken in lokale bestanden"},
        {ui.VakZoekenLokaal, "Zoekopdracht lokale bestanden"},
        {ui.cboVerbindingenFtp, "Server"},
        {ui.MapFtp, "Servermap"},
        {ui.LijstFtp, "Servermappen"},
        {ui.LijstBFtp, "Serverbestanden"},
        {ui.knopPatroonFtp, "Patroon serverbestanden selecteren"},
        {ui.cboPatroonFtp, "Patroon serverbestandsnamen"},
        {ui.knopZoekenFtp, "Zoeken in serverbestanden"},
        {ui.VakZoekenFtp, "Zoekopdracht serverbestanden"},
        {ui.knopServergegevens, "Servergegevens openen"},
        {ui.KnopVerbreken, "Verbinding met server verbreken"},
        {ui.knopMapHoger, "Map hoger"},
        {ui.knopMapNieuw, "Nieuwe map maken"},
        {ui.knopVerwijderenMap, "Map verwijderen"},
        {ui.knopUploaden, "Lokale map uploaden"},
        {ui.knopDownloaden, "Servermap downloaden"},
        {ui.knopBUploaden, "Lokale bestanden uploaden"},
        {ui.knopBDownloaden, "Serverbestanden downloaden"},
        {ui.knopUploadBestandKiezen, "Uploadbestand uploaden"},
        {ui.knopOpenen, "Bestand openen"},
        {ui.knopKopierenBestand, "Bestand kopiëren"},
        {ui.knopKopierenNaarKlembord, "Bestanden naar Klembord kopiëren"},
        {ui.knopVerwijderenBestand, "Bestand(en) verwijderen"},
    };
    for (const auto& [besturing, naam] : namen)
        besturing->setAccessibleName(QString::fromUtf8(naam));
    // The text box inside an editable box is a control of its own to a screen reader.
    for (QComboBox* vak : {ui.cboPatroonLokaal, ui.cboPatroonFtp})
        vak->lineEdit()->setAccessibleName(vak->accessibleName());
    const QString andereKant = QStringLiteral("F6: naar de andere kant");
    for (LijstWeergave* lijst : {ui.LijstLokaal, ui.LijstBLokaal, ui.LijstFtp, ui.LijstBFtp})
        lijst->setAccessibleDescription(andereKant);

    ui.LabelKnoppenbalk->lower();
    return ui;
}

// Design places in twips, client coordinates. Local side from 120 to 7170, the toolbar column
// from 7290 to 7710, server side from 7830 to 14880. Folder lists above the file lists; the
// pattern box and the search box share one row at the bottom of each side.
void OntwerpPlaatsen(const VensterUi& ui, Indeling& indeling)
{
    constexpr int Lokaal = 120;     // left edge of the local side
    constexpr int Server = 7830;    // left edge of the server side
    constexpr int Zijde = 7050;     // width of a side
    constexpr int Balk = 7290;      // left edge of the toolbar buttons
    constexpr int Knop = 420;       // toolbar button, square
    constexpr int Stap = 450;       // toolbar button pitch
    constexpr int Mappen = 1200;    // top of the folder lists
    constexpr int Bestanden = 4890; // top of the file lists
    constexpr int Onder = 9720;     // top of the bottom row
    constexpr int Rij = 360;        // height of a box

    const Plek plekken[] = {
        {ui.LabelKnoppenbalk, 0, 0, OntwerpBreedte, OntwerpHoogte},

        {ui.LabelLokaal, Lokaal, 60, Zijde, 270},
        {ui.SchijfLokaal, Lokaal, 360, Zijde, Rij},
        {ui.MapLokaal, Lokaal, 780, Zijde, Rij},
        {ui.LijstLokaal, Lokaal, Mappen, Zijde, 3600},
        {ui.LijstBLokaal, Lokaal, Bestanden, Zijde, 4740},
        {ui.knopPatroonLokaal, Lokaal, Onder, 1050, Rij},
        {ui.cboPatroonLokaal, 1230, Onder, 2550, Rij},
        {ui.knopZoekenLokaal, 4060, Onder, Knop, Rij}, // 280 after the pattern box
        {ui.VakZoekenLokaal, 4540, Onder, 2630, Rij},  // ends with the file list

        {ui.LabelFtp, Server, 60, Zijde, 270},
        {ui.cboVerbindingenFtp, Server, 360, Zijde, Rij},
        {ui.MapFtp, Server, 780, Zijde, Rij},
        {ui.LijstFtp, Server, Mappen, Zijde, 3600},
        {ui.LijstBFtp, Server, Bestanden, Zijde, 4740},
        {ui.knopPatroonFtp, Server, Onder, 1050, Rij},
        {ui.cboPatroonFtp, 8940, Onder, 2550, Rij},
        {ui.knopZoekenFtp, 11770, Onder, Knop, Rij},
        {ui.VakZoekenFtp, 12250, Onder, 2630, Rij},

        // Connection buttons beside the server box and folder box.
        {ui.knopServergegevens, Balk, 330, Knop, Knop},
        {ui.KnopVerbreken, Balk, 750, Knop, Knop},
        // Folder buttons beside the folder lists.
        {ui.knopMapHoger, Balk, Mappen, Knop, Knop},
        {ui.knopMapNieuw, Balk, Mappen + Stap, Knop, Knop},
        {ui.knopVerwijderenMap, Balk, Mappen + 2 * Stap, Knop, Knop},
        {ui.knopUploaden, Balk, Mappen + 3 * Stap, Knop, Knop},
        {ui.knopDownloaden, Balk, Mappen + 4 * Stap, Knop, Knop},
        // File buttons beside the file lists.
        {ui.knopBUploaden, Balk, Bestanden, Knop, Knop},
        {ui.knopBDownloaden, Balk, Bestanden + Stap, Knop, Knop},
        {ui.knopUploadBestandKiezen, Balk, Bestanden + 2 * Stap, Knop, Knop},
        {ui.knopOpenen, Balk, Bestanden + 3 * Stap, Knop, Knop},
        {ui.knopKopierenBestand, Balk, Bestanden + 4 * Stap, Knop, Knop},
        {ui.knopKopierenNaarKlembord, Balk, Bestanden + 5 * Stap, Knop, Knop},
        {ui.knopVerwijderenBestand, Balk, Bestanden + 6 * Stap, Knop, Knop},
    };
    for (const Plek& p : plekken)
        indeling.Plaatsen(p.besturing,
                          {double(p.links), double(p.boven), double(p.breedte), double(p.hoogte)});
}

} // namespace Vamox
