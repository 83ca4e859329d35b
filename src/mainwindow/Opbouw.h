#pragma once

#include "mainwindow/VensterMenus.h"
#include "mainwindow/VensterUi.h"

class QMainWindow;
class QWidget;

namespace Vamox {

class ImageLijst16;
class Indeling;

// Size of the client area (below the menu bar) that the design places are made for, in twips.
inline constexpr int OntwerpBreedte = 15000;
inline constexpr int OntwerpHoogte = 10200;

// Creates the central widget and every named control of the main window (not yet placed).
// Controls of features that do not exist yet are disabled.
VensterUi BesturingMaken(QMainWindow& venster, ImageLijst16& beelden);

// Puts every control at its design place.
void OntwerpPlaatsen(const VensterUi& ui, Indeling& indeling);

// Creates the menu bar with its menus and items.
VensterMenus MenusMaken(QMainWindow& venster);

// The menu items that only make sense while connected: the server menu and the uploads.
void VerbindingsmenusZetten(VensterMenus& menus, bool aan);

// Appends the key hints (TAB + key) to the captions of the menu items that have one. Items that
// already show a hint are left alone, so it may run again after items were added.
void MenuoptiesAanpassen(QWidget& venster);

} // namespace Vamox
