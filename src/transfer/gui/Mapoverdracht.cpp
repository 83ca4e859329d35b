#include "transfer/gui/Mapoverdracht.h"

#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Invoerblokkade.h"
#include "platform/gui/Toetsenbord.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/gui/Overdrachtsrun.h"
#include "transfer/gui/Overschrijfvragen.h"
#include "transfer/Wachtrij.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSet>
#include <QToolButton>

namespace Vamox {

namespace {

void DownloadGeannuleerd(const QString& serverMap)
{
    Melding(QStringLiteral("Het downloaden van servermap '") + serverMap +
                QStringLiteral("' is geannuleerd."),
            1);
}

// While a local tree is scanned the window keeps painting. A press of the left mouse button
// ends the scan (what was found so far is offered); other input to the window waits, as while
// any operation runs, so nothing else starts meanwhile.
class Scanwacht final
{
public:
    static constexpr qint64 PompMs = 40;

    explicit Scanwacht(QWidget& venster)
        : m_blokkade(venster), m_stopklik([this](const QObject*, const QEvent* event) {
              if (event->type() == QEvent::MouseButtonPress &&
                  static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton)
                  m_gestopt = true;
              return false; // the press itself does nothing else
          })
    {
        m_blokkade.ZetBezig(true);
        m_klok.start();
    }
    ~Scanwacht() { m_blokkade.ZetBezig(false); }
    Q_DISABLE_COPY_MOVE(Scanwacht)

    bool Gestopt()
    {
        if (m_klok.elapsed() >= PompMs) {
            QCoreApplication::processEvents();
            m_klok.restart();
        }
        return m_gestopt;
    }

private:
    Invoerblokkade m_blokkade;
    Invoerblokkade::Doorlaten m_stopklik;
    QElapsedTimer m_klok;
    bool m_gestopt = false;
};

} // namespace

Mapoverdracht::Mapoverdracht(LokaalPaneel& lokaal, ServerPaneel& server, Wachtrij& wachtrij,
                             const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_sessie(server.sessie()), m_wachtrij(wachtrij), m_b(besturing)
{
    connect(m_b.knopUploaden, &QAbstractButton::clicked, this, &Mapoverdracht::knopUploaden_Click);
    connect(m_b.knopDownloaden, &QAbstractButton::clicked, this, &Mapoverdracht::knopDownloaden_Click);
    connect(m_b.mnuMapLokaalUploaden, &QAction::triggered, this, &Mapoverdracht::knopUploaden_Click);
    connect(m_b.mnuMapFtpDownloaden, &QAction::triggered, this, &Mapoverdracht::knopDownloaden_Click);
}

Mapoverdracht::~Mapoverdracht() = default;

void Mapoverdracht::knopUploaden_Click()
{
    UploadenLokalemap();
}

void Mapoverdracht::knopDownloaden_Click()
{
    DownloadenServermap(QString(), QString());
}

void Mapoverdracht::UploadenLokalemap(const QString& lokaleMap, const QString& serverMap)
{
    Uploaden(lokaleMap, serverMap);
}

bool Mapoverdracht::DownloadenServermap(const QString& serverMap, const QString& lokaleMap)
{
    return Downloaden(serverMap, lokaleMap);
}

void Mapoverdracht::Uploaden(QString map, const QString& doel)
{
    LijstWeergave& lijst = *m_lokaal.ui().mappen;
    const LijstModel& model = lijst.lijstModel();
    const int rij = GeselecteerdeRij(lijst);
    if (map.isEmpty() && rij >= 0) map = LokaalDoelPad(m_lokaal.HuidigeLokalemap(), model.Rij(rij).naam);
    if (model.Aantal() == 0 || (rij >= 0 && SpatiesWeg(model.Rij(rij).naam) == QLatin1String("..")) ||
        map.isEmpty()) {
        Melding(QStringLiteral("Geen lokale map geselecteerd.\r\nKan derhalve geen lokale map uploaden."), 1);
        return;
    }
    // Without a server every folder and file would fail, after a scan and a question.
    if (!m_server.Verbonden()) {
        m_server.VerbindingMisluktMelding();
        return;
    }
    map = ZonderEindscheiding(map);

    Wachtstand wacht(*m_b.venster);
    wacht.Tonen(QStringLiteral("Even geduld. Mappen en bestanden zoeken..."));
    LokaleBoom boom;
    {
        Scanwacht scan(*m_b.venster);
        boom = LokaleMapScannen(map, [&scan] { return scan.Gestopt(); });
    }
    wacht.Terug();
    const QString serverMap = doel.isEmpty() ? m_server.HuidigeServermap() : doel;
    if (!JaNee(
            {.Tekst = QStringLiteral("Lokale map ") + map + QStringLiteral("\r\n met al zijn submappen (") +
                      AantalTekst(boom.mappen.size() - 1) + QStringLiteral(") en bestanden (") +
                      AantalTekst(boom.bestanden.size()) + QStringLiteral("; ") + GrootteTekst(boom.totaal) +
                      QStringLiteral(")\r\nuploaden naar servermap ") + serverMap + u'?',
             .Pictogram = 4}))
        return;

    wacht.Tonen(QStringLiteral("Even geduld. Uploaden (") + GrootteTekst(boom.totaal) +
                QStringLiteral(")..."));
    Overschrijfvragen vragen;
    Overdrachtsplan plan = MapUploadenPlannen(m_sessie, boom, serverMap, vragen);
    wacht.Terug();
    const QString bijschrift = QStringLiteral("Even geduld. Uploaden (") + GrootteTekst(boom.totaal) +
                               QStringLiteral(")...");
    m_wachtrij.Toevoegen(
        std::move(plan),
        [this, map, serverMap](const Overdrachtsresultaat& r) {
            // Nothing attempted (an empty tree, or Stoppen at once): nothing to tell or show, unless
            // a folder could not be made.
            if (!r.Geprobeerd() && r.mislukteMappen == 0) return;
            if (r.geannuleerd)
                Melding(QStringLiteral("Het uploaden van lokale map '") + map +
                            QStringLiteral("' is geannuleerd."),
                        1);
            else if (!r.Gelukt())
                Melding(QStringLiteral("Bij uploaden van lokale map '") + map +
                            QStringLiteral("' is iets fout gegaan."),
                        4);
            if (!r.Geprobeerd() || !PanelenBijwerken(m_wachtrij)) return;
            m_server.LijstVullenFtp(serverMap, Soort::Beide, false);
            SelecterenInLijst(*m_server.ui().mappen, EigenNaam(map), true, true);
        },
        {.bijschrift = bijschrift});
}

bool Mapoverdracht::Downloaden(QString serverMap, QString lokaleMap)
{
    LijstWeergave& lijst = *m_server.ui().mappen;
    const LijstModel& model = lijst.lijstModel();
    if (model.Aantal() == 0) {
        Melding(QStringLiteral("Geen server gevonden.\r\nKan derhalve geen servermap downloaden."), 1);
        return false;
    }
    if (serverMap.isEmpty()) {
        const int rij = GeselecteerdeRij(lijst);
        if (rij >= 0) {
            serverMap = m_server.HuidigeServermap() + u'/' + model.Rij(rij).naam;
            serverMap.replace(QLatin1String("//"), QLatin1String("/"));
        }
    }
    const bool expliciet = !lokaleMap.isEmpty();
    if (!expliciet) lokaleMap = m_lokaal.HuidigeLokalemap();
    while (serverMap.endsWith(u'/'))
        serverMap.chop(1);
    // The root has no name of its own to download into.
    if (serverMap.contains(QLatin1String("..")) || EigenNaam(serverMap).isEmpty()) {
        Melding(QStringLiteral("Geen servermap geselecteerd.\r\nKan derhalve geen servermap downloaden."), 1);
        return false;
    }

    Wachtstand wacht(*m_b.venster);
    wacht.Tonen(QStringLiteral("Even geduld. Subservermappen en -bestanden zoeken..."));
    const FtpBoom boom = m_sessie.FtpBoomLezen(serverMap);
    wacht.Terug();
    if (boom.afgebroken) {
        DownloadGeannuleerd(serverMap);
        return false;
    }
    if (!expliciet &&
        !JaNee({.Tekst = QStringLiteral("Servermap ") + serverMap +
                         QStringLiteral("\r\n met al zijn submappen (") + AantalTekst(boom.mappen.size()) +
                         QStringLiteral(") en bestanden (") + AantalTekst(qint64(boom.bestanden.size())) +
                         QStringLiteral("; ") + GrootteTekst(boom.totaal) +
                         QStringLiteral(")\r\ndownloaden naar lokale map ") + lokaleMap + u'?',
                .Pictogram = 4}))
        return false;

    const QString bijschrift = QStringLiteral("Even geduld. ") +
                               (ServermapSlepen ? QStringLiteral("Downloaden") : QStringLiteral("Kopiëren")) +
                               QStringLiteral(" (") + GrootteTekst(boom.totaal) +
                               QStringLiteral("). Escape=Downloaden stoppen...");
    wacht.Tonen(bijschrift);
    EscapeIngedrukt(); // an Escape from before the run (the scan) does not end it
    Overschrijfvragen vragen;
    Overdrachtsplan plan = MapDownloadenPlannen(serverMap, boom, lokaleMap, vragen);
    // "Stoppen" before any file was planned: as if nothing had been asked.
    const bool niets = plan.gestopt && std::none_of(plan.klussen.begin(), plan.klussen.end(), [](const Klus& k) {
                           return k.staat == Klus::Staat::Wachtend;
                       });
    if (niets) return false;
    const auto afronden = [this, serverMap, lokaleMap, expliciet](const Overdrachtsresultaat& r) {
        // Stopped before any file was fetched: as if nothing had been asked.
        if (r.gestopt && !r.Geprobeerd() && !r.geannuleerd) return;
        if (r.geannuleerd)
            DownloadGeannuleerd(serverMap);
        else if (!r.Gelukt())
            Melding(QStringLiteral("Bij downloaden van servermap '") + serverMap +
                        QStringLiteral("' is iets fout gegaan."),
                    4);
        if (expliciet || !PanelenBijwerken(m_wachtrij)) return;
        m_lokaal.ui().mappen->setFocus();
        m_lokaal.LijstVullenLokaal(lokaleMap, Soort::Beide, false);
        SelecterenInLijst(*m_lokaal.ui().mappen, EigenNaam(serverMap), true, true);
    };
    if (!expliciet) {
        wacht.Terug();
        m_wachtrij.Toevoegen(std::move(plan), afronden, {.tweetraps = true, .bijschrift = bijschrift});
        return true;
    }
    // A drag out waits for its files, which go before what waits.
    wacht.Houden();
    const Overdrachtsresultaat r =
        m_wachtrij.Wachten(m_wachtrij.Toevoegen(std::move(plan), {}, {.voorrang = true, .tweetraps = true}));
    afronden(r);
    return r.Gelukt() && !r.gestopt;
}

} // namespace Vamox
