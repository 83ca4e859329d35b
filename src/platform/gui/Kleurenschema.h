#pragma once

#include "platform/gui/Kleuren.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

class QDBusVariant;
class QProcess;

namespace Vamox {

// Follows the desktop's light or dark preference: the freedesktop appearance setting
// "color-scheme" over the settings portal, else GNOME's "color-scheme" through gsettings; read
// at construction and whenever it changes, and shown at once (SchemaToepassen). A desktop that
// states no preference gets the light scheme.
class Kleurenschema final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Kleurenschema)

public:
    // `bus`: the session bus the portal is on.
    explicit Kleurenschema(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* ouder = nullptr);
    ~Kleurenschema() override;

    Schema Gevraagd() const { return m_schema; }

    // The portal's value: 1 dark, 2 light, 0 no preference. GNOME's: "prefer-dark", "default"...
    static Schema UitPortaal(uint waarde);
    static Schema UitGnome(const QString& waarde);

signals:
    void Gewijzigd(Schema schema);

private slots:
    void PortaalGewijzigd(const QString& naamruimte, const QString& sleutel, const QDBusVariant& waarde);

private:
    std::optional<uint> PortaalLezen();
    bool GnomeVolgen();
    void Zetten(Schema schema);

    QDBusConnection m_bus;
    QProcess* m_gnome = nullptr; // "gsettings monitor" while the portal is not there
    Schema m_schema = Schema::Licht;
};

} // namespace Vamox
