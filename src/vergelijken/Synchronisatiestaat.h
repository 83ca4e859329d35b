#pragma once

#include "vergelijken/Synchronisatie.h"

#include <QString>

#include <optional>

namespace Vamox {

// The state file of a pair: which files the last synchronise left the same on both sides. One
// file per pair in `map` (the configuration's folder), named after the server and both roots.
QString SyncstaatPad(const QString& map, const QString& server, const QString& lokaleRoot,
                     const QString& serverRoot);

// Nothing when there is no file, or it is not one of ours (then nothing is deleted in "Beide kanten").
std::optional<Syncstaat> SyncstaatLezen(const QString& pad);
// Owner-only, in the old file's place only once it is whole.
bool SyncstaatSchrijven(const QString& pad, const Syncstaat& staat);

// The last pair and choices of a saved server, kept as one settings line.
struct Syncherinnering
{
    QString server; // the saved server's name
    QString lokaal, serverMap;
    Synckeuzes keuzes; // the pattern is not kept: `patronen` takes the panes' own
    bool patronen = false;
    bool operator==(const Syncherinnering&) const = default;
};
QString SyncherinneringTekst(const Syncherinnering& h);
std::optional<Syncherinnering> SyncherinneringLezen(const QString& tekst);

} // namespace Vamox
