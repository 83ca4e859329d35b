#include "transfer/Mapoverdracht.h"

#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "mainwindow/FrmFtp.h"
#include "panes/LijstWeergave.h"
#include "panes/LokaalPaneel.h"
#include "panes/Navigatie.h"
#include "panes/Opmaak.h"
#include "panes/Selectie.h"
#include "panes/ServerPaneel.h"
#include "platform/Toetsenbord.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Overdrachtsrun.h"
#include "transfer/Voortgangsweergave.h"
#include "transfer/ZoekBestanden.h"

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

// While a local tree is scanned the window keeps painting. A press of the left mouse button
// ends the scan (what was found so far is offered); other input is ignored until it is over,
// so nothing else starts meanwhile.
class Scanwacht final : public QObject
{
public:
    static constexpr qint64 PompMs = 40;

    Scanwacht()
    {
        qApp->installEventFilter(this);
        m_klok.start();
    }
    ~Scanwacht() override { qApp->removeEventFilter(this); }
    Q_DISABLE_COPY_MOVE(Scanwacht)

    bool Gestopt()
    {
        if (m_klok.elapsed() >= PompMs) {
            QCoreApplication::processEvents();
            m_klok.restart();
        }
        return m_gestopt;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) m_gestopt = true;
            [[fallthrough]];
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::Wheel:
            return object->isWidgetType();
        default:
            return false;
        }
    }

private:
    QElapsedTimer m_klok;
    bool m_gestopt = false;
};

enum class Antwoord
{
    Ja,
    Nee,
    Alle,
    Stoppen
};

Antwoord Overschrijfvraag(const QString& titel, const QString& tekst)
{
    switch (M({.Tekst = tekst,
               .Titel = titel,
               .Pictogram = 4,
               .Knoppen = QStringLiteral("&Ja+&Nee+&Alle overschrijven+&Stoppen"),
               .Codes = QStringLiteral("1+2"),
               .Knopbreedte = 1280,
               .Centreren = true})) {
    case 1:
        return Antwoord::Ja;
    case 3:
        return Antwoord::Alle;
    case 4:
        return Antwoord::Stoppen;
    default:
        return Antwoord::Nee;
    }
}

QString Vraagtitel(const char* soort, qint64 nummer, qint64 aantal)
{
    return QLatin1String(soort) + AantalTekst(nummer) + u'/' + AantalTekst(aantal);
}

QString ZonderEindscheiding(QString pad)
{
    while (pad.size() > 1 && EindigtMetScheiding(pad))
        pad.chop(1);
    return pad;
}

QString EigenNaam(const QString& pad)
{
    const QString kern = ZonderEindscheiding(pad);
    return kern.mid(std::max(kern.lastIndexOf(u'/'), kern.lastIndexOf(LokaalScheiding)) + 1);
}

// The server walk joins listed names into paths, so a listed name holding "/" would pass for a
// deeper path. A path is used only when its parent was itself taken and its own last part is a
// plain name.
bool KindVan(const QSet<QString>& mappen, const QString& pad)
{
    const qsizetype plek = pad.lastIndexOf(u'/');
    return plek >= 0 && mappen.contains(pad.left(plek)) && VeiligeNaam(pad.mid(plek + 1));
}

qint64 LokaleGrootte(const QString& pad)
{
    const QFileInfo info(pad);
    return info.isFile() ? info.size() : -1;
}

} // namespace

Mapoverdracht::Mapoverdracht(FrmFtp& venster) : m_venster(venster)
{
    VensterUi& ui = venster.ui();
    VensterMenus& m = venster.menus();
    connect(ui.knopUploaden, &QToolButton::clicked, this, &Mapoverdracht::knopUploaden_Click);
    connect(ui.knopDownloaden, &QToolButton::clicked, this, &Mapoverdracht::knopDownloaden_Click);
    connect(m.mnuMapLokaalUploaden, &QAction::triggered, this, &Mapoverdracht::knopUploaden_Click);
    connect(m.mnuMapFtpDownloaden, &QAction::triggered, this, &Mapoverdracht::knopDownloaden_Click);
}

Mapoverdracht::~Mapoverdracht() = default;

void Mapoverdracht::knopUploaden_Click()
{
    UploadenLokalemap(QString());
}

void Mapoverdracht::knopDownloaden_Click()
{
    DownloadenServermap(QString(), QString());
}

void Mapoverdracht::UploadenLokalemap(const QString& lokaleMap)
{
    BezigSlot slot(m_venster.toestand().Bezig);
    if (!slot) return;
    Uploaden(lokaleMap);
}

void Mapoverdracht::DownloadenServermap(const QString& serverMap, const QString& lokaleMap)
{
    BezigSlot slot(m_venster.toestand().Bezig);
    if (!slot) return;
    Downloaden(serverMap, lokaleMap);
}

void Mapoverdracht::Uploaden(QString map)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    const LijstModel& model = ui.LijstLokaal->lijstModel();
    const int rij = GeselecteerdeRij(*ui.LijstLokaal);
    if (map.isEmpty() && rij >= 0) map = LokaalDoelPad(t.HuidigeLokalemap, model.Rij(rij).naam);
    if (model.Aantal() == 0 || (rij >= 0 && SpatiesWeg(model.Rij(rij).naam) == QLatin1String("..")) ||
        map.isEmpty()) {
        Melding(QStringLiteral("Geen lokale map geselecteerd.\r\nKan derhalve geen lokale map uploaden."), 1);
        return;
    }
    // Without a server every folder and file would fail, after a scan and a question.
    if (!s.Verbonden) {
        m_venster.serverPaneel().VerbindingMisluktMelding();
        return;
    }
    map = ZonderEindscheiding(map);

    Wachtstand wacht(m_venster);
    wacht.Tonen(QStringLiteral("Even geduld. Mappen en bestanden zoeken..."));
    QStringList mappen;
    QStringList bestanden;
    qint64 totaal = 0;
    {
        Scanwacht scan;
        ZoekBestanden(
            mappen, bestanden, map, QStringLiteral("*"), true, false, [&scan] { return scan.Gestopt(); },
            &totaal);
    }
    // A scan stopped at once has not taken the start folder yet.
    if (mappen.size() < 2) mappen.push_back(map + LokaalScheiding);
    wacht.Terug();
    const qint64 aantal = bestanden.size() - 1;
    const QString serverMap = s.HuidigeServermap;
    if (M({.Tekst = QStringLiteral("Lokale map ") + map + QStringLiteral("\r\n met al zijn submappen (") +
                    AantalTekst(mappen.size() - 2) + QStringLiteral(") en bestanden (") +
                    AantalTekst(aantal) + QStringLiteral("; ") + GrootteTekst(totaal) +
                    QStringLiteral(")\r\nuploaden naar servermap ") + serverMap + u'?',
           .Pictogram = 4,
           .Knoppen = QStringLiteral("&Ja+&Nee"),
           .Codes = QStringLiteral("1+2"),
           .Knopbreedte = 1280,
           .Centreren = true}) != 1)
        return;

    wacht.Tonen(QStringLiteral("Even geduld. Uploaden (") + GrootteTekst(totaal) + QStringLiteral(")..."));
    bool gelukt = true;
    bool mapMislukt = false;
    // Folders this run made were empty: their files need no overwrite probe.
    QSet<QString> nieuweMappen;
    // The walk lists every folder after its parent, so parents are made first.
    for (qsizetype i = 1; i < mappen.size(); ++i) {
        const QString doel = NaarServerpad(map, mappen.at(i), serverMap);
        if (doel.isEmpty()) {
            gelukt = false;
            mapMislukt = true;
        } else if (s.FtpMapMaken(doel)) {
            nieuweMappen.insert(doel);
        } else if (!s.ServerpadBestaat(doel, true)) {
            // A folder that is already there is fine: only one that is not there afterwards counts.
            gelukt = false;
            mapMislukt = true;
        }
    }

    bool geprobeerd = false;
    {
        Voortgangsrun run(m_venster.voortgang(), aantal, totaal);
        bool alles = false;
        for (qsizetype i = 1; i < bestanden.size(); ++i) {
            const QString& pad = bestanden.at(i);
            const QString doel = NaarServerpad(map, pad, serverMap);
            run->BestandBegint(EigenNaam(pad), LokaleGrootte(pad));
            if (!doel.isEmpty() && !alles && !nieuweMappen.contains(doel.left(doel.lastIndexOf(u'/')))) {
                const qint64 grootte = s.FtpMapPeilen(doel);
                if (grootte > 0) {
                    const Antwoord a = Overschrijfvraag(Vraagtitel("Uploaden: ", i, aantal),
                                                        QStringLiteral("Serverbestand overschrijven\r\n ") +
                                                            doel + QStringLiteral(" (") +
                                                            GrootteTekst(grootte) + QStringLiteral(")?"));
                    if (a == Antwoord::Stoppen) break;
                    if (a == Antwoord::Nee) {
                        run->BestandKlaar();
                        continue;
                    }
                    alles = a == Antwoord::Alle;
                }
            }
            if (doel.isEmpty() || !s.FtpBestandPlaatsen(pad, doel)) gelukt = false;
            geprobeerd = true;
            run->BestandKlaar();
        }
    }
    // Nothing attempted (an empty tree, or Stoppen at once): nothing to tell or show, unless a
    // folder could not be made.
    if (!geprobeerd && !mapMislukt) return;
    wacht.Terug();
    if (!gelukt)
        Melding(QStringLiteral("Bij uploaden van lokale map '") + map +
                    QStringLiteral("' is iets fout gegegaan."),
                4);
    if (!geprobeerd) return;
    m_venster.serverPaneel().LijstVullenFtp(serverMap, QStringLiteral("11"), false);
    SelecterenInLijst(*ui.LijstFtp, EigenNaam(map), true, true);
}

void Mapoverdracht::Downloaden(QString serverMap, QString lokaleMap)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    const LijstModel& model = ui.LijstFtp->lijstModel();
    if (model.Aantal() == 0) {
        Melding(QStringLiteral("Geen server gevonden.\r\nKan derhalve geen servermap downloaden."), 1);
        return;
    }
    if (serverMap.isEmpty()) {
        const int rij = GeselecteerdeRij(*ui.LijstFtp);
        if (rij >= 0) {
            serverMap = s.HuidigeServermap + u'/' + model.Rij(rij).naam;
            serverMap.replace(QLatin1String("//"), QLatin1String("/"));
        }
    }
    const bool expliciet = !lokaleMap.isEmpty();
    if (!expliciet) lokaleMap = t.HuidigeLokalemap;
    while (serverMap.endsWith(u'/'))
        serverMap.chop(1);
    // The root has no name of its own to download into.
    if (serverMap.contains(QLatin1String("..")) || EigenNaam(serverMap).isEmpty()) {
        Melding(QStringLiteral("Geen servermap geselecteerd.\r\nKan derhalve geen servermap downloaden."), 1);
        return;
    }

    Wachtstand wacht(m_venster);
    wacht.Tonen(QStringLiteral("Even geduld. Subservermappen en -bestanden zoeken..."));
    QStringList mappen{serverMap};
    QStringList bestanden;
    QList<qint64> groottes;
    qint64 totaal = 0;
    s.FtpBoomLezen(mappen, bestanden, serverMap, totaal, &groottes);
    // A folder that could not be listed is not an empty folder.
    bool gelukt = s.mislukteBoomlijsten() == 0;
    wacht.Terug();
    if (!expliciet &&
        M({.Tekst = QStringLiteral("Servermap ") + serverMap +
                    QStringLiteral("\r\n met al zijn submappen (") + AantalTekst(mappen.size() - 1) +
                    QStringLiteral(") en bestanden (") + AantalTekst(bestanden.size()) +
                    QStringLiteral("; ") + GrootteTekst(totaal) +
                    QStringLiteral(")\r\ndownloaden naar lokale map ") + lokaleMap + u'?',
           .Pictogram = 4,
           .Knoppen = QStringLiteral("&Ja+&Nee"),
           .Codes = QStringLiteral("1+2"),
           .Knopbreedte = 1280,
           .Centreren = true}) != 1)
        return;

    wacht.Tonen(QStringLiteral("Even geduld. ") +
                (ServermapSlepen ? QStringLiteral("Downloaden") : QStringLiteral("Kopiëren")) +
                QStringLiteral(" (") + GrootteTekst(totaal) +
                QStringLiteral("). Escape=Downloaden stoppen..."));
    s.StopGevraagd = false;
    EscapeIngedrukt(); // an Escape from before the run (the scan) does not end it

    QSet<QString> genomen{serverMap};
    for (qsizetype i = 0; i < mappen.size(); ++i) {
        if (i > 0 && !KindVan(genomen, mappen.at(i))) continue;
        const QString lokaal = NaarLokaalPad(serverMap, mappen.at(i), lokaleMap);
        if (lokaal.isEmpty()) continue;
        genomen.insert(mappen.at(i));
        QDir().mkdir(lokaal); // an existing folder is fine; a failure shows in its files
    }

    bool geprobeerd = false;
    {
        Voortgangsrun run(m_venster.voortgang(), bestanden.size(), totaal);
        bool alles = false;
        for (qsizetype i = 0; i < bestanden.size(); ++i) {
            // Escape during the previous file: the run ends here, before anything is asked.
            if (s.StopGevraagd) {
                s.StopGevraagd = false;
                break;
            }
            const QString& pad = bestanden.at(i);
            const QString lokaal =
                KindVan(genomen, pad) ? NaarLokaalPad(serverMap, pad, lokaleMap) : QString();
            run->BestandBegint(pad.mid(pad.lastIndexOf(u'/') + 1), groottes.at(i));
            if (!lokaal.isEmpty() && !alles && QFileInfo(lokaal).isFile()) {
                const Antwoord a = Overschrijfvraag(
                    Vraagtitel("Downloaden: ", i + 1, bestanden.size()),
                    QStringLiteral("Lokale bestand overschrijven\r\n ") + lokaal + QStringLiteral(" (") +
                        GrootteTekst(LokaleGrootte(lokaal)) + QStringLiteral(")?"));
                if (a == Antwoord::Stoppen) {
                    if (!geprobeerd) return;
                    break;
                }
                if (a == Antwoord::Nee) {
                    run->BestandKlaar();
                    continue;
                }
                alles = a == Antwoord::Alle;
            }
            // A name that is no plain name, or a path outside the chosen folder, is never written.
            if (lokaal.isEmpty() || !s.FtpBestandHalen(lokaal, pad, groottes.at(i))) gelukt = false;
            geprobeerd = true;
            run->BestandKlaar();
        }
    }
    if (expliciet) {
        wacht.Houden();
    } else {
        wacht.Terug();
    }
    if (!gelukt)
        Melding(QStringLiteral("Bij downloaden van servermap '") + serverMap +
                    QStringLiteral("' is iets fout gegegaan."),
                4);
    if (expliciet) return;

    ui.LijstLokaal->setFocus();
    m_venster.lokaalPaneel().LijstVullenLokaal(lokaleMap, QStringLiteral("11"), false);
    SelecterenInLijst(*ui.LijstLokaal, EigenNaam(serverMap), true, true);
}

} // namespace Vamox
