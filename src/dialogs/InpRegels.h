#pragma once

#include <QChar>
#include <QRect>
#include <QSize>
#include <QString>

namespace Vamox {

// The rules of the input window, free of widgets. Sizes in twips.

// Allowed-character lists: decimal codes, each followed by a comma ("48,49,50,").
QString AsciiTekens();  // A-Z, a-z, 0-9, space, underscore
QString AsciiCijfers(); // 0-9

// The list as the open window keeps it: "," + list + ",8,", so that every code stands between
// commas and Backspace always passes; empty (no restriction) stays empty.
QString ToegestaanOpslaan(const QString& toegestaan);

// Whether a typed character may go in, given the kept list.
bool TekenToegestaan(const QString& opgeslagen, QChar teken);

struct InpIndeling
{
    QRect tekst; // the prompt
    QRect icoon;
    QRect knopOK;
    QRect knopCancel;
    QRect invoer;
    QRect band;
    QSize venster; // client size
};

// `tekst` is the measured size of the prompt.
InpIndeling BerekenInpIndeling(QSize tekst, bool metTab, bool metIcoon);

} // namespace Vamox
