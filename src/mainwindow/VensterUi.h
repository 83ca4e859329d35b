#pragma once

#include "dialogs/MiddenLabel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace Vamox {

class ImageLijst16;
class LijstWeergave;

// Every named control of the main window, created by the window before any subsystem starts.
// The object name of each control is its member name. All controls are children of `centraal`
// and are placed in twips by the window's Indeling.
struct VensterUi
{
    QWidget* centraal = nullptr;

    // Behind everything: a click on the background lands here.
    QLabel* LabelKnoppenbalk = nullptr;

    // Local side (left).
    MiddenLabel* LabelLokaal = nullptr;
    QComboBox* SchijfLokaal = nullptr;
    QLineEdit* MapLokaal = nullptr;
    LijstWeergave* LijstLokaal = nullptr;
    LijstWeergave* LijstBLokaal = nullptr;
    QPushButton* knopPatroonLokaal = nullptr;
    QComboBox* cboPatroonLokaal = nullptr;
    QToolButton* knopZoekenLokaal = nullptr;
    QLineEdit* VakZoekenLokaal = nullptr;

    // Server side (right).
    MiddenLabel* LabelFtp = nullptr;
    QComboBox* cboVerbindingenFtp = nullptr;
    QLineEdit* MapFtp = nullptr;
    LijstWeergave* LijstFtp = nullptr;
    LijstWeergave* LijstBFtp = nullptr;
    QPushButton* knopPatroonFtp = nullptr;
    QComboBox* cboPatroonFtp = nullptr;
    QToolButton* knopZoekenFtp = nullptr;
    QLineEdit* VakZoekenFtp = nullptr;

    // Toolbar column between the sides: folder buttons beside the folder lists...
    QToolButton* knopServergegevens = nullptr;
    QToolButton* KnopVerbreken = nullptr;
    QToolButton* knopMapHoger = nullptr;
    QToolButton* knopMapNieuw = nullptr;
    QToolButton* knopVerwijderenMap = nullptr;
    QToolButton* knopUploaden = nullptr;
    QToolButton* knopDownloaden = nullptr;
    // ...and file buttons beside the file lists.
    QToolButton* knopBUploaden = nullptr;
    QToolButton* knopBDownloaden = nullptr;
    QToolButton* knopUploadBestandKiezen = nullptr;
    QToolButton* knopOpenen = nullptr;
    QToolButton* knopKopierenBestand = nullptr;
    QToolButton* knopKopierenNaarKlembord = nullptr;
    QToolButton* knopVerwijderenBestand = nullptr;

    // The shared 16x16 pictures of the lists (owned by the window).
    Vamox::ImageLijst16* ImageLijst16 = nullptr;
};

} // namespace Vamox
