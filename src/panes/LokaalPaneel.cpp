#include "panes/LokaalPaneel.h"

#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "mainwindow/FrmFtp.h"
#include "panes/Kolommen.h"
#include "panes/LijstWeergave.h"
#include "panes/LokaleMap.h"
#include "panes/Navigatie.h"
#include "panes/PaneelVulling.h"
#include "panes/Rijen.h"
#include "panes/Selectie.h"
#include "panes/Sorteren.h"
#include "platform/Shell.h"
#include "platform/Volumes.h"
#include "platform/Zandloper.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace Vamox {

bool LokaleMapBestaat(const QString& pad)
{
    return QDir::isAbsolutePath(pad) && QFileInfo(pad).isDir();
}

namespace {

QString MetScheiding(QString pad)
{
    QString geenServer;
    MappenBijwerken(pad, geenServer);
    return pad;
}

} // namespace

LokaalPaneel::LokaalPaneel(FrmFtp& venster) : m_venster(venster)
{
    VensterUi& ui = venster.ui();
    VensterMenus& m = venster.menus();

    connect(ui.LijstLokaal, &LijstWeergave::dubbelklik, this, &LokaalPaneel::LijstLokaal_DblClick);
    connect(ui.LijstLokaal, &LijstWeergave::toetsLos, this, &LokaalPaneel::LijstLokaal_KeyUp);
    connect(ui.LijstLokaal, &LijstWeergave::muisLos, this, &LokaalPaneel::LijstLokaal_MouseUp);
    connect(ui.LijstBLokaal, &LijstWeergave::dubbelklik, this, &LokaalPaneel::LijstBLokaal_DblClick);
    connect(ui.LijstBLokaal, &LijstWeergave::toetsLos, this, &LokaalPaneel::LijstBLokaal_KeyUp);
    connect(ui.LijstBLokaal, &LijstWeergave::muisLos, this, &LokaalPaneel::LijstBLokaal_MouseUp);

    connect(m.mnuPlusLokaal, &QAction::triggered, this, &LokaalPaneel::mnuPlusLokaal_Click);
    connect(m.mnuPlusBijSubmappenLokaal, &QAction::triggered, this,
            &LokaalPaneel::mnuPlusBijSubmappenLokaal_Click);
    connect(m.mnuVerkennerOpenen, &QAction::triggered, this, &LokaalPaneel::mnuVerkennerOpenen_Click);
    connect(m.mnuMapLokaalVerversen, &QAction::triggered, this, &LokaalPaneel::LokaalVerversen);
    connect(m.mnuBestandLokaalVerversen, &QAction::triggered, this, &LokaalPaneel::LokaalVerversen);
    connect(m.mnuVernieuwenLokaal, &QAction::triggered, this, [this] {
        LijstVullenLokaal(m_venster.toestand().HuidigeLokalemap, QStringLiteral("11"), false);
    });
    // The menu bar leaves the focus where it was; these items act on the local side.
    connect(m.mnuMapLokaalOpenen, &QAction::triggered, this, [this] {
        m_venster.ui().LijstLokaal->setFocus();
        m_venster.navigatie().MapOpenen(*m_venster.ui().LijstLokaal);
    });
    connect(m.mnuMapLokaalHoger, &QAction::triggered, this, [this] {
        m_venster.ui().LijstLokaal->setFocus();
        m_venster.navigatie().MapHoger();
    });

    SchijvenVullen();
    connect(ui.SchijfLokaal, &QComboBox::currentIndexChanged, this, &LokaalPaneel::SchijfLokaal_Change);
    ui.SchijfLokaal->installEventFilter(this);

    // A right click opens the folder in the file browser instead of the text box menu.
    ui.MapLokaal->setContextMenuPolicy(Qt::NoContextMenu);
    ui.MapLokaal->installEventFilter(this);
    connect(ui.MapLokaal, &QLineEdit::textChanged, this, &LokaalPaneel::MapLokaal_Change);
}

bool LokaalPaneel::LokaleMapLezen(const QString& pad)
{
    Toestand& t = m_venster.toestand();
    QString map = pad;
    if (!map.endsWith(QDir::separator())) map += QDir::separator();
    t.LokaleMappen.clear();
    t.LokaleBestanden.clear();
    if (!LokaleMapBestaat(map) || !Vamox::LokaleMapLezen(map, t.LokaleMappen, t.LokaleBestanden)) {
        QApplication::beep();
        M({.Tekst = QStringLiteral("Map niet gevonden."),
           .Pictogram = 1,
           .Knoppen = QString(),
           .Codes = QStringLiteral("1+2"),
           .SluitenNa = 1500});
        return false;
    }
    t.HuidigeLokalemap = MetScheiding(map);
    return true;
}

void LokaalPaneel::LijstVullenLokaal(const std::optional<QString>& map, const QString& soort,
                                     bool deselecteren)
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    if (!t.VullenToegestaan) return;
    const QString pad = map.value_or(t.HuidigeLokalemap);

    Zandloper(true);
    if (LokaleMapLezen(pad)) {
        t.HuidigeLokalemap = MetScheiding(pad);
        const QString patroon = PatroonTekst(*ui.cboPatroonLokaal);
        if (soort == QLatin1String("11") && (patroon.isEmpty() || patroon == QLatin1String("*")))
            PatroonlijstOpnieuw(*ui.cboPatroonLokaal);

        if (soort.startsWith(u'1')) {
            std::function<bool(const QString&)> heeftSubmappen;
            if (m_venster.menus().mnuPlusLokaal->isChecked()) {
                const QString basis = t.HuidigeLokalemap;
                heeftSubmappen = [basis](const QString& naam) { return AantalSubmappen(basis + naam) >= 1; };
            }
            ui.LijstLokaal->lijstModel().RijenVervangen(Mapregels(t.LokaleMappen, heeftSubmappen));
            KolomKopNaam(*ui.LijstLokaal);
        }
        if (soort.endsWith(u'1')) {
            SorterenOpheffenBestand(*ui.LijstBLokaal);
            Bestandsvulling vulling(*ui.cboPatroonLokaal, *ui.ImageLijst16);
            for (const QString& regel : std::as_const(t.LokaleBestanden))
                ToevoegenLijstBLokaal(regel, vulling);
            vulling.Afronden(*ui.LijstBLokaal);
            KolomKopNaam(*ui.LijstBLokaal);
            if (deselecteren && ui.LijstBLokaal->lijstModel().Aantal() > 0)
                LijstDeselecteren(*ui.LijstBLokaal);
        }
    }
    SorteericonsInstellen(m_venster, 1);
    Zandloper(false);
}

void LokaalPaneel::ToevoegenLijstBLokaal(const QString& regel, Bestandsvulling& vulling)
{
    std::optional<ListRow> rij = RijUitRegel(regel);
    if (!rij) return;
    // Gone since the folder was read: no row.
    if (!QFileInfo::exists(m_venster.toestand().HuidigeLokalemap + rij->naam)) return;
    vulling.Toevoegen(std::move(*rij));
}

void LokaalPaneel::LokaalVerversen()
{
    VensterUi& ui = m_venster.ui();
    ui.LijstLokaal->lijstModel().Leegmaken();
    ui.LijstBLokaal->lijstModel().Leegmaken();
    m_venster.repaint();
    ui.MapLokaal->setText(m_venster.toestand().HuidigeLokalemap);
    LijstVullenLokaal(ui.MapLokaal->text(), QStringLiteral("11"), false);
}

int LokaalPaneel::AantalLokaalSubmappen(const std::optional<QString>& map)
{
    LijstWeergave& lijst = *m_venster.ui().LijstLokaal;
    if (lijst.lijstModel().Aantal() == 0) return 0;
    if (map) return AantalSubmappen(*map);
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return 0;
    return AantalSubmappen(m_venster.toestand().HuidigeLokalemap + lijst.lijstModel().Rij(rij).naam);
}

void LokaalPaneel::SchijvenVullen()
{
    QComboBox* vak = m_venster.ui().SchijfLokaal;
    const QString huidig = vak->currentData().toString();
    const QSignalBlocker stil(vak);
    vak->clear();
    for (const Volume& v : Volumes())
        vak->addItem(VolumeTekst(v), v.root);
    const int plek = vak->findData(huidig);
    vak->setCurrentIndex(plek >= 0 ? plek : 0);
}

QString LokaalPaneel::SchijfRoot() const
{
    return m_venster.ui().SchijfLokaal->currentData().toString();
}

void LokaalPaneel::SchijfLokaal_Change()
{
    Toestand& t = m_venster.toestand();
    VensterUi& ui = m_venster.ui();
    QComboBox* vak = ui.SchijfLokaal;
    if (vak->currentIndex() < 0 || !t.InvoerToegestaan) return;
    const QString root = SchijfRoot();
    if (!VolumeBeschikbaar(root)) {
        // Going back is itself a change of drive: the pane ends on the last available one.
        vak->setCurrentIndex(vak->findText(t.LaatsteSchijf));
        M({.Tekst = QStringLiteral("Schijf ") + root + QStringLiteral(" is niet beschikbaar."),
           .Pictogram = 1,
           .Knoppen = QStringLiteral("&OK"),
           .Codes = QStringLiteral("1+2")});
        return;
    }
    t.LaatsteSchijf = vak->currentText();
    const QString map = MetScheiding(root);
    ui.MapLokaal->setText(map);
    t.HuidigeLokalemap = map;
    ui.LabelLokaal->setText(QStringLiteral("Lokale map: ") + t.HuidigeLokalemap);
    LijstVullenLokaal(map, QStringLiteral("11"), false);
    ui.LijstLokaal->setFocus();
}

void LokaalPaneel::MapLokaal_Change()
{
    QLineEdit* vak = m_venster.ui().MapLokaal;
    TekstkleurZetten(*vak, LokaleMapBestaat(SpatiesWeg(vak->text())) ? Zwart : Rood);
}

void LokaalPaneel::MapLokaal_Enter()
{
    Toestand& t = m_venster.toestand();
    QLineEdit* vak = m_venster.ui().MapLokaal;
    QString pad = SpatiesWeg(vak->text());
    if (pad.isEmpty()) pad = SchijfRoot();
    if (!pad.endsWith(QDir::separator())) pad += QDir::separator();
    if (!LokaleMapBestaat(pad)) {
        Melding(QStringLiteral("Map '") + pad + QStringLiteral("' niet gevonden."), 4);
        vak->setText(t.HuidigeLokalemap);
        return;
    }
    // "/a/./b//../c" is shown and kept as the folder it names.
    pad = MetScheiding(QDir::cleanPath(pad));
    vak->setText(pad);
    t.HuidigeLokalemap = MetScheiding(SpatiesWeg(vak->text()));
    LijstVullenLokaal(std::nullopt, QStringLiteral("11"), false);
    vak->selectAll();
}

bool LokaalPaneel::eventFilter(QObject* object, QEvent* event)
{
    VensterUi& ui = m_venster.ui();
    if (object == ui.MapLokaal) return MapLokaalFilter(event);
    // The volumes are read again when the box is opened (a stick may have come or gone).
    if (object == ui.SchijfLokaal && event->type() == QEvent::MouseButtonPress) SchijvenVullen();
    return false;
}

bool LokaalPaneel::MapLokaalFilter(QEvent* event)
{
    Toestand& t = m_venster.toestand();
    QLineEdit* vak = m_venster.ui().MapLokaal;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int toets = static_cast<QKeyEvent*>(event)->key();
        if (toets == Qt::Key_Return || toets == Qt::Key_Enter) {
            MapLokaal_Enter();
            return true;
        }
        if (toets == Qt::Key_Escape) {
            vak->setText(t.HuidigeLokalemap);
            vak->selectAll();
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        QTimer::singleShot(0, vak, &QLineEdit::selectAll);
        return false;
    case QEvent::FocusOut: {
        // An unconfirmed edit is dropped when the focus moves to another control.
        const Qt::FocusReason reden = static_cast<QFocusEvent*>(event)->reason();
        if (reden != Qt::ActiveWindowFocusReason && reden != Qt::PopupFocusReason)
            vak->setText(t.HuidigeLokalemap);
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            const QString tekst = vak->text();
            if (!ShellOpenen(tekst))
                Melding(QStringLiteral("Map '") + tekst + QStringLiteral("' niet gevonden."), 3);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void LokaalPaneel::LijstLokaal_DblClick()
{
    LijstWeergave& lijst = *m_venster.ui().LijstLokaal;
    lijst.setFocus();
    if (lijst.lijstModel().Aantal() == 0) return;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;
    if (SpatiesWeg(lijst.lijstModel().Rij(rij).naam) == QLatin1String(".."))
        m_venster.navigatie().MapHoger();
    else
        m_venster.navigatie().MapOpenen(lijst);
}

void LokaalPaneel::LijstLokaal_KeyUp(int toets, Qt::KeyboardModifiers)
{
    // Delete and F2 belong to deleting and renaming.
    if (toets == Qt::Key_Backspace) m_venster.navigatie().MapHoger();
    if (toets == Qt::Key_F5) LokaalVerversen();
}

void LokaalPaneel::LijstLokaal_MouseUp(Qt::MouseButton knop, QPoint plek)
{
    if (knop == Qt::RightButton) m_venster.menus().mnuMapLokaal->popup(plek);
}

void LokaalPaneel::LijstBLokaal_DblClick()
{
    // Opening a file with its program is its own feature; the list takes the focus.
    m_venster.ui().LijstBLokaal->setFocus();
}

void LokaalPaneel::LijstBLokaal_KeyUp(int toets, Qt::KeyboardModifiers modifiers)
{
    if (toets == Qt::Key_A && modifiers == Qt::ControlModifier)
        LijstSelecteren(*m_venster.ui().LijstBLokaal, true);
    if (toets == Qt::Key_F5) LokaalVerversen();
}

void LokaalPaneel::LijstBLokaal_MouseUp(Qt::MouseButton knop, QPoint plek)
{
    if (knop == Qt::RightButton) m_venster.menus().mnuBestandLokaal->popup(plek);
}

bool LokaalPaneel::PlustekenVragen()
{
    QApplication::beep();
    return M({.Tekst =
                  QStringLiteral("Een plusteken in het symbool van de lokale mappen als deze submappen bevat "
                                 "betekent\r\ndat het zoeken naar de lokale mappen iets langer duurt.\r\n"
                                 "Doorgaan?"),
              .Pictogram = 2,
              .Knoppen = QStringLiteral("&Ja+&Nee"),
              .Codes = QStringLiteral("1+2")}) == 1;
}

// The check items toggle themselves before the handler runs; a refused question sets them back.
void LokaalPaneel::mnuPlusLokaal_Click(bool aan)
{
    if (aan && !PlustekenVragen()) {
        m_venster.menus().mnuPlusLokaal->setChecked(false);
        return;
    }
    m_venster.navigatie().PlusLokaalFtpBijwerken(true);
}

void LokaalPaneel::mnuPlusBijSubmappenLokaal_Click(bool aan)
{
    VensterMenus& m = m_venster.menus();
    if (aan && !PlustekenVragen()) {
        m.mnuPlusBijSubmappenLokaal->setChecked(false);
        return;
    }
    m.mnuPlusLokaal->setChecked(aan);
    m_venster.navigatie().PlusLokaalFtpBijwerken(true);
}

void LokaalPaneel::mnuVerkennerOpenen_Click()
{
    LijstWeergave& lijst = *m_venster.ui().LijstLokaal;
    QString map = m_venster.toestand().HuidigeLokalemap;
    if (!map.endsWith(QDir::separator())) map += QDir::separator();
    const int rij = GeselecteerdeRij(lijst);
    if (rij >= 0 && SpatiesWeg(lijst.lijstModel().Rij(rij).naam) != QLatin1String(".."))
        map += lijst.lijstModel().Rij(rij).naam;
    ShellOpenen(map);
}

} // namespace Vamox
