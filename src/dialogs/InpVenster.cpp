#include "dialogs/InpVenster.h"

#include "platform/AppInfo.h"
#include "dialogs/DialoogStijl.h"
#include "dialogs/InpRegels.h"
#include "dialogs/MsgRegels.h"
#include "dialogs/Twips.h"
#include "platform/gui/Kleuren.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QValidator>
#include <QWindow>

namespace Vamox {

namespace {

constexpr int TabTekens = 8;

// Whatever way text comes in (a paste from the menu or the middle button too), only allowed
// characters do.
class ToegestaanValidator final : public QValidator
{
public:
    ToegestaanValidator(QString opgeslagen, QObject* parent)
        : QValidator(parent), m_opgeslagen(std::move(opgeslagen))
    {
    }

    State validate(QString& invoer, int&) const override
    {
        for (const QChar c : std::as_const(invoer)) {
            if (!TekenToegestaan(m_opgeslagen, c)) return Invalid;
        }
        return Acceptable;
    }

private:
    QString m_opgeslagen;
};

} // namespace

InpVenster::InpVenster(const InpOpties& opties, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Inp"));
    const QColor achtergrond = opties.Achtergrondkleur.value_or(Kleur(Kleurrol::Basis));

    m_band = new QLabel(this);
    m_band->setObjectName(QStringLiteral("lblOnder"));
    m_band->setAutoFillBackground(true);
    ZetKleur(m_band, QPalette::Window, Kleur(Kleurrol::Band));

    // Made first: first in tab order, and the focus starts in it.
    m_veld = new QLineEdit(this);
    m_veld->setObjectName(QStringLiteral("txtInvoer"));
    m_veld->setText(opties.Standaard);
    if (opties.Verborgen) m_veld->setEchoMode(QLineEdit::Password);

    m_tekst = new QPlainTextEdit(this);
    m_tekst->setObjectName(QStringLiteral("txtPrompt"));
    m_tekst->setAccessibleName(QStringLiteral("Bericht"));
    m_tekst->setReadOnly(true);
    m_tekst->setFrameShape(QFrame::NoFrame);
    m_tekst->setTabChangesFocus(true);
    m_tekst->setFocusPolicy(Qt::NoFocus);
    m_tekst->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_tekst->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tekst->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tekst->document()->setDocumentMargin(0);
    QString tekst = opties.Tekst;
    tekst.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_tekst->setPlainText(tekst);
    ZetKleur(m_tekst, QPalette::Base, achtergrond);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("knopOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    m_cancel->setObjectName(QStringLiteral("knopCancel"));
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_invoer = m_veld->text();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_icoon = new QLabel(this);
    m_icoon->setObjectName(QStringLiteral("imgActueel"));
    m_icoon->setVisible(opties.Pictogram >= 1 && opties.Pictogram <= 4);
    // Linux cannot choose the pitch; the beep still marks the warning and the failure.
    if (opties.Pictogram >= 3 && opties.Pictogram <= 4) QApplication::beep();

    m_toegestaan = new QLabel(this);
    m_toegestaan->setObjectName(QStringLiteral("LabelToegestaan"));
    m_toegestaan->hide();
    m_toegestaan->setText(ToegestaanOpslaan(opties.Toegestaan));
    if (!m_toegestaan->text().isEmpty()) {
        m_veld->setValidator(new ToegestaanValidator(m_toegestaan->text(), m_veld));
        m_veld->installEventFilter(this);
    }

    VensterOpmaken(*this, opties.Titel.value_or(AppTitel()), opties.Icoon, achtergrond);

    Indelen(opties);
    if (m_icoon->isVisible())
        m_icoon->setPixmap(
            style()->standardIcon(StockIcoon(opties.Pictogram), nullptr, this).pixmap(m_icoon->size()));
    m_veld->selectAll();
    m_veld->setFocus();
}

InpVenster::~InpVenster() = default;

void InpVenster::Indelen(const InpOpties& opties)
{
    const QWidget* actief = QApplication::activeWindow();
    QScreen* scherm = actief != nullptr ? actief->screen() : nullptr;
    if (scherm == nullptr) scherm = QGuiApplication::primaryScreen();
    const TwipsSchaal schaal = TwipsSchaal::Van(scherm);

    const QString tekst = m_tekst->toPlainText();
    const QFontMetrics fm(m_tekst->font());
    const int tab = fm.horizontalAdvance(QLatin1Char(' ')) * TabTekens;
    m_tekst->setTabStopDistance(tab);
    const QSize gemeten = fm.size(Qt::TextExpandTabs, tekst, tab);
    const int regels = static_cast<int>(tekst.count(QLatin1Char('\n'))) + 1;
    const QSize tekstMaat =
        schaal.NaarTwips(QSize(gemeten.width(), std::max(gemeten.height(), regels * fm.lineSpacing())));
    const InpIndeling indeling = BerekenInpIndeling(tekstMaat, tekst.contains(u'\t'), m_icoon->isVisible());

    m_tekst->setGeometry(schaal.NaarPixels(indeling.tekst));
    m_icoon->setGeometry(schaal.NaarPixels(indeling.icoon));
    m_ok->setGeometry(schaal.NaarPixels(indeling.knopOK));
    m_cancel->setGeometry(schaal.NaarPixels(indeling.knopCancel));
    m_veld->setGeometry(schaal.NaarPixels(indeling.invoer));
    m_band->setGeometry(schaal.NaarPixels(indeling.band));
    setFixedSize(schaal.NaarPixels(indeling.venster));

    MsgMaten maten;
    maten.scherm = schaal.NaarTwips(scherm != nullptr ? scherm->geometry() : QRect(0, 0, 800, 600));
    if (actief != nullptr) maten.actiefVenster = schaal.NaarTwips(actief->frameGeometry());
    maten.centreren = opties.Centreren;
    maten.links = opties.Links;
    maten.boven = opties.Boven;
    move(schaal.NaarPixels(VensterPositie(indeling.venster, maten)));
}

bool InpVenster::eventFilter(QObject* object, QEvent* event)
{
    if (object != m_veld || event->type() != QEvent::KeyPress) return QDialog::eventFilter(object, event);
    // With a list, control characters count as typed characters too: Ctrl with a letter types
    // its code (Ctrl+V is 22), which only Backspace's code passes. Keys that type nothing (the
    // arrows, Delete) and Enter and Escape, which answer the window, are no characters here.
    const auto* toets = static_cast<const QKeyEvent*>(event);
    const int key = toets->key();
    if ((toets->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return !TekenToegestaan(m_toegestaan->text(), QChar(key - Qt::Key_A + 1));
    const QString tekst = toets->text();
    if (tekst.isEmpty() || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
        key == Qt::Key_Delete || key == Qt::Key_Backspace)
        return false;
    for (const QChar c : tekst) {
        if (!TekenToegestaan(m_toegestaan->text(), c)) return true; // dropped, without a sound
    }
    return false;
}

} // namespace Vamox
