#pragma once

#include "ftp/FtpEntry.h"
#include "panes/ListRow.h"
#include "panes/Patroon.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QComboBox;

namespace Vamox {

class ImageLijst16;
class LijstWeergave;

// The rows of one fill of a file list, built apart and handed to the list in one step. Every
// file offers its extension to the pattern box ("*." + extension, no duplicates without regard
// to case), whether or not the pattern lets it through; the new entries reach the box at the end,
// in the order met. Files the pattern refuses get no row. Given the local folder the rows are
// in, a program (".exe") gets its own picture under its name instead of that of its extension.
// A side may leave out more rows than the pattern does (those the same on both sides).
class Bestandsvulling final
{
public:
    using Verbergen = std::function<bool(const ListRow&)>;
    // `extensies`: the side's texts of extensions (absent: the fill's own); `verbergen`: rows
    // left out besides those the pattern refuses (absent or empty: none).
    Bestandsvulling(QComboBox& patroonVak, ImageLijst16& beelden, const QString& lokaleMap = {},
                    Extensies* extensies = nullptr, const Verbergen* verbergen = nullptr);
    Q_DISABLE_COPY_MOVE(Bestandsvulling)

    // Offers the file's extension to the pattern box; true when the pattern lets the file
    // through, which then has the picture key its row shows. `extensie`: the name's index in the
    // fill's Extensies when the caller has it already.
    bool Tonen(ListRow& rij, int extensie = -1);
    // Whether every file is shown (the pattern lets them all through, none is left out).
    bool Alles() const { return m_alles && !m_verbergen; }
    // The files' extensions are in the pattern box already: they are not offered again.
    void ZonderExtensies() { m_metExtensies = false; }
    // Every extension met ("*." + extension), in the order met.
    const QStringList& AlleExtensies() const { return m_alleExtensies; }
    // The same in the order a fill in name order meets them: by the first name of each.
    QStringList ExtensiesOpNaam() const;

    void Toevoegen(const ListRow& rij);
    // Every file of a fill: without a pattern they all become rows, without a copy.
    void AllesToevoegen(std::vector<ListRow>&& rijen);
    // The same for rows that went through Tonen of another fill without a pattern (pictures and
    // all), which met `extensies` ("*." + extension, in the order met): only those are offered.
    void GetoondOvernemen(std::vector<ListRow>&& rijen, const QStringList& extensies);

    // Hands the rows to the list and the new extensions to the pattern box.
    void Afronden(LijstWeergave& lijst);
    // Only the new extensions to the pattern box.
    void PatroonlijstAfronden();

    std::size_t Aantal() const { return m_rijen.size(); }

private:
    // Offers the extension; whether the pattern lets the file through.
    bool Kiezen(const ListRow& rij, int& extensie);
    // The picture key of a row that is shown.
    void Versieren(ListRow& rij, int extensie);

    QComboBox& m_patroonVak;
    ImageLijst16& m_beelden;
    QString m_lokaleMap;
    bool m_alles;
    const Verbergen* m_verbergen;
    Patroon m_patroon;
    Extensies m_eigen;
    Extensies& m_extensies;
    std::vector<ListRow> m_rijen;
    bool m_metExtensies = true;
    QSet<QString> m_inBox;      // lower case
    std::vector<char> m_gezien; // by index of Extensies: offered already
    std::vector<std::pair<QString, QString>>
        m_eersteNaam;          // by place in m_alleExtensies: first name, extension
    std::vector<int> m_plaats; // by index of Extensies: place in m_alleExtensies
    std::vector<char> m_beeld; // by index of Extensies: its picture looked for
    QStringList m_alleExtensies;
    QStringList m_nieuw;
};

// The row of a listed file with its picture key: the lower-cased extension, or "bestand" for a
// name without one. The key's text is the one `extensies` keeps, shared by all rows of its kind.
// `extensie`, when given, gets the name's index in `extensies`.
ListRow BestandsRij(const FtpEntry& entry, Extensies& extensies, int* extensie = nullptr);

// The pattern box text as the fills read it: trimmed of spaces.
QString PatroonTekst(const QComboBox& patroonVak);

// A fill of both lists without a pattern starts the box's list anew with "*" as its only entry;
// the typed text stays.
void PatroonlijstOpnieuw(QComboBox& patroonVak);
// The same, followed at once by the extensions of the folder shown.
void PatroonlijstOpnieuw(QComboBox& patroonVak, const QStringList& extensies);

// Rows of a folder list: "mapomhoog" for the parent entry, "mapplus" where `heeftSubmappen`
// (when given) says so, otherwise "map".
std::vector<ListRow> Mapregels(const std::vector<FtpEntry>& mappen,
                               const std::function<bool(const QString&)>& heeftSubmappen);

} // namespace Vamox
