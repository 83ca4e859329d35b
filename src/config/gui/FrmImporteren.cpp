#include "config/gui/FrmImporteren.h"

#include "config/Serverlijst.h"
#include "config/Wachtwoorden.h"
#include "dialogs/DialoogStijl.h"
#include "dialogs/Msg.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Vamox {

namespace {

enum Kolom
{
    KolomNaam,
    KolomHost,
    KolomGebruiker,
    KolomPoort,
    KolomProtocol,
    KolomWachtwoord,
    KolomOpmerking
};

QString ProtocolTekst(const ServerRecord& s)
{
    if (s.Sftp) return QStringLiteral("SFTP");
    switch (s.Tls) {
    case TlsKeuze::IndienBeschikbaar:
        return QStringLiteral("FTP, TLS indien beschikbaar");
    case TlsKeuze::Alleen:
        return QStringLiteral("FTP, alleen TLS");
    case TlsKeuze::Geen:
        break;
    }
    return QStringLiteral("FTP zonder TLS");
}

QString WachtwoordTekst(const ServerRecord& s)
{
    if (!s.Wachtwoord.isEmpty()) return QStringLiteral("naar de sleutelbos");
    if (s.Plek == Wachtwoordplek::Vragen) return QStringLiteral("wordt gevraagd");
    return QStringLiteral("geen (sleutels)");
}

} // namespace

FrmImporteren::FrmImporteren(Import gevonden, const QString& bestand, QStringList& serverLijst,
                             Wachtwoorden& wachtwoorden, QWidget* parent)
    : QDialog(parent), m_gevonden(std::move(gevonden)),
      m_voorstellen(ImportVoorstellen(m_gevonden.servers, serverLijst)), m_serverLijst(serverLijst),
      m_wachtwoorden(wachtwoorden)
{
    setObjectName(QStringLiteral("frmImporteren"));
    setWindowTitle(QStringLiteral("Servers importeren"));
    AlleenSluitknop(*this);
    auto* indeling = new QVBoxLayout(this);
    auto* kop = new QLabel(QString::number(m_gevonden.servers.size()) + QStringLiteral(" servers gevonden in ") +
                               QDir::toNativeSeparators(bestand) + QStringLiteral(" (") + m_gevonden.soort +
                               QStringLiteral("). Aangevinkte servers worden opgeslagen."),
                           this);
    kop->setWordWrap(true);
    indeling->addWidget(kop);

    m_lijst = new QTreeWidget(this);
    m_lijst->setObjectName(QStringLiteral("lijstImporteren"));
    m_lijst->setRootIsDecorated(false);
    m_lijst->setHeaderLabels({QStringLiteral("Naam"), QStringLiteral("Host"), QStringLiteral("Gebruiker"),
                              QStringLiteral("Poort"), QStringLiteral("Protocol"), QStringLiteral("Wachtwoord"),
                              QStringLiteral("Opmerking")});
    for (qsizetype i = 0; i < m_voorstellen.size(); ++i) {
        const Importvoorstel& v = m_voorstellen.at(i);
        const Importserver& g = m_gevonden.servers.at(i);
        QString opmerking = v.opmerking;
        if (!g.toelichting.isEmpty())
            opmerking += (opmerking.isEmpty() ? QString() : QStringLiteral(" ")) + g.toelichting;
        auto* rij = new QTreeWidgetItem(m_lijst, {v.naam, g.server.FtpHost, g.server.Gebruikersnaam,
                                                  g.server.FtpPoort, v.kiesbaar ? ProtocolTekst(g.server) : QString(),
                                                  v.kiesbaar ? WachtwoordTekst(g.server) : QString(), opmerking});
        rij->setToolTip(KolomOpmerking, opmerking);
        if (v.kiesbaar) {
            rij->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            rij->setCheckState(KolomNaam, v.aangevinkt ? Qt::Checked : Qt::Unchecked);
        } else {
            // Refused: shown with the reason, never checked.
            rij->setFlags(Qt::ItemIsSelectable);
        }
    }
    for (int k = KolomNaam; k < KolomOpmerking; ++k)
        m_lijst->resizeColumnToContents(k);
    indeling->addWidget(m_lijst, 1);

    if (!m_gevonden.meldingen.isEmpty()) {
        auto* meldingen = new QLabel(m_gevonden.meldingen.join(u'\n'), this);
        meldingen->setObjectName(QStringLiteral("LabelMeldingen"));
        meldingen->setWordWrap(true);
        indeling->addWidget(meldingen);
    }
    auto* knoppen = new QDialogButtonBox(this);
    m_importeren = knoppen->addButton(QStringLiteral("&Importeren"), QDialogButtonBox::AcceptRole);
    m_importeren->setObjectName(QStringLiteral("knopImporteren"));
    QPushButton* annuleren = knoppen->addButton(QStringLiteral("&Annuleren"), QDialogButtonBox::RejectRole);
    annuleren->setObjectName(QStringLiteral("knopAnnuleren"));
    indeling->addWidget(knoppen);
    connect(m_importeren, &QPushButton::clicked, this, &FrmImporteren::Importeren);
    connect(annuleren, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lijst, &QTreeWidget::itemChanged, this, &FrmImporteren::KnopBijwerken);
    KnopBijwerken();
    resize(900, 400);
}

FrmImporteren::~FrmImporteren() = default;

void FrmImporteren::KnopBijwerken()
{
    bool iets = false;
    for (int i = 0; i < m_lijst->topLevelItemCount(); ++i)
        iets = iets || m_lijst->topLevelItem(i)->checkState(KolomNaam) == Qt::Checked;
    m_importeren->setEnabled(iets);
}

void FrmImporteren::Importeren()
{
    QList<ServerRecord> gekozen;
    for (int i = 0; i < m_lijst->topLevelItemCount(); ++i) {
        if (!m_voorstellen.at(i).kiesbaar || m_lijst->topLevelItem(i)->checkState(KolomNaam) != Qt::Checked) continue;
        ServerRecord s = m_gevonden.servers.at(i).server;
        s.Naam = m_voorstellen.at(i).naam;
        gekozen << s;
    }
    // The passwords first: where the keyring cannot take them the user chooses, once for all,
    // before anything is stored.
    std::optional<Wachtwoordplek> anders;
    QStringList lijst = m_serverLijst;
    for (ServerRecord& s : gekozen) {
        if (anders && !s.Wachtwoord.isEmpty()) s.Plek = *anders;
        const ServerRecord gevonden = s;
        const Sleutelbosantwoord a = m_wachtwoorden.Bewaren(std::nullopt, s);
        if (!a.gelukt()) {
            const int keuze = M({.Tekst = QStringLiteral("De wachtwoorden kunnen niet in de sleutelbos van het "
                                                         "bureaublad worden bewaard: de sleutelbos ") +
                                          SleutelbosReden(a) +
                                          QStringLiteral(".\r\n\r\nDe wachtwoorden in het configuratiebestand "
                                                         "bewaren, of niet bewaren en bij elke aanmelding vragen?"),
                                 .Pictogram = 3,
                                 .Knoppen = QStringLiteral("In &bestand+Bij aanmelden &vragen+&Annuleren"),
                                 .Codes = QStringLiteral("3+3"),
                                 .AutoBreedte = true});
            if (keuze != 1 && keuze != 2) return;
            anders = keuze == 1 ? Wachtwoordplek::Bestand : Wachtwoordplek::Vragen;
            s.Plek = *anders;
            m_wachtwoorden.Bewaren(std::nullopt, s);
        }
        ServerOpslaan(lijst, 0, s, &gevonden);
    }
    m_serverLijst = lijst;
    m_geimporteerd = int(gekozen.size());
    Q_EMIT serverregelsOpslaan();
    accept();
}

} // namespace Vamox
