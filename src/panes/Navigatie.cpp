#include "panes/Navigatie.h"

#include "dialogs/Msg.h"
#include "ftp/Verbinding.h"
#include "mainwindow/FrmFtp.h"
#include "panes/LijstWeergave.h"
#include "panes/LokaalPaneel.h"
#include "panes/ServerPaneel.h"
#include "platform/Shell.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace Vamox {

void TekstkleurZetten(QWidget& besturing, const QColor& kleur)
{
    QPalette kleuren = besturing.palette();
    if (kleuren.color(QPalette::WindowText) == kleur && kleuren.color(QPalette::Text) == kleur) return;
    kleuren.setColor(QPalette::WindowText, kleur); // labels
    kleuren.setColor(QPalette::Text, kleur);       // text boxes
    besturing.setPalette(kleuren);
}

QColor Tekstkleur(const QWidget& besturing)
{
    return besturing.palette().color(qobject_cast<const QLabel*>(&besturing) != nullptr ? QPalette::WindowText
                                                                                        : QPalette::Text);
}

int GeselecteerdeRij(const LijstWeergave& lijst)
{
    const QItemSelectionModel* keuze = lijst.selectionModel();
    if (keuze == nullptr) return -1;
    int eerste = -1;
    for (const QItemSelectionRange& stuk : keuze->selection())
        if (stuk.left() == 0 && (eerste < 0 || stuk.top() < eerste)) eerste = stuk.top();
    return eerste;
}

void RijSelecteren(LijstWeergave& lijst, int rij)
{
    const QModelIndex plek = lijst.lijstModel().index(rij, 0);
    if (!plek.isValid()) return;
    lijst.selectionModel()->setCurrentIndex(plek,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lijst.scrollTo(plek);
}

namespace {

QChar Scheiding(bool server)
{
    return server ? QChar(u'/') : QDir::separator();
}

} // namespace

Navigatie::Navigatie(FrmFtp& venster) : m_venster(venster)
{
    // Both buttons act on release, as the left click does, and the right one has a meaning too.
    venster.ui().knopMapHoger->installEventFilter(this);
}

bool Navigatie::eventFilter(QObject* object, QEvent* event)
{
    QToolButton* knop = m_venster.ui().knopMapHoger;
    if (object == knop && event->type() == QEvent::MouseButtonRelease) {
        const auto* muis = static_cast<QMouseEvent*>(event);
        if (knop->isEnabled() && knop->rect().contains(muis->position().toPoint()))
            knopMapHoger_MouseUp(muis->button());
    }
    return false;
}

void Navigatie::MapOpenen(LijstWeergave& lijst)
{
    VensterUi& ui = m_venster.ui();
    Toestand& t = m_venster.toestand();
    const LijstModel& model = lijst.lijstModel();
    if (model.Aantal() == 0) return;
    const int rij = GeselecteerdeRij(lijst);
    if (rij < 0) return;

    const bool server = &lijst == ui.LijstFtp;
    const QChar sep = Scheiding(server);
    QString basis = server ? t.sessie.HuidigeServermap : t.HuidigeLokalemap;
    if (!basis.endsWith(sep)) basis += sep;
    const ListRow& gekozen = model.Rij(rij);
    QString doel = basis + gekozen.naam;

    if (!gekozen.icoonSleutel.contains(QLatin1String("map"))) {
        if (!ShellOpenen(doel))
            Melding(QStringLiteral("Kan bestand\r\n ") + doel + QStringLiteral("\r\nniet openen."), 4);
        return;
    }
    // Only the parent entry goes up: a folder whose own name ends in ".." is opened like any other.
    if (SpatiesWeg(gekozen.naam) == QLatin1String("..")) {
        QString kern = basis;
        while (kern.endsWith(sep))
            kern.chop(1);
        doel = kern.left(kern.lastIndexOf(sep) + 1);
        if (doel.isEmpty()) doel = sep;
    } else {
        doel += sep;
    }

    if (server) {
        ui.MapFtp->setText(doel);
        m_venster.serverPaneel().LijstVullenFtp(doel, QStringLiteral("11"), false);
    } else {
        ui.MapLokaal->setText(doel);
        m_venster.lokaalPaneel().LijstVullenLokaal(doel, QStringLiteral("11"), false);
    }
    // Instead of a space keystroke to the focused folder list: its first row is selected.
    auto* gefocust = qobject_cast<LijstWeergave*>(m_venster.focusWidget());
    if (gefocust == (server ? ui.LijstFtp : ui.LijstLokaal) && gefocust->lijstModel().Aantal() > 0)
        RijSelecteren(*gefocust, 0);
}

void Navigatie::MapHoger()
{
    VensterUi& ui = m_venster.ui();
    Toestand& t = m_venster.toestand();
    const bool lokaal = LokaalActief();
    const QChar sep = Scheiding(!lokaal);
    QString basis = lokaal ? t.HuidigeLokalemap : t.sessie.HuidigeServermap;
    while (basis.endsWith(sep))
        basis.chop(1);
    basis += sep;

    const QStringList delen = basis.split(sep);
    const QString verlaten = delen.size() >= 2 ? delen.at(delen.size() - 2) : QString();
    QString ouder;
    for (qsizetype i = 0; i + 2 < delen.size(); ++i)
        ouder += delen.at(i) + sep;
    if (ouder.isEmpty()) return;

    LijstWeergave& mappen = lokaal ? *ui.LijstLokaal : *ui.LijstFtp;
    if (lokaal) {
        m_venster.lokaalPaneel().LijstVullenLokaal(ouder, QStringLiteral("11"), false);
        ui.MapLokaal->setText(ouder);
    } else {
        m_venster.serverPaneel().LijstVullenFtp(ouder, QStringLiteral("11"), false);
        ui.MapFtp->setText(ouder);
    }
    const std::vector<ListRow>& rijen = mappen.lijstModel().Rijen();
    for (std::size_t i = 0; i < rijen.size(); ++i) {
        if (rijen[i].naam == verlaten) {
            RijSelecteren(mappen, static_cast<int>(i));
            break;
        }
    }
    mappen.setFocus();
}

bool Navigatie::LokaalActief() const
{
    // The control is the child of the central widget that holds the focus (the text box inside a
    // combo box has no name of its own).
    const QWidget* w = m_venster.focusWidget();
    while (w != nullptr && w->parentWidget() != nullptr && w->parentWidget() != m_venster.ui().centraal)
        w = w->parentWidget();
    return w != nullptr && w->objectName().contains(QLatin1String("lokaal"), Qt::CaseInsensitive);
}

void Navigatie::PlusLokaalFtpBijwerken(bool lokaal)
{
    VensterUi& ui = m_venster.ui();
    if (!lokaal && !m_venster.toestand().sessie.Verbonden) return;
    LijstWeergave& lijst = lokaal ? *ui.LijstLokaal : *ui.LijstFtp;
    const int rij = GeselecteerdeRij(lijst);
    if (lokaal)
        m_venster.lokaalPaneel().LijstVullenLokaal(std::nullopt, QStringLiteral("11"), false);
    else
        m_venster.serverPaneel().LijstVullenFtp(std::nullopt, QStringLiteral("11"), false);
    if (rij >= 0) RijSelecteren(lijst, rij);
}

void Navigatie::knopMapHoger_MouseUp(Qt::MouseButton knop)
{
    if (knop == Qt::LeftButton) {
        MapHoger();
    } else if (knop == Qt::RightButton && LokaalActief()) {
        LokaalPaneel& paneel = m_venster.lokaalPaneel();
        QString root = paneel.SchijfRoot();
        if (root.isEmpty()) return;
        QString geenServer;
        MappenBijwerken(root, geenServer);
        m_venster.ui().MapLokaal->setText(root);
        m_venster.toestand().HuidigeLokalemap = root;
        paneel.LijstVullenLokaal(std::nullopt, QStringLiteral("11"), false);
    }
}

} // namespace Vamox
