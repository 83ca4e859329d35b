#include "clipboard/gui/Klembord.h"

#include "clipboard/Sleepdata.h"
#include "clipboard/Werkmap.h"
#include "dialogs/Msg.h"
#include "dialogs/Tooltip.h"
#include "transfer/Werkplekken.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMimeData>
#include <QToolButton>

namespace Vamox {

namespace {

const QString Letop =
    QStringLiteral("Let op: na het sluiten van het programma is Klembord niet meer beschikbaar");

} // namespace

Klembord::Klembord(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, Wachtrij& wachtrij,
                   const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_navigatie(navigatie), m_wachtrij(wachtrij), m_b(besturing)
{
    m_b.knopKopierenNaarKlembord->setEnabled(true);
    TipTonen(*m_b.knopKopierenNaarKlembord, [this] { return TipTekst(); });
    connect(m_b.knopKopierenNaarKlembord, &QToolButton::clicked, this,
            &Klembord::NaarKlembordBestandenKopieren);
    // The menu bar leaves the focus where it was; each item acts on its own side.
    connect(m_b.mnuBestandLokaalKopierenNaarKlembord, &QAction::triggered, this, [this] { Kopieren(true); });
    connect(m_b.mnuBestandFtpKopierenNaarKlembord, &QAction::triggered, this, [this] { Kopieren(false); });
}

Klembord::~Klembord() = default;

QString Klembord::TipTekst() const
{
    const bool lokaal = m_navigatie.LokaalActief();
    const LijstWeergave& lijst = *(lokaal ? m_lokaal.ui().bestanden : m_server.ui().bestanden);
    if (lijst.lijstModel().Aantal() == 0) return QStringLiteral("Bestanden naar Klembord kopiëren");
    return lokaal ? QStringLiteral("Lokale bestand(en) naar Klembord kopiëren")
                  : QStringLiteral("Serverbestand(en) naar Klembord kopiëren\n") + Letop;
}

void Klembord::NaarKlembordBestandenKopieren()
{
    Kopieren(m_navigatie.LokaalActief());
}

void Klembord::Kopieren(bool lokaal)
{
    const QString soort = lokaal ? QStringLiteral("Lokale bestanden") : QStringLiteral("Serverbestanden");
    const QString noot = lokaal ? QString() : QStringLiteral("\r\n\r\n") + Letop + u'.';
    LijstWeergave& lijst = *(lokaal ? m_lokaal.ui().bestanden : m_server.ui().bestanden);
    lijst.setFocus();

    bool gelukt = true;
    {
        Wachtstand wacht(*m_b.venster);
        wacht.Tonen(QStringLiteral("Even geduld. ") + soort +
                    QStringLiteral(" naar Klembord kopiëren voorbereiden..."));
        int positie = 0;
        const QStringList namen = GeselecteerdeNamen(lijst, positie);
        if (positie == 0) {
            Melding(QStringLiteral("Geen ") + soort.toLower() +
                        QStringLiteral(" geselecteerd.\r\nKan derhalve geen ") + soort.toLower() +
                        QStringLiteral(" naar Klembord kopiëren."),
                    1);
            return;
        }
        QStringList paden;
        if (lokaal) {
            for (qsizetype i = 1; i < namen.size(); ++i)
                paden.push_back(m_lokaal.HuidigeLokalemap() + namen.at(i));
        } else {
            std::vector<Serverbestand> bestanden;
            for (qsizetype i = 1; i < namen.size(); ++i)
                bestanden.push_back({m_server.HuidigeServermap() + namen.at(i), -1, namen.at(i)});
            const Werkmapkopie kopie =
                InWerkmapHalen(m_wachtrij, bestanden, WerkplekPad(*m_b.tijdelijkeMap, Werkplek::Klembord));
            paden = kopie.paden;
            gelukt = kopie.mislukt == 0;
        }
        BestandenNaarKlembord(paden);
        QApplication::beep();
        Melding(soort + QStringLiteral(" naar Klembord gekopieerd (") + QString::number(namen.size() - 1) +
                    QStringLiteral(").") + noot,
                1, 1500);
    }
    if (!gelukt)
        Melding(QStringLiteral("Bij het kopiëren van ") + soort.toLower() +
                    QStringLiteral(" naar Klembord is iets fout gegegaan."),
                4);
}

bool Klembord::BestandenNaarKlembord(const QStringList& paden)
{
    const QStringList bestaand = BestaandeBestanden(paden);
    if (bestaand.isEmpty()) return false;
    auto* data = new QMimeData;
    LokalePadenZetten(*data, bestaand);
    QClipboard* klembord = QGuiApplication::clipboard();
    klembord->setMimeData(data);
    return klembord->mimeData() != nullptr && klembord->mimeData()->hasUrls();
}

} // namespace Vamox
