#include "transfer/OverdrachtHulp.h"

#include "../dialogs/MsgTestHulp.h"
#include "fileops/gui/Rechtenvenster.h"
#include "mainwindow/VensterMenus.h"
#include "panes/gui/LijstModel.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include <sys/stat.h>

namespace Vamox::Test {
namespace {

int Modus(const QString& pad)
{
    struct stat st{};
    return ::stat(QFile::encodeName(pad).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

QString RechtenIn(const LijstWeergave& lijst, const QString& naam)
{
    const LijstModel& m = lijst.lijstModel();
    for (int r = 0; r < m.Aantal(); ++r)
        if (m.Rij(r).naam == naam) return m.index(r, LijstModel::KolomRechten).data().toString();
    return QStringLiteral("<ontbreekt>");
}

class RechtenvensterTest : public OverdrachtTest
{
};

// Two files of 644 and 664: only group write is three-state; typing an octal number sets the
// boxes, a click on a box the number; OK changes both on the server, and the list shows it.
TEST_F(RechtenvensterTest, GemengdeSelectieOctaalEnVakjes)
{
    Verbinden();
    for (const auto& [naam, modus] : {std::pair{"a.txt", 0644}, {"b.txt", 0664}}) {
        Schrijf(server->pad(QLatin1String(naam)), "x");
        ASSERT_EQ(::chmod(QFile::encodeName(server->pad(QLatin1String(naam))).constData(), mode_t(modus)), 0);
    }
    Kiezen();
    ServerTonen(QStringLiteral("/"));
    LijstWeergave& lijst = *ui().LijstBFtp;
    EXPECT_TRUE(lijst.isColumnHidden(LijstModel::KolomRechten));
    EXPECT_EQ(RechtenIn(lijst, QStringLiteral("b.txt")), QStringLiteral("rw-rw-r--"));
    Selecteren(lijst, {"a.txt", "b.txt"});

    bool gezien = false;
    MetModaal(
        "frmRechten",
        [&] {
            venster->menus().mnuBestandFtpRechten->trigger();
            return 0;
        },
        [&](QDialog& d) {
            gezien = true;
            auto& v = static_cast<Rechtenvenster&>(d);
            EXPECT_TRUE(v.vakje(4)->isTristate());
            EXPECT_EQ(v.vakje(4)->checkState(), Qt::PartiallyChecked);
            EXPECT_FALSE(v.vakje(3)->isTristate());
            EXPECT_EQ(v.vakje(3)->checkState(), Qt::Checked);
            EXPECT_EQ(v.octaal()->text(), QStringLiteral("6x4"));
            EXPECT_EQ(v.vakje(4)->accessibleName(), QStringLiteral("Groep schrijven"));

            // Alt+O to the number, typed over.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
            ASSERT_EQ(QApplication::focusWidget(), v.octaal());
            QTest::keyClick(v.octaal(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("640"));
            EXPECT_EQ(v.vakje(4)->checkState(), Qt::Unchecked);
            EXPECT_EQ(v.vakje(3)->checkState(), Qt::Checked);
            EXPECT_EQ(v.vakje(6)->checkState(), Qt::Unchecked);

            // A click on "Anderen uitvoeren" changes the number.
            QTest::mouseClick(v.vakje(8), Qt::LeftButton, {}, v.vakje(8)->rect().center());
            EXPECT_EQ(v.octaal()->text(), QStringLiteral("641"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
    ASSERT_TRUE(gezien);
    Overdrachtenklaar();
    EXPECT_EQ(Modus(server->pad(QStringLiteral("a.txt"))), 0641);
    EXPECT_EQ(Modus(server->pad(QStringLiteral("b.txt"))), 0641);
    EXPECT_TRUE(WachtTot([&] { return RechtenIn(lijst, QStringLiteral("b.txt")) == QStringLiteral("rw-r----x"); }))
        << RechtenIn(lijst, QStringLiteral("b.txt")).toStdString();
}

} // namespace
} // namespace Vamox::Test
