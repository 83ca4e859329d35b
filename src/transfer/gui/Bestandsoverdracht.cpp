#include "transfer/gui/Bestandsoverdracht.h"

#include "dialogs/Msg.h"
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
#include "transfer/gui/Voortgangsweergave.h"

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
                                       Voortgangsweergave& voortgang, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_sessie(server.sessie()), m_selectie(selectie),
      m_voortgang(voortgang), m_b(besturing)
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
    if (knop != Qt::LeftButton) return;
    BezigSlot slot(*m_b.bezig);
    if (!slot) return;
    Downloaden();
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
    Overschrijfvragen vragen;
    const Overdrachtsresultaat r =
        BestandenDownloaden(m_sessie, bestanden, m_lokaal.HuidigeLokalemap(), &vragen, m_voortgang);
    *m_b.laatsteDownloads = QStringList{Context()} + r.namen;
    m_selectie.SelecterenInLijstBLokaal(*m_b.laatsteDownloads);
    if (r.geannuleerd) {
        Melding(QStringLiteral("Het downloaden is geannuleerd."), 1);
    } else if (r.gedaan != qint64(bestanden.size())) {
        Melding(QStringLiteral("Bij downloaden is iets fout gegaan. Gedownload: ") +
                    QString::number(r.gedaan) + u'/' + QString::number(bestanden.size()) +
                    QStringLiteral(".\r\nKies uit het snelmenu [Verversen] of [Buiten venster downloaden]."),
                4);
    }
}

void Bestandsoverdracht::knopBUploaden_MouseUp(Qt::MouseButton knop)
{
    if (knop == Qt::RightButton) emit opnieuwUploaden();
    if (knop != Qt::LeftButton) return;
    BezigSlot slot(*m_b.bezig);
    if (!slot) return;
    UploadenGeselecteerd();
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
    BezigSlot slot(*m_b.bezig);
    if (!slot) return;
    UploadenUitvoeren(paden);
}

void Bestandsoverdracht::UploadenUitvoeren(const QStringList& paden)
{
    Zandloper(true);
    Overschrijfvragen vragen;
    const Overdrachtsresultaat r =
        BestandenUploaden(m_sessie, paden.mid(1), m_server.HuidigeServermap(), &vragen, m_voortgang);
    Zandloper(false);
    m_selectie.SelecterenInLijstBFtp(QStringList{QString()} + r.namen);
    if (r.geannuleerd)
        Melding(QStringLiteral("Het uploaden is geannuleerd."), 1);
    else if (r.mislukt > 0)
        Melding(QStringLiteral("Bij uploaden is iets fout gegaan."), 4);
}

void Bestandsoverdracht::FtpBestandenDownloaden(const QStringList& serverpaden, const QString& rij)
{
    BezigSlot slot(*m_b.bezig);
    if (!slot) return;
    const QString doelmap = LokaalDoelPad(m_lokaal.HuidigeLokalemap(), rij);
    const QString doel = doelmap + LokaalScheiding;
    // A row name that is no plain folder name is never written into.
    bool fout = doelmap.isEmpty() && !serverpaden.isEmpty();
    if (!doelmap.isEmpty()) {
        Wachtstand wacht(*m_b.venster);
        wacht.Tonen(QStringLiteral("Even geduld. Ftp-bestanden ( ") + GetalTekst(serverpaden.size()) +
                    QStringLiteral(") downloaden naar ") + doel + QStringLiteral("..."));
        fout = !BestandenDownloaden(m_sessie, Serverbestanden(serverpaden, m_server), doelmap, nullptr,
                                    m_voortgang)
                    .Gelukt();
    }
    if (fout)
        Melding(QStringLiteral("Het downloaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
    if (doelmap.isEmpty()) return;

    // The fill makes the folder current once it could be read.
    m_lokaal.ui().map->setText(doel);
    m_lokaal.LijstVullenLokaal(doel, Soort::Beide, false);
    m_lokaal.ui().bestanden->setFocus();
    NamenExactSelecteren(*m_lokaal.ui().bestanden, Namen(serverpaden));
}

void Bestandsoverdracht::LokaalBestandenUploaden(const QStringList& lokalePaden, const QString& rij)
{
    BezigSlot slot(*m_b.bezig);
    if (!slot) return;
    const QString doel = m_server.HuidigeServermap() + rij + u'/';
    bool fout = false;
    {
        Wachtstand wacht(*m_b.venster);
        wacht.Tonen(QStringLiteral("Even geduld. Lokale bestanden (") + GetalTekst(lokalePaden.size()) +
                    QStringLiteral(")  kopiëren naar ") + doel + QStringLiteral("..."));
        fout = !BestandenUploaden(m_sessie, lokalePaden, doel, nullptr, m_voortgang).Gelukt();
    }
    if (fout)
        Melding(QStringLiteral("Het kopiëren van lokale bestanden is geheel/gedeeltelijk misgegaan."), 4);
    NaarServermap(doel, Namen(lokalePaden));
}

void Bestandsoverdracht::FtpBestandenUploaden(const QStringList& serverpaden, const QString& rij)
{
    BezigSlot slot(*m_b.bezig);
    if (!slot) return;
    const QString doel = m_server.HuidigeServermap() + rij + u'/';
    // The work folder is made at start-up; it may have been removed since (the flow makes it).
    bool fout = m_b.tijdelijkeMap->isEmpty() && !serverpaden.isEmpty();
    if (!m_b.tijdelijkeMap->isEmpty()) {
        Wachtstand wacht(*m_b.venster);
        wacht.Tonen(QStringLiteral("Even geduld. Ftp-bestanden (") + GetalTekst(serverpaden.size()) +
                    QStringLiteral(")  kopiëren naar ") + doel + QStringLiteral("..."));
        fout = !ServerBestandenKopieren(m_sessie, Serverbestanden(serverpaden, m_server), *m_b.tijdelijkeMap,
                                        doel, m_voortgang)
                    .Gelukt();
    }
    if (fout) Melding(QStringLiteral("Het uploaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
    NaarServermap(doel, Namen(serverpaden));
}

void Bestandsoverdracht::NaarServermap(const QString& map, const QStringList& namen)
{
    // The fill makes the folder current once it could be listed.
    m_server.ui().map->setText(map);
    m_server.LijstVullenFtp(map, Soort::Beide, false);
    m_server.ui().bestanden->setFocus();
    NamenExactSelecteren(*m_server.ui().bestanden, namen);
}

} // namespace Vamox
