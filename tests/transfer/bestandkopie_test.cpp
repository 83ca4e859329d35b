#include "OverdrachtHulp.h"

#include "transfer/gui/Bestandkopie.h"

#include <QAction>
#include <QToolButton>

namespace Vamox::Test {
namespace {

using Bestandkopie = OverdrachtTest;

// The copy takes the first free number, runs as a job of the transfer list without a server, and
// is then the only selected row.
TEST_F(Bestandkopie, LokaleKopieIsDeEnigeSelectie)
{
    Schrijf(L("rapport.txt"), "het rapport");
    Schrijf(L("rapport (kopie 1).txt"), "ouder");
    Schrijf(L("zz.txt"), "z");
    LokaalTonen(lokaal.path());
    Selecteren(*ui().LijstBLokaal, {"rapport.txt"});

    QTest::mouseClick(ui().knopKopierenBestand, Qt::LeftButton);
    Overdrachtenklaar();
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(Lees(L("rapport (kopie 2).txt")), "het rapport");
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), QStringList{"rapport (kopie 2).txt"});
    EXPECT_EQ(venster->focusWidget(), ui().LijstBLokaal);
    ASSERT_EQ(venster->toestand().wachtrij.Klussen().size(), 1u);
    EXPECT_EQ(venster->toestand().wachtrij.Klussen().front().staat, Klus::Staat::Klaar);
}

// The server item copies the server's file through the work folder, whichever side had the
// focus, and selects the copy in the server list.
TEST_F(Bestandkopie, ServerkopieViaHetMenu)
{
    Verbinden();
    server->schrijf(QStringLiteral("rapport.txt"), "op de server");
    Kiezen();
    Selecteren(*ui().LijstBFtp, {"rapport.txt"});
    ui().LijstBLokaal->setFocus();

    venster->menus().mnuBestandFtpKopieren->trigger();
    Overdrachtenklaar();
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(server->lees(QStringLiteral("rapport (kopie 1).txt")), "op de server");
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBFtp), QStringList{"rapport (kopie 1).txt"});
    EXPECT_EQ(venster->focusWidget(), ui().LijstBFtp);
}

// Files dropped on a folder row land in that folder, replacing one of the same name without a
// question; the pane then shows that folder with exactly the dropped files selected.
TEST_F(Bestandkopie, NeerzettenOpEenMapregelKopieertDaarheen)
{
    for (const char* naam : {"a.txt", "b.txt", "c.txt", "d.txt"})
        Schrijf(L(QLatin1String(naam)), QByteArray("nieuw ") + naam);
    Schrijf(L("doel/b.txt"), "oud");
    Schrijf(L("doel/x.txt"), "x");
    LokaalTonen(lokaal.path());
    const int rij = RijVan(*ui().LijstLokaal, QStringLiteral("doel"));
    ASSERT_GE(rij, 0);
    RijSelecteren(*ui().LijstLokaal, rij);

    venster->bestandkopie().LokaalBestandenKopieren({L("a.txt"), L("b.txt"), L("c.txt")});
    Overdrachtenklaar();
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), L("doel") + u'/');
    EXPECT_EQ(Lees(L("doel/b.txt")), "nieuw b.txt");
    EXPECT_EQ(GeselecteerdeNamenVan(*ui().LijstBLokaal), (QStringList{"a.txt", "b.txt", "c.txt"}));
}

} // namespace
} // namespace Vamox::Test
