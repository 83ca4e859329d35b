#include "dialogs/MsgVenster.h"

#include "platform/AppInfo.h"
#include "dialogs/DialoogStijl.h"
#include "dialogs/Twips.h"
#include "platform/gui/Kleuren.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace Vamox {

namespace {

constexpr int AutoKnopMarge = 150;
constexpr int TabTekens = 8;

// Line breaks arrive as "\r\n"; a text edit would turn the "\r" into an extra empty line.
QString Regeleinden(QString tekst)
{
    tekst.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return tekst;
}

} // namespace

MsgVenster::MsgVenster(const MOpties& opties, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Msg"));
    Opbouwen(opties);
    Indelen(opties);
}

MsgVenster::~MsgVenster() = default;

void MsgVenster::Opbouwen(const MOpties& opties)
{
    const QColor achtergrond = opties.Achtergrondkleur.value_or(Kleur(Kleurrol::Basis));
    const bool kritiek = opties.Pictogram == 4;

    // Created first, so it stays behind the buttons.
    m_band = new QLabel(this);
    m_band->setObjectName(QStringLiteral("lblOnder"));
    m_band->setAutoFillBackground(true);
    ZetKleur(m_band, QPalette::Window, Kleur(kritiek ? Kleurrol::Kritiek : Kleurrol::Band));

    m_tekst = new QPlainTextEdit(this);
    m_tekst->setObjectName(QStringLiteral("txtPrompt"));
    m_tekst->setAccessibleName(QStringLiteral("Bericht"));
    m_tekst->setReadOnly(true);
    m_tekst->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_tekst->setFrameShape(QFrame::NoFrame);
    m_tekst->setTabChangesFocus(true);
    // Sized to fit every line; wrapping could only add a scroll bar that narrows it further.
    m_tekst->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_tekst->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tekst->document()->setDocumentMargin(0);
    m_tekst->setPlainText(Regeleinden(opties.Tekst));
    ZetKleur(m_tekst, QPalette::Base, achtergrond);
    setFont(m_tekst->font());

    m_icoon = new QLabel(this);
    m_icoon->setObjectName(QStringLiteral("imgActueel"));
    m_icoon->hide();

    static const std::array<const char*, 4> namen{"knopOK", "knopCancel", "knopExtra1", "knopExtra2"};
    const QStringList teksten = MsgKnopTeksten(opties.Knoppen);
    m_aantalKnoppen = static_cast<int>(teksten.size());
    m_codes = LeesMsgCodes(opties.Codes);
    for (size_t k = 0; k < m_knoppen.size(); ++k) {
        auto* knop = new QPushButton(this);
        const QString naam = QLatin1String(namen[k]);
        knop->setObjectName(naam);
        const int nummer = static_cast<int>(k) + 1;
        // A hidden button keeps its design caption, which has no hot key.
        knop->setText(nummer <= m_aantalKnoppen ? teksten.at(nummer - 1) : naam);
        knop->setVisible(nummer <= m_aantalKnoppen);
        knop->setDefault(nummer == m_codes.standaard);
        if (kritiek) ZetKleur(knop, QPalette::Button, Kleur(Kleurrol::Kritiek));
        connect(knop, &QPushButton::clicked, this, [this, nummer] { done(nummer); });
        knop->installEventFilter(this);
        m_knoppen[k] = knop;
    }

    VensterOpmaken(*this, opties.Titel.value_or(AppTitel()), opties.Icoon, achtergrond);

    if (opties.Pictogram >= 1 && opties.Pictogram <= 4) {
        m_icoon->setProperty("pictogram", opties.Pictogram);
        m_icoon->show();
        // Linux cannot choose the pitch; the beep still marks the warning and the failure.
        if (opties.Pictogram >= 3) QApplication::beep();
    }

    m_sluiten = new QTimer(this);
    m_sluiten->setSingleShot(true);
    if (opties.SluitenNa > 0) m_sluiten->setInterval(opties.SluitenNa);
    connect(m_sluiten, &QTimer::timeout, this, [this] { done(m_codes.standaard); });

    installEventFilter(this);
    m_tekst->installEventFilter(this);
}

void MsgVenster::Indelen(const MOpties& opties)
{
    const QWidget* actief = QApplication::activeWindow();
    QScreen* scherm = actief != nullptr ? actief->screen() : nullptr;
    if (scherm == nullptr) scherm = QGuiApplication::primaryScreen();
    const TwipsSchaal schaal = TwipsSchaal::Van(scherm);

    MsgMaten maten;
    const QString tekst = m_tekst->toPlainText();
    const QFontMetrics fm(m_tekst->font());
    const int tab = fm.horizontalAdvance(QLatin1Char(' ')) * TabTekens;
    m_tekst->setTabStopDistance(tab);
    const QSize gemeten = fm.size(Qt::TextExpandTabs, tekst, tab);
    const int regels = static_cast<int>(tekst.count(QLatin1Char('\n'))) + 1;
    maten.tekst =
        schaal.NaarTwips(QSize(gemeten.width(), std::max(gemeten.height(), regels * fm.lineSpacing())));
    maten.tekstMetTab = tekst.contains(QLatin1Char('\t'));
    maten.metIcoon = !m_icoon->isHidden();
    maten.aantalKnoppen = m_aantalKnoppen;
    for (size_t k = 0; k < m_knoppen.size(); ++k) {
        // A fixed width is the least a button gets: its caption must fit in the current font.
        const int nodig =
            schaal.NaarTwipsX(fm.horizontalAdvance(MsgZichtbareTekst(m_knoppen[k]->text()))) + AutoKnopMarge;
        maten.knopBreedte[k] = opties.AutoBreedte ? nodig : std::max(opties.Knopbreedte, nodig);
    }
    // The rules size the outer window. Our frame is known once the native window exists on some
    // platforms, only after mapping on others: then the active window's frame is the best guess.
    create();
    QSize rand;
    if (const QWindow* venster = windowHandle()) {
        const QMargins marges = venster->frameMargins();
        rand = QSize(marges.left() + marges.right(), marges.top() + marges.bottom());
    }
    if (actief != nullptr) {
        if (rand.isNull()) rand = actief->frameGeometry().size() - actief->geometry().size();
        maten.actiefVenster = schaal.NaarTwips(actief->frameGeometry());
    }
    maten.rand = schaal.NaarTwips(rand);
    maten.scherm = schaal.NaarTwips(scherm != nullptr ? scherm->geometry() : QRect(0, 0, 800, 600));
    maten.centreren = opties.Centreren;
    maten.links = opties.Links;
    maten.boven = opties.Boven;

    const MsgIndeling indeling = BerekenMsgIndeling(maten);
    m_tekst->setGeometry(schaal.NaarPixels(indeling.tekst));
    m_icoon->setGeometry(schaal.NaarPixels(indeling.icoon));
    if (!m_icoon->isHidden()) {
        const int pictogram = m_icoon->property("pictogram").toInt();
        m_icoon->setPixmap(
            style()->standardIcon(StockIcoon(pictogram), nullptr, this).pixmap(m_icoon->size()));
    }
    m_band->setGeometry(schaal.NaarPixels(indeling.band));
    for (size_t k = 0; k < m_knoppen.size(); ++k)
        m_knoppen[k]->setGeometry(schaal.NaarPixels(indeling.knoppen[k]));

    const QSize binnen = schaal.NaarPixels(indeling.venster - maten.rand);
    setFixedSize(binnen);
    move(schaal.NaarPixels(indeling.positie));
}

int MsgVenster::exec()
{
    // The caller's busy pointer gives way to the arrow while the question waits, and comes back
    // afterwards: the caller is still busy.
    const bool bezig = QApplication::overrideCursor() != nullptr;
    if (bezig) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto herstel = qScopeGuard([bezig] {
        if (bezig) QApplication::restoreOverrideCursor();
    });

    QPushButton* focus =
        m_codes.standaard > 0 ? m_knoppen[static_cast<size_t>(m_codes.standaard - 1)] : nullptr;
    if (focus == nullptr || focus->isHidden()) focus = m_knoppen[0];
    if (!focus->isHidden()) focus->setFocus();
    if (m_sluiten->interval() > 0) m_sluiten->start();
    return QDialog::exec();
}

// The close box and Alt+F4 answer with the Escape button, even a hidden one.
void MsgVenster::reject()
{
    done(m_codes.escape);
}

bool MsgVenster::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isVisible() && ToetsAfhandelen(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(object, event);
}

// Hot keys answer without Alt, but only as key presses delivered to this window: a key typed
// elsewhere or held down from before the window opened (auto-repeat) chooses nothing.
bool MsgVenster::ToetsAfhandelen(const QKeyEvent& toets)
{
    if (toets.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    if (toets.key() == Qt::Key_Escape) {
        if (!toets.isAutoRepeat() && m_codes.escape > 0) done(m_codes.escape);
        return true; // without an Escape button, Escape does nothing
    }
    for (int k = 0; k < m_aantalKnoppen; ++k) {
        QPushButton* knop = m_knoppen[static_cast<size_t>(k)];
        const QChar sneltoets = MsgSneltoets(knop->text());
        if (sneltoets.isNull()) continue;
        if (toets.key() != sneltoets.unicode() && toets.text().toUpper() != QString(sneltoets)) continue;
        if (!toets.isAutoRepeat()) knop->click();
        return true;
    }
    return false;
}

} // namespace Vamox
