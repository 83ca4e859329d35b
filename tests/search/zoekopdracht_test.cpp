#include "transfer/OverdrachtHulp.h"

#include "platform/AppInfo.h"
#include "platform/gui/Toetsenbord.h"
#include "search/gui/Zoekopdracht.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QToolButton>

namespace Vamox::Test {
namespace {

class Zoekopdracht : public OverdrachtTest
{
protected:
    // Types into the search box the way a person does: click it, then keys to the focus.
    void ZoektekstTypen(QLineEdit* vak, const QString& tekst, bool enter)
    {
        QTest::mouseClick(vak, Qt::LeftButton);
        ASSERT_TRUE(WachtTot([&] { return QApplication::focusWidget() == vak; }));
        QTest::keyClicks(QApplication::focusWidget(), tekst);
        if (enter) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    static QStringList Namen(const LijstWeergave& lijst)
    {
        QStringList uit;
        for (const ListRow& r : lijst.lijstModel().Rijen())
            uit << r.naam;
        return uit;
    }

    bool Vet(const LijstWeergave& lijst, const QToolButton& knop)
    {
        EXPECT_EQ(lijst.font().bold(), knop.isChecked());
        return lijst.font().bold();
    }

    void LokaleBestanden()
    {
        Schrijf(L("a.txt"), "xxABCxx");
        Schrijf(L("b.txt"), "niets");
        Schrijf(L("leeg.txt"), "");
        Schrijf(L("d.log"), "abc");
        LokaalTonen(lokaal.path());
        ASSERT_EQ(Namen(*ui().LijstBLokaal), (QStringList{"a.txt", "b.txt", "d.log", "leeg.txt"}));
    }
};

// Enter in the box searches; the hits are counted, the ones the typed (not applied) pattern lets
// through are listed, in bold. A right click on the button brings every file back, not bold.
TEST_F(Zoekopdracht, LokaalZoekenToontDeTreffersVetEnRechtsklikHerstelt)
{
    LokaleBestanden();
    ui().cboPatroonLokaal->setEditText(QStringLiteral("*.txt"));
    ZoektekstTypen(ui().VakZoekenLokaal, QStringLiteral("abc"), true);

    ASSERT_EQ(gesteld.size(), 1u) << Teksten().join(u'|').toStdString();
    const MOpties& melding = gesteld[0].opties;
    EXPECT_EQ(melding.Tekst, QStringLiteral("Gevonden: 2."));
    EXPECT_EQ(melding.Pictogram, 1);
    EXPECT_EQ(melding.Knoppen, QString());
    EXPECT_EQ(melding.SluitenNa, 750);
    EXPECT_EQ(Namen(*ui().LijstBLokaal), QStringList{"a.txt"});
    EXPECT_TRUE(Vet(*ui().LijstBLokaal, *ui().knopZoekenLokaal));
    EXPECT_EQ(venster->windowTitle(), AppTitel());
    EXPECT_FALSE(venster->zoekopdracht().Bezig());

    ui().cboPatroonLokaal->setEditText(QString());
    QTest::mouseClick(ui().knopZoekenLokaal, Qt::RightButton);
    EXPECT_EQ(Namen(*ui().LijstBLokaal), (QStringList{"a.txt", "b.txt", "d.log", "leeg.txt"}));
    EXPECT_EQ(ui().VakZoekenLokaal->text(), QString());
    EXPECT_FALSE(Vet(*ui().LijstBLokaal, *ui().knopZoekenLokaal));
    EXPECT_EQ(gesteld.size(), 1u);
}

// Shift held when the first file is due stops at once: the rows stay, nothing is counted, the
// list is bold all the same. A copy asked for meanwhile does nothing.
TEST_F(Zoekopdracht, ShiftStoptMetDeRijenOngewijzigdEnKopierenWacht)
{
    LokaleBestanden();
    Selecteren(*ui().LijstBLokaal, {"a.txt"});
    ZoektekstTypen(ui().VakZoekenLokaal, QStringLiteral("abc"), false);
    bool tijdensZoeken = false;
    QTimer::singleShot(0, venster.get(), [&] {
        tijdensZoeken = venster->zoekopdracht().Bezig();
        QTest::mouseClick(ui().knopKopierenBestand, Qt::LeftButton);
    });
    {
        const ToetsenbordVoorTest toetsen(Qt::ShiftModifier);
        QTest::mouseClick(ui().knopZoekenLokaal, Qt::LeftButton);
    }
    EXPECT_TRUE(tijdensZoeken);
    EXPECT_TRUE(gesteld.empty()) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(Namen(*ui().LijstBLokaal), (QStringList{"a.txt", "b.txt", "d.log", "leeg.txt"}));
    EXPECT_EQ(QDir(lokaal.path()).entryList(QDir::Files).size(), 4);
    EXPECT_TRUE(Vet(*ui().LijstBLokaal, *ui().knopZoekenLokaal));
    EXPECT_EQ(venster->windowTitle(), AppTitel());
    EXPECT_FALSE(venster->zoekopdracht().Bezig());
}

// Server files are fetched one by one; one that is gone since the listing is no hit (the work
// file still holds the hit before it) and is told after the count. The caption names the file
// in hand while the count shows, also when the transfers of the search end while it is shown
// (the last file is large and the line slow, so it arrives after the search reached it).
TEST_F(Zoekopdracht, ServerZoekenMeldtWatNietGedownloadKon)
{
    Verbinden({.snelheid = 200'000});
    server->schrijf(QStringLiteral("a.txt"), "een NAALD");
    server->schrijf(QStringLiteral("b.txt"), "weg na de listing");
    server->schrijf(QStringLiteral("c.txt"), QByteArray(150'000, 'h'));
    Kiezen();
    ASSERT_TRUE(QFile::remove(server->pad(QStringLiteral("b.txt"))));
    QString titel;
    bijVraag = [&](const DialoogVraag&) {
        if (titel.isNull()) titel = venster->windowTitle();
    };
    ZoektekstTypen(ui().VakZoekenFtp, QStringLiteral("naald"), false);
    QTest::mouseClick(ui().knopZoekenFtp, Qt::LeftButton);

    ASSERT_EQ(gesteld.size(), 2u) << Teksten().join(u'|').toStdString();
    EXPECT_EQ(gesteld[0].opties.Tekst, QStringLiteral("Gevonden: 1."));
    EXPECT_EQ(titel,
              QStringLiteral("Escape=Overslaan. Shift+Escape=Afbreken.  Even geduld. Zoeken in: c.txt: "
                             "3/3. Gevonden: 1 ..."));
    EXPECT_TRUE(gesteld[1].opties.Tekst.contains(QLatin1String("\r\n b.txt")))
        << gesteld[1].opties.Tekst.toStdString();
    EXPECT_EQ(gesteld[1].opties.Pictogram, 4);
    EXPECT_EQ(Namen(*ui().LijstBFtp), QStringList{"a.txt"});
    EXPECT_TRUE(Vet(*ui().LijstBFtp, *ui().knopZoekenFtp));
}

} // namespace
} // namespace Vamox::Test
