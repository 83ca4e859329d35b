#include "vergelijken/gui/Synchronisatievenster.h"

#include "panes/Opmaak.h"
#include "transfer/OverdrachtPaden.h"
#include "transfer/Wachtrij.h"
#include "vergelijken/Synchronisatiestaat.h"
#include "vergelijken/Synchronisatieuitvoering.h"
#include "vergelijken/gui/Synchronisatiemodel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace Vamox {

Synchronisatievenster::Synchronisatievenster(Wachtrij& wachtrij, Gegevens gegevens, QWidget* ouder)
    : QDialog(ouder), m_wachtrij(wachtrij), m_gegevens(std::move(gegevens)), m_model(new Synchronisatiemodel(this))
{
    setObjectName(QStringLiteral("frmSynchroniseren"));
    m_gegevens.paar.lokaal = ZonderEindscheiding(m_gegevens.paar.lokaal);
    m_gegevens.paar.server = ZonderEindscheiding(m_gegevens.paar.server);
    setWindowTitle(QStringLiteral("Synchroniseren"));
    auto* hoofd = new QVBoxLayout(this);
    auto* paarRegel = new QHBoxLayout;
    m_paar = new QLabel(this);
    paarRegel->addWidget(m_paar, 1);
    const auto paarTonen = [this] {
        m_paar->setText(QStringLiteral("Lokaal: %1\nServer: %2")
                            .arg(QDir::toNativeSeparators(m_gegevens.paar.lokaal), m_gegevens.paar.server));
    };
    paarTonen();
    const std::optional<Syncherinnering>& vorige = m_gegevens.vorige;
    if (vorige && (vorige->lokaal != m_gegevens.paar.lokaal || vorige->serverMap != m_gegevens.paar.server)) {
        auto* terug = new QPushButton(QStringLiteral("&Vorig paar: %1 en %2")
                                          .arg(QDir::toNativeSeparators(vorige->lokaal), vorige->serverMap),
                                      this);
        terug->setObjectName(QStringLiteral("knopVorigPaar"));
        paarRegel->addWidget(terug);
        connect(terug, &QPushButton::clicked, this, [this, terug, paarTonen] {
            m_gegevens.paar = {m_gegevens.vorige->lokaal, m_gegevens.vorige->serverMap};
            paarTonen();
            terug->hide();
            Vergelijken();
        });
    }
    hoofd->addLayout(paarRegel);
    auto* keuzes = new QHBoxLayout;
    m_richting = new QComboBox(this);
    m_richting->setObjectName(QStringLiteral("cboRichting"));
    m_richting->addItems({QStringLiteral("Naar de server"), QStringLiteral("Naar lokaal"), QStringLiteral("Beide kanten")});
    m_wijze = new QComboBox(this);
    m_wijze->setObjectName(QStringLiteral("cboWijze"));
    m_wijze->addItems({QStringLiteral("Nieuwere bestanden overzetten"), QStringLiteral("Spiegelen")});
    // The bytes themselves are compared by fetching the server's copy of each file of the same
    // size: none of the servers in use offers a checksum command.
    auto* op = new QLabel(QStringLiteral("Vergelijken &op:"), this);
    m_criterium = new QComboBox(this);
    m_criterium->setObjectName(QStringLiteral("cboCriterium"));
    m_criterium->addItems(
        {QStringLiteral("tijd en grootte"), QStringLiteral("alleen grootte"), QStringLiteral("inhoud")});
    m_criterium->setItemData(
        int(Criterium::Inhoud),
        QStringLiteral("Bestanden van gelijke grootte worden gedownload en byte voor byte vergeleken"),
        Qt::ToolTipRole);
    op->setBuddy(m_criterium);
    m_submappen = new QCheckBox(QStringLiteral("Submappen"), this);
    m_submappen->setChecked(true);
    m_patronen = new QCheckBox(QStringLiteral("Patronen van de lijsten"), this);
    auto* vergelijken = new QPushButton(QStringLiteral("&Vergelijken"), this);
    vergelijken->setObjectName(QStringLiteral("knopVergelijken"));
    for (QWidget* w : std::initializer_list<QWidget*>{m_richting, m_wijze, op, m_criterium, m_submappen,
                                                      m_patronen, vergelijken})
        keuzes->addWidget(w);
    keuzes->addStretch();
    hoofd->addLayout(keuzes);

    m_lijst = new QTableView(this);
    m_lijst->setObjectName(QStringLiteral("lstSynchronisatie"));
    m_lijst->setModel(m_model);
    m_lijst->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lijst->verticalHeader()->hide();
    m_lijst->horizontalHeader()->setStretchLastSection(true);
    m_lijst->setColumnWidth(Synchronisatiemodel::Actie, 230);
    m_lijst->setColumnWidth(Synchronisatiemodel::Naam, 180);
    hoofd->addWidget(m_lijst, 1);
    m_stand = new QLabel(this);
    m_totalen = new QLabel(this);
    m_totalen->setWordWrap(true);
    hoofd->addWidget(m_stand);
    hoofd->addWidget(m_totalen);

    auto* knoppen = new QHBoxLayout;
    auto* alles = new QPushButton(QStringLiteral("Alles aan/uit"), this);
    auto* perActie = new QToolButton(this);
    perActie->setText(QStringLiteral("Per actie"));
    perActie->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(perActie);
    for (Syncactie a : {Syncactie::Uploaden, Syncactie::Downloaden, Syncactie::MapServer, Syncactie::MapLokaal,
                        Syncactie::WissenLokaal, Syncactie::WissenServer})
        menu->addAction(ActieWoord(a), this, [this, a] { m_model->Omzetten([a](const Syncregel& r) { return r.actie == a; }); });
    perActie->setMenu(menu);
    auto* perMap = new QPushButton(QStringLiteral("Map aan/uit"), this);
    m_uitvoeren = new QPushButton(QStringLiteral("&Uitvoeren"), this);
    m_uitvoeren->setObjectName(QStringLiteral("knopUitvoeren"));
    auto* sluiten = new QPushButton(QStringLiteral("Sluiten"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{alles, perActie, perMap})
        knoppen->addWidget(w);
    knoppen->addStretch();
    knoppen->addWidget(m_uitvoeren);
    knoppen->addWidget(sluiten);
    hoofd->addLayout(knoppen);
    resize(1100, 600);

    connect(alles, &QPushButton::clicked, this, [this] { m_model->Omzetten([](const Syncregel&) { return true; }); });
    connect(perMap, &QPushButton::clicked, this, [this] {
        const QModelIndex i = m_lijst->currentIndex();
        if (!i.isValid()) return;
        const QString map = m_model->Regels()[std::size_t(i.row())].map;
        // The folder and everything below it.
        m_model->Omzetten([&](const Syncregel& r) { return r.map == map || r.map.startsWith(map + u'/') || map.isEmpty(); });
    });
    connect(vergelijken, &QPushButton::clicked, this, &Synchronisatievenster::Vergelijken);
    connect(m_uitvoeren, &QPushButton::clicked, this, &Synchronisatievenster::Uitvoeren);
    connect(sluiten, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model, &Synchronisatiemodel::aantekeningGewijzigd, this, &Synchronisatievenster::regelZetten);
    connect(m_richting, &QComboBox::currentIndexChanged, this, &Synchronisatievenster::keuzesGewijzigd);
    if (vorige) ZetKeuzes(vorige->keuzes, vorige->patronen);
    keuzesGewijzigd();
    regelZetten();
    // The pair as the window opened with it is compared at once: one click from here.
    QTimer::singleShot(0, this, &Synchronisatievenster::Vergelijken);
}

Synchronisatievenster::~Synchronisatievenster() = default;

Synckeuzes Synchronisatievenster::Keuzes() const
{
    Synckeuzes k;
    k.richting = Syncrichting(m_richting->currentIndex());
    k.wijze = k.richting == Syncrichting::BeideKanten ? Syncwijze::Nieuwer : Syncwijze(m_wijze->currentIndex());
    k.criterium = Criterium(m_criterium->currentIndex());
    k.submappen = m_submappen->isChecked();
    if (m_patronen->isChecked())
        k.patroon = k.richting == Syncrichting::NaarLokaal ? m_gegevens.patroonServer : m_gegevens.patroonLokaal;
    return k;
}

void Synchronisatievenster::ZetKeuzes(const Synckeuzes& k, bool patronen)
{
    m_richting->setCurrentIndex(int(k.richting));
    m_wijze->setCurrentIndex(int(k.wijze));
    m_criterium->setCurrentIndex(int(k.criterium));
    m_submappen->setChecked(k.submappen);
    m_patronen->setChecked(patronen);
}

bool Synchronisatievenster::Patronen() const
{
    return m_patronen->isChecked();
}

void Synchronisatievenster::keuzesGewijzigd()
{
    // A mirror is one way only.
    const bool beide = m_richting->currentIndex() == int(Syncrichting::BeideKanten);
    if (beide) m_wijze->setCurrentIndex(int(Syncwijze::Nieuwer));
    m_wijze->setEnabled(!beide);
}

namespace {
QString StaatPadVan(const Synchronisatievenster::Gegevens& g)
{
    return SyncstaatPad(g.staatMap, g.serverNaam, g.paar.lokaal, g.paar.server);
}

// "1 map", "3 mappen": a count with its word.
QString Aantal(qint64 n, const char* een, const char* meer)
{
    return GetalTekst(n) + u' ' + QLatin1String(n == 1 ? een : meer);
}

// "12 mappen, 300 bestanden bekeken, 4 acties"
QString Bekeken(qint64 mappen, qint64 bestanden, qint64 acties)
{
    return Aantal(mappen, "map", "mappen") + QStringLiteral(", ") +
           Aantal(bestanden, "bestand", "bestanden") + QStringLiteral(" bekeken, ") +
           Aantal(acties, "actie", "acties");
}
} // namespace

void Synchronisatievenster::Vergelijken()
{
    m_wandeling.reset();
    m_einde.reset();
    m_model->Wissen();
    m_mappen = m_bestanden = 0;
    m_wandeling = std::make_unique<Synchronisatiewandeling>(m_gegevens.aanmelding, m_gegevens.paar, Keuzes(),
                                                            m_gegevens.klok, SyncstaatLezen(StaatPadVan(m_gegevens)),
                                                            m_gegevens.verbindingen);
    connect(m_wandeling.get(), &Synchronisatiewandeling::regels, m_model, &Synchronisatiemodel::Toevoegen);
    connect(m_wandeling.get(), &Synchronisatiewandeling::voortgang, this, [this](qint64 mappen, qint64 bestanden) {
        m_mappen = mappen;
        m_bestanden = bestanden;
        regelZetten();
    });
    connect(m_wandeling.get(), &Synchronisatiewandeling::klaar, this, [this](const Synchronisatiewandeling::Einde& e) {
        m_einde = e;
        regelZetten();
    });
    m_wandeling->Starten();
    regelZetten();
}

void Synchronisatievenster::regelZetten()
{
    QString stand;
    if (!m_wandeling)
        stand = QString();
    else if (!m_einde)
        stand = QStringLiteral("Vergelijken... ") + Bekeken(m_mappen, m_bestanden, m_model->rowCount());
    else {
        stand = QStringLiteral("Klaar: ") + Bekeken(m_mappen, m_bestanden, m_model->rowCount());
        if (m_einde->mislukteMappen > 0)
            stand += QStringLiteral("; ") + Aantal(m_einde->mislukteMappen, "map", "mappen") +
                     QStringLiteral(" niet gelezen");
        if (m_einde->geweigerd > 0)
            stand += QStringLiteral("; ") + Aantal(m_einde->geweigerd, "ongeldige naam", "ongeldige namen") +
                     QStringLiteral(" op de server overgeslagen");
        if (m_einde->links > 0)
            stand += QStringLiteral("; ") + Aantal(m_einde->links, "link naar een map", "links naar mappen") +
                     QStringLiteral(" op de server overgeslagen");
    }
    m_stand->setText(stand);
    m_totalen->setText(m_model->Totalen());
    m_uitvoeren->setEnabled(m_einde.has_value() &&
                            std::any_of(m_model->Regels().begin(), m_model->Regels().end(),
                                        [](const Syncregel& r) { return r.aan; }));
}

void Synchronisatievenster::Uitvoeren()
{
    if (!m_einde) return;
    // Outlives the window: it keeps the state while the queue runs, and for retries from the
    // transfer list after. One per pair: an older one would write its older state.
    const QString staatPad = StaatPadVan(m_gegevens);
    for (auto* oud : m_wachtrij.findChildren<Synchronisatieuitvoering*>(staatPad, Qt::FindDirectChildrenOnly))
        if (!oud->Bezig()) delete oud;
    auto* uitvoering = new Synchronisatieuitvoering(m_wachtrij, m_gegevens.paar, staatPad,
                                                    std::move(m_einde->staat), &m_wachtrij);
    uitvoering->setObjectName(staatPad);
    m_einde.reset();
    Syncherinnering h{.server = m_gegevens.serverNaam, .lokaal = m_gegevens.paar.lokaal,
                      .serverMap = m_gegevens.paar.server, .keuzes = Keuzes(), .patronen = Patronen()};
    h.keuzes.patroon.clear();
    Q_EMIT uitgevoerd(h, uitvoering);
    uitvoering->Starten(m_model->Regels());
    accept();
}

} // namespace Vamox
