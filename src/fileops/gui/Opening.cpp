#include "fileops/gui/Opening.h"

#include "dialogs/Msg.h"
#include "dialogs/Twips.h"
#include "fileops/Openen.h"
#include "transfer/Werkplekken.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/Programmas.h"
#include "platform/gui/Shell.h"
#include "platform/gui/Zandloper.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace Vamox {

namespace {

QString Soort(bool server)
{
    return server ? QStringLiteral("serverbestand") : QStringLiteral("lokale bestand");
}

// The desktop and the questions of the open flows.
class Bureaublad final : public Openomgeving
{
public:
    bool Openen(const QString& pad) override { return ShellOpenen(pad); }
    bool Starten(const QString& programma, const QString& pad) override
    {
        return ProgrammaStarten(programma, {pad});
    }
    bool Kladblok(const QString& pad) override
    {
        const QString editor = GekoppeldProgramma(QStringLiteral(".txt"));
        return !editor.isEmpty() && ProgrammaStarten(editor, {pad});
    }

    Keuze KladblokOfProgramma(const QString& getoond, const QString& naam, bool server) override
    {
        const QString soort =
            server ? QStringLiteral("Het serverbestand") : QStringLiteral("Het lokale bestand");
        switch (M({.Tekst = soort + QStringLiteral("\r\n ") + getoond +
                            QStringLiteral("\r\nopenen in Kladblok of met ") + naam + u'?',
                   .Pictogram = 2,
                   .Knoppen = QStringLiteral("&Kladblok+&") + naam + QStringLiteral("+&Annuleren"),
                   .Codes = QStringLiteral("1+3"),
                   .Knopbreedte = 1280,
                   .Centreren = true})) {
        case 1:
            return Keuze::Kladblok;
        case 2:
            return Keuze::Programma;
        default:
            return Keuze::Annuleren;
        }
    }

    bool InKladblok(const QString& getoond, bool server) override
    {
        return JaNee({.Tekst = QStringLiteral("Geen uitvoerbaar bestand gevonden bij het ") + Soort(server) +
                               QStringLiteral("\r\n ") + getoond + QStringLiteral(".\r\nOpenen in Kladblok?"),
                      .Pictogram = 2});
    }

    void NietGeopend(const QString& getoond, bool server) override
    {
        Melding(QStringLiteral("Kan ") + Soort(server) + QStringLiteral("\r\n ") + getoond +
                    QStringLiteral("\r\nniet openen."),
                4);
    }

    void NietGedownload(const QString& serverPad) override
    {
        Melding(QStringLiteral("Kan serverbestand\r\n ") + serverPad + QStringLiteral("\r\nniet downloaden."),
                4);
    }
};

bool ZelfdeServer(const FtpGegevens& a, const FtpGegevens& b)
{
    return a.host == b.host && a.poort == b.poort && a.gebruiker == b.gebruiker;
}

} // namespace

Opening::Opening(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie, Wachtrij& wachtrij,
                 const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_navigatie(navigatie), m_wachtrij(wachtrij), m_b(besturing)
{
    connect(m_b.knopOpenen, &QToolButton::clicked, this, &Opening::knopOpenen_Click);
    for (const auto& [item, lijst] : {std::pair{m_b.mnuBestandLokaalOpenen, lokaal.ui().bestanden},
                                      std::pair{m_b.mnuBestandFtpOpenen, server.ui().bestanden}}) {
        connect(item, &QAction::triggered, this, [this, lijst] {
            lijst->setFocus();
            knopOpenen_Click();
        });
        // Only on a row: a double click below the rows of an empty list tells nothing.
        const auto openen = [this, lijst] {
            if (lijst->lijstModel().Aantal() == 0) return;
            lijst->setFocus();
            knopOpenen_Click();
        };
        connect(lijst, &LijstWeergave::dubbelklik, this, openen);
        connect(lijst, &LijstWeergave::enter, this, openen);
    }
    m_b.venster->installEventFilter(this);
}

Opening::~Opening() = default;

void Opening::knopOpenen_Click()
{
    const bool lokaal = m_navigatie.LokaalActief();
    LijstWeergave& lijst = lokaal ? *m_lokaal.ui().bestanden : *m_server.ui().bestanden;
    const QModelIndex huidig = lijst.currentIndex();
    const int rij = huidig.isValid() && lijst.selectionModel()->isRowSelected(huidig.row(), {})
                        ? huidig.row()
                        : GeselecteerdeRij(lijst);
    if (lijst.lijstModel().Aantal() == 0 || rij < 0) {
        Melding(lokaal ? QStringLiteral(
                             "Geen lokale bestand geselecteerd.\r\nKan derhalve geen lokale bestand openen.")
                       : QStringLiteral(
                             "Geen serverbestand geselecteerd.\r\nKan derhalve geen serverbestand openen."),
                1);
        return;
    }
    const ListRow gekozen = lijst.lijstModel().Rij(rij);
    const bool geopend =
        lokaal ? BestandLokaalOpenen2(gekozen.naam) : BestandFtpOpenen(gekozen.naam, gekozen.grootte);
    // Only the opened file stays selected.
    if (geopend && rij < lijst.lijstModel().Aantal()) RijSelecteren(lijst, rij);
}

bool Opening::BestandLokaalOpenen2(const QString& naam)
{
    Bureaublad bureaublad;
    const QString pad = LokaalDoelPad(m_lokaal.HuidigeLokalemap(), naam);
    return !pad.isEmpty() && Vamox::BestandLokaalOpenen2(pad, bureaublad);
}

bool Opening::BestandFtpOpenen(const QString& naam, qint64 grootte)
{
    Bureaublad bureaublad;
    const QString serverPad = m_server.HuidigeServermap() + naam;
    const FtpGegevens server = m_server.sessie().gegevens();
    // A copy of its own: another file of this name, here or on another server, never shares it.
    const QString kopie = Werkkopie(*m_b.tijdelijkeMap, server, serverPad);
    if (!kopie.isEmpty()) QDir().mkpath(QFileInfo(kopie).absolutePath());
    Zandloper(true);
    const bool geopend = Vamox::BestandFtpOpenen(m_wachtrij, serverPad, grootte, kopie, bureaublad);
    Zandloper(false);
    if (!geopend) return false;
    const Terugzending t{serverPad, kopie, server};
    if (std::none_of(m_wachtend.cbegin(), m_wachtend.cend(),
                     [&t](const Terugzending& w) { return w.kopie == t.kopie; }))
        m_wachtend.push_back(t);
    if (QApplication::activeWindow() == nullptr) m_weggeweest = true;
    return true;
}

bool Opening::eventFilter(QObject* object, QEvent* event)
{
    if (object != m_b.venster || m_wachtend.empty()) return false;
    if (event->type() == QEvent::WindowDeactivate) {
        // The application's active window is already the next one: a window of this program (a
        // question, a menu) is no leaving.
        if (QApplication::activeWindow() == nullptr) m_weggeweest = true;
    } else if (event->type() == QEvent::WindowActivate && m_weggeweest) {
        m_weggeweest = false;
        // Not inside the activation: the window first becomes active, then asks.
        QTimer::singleShot(0, this, &Opening::Terugsturen);
    }
    return false;
}

void Opening::Terugsturen()
{
    if (m_wachtend.empty()) return;
    // Another operation, or a question of it, is still on the stack, or the window waits for its
    // transfers: ask once it is over.
    const bool wachten = (m_wachtrij.Bezig() && !m_wachtrij.Achtergrond()) || m_wachtrij.WachtIemand();
    if (wachten || m_server.sessie().bezig() || QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(250, this, &Opening::Terugsturen);
        return;
    }
    for (const Terugzending& t : std::exchange(m_wachtend, {}))
        Terugzenden(t);
}

void Opening::Terugzenden(const Terugzending& t)
{
    const QPoint hoek = TwipsSchaal::Van(m_b.venster).NaarTwips(m_b.venster->frameGeometry().topLeft());
    if (!JaNee({.Tekst = QStringLiteral("Eventuele wijzigingen in het serverbestand\r\n ") + t.serverPad +
                         QStringLiteral("\r\nopslaan?"),
                .Pictogram = 4,
                .Centreren = false,
                .Links = hoek.x(),
                .Boven = hoek.y()}))
        return;
    FtpSession& sessie = m_server.sessie();
    const QString bewaard = QStringLiteral("De gewijzigde kopie staat in\r\n ") + t.kopie;
    if (!ZelfdeServer(sessie.gegevens(), t.server)) {
        Melding(QStringLiteral("Kan serverbestand\r\n ") + t.serverPad +
                    QStringLiteral("\r\nniet opslaan: er is intussen met een andere server verbonden.\r\n") +
                    bewaard,
                4);
        return;
    }
    for (;;) {
        // Sent before what waits in the queue: the user waits for it.
        Zandloper(true);
        const Overdrachtsplan plan =
            EenBestandPlannen(Klus::Richting::Uploaden, t.kopie, t.serverPad, QFileInfo(t.kopie).size());
        const bool gelukt = m_wachtrij.Wachten(m_wachtrij.Toevoegen(plan, {}, {.voorrang = true})).gedaan == 1;
        Zandloper(false);
        if (gelukt) return;
        if (!JaNee({.Tekst = QStringLiteral("Kan serverbestand\r\n ") + t.serverPad +
                             QStringLiteral("\r\nniet opslaan. ") + bewaard +
                             QStringLiteral("\r\nOpnieuw proberen?"),
                    .Pictogram = 4}))
            return;
    }
}

} // namespace Vamox
