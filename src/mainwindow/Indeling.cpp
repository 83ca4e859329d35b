#include "mainwindow/Indeling.h"

#include "dialogs/Msg.h"
#include "dialogs/Twips.h"
#include "mainwindow/FrmFtp.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace Vamox {

namespace {

int Rond(double twips)
{
    return static_cast<int>(std::lround(twips));
}

// Room left free at the bottom of the screen (the task bar).
constexpr int OnderMarge = 400;

} // namespace

Indeling::Indeling(FrmFtp& venster) : m_venster(venster)
{
    const TwipsSchaal schaal = TwipsSchaal::Van(&venster);
    venster.setMinimumSize(schaal.NaarPixels(QSize(MinimumBreedte, MinimumHoogte)));
    venster.ui().centraal->installEventFilter(this);
}

void Indeling::Plaatsen(QWidget* besturing, const TwipsRechthoek& plek)
{
    m_plaatsen.insert(besturing, plek);
    Toepassen(besturing, plek);
}

TwipsRechthoek Indeling::Geometrie(const QWidget* besturing) const
{
    const auto gevonden = m_plaatsen.constFind(besturing);
    if (gevonden != m_plaatsen.constEnd()) return *gevonden;
    const QRect twips = TwipsSchaal::Van(besturing).NaarTwips(besturing->geometry());
    return {double(twips.x()), double(twips.y()), double(twips.width()), double(twips.height())};
}

void Indeling::Toepassen(QWidget* besturing, const TwipsRechthoek& plek)
{
    // Edges are rounded rather than sizes, so neighbours stay neighbours. A size that went
    // below zero is kept as it is (later growth restores it) but shown as zero.
    const int links = Rond(plek.links);
    const int boven = Rond(plek.boven);
    const int rechts = std::max(links, Rond(plek.links + plek.breedte));
    const int onder = std::max(boven, Rond(plek.boven + plek.hoogte));
    besturing->setGeometry(
        TwipsSchaal::Van(besturing).NaarPixels(QRect(links, boven, rechts - links, onder - boven)));
}

void Indeling::VerplaatsenVerbreden(QWidget* besturing, double verschil, QStringView code)
{
    if (besturing == nullptr) return;
    TwipsRechthoek plek = Geometrie(besturing);
    if (code.startsWith(u'1')) plek.links += verschil;
    if (code.endsWith(u'1')) plek.breedte += verschil;
    Plaatsen(besturing, plek);
}

void Indeling::VerplaatsenVerhogen(QWidget* besturing, double verschil, QStringView code)
{
    if (besturing == nullptr) return;
    TwipsRechthoek plek = Geometrie(besturing);
    if (code.startsWith(u'1')) plek.boven += verschil;
    if (code.endsWith(u'1')) plek.hoogte += verschil;
    Plaatsen(besturing, plek);
}

bool Indeling::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::Resize && object == m_venster.ui().centraal) VensterGewijzigd();
    return QObject::eventFilter(object, event);
}

void Indeling::VensterGewijzigd()
{
    Toestand& toestand = m_venster.toestand();
    if (toestand.Laden || m_venster.isMinimized()) return;
    const VensterUi& ui = m_venster.ui();
    const TwipsSchaal schaal = TwipsSchaal::Van(&m_venster);

    // Spring back when the window was made smaller than its minimum; the size change this
    // causes comes back here and is measured like any other.
    const QSize minimum = schaal.NaarPixels(QSize(MinimumBreedte, MinimumHoogte));
    const QSize nu = m_venster.size();
    if (nu.width() < minimum.width() || nu.height() < minimum.height())
        m_venster.resize(nu.expandedTo(minimum));

    // Both changes are measured on the client area below the menu bar, where the controls are.
    const QSize client = schaal.NaarTwips(ui.centraal->size());
    const double dx = client.width() - toestand.Vensterbreedte;
    toestand.Vensterbreedte = client.width();
    const double dy = client.height() - toestand.Vensterhoogte;
    toestand.Vensterhoogte = client.height();

    const auto hoogte = [this](std::initializer_list<QWidget*> besturingen, QStringView code,
                               double verschil) {
        for (QWidget* besturing : besturingen)
            VerplaatsenVerhogen(besturing, verschil, code);
    };
    const auto breedte = [this](std::initializer_list<QWidget*> besturingen, QStringView code,
                                double verschil) {
        for (QWidget* besturing : besturingen)
            VerplaatsenVerbreden(besturing, verschil, code);
    };

    // Vertical: the file buttons follow the file lists down, the bottom row follows the edge.
    hoogte({ui.knopVerwijderenBestand, ui.knopKopierenBestand, ui.knopKopierenNaarKlembord, ui.knopOpenen,
            ui.knopUploadBestandKiezen, ui.knopBUploaden, ui.knopBDownloaden},
           u"10", dy / 2);
    hoogte({ui.LijstFtp}, u"01", dy / 2);
    hoogte({ui.LijstBFtp}, u"11", dy / 2);
    hoogte({ui.knopPatroonFtp, ui.cboPatroonFtp}, u"10", dy);
    hoogte({ui.LabelKnoppenbalk}, u"01", dy);
    hoogte({ui.LijstLokaal}, u"01", dy / 2);
    hoogte({ui.LijstBLokaal}, u"11", dy / 2);
    hoogte({ui.knopPatroonLokaal, ui.cboPatroonLokaal, ui.knopZoekenLokaal, ui.VakZoekenLokaal,
            ui.knopZoekenFtp, ui.VakZoekenFtp},
           u"10", dy);

    // Horizontal: the toolbar and the server side move right by half, the sides grow by half.
    breedte({ui.knopServergegevens, ui.KnopVerbreken, ui.knopMapHoger, ui.knopVerwijderenMap, ui.knopMapNieuw,
             ui.knopUploaden, ui.knopDownloaden, ui.knopVerwijderenBestand, ui.knopKopierenBestand,
             ui.knopKopierenNaarKlembord, ui.knopOpenen, ui.knopUploadBestandKiezen, ui.knopBUploaden,
             ui.knopBDownloaden},
            u"10", dx / 2);
    breedte({ui.LabelFtp, ui.cboVerbindingenFtp, ui.MapFtp, ui.LijstFtp, ui.LijstBFtp, ui.cboPatroonFtp},
            u"11", dx / 2);
    LijstKoppenInstellen(*ui.LijstFtp, true);
    LijstBKoppenInstellen(*ui.LijstBFtp, true);
    breedte({ui.knopPatroonFtp}, u"10", dx / 2);
    breedte({ui.LabelKnoppenbalk}, u"01", dx);
    breedte({ui.LabelLokaal, ui.SchijfLokaal, ui.MapLokaal, ui.LijstLokaal, ui.LijstBLokaal}, u"01", dx / 2);
    breedte({ui.cboPatroonLokaal}, u"01", dx / 4);
    breedte({ui.VakZoekenLokaal}, u"11", dx / 4);
    breedte({ui.knopZoekenLokaal}, u"10", dx / 4);

    // The server's bottom row mirrors the local one.
    TwipsRechthoek patroonFtp = Geometrie(ui.cboPatroonFtp);
    patroonFtp.breedte = Geometrie(ui.cboPatroonLokaal).breedte;
    Plaatsen(ui.cboPatroonFtp, patroonFtp);
    TwipsRechthoek zoekknopFtp = Geometrie(ui.knopZoekenFtp);
    zoekknopFtp.links = patroonFtp.links + patroonFtp.breedte + 280;
    Plaatsen(ui.knopZoekenFtp, zoekknopFtp);

    LijstKoppenInstellen(*ui.LijstLokaal, true);
    LijstBKoppenInstellen(*ui.LijstBLokaal, true);

    // The server's search box ends where the server file list ends.
    const TwipsRechthoek bestandenFtp = Geometrie(ui.LijstBFtp);
    TwipsRechthoek zoekvakFtp = Geometrie(ui.VakZoekenFtp);
    zoekvakFtp.breedte = Geometrie(ui.VakZoekenLokaal).breedte;
    zoekvakFtp.links = bestandenFtp.links + bestandenFtp.breedte - zoekvakFtp.breedte;
    Plaatsen(ui.VakZoekenFtp, zoekvakFtp);
}

void Indeling::FormulierTonen()
{
    const QScreen* scherm = m_venster.screen();
    if (scherm == nullptr) return;
    const QRect rand = scherm->geometry();
    const int onderMarge = TwipsSchaal::Van(scherm).NaarPixelsY(OnderMarge);
    const QRect buiten = m_venster.frameGeometry();
    int links = buiten.x();
    int boven = buiten.y();
    if (links < rand.left()) links = rand.left();
    if (links + buiten.width() > rand.left() + rand.width())
        links = rand.left() + rand.width() - buiten.width();
    if (boven < rand.top()) boven = rand.top();
    if (boven + buiten.height() > rand.top() + rand.height() - onderMarge)
        boven = rand.top() + rand.height() - onderMarge - buiten.height();
    // A window taller than the screen would otherwise lose its title bar above the screen.
    if (boven < rand.top()) boven = rand.top();
    m_venster.move(links, boven);
}

void Indeling::Centreren()
{
    const QScreen* scherm = m_venster.screen();
    if (scherm == nullptr) return;
    const QRect rand = scherm->geometry();
    const QSize buiten = m_venster.frameGeometry().size();
    m_venster.move(rand.left() + (rand.width() - buiten.width()) / 2,
                   rand.top() + (rand.height() - buiten.height()) / 2);
}

void Indeling::Standaardformaat()
{
    const Toestand& toestand = m_venster.toestand();
    // Nothing stored yet: the size would be nothing, which the window then keeps.
    if (toestand.Standaardbreedte <= 0 || toestand.Standaardhoogte <= 0) return;
    m_venster.resize(
        TwipsSchaal::Van(&m_venster).NaarPixels(QSize(toestand.Standaardbreedte, toestand.Standaardhoogte)));
    Centreren();
}

void Indeling::mnuStandaardformaat_Click()
{
    if (m_venster.isMaximized()) {
        Melding(QStringLiteral("Deze optie is niet beschikbaar in een gemaximaliseerd venster."), 1);
        return;
    }
    const QSize twips = TwipsSchaal::Van(&m_venster).NaarTwips(m_venster.size());
    Toestand& toestand = m_venster.toestand();
    toestand.Standaardbreedte = twips.width();
    toestand.Standaardhoogte = twips.height();
    Centreren();
}

} // namespace Vamox
