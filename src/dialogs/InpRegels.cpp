#include "dialogs/InpRegels.h"

namespace Vamox {

namespace {

constexpr int TekstLinks = 120;
constexpr int TekstBoven = 240;
constexpr int IcoonVerschuiving = 600;
constexpr int IcoonMaat = 480;
constexpr int TekstMarge = 120;
constexpr int TabExtra = 240;
constexpr int KnopBreedte = 1095;
constexpr int KnopHoogte = 375;
constexpr int KnopOKBoven = 240;
constexpr int KnopCancelBoven = 720;
constexpr int KnoppenNaastTekst = 100;
constexpr int RechtsVanKnoppen = 200;
constexpr int InvoerOnder = 200;
constexpr int InvoerHoogte = 315;
constexpr int OnderInvoer = 600;
constexpr int BandBovenInvoer = 100;

QString Codes(std::initializer_list<std::pair<int, int>> reeksen)
{
    QString lijst;
    for (const auto& [van, tot] : reeksen) {
        for (int c = van; c <= tot; ++c)
            lijst += QString::number(c) + u',';
    }
    return lijst;
}

} // namespace

QString AsciiTekens()
{
    return Codes({{65, 90}, {97, 122}, {48, 57}, {32, 32}, {95, 95}});
}

QString AsciiCijfers()
{
    return Codes({{48, 57}});
}

QString ToegestaanOpslaan(const QString& toegestaan)
{
    return toegestaan.isEmpty() ? QString() : u',' + toegestaan + QStringLiteral(",8,");
}

bool TekenToegestaan(const QString& opgeslagen, QChar teken)
{
    if (opgeslagen.isEmpty()) return true;
    return opgeslagen.contains(u',' + QString::number(teken.unicode()) + u',');
}

InpIndeling BerekenInpIndeling(QSize tekst, bool metTab, bool metIcoon)
{
    InpIndeling uit;
    const int links = TekstLinks + (metIcoon ? IcoonVerschuiving : 0);
    uit.icoon = QRect(TekstLinks, TekstBoven, IcoonMaat, IcoonMaat);
    uit.tekst = QRect(links, TekstBoven, tekst.width() + TekstMarge + (metTab ? TabExtra : 0),
                      tekst.height() + TekstMarge);
    const int knopLinks = uit.tekst.right() + 1 + KnoppenNaastTekst;
    uit.knopOK = QRect(knopLinks, KnopOKBoven, KnopBreedte, KnopHoogte);
    uit.knopCancel = QRect(knopLinks, KnopCancelBoven, KnopBreedte, KnopHoogte);
    const int breedte = uit.knopOK.right() + 1 + RechtsVanKnoppen;
    const int onder = std::max(uit.tekst.bottom() + 1, uit.knopCancel.bottom() + 1);
    uit.invoer = QRect(links, onder + InvoerOnder, uit.knopOK.right() + 1 - links, InvoerHoogte);
    const int hoogte = uit.invoer.bottom() + 1 + OnderInvoer;
    const int bandBoven = uit.invoer.top() - BandBovenInvoer;
    uit.band = QRect(0, bandBoven, breedte, hoogte - bandBoven);
    uit.venster = QSize(breedte, hoogte);
    return uit;
}

} // namespace Vamox
