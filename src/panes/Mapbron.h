#pragma once

#include "ftp/Mapinhoud.h"

#include <QChar>
#include <QString>

#include <optional>

namespace Vamox {

class FtpSession;

// Where a pane reads its folders from: the local disk or the FTP server. Paths are in the
// side's own form (the local separator, or "/" on the server).
class Mapbron
{
public:
    virtual ~Mapbron() = default;

    // The folder's entries; nothing when it cannot be read, which is never an empty folder.
    virtual std::optional<Mapinhoud> MapLezen(const QString& map) = 0;
    virtual bool PadBestaat(const QString& pad, bool isMap) = 0;
    // Sub-folders of a folder (for the plus sign in the folder pictures); 0 on any failure.
    virtual int AantalSubmappen(const QString& map) = 0;
    // The separator of the side's paths.
    virtual QChar Scheiding() const = 0;
};

class LokaleBron final : public Mapbron
{
public:
    std::optional<Mapinhoud> MapLezen(const QString& map) override;
    bool PadBestaat(const QString& pad, bool isMap) override;
    int AantalSubmappen(const QString& map) override;
    QChar Scheiding() const override;
};

class FtpBron final : public Mapbron
{
public:
    explicit FtpBron(FtpSession& sessie) : m_sessie(sessie) {}

    std::optional<Mapinhoud> MapLezen(const QString& map) override;
    bool PadBestaat(const QString& pad, bool isMap) override;
    int AantalSubmappen(const QString& map) override;
    QChar Scheiding() const override { return u'/'; }

    FtpSession& sessie() { return m_sessie; }

private:
    FtpSession& m_sessie;
};

// Whether a local folder exists; only absolute paths count (a typed relative path would
// otherwise depend on the program's working folder).
bool LokaleMapBestaat(const QString& pad);

} // namespace Vamox
