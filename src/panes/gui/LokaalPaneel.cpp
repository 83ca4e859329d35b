#include "panes/gui/LokaalPaneel.h"

#include "dialogs/Msg.h"
#include "ftp/FtpPaden.h"
#include "panes/LokaleMap.h"
#include "panes/Mapbron.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Navigatie.h"
#include "platform/Volumes.h"
#include "platform/gui/Shell.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace Vamox {

namespace {

QString MetScheiding(QString pad)
{
    QString geenServer;
    MappenBijwerken(pad, geenServer);
    return pad;
}

} // namespace

LokaalPaneel::LokaalPaneel(LokaleBron& bron, const PaneelUi& ui, const PaneelMenus& menus,
                           QComboBox& schijfLokaal, QAction& mnuVerkennerOpenen, QAction& mnuVernieuwenLokaal,
                           const bool& vullenToegestaan, const bool& invoerToegestaan)
    : Paneel(bron, ui, menus, vullenToegestaan), m_schijf(schijfLokaal), m_invoerToegestaan(invoerToegestaan)
{
    connect(&mnuVerkennerOpenen, &QAction::triggered, this, &LokaalPaneel::mnuVerkennerOpenen_Click);
    connect(&mnuVernieuwenLokaal, &QAction::triggered, this,
            [this] { LijstVullenLokaal(HuidigeLokalemap(), Soort::Beide, false); });

    SchijvenVullen();
    m_laatsteSchijf = m_schijf.currentText();
    connect(&m_schijf, &QComboBox::currentIndexChanged, this, &LokaalPaneel::SchijfLokaal_Change);
    m_schijf.installEventFilter(this);

    connect(ui.map, &QLineEdit::textChanged, this, &LokaalPaneel::MapLokaal_Change);
}

QString LokaalPaneel::MapVorm(const QString& map) const
{
    return MetScheiding(map);
}

void LokaalPaneel::LeesfoutMelden(const QString& map, Leesuitkomst uitkomst)
{
    if (uitkomst == Leesuitkomst::Afgebroken) {
        Melding(QStringLiteral("Het lezen van map '") + map + QStringLiteral("' is afgebroken."), 1);
        return;
    }
    QApplication::beep();
    M({.Tekst = QStringLiteral("Map niet gevonden."),
       .Pictogram = 1,
       .Knoppen = QString(),
       .Codes = QStringLiteral("1+2"),
       .SluitenNa = 1500});
}

void LokaalPaneel::LijstVullenLokaal(const std::optional<QString>& map, Soort soort, bool deselecteren)
{
    LijstVullen(map, soort, deselecteren);
}

void LokaalPaneel::ToevoegenLijstBLokaal(const FtpEntry& entry, Bestandsvulling& vulling)
{
    ToevoegenLijstB(entry, vulling);
}

void LokaalPaneel::LokaalVerversen()
{
    LijstenLeegmaken();
    ui().mappen->window()->repaint();
    ui().map->setText(HuidigeLokalemap());
    LijstVullenLokaal(ui().map->text(), Soort::Beide, false);
}

int LokaalPaneel::AantalLokaalSubmappen(const std::optional<QString>& map)
{
    return AantalSubmappen(map);
}

void LokaalPaneel::SchijvenVullen()
{
    const QString huidig = m_schijf.currentData().toString();
    const QSignalBlocker stil(m_schijf);
    m_schijf.clear();
    for (const Volume& v : Volumes())
        m_schijf.addItem(VolumeTekst(v), v.root);
    const int plek = m_schijf.findData(huidig);
    m_schijf.setCurrentIndex(plek >= 0 ? plek : 0);
}

QString LokaalPaneel::SchijfRoot() const
{
    return m_schijf.currentData().toString();
}

void LokaalPaneel::SchijfLokaal_Change()
{
    if (m_schijf.currentIndex() < 0 || !m_invoerToegestaan) return;
    const QString root = SchijfRoot();
    if (!VolumeBeschikbaar(root)) {
        // Going back is itself a change of drive: the pane ends on the last available one.
        m_schijf.setCurrentIndex(m_schijf.findText(m_laatsteSchijf));
        M({.Tekst = QStringLiteral("Schijf ") + root + QStringLiteral(" is niet beschikbaar."),
           .Pictogram = 1,
           .Knoppen = QStringLiteral("&OK"),
           .Codes = QStringLiteral("1+2")});
        return;
    }
    m_laatsteSchijf = m_schijf.currentText();
    const QString map = MetScheiding(root);
    ui().map->setText(map);
    HuidigeMapZetten(map);
    ui().label->setText(QStringLiteral("Lokale map: ") + HuidigeLokalemap());
    LijstVullenLokaal(map, Soort::Beide, false);
    ui().mappen->setFocus();
}

void LokaalPaneel::SchijfKiezenVoor(const QString& map)
{
    const QString doel = QDir::cleanPath(map);
    int beste = -1;
    qsizetype lengte = -1;
    for (int i = 0; i < m_schijf.count(); ++i) {
        const QString root = QDir::cleanPath(m_schijf.itemData(i).toString());
        const bool bevat = doel == root || doel.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (bevat && root.size() > lengte) {
            beste = i;
            lengte = root.size();
        }
    }
    if (beste < 0) return;
    {
        // Choosing a drive navigates; here the caller shows the folder itself.
        const QSignalBlocker stil(m_schijf);
        m_schijf.setCurrentIndex(beste);
    }
    m_laatsteSchijf = m_schijf.currentText();
}

bool LokaalPaneel::SchijfKiezen(const QString& tekst)
{
    const int plek = tekst.isEmpty() ? -1 : m_schijf.findText(tekst);
    if (plek < 0) return false;
    const QSignalBlocker stil(m_schijf);
    m_schijf.setCurrentIndex(plek);
    m_laatsteSchijf = m_schijf.currentText();
    return true;
}

void LokaalPaneel::NaarSchijfRoot()
{
    QString root = SchijfRoot();
    if (root.isEmpty()) return;
    root = MetScheiding(root);
    ui().map->setText(root);
    HuidigeMapZetten(root);
    LijstVullenLokaal(std::nullopt, Soort::Beide, false);
}

void LokaalPaneel::MapLokaal_Change()
{
    QLineEdit* vak = ui().map;
    TekstRoodZetten(*vak, !LokaleMapBestaat(SpatiesWeg(vak->text())));
}

void LokaalPaneel::MapLokaal_Enter()
{
    QLineEdit* vak = ui().map;
    QString pad = SpatiesWeg(vak->text());
    if (pad.isEmpty()) pad = SchijfRoot();
    if (!pad.endsWith(QDir::separator())) pad += QDir::separator();
    if (!LokaleMapBestaat(pad)) {
        Melding(QStringLiteral("Map '") + pad + QStringLiteral("' niet gevonden."), 4);
        vak->setText(HuidigeLokalemap());
        return;
    }
    // "/a/./b//../c" is shown and kept as the folder it names.
    pad = MetScheiding(QDir::cleanPath(pad));
    vak->setText(pad);
    LijstVullenLokaal(pad, Soort::Beide, false);
    vak->selectAll();
}

bool LokaalPaneel::eventFilter(QObject* object, QEvent* event)
{
    // The volumes are read again when the box is opened (a stick may have come or gone).
    if (object == &m_schijf && event->type() == QEvent::MouseButtonPress) SchijvenVullen();
    return Paneel::eventFilter(object, event);
}

void LokaalPaneel::MapVak_Escape()
{
    ui().map->setText(HuidigeLokalemap());
    ui().map->selectAll();
}

void LokaalPaneel::MapVak_Verlaten()
{
    ui().map->setText(HuidigeLokalemap());
}

bool LokaalPaneel::MapVak_MuisLos(Qt::MouseButton knop)
{
    if (knop != Qt::RightButton) return false;
    const QString tekst = ui().map->text();
    if (!ShellOpenen(tekst)) Melding(QStringLiteral("Map '") + tekst + QStringLiteral("' niet gevonden."), 3);
    return true;
}

bool LokaalPaneel::PlustekenVragen()
{
    QApplication::beep();
    return JaNee(
        {.Tekst = QStringLiteral("Een plusteken in het symbool van de lokale mappen als deze submappen bevat "
                                 "betekent\r\ndat het zoeken naar de lokale mappen iets langer duurt.\r\n"
                                 "Doorgaan?"),
         .Pictogram = 2});
}

void LokaalPaneel::mnuVerkennerOpenen_Click()
{
    const LijstWeergave& lijst = *ui().mappen;
    QString map = HuidigeLokalemap();
    if (!map.endsWith(QDir::separator())) map += QDir::separator();
    const int rij = GeselecteerdeRij(lijst);
    if (rij >= 0 && SpatiesWeg(lijst.lijstModel().Rij(rij).naam) != QLatin1String(".."))
        map += lijst.lijstModel().Rij(rij).naam;
    ShellOpenen(map);
}

} // namespace Vamox
