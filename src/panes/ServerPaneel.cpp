#include "panes/ServerPaneel.h"

#include "dialogs/Msg.h"
#include "ftp/Verbinding.h"
#include "mainwindow/AppInfo.h"
#include "mainwindow/FrmFtp.h"
#include "panes/Kolommen.h"
#include "panes/LijstWeergave.h"
#include "panes/Navigatie.h"
#include "panes/PaneelVulling.h"
#include "panes/Rijen.h"
#include "panes/Selectie.h"
#include "panes/Sorteren.h"
#include "platform/Zandloper.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>

namespace Vamox {

namespace {
// Pause after the last keystroke in MapFtp before the folder is looked up on the server.
constexpr int MapFtpControleMs = 150;
} // namespace

ServerPaneel::ServerPaneel(FrmFtp& venster) : m_venster(venster)
{
    VensterUi& ui = venster.ui();
    VensterMenus& m = venster.menus();

    connect(ui.LijstFtp, &LijstWeergave::dubbelklik, this, &ServerPaneel::LijstFtp_DblClick);
    connect(ui.LijstFtp, &LijstWeergave::toetsLos, this, &ServerPaneel::LijstFtp_KeyUp);
    connect(ui.LijstFtp, &LijstWeergave::muisLos, this, &ServerPaneel::LijstFtp_MouseUp);
    connect(ui.LijstBFtp, &LijstWeergave::dubbelklik, this, &ServerPaneel::LijstBFtp_DblClick);
    connect(ui.LijstBFtp, &LijstWeergave::toetsLos, this, &ServerPaneel::LijstBFtp_KeyUp);
    connect(ui.LijstBFtp, &LijstWeergave::muisLos, this, &ServerPaneel::LijstBFtp_MouseUp);

    connect(m.mnuPlusFtp, &QAction::triggered, this, &ServerPaneel::mnuPlusFtp_Click);
    connect(m.mnuPlusBijSubmappenFtp, &QAction::triggered, this, &ServerPaneel::mnuPlusBijSubmappenFtp_Click);
    connect(m.mnuMapFtpVerversen, &QAction::triggered, this, &ServerPaneel::FtpVerversen);
    connect(m.mnuBestandFtpVerversen, &QAction::triggered, this, &ServerPaneel::FtpVerversen);
    // The menu bar leaves the focus where it was; these items act on the server side.
    connect(m.mnuMapFtpOpenen, &QAction::triggered, this, [this] {
        m_venster.ui().LijstFtp->setFocus();
        m_venster.navigatie().MapOpenen(*m_venster.ui().LijstFtp);
    });
    connect(m.mnuMapFtpHoger, &QAction::triggered, this, [this] {
        m_venster.ui().LijstFtp->setFocus();
        m_venster.navigatie().MapHoger();
    });

    // A right click on the box must not open the text box menu (the window's own right-click
    // handling replaces it).
    ui.MapFtp->setContextMenuPolicy(Qt::NoContextMenu);
    ui.MapFtp->installEventFilter(this);
    connect(ui.MapFtp, &QLineEdit::textEdited, this, &ServerPaneel::MapFtp_Change);
    m_mapFtpControle.setSingleShot(true);
    m_mapFtpControle.setInterval(MapFtpControleMs);
    connect(&m_mapFtpControle, &QTimer::timeout, this, &ServerPaneel::MapFtpKleurBijwerken);
}

bool ServerPaneel::LijstVullenFtp(const std::optional<QString>& map, const QString& soort, bool deselecteren)
{
    Toestand& t = m_venster.toestand();
    FtpSession& s = t.sessie;
    VensterUi& ui = m_venster.ui();
    if (!t.VullenToegestaan) return false;

    QString folder = map.value_or(s.HuidigeServermap);
    while (folder.endsWith(u'/'))
        folder.chop(1);
    folder += u'/';

    Zandloper(true);
    if (!s.internetHandle()) {
        if (!s.FtpVerbinden(true)) {
            Zandloper(false);
            return false;
        }
        if (!s.internetHandle()) return Mislukt();
    }
    // A listing that fails is a failure (no connection, no such folder, no permission): it is
    // not shown as an empty folder.
    if (!s.ServermapLezen(folder)) return Mislukt();

    s.Verbonden = true;
    VerbindingsmenusZetten(m_venster.menus(), true);
    s.HuidigeServermap = folder;
    QString geenLokaal;
    MappenBijwerken(geenLokaal, s.HuidigeServermap);
    ui.LabelFtp->setText(QStringLiteral("Servermap: ") + s.HuidigeServermap);
    TekstkleurZetten(*ui.LabelFtp, Zwart);

    const QString patroon = PatroonTekst(*ui.cboPatroonFtp);
    if (soort == QLatin1String("11") && (patroon.isEmpty() || patroon == QLatin1String("*")))
        PatroonlijstOpnieuw(*ui.cboPatroonFtp);

    if (soort.startsWith(u'1')) {
        const bool plus = m_venster.menus().mnuPlusFtp->isChecked();
        const QString basis = s.HuidigeServermap;
        std::function<bool(const QString&)> heeftSubmappen;
        if (plus) heeftSubmappen = [&](const QString& naam) { return SubmappenTellen(basis + naam) >= 1; };
        ui.LijstFtp->lijstModel().RijenVervangen(Mapregels(s.ServerMappen, heeftSubmappen));
        KolomKopNaam(*ui.LijstFtp);
    }
    if (soort.endsWith(u'1')) {
        SorterenOpheffenBestand(*ui.LijstBFtp);
        Bestandsvulling vulling(*ui.cboPatroonFtp, *ui.ImageLijst16);
        for (const QString& regel : std::as_const(s.ServerBestanden))
            ToevoegenLijstBFtp(regel, vulling);
        vulling.Afronden(*ui.LijstBFtp);
        KolomKopNaam(*ui.LijstBFtp);
        if (deselecteren && ui.LijstBFtp->lijstModel().Aantal() > 0) LijstDeselecteren(*ui.LijstBFtp);
    }
    Zandloper(false);
    SorteericonsInstellen(m_venster, 2);
    return true;
}

bool ServerPaneel::Mislukt()
{
    Zandloper(false);
    VerbindingMisluktMelding();
    return false;
}

void ServerPaneel::ToevoegenLijstBFtp(const QString& regel, Bestandsvulling& vulling)
{
    if (std::optional<ListRow> rij = RijUitRegel(regel)) vulling.Toevoegen(std::move(*rij));
}

void ServerPaneel::FtpVerversen()
{
    VensterUi& ui = m_venster.ui();
    FtpSession& s = m_venster.toestand().sessie;
    m_venster.setWindowTitle(QStringLiteral("Even geduld. Ftp server zoeken..."));
    m_venster.repaint();
    ui.LijstFtp->lijstModel().Leegmaken();
    ui.LijstBFtp->lijstModel().Leegmaken();
    ui.LabelFtp->setText(QStringLiteral("Ftp server"));
    m_mapFtpControle.stop();
    TekstkleurZetten(*ui.MapFtp, Zwart);
    ui.MapFtp->clear();
    m_venster.repaint();
    ui.MapFtp->setText(s.HuidigeServermap);
    // A fresh login: a refresh is also how a user revives a connection that went stale.
    s.FtpVerbindingSluiten();
    s.FtpVerbinden(false);
    LijstVullenFtp(s.HuidigeServermap, QStringLiteral("11"), false);
    m_venster.setWindowTitle(AppTitel());
}

int ServerPaneel::AantalFtpSubmappen(const std::optional<QString>& map)
{
    const FtpSession& s = m_venster.toestand().sessie;
    LijstWeergave& lijst = *m_venster.ui().LijstFtp;
    if (!s.Verbonden || lijst.lijstModel().Aantal() == 0) return 0;
    QString folder;
    if (map) {
        folder = *map;
    } else {
        const int rij = GeselecteerdeRij(lijst);
        if (rij < 0) return 0;
        folder = s.HuidigeServermap + lijst.lijstModel().Rij(rij).naam;
    }
    return SubmappenTellen(folder);
}

int ServerPaneel::SubmappenTellen(const QString& map)
{
    QStringList bestanden;
    QStringList mappen;
    m_venster.toestand().sessie.FtpMapLezen(bestanden, mappen, map);
    int aantal = 0;
    for (const QString& naam : std::as_const(mappen))
        if (!naam.contains(QLatin1String(".."))) ++aantal;
    return aantal;
}

void ServerPaneel::VerbindingMisluktMelding()
{
    const QString server = m_venster.ui().cboVerbindingenFtp->currentText();
    const QString tekst = server.isEmpty()
                              ? QStringLiteral("Kan geen verbinding met de server maken.")
                              : QStringLiteral("Kan geen verbinding met server '") + server +
                                    QStringLiteral("' maken.\r\nOf map op de server niet gevonden.");
    Melding(tekst, 4);
    ServerkeuzeWissen();
}

void ServerPaneel::ServerkeuzeWissen()
{
    QComboBox* vak = m_venster.ui().cboVerbindingenFtp;
    const QSignalBlocker stil(vak);
    vak->setCurrentIndex(-1);
}

void ServerPaneel::LijstFtp_DblClick()
{
    LijstWeergave& lijst = *m_venster.ui().LijstFtp;
    lijst.setFocus();
    if (lijst.lijstModel().Aantal() == 0) return;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;
    if (SpatiesWeg(lijst.lijstModel().Rij(rij).naam) == QLatin1String(".."))
        m_venster.navigatie().knopMapHoger_MouseUp(Qt::LeftButton);
    else
        m_venster.navigatie().MapOpenen(lijst);
}

void ServerPaneel::LijstFtp_KeyUp(int toets, Qt::KeyboardModifiers)
{
    // Delete and F2 belong to deleting and renaming.
    if (toets == Qt::Key_Backspace) m_venster.navigatie().MapHoger();
    if (toets == Qt::Key_F5) FtpVerversen();
}

void ServerPaneel::LijstFtp_MouseUp(Qt::MouseButton knop, QPoint plek)
{
    if (knop == Qt::RightButton && m_venster.toestand().sessie.Verbonden)
        m_venster.menus().mnuMapFtp->popup(plek);
}

void ServerPaneel::LijstBFtp_DblClick()
{
    // Opening a server file (fetch, open, send back) is its own feature; the list takes the focus.
    m_venster.ui().LijstBFtp->setFocus();
}

void ServerPaneel::LijstBFtp_KeyUp(int toets, Qt::KeyboardModifiers modifiers)
{
    if (toets == Qt::Key_A && modifiers == Qt::ControlModifier)
        LijstSelecteren(*m_venster.ui().LijstBFtp, true);
    if (toets == Qt::Key_F5) FtpVerversen();
}

void ServerPaneel::LijstBFtp_MouseUp(Qt::MouseButton knop, QPoint plek)
{
    if (knop == Qt::RightButton && m_venster.toestand().sessie.Verbonden)
        m_venster.menus().mnuBestandFtp->popup(plek);
}

bool ServerPaneel::PlustekenVragen()
{
    QApplication::beep();
    return M({.Tekst =
                  QStringLiteral("Een plusteken in het symbool van de servermappen als deze submappen bevat "
                                 "betekent\r\ndat het zoeken naar de servermappen veel langer duurt.\r\n"
                                 "Doorgaan?"),
              .Pictogram = 2,
              .Knoppen = QStringLiteral("&Ja+&Nee"),
              .Codes = QStringLiteral("1+2"),
              .Knopbreedte = 1280,
              .Centreren = true}) == 1;
}

// The check items toggle themselves before the handler runs; a refused question sets them back.
void ServerPaneel::mnuPlusFtp_Click(bool aan)
{
    QAction* item = m_venster.menus().mnuPlusFtp;
    if (aan && !PlustekenVragen()) {
        item->setChecked(false);
        return;
    }
    m_venster.navigatie().PlusLokaalFtpBijwerken(false);
}

void ServerPaneel::mnuPlusBijSubmappenFtp_Click(bool aan)
{
    VensterMenus& m = m_venster.menus();
    if (aan && !PlustekenVragen()) {
        m.mnuPlusBijSubmappenFtp->setChecked(false);
        return;
    }
    m.mnuPlusFtp->setChecked(aan);
    m_venster.navigatie().PlusLokaalFtpBijwerken(false);
}

bool ServerPaneel::eventFilter(QObject* object, QEvent* event)
{
    QLineEdit* vak = m_venster.ui().MapFtp;
    if (object != vak) return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int toets = static_cast<QKeyEvent*>(event)->key();
        if (toets == Qt::Key_Return || toets == Qt::Key_Enter) {
            MapFtp_Enter();
            return true;
        }
        if (toets == Qt::Key_Escape) {
            MapFtp_Escape();
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        // After the click that gave the focus has placed the caret.
        QTimer::singleShot(0, vak, &QLineEdit::selectAll);
        return false;
    case QEvent::FocusOut: {
        const Qt::FocusReason reden = static_cast<QFocusEvent*>(event)->reason();
        if (reden == Qt::ActiveWindowFocusReason || reden == Qt::PopupFocusReason) return false;
        MapFtpControleNu();
        if (Tekstkleur(*vak) == Rood) {
            vak->setText(m_venster.toestand().sessie.HuidigeServermap);
            TekstkleurZetten(*vak, Zwart);
        }
        return false;
    }
    default:
        return false;
    }
}

void ServerPaneel::MapFtp_Change()
{
    QLineEdit* vak = m_venster.ui().MapFtp;
    if (m_venster.toestand().sessie.HuidigeServermap == QLatin1String("/") && vak->text().isEmpty()) {
        vak->setText(QStringLiteral("/"));
        vak->setCursorPosition(1);
    }
    m_mapFtpControle.start();
}

// Red while the typed folder does not exist on the server. The look-up waits for an idle
// session and is repeated when the text changed while it ran.
void ServerPaneel::MapFtpKleurBijwerken()
{
    FtpSession& s = m_venster.toestand().sessie;
    if (s.bezig()) {
        m_mapFtpControle.start();
        return;
    }
    QLineEdit* vak = m_venster.ui().MapFtp;
    const QString tekst = SpatiesWeg(vak->text());
    const bool bestaat = s.ServerpadBestaat(tekst, true);
    if (SpatiesWeg(vak->text()) != tekst) {
        m_mapFtpControle.start();
        return;
    }
    TekstkleurZetten(*vak, bestaat ? Zwart : Rood);
}

void ServerPaneel::MapFtpControleNu()
{
    if (!m_mapFtpControle.isActive()) return;
    m_mapFtpControle.stop();
    MapFtpKleurBijwerken();
}

void ServerPaneel::MapFtp_Enter()
{
    FtpSession& s = m_venster.toestand().sessie;
    QLineEdit* vak = m_venster.ui().MapFtp;
    MapFtpControleNu();
    QString tekst = vak->text();
    if (!tekst.endsWith(u'/')) {
        tekst += u'/';
        vak->setText(tekst);
    }
    const auto nietGevonden = [&] {
        Melding(QStringLiteral("Servermap '") + tekst + QStringLiteral("' niet gevonden."), 4);
        vak->setText(s.HuidigeServermap);
        TekstkleurZetten(*vak, Zwart);
    };
    if (Tekstkleur(*vak) == Rood) {
        nietGevonden();
    } else if (s.Verbonden) {
        if (s.ServerpadBestaat(QStringLiteral("/"), true)) {
            s.HuidigeServermap = SpatiesWeg(tekst);
            QString geenLokaal;
            MappenBijwerken(geenLokaal, s.HuidigeServermap);
            if (LijstVullenFtp(s.HuidigeServermap, QStringLiteral("11"), false))
                vak->setText(s.HuidigeServermap); // "a/b/" as typed shows as "/a/b/"
            vak->selectAll();
        } else {
            nietGevonden();
        }
    } else {
        VerbindingMisluktMelding();
    }
}

void ServerPaneel::MapFtp_Escape()
{
    const FtpSession& s = m_venster.toestand().sessie;
    if (!s.Verbonden) return;
    QLineEdit* vak = m_venster.ui().MapFtp;
    m_mapFtpControle.stop();
    vak->setText(s.HuidigeServermap);
    TekstkleurZetten(*vak, Zwart);
    vak->selectAll();
}

} // namespace Vamox
