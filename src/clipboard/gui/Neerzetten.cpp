#include "clipboard/gui/Neerzetten.h"

#include "clipboard/Sleepdata.h"
#include "clipboard/Werkmap.h"
#include "clipboard/gui/Slepen.h"
#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/Kopieren.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Overdracht.h"
#include "transfer/Wachtrij.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QToolButton>

namespace Vamox {

namespace {

// An entering drag is taken whenever the list could take it somewhere: a list that refuses the
// entry gets no more moves. Each move then decides by the place under the pointer.
void Besluiten(QDragMoveEvent* event, bool soortGoed, bool hier)
{
    if (soortGoed && (hier || event->type() == QEvent::DragEnter))
        event->acceptProposedAction();
    else
        event->ignore();
}

QStringList BestaandeMappen(const QStringList& paden)
{
    QStringList uit;
    for (const QString& pad : paden)
        if (QFileInfo(pad).isDir()) uit.push_back(pad);
    return uit;
}

bool Overschrijven(const QString& doel)
{
    return JaNee({.Tekst = QStringLiteral("Bestand\r\n ") + doel + QStringLiteral("\r\noverschrijven?"),
                  .Pictogram = 4,
                  .Codes = QStringLiteral("2+1")});
}

} // namespace

Neerzetten::Neerzetten(LokaalPaneel& lokaal, ServerPaneel& server, Selectie& selectie,
                       Wachtrij& wachtrij, const Sleepvlaggen& vlaggen, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_selectie(selectie), m_wachtrij(wachtrij), m_vlaggen(vlaggen),
      m_b(besturing)
{
    for (LijstWeergave* lijst :
         {lokaal.ui().mappen, lokaal.ui().bestanden, server.ui().mappen, server.ui().bestanden}) {
        lijst->setAcceptDrops(true);
        lijst->viewport()->setAcceptDrops(true);
    }
    connect(lokaal.ui().mappen, &LijstWeergave::slepenOver, this, &Neerzetten::LijstLokaal_Over);
    connect(lokaal.ui().bestanden, &LijstWeergave::slepenOver, this, &Neerzetten::LijstBLokaal_Over);
    connect(server.ui().mappen, &LijstWeergave::slepenOver, this, &Neerzetten::LijstFtp_Over);
    connect(server.ui().bestanden, &LijstWeergave::slepenOver, this, &Neerzetten::LijstBFtp_Over);
    connect(lokaal.ui().mappen, &LijstWeergave::neergezet, this, &Neerzetten::LijstLokaal_Neer);
    connect(lokaal.ui().bestanden, &LijstWeergave::neergezet, this, &Neerzetten::LijstBLokaal_Neer);
    connect(server.ui().mappen, &LijstWeergave::neergezet, this, &Neerzetten::LijstFtp_Neer);
    connect(server.ui().bestanden, &LijstWeergave::neergezet, this, &Neerzetten::LijstBFtp_Neer);
    for (QToolButton* knop : {m_b.knopBUploaden, m_b.knopBDownloaden, m_b.knopUploadBestandKiezen,
                              m_b.knopVerwijderenMap, m_b.knopVerwijderenBestand, m_b.knopOpenen}) {
        if (knop == nullptr) continue;
        knop->setAcceptDrops(true);
        knop->installEventFilter(this);
    }
}

Neerzetten::~Neerzetten() = default;

QString Neerzetten::GeselecteerdeMap(bool lokaal) const
{
    const LijstWeergave& lijst = *(lokaal ? m_lokaal.ui().mappen : m_server.ui().mappen);
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return {};
    const QString naam = lijst.lijstModel().Rij(rij).naam;
    return SpatiesWeg(naam) == QLatin1String("..") ? QString() : naam;
}

bool Neerzetten::RijAanwijzen(QDragMoveEvent* event, bool eigenLijst, bool lokaal)
{
    LijstWeergave& lijst = *(lokaal ? m_lokaal.ui().mappen : m_server.ui().mappen);
    lijst.setFocus();
    if (eigenLijst) return true;
    const QModelIndex onder = lijst.indexAt(event->position().toPoint());
    if (!onder.isValid()) {
        LijstDeselecteren(lijst);
        return false;
    }
    RijSelecteren(lijst, onder.row());
    if (SpatiesWeg(lijst.lijstModel().Rij(onder.row()).naam) == QLatin1String("..")) {
        LijstDeselecteren(lijst);
        return false;
    }
    return true;
}

void Neerzetten::LijstLokaal_Over(QDragMoveEvent* event)
{
    const Sleepvlaggen& v = m_vlaggen;
    const QStringList mappen = v.Binnen() ? QStringList() : BestaandeMappen(LokalePaden(*event->mimeData()));
    const bool soortGoed =
        !v.LokaleMapSlepen && (v.ServermapSlepen || v.Bestand() || (!v.Binnen() && !mappen.isEmpty()));
    bool hier = RijAanwijzen(event, v.LokaleMapSlepen, true);
    // A folder is never copied into itself or below itself.
    if (hier && !mappen.isEmpty()) {
        const QString doel = LokaalDoelPad(m_lokaal.HuidigeLokalemap(), GeselecteerdeMap(true));
        for (const QString& map : mappen)
            if (doel.isEmpty() || BinnenMap(map, doel)) hier = false;
    }
    Besluiten(event, soortGoed, hier);
}

void Neerzetten::LijstFtp_Over(QDragMoveEvent* event)
{
    if (m_server.ui().mappen->lijstModel().Aantal() == 0 || !m_server.Verbonden())
        return event->ignore();
    const Sleepvlaggen& v = m_vlaggen;
    const QStringList lokaal = LokalePaden(*event->mimeData());
    const bool soortGoed =
        !v.ServermapSlepen &&
        (v.ServerbestandSlepen || (v.LokaleMapSlepen && !BestaandeMappen(lokaal).isEmpty()) ||
         (v.LokaalBestandSlepen && !BestaandeBestanden(lokaal).isEmpty()));
    Besluiten(event, soortGoed, RijAanwijzen(event, v.ServermapSlepen, false));
}

void Neerzetten::LijstBLokaal_Over(QDragMoveEvent* event)
{
    const Sleepvlaggen& v = m_vlaggen;
    const QMimeData& data = *event->mimeData();
    const bool buiten =
        !v.Binnen() && (!BestaandeBestanden(LokalePaden(data)).isEmpty() || !Serverpaden(data).isEmpty());
    Besluiten(event, v.ServerbestandSlepen || buiten, true);
}

void Neerzetten::LijstBFtp_Over(QDragMoveEvent* event)
{
    // A server root without folders has an empty folder list, and still takes files.
    const bool kan = !m_server.HuidigeServermap().isEmpty() && m_server.Verbonden() &&
                     !m_vlaggen.ServerbestandSlepen && !m_vlaggen.Map() &&
                     !BestaandeBestanden(LokalePaden(*event->mimeData())).isEmpty();
    Besluiten(event, kan, true);
}

void Neerzetten::LijstLokaal_Neer(QDropEvent* event)
{
    m_lokaal.ui().mappen->setFocus();
    const QString rij = GeselecteerdeMap(true);
    if (rij.isEmpty() || m_vlaggen.LokaleMapSlepen) return;
    const QMimeData& data = *event->mimeData();
    event->acceptProposedAction();
    if (m_vlaggen.ServermapSlepen)
        emit servermapDownloaden();
    else if (m_vlaggen.LokaalBestandSlepen)
        emit lokaalBestandenKopieren(LokalePaden(data));
    else if (m_vlaggen.ServerbestandSlepen)
        emit ftpBestandenDownloaden(Serverpaden(data), rij);
    else
        BuitenMappenNeerzetten(BestaandeMappen(LokalePaden(data)));
}

void Neerzetten::LijstFtp_Neer(QDropEvent* event)
{
    m_server.ui().mappen->setFocus();
    if (!m_server.Verbonden() || m_vlaggen.ServermapSlepen) return;
    // Into the folder of the row under the pointer, as the drag-over selected it.
    const QString rij = GeselecteerdeMap(false);
    const QMimeData& data = *event->mimeData();
    if (rij.isEmpty()) return;
    if (m_vlaggen.LokaleMapSlepen) {
        event->acceptProposedAction();
        emit lokalemapUploaden(m_server.HuidigeServermap() + rij + u'/');
    } else if (m_vlaggen.ServerbestandSlepen) {
        event->acceptProposedAction();
        emit ftpBestandenUploaden(Serverpaden(data), rij);
    } else if (m_vlaggen.LokaalBestandSlepen) {
        event->acceptProposedAction();
        emit lokaalBestandenUploaden(LokalePaden(data), rij);
    }
}

void Neerzetten::LijstBLokaal_Neer(QDropEvent* event)
{
    if (m_vlaggen.LokaalBestandSlepen || m_vlaggen.Map()) return;
    event->acceptProposedAction();
    if (m_vlaggen.ServerbestandSlepen) {
        emit downloadenGeselecteerd();
        return;
    }
    BuitenBestandenNeerzetten(LokalePaden(*event->mimeData()), Serverpaden(*event->mimeData()));
}

void Neerzetten::LijstBFtp_Neer(QDropEvent* event)
{
    if (m_vlaggen.ServerbestandSlepen || m_vlaggen.Map() || !m_server.Verbonden()) return;
    const QStringList bestanden = BestaandeBestanden(LokalePaden(*event->mimeData()));
    if (bestanden.isEmpty()) return;
    event->acceptProposedAction();
    // Remembered for a repeat when they share one folder (as files dragged from one list do):
    // the repeat goes back to that folder and sends the same names again.
    const QString map = QFileInfo(bestanden.first()).absolutePath();
    QStringList laatste{map + (map.endsWith(LokaalScheiding) ? QString() : QString(LokaalScheiding)) +
                        Scheidingsteken + m_b.cboVerbindingenFtp->currentText() + Scheidingsteken +
                        m_server.HuidigeServermap()};
    for (const QString& pad : bestanden) {
        if (QFileInfo(pad).absolutePath() != map) {
            laatste.clear();
            break;
        }
        laatste.push_back(QFileInfo(pad).fileName());
    }
    if (!laatste.isEmpty()) *m_b.laatsteUploads = laatste;
    emit uploaden(QStringList{QString()} + bestanden);
}

void Neerzetten::BuitenBestandenNeerzetten(const QStringList& lokalePaden, const QStringList& serverpaden)
{
    const QString map = m_lokaal.HuidigeLokalemap();
    QStringList kopieren;
    for (const QString& pad : lokalePaden) {
        const QFileInfo bron(pad);
        const QString doel = LokaalDoelPad(map, bron.fileName());
        // Only files: a folder dropped here is no file to copy.
        if (!bron.isFile() || doel.isEmpty()) continue;
        const QFileInfo bestaand(doel);
        if (bestaand.exists() && bestaand.canonicalFilePath() != bron.canonicalFilePath() &&
            !Overschrijven(doel))
            continue;
        kopieren.push_back(pad);
    }
    std::vector<Serverbestand> halen;
    for (const QString& pad : serverpaden) {
        const QString naam = pad.mid(pad.lastIndexOf(u'/') + 1);
        const QString bron = m_server.HuidigeServermap() + naam;
        const QString doel = LokaalDoelPad(map, naam);
        if (!doel.isEmpty() && QFileInfo::exists(doel) && !Overschrijven(doel)) continue;
        halen.push_back({bron, -1, naam});
    }
    // The copies and the downloads are one run: the copies on the disk, the rest over the connections.
    Overdrachtsplan plan = LokaleBestandenPlannen(kopieren, map);
    const qsizetype lokaal = qsizetype(plan.klussen.size());
    if (!halen.empty())
        for (Klus& k : DownloadenPlannen(halen, map, nullptr).klussen) {
            k.nummer = qint64(plan.klussen.size()) + 1;
            plan.klussen.push_back(std::move(k));
        }
    QStringList gekopieerd;
    for (qsizetype i = 0; i < lokaal; ++i)
        gekopieerd.push_back(plan.klussen[size_t(i)].naam);
    m_wachtrij.Toevoegen(std::move(plan), [this, halen, gekopieerd](const Overdrachtsresultaat& r) {
        QStringList alle{QString()};
        bool kopieFout = false;
        for (const QString& naam : gekopieerd) {
            if (r.namen.contains(naam))
                alle.push_back(naam);
            else
                kopieFout = true;
        }
        if (kopieFout)
            Melding(QStringLiteral("Het kopiëren van lokale bestanden is geheel/gedeeltelijk misgegaan."), 4);
        for (const Serverbestand& b : halen) {
            if (r.namen.contains(b.naam)) {
                alle.push_back(b.naam);
                continue;
            }
            Melding(QStringLiteral("Het downloaden van serverbestand ") + b.pad + QStringLiteral(" is misgegaan."),
                    4);
        }
        if (PanelenBijwerken(m_wachtrij)) m_selectie.SelecterenInLijstBLokaal(alle);
    });
}

void Neerzetten::BuitenMappenNeerzetten(const QStringList& paden)
{
    const QString rij = GeselecteerdeMap(true);
    const QString doel = LokaalDoelPad(m_lokaal.HuidigeLokalemap(), rij);
    if (doel.isEmpty()) return;
    for (const QString& map : paden) {
        std::optional<Overdrachtsplan> plan = LokaleMapPlannen(map, doel);
        if (!plan) {
            Melding(QStringLiteral("Map ") + map + QStringLiteral(" kan niet in zichzelf worden gekopieerd."),
                    4);
            break;
        }
        // Each folder a run of its own, told about as it ends.
        m_wachtrij.Toevoegen(std::move(*plan), [this, map, rij](const Overdrachtsresultaat& r) {
            if (!r.Gelukt())
                Melding(QStringLiteral("Bij kopiëren van map '") + map +
                            QStringLiteral("' is iets fout gegaan."),
                        4);
            if (!PanelenBijwerken(m_wachtrij)) return;
            m_lokaal.LijstVullenLokaal(std::nullopt, Soort::Beide, false);
            SelecterenInLijst(*m_lokaal.ui().mappen, rij, true, true);
        });
    }
    m_lokaal.LijstVullenLokaal(std::nullopt, Soort::Beide, false);
    SelecterenInLijst(*m_lokaal.ui().mappen, rij, true, true);
}

bool Neerzetten::KnopNeemt(QObject* knop, const QDropEvent& event) const
{
    const Sleepvlaggen& v = m_vlaggen;
    if (knop == m_b.knopBUploaden)
        return v.LokaalBestandSlepen && !v.ServerbestandSlepen && m_server.Verbonden();
    if (knop == m_b.knopBDownloaden) return v.ServerbestandSlepen && !v.LokaalBestandSlepen;
    if (knop == m_b.knopVerwijderenMap) return v.Map();
    if (knop == m_b.knopVerwijderenBestand || knop == m_b.knopOpenen) return v.Bestand();
    return !BestaandeBestanden(LokalePaden(*event.mimeData())).isEmpty();
}

bool Neerzetten::eventFilter(QObject* object, QEvent* event)
{
    const QEvent::Type soort = event->type();
    if (soort != QEvent::DragEnter && soort != QEvent::DragMove && soort != QEvent::Drop) return false;
    auto* neer = static_cast<QDropEvent*>(event);
    if (!KnopNeemt(object, *neer)) {
        neer->ignore();
        return true;
    }
    neer->acceptProposedAction();
    if (soort != QEvent::Drop) return true;
    if (object == m_b.knopBUploaden)
        emit uploadenGeselecteerd();
    else if (object == m_b.knopBDownloaden)
        emit downloadenGeselecteerd();
    else if (object == m_b.knopVerwijderenMap)
        emit verwijderenMapNeergezet();
    else if (object == m_b.knopVerwijderenBestand)
        emit verwijderenBestandNeergezet();
    else if (object == m_b.knopOpenen)
        emit openenNeergezet();
    else
        emit uploadbestandNeergezet(BestaandeBestanden(LokalePaden(*neer->mimeData())));
    return true;
}

} // namespace Vamox
