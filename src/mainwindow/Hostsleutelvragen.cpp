// The questions and notices of an SSH login, in the message and input windows.

#include "dialogs/Inp.h"
#include "dialogs/Msg.h"
#include "ftp/FtpSession.h"
#include "mainwindow/Verbinding.h"

#include <QFileInfo>

namespace Vamox {

namespace {

QString ServerNaam(const HostsleutelInfo& h)
{
    return QStringLiteral("'") + h.host + QStringLiteral("' (poort ") + QString::number(h.poort) + u')';
}

QString SleutelRegels(const QString& kop, const Hostsleutel& s)
{
    return kop + QStringLiteral(" (") + s.soort() + QStringLiteral("):\r\n") + s.vingerafdruk();
}

} // namespace

void HostsleutelvragenInstellen(FtpSession& sessie)
{
    sessie.ssh.vertrouwen = [](const HostsleutelInfo& h) {
        // Enter is Nee: trusting a key takes a deliberate choice.
        return M({.Tekst = QStringLiteral("De server ") + ServerNaam(h) +
                           QStringLiteral(" is onbekend. Er is nog niets verstuurd.\r\n\r\n") +
                           SleutelRegels(QStringLiteral("Vingerafdruk van de sleutel"), h.sleutel) +
                           QStringLiteral("\r\n\r\nDeze sleutel vertrouwen en onthouden in:\r\n") +
                           h.bestand + u'?',
                  .Pictogram = 3,
                  .Knoppen = QStringLiteral("&Ja+&Nee"),
                  .Codes = QStringLiteral("2+2"),
                  .Centreren = true}) == 1;
    };
    sessie.ssh.gewijzigd = [](const HostsleutelInfo& h) {
        QString tekst =
            QStringLiteral("Let op: de sleutel van server ") + ServerNaam(h) +
            QStringLiteral(" is gewijzigd. Er is geen verbinding gemaakt en niets verstuurd.\r\n\r\n") +
            SleutelRegels(QStringLiteral("Vingerafdruk nu"), h.sleutel);
        if (!h.bekend.leeg())
            tekst += QStringLiteral("\r\n") + SleutelRegels(QStringLiteral("Eerder vertrouwd"), h.bekend);
        tekst +=
            QStringLiteral(
                "\r\n\r\nIs de nieuwe sleutel in orde, verwijder dan de regel van deze server uit:\r\n") +
            h.bestand;
        Melding(tekst, 4);
    };
    sessie.ssh.melding = [](Hostsleutelmelding m, const HostsleutelInfo& h) {
        QString tekst;
        switch (m) {
        case Hostsleutelmelding::BestandOnleesbaar:
            tekst = QStringLiteral("Het bestand met bekende servers kan niet worden gelezen:\r\n") +
                    h.bestand + QStringLiteral("\r\n\r\nEr is geen verbinding gemaakt met server ") +
                    ServerNaam(h) + u'.';
            break;
        case Hostsleutelmelding::NietOnthouden:
            tekst = QStringLiteral("De sleutel van server ") + ServerNaam(h) +
                    QStringLiteral(" is voor deze keer vertrouwd, maar kon niet worden onthouden in:\r\n") +
                    h.bestand +
                    QStringLiteral("\r\n\r\nBij de volgende verbinding wordt het opnieuw gevraagd.");
            break;
        case Hostsleutelmelding::SleutelTeOpen:
            tekst = QStringLiteral("De sleutel ") + h.bestand +
                    QStringLiteral(" wordt niet gebruikt: anderen mogen hem lezen (rechten ") +
                    OctaleRechten(h.bestand) +
                    QStringLiteral(").\r\n\r\nMaak hem alleen voor uzelf leesbaar (chmod 600), dan "
                                   "wordt hij weer gebruikt.");
            Melding(tekst, 1);
            return;
        case Hostsleutelmelding::Ingetrokken:
            tekst = QStringLiteral("Let op: de sleutel van server ") + ServerNaam(h) +
                    QStringLiteral(" is ingetrokken in:\r\n") + h.bestand +
                    QStringLiteral("\r\n\r\nEr is geen verbinding gemaakt.");
            break;
        }
        Melding(tekst, 4);
    };
    sessie.ssh.wachtwoordzin = [](const QString& sleutel) {
        return i({.Tekst = QStringLiteral("Wachtwoordzin voor de sleutel ") + QFileInfo(sleutel).fileName() +
                           QStringLiteral(":"),
                  .Pictogram = 2,
                  .Verborgen = true});
    };
}

} // namespace Vamox
