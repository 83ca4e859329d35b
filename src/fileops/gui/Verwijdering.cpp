#include "fileops/gui/Verwijdering.h"

#include "dialogs/Msg.h"
#include "fileops/Verwijderen.h"
#include "ftp/FtpPaden.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Zandloper.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QToolButton>

namespace Vamox {

namespace {

// The questions of a tree deletion and the caption of its steps.
class Mapvragen final : public Verwijdervragen
{
public:
    Mapvragen(QWidget& venster, bool lokaal) : m_wacht(venster), m_lokaal(lokaal) {}

    void Zoeken() override
    {
        m_wacht.Tonen(m_lokaal ? QStringLiteral("Even geduld. Mappen en bestanden zoeken...")
                               : QStringLiteral("Even geduld. Subservermappen en -bestanden zoeken..."));
    }

    bool MapVerwijderen(const QString& pad, const Mapomvang& omvang, bool nogmaals) override
    {
        m_wacht.Terug();
        QString tekst = (m_lokaal ? QStringLiteral("Lokale map") : QStringLiteral("Servermap")) +
                        QStringLiteral("\r\n ") + pad + QStringLiteral("\r\n\r\nmet al zijn submappen (") +
                        AantalTekst(omvang.submappen) + QStringLiteral(") en bestanden (") +
                        AantalTekst(omvang.bestanden) + QStringLiteral(")\r\n") +
                        (m_lokaal ? QStringLiteral("definitief verwijderen (niet naar de prullenbak)?")
                                  : QStringLiteral("daadwerkelijk van de server verwijderen?"));
        if (nogmaals) tekst.prepend(QStringLiteral("Nogmaals.\r\n\r\n"));
        return JaNee({.Tekst = tekst, .Pictogram = 4});
    }

    void Verwijderen() override
    {
        m_wacht.Tonen(m_lokaal ? QStringLiteral("Even geduld. Lokale map verwijderen...")
                               : QStringLiteral("Even geduld. Servermap verwijderen..."));
    }

private:
    Wachtstand m_wacht;
    bool m_lokaal;
};

// The selected rows' names (no element 0) and the 1-based position of the last one.
QStringList Gekozen(const LijstWeergave& lijst, int& positie)
{
    QStringList namen = GeselecteerdeNamen(lijst, positie);
    namen.removeFirst();
    return namen;
}

// The selected folder row's name, "" when none is selected or it is the parent entry.
QString GekozenMap(const LijstWeergave& lijst)
{
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return {};
    const QString naam = lijst.lijstModel().Rij(rij).naam;
    return SpatiesWeg(naam) == QLatin1String("..") ? QString() : naam;
}

} // namespace

Verwijdering::Verwijdering(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie,
                           const Wachtrij& wachtrij, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_navigatie(navigatie), m_wachtrij(wachtrij), m_b(besturing)
{
    connect(m_b.knopVerwijderenBestand, &QToolButton::clicked, this,
            &Verwijdering::knopVerwijderenBestand_Click);
    connect(m_b.knopVerwijderenMap, &QToolButton::clicked, this, &Verwijdering::knopVerwijderenMap_Click);
    // A side's menu items act on that side, also when chosen from the menu bar.
    const auto via = [this](QAction* item, LijstWeergave* lijst, void (Verwijdering::*actie)()) {
        connect(item, &QAction::triggered, this, [this, lijst, actie] {
            lijst->setFocus();
            (this->*actie)();
        });
    };
    via(m_b.mnuBestandLokaalVerwijderen, lokaal.ui().bestanden, &Verwijdering::knopVerwijderenBestand_Click);
    via(m_b.mnuBestandFtpVerwijderen, server.ui().bestanden, &Verwijdering::knopVerwijderenBestand_Click);
    via(m_b.mnuMapLokaalVerwijderen, lokaal.ui().mappen, &Verwijdering::knopVerwijderenMap_Click);
    via(m_b.mnuMapFtpVerwijderen, server.ui().mappen, &Verwijdering::knopVerwijderenMap_Click);
    for (Paneel* p : {static_cast<Paneel*>(&lokaal), static_cast<Paneel*>(&server)}) {
        connect(p->ui().bestanden, &LijstWeergave::toetsLos, this, [this](int toets) {
            if (toets == Qt::Key_Delete) knopVerwijderenBestand_Click();
        });
        connect(p->ui().mappen, &LijstWeergave::toetsLos, this, [this](int toets) {
            if (toets == Qt::Key_Delete) knopVerwijderenMap_Click();
        });
    }
}

void Verwijdering::knopVerwijderenBestand_Click()
{
    if (m_navigatie.LokaalActief())
        BestandenLokaal();
    else
        BestandenFtp();
}

void Verwijdering::BestandenFtp()
{
    LijstWeergave& lijst = *m_server.ui().bestanden;
    int positie = 0;
    const QStringList namen = Gekozen(lijst, positie);
    if (lijst.lijstModel().Aantal() == 0 || namen.isEmpty()) {
        Melding(QStringLiteral(
                    "Geen serverbestanden geselecteerd.\r\nKan derhalve geen serverbestanden verwijderen."),
                1);
        return;
    }
    if (!JaNee({.Tekst = QStringLiteral("De geselecteerde serverbestanden (") +
                         QString::number(namen.size()) +
                         QStringLiteral(") daadwerkelijk van de server verwijderen?"),
                .Pictogram = 4,
                .Codes = QStringLiteral("2+1")}))
        return;

    Zandloper(true);
    const Verwijderresultaat r =
        ServerbestandenVerwijderen(m_server.sessie(), m_server.HuidigeServermap(), namen);
    lijst.hide();
    m_server.LijstVullenFtp(std::nullopt, Soort::Bestanden, false);
    SelecterenInLijstItem(lijst, positie);
    Zandloper(false);
    if (!r.Gelukt())
        Melding(QStringLiteral("Bij het verwijderen van bestanden op de server is iets fout gegaan."), 4);
}

void Verwijdering::BestandenLokaal()
{
    LijstWeergave& lijst = *m_lokaal.ui().bestanden;
    int positie = 0;
    const QStringList namen = Gekozen(lijst, positie);
    if (lijst.lijstModel().Aantal() == 0 || namen.isEmpty()) {
        Melding(QStringLiteral(
                    "Geen lokale bestanden geselecteerd.\r\nKan derhalve geen lokale bestanden verwijderen."),
                1);
        return;
    }
    const int antwoord =
        M({.Tekst = QStringLiteral("De geselecteerde lokale bestanden (") + QString::number(namen.size()) +
                    QStringLiteral(") naar de prullenbak overbrengen?"),
           .Pictogram = 4,
           .Knoppen = QStringLiteral("&Nee+&Ja+&Definitief verwijderen"),
           .Codes = QStringLiteral("2+1"),
           .Knopbreedte = 2000,
           .Centreren = true});
    if (antwoord < 2) return;

    Zandloper(true);
    const Verwijderresultaat r =
        LokaleBestandenVerwijderen(m_lokaal.HuidigeLokalemap(), namen,
                                   antwoord == 2 ? Verwijderwijze::Prullenbak : Verwijderwijze::Definitief);
    lijst.hide();
    m_lokaal.LijstVullenLokaal(std::nullopt, Soort::Bestanden, false);
    SelecterenInLijstItem(lijst, positie);
    Zandloper(false);
    if (!r.Gelukt())
        Melding(QStringLiteral("Bij het verwijderen van lokale bestanden is iets fout gegaan."), 4);
}

void Verwijdering::knopVerwijderenMap_Click()
{
    Map();
}

void Verwijdering::Map()
{
    const bool lokaal = m_navigatie.LokaalActief();
    Paneel& paneel = lokaal ? static_cast<Paneel&>(m_lokaal) : static_cast<Paneel&>(m_server);
    LijstWeergave& lijst = *paneel.ui().mappen;
    if (lijst.lijstModel().Aantal() == 0 || GekozenMap(lijst).isEmpty()) {
        Melding(
            lokaal
                ? QStringLiteral("Geen lokale map geselecteerd.\r\nKan derhalve geen lokale map verwijderen.")
                : QStringLiteral("Geen servermap geselecteerd.\r\nKan derhalve geen servermap verwijderen."),
            1);
        return;
    }
    if (!(lokaal ? VerwijderenLokalemap(false) : VerwijderenServermap(false))) return;

    const int positie = GeselecteerdeRij(lijst) + 1;
    Zandloper(true);
    lijst.hide();
    paneel.LijstVullen(std::nullopt, Soort::Mappen, false);
    SelecterenInLijstItem(lijst, positie);
    Zandloper(false);
}

bool Verwijdering::VerwijderenServermap(bool verversen)
{
    const LijstWeergave& lijst = *m_server.ui().mappen;
    if (lijst.lijstModel().Aantal() == 0) {
        Melding(QStringLiteral("Geen server gevonden.\r\nKan derhalve geen servermap verwijderen."), 1);
        return false;
    }
    const QString naam = GekozenMap(lijst);
    const QString pad = m_server.HuidigeServermap() + naam;
    // A ".." anywhere could name a folder above the one shown.
    if (naam.isEmpty() || pad.contains(QLatin1String(".."))) {
        Melding(QStringLiteral("Geen servermap geselecteerd.\r\nKan derhalve geen servermap verwijderen."),
                1);
        return false;
    }
    if (MapInGebruik(m_wachtrij, pad, true)) return false;
    Mapverwijdering v;
    {
        Mapvragen vragen(*m_b.venster, false);
        v = ServermapVerwijderen(m_server.sessie(), pad, vragen);
    }
    if (!v.gedaan) return false;
    if (v.resultaat.geannuleerd)
        Melding(QStringLiteral("Het verwijderen van servermap '") + pad + QStringLiteral("' is geannuleerd."),
                1);
    else if (!v.resultaat.Gelukt())
        Melding(QStringLiteral("Bij verwijderen van servermap '") + pad +
                    QStringLiteral("' is iets fout gegaan."),
                4);
    if (verversen) m_server.LijstVullenFtp(std::nullopt, Soort::Beide, false);
    return true;
}

bool Verwijdering::VerwijderenLokalemap(bool verversen)
{
    const QString naam = GekozenMap(*m_lokaal.ui().mappen);
    if (naam.isEmpty()) return false;
    const QString pad = m_lokaal.HuidigeLokalemap() + naam;
    if (MapInGebruik(m_wachtrij, pad, false)) return false;
    Mapverwijdering v;
    {
        Mapvragen vragen(*m_b.venster, true);
        v = LokaleMapVerwijderen(pad, vragen);
    }
    if (!v.gedaan) return false;
    if (!v.resultaat.Gelukt())
        Melding(QStringLiteral("Bij verwijderen van lokale map '") + pad +
                    QStringLiteral("' is iets fout gegaan."),
                4);
    if (verversen) m_lokaal.LijstVullenLokaal(std::nullopt, Soort::Beide, false);
    return true;
}

} // namespace Vamox
