#pragma once

#include "ftp/Mapinhoud.h"
#include "panes/ListRow.h"
#include "panes/Patroon.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace Vamox {

class Bestandsvulling;
class ImageLijst16;
class Lezing;
class LijstWeergave;
class Mapbron;
enum class Leesuitkomst;

// The controls of one side of the main window.
struct PaneelUi
{
    QLabel* label = nullptr;            // LabelLokaal, LabelFtp
    QLineEdit* map = nullptr;           // MapLokaal, MapFtp: the folder box
    LijstWeergave* mappen = nullptr;    // LijstLokaal, LijstFtp
    LijstWeergave* bestanden = nullptr; // LijstBLokaal, LijstBFtp
    QComboBox* patroon = nullptr;       // cboPatroonLokaal, cboPatroonFtp
    QPushButton* knopPatroon = nullptr;
    ImageLijst16* beelden = nullptr;
};

// The menu items of one side: its folder and file menus (also the lists' pop-ups) and their items.
struct PaneelMenus
{
    QMenu* map = nullptr;
    QMenu* bestand = nullptr;
    QAction* plus = nullptr;
    QAction* plusBijSubmappen = nullptr;
    QAction* mapSorteren = nullptr;
    QAction* bestandSorteren = nullptr;
    QAction* mapVerversen = nullptr;
    QAction* bestandVerversen = nullptr;
    QAction* mapOpenen = nullptr;
    QAction* mapHoger = nullptr;
    QAction* lijstSelecteren = nullptr;
};

// Which lists a fill refills: the first character of the old code "11" fills the folder list,
// the last one the file list.
enum class Soort
{
    Beide,    // "11"
    Mappen,   // "10"
    Bestanden // "01"
};

// One side of the main window over a folder source: the current folder and what was last read
// of it, the fill of its folder and file lists, going into and out of folders, and the events
// of its two lists. LokaalPaneel and ServerPaneel add what only their side has.
class Paneel : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Paneel)

public:
    // `vullenToegestaan` is off until start-up allows the first fill.
    Paneel(Mapbron& bron, const PaneelUi& ui, const PaneelMenus& menus, const bool& vullenToegestaan);
    ~Paneel() override;

    const PaneelUi& ui() const { return m_ui; }
    const PaneelMenus& menus() const { return m_menus; }
    Mapbron& bron() { return m_bron; }

    // The folder the lists show, in the side's form ("/a/b/" on the server, ending in one
    // separator locally); "" when none.
    const QString& HuidigeMap() const { return m_huidigeMap; }
    // The folder the lists show: the one being read once its first rows are there, else HuidigeMap.
    QString GetoondeMap() const;
    // Sets the folder the next fill reads, in the side's form.
    void HuidigeMapZetten(const QString& map);
    // The folders of the folder shown, as read: ordered, the parent entry first outside a root.
    const std::vector<FtpEntry>& Mappen() const { return m_mappen; }
    // Every file of the folder shown, as read, whatever the file list shows of them.
    const std::vector<ListRow>& Bestanden() const;
    // The folder list's order: "", "sort_op" or "sort_af".
    QString& SorteringMap() { return m_sorteringMap; }

    // Reads `map` (absent: the current folder) and refills the lists `soort` names. The rows
    // show while they are read (the event loop turns meanwhile; the lists can be scrolled and
    // sorted, the pattern applied, and Escape stops the reading, keeping what came, which is
    // told). A folder that cannot be read leaves the lists as they were and is told; false then.
    bool LijstVullen(const std::optional<QString>& map, Soort soort, bool deselecteren);
    // Whether a fill of this side is reading; whether it is reading into the file list.
    bool Leest() const { return m_lezing != nullptr; }
    bool LeestBestanden() const;
    // Applies the pattern box's pattern to the files of the folder as read, without reading it
    // again; during a fill, to what came and what still comes.
    void PatroonToepassen();
    // Shows only these of the folder's files (the hits of a search), as far as the pattern lets
    // them through; a pattern applied later chooses from all files again.
    void BestandenTonen(const std::vector<ListRow>& rijen);
    // Files the file list leaves out besides those the pattern refuses, at every fill and pattern
    // from now on (empty: none); VerbergenToepassen shows the list through it at once.
    void ZetVerbergen(std::function<bool(const ListRow&)> verbergen);
    // The folder's files through the pattern and what ZetVerbergen leaves out, without reading
    // the folder again; a sorted list stays sorted.
    void VerbergenToepassen();
    // Reads the current folder again.
    virtual void Verversen() = 0;
    // Empties both lists and puts their bare titles back in the headers.
    void LijstenLeegmaken();
    // Sub-folders of a folder (absent: the selected row of the folder list); 0 when the folder
    // list is empty, for the parent entry and on any failure.
    int AantalSubmappen(const std::optional<QString>& map);
    // Opens the selected row of one of this side's lists: a folder is shown, a file is handed to
    // its program.
    void MapOpenen(LijstWeergave& lijst);
    // Shows the parent folder, with the folder just left selected.
    void MapHoger();
    // Refills the lists (after the plus setting changed) and selects the same folder row again.
    void PlusBijwerken();
    // "sort_op" on the first headers after a fill, unless a list is sorted otherwise.
    void SorteericonsInstellen();
    // Whether this side can act (the server side: while connected).
    virtual bool Beschikbaar() const { return true; }

    void LijstMap_DblClick();
    void LijstMap_KeyUp(int toets, Qt::KeyboardModifiers modifiers);
    void LijstMap_MouseUp(Qt::MouseButton knop, QPoint plek);
    void LijstB_DblClick();
    void LijstB_KeyUp(int toets, Qt::KeyboardModifiers modifiers);
    void LijstB_MouseUp(Qt::MouseButton knop, QPoint plek);
    void mnuPlus_Click(bool aan);
    void mnuPlusBijSubmappen_Click(bool aan);

Q_SIGNALS:
    // GetoondeMap changed: a folder's first rows came, or its reading ended.
    void getoondeMapGewijzigd();
    // A fill is about to read; it has ended (read or not: the lists show what there is).
    void vullingBegint();
    void gevuld();
    // A fill showed another folder than before (HuidigeMap), just before gevuld.
    void mapGewijzigd();

protected:
    // The side's form of a folder to read.
    virtual QString MapVorm(const QString& map) const = 0;
    // Before a fill reads (the server side logs in when it never did); false ends the fill.
    virtual bool VoorLezen() { return true; }
    // A fill could not read `map`: tells the user.
    virtual void LeesfoutMelden(const QString& map, Leesuitkomst uitkomst) = 0;
    // After a fill read its folder, before the lists are refilled.
    virtual void Gelezen() {}
    // The question before the plus sign is switched on; true to go on.
    virtual bool PlustekenVragen() = 0;
    // The separator of this side's paths.
    QChar Scheiding() const;
    // The folder whose programs a fill of `map` shows with their own pictures: `map` on the local
    // side, "" on the server.
    virtual QString ProgrammaMap(const QString& /*map*/) const { return {}; }
    // A row of the file list for an entry, when the pattern lets it.
    void ToevoegenLijstB(const FtpEntry& entry, Bestandsvulling& vulling);

    // The folder box: Enter goes to the typed folder, Escape puts the current one back, leaving
    // the box for another control drops or checks what was typed; a mouse button released on it
    // may have a meaning of its own (true: handled). Its text is selected when it gets the focus.
    bool eventFilter(QObject* object, QEvent* event) override;
    virtual void MapVak_Enter() = 0;
    virtual void MapVak_Escape() = 0;
    virtual void MapVak_Verlaten() = 0;
    virtual bool MapVak_MuisLos(Qt::MouseButton /*knop*/) { return false; }

private:
    friend class Lezing;
    // The end of a fill that read: the lists get what came, ordered.
    void Afronden(Lezing& lezing, Soort soort, bool deselecteren);
    // All files of the folder, in name order, to the file list through the pattern; after a
    // fill their extensions go to the pattern box. `getoond`: the rows went through a pattern
    // letting every file through already, which met these extensions; they are shown as they are.
    void BestandenZetten(std::vector<ListRow> alle, bool naVulling, const QStringList* getoond = nullptr);
    // Every file of the folder in name order; the file list and the store are empty afterwards.
    std::vector<ListRow> AlleBestandenNemen();

    Mapbron& m_bron;
    PaneelUi m_ui;
    PaneelMenus m_menus;
    const bool& m_vullenToegestaan;
    QString m_huidigeMap;
    std::vector<FtpEntry> m_mappen;
    // All files while the file list shows only some (a pattern, a search); else the list's rows
    // are all files and this is empty: a large folder is not held twice.
    std::vector<ListRow> m_alleBestanden;
    bool m_gefilterd = false;
    std::function<bool(const ListRow&)> m_verbergen;
    Extensies m_extensies;
    QStringList m_extensieLijst; // "*." + extension of the folder's files, in the order met
    Lezing* m_lezing = nullptr;
    QString m_sorteringMap;
};

} // namespace Vamox
