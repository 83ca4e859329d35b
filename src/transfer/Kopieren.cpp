#include "transfer/Kopieren.h"

#include "ftp/FtpSession.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace Vamox {

namespace {

// One local copy as a job of the plan; one whose target name the disk cannot take fails at once.
void LokaleKlus(Overdrachtsplan& plan, const QString& bron, const QString& doel, const QString& naam)
{
    Klus k;
    k.richting = Klus::Richting::LokaalKopieren;
    k.bron = bron;
    k.doel = doel;
    k.naam = naam;
    k.grootte = QFileInfo(bron).size();
    if (doel.isEmpty()) {
        k.staat = Klus::Staat::Mislukt;
        k.fout = QStringLiteral("Ongeldige naam");
    }
    k.nummer = qint64(plan.klussen.size()) + 1;
    plan.klussen.push_back(std::move(k));
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

Overdrachtsplan LokaleKopiePlannen(const QString& map, const QString& naam)
{
    Overdrachtsplan plan;
    const QString bron = map + naam;
    if (!QFileInfo(bron).isFile()) return plan;
    const QString kopie =
        VrijeKopieNaam(naam, [&map](const QString& k) { return QFileInfo::exists(map + k); });
    LokaleKlus(plan, bron, map + kopie, kopie);
    plan.klussen.front().serverdoel = Serverdoel::Nieuw;
    return plan;
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

Overdrachtsplan LokaleBestandenPlannen(const QStringList& paden, const QString& doelmap)
{
    Overdrachtsplan plan;
    for (const QString& pad : paden) {
        const QFileInfo bron(pad);
        if (bron.isFile()) LokaleKlus(plan, pad, LokaalDoelPad(doelmap, bron.fileName()), bron.fileName());
    }
    return plan;
}

std::optional<Overdrachtsplan> LokaleMapPlannen(const QString& map, const QString& doelmap)
{
    const QString bron = ZonderEindscheiding(map);
    if (BinnenMap(bron, doelmap)) return std::nullopt;
    Overdrachtsplan plan;
    const LokaleBoom boom = LokaleMapScannen(bron);
    const QString doelwortel = ZonderEindscheiding(doelmap) + LokaalScheiding + EigenNaam(bron);
    const auto doelVan = [&](const QString& pad) { return doelwortel + pad.mid(bron.size()); };
    for (const QString& m : boom.mappen)
        if (!QDir().mkpath(doelVan(ZonderEindscheiding(m)))) ++plan.mislukteMappen;
    for (const QString& b : boom.bestanden)
        LokaleKlus(plan, b, doelVan(b), QFileInfo(b).fileName());
    return plan;
}

} // namespace Vamox
