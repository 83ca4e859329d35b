#include "config/gui/FrmServergegevens.h"

#include "config/Serverlijst.h"
#include "config/Wachtwoorden.h"
#include "dialogs/DialoogStijl.h"
#include "dialogs/Msg.h"
#include "dialogs/Tooltip.h"
#include "dialogs/Twips.h"
#include "ftp/FtpPaden.h"
#include "platform/gui/Browser.h"
#include "platform/gui/Zandloper.h"
#include "vergelijken/Tijdverschil.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

namespace Vamox {

namespace {

const QString Titel = QStringLiteral("Servergegevens");
// Opened when the website field is empty.
const QString StandaardWebsite = QStringLiteral("https://duckduckgo.com/");

QString VeldNaam(ServerVeld veld)
{
    switch (veld) {
    case ServerVeld::Naam:
        return QStringLiteral("Naam");
    case ServerVeld::FtpHost:
        return QStringLiteral("Ftp host");
    case ServerVeld::Gebruikersnaam:
        return QStringLiteral("Gebruikersnaam");
    case ServerVeld::Wachtwoord:
        return QStringLiteral("Wachtwoord");
    case ServerVeld::FtpPoort:
        return QStringLiteral("Poort");
    case ServerVeld::Website:
        return QStringLiteral("Website");
    }
    return QString();
}

QString GewijzigdMelding(const QString& actie)
{
    return QStringLiteral("Servergegevens zijn gewijzigd.\r\nKan derhalve niet ") + actie +
           QStringLiteral(".\r\n\r\n(Druk op Escape.)");
}

} // namespace

FrmServergegevens::FrmServergegevens(QStringList& serverLijst, Wachtwoorden& wachtwoorden,
                                     QComboBox& cboVerbindingenFtp, bool& verbindenOnderdrukt, QWidget* parent)
    : QDialog(parent), m_serverLijst(serverLijst), m_wachtwoorden(wachtwoorden), m_servers(cboVerbindingenFtp),
      m_verbindenOnderdrukt(verbindenOnderdrukt), m_ui(ServergegevensOpbouwen(*this))
{
    setObjectName(QStringLiteral("frmServergegevens"));
    // A fixed size, whose width only a drag on LabelFormaat changes: nothing to maximise.
    AlleenSluitknop(*this);
    setWindowTitle(Titel);
    const TwipsSchaal schaal = TwipsSchaal::Van(this);
    m_standaard = schaal.NaarPixels(QSize(ServergegevensBreedte(), ServergegevensHoogte()));
    setFixedSize(m_standaard);
    ServergegevensIndelen(m_ui, ServergegevensBreedte());

    connect(m_ui.knopNieuw, &QPushButton::clicked, this, &FrmServergegevens::knopNieuw_Click);
    connect(m_ui.knopVolgende, &QPushButton::clicked, this, &FrmServergegevens::knopVolgende_Click);
    connect(m_ui.knopVorige, &QPushButton::clicked, this, &FrmServergegevens::knopVorige_Click);
    connect(m_ui.knopOpslaan, &QPushButton::clicked, this, &FrmServergegevens::knopOpslaan_Click);
    connect(m_ui.knopVerwijderen, &QPushButton::clicked, this, &FrmServergegevens::knopVerwijderen_Click);
    connect(m_ui.knopVerbinden, &QPushButton::clicked, this, &FrmServergegevens::knopVerbinden_Click);
    connect(m_ui.knopInternet, &QPushButton::clicked, this, &FrmServergegevens::knopInternet_Click);
    connect(m_ui.knopOngedaanmaken, &QPushButton::clicked, this, [this] { Aanpassen(focusWidget()); });
    // Page Up goes on through the list, Page Down back, also while held down.
    auto* verder = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    auto* terug = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(verder, &QShortcut::activated, this, &FrmServergegevens::knopVolgende_Click);
    connect(terug, &QShortcut::activated, this, &FrmServergegevens::knopVorige_Click);

    connect(m_ui.cboNaam, &QComboBox::activated, this, &FrmServergegevens::NaamGekozen);
    connect(m_ui.cboNaam, &QComboBox::editTextChanged, this, [this] {
        if (!m_vullen) Wijzigen(true);
    });
    for (QLineEdit* veld : {m_ui.txtFtpHost, m_ui.txtGebruikersnaam, m_ui.txtWachtwoord, m_ui.txtWebsite,
                            m_ui.txtTijdverschil}) {
        connect(veld, &QLineEdit::textChanged, this, [this] {
            if (!m_vullen) Wijzigen(true);
        });
        veld->installEventFilter(this);
    }
    connect(m_ui.cboFtpPoort, &QComboBox::editTextChanged, this, [this] {
        if (!m_vullen) Wijzigen(true);
    });
    connect(m_ui.cboTls, &QComboBox::currentIndexChanged, this, [this](int keuze) {
        if (m_vullen) return;
        // The protocol's own port, where none or the other protocol's own was there.
        const QString poort = m_ui.cboFtpPoort->currentText().trimmed();
        const QString eigen = keuze == SftpKeuze ? QStringLiteral("22") : QStringLiteral("21");
        const QString ander = keuze == SftpKeuze ? QStringLiteral("21") : QStringLiteral("22");
        if (poort.isEmpty() || poort == ander) m_ui.cboFtpPoort->setEditText(eigen);
        Wijzigen(true);
    });
    connect(m_ui.cboWachtwoordplek, &QComboBox::currentIndexChanged, this, [this](int plek) {
        // Not kept: nothing to type here, it is asked at the login.
        m_ui.txtWachtwoord->setEnabled(plek != int(Wachtwoordplek::Vragen));
        if (!m_vullen) Wijzigen(true);
    });
    for (QLabel* label : {m_ui.LabelAantal, m_ui.LabelSelectie, m_ui.LabelNaam, m_ui.LabelFtpHost,
                          m_ui.LabelGebruikersnaam, m_ui.LabelWachtwoord, m_ui.LabelWachtwoordplek,
                          m_ui.LabelFtpPoort, m_ui.LabelTls, m_ui.LabelWebsite, m_ui.LabelTijdverschil,
                          m_ui.LabelFormaat})
        label->installEventFilter(this);
}

FrmServergegevens::~FrmServergegevens() = default;

void FrmServergegevens::Plaatsen(const QWidget& venster, const QWidget& knop)
{
    const TwipsSchaal schaal = TwipsSchaal::Van(&venster);
    const QPoint knopPlek = knop.mapTo(&venster, QPoint(0, 0));
    QPoint plek = venster.geometry().topLeft() + QPoint(knopPlek.x() + knop.width() + schaal.NaarPixelsX(300),
                                                        knopPlek.y() + schaal.NaarPixelsY(1000));
    // Kept on the screen: a window placed beside a button near the edge would be out of reach.
    if (const QScreen* scherm = venster.screen()) {
        const QRect rand = scherm->availableGeometry();
        plek.setX(std::clamp(plek.x(), rand.left(), std::max(rand.left(), rand.right() - width())));
        plek.setY(std::clamp(plek.y(), rand.top(), std::max(rand.top(), rand.bottom() - height())));
    }
    move(plek);
}

void FrmServergegevens::Openen(const QWidget& venster, const QWidget& knop)
{
    Plaatsen(venster, knop);
    cboNaamVullen();
    cboFtpPoortVullen();
    const qsizetype n = ActiefServerNr(m_serverLijst, m_servers.currentText());
    AantalZetten(n - 1);
    knopVolgende_Click();
    Wijzigen(false);
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    m_ui.cboNaam->setFocus();
}

void FrmServergegevens::NieuwOpenen(const QWidget& venster, const QWidget& knop)
{
    Openen(venster, knop);
    knopNieuw_Click();
    Wijzigen(false);
}

qsizetype FrmServergegevens::HuidigNr() const
{
    // The leading number of the caption; "*" (a new record) is 0.
    const QString tekst = m_ui.LabelAantal->text();
    return tekst.left(tekst.indexOf(u'/')).toLongLong();
}

void FrmServergegevens::AantalZetten(qsizetype n)
{
    const qsizetype t = m_serverLijst.size() - 1;
    m_ui.LabelAantal->setText((n <= 0 ? QStringLiteral("*") : QString::number(n)) + u'/' +
                              QString::number(t));
}

void FrmServergegevens::cboNaamVullen(const QString& naam)
{
    ServerLijstSorteren(m_serverLijst);
    m_vullen = true;
    m_ui.cboNaam->clear();
    for (qsizetype i = 1; i < m_serverLijst.size(); ++i)
        m_ui.cboNaam->addItem(NaamServer(m_serverLijst, i));
    m_ui.cboNaam->setEditText(naam);
    m_vullen = false;
}

void FrmServergegevens::cboFtpPoortVullen()
{
    m_vullen = true;
    const QString poort = m_ui.cboFtpPoort->currentText();
    m_ui.cboFtpPoort->clear();
    m_ui.cboFtpPoort->addItems({QStringLiteral("21"), QStringLiteral("2121")});
    m_ui.cboFtpPoort->setEditText(poort);
    m_vullen = false;
}

void FrmServergegevens::Vullen(qsizetype n)
{
    const ServerRecord server = ServerOpPlek(m_serverLijst, n);
    m_vullen = true;
    m_ui.cboNaam->setEditText(server.Naam);
    m_ui.txtFtpHost->setText(server.FtpHost);
    m_ui.txtGebruikersnaam->setText(server.Gebruikersnaam);
    m_ui.cboFtpPoort->setEditText(server.FtpPoort);
    m_ui.txtWebsite->setText(server.Website);
    m_ui.cboTls->setCurrentIndex(server.Sftp ? SftpKeuze : int(server.Tls));
    m_ui.cboWachtwoordplek->setCurrentIndex(int(server.Plek));
    m_ui.txtWachtwoord->setEnabled(server.Plek != Wachtwoordplek::Vragen);
    WachtwoordTonen(server);
    m_ui.txtTijdverschil->setText(server.Tijdverschil ? TijdverschilTekst(*server.Tijdverschil) : QString());
    m_vullen = false;
    AantalZetten(n >= 1 && n < m_serverLijst.size() ? n : 0);
    Wijzigen(false);
}

void FrmServergegevens::Wijzigen(bool gewijzigd)
{
    m_gewijzigd = gewijzigd;
    m_ui.knopPotlood->setVisible(gewijzigd);
    m_ui.knopOngedaanmaken->setVisible(gewijzigd);
    m_ui.knopSelectie->setVisible(!gewijzigd);
    m_ui.LabelSelectie->setCursor(gewijzigd ? Qt::PointingHandCursor : Qt::ArrowCursor);
    TipTonen(*m_ui.LabelSelectie, gewijzigd ? QStringLiteral("Klikken: opslaan") : QString());
    m_ui.LabelSelectie->raise();
    setWindowTitle(gewijzigd ? Titel : Titel + u' ' + m_ui.cboNaam->currentText());
}

void FrmServergegevens::TekstSelecteren(QWidget* besturing)
{
    if (auto* veld = qobject_cast<QLineEdit*>(besturing)) {
        veld->selectAll();
    } else if (auto* vak = qobject_cast<QComboBox*>(besturing); vak && vak->lineEdit()) {
        vak->lineEdit()->selectAll();
    }
}

void FrmServergegevens::Aanpassen(QWidget* besturing)
{
    const bool nieuw = HuidigNr() == 0;
    Vullen(HuidigNr());
    TekstSelecteren(besturing);
    // A new record stays one to save: undoing empties it, it does not cancel it.
    if (nieuw) Wijzigen(true);
}

void FrmServergegevens::knopNieuw_Click()
{
    Vullen(0);
    Wijzigen(true);
    m_ui.cboNaam->setFocus();
    TekstSelecteren(m_ui.cboNaam);
}

void FrmServergegevens::knopVolgende_Click()
{
    const qsizetype t = m_serverLijst.size() - 1;
    const qsizetype c = HuidigNr();
    if (t == 0 || c >= t) {
        knopNieuw_Click();
        return;
    }
    Vullen(c + 1);
    TekstSelecteren(m_ui.cboNaam);
}

void FrmServergegevens::knopVorige_Click()
{
    const qsizetype t = m_serverLijst.size() - 1;
    const qsizetype c = HuidigNr();
    if (t == 0 || c == 1) {
        knopNieuw_Click();
        return;
    }
    Vullen(c == 0 ? t : c - 1);
    TekstSelecteren(m_ui.cboNaam);
}

void FrmServergegevens::NaamGekozen(int index)
{
    const qsizetype n = ServerZoeken(m_serverLijst, m_ui.cboNaam->itemText(index));
    if (n >= 1) Vullen(n);
}

bool FrmServergegevens::Opslaan()
{
    bool verschilGeldig = true;
    const std::optional<int> verschil = TijdverschilLezen(m_ui.txtTijdverschil->text(), &verschilGeldig);
    if (!verschilGeldig) {
        Melding(QStringLiteral("Tijdverschil '") + m_ui.txtTijdverschil->text() +
                    QStringLiteral("' is geen tijdverschil.\r\nGeef uren en eventueel minuten, "
                                   "bijvoorbeeld +2 of -1:30 (hoogstens 14 uur)."),
                4);
        return false;
    }
    ServerRecord server{
        m_ui.cboNaam->currentText(),
        m_ui.txtFtpHost->text(),
        m_ui.txtGebruikersnaam->text(),
        m_ui.txtWachtwoord->text(),
        m_ui.cboFtpPoort->currentText(),
        m_ui.txtWebsite->text(),
        TlsKeuze(m_ui.cboTls->currentIndex() == SftpKeuze ? 0 : m_ui.cboTls->currentIndex()),
        m_ui.cboTls->currentIndex() == SftpKeuze,
        Wachtwoordplek(m_ui.cboWachtwoordplek->currentIndex())};
    server.Tijdverschil = verschil;
    // Checked on a copy first: the keyring is written only for a record that will be stored.
    QStringList proef = m_serverLijst;
    Serveropslag uit = ServerOpslaan(proef, HuidigNr(), server);
    if (uit.fout == Serveropslag::Fout::Geen) {
        ServerRecord bewaard = server;
        bewaard.Naam = bewaard.Naam.trimmed();
        if (!WachtwoordBewaren(HuidigNr(), bewaard)) return false;
        // Checked as typed: the password may have gone to the keyring.
        ServerRecord getypt = server;
        getypt.Plek = bewaard.Plek;
        uit = ServerOpslaan(m_serverLijst, HuidigNr(), bewaard, &getypt);
        const QSignalBlocker stil(m_ui.cboWachtwoordplek);
        m_ui.cboWachtwoordplek->setCurrentIndex(int(bewaard.Plek));
        m_ui.txtWachtwoord->setEnabled(bewaard.Plek != Wachtwoordplek::Vragen);
        if (bewaard.Plek == Wachtwoordplek::Vragen) m_ui.txtWachtwoord->clear();
    }
    switch (uit.fout) {
    case Serveropslag::Fout::Onvolledig:
        Melding(QStringLiteral("Niet alle servergegevens zijn ingevoerd."), 3);
        return false;
    case Serveropslag::Fout::Onopslaanbaar:
        // It would split the line in the configuration file.
        Melding(QStringLiteral("Het veld ") + VeldNaam(*uit.veld) +
                    QStringLiteral(
                        " bevat een regeleinde of het teken met code 15.\r\nKan derhalve niet opslaan."),
                4);
        return false;
    case Serveropslag::Fout::Geen:
        break;
    }
    AantalZetten(uit.plek);
    Q_EMIT serverregelsOpslaan();
    OpslaanInfrmFtp(false);
    return true;
}

void FrmServergegevens::OpslaanInfrmFtp(bool verwijderd)
{
    // The question of the disconnect names the server: asked while the box still shows it.
    if (verwijderd) Q_EMIT verbreken();
    const QString gekozen = m_servers.currentText();
    const QSignalBlocker stil(m_servers);
    m_servers.clear();
    for (qsizetype i = 1; i < m_serverLijst.size(); ++i)
        m_servers.addItem(NaamServer(m_serverLijst, i));
    m_servers.setCurrentIndex(verwijderd ? -1 : m_servers.findText(gekozen));
}

void FrmServergegevens::knopOpslaan_Click()
{
    const QString naam = m_ui.cboNaam->currentText();
    const qsizetype c = HuidigNr();
    const qsizetype n = NaamServerControleren(m_serverLijst, naam);
    if (n != -1 && m_gewijzigd && n != c) {
        Melding(QStringLiteral("Naam server '") + NaamServer(m_serverLijst, n) +
                    QStringLiteral("' is in gebruik."),
                4);
        return;
    }
    m_verbindenOnderdrukt = true;
    const bool gekozenServer = c >= 1 && NaamServer(m_serverLijst, c) == m_servers.currentText();
    if (n >= 1 && n != c) {
        Melding(QStringLiteral("Naam server '") + NaamServer(m_serverLijst, n) +
                    QStringLiteral("' is in gebruik.\r\nKan derhalve niet opslaan."),
                4);
    } else {
        if (!Opslaan()) {
            m_verbindenOnderdrukt = false;
            return;
        }
        Wijzigen(false);
        // Renamed while chosen in the main window: the box follows, without connecting.
        if (gekozenServer) {
            const QSignalBlocker stil(m_servers);
            m_servers.setCurrentIndex(m_servers.findText(NaamServer(m_serverLijst, HuidigNr())));
        }
    }
    m_verbindenOnderdrukt = false;
    cboNaamVullen(m_ui.cboNaam->currentText());
    Wijzigen(m_gewijzigd);
}

void FrmServergegevens::knopVerwijderen_Click()
{
    if (m_gewijzigd) {
        Melding(GewijzigdMelding(QStringLiteral("verwijderen")), 4);
        return;
    }
    const qsizetype c = HuidigNr();
    if (c == 0) return;
    const QString naam = NaamServer(m_serverLijst, c);
    if (!JaNee({.Tekst = QStringLiteral("Server ") + QString::number(c) + QStringLiteral(" (") + naam +
                         QStringLiteral(") verwijderen?"),
                .Pictogram = 4,
                .Codes = QStringLiteral("2+1")}))
        return;
    m_verbindenOnderdrukt = true;
    const bool gekozen = naam == m_servers.currentText();
    const ServerRecord weg = ServerOpPlek(m_serverLijst, c);
    ServerVerwijderen(m_serverLijst, c);
    // Its keyring entry goes with it; where there is no keyring there is no entry either.
    const Sleutelbosantwoord gewist = m_wachtwoorden.Verwijderen(weg);
    if (!gewist.gelukt() && gewist.status != Sleutelbosantwoord::Status::Afwezig)
        Melding(QStringLiteral("Het wachtwoord van server '") + naam +
                    QStringLiteral("' kon niet uit de sleutelbos van het bureaublad worden verwijderd: de sleutelbos ") +
                    SleutelbosReden(gewist) + u'.',
                3);
    Vullen(m_serverLijst.size() > 1 ? 1 : 0);
    if (m_serverLijst.size() <= 1) m_ui.LabelAantal->setText(QStringLiteral("0/0"));
    OpslaanInfrmFtp(gekozen);
    m_verbindenOnderdrukt = false;
    cboNaamVullen(m_ui.cboNaam->currentText());
    Wijzigen(false);
}

void FrmServergegevens::knopVerbinden_Click()
{
    if (m_gewijzigd) {
        Melding(GewijzigdMelding(QStringLiteral("verbinden")), 4);
        return;
    }
    Q_EMIT verbindingSluiten();
    Zandloper(true);
    if (!Opslaan()) {
        Zandloper(false);
        return;
    }
    const QString naam = m_ui.cboNaam->currentText().trimmed();
    setWindowTitle(QStringLiteral("Even geduld. Ftp server ") + naam + QStringLiteral(" zoeken..."));
    repaint();
    {
        const QSignalBlocker stil(m_servers);
        m_servers.setCurrentIndex(m_servers.findText(naam));
    }
    Q_EMIT verbinden();
    Zandloper(false);
    setWindowTitle(Titel);
    close();
}

void FrmServergegevens::knopInternet_Click()
{
    const QString website = m_ui.txtWebsite->text().trimmed();
    switch (WebsiteOpenen(website.isEmpty() ? StandaardWebsite : website)) {
    case Websiteopening::Geopend:
        return;
    case Websiteopening::GeenWebadres:
        Melding(QStringLiteral("Geen webadres:\r\n ") + m_ui.txtWebsite->text() +
                    QStringLiteral("\r\nAlleen adressen met http:// of https:// worden geopend."),
                3);
        return;
    case Websiteopening::NietGestart:
        Melding(QStringLiteral("Geen uitvoerbaar bestand gevonden bij:\r\n ") + m_ui.txtWebsite->text() +
                    u'.',
                1);
        return;
    }
}

void FrmServergegevens::IndelingBijwerken()
{
    ServergegevensIndelen(m_ui, TwipsSchaal::Van(this).NaarTwipsX(width()));
    m_ui.LabelSelectie->raise();
}

void FrmServergegevens::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    IndelingBijwerken();
}

void FrmServergegevens::keyPressEvent(QKeyEvent* event)
{
    // Escape restores the record in the field it was pressed in; the window stays open.
    if (event->key() == Qt::Key_Escape) {
        Aanpassen(focusWidget());
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FrmServergegevens::LabelKlik(QObject* object, const QMouseEvent& muis)
{
    const bool links = muis.button() == Qt::LeftButton;
    const bool rechts = muis.button() == Qt::RightButton;
    const auto naar = [this](QWidget* veld) {
        veld->setFocus();
        TekstSelecteren(veld);
    };
    if (object == m_ui.LabelAantal && links) {
        knopNieuw_Click();
    } else if (object == m_ui.LabelSelectie && links) {
        if (m_gewijzigd) knopOpslaan_Click();
    } else if (object == m_ui.LabelNaam && links) {
        naar(m_ui.cboNaam);
    } else if (object == m_ui.LabelFtpHost && links) {
        naar(m_ui.txtFtpHost);
    } else if (object == m_ui.LabelGebruikersnaam && links) {
        naar(m_ui.txtGebruikersnaam);
    } else if (object == m_ui.LabelFtpPoort && links) {
        m_ui.cboFtpPoort->setFocus();
    } else if (object == m_ui.LabelWachtwoord) {
        if (links) naar(m_ui.txtWachtwoord);
        if (rechts)
            m_ui.txtWachtwoord->setEchoMode(m_ui.txtWachtwoord->echoMode() == QLineEdit::Password
                                                ? QLineEdit::Normal
                                                : QLineEdit::Password);
    } else if (object == m_ui.LabelWachtwoordplek && links) {
        m_ui.cboWachtwoordplek->setFocus();
    } else if (object == m_ui.LabelTls && links) {
        m_ui.cboTls->setFocus();
    } else if (object == m_ui.LabelTijdverschil && links) {
        naar(m_ui.txtTijdverschil);
    } else if (object == m_ui.LabelWebsite) {
        if (links) naar(m_ui.txtWebsite);
        if (rechts) knopInternet_Click();
    } else {
        return false;
    }
    return true;
}

bool FrmServergegevens::eventFilter(QObject* object, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        // After the click that gave the focus, which would otherwise place the cursor.
        if (auto* veld = qobject_cast<QLineEdit*>(object)) QTimer::singleShot(0, veld, &QLineEdit::selectAll);
        break;
    case QEvent::MouseButtonPress:
        if (object == m_ui.LabelFormaat) {
            const auto* muis = static_cast<QMouseEvent*>(event);
            if (muis->button() == Qt::LeftButton) {
                m_sleepX = muis->globalPosition().toPoint().x();
                m_sleepBreedte = width();
            }
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (object == m_ui.LabelFormaat && m_sleepBreedte >= 0) {
            const int nieuw =
                m_sleepBreedte + static_cast<QMouseEvent*>(event)->globalPosition().toPoint().x() - m_sleepX;
            if (nieuw >= m_standaard.width()) setFixedWidth(nieuw);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        const auto* muis = static_cast<QMouseEvent*>(event);
        if (object == m_ui.LabelFormaat) {
            m_sleepBreedte = -1;
            return true;
        }
        if (static_cast<QWidget*>(object)->rect().contains(muis->position().toPoint()))
            return LabelKlik(object, *muis);
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (object == m_ui.LabelFormaat) {
            setFixedSize(m_standaard);
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace Vamox
