#include "LijstHulp.h"

#include "panes/LokaleMap.h"
#include "panes/Rijen.h"
#include "panes/gui/PaneelVulling.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace Vamox::Test {
namespace {

class Weergave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lijst.reset(NieuweLijst(beelden, LijstSoort::Bestanden, "LijstBLokaal"));
        std::vector<ListRow> rijen;
        for (int i = 0; i < 40; ++i)
            rijen.push_back(
                Bestand(qPrintable(QStringLiteral("bestand%1.txt").arg(i, 2, 10, QLatin1Char('0'))), i));
        lijst->lijstModel().RijenVervangen(std::move(rijen));
        lijst->resize(400, 900);
        lijst->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lijst.get()));
    }

    QPoint Midden(int rij) const { return lijst->visualRect(lijst->model()->index(rij, 0)).center(); }

    void Klik(int rij, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton knop = Qt::LeftButton)
    {
        QTest::mouseClick(lijst->viewport(), knop, mods, Midden(rij));
    }

    ImageLijst16 beelden;
    std::unique_ptr<LijstWeergave> lijst;
};

struct Klikken
{
    const char* geval;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> kliks;
    int verwacht;
};

void PrintTo(const Klikken& k, std::ostream* uit)
{
    *uit << k.geval;
}

class Geselecteerd : public Weergave, public ::testing::WithParamInterface<Klikken>
{
};

// The count from the selection ranges equals the rows a full walk finds, however the
// selection was built up by the user.
TEST_P(Geselecteerd, AantalUitDeBereikenKloptMetDeRijen)
{
    for (const auto& [rij, mods] : GetParam().kliks)
        Klik(rij, mods);
    EXPECT_EQ(lijst->AantalGeselecteerd(), lijst->selectionModel()->selectedRows().size());
    EXPECT_EQ(lijst->AantalGeselecteerd(), GetParam().verwacht);
}

const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers Shift = Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Weergave, Geselecteerd,
    ::testing::Values(Klikken{"geen", {}, 0}, Klikken{"een", {{3, {}}}, 1},
                      Klikken{"reeks", {{2, {}}, {10, Shift}}, 9},
                      Klikken{"reeks_en_los", {{2, {}}, {10, Shift}, {20, Ctrl}}, 10},
                      // A second range that overlaps the first counts the shared rows once.
                      Klikken{"overlappend", {{2, {}}, {10, Shift}, {8, Ctrl}, {14, Ctrl | Shift}}, 13},
                      Klikken{"uitgezet", {{2, {}}, {10, Shift}, {5, Ctrl}, {6, Ctrl}}, 7},
                      Klikken{"opnieuw_een", {{2, {}}, {10, Shift}, {7, {}}}, 1}),
    [](const auto& info) { return std::string(info.param.geval); });

TEST_F(Weergave, ToetsLosMeldtToetsEnModifiers)
{
    QSignalSpy spion(lijst.get(), &LijstWeergave::toetsLos);
    lijst->setFocus();
    QTest::keyClick(lijst.get(), Qt::Key_F5);
    QTest::keyClick(lijst.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(lijst.get(), Qt::Key_Backspace);
    // Held keys repeat their press and release; only the real release counts.
    QKeyEvent herhaald(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(lijst.get(), &herhaald);
    QTest::keyClick(lijst.get(), Qt::Key_Delete);

    // Ctrl is a key of its own and reports its release too, as on a real keyboard.
    const std::pair<int, Qt::KeyboardModifiers> verwacht[] = {{Qt::Key_F5, Qt::NoModifier},
                                                              {Qt::Key_A, Qt::ControlModifier},
                                                              {Qt::Key_Control, Qt::NoModifier},
                                                              {Qt::Key_Backspace, Qt::NoModifier},
                                                              {Qt::Key_Delete, Qt::NoModifier}};
    ASSERT_EQ(spion.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(spion[i][0].toInt(), verwacht[i].first) << i;
        if (verwacht[i].first != Qt::Key_Control) {
            EXPECT_EQ(spion[i][1].value<Qt::KeyboardModifiers>(), verwacht[i].second) << i;
        }
    }
}

TEST_F(Weergave, DubbelklikOokOnderDeLaatsteRij)
{
    lijst->lijstModel().RijenVervangen({Bestand("een")});
    QSignalSpy spion(lijst.get(), &LijstWeergave::dubbelklik);
    QTest::mouseDClick(lijst->viewport(), Qt::LeftButton, {}, QPoint(20, lijst->viewport()->height() - 10));
    EXPECT_EQ(spion.size(), 1);
    QTest::mouseDClick(lijst->viewport(), Qt::LeftButton, {}, Midden(0));
    EXPECT_EQ(spion.size(), 2);
}

TEST_F(Weergave, MuisLosGeeftKnopEnSchermpositie)
{
    QSignalSpy spion(lijst.get(), &LijstWeergave::muisLos);
    Klik(4, {}, Qt::RightButton);
    ASSERT_EQ(spion.size(), 1);
    EXPECT_EQ(spion[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(spion[0][1].toPoint(), lijst->viewport()->mapToGlobal(Midden(4)));
}

TEST_F(Weergave, KopKlikMeldtDeKolomEnSorteertNiet)
{
    QSignalSpy spion(lijst.get(), &LijstWeergave::kopGeklikt);
    const QStringList voor = Namen(lijst->lijstModel());
    QHeaderView* kop = lijst->header();
    QTest::mouseClick(kop->viewport(), Qt::LeftButton, {},
                      QPoint(kop->sectionViewportPosition(1) + kop->sectionSize(1) / 2, kop->height() / 2));
    ASSERT_EQ(spion.size(), 1);
    EXPECT_EQ(spion[0][0].toInt(), 1);
    EXPECT_EQ(Namen(lijst->lijstModel()), voor);
}

TEST_F(Weergave, MappenlijstKiestEenRij)
{
    std::unique_ptr<LijstWeergave> mappen(NieuweLijst(beelden, LijstSoort::Mappen, "LijstLokaal"));
    mappen->lijstModel().RijenVervangen({ListRow{" ..", 0, {}, "mapomhoog"}, ListRow{"a", 0, {}, "map"}});
    mappen->resize(300, 200);
    mappen->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mappen.get()));
    auto midden = [&](int rij) { return mappen->visualRect(mappen->model()->index(rij, 0)).center(); };
    QTest::mouseClick(mappen->viewport(), Qt::LeftButton, {}, midden(0));
    QTest::mouseClick(mappen->viewport(), Qt::LeftButton, Qt::ControlModifier, midden(1));
    EXPECT_EQ(mappen->AantalGeselecteerd(), 1);
    EXPECT_EQ(mappen->selectionModel()->selectedRows().value(0).row(), 1);
}

TEST_F(Weergave, AchtergrondkleurVanDeHeleLijst)
{
    const QColor normaal = lijst->Achtergrondkleur();
    const QColor groen(0xE9, 0xFE, 0xE2);
    lijst->ZetAchtergrondkleur(groen);
    EXPECT_EQ(lijst->viewport()->palette().color(QPalette::Base), groen);
    // Below the last row too.
    lijst->lijstModel().RijenVervangen({Bestand("een")});
    const QImage beeld = lijst->viewport()->grab().toImage();
    EXPECT_EQ(beeld.pixelColor(beeld.width() / 2, beeld.height() - 5), groen);
    lijst->ZetAchtergrondkleur(QColor());
    EXPECT_EQ(lijst->Achtergrondkleur(), normaal);
}

TEST(ImageLijst16, BeginsleutelsUitDeBronnen)
{
    ImageLijst16 beelden;
    EXPECT_EQ(beelden.Sleutels(),
              (QStringList{"map", "bestand", "sort_af", "sort_op", "mapplus", "mapomhoog"}));
    for (const QString& sleutel : beelden.Sleutels()) {
        const QPixmap beeld = beelden.Icoon(sleutel).pixmap(16, 16);
        EXPECT_FALSE(beeld.isNull()) << sleutel.toStdString();
        EXPECT_EQ(beeld.size(), QSize(16, 16)) << sleutel.toStdString();
    }
}

TEST(ImageLijst16, EenBeeldPerExtensie)
{
    ImageLijst16 beelden;
    beelden.ToevoegenAanImagelijst16(QStringLiteral(".TXT"));
    beelden.ToevoegenAanImagelijst16(QStringLiteral("txt"));
    beelden.ToevoegenAanImagelijst16(QStringLiteral("bestand"));
    beelden.ToevoegenAanImagelijst16(QStringLiteral("map"));
    EXPECT_EQ(beelden.Sleutels().size(), 7);
    EXPECT_EQ(beelden.Sleutels().last(), QStringLiteral("txt"));
    EXPECT_FALSE(beelden.Icoon(QStringLiteral("txt")).isNull());

    // No kind of file known for it: the plain file picture.
    beelden.ToevoegenAanImagelijst16(QStringLiteral("zqx7"));
    EXPECT_EQ(beelden.Icoon(QStringLiteral("zqx7")).cacheKey(),
              beelden.Icoon(QStringLiteral("bestand")).cacheKey());
    EXPECT_TRUE(beelden.Icoon(QStringLiteral("onbekend")).isNull());
}

// Local files as a fill lists them: one key, and one picture, per kind of file and per program
// name; a program's key is its name up to the first "." without spaces.
TEST(ImageLijst16, EenSleutelPerSoortEnPerProgramma)
{
    const std::vector<std::pair<QString, QString>> bestanden = {
        {"a/readme.txt", "txt"},   {"a/NOTES.TXT", "txt"},   {"a/leesmij", "bestand"},
        {"a/kaart.map", "map"},    {"a/setup.exe", "setup"}, {"a/Big Tool.setup.exe", "bigtool"},
        {"a/My App.EXE", "myapp"}, {"a/Txt.exe", "txt"},     {"b/setup.exe", "setup"},
    };
    QTemporaryDir tijdelijk;
    const QDir basis(tijdelijk.path());
    for (const auto& [pad, sleutel] : bestanden) {
        ASSERT_TRUE(basis.mkpath(QFileInfo(pad).path()));
        QFile f(basis.filePath(pad));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    ImageLijst16 beelden;
    QComboBox patroon;
    std::map<QString, QString> gekregen;
    for (const QString map : {"a", "b"}) {
        const QString pad = basis.filePath(map) + u'/';
        const std::optional<Mapinhoud> inhoud = LokaleMapLezen(pad);
        ASSERT_TRUE(inhoud);
        Bestandsvulling vulling(patroon, beelden, pad);
        for (const FtpEntry& entry : inhoud->bestanden)
            vulling.Toevoegen(RijVan(entry));
        std::unique_ptr<LijstWeergave> lijst(NieuweLijst(beelden, LijstSoort::Bestanden, "LijstBLokaal"));
        vulling.Afronden(*lijst);
        for (const ListRow& rij : lijst->lijstModel().Rijen())
            gekregen[map + u'/' + rij.naam] = rij.icoonSleutel;
    }
    for (const auto& [pad, sleutel] : bestanden)
        EXPECT_EQ(gekregen[pad], sleutel) << pad.toStdString();
    EXPECT_EQ(beelden.Sleutels().mid(6), (QStringList{"bigtool", "myapp", "txt", "setup"}));
    for (const QString& sleutel : beelden.Sleutels())
        EXPECT_FALSE(beelden.Icoon(sleutel).isNull()) << sleutel.toStdString();
}

} // namespace
} // namespace Vamox::Test
