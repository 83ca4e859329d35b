#include "config/gui/FrmServergegevens.h"

#include "dialogs/Tooltip.h"
#include "dialogs/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace Vamox {

namespace {

// Design measures, in twips.
constexpr int Breedte = 6600;
constexpr int Hoogte = 4290; // eight rows
constexpr int Marge = 120;
constexpr int LabelBreedte = 1500;
constexpr int VeldLinks = Marge + LabelBreedte + 60;
constexpr int KnopBreedte = 1560;
constexpr int KnopHoogte = 375;
constexpr int RijHoogte = 330;
constexpr int EersteRij = 660;
constexpr int RijAfstand = 435;
constexpr int TekenMaat = 360; // the pencil / selection image

template <typename T> T* Maak(QWidget* ouder, const char* naam)
{
    auto* w = new T(ouder);
    w->setObjectName(QLatin1String(naam));
    return w;
}

QPushButton* Knop(QWidget* ouder, const char* naam, const QString& tekst)
{
    auto* knop = Maak<QPushButton>(ouder, naam);
    knop->setText(tekst);
    // Enter in a field saves nothing by surprise; Escape there restores the record.
    knop->setAutoDefault(false);
    return knop;
}

QLabel* Label(QWidget* ouder, const char* naam, const QString& tekst)
{
    auto* label = Maak<QLabel>(ouder, naam);
    label->setText(tekst);
    return label;
}

QLabel* Teken(QWidget* ouder, const char* naam, const QString& tekst)
{
    auto* label = Label(ouder, naam, tekst);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.5);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

enum class Invoer
{
    Vrij,
    ZonderSpatie,
    // Every printable character, spaces too: a password is the server's to choose. Control
    // characters (the separator, line breaks) would split the stored line.
    Afdrukbaar,
};

QLineEdit* Veld(QWidget* ouder, const char* naam, Invoer regel)
{
    auto* veld = Maak<QLineEdit>(ouder, naam);
    // A refused key does nothing; a pasted text with a refused character is refused whole.
    const QString patroon = regel == Invoer::ZonderSpatie ? QStringLiteral("[^ ]*")
                            : regel == Invoer::Afdrukbaar ? QStringLiteral("\\P{Cc}*")
                                                          : QString();
    if (!patroon.isEmpty())
        veld->setValidator(new QRegularExpressionValidator(QRegularExpression(patroon), veld));
    return veld;
}

} // namespace

int ServergegevensBreedte()
{
    return Breedte;
}

int ServergegevensHoogte()
{
    return Hoogte;
}

ServergegevensUi ServergegevensOpbouwen(QDialog& venster)
{
    QWidget* v = &venster;
    ServergegevensUi ui;
    // Made in tab order: the fields first, then the buttons.
    ui.LabelNaam = Label(v, "LabelNaam", QStringLiteral("Naam"));
    ui.cboNaam = Maak<QComboBox>(v, "cboNaam");
    ui.cboNaam->setEditable(true);
    ui.cboNaam->setInsertPolicy(QComboBox::NoInsert);
    ui.cboNaam->setCompleter(nullptr);
    ui.LabelFtpHost = Label(v, "LabelFtpHost", QStringLiteral("Ftp host"));
    ui.txtFtpHost = Veld(v, "txtFtpHost", Invoer::Vrij);
    ui.LabelGebruikersnaam = Label(v, "LabelGebruikersnaam", QStringLiteral("Gebruikersnaam"));
    ui.txtGebruikersnaam = Veld(v, "txtGebruikersnaam", Invoer::ZonderSpatie);
    ui.LabelWachtwoord = Label(v, "LabelWachtwoord", QStringLiteral("Wachtwoord"));
    ui.txtWachtwoord = Veld(v, "txtWachtwoord", Invoer::Afdrukbaar);
    ui.txtWachtwoord->setEchoMode(QLineEdit::Password);
    ui.txtWachtwoord->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    ui.LabelWachtwoordplek = Label(v, "LabelWachtwoordplek", QStringLiteral("Bewaren"));
    ui.cboWachtwoordplek = Maak<QComboBox>(v, "cboWachtwoordplek");
    ui.cboWachtwoordplek->addItems({QStringLiteral("In de sleutelbos van het bureaublad"),
                                    QStringLiteral("In het configuratiebestand"),
                                    QStringLiteral("Niet: bij elke aanmelding vragen")});
    TipTonen(*ui.cboWachtwoordplek, QStringLiteral("Waar het wachtwoord van deze server wordt bewaard"));
    ui.LabelFtpPoort = Label(v, "LabelFtpPoort", QStringLiteral("Poort"));
    ui.cboFtpPoort = Maak<QComboBox>(v, "cboFtpPoort");
    ui.cboFtpPoort->setEditable(true);
    ui.cboFtpPoort->setInsertPolicy(QComboBox::NoInsert);
    ui.cboFtpPoort->setCompleter(nullptr);
    ui.cboFtpPoort->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui.cboFtpPoort));
    ui.LabelTls = Label(v, "LabelTls", QStringLiteral("Protocol"));
    ui.cboTls = Maak<QComboBox>(v, "cboTls");
    ui.cboTls->addItems({QStringLiteral("FTP, TLS indien beschikbaar"), QStringLiteral("FTP, alleen TLS"),
                         QStringLiteral("FTP zonder TLS"), QStringLiteral("SFTP (SSH)")});
    TipTonen(*ui.cboTls, QStringLiteral("FTP, met of zonder versleuteling (TLS), of SFTP over SSH"));
    ui.LabelWebsite = Label(v, "LabelWebsite", QStringLiteral("Website"));
    ui.txtWebsite = Veld(v, "txtWebsite", Invoer::ZonderSpatie);
    ui.LabelTijdverschil = Label(v, "LabelTijdverschil", QStringLiteral("Tijdverschil"));
    ui.txtTijdverschil = Maak<QLineEdit>(v, "txtTijdverschil");
    // What may be typed on the way to "+2", "-1:30", "14:00"; saving checks the whole.
    ui.txtTijdverschil->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[+-]?\\d{0,2}(:\\d{0,2})?")), ui.txtTijdverschil));
    ui.txtTijdverschil->setPlaceholderText(QStringLiteral("leeg: meten"));
    TipTonen(*ui.txtTijdverschil,
             QStringLiteral("Hoeveel de tijden in de lijsten van de server voorlopen op de lokale tijd,\n"
                            "in uren en minuten (bijvoorbeeld +2 of -1:30), bij het vergelijken van mappen.\n"
                            "Leeg: gemeten waar de server dat toelaat. MLSD-tijden hebben het niet nodig."));

    ui.knopOpslaan = Knop(v, "knopOpslaan", QStringLiteral("&Opslaan"));
    ui.knopOngedaanmaken = Knop(v, "knopOngedaanmaken", QStringLiteral("Ongedaan &maken"));
    ui.knopVerwijderen = Knop(v, "knopVerwijderen", QStringLiteral("Ver&wijderen"));
    ui.knopVerbinden = Knop(v, "knopVerbinden", QStringLiteral("&Verbinden"));
    ui.knopInternet = Knop(v, "knopInternet", QStringLiteral("&Website openen"));
    ui.knopVorige = Knop(v, "knopVorige", QStringLiteral("<"));
    ui.knopVolgende = Knop(v, "knopVolgende", QStringLiteral(">"));
    ui.knopNieuw = Knop(v, "knopNieuw", QStringLiteral("&Nieuw"));
    for (QPushButton* k : {ui.knopVorige, ui.knopVolgende})
        k->setFocusPolicy(Qt::NoFocus);

    ui.LabelAantal = Label(v, "LabelAantal", QStringLiteral("*/0"));
    ui.LabelAantal->setCursor(Qt::PointingHandCursor);
    ui.knopSelectie = Teken(v, "knopSelectie", QStringLiteral("\u2714"));
    ui.knopPotlood = Teken(v, "knopPotlood", QStringLiteral("\u270E"));
    ui.LabelSelectie = Label(v, "LabelSelectie", QString());
    ui.LabelWachtwoord->setCursor(Qt::PointingHandCursor);
    ui.LabelFormaat = Label(v, "LabelFormaat", QStringLiteral("\u2194"));
    ui.LabelFormaat->setAlignment(Qt::AlignCenter);
    ui.LabelFormaat->setCursor(Qt::SizeHorCursor);

    TipTonen(*ui.knopVorige, QStringLiteral("Vorige server (Page Down)"));
    TipTonen(*ui.knopVolgende, QStringLiteral("Volgende server (Page Up)"));
    // What a screen reader says for each field is the label before it.
    ui.knopVorige->setAccessibleName(QStringLiteral("Vorige server"));
    ui.knopVolgende->setAccessibleName(QStringLiteral("Volgende server"));
    ui.LabelNaam->setBuddy(ui.cboNaam);
    ui.LabelFtpHost->setBuddy(ui.txtFtpHost);
    ui.LabelTijdverschil->setBuddy(ui.txtTijdverschil);
    ui.LabelGebruikersnaam->setBuddy(ui.txtGebruikersnaam);
    ui.LabelWachtwoord->setBuddy(ui.txtWachtwoord);
    ui.LabelFtpPoort->setBuddy(ui.cboFtpPoort);
    ui.LabelTls->setBuddy(ui.cboTls);
    ui.LabelWebsite->setBuddy(ui.txtWebsite);
    ui.cboNaam->lineEdit()->setAccessibleName(QStringLiteral("Naam"));
    ui.cboFtpPoort->lineEdit()->setAccessibleName(QStringLiteral("Poort"));
    TipTonen(*ui.LabelAantal, QStringLiteral("Aantal servers\nKlikken: nieuw"));
    TipTonen(*ui.LabelWachtwoord, QStringLiteral("Rechtsklikken: wachtwoord tonen"));
    TipTonen(*ui.LabelFormaat,
             QStringLiteral("Slepen:\t\tformaat wijzigen\nDubbelklikken:\tstandaardformaat"));
    return ui;
}

void ServergegevensIndelen(const ServergegevensUi& ui, int breedte)
{
    breedte = std::max(breedte, Breedte);
    const TwipsSchaal schaal = TwipsSchaal::Van(ui.cboNaam);
    const auto zet = [&](QWidget* w, int x, int y, int b, int h) {
        w->setGeometry(schaal.NaarPixels(QRect(x, y, b, h)));
    };

    // The right column is as wide as its longest caption in the current font.
    int knopBreedte = KnopBreedte;
    for (QPushButton* knop :
         {ui.knopOpslaan, ui.knopOngedaanmaken, ui.knopVerwijderen, ui.knopVerbinden, ui.knopInternet})
        knopBreedte = std::max(knopBreedte, schaal.NaarTwipsX(knop->sizeHint().width()));
    const int knopLinks = breedte - Marge - knopBreedte;
    const int veldBreedte = knopLinks - 180 - VeldLinks;

    // Top row: the position, the way through the list, and the changed-state image at the right.
    zet(ui.LabelAantal, Marge, 180, LabelBreedte, RijHoogte);
    zet(ui.knopVorige, VeldLinks, 120, 600, KnopHoogte);
    zet(ui.knopVolgende, VeldLinks + 660, 120, 600, KnopHoogte);
    zet(ui.knopNieuw, VeldLinks + 1320, 120, 1000, KnopHoogte);
    for (QLabel* l : {ui.knopSelectie, ui.knopPotlood, ui.LabelSelectie})
        zet(l, knopLinks + knopBreedte - TekenMaat, 120, TekenMaat, TekenMaat);

    const std::pair<QLabel*, QWidget*> rijen[] = {
        {ui.LabelNaam, ui.cboNaam},
        {ui.LabelFtpHost, ui.txtFtpHost},
        {ui.LabelGebruikersnaam, ui.txtGebruikersnaam},
        {ui.LabelWachtwoord, ui.txtWachtwoord},
        {ui.LabelWachtwoordplek, ui.cboWachtwoordplek},
        {ui.LabelFtpPoort, ui.cboFtpPoort},
        {ui.LabelTls, ui.cboTls},
        {ui.LabelWebsite, ui.txtWebsite},
        {ui.LabelTijdverschil, ui.txtTijdverschil},
    };
    int y = EersteRij;
    for (const auto& [label, veld] : rijen) {
        zet(label, Marge, y, LabelBreedte, RijHoogte);
        // The TLS choice has no button beside it: its long captions take that room too.
        const int b = veld == ui.cboFtpPoort || veld == ui.txtTijdverschil ? std::min(veldBreedte, 1200)
                      : veld == ui.cboTls || veld == ui.cboWachtwoordplek ? knopLinks + knopBreedte - VeldLinks
                                                                          : veldBreedte;
        zet(veld, VeldLinks, y, b, RijHoogte);
        y += RijAfstand;
    }

    int k = EersteRij - 20;
    for (QPushButton* knop : {ui.knopOpslaan, ui.knopOngedaanmaken, ui.knopVerwijderen, ui.knopVerbinden}) {
        zet(knop, knopLinks, k, knopBreedte, KnopHoogte);
        k += KnopHoogte + 60;
    }
    // Beside the website it opens.
    zet(ui.knopInternet, knopLinks, EersteRij + 7 * RijAfstand - 20, knopBreedte, KnopHoogte);
    zet(ui.LabelFormaat, breedte - 300, Hoogte - 300, 300, 300);
}

} // namespace Vamox
