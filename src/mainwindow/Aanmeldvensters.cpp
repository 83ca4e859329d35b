// The questions and notices of a login, in the message and input windows.

#include "mainwindow/Aanmeldvensters.h"

#include "dialogs/Inp.h"
#include "dialogs/Msg.h"
#include "panes/Opmaak.h"

#include <QDateTime>
#include <QFileInfo>

namespace Vamox {

QString CertificatenBestand(const QString& cfgBestand)
{
    QString pad = cfgBestand;
    if (pad.endsWith(QLatin1String(".cfg"))) pad.chop(4);
    return pad + QStringLiteral(".certificaten");
}

namespace {

// As the lists show dates, in local time.
QString CertificaatDatum(const QDateTime& t)
{
    if (!t.isValid()) return QStringLiteral("onbekend");
    const QDateTime lokaal = t.toLocalTime();
    return DatumTekst(lokaal.date()) + u' ' + lokaal.time().toString(QStringLiteral("HH:mm"));
}

QString Server(const QString& host, quint16 poort)
{
    return QStringLiteral("'") + host + QStringLiteral("' (poort ") + QString::number(poort) + u')';
}

QString SleutelRegels(const QString& kop, const Hostsleutel& s)
{
    return kop + QStringLiteral(" (") + s.soort() + QStringLiteral("):\r\n") + s.vingerafdruk();
}

// Enter is Nee: trusting takes a deliberate choice.
bool Vertrouwen(const QString& tekst)
{
    return JaNee({.Tekst = tekst, .Pictogram = 3, .Codes = QStringLiteral("2+2")});
}

} // namespace

bool Aanmeldvensters::CertificaatVertrouwen(const CertificaatInfo& c)
{
    return Vertrouwen(QStringLiteral("Het certificaat van server ") + Server(c.host, c.poort) +
                      QStringLiteral(" is niet door een vertrouwde instantie ondertekend.\r\n\r\n"
                                     "Vingerafdruk (SHA-256):\r\n") +
                      c.vingerafdruk + QStringLiteral("\r\n\r\nGeldig van: ") + CertificaatDatum(c.geldigVanaf) +
                      QStringLiteral("\r\nGeldig tot: ") + CertificaatDatum(c.geldigTot) +
                      QStringLiteral("\r\n\r\nDit certificaat vertrouwen en onthouden?"));
}

void Aanmeldvensters::CertificaatGewijzigd(const CertificaatInfo& c)
{
    QString tekst = QStringLiteral("Let op: server ") + Server(c.host, c.poort) +
                    QStringLiteral(" toont een ander certificaat dan het certificaat dat eerder is "
                                   "vertrouwd. Er is geen verbinding gemaakt.");
    if (!c.vingerafdruk.isEmpty()) tekst += QStringLiteral("\r\n\r\nVingerafdruk nu (SHA-256):\r\n") + c.vingerafdruk;
    tekst += QStringLiteral("\r\n\r\nIs het nieuwe certificaat in orde, verwijder dan de regel van deze "
                            "server uit:\r\n") +
             m_certificaten;
    Melding(tekst, 4);
}

void Aanmeldvensters::CertificaatMelding(Certificaatmelding m, const CertificaatInfo& c)
{
    const QString server = Server(c.host, c.poort);
    QString tekst;
    switch (m) {
    case Certificaatmelding::GeenTls:
        tekst = QStringLiteral("Let op: server ") + server +
                QStringLiteral(" biedt geen versleuteling (TLS) meer aan, maar het certificaat van deze "
                               "server is eerder vertrouwd. Er is geen verbinding gemaakt; gebruikersnaam "
                               "en wachtwoord zijn niet verstuurd.") +
                QStringLiteral("\r\n\r\nIs dit in orde, verwijder dan de regel van deze server uit:\r\n") +
                m_certificaten;
        break;
    case Certificaatmelding::PinOngeldig:
        tekst = QStringLiteral("Let op: de regel van server ") + server +
                QStringLiteral(" in het bestand met vertrouwde certificaten is onleesbaar. Er is geen "
                               "verbinding gemaakt.\r\n\r\nHerstel of verwijder die regel in:\r\n") +
                m_certificaten;
        break;
    case Certificaatmelding::BestandOnleesbaar:
        tekst = QStringLiteral("Het bestand met vertrouwde certificaten kan niet worden gelezen:\r\n") +
                m_certificaten + QStringLiteral("\r\n\r\nEr is geen verbinding gemaakt met server ") + server +
                u'.';
        break;
    case Certificaatmelding::NietOnthouden:
        tekst = QStringLiteral("Het certificaat van server ") + server +
                QStringLiteral(" is voor deze keer vertrouwd, maar kon niet worden onthouden in:\r\n") +
                m_certificaten + QStringLiteral("\r\n\r\nBij de volgende verbinding wordt het opnieuw gevraagd.");
        break;
    }
    Melding(tekst, 4);
}

bool Aanmeldvensters::HostsleutelVertrouwen(const HostsleutelInfo& h)
{
    return Vertrouwen(QStringLiteral("De server ") + Server(h.host, h.poort) +
                      QStringLiteral(" is onbekend. Er is nog niets verstuurd.\r\n\r\n") +
                      SleutelRegels(QStringLiteral("Vingerafdruk van de sleutel"), h.sleutel) +
                      QStringLiteral("\r\n\r\nDeze sleutel vertrouwen en onthouden in:\r\n") + h.bestand + u'?');
}

void Aanmeldvensters::HostsleutelGewijzigd(const HostsleutelInfo& h)
{
    QString tekst = QStringLiteral("Let op: de sleutel van server ") + Server(h.host, h.poort) +
                    QStringLiteral(" is gewijzigd. Er is geen verbinding gemaakt en niets verstuurd.\r\n\r\n") +
                    SleutelRegels(QStringLiteral("Vingerafdruk nu"), h.sleutel);
    if (!h.bekend.leeg()) tekst += QStringLiteral("\r\n") + SleutelRegels(QStringLiteral("Eerder vertrouwd"), h.bekend);
    tekst += QStringLiteral("\r\n\r\nIs de nieuwe sleutel in orde, verwijder dan de regel van deze server uit:\r\n") +
             h.bestand;
    Melding(tekst, 4);
}

void Aanmeldvensters::HostsleutelMelding(Hostsleutelmelding m, const HostsleutelInfo& h)
{
    const QString server = Server(h.host, h.poort);
    QString tekst;
    switch (m) {
    case Hostsleutelmelding::BestandOnleesbaar:
        tekst = QStringLiteral("Het bestand met bekende servers kan niet worden gelezen:\r\n") + h.bestand +
                QStringLiteral("\r\n\r\nEr is geen verbinding gemaakt met server ") + server + u'.';
        break;
    case Hostsleutelmelding::NietOnthouden:
        tekst = QStringLiteral("De sleutel van server ") + server +
                QStringLiteral(" is voor deze keer vertrouwd, maar kon niet worden onthouden in:\r\n") + h.bestand +
                QStringLiteral("\r\n\r\nBij de volgende verbinding wordt het opnieuw gevraagd.");
        break;
    case Hostsleutelmelding::SleutelTeOpen:
        Melding(QStringLiteral("De sleutel ") + h.bestand +
                    QStringLiteral(" wordt niet gebruikt: anderen mogen hem lezen (rechten ") +
                    OctaleRechten(h.bestand) +
                    QStringLiteral(").\r\n\r\nMaak hem alleen voor uzelf leesbaar (chmod 600), dan "
                                   "wordt hij weer gebruikt."),
                1);
        return;
    case Hostsleutelmelding::Ingetrokken:
        tekst = QStringLiteral("Let op: de sleutel van server ") + server +
                QStringLiteral(" is ingetrokken in:\r\n") + h.bestand +
                QStringLiteral("\r\n\r\nEr is geen verbinding gemaakt.");
        break;
    }
    Melding(tekst, 4);
}

QString Aanmeldvensters::Wachtwoordzin(const QString& sleutel)
{
    return i({.Tekst = QStringLiteral("Wachtwoordzin voor de sleutel ") + QFileInfo(sleutel).fileName() +
                       QStringLiteral(":"),
              .Pictogram = 2,
              .Verborgen = true});
}

} // namespace Vamox
