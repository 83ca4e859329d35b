#include "dialogs/MsgRegels.h"

#include <algorithm>

namespace Vamox {

namespace {

constexpr int KnopHoogte = 375;
constexpr int TekstLinks = 120;
constexpr int TekstBoven = 240;
constexpr int IcoonVerschuiving = 700;
constexpr int IcoonMaat = 480;
constexpr int TekstMarge = 120;
constexpr int TabExtra = 240;
constexpr int MinTekstBreedte = 2700;
constexpr int KnopTussenruimte = 80;
constexpr int RijExtra = 400;
constexpr int KnoppenOnderTekst = 300;
constexpr int OnderKnoppen = 600;
constexpr int RechtsVanTekst = 200;
constexpr int BandBovenKnoppen = 100;
constexpr int BandExtraHoogte = 500;
constexpr int SchermOnderMarge = 500;

int KnopNummer(const QString& deel)
{
    bool ok = false;
    const int nummer = deel.trimmed().toInt(&ok);
    return ok && nummer >= 1 && nummer <= 4 ? nummer : 0;
}

} // namespace

QStringList MsgKnopTeksten(const QString& knoppen)
{
    if (knoppen.isEmpty()) return {};
    return knoppen.split(QLatin1Char('+')).mid(0, 4);
}

MsgCodes LeesMsgCodes(const QString& codes)
{
    const QStringList delen = (codes + QLatin1Char('+')).split(QLatin1Char('+'));
    return {KnopNummer(delen.value(0)), KnopNummer(delen.value(1))};
}

QChar MsgSneltoets(const QString& caption)
{
    if (caption.size() < 3 || caption.at(0) != QLatin1Char('&')) return {};
    const QChar teken = caption.at(1);
    if (teken == QLatin1Char('&') || teken.isSpace()) return {};
    return teken.toUpper();
}

QString MsgZichtbareTekst(const QString& caption)
{
    QString tekst;
    tekst.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        tekst += caption.at(i);
    }
    return tekst;
}

MsgIndeling BerekenMsgIndeling(const MsgMaten& maten)
{
    MsgIndeling uit;

    int rij = 0;
    for (int k = 0; k < maten.aantalKnoppen && k < 4; ++k)
        rij += maten.knopBreedte[static_cast<size_t>(k)] + KnopTussenruimte;
    if (maten.aantalKnoppen > 0) rij += RijExtra;

    const int tekstLinks = TekstLinks + (maten.metIcoon ? IcoonVerschuiving : 0);
    int tekstBreedte = maten.tekst.width() + TekstMarge + (maten.tekstMetTab ? TabExtra : 0);
    tekstBreedte = std::max(tekstBreedte, MinTekstBreedte);
    const int tekstHoogte = maten.tekst.height() + TekstMarge;
    uit.icoon = QRect(TekstLinks, TekstBoven, IcoonMaat, IcoonMaat);

    const int knopBoven = TekstBoven + tekstHoogte + KnoppenOnderTekst;
    int breedte = tekstLinks + tekstBreedte + RechtsVanTekst;
    const int hoogte = knopBoven + KnopHoogte + OnderKnoppen;
    if (breedte < rij) {
        tekstBreedte += rij - breedte;
        breedte = rij;
    }
    uit.tekst = QRect(tekstLinks, TekstBoven, tekstBreedte, tekstHoogte);
    uit.venster = QSize(breedte, hoogte);

    int rechts = tekstLinks + tekstBreedte;
    for (size_t k = 0; k < 4; ++k) {
        const int w = maten.knopBreedte[k];
        uit.knoppen[k] = QRect(rechts - w, knopBoven, w, KnopHoogte);
        rechts -= w + KnopTussenruimte;
    }

    // The band reaches at least to the bottom of the client area, whatever the frame takes.
    const int bandBoven = knopBoven - BandBovenKnoppen;
    const int binnenHoogte = hoogte - maten.rand.height();
    uit.band = QRect(0, bandBoven, breedte, std::max(KnopHoogte + BandExtraHoogte, binnenHoogte - bandBoven));

    uit.positie = VensterPositie(uit.venster, maten);
    return uit;
}

QPoint VensterPositie(QSize venster, const MsgMaten& maten)
{
    const int breedte = venster.width();
    const int hoogte = venster.height();
    const QRect& scherm = maten.scherm;
    QPoint pos(scherm.x() + (scherm.width() - breedte) / 2, scherm.y() + (scherm.height() - hoogte) / 2);
    if (maten.centreren && maten.actiefVenster) {
        const QRect& actief = *maten.actiefVenster;
        pos =
            QPoint(actief.x() + (actief.width() - breedte) / 2, actief.y() + (actief.height() - hoogte) / 2);
    }
    if (maten.links) pos.setX(*maten.links);
    if (maten.boven) pos.setY(*maten.boven);

    if (pos.x() + breedte > scherm.x() + scherm.width()) pos.setX(scherm.x() + scherm.width() - breedte);
    if (pos.y() + hoogte > scherm.y() + scherm.height() - SchermOnderMarge)
        pos.setY(scherm.y() + scherm.height() - SchermOnderMarge - hoogte);
    pos.setX(std::max(pos.x(), scherm.x()));
    pos.setY(std::max(pos.y(), scherm.y()));
    return pos;
}

} // namespace Vamox
