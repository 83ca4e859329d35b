#include "transfer/gui/Voortgangsweergave.h"

#include "platform/AppInfo.h"
#include "dialogs/Statusbalk.h"
#include "platform/gui/Invoerblokkade.h"
#include "platform/gui/Zandloper.h"
#include "transfer/Wachtrij.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>

namespace Vamox {

namespace {
constexpr int BalkSchaal = 1000; // the bar counts per mille: byte totals do not fit an int
}

Voortgangsweergave::Voortgangsweergave(QWidget& venster, QStatusBar& balk, const Wachtrij& wachtrij)
    : m_venster(venster), m_statusbalk(balk), m_wachtrij(wachtrij), m_regel(new QLabel), m_balk(new QProgressBar)
{
    m_regel->setObjectName(QStringLiteral("VoortgangRegel"));
    m_regel->setTextFormat(Qt::PlainText);
    // A long file name must not widen the window: the line is cut off instead.
    m_regel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_balk->setObjectName(QStringLiteral("VoortgangBalk"));
    m_balk->setRange(0, BalkSchaal);
    m_balk->setTextVisible(false);
    m_balk->setMaximumWidth(240);
    // The window holds its input while files move; the line stays within reach and opens the list.
    m_regel->setProperty(Invoerblokkade::Bereikbaar, true);
    m_regel->setToolTip(QStringLiteral("Klik om de overdrachten te tonen"));
    m_regel->installEventFilter(this);

    // The line and bar are there only while the queue has work.
    StatusbalkDeel(balk, *m_regel, 1, false);
    StatusbalkDeel(balk, *m_balk, 0, true);

    m_timer.setInterval(VerversMs);
    connect(&m_timer, &QTimer::timeout, this, &Voortgangsweergave::Verversen);
    connect(&wachtrij, &Wachtrij::bezigGewijzigd, this, &Voortgangsweergave::BezigGewijzigd);
}

Voortgangsweergave::~Voortgangsweergave() = default;

bool Voortgangsweergave::eventFilter(QObject* object, QEvent* event)
{
    if (object == m_regel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Q_EMIT lijstGevraagd();
    return false;
}

void Voortgangsweergave::BezigGewijzigd(bool bezig)
{
    m_actief = bezig;
    if (bezig) {
        if (!m_wachtrij.Achtergrond()) Zandloper(true);
        Verversen();
        BalkTonen(true);
        m_timer.start();
    } else {
        m_timer.stop();
        BalkTonen(false);
        // Only a caption of the queue's own goes: one a flow shows meanwhile (the search's) stays.
        if (!m_bijschrift.isEmpty() && m_venster.windowTitle() == m_bijschrift) m_venster.setWindowTitle(AppTitel());
        m_bijschrift.clear();
        Zandloper(false);
    }
}

void Voortgangsweergave::BalkTonen(bool tonen)
{
    StatusbalkDeelTonen(m_statusbalk, *m_regel, tonen);
    StatusbalkDeelTonen(m_statusbalk, *m_balk, tonen);
}

void Voortgangsweergave::Verversen()
{
    const QString bijschrift = m_wachtrij.Bijschrift();
    if (!bijschrift.isEmpty() && m_venster.windowTitle() != bijschrift) {
        m_venster.setWindowTitle(bijschrift);
        m_bijschrift = bijschrift;
    }
    const VoortgangStand stand = m_wachtrij.Stand();
    const QString tekst = VoortgangTekst(stand);
    if (m_regel->text() != tekst) m_regel->setText(tekst);
    qint64 waarde = 0;
    if (stand.bytesTotaal > 0)
        waarde = stand.bytesKlaar * BalkSchaal / stand.bytesTotaal;
    else if (stand.bestandenTotaal > 0)
        waarde = stand.bestandenKlaar * BalkSchaal / stand.bestandenTotaal;
    m_balk->setValue(static_cast<int>(std::clamp<qint64>(waarde, 0, BalkSchaal)));
}

} // namespace Vamox
