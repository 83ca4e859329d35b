#pragma once

#include "ftp/FtpEntry.h"
#include "panes/ListRow.h"
#include "panes/RijenSorteren.h"
#include "platform/gui/Invoerblokkade.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

namespace Vamox {

class Bestandsvulling;
class LijstWeergave;
class Paneel;
enum class Soort;

// One fill of a side's lists while its folder is read: the rows show as the pieces come (in the
// order read; the fill orders them at the end), the header counts end in "…", the lists can be
// scrolled and sorted and the pattern applied meanwhile, and Escape stops the reading. Until the
// first piece the lists keep their rows; a reading that fails puts them back. Every file row is
// also gathered in name order as it comes, so the end of a large folder has little left to do.
class Lezing final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Lezing)

public:
    // `map`: the folder read.
    Lezing(Paneel& paneel, Soort soort, const QString& map);
    ~Lezing() override;

    // A piece of the listing; `opnieuw`: what came before is void.
    void Deel(std::vector<FtpEntry>& deel, bool opnieuw);
    // The pattern box's pattern changed: what came is shown through it, and so is what comes.
    void PatroonGewijzigd();
    // Whether this fill refills the file list.
    bool VultBestanden() const { return m_bestandenVullen; }
    // Whether a piece came (and the lists were emptied for it).
    bool Begonnen() const { return m_begonnen; }
    // The folder read.
    const QString& Map() const { return m_map; }
    // Empties the lists for what comes (the first piece does it; an empty folder has none).
    void Beginnen();
    // The lists as they were before the first piece (a failed reading).
    void Terugzetten();
    // What came, for the end of the fill: the folders, and every file as a row in name order.
    std::vector<FtpEntry> MappenNemen() { return std::move(m_mappen); }
    std::vector<ListRow> BestandenNemen() { return m_bestanden.Nemen(); }
    // When the pattern lets every file through, the rows came through it (pictures and all): the
    // extensions met, in the order a fill in name order meets them. Nothing when not.
    std::optional<QStringList> AllesGetoond() const;

private:
    // A new pattern and pictures for the rows, from the pattern box.
    void VullingMaken();
    bool Doorlaten(const QObject* object, const QEvent* event) const;
    void Tonen(bool nu);
    void Koppen();

    Paneel& m_paneel;
    QString m_map;
    QString m_programmaMap;
    bool m_mappenVullen;
    bool m_bestandenVullen;
    bool m_begonnen = false;
    std::vector<FtpEntry> m_mappen;
    NaamVerzameling m_bestanden;            // every file that came, through the pattern of m_vulling
    std::vector<ListRow> m_wachtendeMappen; // rows not yet in the lists
    std::vector<ListRow> m_wachtendeBestanden;
    std::unique_ptr<Bestandsvulling> m_vulling; // the pattern and pictures of the shown rows
    std::vector<ListRow> m_oudeMappen;          // the lists before the first piece
    std::vector<ListRow> m_oudeBestanden;
    QElapsedTimer m_sindsTonen;
    QTimer m_tonen; // rows waiting do not wait for the next piece long
    Invoerblokkade m_blokkade;
    std::optional<Invoerblokkade::Doorlaten> m_doorlaten;
};

} // namespace Vamox
