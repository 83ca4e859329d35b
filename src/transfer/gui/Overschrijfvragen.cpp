#include "transfer/gui/Overschrijfvragen.h"

#include "dialogs/Msg.h"
#include "panes/Opmaak.h"

namespace Vamox {

namespace {

bool JaOfNee(const QString& soort, const QString& pad, const QString& codes)
{
    return JaNee({.Tekst = soort + QStringLiteral("\r\n ") + pad + QStringLiteral("\r\noverschrijven?"),
                  .Pictogram = 4,
                  .Codes = codes});
}

Overschrijfantwoord VierKeuzes(const char* soort, const Overschrijving& vraag, const QString& tekst)
{
    const QString titel = QLatin1String(soort) + AantalTekst(vraag.nummer) + u'/' + AantalTekst(vraag.aantal);
    switch (M({.Tekst = tekst + QStringLiteral("\r\n ") + vraag.pad + QStringLiteral(" (") +
                        GrootteTekst(vraag.grootte) + QStringLiteral(")?"),
               .Titel = titel,
               .Pictogram = 4,
               .Knoppen = QStringLiteral("&Ja+&Nee+&Alle overschrijven+&Stoppen"),
               .Codes = QStringLiteral("1+2"),
               .Knopbreedte = 1280,
               .Centreren = true})) {
    case 1:
        return Overschrijfantwoord::Ja;
    case 3:
        return Overschrijfantwoord::Alle;
    case 4:
        return Overschrijfantwoord::Stoppen;
    default:
        return Overschrijfantwoord::Nee;
    }
}

Overschrijfantwoord Antwoord(bool ja)
{
    return ja ? Overschrijfantwoord::Ja : Overschrijfantwoord::Nee;
}

} // namespace

Overschrijfantwoord Overschrijfvragen::Overschrijven(const Overschrijving& vraag)
{
    using S = Overschrijving::Soort;
    switch (vraag.soort) {
    case S::BestandDownloaden:
        return Antwoord(JaOfNee(QStringLiteral("Bestand"), vraag.pad, QStringLiteral("2+1")));
    case S::BestandUploaden:
        return Antwoord(JaOfNee(QStringLiteral("Serverbestand"), vraag.pad, QStringLiteral("1+2")));
    case S::MapUploaden:
        return VierKeuzes("Uploaden: ", vraag, QStringLiteral("Serverbestand overschrijven"));
    case S::MapDownloaden:
        return VierKeuzes("Downloaden: ", vraag, QStringLiteral("Lokale bestand overschrijven"));
    }
    return Overschrijfantwoord::Nee;
}

} // namespace Vamox
