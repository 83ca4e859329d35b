#pragma once

#include "platform/gui/Beelden.h" // BronnenLaden, for the callers that only load the pictures

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

namespace Vamox {

// The shared 16x16 pictures of the four lists and their headers, each under a text key. Starts
// with "map", "bestand", "sort_af", "sort_op", "mapplus" and "mapomhoog"; grows by one picture
// per new extension or program name, each fetched once, and is never trimmed while the program
// runs. Keys compare exactly.
class ImageLijst16 final
{
    Q_DISABLE_COPY_MOVE(ImageLijst16)

public:
    ImageLijst16();

    bool Bevat(const QString& sleutel) const { return m_beelden.contains(sleutel); }
    // A null icon for an unknown key (the row then shows no picture).
    QIcon Icoon(const QString& sleutel) const { return m_beelden.value(sleutel); }
    const QStringList& Sleutels() const { return m_volgorde; }

    // Adds the picture under the key unless the key is already there (the first one stays).
    void Toevoegen(const QString& sleutel, const QIcon& icoon);

    // Makes sure the picture for an extension exists: the key is the argument lower-cased with
    // every "." removed; the picture is the desktop theme's icon for that kind of file, or the
    // "bestand" picture when the theme has none.
    void ToevoegenAanImagelijst16(const QString& extensie);

    // Makes sure the picture of a local file exists and gives its key: for a program (".exe")
    // the key of ProgrammaSleutel with the program's own icon, else the desktop's icon for
    // programs, else "bestand"; for any other file the key and picture of its extension. The
    // first file of a key decides its picture.
    QString ToevoegenAanImagelijst16Exe(const QString& volledigPad);

    // The key ToevoegenAanImagelijst16 uses for an extension.
    static QString ExtensieSleutel(const QString& extensie);

private:
    QHash<QString, QIcon> m_beelden;
    QStringList m_volgorde;
};

} // namespace Vamox
