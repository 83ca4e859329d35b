#pragma once

#include "vergelijken/Vergelijken.h"

#include <QHash>
#include <QString>

#include <QSet>

#include <limits>
#include <span>
#include <vector>

namespace Vamox {

enum class Syncrichting : quint8
{
    NaarServer,
    NaarLokaal,
    BeideKanten
};

enum class Syncwijze : quint8
{
    Nieuwer,  // newer and new files go across
    Spiegelen // one way only: the target also loses what the source no longer has
};

struct Synckeuzes
{
    Syncrichting richting = Syncrichting::NaarServer;
    Syncwijze wijze = Syncwijze::Nieuwer;
    Criterium criterium = Criterium::TijdEnGrootte;
    bool submappen = true;
    QString patroon; // files whose name does not fit are left alone; empty: every file
    bool operator==(const Synckeuzes&) const = default;
};

enum class Syncactie : quint8
{
    Uploaden,
    Downloaden,
    MapServer,    // a new folder on the server
    MapLokaal,    // a new local folder
    WissenLokaal, // to the trash
    WissenServer
};

struct Synckant
{
    bool bestaat = false;
    bool isMap = false;
    qint64 grootte = -1;
    Tijdstip tijd;
};

// One planned action of a synchronise.
struct Syncregel
{
    Syncactie actie = Syncactie::Uploaden;
    QString map;  // relative to both roots: "" or "a/b"
    QString naam; // a plain name (VeiligeNaam on both sides)
    Synckant lokaal, server;
    QString reden;
    bool conflict = false; // changed on both sides, or the target is newer: the user decides
    bool aan = true;

    QString Pad() const { return map.isEmpty() ? naam : map + u'/' + naam; }
};

// Size and time of each file the last synchronise of a pair left the same on both sides.
struct Syncstaatregel
{
    qint64 lokaalGrootte = 0, lokaalTijd = 0;
    qint64 serverGrootte = 0;
    qint64 serverTijd = OnbekendeTijd; // an upload's time is the server's to give: learnt next time
    static constexpr qint64 OnbekendeTijd = std::numeric_limits<qint64>::min();
    bool operator==(const Syncstaatregel&) const = default;
};
using Syncstaat = QHash<QString, Syncstaatregel>; // by relative path

// Whether a side's file changed since the synchronise that remembered `e` (a server time not yet
// learnt is no change).
bool LokaalGewijzigd(const Syncstaatregel& e, const Vergelijkbaar& l);
bool ServerGewijzigd(const Syncstaatregel& e, const Vergelijkbaar& s);

// What one folder of the pair holds on each side, compared: the actions for its entries, the
// subfolders to walk (each with the sides it exists on) and the state of its files. Names that
// are no VeiligeNaam are left out before this.
struct Mapvergelijking
{
    struct Submap
    {
        QString rel;
        bool lokaal = false, server = false;
    };
    std::vector<Syncregel> regels;
    std::vector<Submap> submappen;
    Syncstaat staat; // files the same on both sides, and the remembered ones still undecided
};

// The remembered state and the folders that held its files, for a walk to look up.
struct Syncvorige
{
    Syncstaat bestanden;
    QSet<QString> mappen; // every folder above a remembered file ("a", "a/b")
    explicit Syncvorige(Syncstaat staat = {});
};

// Whether a synchronise with `keuzes` looks at the entry: a folder only with subfolders, a file
// only when its name fits the pattern.
bool SyncTelt(const Vergelijkbaar& v, const Synckeuzes& keuzes);

// `vorige`: the state of the last synchronise; none, and "Beide kanten" deletes nothing.
Mapvergelijking MapSynchroniseren(const QString& rel, std::span<const Vergelijkbaar> lokaal,
                                  std::span<const Vergelijkbaar> server, const Synckeuzes& keuzes,
                                  const Syncvorige* vorige);

// The action's word for the checklist ("Uploaden", "Nieuwe map op de server", ...).
QString ActieWoord(Syncactie actie);

} // namespace Vamox
