#pragma once

#include "ftp/Mapinhoud.h"

#include <QChar>
#include <QString>

#include <atomic>
#include <optional>

namespace Vamox {

class FtpSession;

// How reading a folder in pieces ended.
enum class Leesuitkomst
{
    Gelezen,    // every entry came
    Afgebroken, // stopped on request: the entries that came are what there is
    Mislukt,    // no such folder, no connection, ...: what came is no folder's content
    TeGroot     // the listing passed what one listing may take
};

// Where a pane reads its folders from: the local disk or the FTP server. Paths are in the
// side's own form (the local separator, or "/" on the server).
class Mapbron
{
public:
    virtual ~Mapbron() = default;

    // The folder's entries; nothing when it cannot be read, which is never an empty folder.
    virtual std::optional<Mapinhoud> MapLezen(const QString& map) = 0;
    // The folder's entries handed to `deel` in pieces while they are read (this thread's event
    // loop turns meanwhile); neither ordered nor with the parent entry.
    virtual Leesuitkomst MapStromen(const QString& map, const Lijstdeel& deel) = 0;
    // Stops a MapStromen under way (called from an event while it reads).
    virtual void Afbreken() = 0;
    // Whether a listing of the folder shows the parent entry (it is no root).
    virtual bool MetOuder(const QString& map) const = 0;
    virtual bool PadBestaat(const QString& pad, bool isMap) = 0;
    // Sub-folders of a folder (for the plus sign in the folder pictures); 0 on any failure.
    virtual int AantalSubmappen(const QString& map) = 0;
    // The separator of the side's paths.
    virtual QChar Scheiding() const = 0;
    // Entries the last read left out because their names name nothing a command could reach.
    virtual qint64 Overgeslagen() const { return 0; }
};

class LokaleBron final : public Mapbron
{
public:
    std::optional<Mapinhoud> MapLezen(const QString& map) override;
    Leesuitkomst MapStromen(const QString& map, const Lijstdeel& deel) override;
    void Afbreken() override { m_stop = true; }
    bool MetOuder(const QString& map) const override;
    bool PadBestaat(const QString& pad, bool isMap) override;
    int AantalSubmappen(const QString& map) override;
    QChar Scheiding() const override;

private:
    std::atomic<bool> m_stop{false};
};

class FtpBron final : public Mapbron
{
public:
    explicit FtpBron(FtpSession& sessie) : m_sessie(sessie) {}

    std::optional<Mapinhoud> MapLezen(const QString& map) override;
    Leesuitkomst MapStromen(const QString& map, const Lijstdeel& deel) override;
    void Afbreken() override;
    bool MetOuder(const QString& map) const override;
    bool PadBestaat(const QString& pad, bool isMap) override;
    int AantalSubmappen(const QString& map) override;
    QChar Scheiding() const override { return u'/'; }
    qint64 Overgeslagen() const override;

    FtpSession& sessie() { return m_sessie; }

private:
    FtpSession& m_sessie;
};

// Whether a local folder exists; only absolute paths count (a typed relative path would
// otherwise depend on the program's working folder).
bool LokaleMapBestaat(const QString& pad);

} // namespace Vamox
