#include "transfer/Bestandsoverdracht.h"

#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "mainwindow/FrmFtp.h"
#include "panes/LijstWeergave.h"
#include "panes/LokaalPaneel.h"
#include "panes/Opmaak.h"
#include "panes/Selectie.h"
#include "panes/ServerPaneel.h"
#include "platform/Zandloper.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Overdrachtsrun.h"
#include "transfer/Voortgangsweergave.h"

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

// The name of a local path: the text after its last separator.
QString LokaleNaam(const QString& pad)
{
    const qsizetype plek = std::max(pad.lastIndexOf(u'/'), pad.lastIndexOf(LokaalScheiding));
    return pad.mid(plek + 1);
}

QString ServerNaam(const QString& pad)
{
    return pad.mid(pad.lastIndexOf(u'/') + 1);
}

bool LokaalBestandBestaat(const QString& pad)
{
    return QFileInfo(pad).isFile();
}

qint64 LokaleGrootte(const QString& pad)
{
    const QFileInfo info(pad);
    return info.isFile() ? info.size() : -1;
}

// Sizes of the files of the server listing the pane shows, by server path; the drop paths come
// from that list, so their sizes are known without asking the server.
QHash<QString, qint64> Servergroottes(const FtpSession& s)
{
    QHash<QString, qint64> groottes;
    groottes.reserve(s.ServerBestanden.size());
    for (const QString& regel : s.ServerBestanden) {
        const QStringList velden = regel.split(Scheidingsteken);
        groottes.insert(s.HuidigeServermap + velden.value(0), velden.value(2).toLongLong());
    }
    return groottes;
}

// Exactly the rows bearing one of the names (capitals counting) end up selected; the last one
// found is scrolled into view.
void NamenExactSelecteren(LijstWeergave& lijst, const QStringList& namen)
{
    const QSet<QString> gezocht(namen.cbegin(), namen.cend());
    const LijstModel& model = lijst.lijstModel();
    QItemSelection keuze;
    int laatste = -1;
    for (int r = 0; r < model.Aantal(); ++r) {
        if (!gezocht.contains(model.Rij(r).naam)) continue;
        keuze.select(model.index(r, 0), model.index(r, model.columnCount() - 1));
        laatste = r;
    }
    lijst.selectionModel()->select(keuze, QItemSelectionModel::ClearAndSelect);
    if (laatste < 0) return;
    lijst.selectionModel()->setCurrentIndex(model.index(laatste, 0), QItemSelectionModel::NoUpdate);
    lijst.scrollTo(model.index(laatste, 0));
}

QString Overschrijven(const QString& soort, const QString& pad)
{
    return soort + QStringLiteral("\r\n ") + pad + QStringLiteral("\r\noverschrijven?");
}

} // namespace

Bestandsoverdracht::Bestandsoverdracht(FrmFtp& venster) : m_venster(venster)
{
    VensterUi& ui = venster.ui();
    VensterMenus& m = venster.menus();
    // Both buttons act on the release of either mouse button (the right one repeats).
    ui.knopBDownloaden->installEventFilter(this);
    ui.knopBUploaden->installEventFilter(this);
    connect(m.mnuBestandFtpDownloaden, &QAction::triggered, this,
            [this] { knopBDownloaden_MouseUp(Qt::LeftButton); });
    connect(m.mnuBestandLokaalUploaden, &QAction::triggered, this,
            [this] { knopBUploaden_MouseUp(Qt::LeftButton); });
}

Bestandsoverdracht::~Bestandsoverdracht() = default;

bool Bestandsoverdracht::eventFilter(QObject* object, QEvent* event)
{
    VensterUi& ui = m_venster.ui();
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* knop = qobject_cast<QToolButton*>(object);
    if (knop != ui.knopBDownloaden && knop != ui.knopBUploaden) return false;
    const auto* muis = static_cast<QMouseEvent*>(event);
    if (!knop->isEnabled() || !knop->rect().contains(muis->position().toPoint())) return false;
    // The flow may run long and ask questions: the button must not look pressed meanwhile.
    knop->setDown(false);
    if (knop == ui.knopBDownloaden)
        knopBDownloaden_MouseUp(muis->button());
    else
        knopBUploaden_MouseUp(muis->button());
    return false;
}

QString Bestandsoverdracht::Context() const
{
    const VensterUi& ui = m_venster.ui();
    return ui.MapLokaal->text() + Scheidingsteken + ui.cboVerbindingenFtp->currentText() + Scheidingsteken +
           m_venster.toestand().sessie.HuidigeServermap;
}

void Bestandsoverdracht::knopBDownloaden_MouseUp(Qt::MouseButton knop)
{
    if (knop != Qt::LeftButton) return;
    BezigSlot slot(m_venster.toestand().Bezig);
    if (!slot) return;
    Downloaden();
}

void Bestandsoverdracht::Downloaden()
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    ui.LijstBFtp->setFocus();
    if (!s.Verbonden) {
        Melding(QStringLiteral("Geen server gevonden.\r\nKan derhalve geen serverbestand uploaden."), 1);
        return;
    }
    if (ui.LijstBFtp->lijstModel().Aantal() == 0) {
        Melding(QStringLiteral("Geen serverbestand geselecteerd.\r\nKan derhalve geen serbestand uploaden."),
                1);
        return;
    }

    const std::vector<Keuze> keuze = GeselecteerdeBestanden(*ui.LijstBFtp);
    const QString lokaleMap = t.HuidigeLokalemap;
    const QString serverMap = s.HuidigeServermap;
    QStringList gedownload{QString()};
    {
        qint64 bytes = 0;
        for (const Keuze& k : keuze)
            bytes += std::max<qint64>(k.grootte, 0);
        Voortgangsrun run(m_venster.voortgang(), qint64(keuze.size()), bytes);
        for (const Keuze& k : keuze) {
            run->BestandBegint(k.naam, k.grootte);
            // A listed name that is no plain file name would be written elsewhere: never fetched.
            const QString lokaal = LokaalDoelPad(lokaleMap, k.naam);
            bool halen = !lokaal.isEmpty();
            if (halen && LokaalBestandBestaat(lokaal)) {
                halen = M({.Tekst = Overschrijven(QStringLiteral("Bestand"), lokaal),
                           .Pictogram = 4,
                           .Knoppen = QStringLiteral("&Ja+&Nee"),
                           .Codes = QStringLiteral("2+1"),
                           .Knopbreedte = 1280,
                           .Centreren = true}) == 1;
            }
            if (halen && s.FtpBestandHalen(lokaal, serverMap + k.naam, k.grootte)) gedownload.push_back(k.naam);
            run->BestandKlaar();
        }
    }
    const qsizetype gelukt = gedownload.size() - 1;
    gedownload[0] = Context();
    t.LaatsteDownloads = gedownload;
    m_venster.selectie().SelecterenInLijstBLokaal(gedownload);
    if (gelukt != qsizetype(keuze.size())) {
        Melding(QStringLiteral("Bij downloaden is iets fout gegegaan. Geüpload: ") + QString::number(gelukt) +
                    u'/' + QString::number(keuze.size()) +
                    QStringLiteral(".\r\nKies uit het snelmenu [Verversen] of [Buiten venster downloaden]."),
                4);
    }
}

void Bestandsoverdracht::knopBUploaden_MouseUp(Qt::MouseButton knop)
{
    if (knop != Qt::LeftButton) return;
    BezigSlot slot(m_venster.toestand().Bezig);
    if (!slot) return;
    UploadenGeselecteerd();
}

void Bestandsoverdracht::UploadenGeselecteerd()
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    ui.LijstBLokaal->setFocus();
    int positie = 0;
    QStringList namen = m_venster.selectie().LijstB(positie);
    if (positie == 0) return;
    if (!t.sessie.Verbonden) {
        m_venster.serverPaneel().VerbindingMisluktMelding();
        return;
    }
    namen[0] = Context();
    t.LaatsteUploads = namen;
    if (m_venster.focusWidget() != ui.LijstBLokaal) return;
    QStringList paden{QString()};
    for (qsizetype i = 1; i < namen.size(); ++i)
        paden.push_back(t.HuidigeLokalemap + namen.at(i));
    UploadenUitvoeren(paden);
}

void Bestandsoverdracht::Uploaden(const QStringList& paden)
{
    BezigSlot slot(m_venster.toestand().Bezig);
    if (!slot) return;
    UploadenUitvoeren(paden);
}

void Bestandsoverdracht::UploadenUitvoeren(const QStringList& paden)
{
    FtpSession& s = m_venster.toestand().sessie;
    const QString serverMap = s.HuidigeServermap;
    QStringList geupload{QString()};
    bool fout = false;
    Zandloper(true);
    {
        // One listing tells which names exist (capitals counting), instead of one per file.
        QStringList regels;
        QStringList mappen;
        s.FtpMapLezen(regels, mappen, serverMap);
        QSet<QString> opServer;
        for (const QString& regel : std::as_const(regels))
            opServer.insert(regel.section(Scheidingsteken, 0, 0));

        qint64 bytes = 0;
        std::vector<qint64> groottes;
        for (qsizetype i = 1; i < paden.size(); ++i) {
            groottes.push_back(LokaleGrootte(paden.at(i)));
            bytes += std::max<qint64>(groottes.back(), 0);
        }
        Voortgangsrun run(m_venster.voortgang(), paden.size() - 1, bytes);
        for (qsizetype i = 1; i < paden.size(); ++i) {
            const QString naam = LokaleNaam(paden.at(i));
            const QString doel = serverMap + naam;
            run->BestandBegint(naam, groottes[size_t(i - 1)]);
            const bool plaatsen =
                !opServer.contains(naam) || M({.Tekst = Overschrijven(QStringLiteral("Serverbestand"), doel),
                                               .Pictogram = 4,
                                               .Knoppen = QStringLiteral("&Ja+&Nee"),
                                               .Codes = QStringLiteral("1+2"),
                                               .Knopbreedte = 1280,
                                               .Centreren = true}) == 1;
            if (plaatsen) {
                if (s.FtpBestandPlaatsen(paden.at(i), doel))
                    geupload.push_back(naam);
                else
                    fout = true;
            }
            run->BestandKlaar();
        }
    }
    Zandloper(false);
    m_venster.selectie().SelecterenInLijstBFtp(geupload);
    if (fout) Melding(QStringLiteral("Bij uploaden is iets fout gegegaan."), 4);
}

void Bestandsoverdracht::FtpBestandenDownloaden(const QStringList& serverpaden, const QString& rij)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    BezigSlot slot(t.Bezig);
    if (!slot) return;
    const QString doelmap = LokaalDoelPad(t.HuidigeLokalemap, rij);
    const QString doel = doelmap + LokaalScheiding;
    bool fout = doelmap.isEmpty();
    QStringList namen;
    {
        Wachtstand wacht(m_venster);
        wacht.Tonen(QStringLiteral("Even geduld. Ftp-bestanden ( ") + GetalTekst(serverpaden.size()) +
                    QStringLiteral(") downloaden naar ") + doel + QStringLiteral("..."));
        const QHash<QString, qint64> groottes = Servergroottes(s);
        qint64 bytes = 0;
        for (const QString& pad : serverpaden)
            bytes += std::max<qint64>(groottes.value(pad, 0), 0);
        Voortgangsrun run(m_venster.voortgang(), serverpaden.size(), bytes);
        for (const QString& pad : serverpaden) {
            const QString naam = ServerNaam(pad);
            namen.push_back(naam);
            run->BestandBegint(naam, groottes.value(pad, -1));
            const QString lokaal = doelmap.isEmpty() ? QString() : LokaalDoelPad(doel, naam);
            if (lokaal.isEmpty() || !s.FtpBestandHalen(lokaal, pad)) fout = true;
            run->BestandKlaar();
        }
    }
    if (fout)
        Melding(QStringLiteral("Het downloaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
    if (doelmap.isEmpty()) return;

    // The fill makes the folder current once it could be read.
    ui.MapLokaal->setText(doel);
    m_venster.lokaalPaneel().LijstVullenLokaal(doel, QStringLiteral("11"), false);
    ui.LijstBLokaal->setFocus();
    NamenExactSelecteren(*ui.LijstBLokaal, namen);
}

void Bestandsoverdracht::LokaalBestandenUploaden(const QStringList& lokalePaden, const QString& rij)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    BezigSlot slot(t.Bezig);
    if (!slot) return;
    const QString doel = s.HuidigeServermap + rij + u'/';
    bool fout = false;
    QStringList namen;
    {
        Wachtstand wacht(m_venster);
        wacht.Tonen(QStringLiteral("Even geduld. Lokale bestanden (") + GetalTekst(lokalePaden.size()) +
                    QStringLiteral(")  kopiëren naar ") + doel + QStringLiteral("..."));
        std::vector<qint64> groottes;
        qint64 bytes = 0;
        for (const QString& pad : lokalePaden) {
            groottes.push_back(LokaleGrootte(pad));
            bytes += std::max<qint64>(groottes.back(), 0);
        }
        Voortgangsrun run(m_venster.voortgang(), lokalePaden.size(), bytes);
        for (qsizetype i = 0; i < lokalePaden.size(); ++i) {
            const QString naam = LokaleNaam(lokalePaden.at(i));
            namen.push_back(naam);
            run->BestandBegint(naam, groottes[size_t(i)]);
            if (!s.FtpBestandPlaatsen(lokalePaden.at(i), doel + naam)) fout = true;
            run->BestandKlaar();
        }
    }
    if (fout)
        Melding(QStringLiteral("Het kopiëren van lokale bestanden is geheel/gedeeltelijk misgegaan."), 4);
    NaarServermap(doel, namen);
}

void Bestandsoverdracht::FtpBestandenUploaden(const QStringList& serverpaden, const QString& rij)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    BezigSlot slot(t.Bezig);
    if (!slot) return;
    const QString doel = s.HuidigeServermap + rij + u'/';
    // The work folder is made at start-up; it may have been removed since.
    const bool werkmap = !t.TijdelijkeMap.isEmpty() && QDir().mkpath(t.TijdelijkeMap);
    bool fout = false;
    QStringList namen;
    {
        Wachtstand wacht(m_venster);
        wacht.Tonen(QStringLiteral("Even geduld. Ftp-bestanden (") + GetalTekst(serverpaden.size()) +
                    QStringLiteral(")  kopiëren naar ") + doel + QStringLiteral("..."));
        const QHash<QString, qint64> groottes = Servergroottes(s);
        qint64 bytes = 0;
        for (const QString& pad : serverpaden)
            bytes += 2 * std::max<qint64>(groottes.value(pad, 0), 0);
        Voortgangsrun run(m_venster.voortgang(), serverpaden.size(), bytes);
        for (const QString& pad : serverpaden) {
            const QString naam = ServerNaam(pad);
            namen.push_back(naam);
            const qint64 grootte = groottes.value(pad, -1);
            run->BestandBegint(naam, grootte < 0 ? -1 : 2 * grootte);
            const QString tijdelijk = werkmap ? LokaalDoelPad(t.TijdelijkeMap, naam) : QString();
            // Only a copy fetched just now goes up: an older one of the same name may lie there.
            bool gelukt = !tijdelijk.isEmpty() && s.FtpBestandHalen(tijdelijk, pad);
            if (gelukt) {
                run->TweedeDeel(LokaleGrootte(tijdelijk));
                gelukt = s.FtpBestandPlaatsen(tijdelijk, doel + naam);
            }
            fout = fout || !gelukt;
            run->BestandKlaar();
        }
    }
    if (fout) Melding(QStringLiteral("Het uploaden van Ftp-bestanden is geheel/gedeeltelijk misgegaan."), 4);
    NaarServermap(doel, namen);
}

void Bestandsoverdracht::NaarServermap(const QString& map, const QStringList& namen)
{
    VensterUi& ui = m_venster.ui();
    // The fill makes the folder current once it could be listed.
    ui.MapFtp->setText(map);
    m_venster.serverPaneel().LijstVullenFtp(map, QStringLiteral("11"), false);
    ui.LijstBFtp->setFocus();
    NamenExactSelecteren(*ui.LijstBFtp, namen);
}

} // namespace Vamox
