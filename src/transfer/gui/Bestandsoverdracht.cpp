#include "transfer/gui/Bestandsoverdracht.h"

#include "dialogs/Msg.h"
#include "transfer/Werkplekken.h"
#include "ftp/FtpPaden.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Zandloper.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/gui/Overdrachtsrun.h"
#include "transfer/gui/Overschrijfvragen.h"
#include "transfer/Wachtrij.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSet>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace Vamox {

namespace {

struct Keuze
{
    QString naam;
    qint64 grootte;
};

// The selected rows of a file list in row order, with the sizes the listing gave.
std::vector<Keuze> GeselecteerdeBestanden(const LijstWeergave& lijst)
{
    std::vector<int> rijen;
    for (const QItemSelectionRange& stuk : lijst.selectionModel()->selection())
        if (stuk.left() == 0)
            for (int r = stuk.top(); r <= stuk.bottom(); ++r)
                rijen.push_back(r);
    std::sort(rijen.begin(), rijen.end());
    rijen.erase(std::unique(rijen.begin(), rijen.end()), rijen.end());
    std::vector<Keuze> keuze;
    keuze.reserve(rijen.size());
    for (int r : rijen)
        keuze.push_back({lijst.lijstModel().Rij(r).naam, lijst.lijstModel().Rij(r).grootte});
    return keuze;
}

QString ServerNaam(const QString& pad)
{
    return pad.mid(pad.lastIndexOf(u'/') + 1);
}

// The drop paths come from the list the server pane shows, so their sizes are known from its
// listing without asking the server.
std::vector<Serverbestand> Serverbestanden(const QStringList& paden, const ServerPaneel& server)
{
    QHash<QString, qint64> groottes;
    for (const ListRow& rij : server.Bestanden())
        groottes.insert(server.HuidigeServermap() + rij.naam, rij.grootte);
    std::vector<Serverbestand> bestanden;
    for (const QString& pad : paden)
        bestanden.push_back({pad, groottes.value(pad, -1), ServerNaam(pad)});
    return bestanden;
}

QStringList Namen(const QStringList& paden)
{
    QStringList namen;
    for (const QString& pad : paden)
        namen.push_back(pad.mid(std::max(pad.lastIndexOf(u'/'), pad.lastIndexOf(LokaalScheiding)) + 1));
    return namen;
}

} // namespace

Bestandsoverdracht::Bestandsoverdracht(LokaalPaneel& lokaal, ServerPaneel& server, Selectie& selectie,
                                       Wachtrij& wachtrij, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_sessie(server.sessie()), m_selectie(selectie), m_wachtrij(wachtrij),
      m_b(besturing)
{
    // Both buttons act on the release of either mouse button (the right one repeats).
    m_b.knopBDownloaden->installEventFilter(this);
    m_b.knopBUploaden->installEventFilter(this);
    connect(m_b.mnuBestandFtpDownloaden, &QAction::triggered, this,
            [this] { knopBDownloaden_MouseUp(Qt::LeftButton); });
    connect(m_b.mnuBestandLokaalUploaden, &QAction::triggered, this,
            [this] { knopBUploaden_MouseUp(Qt::LeftButton); });
}

Bestandsoverdracht::~Bestandsoverdracht() = default;

bool Bestandsoverdracht::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* knop = qobject_cast<QToolButton*>(object);
    if (knop != m_b.knopBDownloaden && knop != m_b.knopBUploaden) return false;
    const auto* muis = static_cast<QMouseEvent*>(event);
    if (!knop->isEnabled() || !knop->rect().contains(muis->position().toPoint())) return false;
    // The flow may run long and ask questions: the button must not look pressed meanwhile.
    knop->setDown(false);
    if (knop == m_b.knopBDownloaden)
        knopBDownloaden_MouseUp(muis->button());
    else
        knopBUploaden_MouseUp(muis->button());
    return false;
}

QString Bestandsoverdracht::Context() const
{
    return m_lokaal.ui().map->text() + Scheidingsteken + m_b.cboVerbindingenFtp->currentText() +
           Scheidingsteken + m_server.HuidigeServermap();
}

void Bestandsoverdracht::knopBDownloaden_MouseUp(Qt::MouseButton knop)
{
    if (knop == Qt::RightButton) emit opnieuwDownloaden();
    if (knop == Qt::LeftButton) Downloaden();
}

void Bestandsoverdracht::Downloaden()
{
    LijstWeergave& lijst = *m_server.ui().bestanden;
    lijst.setFocus();
    if (!m_server.Verbonden()) {
        Melding(QStringLiteral("Geen server gevonden.\r\nKan derhalve geen serverbestand downloaden."), 1);
        return;
    }
    if (lijst.lijstModel().Aantal() == 0) {
        Melding(
            QStringLiteral("Geen serverbestand geselecteerd.\r\nKan derhalve geen serverbestand downloaden."),
            1);
        return;
    }

    std::vector<Serverbestand> bestanden;
    for (const Keuze& k : GeselecteerdeBestanden(lijst))
        bestanden.push_back({m_server.HuidigeServermap() + k.naam, k.grootte, k.naam});
    const qint64 gekozen = qint64(bestanden.size());
    const QString context = Context();
    const QString lokaleMap = m_lokaal.HuidigeLokalemap();
    Overschrijfvragen vragen;
    m_wachtrij.Toevoegen(
        DownloadenPlannen(bestanden, lokaleMap, &vragen), [this, gekozen, context, lokaleMap](const Overdrachtsresultaat& r) {
            *m_b.laatsteDownloads = QStringList{context} + r.namen;
            if (PanelenBijwerken(m_wachtrij)) m_selectie.SelecterenInLijstBLokaal(*m_b.laatsteDownloads);
            if (r.geannuleerd) {
                Melding(QStringLiteral("Het downloaden is geannuleerd."), 1);
            } else if (r.gedaan != gekozen) {
                Melding(QStringLiteral("Bij downloaden is iets fout gegaan. Gedownload: ") +
                            QString::number(r.gedaan) + u'/' + QString::number(gekozen) +
                            QStringLiteral(".\r\nKies uit het snelmenu [Verversen] of [Buiten venster downloaden]."),
                        4);
            }
        });
}

void Bestandsoverdracht::knopBUploaden_MouseUp(Qt::MouseButton knop)
{
    if (knop == Qt::RightButton) emit opnieuwUploaden();
    if (knop == Qt::LeftButton) UploadenGeselecteerd();
}

void Bestandsoverdracht::UploadenGeselecteerd()
{
    LijstWeergave* lijst = m_lokaal.ui().bestanden;
    lijst->setFocus();
    int positie = 0;
    QStringList namen = m_selectie.LijstB(positie);
    if (positie == 0) return;
    if (!m_server.Verbonden()) {
        m_server.VerbindingMisluktMelding();
        return;
    }
    namen[0] = Context();
    *m_b.laatsteUploads = namen;
    if (lijst->window()->focusWidget() != lijst) return;
    QStringList paden{QString()};
    for (qsizetype i = 1; i < namen.size(); ++i)
        paden.push_back(m_lokaal.HuidigeLokalemap() + namen.at(i));
    UploadenUitvoeren(paden);
}

void Bestandsoverdracht::Uploaden(const QStringList& paden)
{
    UploadenUitvoeren(paden);
}

void Bestandsoverdracht::UploadenUitvoeren(const QStringList& paden)
{
    const QString serverMap = m_server.HuidigeServermap();
    Overschrijfvragen vragen;
    Zandloper(true); // the listing that tells which files exist
    Overdrachtsplan plan = UploadenPlannen(m_sessie, paden.mid(1), serverMap, &vragen);
    Zandloper(false);
    m_wachtrij.Toevoegen(std::move(plan), [this, serverMap](const Overdrachtsresultaat& r) {
        if (PanelenBijwerken(m_wachtrij))
            m_selectie.SelecterenInLijstBFtp(QStringList{QString()} + r.namen);
        if (r.geannuleerd)
            Melding(QStringLiteral("Het uploaden is geannuleerd."), 1);
        else if (r.NietAangekomen() > 0)
            Melding(QStringLiteral("Bij uploaden is iets fout gegaan."), 4);
    });
}

void Bestandsoverdracht::FtpBestandenDownloaden(const QStringList& serverpaden, const QString& rij)
{
    const QString doelmap = LokaalDoelPad(m_lokaal.HuidigeLokalemap(), rij);
    const QString doel = doelmap + LokaalScheiding;
    // A row name that is no plain folder name is never written into.
    if (doelmap.isEmpty()) {
        if (!serverpaden.isEmpty())
            Melding(QStringLiteral("Het downloaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
        return;
    }
    const QStringList namen = Namen(serverpaden);
    m_wachtrij.Toevoegen(
        DownloadenPlannen(Serverbestanden(serverpaden, m_server), doelmap, nullptr),
        [this, doel, namen](const Overdrachtsresultaat& r) {
            if (!r.Gelukt())
                Melding(QStringLiteral("Het downloaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
            if (!PanelenBijwerken(m_wachtrij)) return;
            // The fill makes the folder current once it could be read.
            m_lokaal.ui().map->setText(doel);
            m_lokaal.LijstVullenLokaal(doel, Soort::Beide, false);
            m_lokaal.ui().bestanden->setFocus();
            NamenExactSelecteren(*m_lokaal.ui().bestanden, namen);
        },
        {.bijschrift = QStringLiteral("Even geduld. Ftp-bestanden ( ") + GetalTekst(serverpaden.size()) +
                       QStringLiteral(") downloaden naar ") + doel + QStringLiteral("...")});
}

void Bestandsoverdracht::LokaalBestandenUploaden(const QStringList& lokalePaden, const QString& rij)
{
    const QString doel = m_server.HuidigeServermap() + rij + u'/';
    const QStringList namen = Namen(lokalePaden);
    m_wachtrij.Toevoegen(
        UploadenPlannen(m_sessie, lokalePaden, doel, nullptr),
        [this, doel, namen](const Overdrachtsresultaat& r) {
            if (!r.Gelukt())
                Melding(QStringLiteral("Het kopiëren van lokale bestanden is geheel/gedeeltelijk misgegaan."), 4);
            NaarServermap(doel, namen);
        },
        {.bijschrift = QStringLiteral("Even geduld. Lokale bestanden (") + GetalTekst(lokalePaden.size()) +
                       QStringLiteral(")  kopiëren naar ") + doel + QStringLiteral("...")});
}

void Bestandsoverdracht::FtpBestandenUploaden(const QStringList& serverpaden, const QString& rij)
{
    const QString doel = m_server.HuidigeServermap() + rij + u'/';
    const QStringList namen = Namen(serverpaden);
    // The work folder is made at start-up; it may have been removed since (the planner makes it).
    const QString werkplek =
        m_b.tijdelijkeMap->isEmpty() ? QString() : WerkplekPad(*m_b.tijdelijkeMap, Werkplek::Kopieren);
    m_wachtrij.Toevoegen(
        KopierenPlannen(Serverbestanden(serverpaden, m_server), werkplek, doel),
        [this, doel, namen](const Overdrachtsresultaat& r) {
            if (!r.Gelukt())
                Melding(QStringLiteral("Het uploaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
            NaarServermap(doel, namen);
        },
        {.bijschrift = QStringLiteral("Even geduld. Ftp-bestanden (") + GetalTekst(serverpaden.size()) +
                       QStringLiteral(")  kopiëren naar ") + doel + QStringLiteral("...")});
}

void Bestandsoverdracht::NaarServermap(const QString& map, const QStringList& namen)
{
    if (!PanelenBijwerken(m_wachtrij)) return;
    // The fill makes the folder current once it could be listed.
    m_server.ui().map->setText(map);
    m_server.LijstVullenFtp(map, Soort::Beide, false);
    m_server.ui().bestanden->setFocus();
    NamenExactSelecteren(*m_server.ui().bestanden, namen);
}

} // namespace Vamox
