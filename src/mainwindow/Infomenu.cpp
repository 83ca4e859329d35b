#include "mainwindow/Infomenu.h"

#include "dialogs/Msg.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace Vamox {

namespace {

const QString Nl = QStringLiteral("\r\n");
const QString Contactadres = QStringLiteral("info@vamox.nl");

} // namespace

// "0.1" from the build, revision 0 when it names none.
QString Versie()
{
    const QStringList delen = QStringLiteral(VAMOX_VERSIE).split(u'.');
    return delen.value(0, QStringLiteral("0")) + u'.' + delen.value(1, QStringLiteral("0")) +
           QStringLiteral(".0.") + delen.value(2, QStringLiteral("0"));
}

QString TipsTekst()
{
    const QStringList blokken = {
        QStringLiteral("TIP 1") + Nl +
            QStringLiteral(" Klikken in het venster toont/verbergt de knoppenbalk."),
        QStringLiteral("TIP 2") + Nl +
            QStringLiteral(" In de mappen- en bestandenlijsten is een snelmenu (rechtsklikken) beschikbaar."),
        QStringLiteral("TIP 3") + Nl +
            QStringLiteral(" In de mappen- en bestandenlijsten is OLE slepen en neerzetten (in en uit het "
                           "venster)  beschikbaar.") +
            Nl +
            QStringLiteral(" Met Alt ingedrukt tijdens het slepen, is in de lijsten van de server downloaden "
                           "buiten het venster beschikbaar."),
        QStringLiteral("TIP 4") + Nl +
            QStringLiteral(" Bij het openen van een bestand uit de bestandenlijst van de server kan deze, na "
                           "wijziging, naar de server") +
            Nl + QStringLiteral(" worden geüpload."),
        QStringLiteral("TIP 5") + Nl +
            QStringLiteral(
                " Met Shift ingedrukt opstarten betekent dat bij opstarten de configuratieinstellingen "
                "worden genegeerd."),
    };
    return blokken.join(Nl + Nl);
}

QString OverTekst()
{
    // The executable as it is named on this system (".exe" only where executables carry it).
    const QString programma = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QStringLiteral("Versie\t\t  ") + Versie() + Nl + QStringLiteral("Bestandsnaam\t  ") + programma +
           Nl + Nl + QStringLiteral("Vamox, een FTP-programma met twee vensterhelften") + Nl +
           QStringLiteral("E-mail\t\t  ") + Contactadres;
}

void mnuInfoTips_Click()
{
    Melding(TipsTekst(), 1);
}

void mnuInfoOver_Click()
{
    const int knop = M({.Tekst = OverTekst(),
                        .Pictogram = 1,
                        .Knoppen = QStringLiteral("&OK+&E-mail"),
                        .Codes = QStringLiteral("1+0"),
                        .Knopbreedte = 1280});
    if (knop != 2) return;
    const QUrl mail(QStringLiteral("mailto:") + Contactadres + QStringLiteral("?cc=&bcc=&subject=Vamox%20") +
                    Versie() + QStringLiteral("&body="));
    if (!QDesktopServices::openUrl(mail))
        Melding(QStringLiteral("Programma voor e-mail verzenden niet gevonden."), 1);
}

} // namespace Vamox
