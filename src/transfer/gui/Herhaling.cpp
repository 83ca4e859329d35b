#include "transfer/gui/Herhaling.h"

#include "panes/gui/Selectie.h"

#include "dialogs/Bestandskeuze.h"
#include "dialogs/Msg.h"
#include "dialogs/Tooltip.h"
#include "ftp/FtpPaden.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/gui/Bestandsoverdracht.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QToolButton>

namespace Vamox {

Herhaling::Herhaling(LokaalPaneel& lokaal, ServerPaneel& server, Bestandsoverdracht& overdracht,
                     const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_overdracht(overdracht), m_b(besturing)
{
    m_b.mnuBestandFtpOpnieuwDownloaden->setEnabled(true);
    m_b.knopUploadBestandKiezen->setEnabled(true);
    m_b.mnuBestandUploadbestandSelecteren->setEnabled(true);
    m_b.mnuUploadbestand->setEnabled(true);
    connect(m_b.mnuBestandFtpOpnieuwDownloaden, &QAction::triggered, this,
            &Herhaling::LaatsteBestandenOpnieuwDownloaden);
    connect(m_b.mnuBestandLokaalOpnieuwUploaden, &QAction::triggered, this,
            &Herhaling::LaatsteBestandenOpnieuwUploaden);
    connect(m_b.mnuBestandUploadbestandUploaden, &QAction::triggered, this,
            [this] { knopUploadBestandKiezen_MouseUp(Qt::LeftButton); });
    connect(m_b.mnuBestandUploadbestandSelecteren, &QAction::triggered, this,
            [this] { knopUploadBestandKiezen_MouseUp(Qt::RightButton); });
    connect(m_b.mnuUploadbestand, &QAction::triggered, this,
            [this] { knopUploadBestandKiezen_MouseUp(Qt::RightButton); });
    m_b.knopUploadBestandKiezen->installEventFilter(this);
    if (auto* menu = qobject_cast<QMenu*>(m_b.mnuBestandUploadbestandUploaden->parent()))
        connect(menu, &QMenu::aboutToShow, this, &Herhaling::knopUploadBestandKiezenTipText);
    knopUploadBestandKiezenTipText();
}

Herhaling::~Herhaling() = default;

bool Herhaling::eventFilter(QObject* object, QEvent* event)
{
    if (object != m_b.knopUploadBestandKiezen) return false;
    // The configuration may have brought another upload file since the tip was made.
    if (event->type() == QEvent::Enter) knopUploadBestandKiezenTipText();
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* muis = static_cast<QMouseEvent*>(event);
    QToolButton* knop = m_b.knopUploadBestandKiezen;
    if (!knop->isEnabled() || !knop->rect().contains(muis->position().toPoint())) return false;
    knop->setDown(false);
    knopUploadBestandKiezen_MouseUp(muis->button());
    return false;
}

bool Herhaling::Terugzetten(const QStringList& laatste, const QString& soort)
{
    if (laatste.size() < 2) {
        Melding(QStringLiteral("Geen laatste ") + soort + QStringLiteral("bestanden gevonden."), 1);
        return false;
    }
    const QStringList context = laatste.at(0).split(Scheidingsteken);
    const QString lokaleMap = context.value(0);
    const QString naam = context.value(1);
    const QString serverMap = context.value(2);
    const QString huidig = m_b.cboVerbindingenFtp->currentText();
    if (huidig != naam) {
        Melding(QStringLiteral("De laatste Ftp server '") + naam +
                    QStringLiteral("'  komt niet overeen met de huidige '") + huidig + u'.',
                1);
        return false;
    }
    m_lokaal.SchijfKiezenVoor(lokaleMap);
    m_lokaal.ui().map->setText(lokaleMap);
    m_lokaal.ui().patroon->setEditText(QString());
    m_server.ui().patroon->setEditText(QString());
    m_lokaal.MapLokaal_Enter();
    m_server.ui().map->setText(serverMap);
    m_server.LijstVullenFtp(serverMap, Soort::Beide, false);
    return true;
}

void Herhaling::LaatsteBestandenOpnieuwDownloaden()
{
    // A copy: the download records a new list.
    const QStringList laatste = *m_b.laatsteDownloads;
    if (!Terugzetten(laatste, QStringLiteral("download"))) return;
    NamenExactSelecteren(*m_server.ui().bestanden, laatste.mid(1));
    m_server.ui().mappen->setFocus();
    m_overdracht.knopBDownloaden_MouseUp(Qt::LeftButton);
}

void Herhaling::LaatsteBestandenOpnieuwUploaden()
{
    const QStringList laatste = *m_b.laatsteUploads;
    if (!Terugzetten(laatste, QStringLiteral("upload"))) return;
    NamenExactSelecteren(*m_lokaal.ui().bestanden, laatste.mid(1));
    QStringList paden{QString()};
    for (qsizetype i = 1; i < laatste.size(); ++i)
        paden.push_back(LokaalDoelPad(m_lokaal.HuidigeLokalemap(), laatste.at(i)));
    m_overdracht.Uploaden(paden);
}

void Herhaling::knopUploadBestandKiezen_MouseUp(Qt::MouseButton knop)
{
    if (knop == Qt::RightButton || m_b.uploadbestand->isEmpty()) {
        UploadbestandKiezen();
        return;
    }
    if (!m_server.Verbonden()) {
        m_server.VerbindingMisluktMelding();
        return;
    }
    m_overdracht.Uploaden({QString(), *m_b.uploadbestand});
}

void Herhaling::UploadbestandKiezen()
{
    const QString huidig = *m_b.uploadbestand;
    Bestandskeuze keuze;
    keuze.titel = QStringLiteral("Selecteer een uploadbestand") +
                  (huidig.isEmpty() ? QString() : QStringLiteral(" (huidig: ") + EigenNaam(huidig) + u')') +
                  QStringLiteral(" om herhaaldelijk te kunnen uploaden:");
    keuze.map = QFileInfo(huidig).isFile() ? QFileInfo(huidig).absolutePath() : m_lokaal.HuidigeLokalemap();
    keuze.filter = QStringLiteral("Alle bestanden_(*.*)");
    const QStringList gekozen = BestandKiezen(keuze, m_b.venster);
    if (gekozen.isEmpty()) return;
    *m_b.uploadbestand = gekozen.first();
    knopUploadBestandKiezenTipText();
}

void Herhaling::knopUploadBestandKiezen_OLEDragDrop(const QStringList& paden)
{
    if (paden.isEmpty()) return;
    *m_b.uploadbestand = paden.first();
    knopUploadBestandKiezenTipText();
    M({.Tekst = QStringLiteral("Uploadbestand:\r\n ") + paden.first() + u'.',
       .Pictogram = 1,
       .Knoppen = QString(),
       .Codes = QStringLiteral("1+2"),
       .SluitenNa = 1500});
}

void Herhaling::knopUploadBestandKiezenTipText()
{
    const QString naam = EigenNaam(*m_b.uploadbestand);
    QAction* uploaden = m_b.mnuBestandUploadbestandUploaden;
    uploaden->setEnabled(!naam.isEmpty());
    uploaden->setText(naam.isEmpty() ? QStringLiteral("Uploaden") : QStringLiteral("Uploaden ") + naam);
    TipTonen(*m_b.knopUploadBestandKiezen,
             QStringLiteral("Uploadbestand uploaden") + (naam.isEmpty() ? QString() : u' ' + naam) +
                 QStringLiteral(" (een bestand om herhaaldelijk te kunnen uploaden)\r\nRechtsklikken: "
                                "uploadbestand selecteren\r\n (Of sleep uploadbestand in knop)"));
}

} // namespace Vamox
