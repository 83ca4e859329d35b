#include "transfer/Kopieren.h"

#include "ftp/FtpSession.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <filesystem>

namespace Vamox {

namespace {

// Copies `bron` to a new file beside `doel` and puts it in its place in one step.
bool Vervangen(const QString& bron, const QString& doel)
{
    QString tijdelijk;
    {
        QTemporaryFile plek(doel + QStringLiteral(".XXXXXX"));
        if (!plek.open()) return false;
        tijdelijk = plek.fileName();
    } // removed again: QFile::copy makes its target itself
    if (!QFile::copy(bron, tijdelijk)) return false;
    // A read-only target cannot be replaced everywhere; the copy takes the source's rights.
    QFile::setPermissions(doel, QFile::permissions(doel) | QFile::WriteOwner | QFile::WriteUser);
    std::error_code fout;
    std::filesystem::rename(tijdelijk.toStdU16String(), doel.toStdU16String(), fout);
    if (!fout) return true;
    QFile::remove(tijdelijk);
    return false;
}

} // namespace

QString KopieNaam(const QString& naam, int n)
{
    const qsizetype punt = naam.lastIndexOf(u'.');
    const qsizetype splits = punt > 0 ? punt : naam.size();
    return naam.left(splits) + QStringLiteral(" (kopie ") + QString::number(n) + u')' + naam.mid(splits);
}

QString VrijeKopieNaam(const QString& naam, const std::function<bool(const QString&)>& bestaat)
{
    for (int n = 1;; ++n) {
        const QString kandidaat = KopieNaam(naam, n);
        if (!bestaat(kandidaat)) return kandidaat;
    }
}

QString LokaalBestandKopieren(const QString& map, const QString& naam)
{
    const QString bron = map + naam;
    if (!QFileInfo(bron).isFile()) return {};
    const QString kopie =
        VrijeKopieNaam(naam, [&map](const QString& k) { return QFileInfo::exists(map + k); });
    // QFile::copy refuses a target that exists.
    return QFile::copy(bron, map + kopie) ? kopie : QString();
}

Overdrachtsplan ServerkopiePlannen(FtpSession& sessie, const QString& servermap, const QString& naam,
                                   qint64 grootte, const QString& werkmap)
{
    const auto entries = sessie.FtpMapLezen(servermap);
    if (!entries || werkmap.isEmpty() || !QDir().mkpath(werkmap)) return {};
    QSet<QString> bezet;
    for (const FtpEntry& e : *entries)
        bezet.insert(e.naam.toLower());
    const QString kopie =
        VrijeKopieNaam(naam, [&bezet](const QString& k) { return bezet.contains(k.toLower()); });
    const QString tijdelijk = LokaalDoelPad(werkmap, kopie);
    if (tijdelijk.isEmpty()) return {};
    Overdrachtsplan plan =
        EenBestandPlannen(Klus::Richting::Kopieren, servermap + naam, servermap + kopie, grootte, tijdelijk);
    // The listing chose a free name.
    plan.klussen.front().serverdoel = Serverdoel::Nieuw;
    return plan;
}

Kopieerresultaat LokaleBestandenKopieren(const QStringList& paden, const QString& doelmap)
{
    Kopieerresultaat r;
    for (const QString& pad : paden) {
        const QFileInfo bron(pad);
        if (!bron.isFile()) continue;
        const QString doel = LokaalDoelPad(doelmap, bron.fileName());
        if (doel.isEmpty()) {
            ++r.mislukt;
            continue;
        }
        const QFileInfo bestaand(doel);
        const bool zelf = bestaand.exists() && bestaand.canonicalFilePath() == bron.canonicalFilePath();
        if (zelf || (bestaand.exists() ? Vervangen(pad, doel) : QFile::copy(pad, doel)))
            r.namen.push_back(bron.fileName());
        else
            ++r.mislukt;
    }
    return r;
}

} // namespace Vamox
