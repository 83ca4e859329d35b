#include "vergelijken/Synchronisatiestaat.h"

#include "platform/EigenBestand.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QUrl>

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

// "<choices> <server> <local> <server folder>", the texts percent-encoded so that no
// separator, line break or space of theirs splits the line.
QString SyncherinneringTekst(const Syncherinnering& h)
{
    const Synckeuzes& k = h.keuzes;
    const QString keuzes = QStringLiteral("%1%2%3%4%5")
                               .arg(int(k.richting))
                               .arg(int(k.wijze))
                               .arg(int(k.criterium))
                               .arg(k.submappen ? 1 : 0)
                               .arg(h.patronen ? 1 : 0);
    QStringList delen{keuzes};
    for (const QString* t : {&h.server, &h.lokaal, &h.serverMap})
        delen << QString::fromLatin1(QUrl::toPercentEncoding(*t));
    return delen.join(u' ');
}

std::optional<Syncherinnering> SyncherinneringLezen(const QString& tekst)
{
    const QStringList delen = tekst.split(u' ');
    if (delen.size() != 4 || delen[0].size() != 5) return std::nullopt;
    const auto cijfer = [&](int i, int max) -> std::optional<int> {
        const int c = delen[0].at(i).digitValue();
        return c >= 0 && c <= max ? std::optional<int>(c) : std::nullopt;
    };
    const auto r = cijfer(0, 2), w = cijfer(1, 1), c = cijfer(2, 2), s = cijfer(3, 1), p = cijfer(4, 1);
    if (!r || !w || !c || !s || !p) return std::nullopt;
    Syncherinnering h;
    h.keuzes = {.richting = Syncrichting(*r), .wijze = Syncwijze(*w), .criterium = Criterium(*c), .submappen = *s == 1};
    h.patronen = *p == 1;
    h.server = QUrl::fromPercentEncoding(delen[1].toLatin1());
    h.lokaal = QUrl::fromPercentEncoding(delen[2].toLatin1());
    h.serverMap = QUrl::fromPercentEncoding(delen[3].toLatin1());
    if (h.server.isEmpty() || h.lokaal.isEmpty() || h.serverMap.isEmpty()) return std::nullopt;
    return h;
}

} // namespace Vamox
