#include "transfer/gui/Voortgangsweergave.h"

#include "config/AppInfo.h"
#include "platform/gui/Zandloper.h"
#include "transfer/Wachtrij.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>

namespace Vamox {

namespace {
constexpr int BalkSchaal = 1000; // the bar counts per mille: byte totals do not fit an int
}

Voortgangsweergave::Voortgangsweergave(QWidget& venster, QStatusBar& balk, const Wachtrij& wachtrij)
    : m_venster(venster), m_wachtrij(wachtrij), m_regel(new QLabel), m_balk(new QProgressBar)
{
    m_regel->setObjectName(QStringLiteral("VoortgangRegel"));
    m_regel->setTextFormat(Qt::PlainText);
    // A long file name must not widen the window: the line is cut off instead.
    m_regel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_balk->setObjectName(QStringLiteral("VoortgangBalk"));
    m_balk->setRange(0, BalkSchaal);
    m_balk->setTextVisible(false);
    m_balk->setMaximumWidth(240);

    // The window keeps its status bar at one height; only its content comes and goes.
    balk.addWidget(m_regel, 1);
    balk.addPermanentWidget(m_balk);
    m_balk->setMaximumHeight(balk.height() - 4);
    m_regel->hide();
    m_balk->hide();

    m_timer.setInterval(VerversMs);
    connect(&m_timer, &QTimer::timeout, this, &Voortgangsweergave::Verversen);
    connect(&wachtrij, &Wachtrij::bezigGewijzigd, this, &Voortgangsweergave::BezigGewijzigd);
}

Voortgangsweergave::~Voortgangsweergave() = default;

void Voortgangsweergave::BezigGewijzigd(bool bezig)
{
    m_actief = bezig;
    if (bezig) {
        if (!m_wachtrij.Achtergrond()) Zandloper(true);
        Verversen();
        m_regel->show();
        m_balk->show();
        m_timer.start();
    } else {
        m_timer.stop();
        m_regel->hide();
        m_balk->hide();
        m_venster.setWindowTitle(AppTitel());
        Zandloper(false);
    }
}

void Voortgangsweergave::Verversen()
{
    const QString bijschrift = m_wachtrij.Bijschrift();
    if (!bijschrift.isEmpty() && m_venster.windowTitle() != bijschrift) m_venster.setWindowTitle(bijschrift);
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
