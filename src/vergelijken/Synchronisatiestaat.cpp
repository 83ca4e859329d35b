#include "vergelijken/Synchronisatiestaat.h"

#include "platform/EigenBestand.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace Vamox {

namespace {

constexpr quint32 Kenmerk = 0x56534e31; // "VSN1"

} // namespace

QString SyncstaatPad(const QString& map, const QString& server, const QString& lokaleRoot,
                     const QString& serverRoot)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const QString& deel : {server, lokaleRoot, serverRoot}) {
        h.addData(deel.toUtf8());
        h.addData(QByteArrayView("\0", 1));
    }
    return QDir(map).filePath(QStringLiteral("sync-%1.staat").arg(QString::fromLatin1(h.result().toHex().left(24))));
}

std::optional<Syncstaat> SyncstaatLezen(const QString& pad)
{
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QDataStream in(&f);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 kenmerk = 0;
    quint32 aantal = 0;
    in >> kenmerk >> aantal;
    if (kenmerk != Kenmerk) return std::nullopt;
    Syncstaat staat;
    staat.reserve(qsizetype(std::min<quint32>(aantal, 1'000'000)));
    for (quint32 i = 0; i < aantal && in.status() == QDataStream::Ok; ++i) {
        QString pad;
        Syncstaatregel r;
        in >> pad >> r.lokaalGrootte >> r.lokaalTijd >> r.serverGrootte >> r.serverTijd;
        if (in.status() == QDataStream::Ok) staat.insert(pad, r);
    }
    // A cut file is not the state: better to delete nothing than to act on half of it.
    if (in.status() != QDataStream::Ok) return std::nullopt;
    return staat;
}

bool SyncstaatSchrijven(const QString& pad, const Syncstaat& staat)
{
    QByteArray inhoud;
    QDataStream uit(&inhoud, QIODevice::WriteOnly);
    uit.setVersion(QDataStream::Qt_6_0);
    uit << Kenmerk << quint32(staat.size());
    for (auto it = staat.cbegin(); it != staat.cend(); ++it)
        uit << it.key() << it->lokaalGrootte << it->lokaalTijd << it->serverGrootte << it->serverTijd;
    QDir().mkpath(QFileInfo(pad).path());
    return EigenBestandSchrijven(pad, inhoud, false);
}

} // namespace Vamox
