#pragma once

// The folder flows' file loops over a Verbindingenpool (`verbindingen` > 1). Internal to
// src/transfer: MapUploaden and MapDownloaden call them after making the folders.

#include "transfer/OverdrachtRonde.h"

namespace Vamox::OverdrachtHulp {

// The files of a folder upload; `nieuweMappen` are the folders the run made (no probe there).
void MapUploadenVerdeeld(FtpSession& sessie, const LokaleBoom& boom, const QString& serverMap,
                         const QSet<QString>& nieuweMappen, int verbindingen, Vraagronde& ronde,
                         const Run& run, Overdrachtsresultaat& r);

// The files of a folder download below `start`; `genomen` are the server folders that were made
// locally.
void MapDownloadenVerdeeld(FtpSession& sessie, const QString& start, const FtpBoom& boom,
                           const QString& lokaleMap, const QSet<QString>& genomen, int verbindingen,
                           const StopVraag& stop, Vraagronde& ronde, const Run& run, Overdrachtsresultaat& r);

} // namespace Vamox::OverdrachtHulp
