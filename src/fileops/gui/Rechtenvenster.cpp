#include "fileops/gui/Rechtenvenster.h"

#include "dialogs/DialoogStijl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace Vamox {

namespace {

const char* const Wie[3] = {"Eigenaar", "Groep", "Anderen"};
const char* const WieSleutel[3] = {"&Eigenaar", "&Groep", "&Anderen"};
const char* const Wat[3] = {"lezen", "schrijven", "uitvoeren"};
const char* const WatKop[3] = {"Lezen", "Schrijven", "Uitvoeren"};

} // namespace

Rechtenvenster::Rechtenvenster(const Rechtenkeuze& keuze, const QString& wat, bool mappen, QWidget* parent)
    : QDialog(parent), m_keuze(keuze)
{
    setObjectName(QStringLiteral("frmRechten"));
    setWindowTitle(QStringLiteral("Rechten"));
    AlleenSluitknop(*this);
    auto* indeling = new QVBoxLayout(this);
    auto* kop = new QLabel(QStringLiteral("Rechten van ") + wat + u':', this);
    kop->setWordWrap(true);
    indeling->addWidget(kop);

    auto* raster = new QGridLayout;
    for (int k = 0; k < 3; ++k)
        raster->addWidget(new QLabel(QString::fromLatin1(WatKop[k]), this), 0, k + 1, Qt::AlignHCenter);
    for (int r = 0; r < 3; ++r) {
        auto* label = new QLabel(QString::fromLatin1(WieSleutel[r]), this);
        raster->addWidget(label, r + 1, 0);
        for (int k = 0; k < 3; ++k) {
            const int bit = r * 3 + k;
            auto* vak = new QCheckBox(this);
            const QString naam = QString::fromLatin1(Wie[r]) + u' ' + QString::fromLatin1(Wat[k]);
            vak->setObjectName(QStringLiteral("chkRechten%1").arg(bit));
            vak->setAccessibleName(naam);
            vak->setToolTip(naam);
            // Three states only where the selection mixes this bit.
            vak->setTristate(m_keuze.KanGemengd(bit));
            m_vakjes[size_t(bit)] = vak;
            raster->addWidget(vak, r + 1, k + 1, Qt::AlignHCenter);
            connect(vak, &QCheckBox::stateChanged, this, [this, bit] { vakjeGewijzigd(bit); });
        }
        label->setBuddy(m_vakjes[size_t(r * 3)]);
    }
    auto* octaalLabel = new QLabel(QStringLiteral("&Octaal:"), this);
    m_octaal = new QLineEdit(this);
    m_octaal->setObjectName(QStringLiteral("txtOctaal"));
    m_octaal->setAccessibleName(QStringLiteral("Octaal"));
    m_octaal->setToolTip(QStringLiteral("De rechten als getal, bijvoorbeeld 755; x laat een cijfer per bestand zoals het is"));
    m_octaal->setMaxLength(3);
    m_octaal->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-7xX]{0,3}")), m_octaal));
    octaalLabel->setBuddy(m_octaal);
    raster->addWidget(octaalLabel, 1, 4);
    raster->addWidget(m_octaal, 2, 4);
    connect(m_octaal, &QLineEdit::textEdited, this, &Rechtenvenster::octaalGewijzigd);
    indeling->addLayout(raster);

    if (mappen) {
        auto* groep = new QGroupBox(QStringLiteral("Mappen"), this);
        auto* g = new QVBoxLayout(groep);
        m_inhoud = new QCheckBox(QStringLiteral("Ook op de &inhoud toepassen"), groep);
        m_inhoud->setObjectName(QStringLiteral("chkInhoud"));
        m_alles = new QRadioButton(QStringLiteral("Bestanden e&n mappen"), groep);
        m_alles->setObjectName(QStringLiteral("optAlles"));
        m_bestanden = new QRadioButton(QStringLiteral("Alleen &bestanden"), groep);
        m_bestanden->setObjectName(QStringLiteral("optAlleenBestanden"));
        m_mappen = new QRadioButton(QStringLiteral("Alleen &mappen"), groep);
        m_mappen->setObjectName(QStringLiteral("optAlleenMappen"));
        m_uitvoeren = new QCheckBox(QStringLiteral("&Uitvoeren alleen voor mappen"), groep);
        m_uitvoeren->setObjectName(QStringLiteral("chkUitvoerenMappen"));
        m_uitvoeren->setToolTip(QStringLiteral("Bestanden krijgen uitvoeren alleen als ze het al hadden"));
        auto* soorten = new QButtonGroup(groep);
        for (QRadioButton* o : {m_alles, m_bestanden, m_mappen}) {
            soorten->addButton(o);
            connect(o, &QRadioButton::toggled, this, &Rechtenvenster::inhoudBijwerken);
        }
        m_alles->setChecked(true);
        g->addWidget(m_inhoud);
        g->addWidget(m_alles);
        g->addWidget(m_bestanden);
        g->addWidget(m_mappen);
        g->addWidget(m_uitvoeren);
        connect(m_inhoud, &QCheckBox::toggled, this, &Rechtenvenster::inhoudBijwerken);
        connect(m_uitvoeren, &QCheckBox::toggled, this, &Rechtenvenster::inhoudBijwerken);
        indeling->addWidget(groep);
    }

    auto* knoppen = new QDialogButtonBox(this);
    QPushButton* ok = knoppen->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton* annuleren = knoppen->addButton(QStringLiteral("Annuleren"), QDialogButtonBox::RejectRole);
    annuleren->setObjectName(QStringLiteral("cmdAnnuleren"));
    connect(knoppen, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoppen, &QDialogButtonBox::rejected, this, &QDialog::reject);
    indeling->addWidget(knoppen);

    vakjesTonen();
    m_octaal->setText(m_keuze.Octaal());
    inhoudBijwerken();
}

void Rechtenvenster::vakjesTonen()
{
    m_bezig = true;
    for (int bit = 0; bit < Rechtenkeuze::Bits; ++bit) {
        const Bitstand s = m_keuze.Stand(bit);
        m_vakjes[size_t(bit)]->setCheckState(s == Bitstand::Aan       ? Qt::Checked
                                             : s == Bitstand::Gemengd ? Qt::PartiallyChecked
                                                                      : Qt::Unchecked);
    }
    m_bezig = false;
}

void Rechtenvenster::vakjeGewijzigd(int bit)
{
    if (m_bezig) return;
    const Qt::CheckState s = m_vakjes[size_t(bit)]->checkState();
    if (s == Qt::PartiallyChecked)
        m_keuze.ZetGemengd(bit);
    else
        m_keuze.ZetBit(bit, s == Qt::Checked);
    m_octaal->setText(m_keuze.Octaal());
}

void Rechtenvenster::octaalGewijzigd(const QString& tekst)
{
    // A number being typed changes the boxes once it is whole.
    if (m_keuze.ZetOctaal(tekst)) vakjesTonen();
}

void Rechtenvenster::inhoudBijwerken()
{
    if (!m_inhoud) return;
    const bool aan = m_inhoud->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(m_alles), static_cast<QWidget*>(m_bestanden),
                       static_cast<QWidget*>(m_mappen), static_cast<QWidget*>(m_uitvoeren)})
        w->setEnabled(aan);
    m_keuze.inhoud = aan;
    m_keuze.alleen = m_bestanden->isChecked() ? Rechtenkeuze::Alleen::Bestanden
                     : m_mappen->isChecked()  ? Rechtenkeuze::Alleen::Mappen
                                              : Rechtenkeuze::Alleen::Alles;
    m_keuze.uitvoerenAlleenMappen = aan && m_uitvoeren->isChecked();
}

} // namespace Vamox
