#include "transfer/gui/Overdrachtenvenster.h"

#include "transfer/Wachtrij.h"
#include "transfer/gui/Klussenmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace Vamox {

Overdrachtenvenster::Overdrachtenvenster(Wachtrij& wachtrij, QWidget* hoofdvenster)
    : QWidget(hoofdvenster, Qt::Tool), m_wachtrij(wachtrij), m_model(new Klussenmodel(wachtrij, this)),
      m_lijst(new QTableView(this)), m_opnieuw(new QPushButton(QStringLiteral("&Mislukte opnieuw proberen"), this)),
      m_stoppen(new QPushButton(QStringLiteral("&Stoppen"), this)),
      m_wissen(new QPushButton(QStringLiteral("Lijst &wissen"), this))
{
    setObjectName(QStringLiteral("Overdrachten"));
    setWindowTitle(QStringLiteral("Overdrachten"));
    m_lijst->setObjectName(QStringLiteral("OverdrachtenLijst"));
    m_lijst->setAccessibleName(QStringLiteral("Overdrachten"));
    m_lijst->setModel(m_model);
    m_lijst->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lijst->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lijst->verticalHeader()->hide();
    m_lijst->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_lijst->horizontalHeader()->setStretchLastSection(true);
    m_lijst->setWordWrap(false);
    const int letter = fontMetrics().averageCharWidth();
    // Wide enough for the longest text each column shows, and a name of some length.
    const QString breedste[] = {QString(30, u'n'), QStringLiteral("Downloaden"), QStringLiteral("1.000,0 MB"),
                                QStringLiteral("Voortgang"), QStringLiteral("Overgeslagen")};
    int breedte = 0;
    for (int k = 0; k < int(std::size(breedste)); ++k) {
        m_lijst->setColumnWidth(k, fontMetrics().horizontalAdvance(breedste[k]) + 3 * letter);
        breedte += m_lijst->columnWidth(k);
    }
    m_opnieuw->setObjectName(QStringLiteral("knopOpnieuw"));
    m_stoppen->setObjectName(QStringLiteral("knopStoppen"));
    m_wissen->setObjectName(QStringLiteral("knopWissen"));

    auto* knoppen = new QHBoxLayout;
    knoppen->addWidget(m_opnieuw);
    knoppen->addWidget(m_stoppen);
    knoppen->addStretch(1);
    knoppen->addWidget(m_wissen);
    auto* indeling = new QVBoxLayout(this);
    indeling->addWidget(m_lijst, 1);
    indeling->addLayout(knoppen);
    // Room for an error text of some length beside the other columns.
    resize(breedte + 40 * letter, 24 * (fontMetrics().height() + 4));

    connect(m_opnieuw, &QPushButton::clicked, this, [this] { m_wachtrij.MisluktenOpnieuw(); });
    connect(m_stoppen, &QPushButton::clicked, this, [this] { m_wachtrij.Stoppen(); });
    connect(m_wissen, &QPushButton::clicked, this, [this] { m_wachtrij.LijstWissen(); });
    // New jobs come into view as they are added, as long as the list was at its end.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { m_lijst->scrollToBottom(); });
    // The buttons look at every job: a run of many files changes them once in a while, not per file.
    m_knoppen.setSingleShot(true);
    m_knoppen.setInterval(100);
    connect(&m_knoppen, &QTimer::timeout, this, &Overdrachtenvenster::KnoppenZetten);
    const auto later = [this] {
        if (!m_knoppen.isActive()) m_knoppen.start();
    };
    connect(&wachtrij, &Wachtrij::klusGewijzigd, this, later);
    connect(&wachtrij, &Wachtrij::klussenToegevoegd, this, later);
    connect(&wachtrij, &Wachtrij::lijstVernieuwd, this, &Overdrachtenvenster::KnoppenZetten);
    connect(&wachtrij, &Wachtrij::bezigGewijzigd, this, &Overdrachtenvenster::KnoppenZetten);
    KnoppenZetten();
}

Overdrachtenvenster::~Overdrachtenvenster() = default;

void Overdrachtenvenster::KnoppenZetten()
{
    const auto& klussen = m_wachtrij.Klussen();
    const bool mislukt = std::any_of(klussen.begin(), klussen.end(),
                                     [](const Klus& k) { return k.staat == Klus::Staat::Mislukt; });
    const bool afgehandeld = std::any_of(klussen.begin(), klussen.end(), [](const Klus& k) { return k.Afgehandeld(); });
    m_opnieuw->setEnabled(mislukt);
    m_stoppen->setEnabled(m_wachtrij.Bezig());
    m_wissen->setEnabled(afgehandeld);
}

void Overdrachtenvenster::Tonen()
{
    QWidget* hoofd = parentWidget();
    if (!m_geplaatst && hoofd) {
        m_geplaatst = true;
        const QRect vak = hoofd->frameGeometry();
        move(vak.left() + (vak.width() - width()) / 2, vak.top() + vak.height() / 2);
    }
    show();
    raise();
    activateWindow();
}

void Overdrachtenvenster::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Q_EMIT zichtbaarheidGewijzigd(true);
}

void Overdrachtenvenster::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Q_EMIT zichtbaarheidGewijzigd(false);
}

} // namespace Vamox
