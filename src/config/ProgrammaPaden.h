#pragma once

#include <QString>

namespace Vamox {

// Where the program lives and where it may fall back to.
struct ProgrammaPlaats
{
    QString programmaPad;        // the executable, absolute
    bool mapSchrijfbaar = false; // portable use: its folder can be written and is no system folder
    QString configMap;           // the user's config folder for this program
    QString cacheMap;            // the user's cache folder for this program
};

// True when the program may keep its files beside the executable in `map`: the folder can be
// written and is neither where an installation puts programs (the configured bin folder, a user's
// ~/.local/bin included) nor a system folder (/usr, /bin, /sbin, /opt, where only root writes and
// a package's files belong to the package manager).
bool DraagbaarGebruik(const QString& map, bool schrijfbaar, const QString& installatiemap);

// The executable's name without a ".exe" ending (any other dot is part of the name).
QString ProgrammaNaam(const QString& programmaPad);

// The configuration file: beside the executable when its folder is writable, else in configMap;
// named after the executable with ".cfg".
QString CfgBestandVoor(const ProgrammaPlaats& plaats);

// The work folder for server files: "FtpTijdelijk" beside the executable when its folder is
// writable, else in cacheMap.
QString TijdelijkeMapVoor(const ProgrammaPlaats& plaats);

// This process: QCoreApplication's executable and the user's standard folders ("vamox" below the
// generic config and cache folders).
ProgrammaPlaats HuidigeProgrammaPlaats();

// CfgBestandVoor for this process; creates the config folder when the file goes there.
QString CfgBestandBepalen();

// TijdelijkeMapVoor for this process. The folder itself is made (empty) at start-up.
QString TijdelijkeMapBepalen();

} // namespace Vamox
