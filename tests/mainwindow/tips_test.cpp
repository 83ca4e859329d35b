#include "VensterHulp.h"

#include "dialogs/DialoogSeam.h"
#include "dialogs/Tooltip.h"
#include "mainwindow/Opstarten.h"
#include "panes/gui/LijstModel.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/Navigatie.h"
#include "support/Wachten.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <functional>

namespace Vamox::Test {
namespace {

QString Tip(const FrmFtp& venster, const char* naam)
{
    const auto* besturing = venster.findChild<QWidget*>(QLatin1String(naam));
    if (besturing == nullptr) return QStringLiteral("<geen besturing>");
    const Tooltip* tip = TipVan(*besturing);
    return tip == nullptr ? QStringLiteral("<geen tip>") : tip->Tekst();
}

// Every control that explains itself does, in the state of a window that has not connected.
TEST(Tips, ElkeBesturingHeeftZijnTip)
{
    auto venster = GetoondVenster();
    const std::pair<const char*, const char*> tips[] = {
        {"LabelKnoppenbalk", "Knoppenbalk tonen/verbergen"},
        {"knopUploadBestandKiezen",
         "Uploadbestand uploaden (een bestand om herhaaldelijk te kunnen uploaden)\n"
         "Rechtsklikken: uploadbestand selecteren\n (Of sleep uploadbestand in knop)"},
        {"knopServergegevens", "Servergegevens openen\nRechtsklikken: laatstelijke server ophalen"},
        {"knopPatroonLokaal",
         "Patroon bestandsnamen selecteren (cursief)\nRechtsklikken: patroonselectie ongedaan maken"},
        {"knopPatroonFtp",
         "Patroon bestandsnamen selecteren (cursief)\nRechtsklikken: patroonselectie ongedaan maken"},
        {"cboPatroonLokaal", "Patroon bestandsnamen\nJokers * en ? toegestaan\nEnter: selecteren"},
        {"cboPatroonFtp", "Patroon bestandsnamen\nJokers * en ? toegestaan\nEnter: selecteren"},
        {"MapLokaal",
         "Enter: lokale map selecteren (inclusief netwerk map)\n (Tip: begin een lokale netwerkmap met "
         "één backslash \\)\nRechtsklikken: map in Verkenner openen\nEscape: actuele lokale map "
         "selecteren\nRood: lokale map niet gevonden"},
        {"MapFtp",
         "Enter: servermap selecteren\nEscape: actuele servermap selecteren\nRood: servermap niet gevonden"},
        {"knopZoekenLokaal", "Zoeken in binaire lokale bestanden (vet)\nEscape: lokale bestand overslaan\n"
                             "Shift+Escape: zoeken afbreken\nRechtsklikken: zoeken ongedaan maken"},
        {"knopZoekenFtp", "Zoeken in binaire serverbestanden (vet)\nEscape: serverbestand overslaan\n"
                          "Shift+Escape: zoeken afbreken\nRechtsklikken: zoeken ongedaan maken"},
        {"VakZoekenLokaal",
         "Zoekopdracht (jokers niet toegestaan)\nEnter: zoeken in binaire lokale bestanden"},
        {"VakZoekenFtp", "Zoekopdracht (jokers niet toegestaan)\nEnter: zoeken in binaire serverbestanden"},
        {"knopBDownloaden",
         "Serverbestanden (0) downloaden\nRechtsklikken: laatste gedownloade bestanden (0) "
         "opnieuw downloaden"},
        {"knopBUploaden", "Lokale bestanden (0) uploaden\nRechtsklikken: laatste geüploade bestanden (0) "
                          "opnieuw uploaden"},
        {"knopVerwijderenBestand", "Bestand(en) verwijderen\n (Of sleep te verwijderen bestanden in knop)"},
        {"knopVerwijderenMap", "Map verwijderen\n (Of sleep te verwijderen map in knop)"},
        {"knopOpenen", "Bestand openen"},
        {"knopKopierenBestand", "Bestand kopiëren"},
        {"knopKopierenNaarKlembord", "Bestanden naar Klembord kopiëren"},
        {"knopMapHoger", "Lokale map hoger (Backspace)\nRechtsklikken: hoofdmap"},
        {"knopMapNieuw", "Nieuwe lokale map maken"},
        {"knopUploaden", "Lokale map uploaden"},
        {"knopDownloaden", "Servermap downloaden"},
        {"KnopVerbreken", "Verbinding met server verbreken"},
        {"LabelFtp", "Rood: niet verbonden met een Ftp server"},
        {"LabelLokaal", "Actuele lokale map: "},
    };
    for (const auto& [naam, tekst] : tips)
        EXPECT_EQ(Tip(*venster, naam), QString::fromUtf8(tekst)) << naam;
}

void Rijen(LijstWeergave& lijst, const QStringList& namen)
{
    std::vector<ListRow> rijen;
    for (const QString& naam : namen)
        rijen.push_back({.naam = naam});
    lijst.lijstModel().RijenVervangen(std::move(rijen));
}

// Tips made when shown name the selection, the last transfers and the remembered places.
TEST(Tips, TipsVolgenDeToestand)
{
    auto venster = GetoondVenster();
    VensterUi& ui = venster->ui();
    Toestand& t = venster->toestand();
    const struct
    {
        const char* naam;
        std::function<void()> zetten;
        const char* tekst;
    } gevallen[] = {
        {"knopBUploaden",
         [&] {
             Rijen(*ui.LijstBLokaal, {"a.txt", "b.txt"});
             RijSelecteren(*ui.LijstBLokaal, 1);
             t.LaatsteUploads = {"ctx", "1", "2", "3"};
         },
         "Lokale bestand 'b.txt' uploaden\nRechtsklikken: laatste geüploade bestanden (3) opnieuw uploaden"},
        {"knopOpenen", [&] { ui.LijstBLokaal->setFocus(); }, "Lokale bestand 'b.txt' openen"},
        {"knopVerwijderenMap",
         [&] {
             Rijen(*ui.LijstLokaal, {" ..", "docs"});
             RijSelecteren(*ui.LijstLokaal, 0);
             ui.LijstLokaal->setFocus();
         },
         "Map verwijderen\n (Of sleep te verwijderen map in knop)"},
        {"knopUploaden", [&] { RijSelecteren(*ui.LijstLokaal, 1); }, "Lokale map 'docs' uploaden"},
        {"knopServergegevens",
         [&] {
             t.opgeslagen.OpgeslagenServer = QStringLiteral("thuis");
             t.opgeslagen.OpgeslagenServermap = QStringLiteral("/www");
         },
         "Servergegevens openen\nRechtsklikken: laatstelijke server ophalen: thuis / /www"},
        {"LabelFtp", [] {},
         "Rood: niet verbonden met een Ftp server\nRechtsklikken: laatstelijke servermap ophalen: /www"},
        {"knopMapNieuw", [&] { ui.MapFtp->setFocus(); }, "Nieuwe servermap maken"},
    };
    for (const auto& [naam, zetten, tekst] : gevallen) {
        zetten();
        EXPECT_EQ(Tip(*venster, naam), QString::fromUtf8(tekst)) << naam;
    }
}

// Resting the pointer on a control shows its tip with the value of that moment.
TEST(Tips, WijzenToontDeTip)
{
    auto venster = GetoondVenster();
    VensterUi& ui = venster->ui();
    ui.LijstBLokaal->setFocus();
    Rijen(*ui.LijstBLokaal, {"c.txt"});
    RijSelecteren(*ui.LijstBLokaal, 0);
    QCursor::setPos(QPoint(-100, -100));
    QTest::mouseMove(ui.knopKopierenBestand, ui.knopKopierenBestand->rect().center());
    EXPECT_TRUE(WachtTot([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Lokale bestand 'c.txt' kopiëren"));
    QToolTip::hideText();
}

// A click on the background beside the controls.
void AchtergrondKlik(FrmFtp& venster, Qt::MouseButton knop)
{
    const QPoint plek = venster.ui().centraal->mapTo(&venster, QPoint(2, 2));
    ASSERT_EQ(venster.childAt(plek), venster.ui().LabelKnoppenbalk);
    QTest::mouseClick(venster.windowHandle(), knop, {}, plek);
}

TEST(Tips, AchtergrondKlikVerbergtEnToontDeKnoppenbalkZonderVinkje)
{
    auto venster = GetoondVenster();
    const VensterUi& ui = venster->ui();
    const QAction* vinkje = venster->menus().mnuInstellingenKnoppenbalk;
    const QList<QToolButton*> balk = {ui.knopServergegevens, ui.knopBDownloaden, ui.knopVerwijderenBestand};

    AchtergrondKlik(*venster, Qt::LeftButton);
    for (const QToolButton* knop : balk)
        EXPECT_TRUE(knop->isHidden()) << knop->objectName().toStdString();
    EXPECT_TRUE(vinkje->isChecked());
    EXPECT_TRUE(ui.LijstLokaal->isVisible());

    AchtergrondKlik(*venster, Qt::LeftButton);
    for (const QToolButton* knop : balk)
        EXPECT_FALSE(knop->isHidden()) << knop->objectName().toStdString();
    EXPECT_TRUE(vinkje->isChecked());

    QMenu* bestand = venster->menus().mnuBestand;
    AchtergrondKlik(*venster, Qt::RightButton);
    EXPECT_TRUE(WachtTot([&] { return bestand->isVisible(); }));
    bestand->close();
    EXPECT_FALSE(ui.knopServergegevens->isHidden());
}

TEST(Tips, InfoMenuToontTipsEnOver)
{
    FrmFtp venster;
    DialoogOpnemer opnemer({1, 1});
    venster.menus().mnuInfoTips->trigger();
    venster.menus().mnuInfoOver->trigger();
    ASSERT_EQ(opnemer.Vragen().size(), 2U);

    const MOpties& tips = opnemer.Vragen()[0].opties;
    EXPECT_EQ(tips.Pictogram, 1);
    const QStringList blokken = tips.Tekst.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(blokken.size(), 5);
    EXPECT_EQ(blokken[0], QStringLiteral("TIP 1\r\n Klikken in het venster toont/verbergt de knoppenbalk."));
    EXPECT_TRUE(blokken[2].contains(QStringLiteral("(in en uit het venster)  beschikbaar.\r\n Met Alt")));
    for (const QString& blok : blokken)
        for (const QString& regel : blok.split(QStringLiteral("\r\n")).mid(1))
            EXPECT_TRUE(regel.startsWith(u' ')) << regel.toStdString();

    const MOpties& over = opnemer.Vragen()[1].opties;
    EXPECT_EQ(over.Pictogram, 1);
    EXPECT_EQ(over.Knoppen, QStringLiteral("&OK+&E-mail"));
    EXPECT_EQ(over.Codes, QStringLiteral("1+0"));
    EXPECT_TRUE(over.Tekst.startsWith(QStringLiteral("Versie\t\t  0.1.0.0\r\nBestandsnaam\t  ")))
        << over.Tekst.toStdString();
}

} // namespace
} // namespace Vamox::Test
