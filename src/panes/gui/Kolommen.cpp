#include "panes/gui/Kolommen.h"

#include "dialogs/Twips.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstWeergave.h"

#include <QHeaderView>
#include <QMenu>

#include <algorithm>
#include <span>

namespace Vamox {

namespace {

// The list's property that says the user chose to see "Rechten".
constexpr const char* RechtenGetoond = "rechtenGetoond";

int BreedteTwips(const LijstWeergave& lijst)
{
    return TwipsSchaal::Van(&lijst).NaarTwipsX(lijst.width());
}

void ZetBreedte(LijstWeergave& lijst, int kolom, int twips)
{
    lijst.setColumnWidth(kolom, std::max(0, TwipsSchaal::Van(&lijst).NaarPixelsX(twips)));
}

// The width the column "Stand" takes while comparing, set on it.
int StandBreedte(LijstWeergave& lijst)
{
    const int kolom = lijst.lijstModel().KolomStand();
    if (kolom < 0) return 0;
    ZetBreedte(lijst, kolom, KolomStandBreedte);
    return KolomStandBreedte;
}

int RechtenBreedte(LijstWeergave& lijst)
{
    if (lijst.isColumnHidden(LijstModel::KolomRechten)) return 0;
    ZetBreedte(lijst, LijstModel::KolomRechten, KolomRechtenBreedte);
    return KolomRechtenBreedte;
}

} // namespace

QString LijstTitel(const LijstWeergave& lijst)
{
    const QString naam = lijst.objectName();
    const bool server = naam == QLatin1String("LijstFtp") || naam == QLatin1String("LijstBFtp");
    if (lijst.lijstModel().Soort() == LijstSoort::Bestanden)
        return server ? QStringLiteral("Server bestandsnaam") : QStringLiteral("Lokale bestandsnaam");
    return server ? QStringLiteral("Server mapnaam") : QStringLiteral("Lokale mapnaam");
}

void LijstKoppenInstellen(LijstWeergave& lijst, bool alleenBreedtes)
{
    if (!alleenBreedtes) lijst.lijstModel().ZetKopTekst(LijstModel::KolomNaam, LijstTitel(lijst));
    ZetBreedte(lijst, LijstModel::KolomNaam, BreedteTwips(lijst) - SchuifbalkRuimte - StandBreedte(lijst));
}

void LijstBKoppenInstellen(LijstWeergave& lijst, bool alleenBreedtes)
{
    if (!alleenBreedtes) {
        LijstModel& model = lijst.lijstModel();
        model.ZetKopTekst(LijstModel::KolomNaam, LijstTitel(lijst));
        model.ZetKopTekst(LijstModel::KolomGrootte, QStringLiteral("Grootte"));
        model.ZetKopTekst(LijstModel::KolomDatum, QStringLiteral("Datum"));
        model.ZetKopTekst(LijstModel::KolomNGrootte, QStringLiteral("nGrootte"));
        model.ZetKopTekst(LijstModel::KolomNDatum, QStringLiteral("nDatum"));
        model.ZetKopTekst(LijstModel::KolomRechten, QStringLiteral("Rechten"));
        lijst.setColumnHidden(LijstModel::KolomNGrootte, true);
        lijst.setColumnHidden(LijstModel::KolomNDatum, true);
        if (!lijst.property(RechtenGetoond).toBool()) lijst.setColumnHidden(LijstModel::KolomRechten, true);
    }
    ZetBreedte(lijst, LijstModel::KolomNaam,
               BreedteTwips(lijst) - KolomGrootteBreedte - KolomDatumBreedte - SchuifbalkRuimte -
                   StandBreedte(lijst) - RechtenBreedte(lijst));
    ZetBreedte(lijst, LijstModel::KolomGrootte, KolomGrootteBreedte);
    ZetBreedte(lijst, LijstModel::KolomDatum, KolomDatumBreedte);
}

void RechtenKolomMenu(LijstWeergave& lijst)
{
    QHeaderView* kop = lijst.header();
    kop->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(kop);
    menu->setObjectName(QStringLiteral("mnuKolommen") + lijst.objectName());
    QAction* rechten = menu->addAction(QStringLiteral("&Rechten"));
    rechten->setObjectName(QStringLiteral("mnuKolomRechten"));
    rechten->setCheckable(true);
    QObject::connect(rechten, &QAction::toggled, &lijst,
                     [&lijst](bool aan) { RechtenKolomTonen(lijst, aan); });
    QObject::connect(kop, &QHeaderView::customContextMenuRequested, menu, [menu, kop, rechten, &lijst](const QPoint& p) {
        rechten->setChecked(!lijst.isColumnHidden(LijstModel::KolomRechten));
        menu->popup(kop->viewport()->mapToGlobal(p));
    });
}

bool RechtenKolomGetoond(const LijstWeergave& lijst)
{
    return lijst.property(RechtenGetoond).toBool();
}

void RechtenKolomTonen(LijstWeergave& lijst, bool aan)
{
    lijst.setProperty(RechtenGetoond, aan);
    lijst.setColumnHidden(LijstModel::KolomRechten, !aan);
    LijstBKoppenInstellen(lijst, true);
}

QString KopMetAantal(const LijstWeergave& lijst, const QString& aantal, bool lezend)
{
    return LijstTitel(lijst) + QStringLiteral(" (") + aantal +
           (lezend ? QStringLiteral("…)") : QStringLiteral(")"));
}

void KolomKopNaam(LijstWeergave& lijst, bool lezend)
{
    LijstModel& model = lijst.lijstModel();
    qint64 aantal = model.Aantal();
    // While the folder is read its parent entry is not in the list yet.
    for (const ListRow& rij : lezend ? std::span<const ListRow>() : std::span<const ListRow>(model.Rijen())) {
        // Most names begin with neither a space nor a dot: no need to trim them.
        const QChar eerste = rij.naam.isEmpty() ? QChar() : rij.naam.front();
        if (eerste != u'.' && !eerste.isSpace()) continue;
        if (QStringView(rij.naam).trimmed() == u"..") {
            --aantal;
            break;
        }
    }
    model.ZetKopTekst(LijstModel::KolomNaam, KopMetAantal(lijst, GetalTekst(aantal), lezend));
}

} // namespace Vamox
