#include "support/Wachten.h"

#include "dialogs/Tooltip.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

class TooltipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* indeling = new QVBoxLayout(&venster);
        label = new QLabel(QStringLiteral("Label"), &venster);
        vak = new QLineEdit(&venster);
        indeling->addWidget(label);
        indeling->addWidget(vak);
        venster.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&venster));
    }
    void TearDown() override { QToolTip::hideText(); }

    // Rests the pointer on the control (coming from outside the window) and waits for its tip.
    static bool Rusten(QWidget* besturing)
    {
        QToolTip::hideText();
        if (!WachtTot([] { return !QToolTip::isVisible(); }, 3000)) return false;
        QCursor::setPos(QPoint(-100, -100));
        QTest::mouseMove(besturing, besturing->rect().center());
        return WachtTot([&] { return QToolTip::isVisible(); }, 3000);
    }

    QWidget venster;
    QLabel* label = nullptr;
    QLineEdit* vak = nullptr;
};

TEST_F(TooltipTest, EenLabelToontRegelsOpLichtgeelMetZwarteTekst)
{
    const Tooltip& tip = TipTonen(*label, QStringLiteral("Actuele map\r\nRechtsklikken: ophalen"));
    EXPECT_EQ(tip.DelayTime, 100);
    EXPECT_EQ(tip.VisibleTime, 3000);

    ASSERT_TRUE(Rusten(label));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Actuele map\nRechtsklikken: ophalen"));
    QWidget* tiplabel = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("qtooltip_label") && w->isVisible()) tiplabel = w;
    ASSERT_NE(tiplabel, nullptr);
    EXPECT_EQ(tiplabel->palette().color(QPalette::ToolTipBase), QColor(255, 255, 238));
    EXPECT_EQ(tiplabel->palette().color(QPalette::ToolTipText), QColor(0, 0, 0));
}

TEST_F(TooltipTest, DeLaatsteTekstEnDeHuidigeWaardeWinnen)
{
    int teller = 0;
    TipTonen(*vak, QStringLiteral("eerste"));
    TipTonen(*vak, TipBron([&] { return QStringLiteral("keer %1").arg(++teller); }));
    ASSERT_TRUE(Rusten(vak));
    const QString eerste = QToolTip::text();
    EXPECT_TRUE(eerste.startsWith(QStringLiteral("keer "))) << eerste.toStdString();
    ASSERT_TRUE(Rusten(vak));
    EXPECT_NE(QToolTip::text(), eerste);
}

TEST_F(TooltipTest, GegevenKleurenEnZichtbaarheidsduur)
{
    TipTonen(*label, QStringLiteral("kort"),
             {.Achtergrond = QColor(0, 0, 128), .Tekstkleur = QColor(255, 255, 255), .Zichtbaar = 200});
    ASSERT_TRUE(Rusten(label));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0, 0, 128));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipText), QColor(255, 255, 255));
    // It goes by itself while the pointer stays.
    EXPECT_TRUE(WachtTot([] { return !QToolTip::isVisible(); }, 5000));
}

} // namespace
} // namespace Vamox::Test
