#pragma once

#include "ftp/FtpEntry.h"

#include <QString>

#include <memory>
#include <vector>

namespace Vamox {

// Reads the entries of a local folder as they come off the disk, a number at a time: the name,
// folder or file, and for a file its size and last change in local time. A symbolic link is what
// it points to; a broken link, sockets, pipes and devices are left out, and so are "." and "..".
// A folder that cannot be opened (no permission) has no entries.
class Mapinlezer final
{
public:
    explicit Mapinlezer(const QString& pad);
    ~Mapinlezer();
    Mapinlezer(const Mapinlezer&) = delete;
    Mapinlezer& operator=(const Mapinlezer&) = delete;

    // Whether the path is a folder.
    bool IsMap() const { return m_isMap; }
    // Appends up to `hoogstens` further entries; false once the folder has no more.
    bool Lezen(std::vector<FtpEntry>& uit, std::size_t hoogstens);

private:
    struct Staat;
    std::unique_ptr<Staat> m_staat;
    bool m_isMap = false;
};

} // namespace Vamox
