#include "transfer/gui/Voortgangsweergave.h"

#include "ftp/FtpSession.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace Vamox {

namespace {
constexpr int BalkSchaal = 1000; // the bar counts per mille: byte totals do not fit an int
}

Voortgangsweergave::Voortgangsweergave(QStatusBar& balk, FtpSession& sessie)
    : m_statusbalk(balk), m_regel(new QLabel), m_balk(new QProgressBar)
{
    m_regel->setObjectName(QStringLiteral("VoortgangRegel"));
    m_regel->setTextFormat(Qt::PlainText);
    // A long file name must not widen the window: the line is cut off instead.
    m_regel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_balk->setObjectName(QStringLiteral("VoortgangBalk"));
    m_balk->setRange(0, BalkSchaal);
    m_balk->setTextVisible(false);
    m_balk->setMaximumWidth(240);

    // The status bar is there only while a run goes on; its line and bar come and go with it.
    balk.addWidget(m_regel, 1);
    balk.addPermanentWidget(m_balk);
    balk.hide();

    m_timer.setInterval(VerversMs);
    connect(&m_timer, &QTimer::timeout, this, &Voortgangsweergave::Verversen);
    connect(&sessie, &FtpSession::voortgang, this, &Voortgangsweergave::SessieVoortgang);
}

Voortgangsweergave::~Voortgangsweergave() = default;

void Voortgangsweergave::Begin(qint64 bestanden, qint64 bytes)
{
    m_voortgang.begin(bestanden, bytes);
    m_inBestand = false;
    m_actief = true;
    Verversen();
    BalkTonen(true);
    m_timer.start();
}

void Voortgangsweergave::BestandBegint(const QString& naam, qint64 grootte)
{
    m_naam = naam;
    m_verschuiving = 0;
    m_grootteBekend = grootte >= 0;
    m_inBestand = true;
    m_voortgang.bestandBegint(naam, grootte);
}

void Voortgangsweergave::TweedeDeel(qint64 gedaan)
{
    if (!m_inBestand) return;
    m_verschuiving = gedaan;
    m_voortgang.bestandVoortgang(gedaan);
}

void Voortgangsweergave::BestandKlaar()
{
    if (!m_inBestand) return;
    m_inBestand = false;
    m_voortgang.bestandKlaar();
}

void Voortgangsweergave::Einde()
{
    m_timer.stop();
    m_actief = false;
    m_inBestand = false;
    BalkTonen(false);
}

void Voortgangsweergave::BalkTonen(bool tonen)
{
    if (m_statusbalk.isHidden() != tonen) return;
    QWidget* venster = m_statusbalk.window();
    const bool eigenMaat = !(venster->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    // A window of its own size grows by the bar and gives that back, so the controls above it
    // stay where they are; a maximised one cannot, and its controls make room.
    const int groei = !tonen ? -std::exchange(m_groei, 0) : eigenMaat ? m_statusbalk.sizeHint().height() : 0;
    if (tonen) m_groei = groei;
    m_statusbalk.setVisible(tonen);
    if (eigenMaat && groei != 0) venster->resize(venster->width(), venster->height() + groei);
}

void Voortgangsweergave::SessieVoortgang(qint64 gedaan, qint64 totaal)
{
    // Listings and probes between files report too; only the running file's bytes count.
    if (!m_inBestand) return;
    if (!m_grootteBekend && totaal > 0) {
        m_grootteBekend = true;
        m_voortgang.bestandBegint(m_naam, totaal + m_verschuiving);
    }
    m_voortgang.bestandVoortgang(m_verschuiving + gedaan);
}

void Voortgangsweergave::Verversen()
{
    const VoortgangStand stand = m_voortgang.stand();
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
