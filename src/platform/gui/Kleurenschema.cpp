#include "platform/gui/Kleurenschema.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QProcess>
#include <QStandardPaths>

namespace Vamox {

namespace {

const QString Portaal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortaalPad = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Instellingen = QStringLiteral("org.freedesktop.portal.Settings");
const QString Uiterlijk = QStringLiteral("org.freedesktop.appearance");
const QString Schemasleutel = QStringLiteral("color-scheme");
const QStringList GnomeSleutel = {QStringLiteral("org.gnome.desktop.interface"), Schemasleutel};

// A reply wraps the value once more than the signal does.
QVariant Uitpakken(QVariant waarde)
{
    while (waarde.userType() == qMetaTypeId<QDBusVariant>())
        waarde = waarde.value<QDBusVariant>().variant();
    return waarde;
}

} // namespace

Kleurenschema::Kleurenschema(QDBusConnection bus, QObject* ouder) : QObject(ouder), m_bus(std::move(bus))
{
    if (const std::optional<uint> waarde = PortaalLezen()) {
        m_bus.connect(Portaal, PortaalPad, Instellingen, QStringLiteral("SettingChanged"), this,
                      SLOT(PortaalGewijzigd(QString, QString, QDBusVariant)));
        Zetten(UitPortaal(*waarde));
    } else if (!GnomeVolgen()) {
        Zetten(Schema::Licht);
    }
}

Kleurenschema::~Kleurenschema()
{
    if (m_gnome != nullptr) {
        m_gnome->disconnect(this);
        m_gnome->terminate();
        m_gnome->waitForFinished(1000);
    }
}

Schema Kleurenschema::UitPortaal(uint waarde)
{
    return waarde == 1 ? Schema::Donker : Schema::Licht;
}

Schema Kleurenschema::UitGnome(const QString& waarde)
{
    return waarde.contains(QLatin1String("prefer-dark")) ? Schema::Donker : Schema::Licht;
}

std::optional<uint> Kleurenschema::PortaalLezen()
{
    if (!m_bus.isConnected()) return std::nullopt;
    QDBusMessage vraag = QDBusMessage::createMethodCall(Portaal, PortaalPad, Instellingen, QStringLiteral("Read"));
    vraag << Uiterlijk << Schemasleutel;
    // A portal that is installed but not running starts on this call; that takes a moment.
    const QDBusMessage antwoord = m_bus.call(vraag, QDBus::Block, 5000);
    if (antwoord.type() != QDBusMessage::ReplyMessage || antwoord.arguments().isEmpty()) return std::nullopt;
    bool getal = false;
    const uint waarde = Uitpakken(antwoord.arguments().constFirst()).toUInt(&getal);
    if (!getal) return std::nullopt;
    return waarde;
}

bool Kleurenschema::GnomeVolgen()
{
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty()) return false;
    QProcess lezen;
    lezen.start(gsettings, QStringList{QStringLiteral("get")} + GnomeSleutel);
    // No schema with that key (an older GNOME, no GNOME at all): gsettings says so and fails.
    if (!lezen.waitForFinished(3000) || lezen.exitStatus() != QProcess::NormalExit || lezen.exitCode() != 0)
        return false;
    Zetten(UitGnome(QString::fromUtf8(lezen.readAllStandardOutput())));

    m_gnome = new QProcess(this);
    m_gnome->setProcessChannelMode(QProcess::SeparateChannels);
    connect(m_gnome, &QProcess::readyReadStandardOutput, this, [this] {
        while (m_gnome->canReadLine()) {
            const QString regel = QString::fromUtf8(m_gnome->readLine());
            if (regel.startsWith(Schemasleutel)) Zetten(UitGnome(regel));
        }
    });
    m_gnome->start(gsettings, QStringList{QStringLiteral("monitor")} + GnomeSleutel);
    return true;
}

void Kleurenschema::PortaalGewijzigd(const QString& naamruimte, const QString& sleutel, const QDBusVariant& waarde)
{
    if (naamruimte != Uiterlijk || sleutel != Schemasleutel) return;
    bool getal = false;
    const uint w = Uitpakken(waarde.variant()).toUInt(&getal);
    if (getal) Zetten(UitPortaal(w));
}

void Kleurenschema::Zetten(Schema schema)
{
    const bool anders = schema != m_schema || schema != HuidigSchema();
    m_schema = schema;
    SchemaToepassen(schema);
    if (anders) emit Gewijzigd(schema);
}

} // namespace Vamox
