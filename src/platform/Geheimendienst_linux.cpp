#include "platform/Geheimendienst.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace Vamox {

namespace {

const QString Dienst = QStringLiteral("org.freedesktop.secrets");

QDBusMessage Vragen(const QString& pad, const QString& interface, const QString& methode,
                    const QVariantList& argumenten, int wachttijdMs)
{
    QDBusMessage vraag = QDBusMessage::createMethodCall(Dienst, pad, interface, methode);
    vraag.setArguments(argumenten);
    // The window's events go on meanwhile.
    return QDBusConnection::sessionBus().call(vraag, QDBus::BlockWithGui, wachttijdMs);
}

} // namespace

// The Secret Service: the collection behind the alias "default" and its Locked property.
Geheimendienst GeheimendienstStaat(int wachttijdMs)
{
    if (!QDBusConnection::sessionBus().isConnected()) return Geheimendienst::Afwezig;
    const QDBusMessage alias = Vragen(QStringLiteral("/org/freedesktop/secrets"),
                                      QStringLiteral("org.freedesktop.Secret.Service"),
                                      QStringLiteral("ReadAlias"), {QStringLiteral("default")}, wachttijdMs);
    if (alias.type() == QDBusMessage::ErrorMessage) {
        const QString fout = alias.errorName();
        if (fout == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
            fout == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
            return Geheimendienst::Afwezig;
        return Geheimendienst::Onbekend;
    }
    if (alias.arguments().isEmpty()) return Geheimendienst::Onbekend;
    const QString pad = alias.arguments().constFirst().value<QDBusObjectPath>().path();
    if (pad.isEmpty() || pad == u'/') return Geheimendienst::Onbekend;
    const QDBusMessage slot =
        Vragen(pad, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
               {QStringLiteral("org.freedesktop.Secret.Collection"), QStringLiteral("Locked")}, wachttijdMs);
    if (slot.type() == QDBusMessage::ErrorMessage || slot.arguments().isEmpty()) return Geheimendienst::Onbekend;
    return slot.arguments().constFirst().value<QDBusVariant>().variant().toBool() ? Geheimendienst::Vergrendeld
                                                                                  : Geheimendienst::Open;
}

} // namespace Vamox
