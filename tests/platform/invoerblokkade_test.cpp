#include "platform/gui/Invoerblokkade.h"
#include "platform/gui/Toetsenbord.h"
#include "support/Wachten.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

// A window with a button, a text box and a shortcut, and a second window beside it.
class Blokkade : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* indeling = new QVBoxLayout(&venster);
        knop = new QPushButton(QStringLiteral("Knop"), &venster);
        vak = new QLineEdit(&venster);
        indeling->addWidget(knop);
        indeling->addWidget(vak);
        sneltoets = new QAction(&venster);
        sneltoets->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
        venster.addAction(sneltoets);
        venster.show();
        anderVenster.show();
        venster.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&venster));
        vak->setFocus();
        EscapeIngedrukt();
    }

    QWidget venster;
    QWidget anderVenster;
    QPushButton* knop = nullptr;
    QLineEdit* vak = nullptr;
    QAction* sneltoets = nullptr;
    Invoerblokkade blokkade{venster};
};

TEST_F(Blokkade, BezigHoudtKlikkenEnToetsenTegen)
{
    QSignalSpy geklikt(knop, &QPushButton::clicked);
    QSignalSpy enter(vak, &QLineEdit::returnPressed);
    QSignalSpy snel(sneltoets, &QAction::triggered);

    blokkade.ZetBezig(true);
    QTest::mouseClick(knop, Qt::LeftButton);
    QTest::keyClick(vak, Qt::Key_Return);
    QTest::keyClick(vak, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(geklikt.count(), 0);
    EXPECT_EQ(enter.count(), 0);
    EXPECT_EQ(snel.count(), 0);
    // Typing into a text box goes on; Escape is recorded and read once.
    QTest::keyClicks(vak, QStringLiteral("ab"));
    QTest::keyClick(vak, Qt::Key_Backspace);
    EXPECT_EQ(vak->text(), QStringLiteral("a"));
    QTest::keyClick(knop, Qt::Key_Escape);
    EXPECT_TRUE(EscapeIngedrukt());
    EXPECT_FALSE(EscapeIngedrukt());

    knop->setFocus(); // the held-back Enter is dropped (see below)
    blokkade.ZetBezig(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(enter.count(), 0);
    vak->setFocus();
    QTest::mouseClick(knop, Qt::LeftButton);
    QTest::keyClick(vak, Qt::Key_Return);
    QTest::keyClick(vak, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(geklikt.count(), 1);
    EXPECT_EQ(enter.count(), 1);
    EXPECT_EQ(snel.count(), 1);
    // Escape outside an operation is the window's own business.
    QTest::keyClick(knop, Qt::Key_Escape);
    EXPECT_FALSE(EscapeIngedrukt());
}

// Enter typed right after a folder name reaches the text box once the operation is over.
TEST_F(Blokkade, EnterInTekstvakKomtNaAfloop)
{
    QSignalSpy enter(vak, &QLineEdit::returnPressed);
    blokkade.ZetBezig(true);
    QTest::keyClicks(vak, QStringLiteral("/map"));
    QTest::keyClick(vak, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(enter.count(), 0);
    blokkade.ZetBezig(false);
    EXPECT_TRUE(WachtTot([&] { return enter.count() == 1; }));
    EXPECT_EQ(vak->text(), QStringLiteral("/map"));

    // A box that lost the focus meanwhile gets nothing.
    blokkade.ZetBezig(true);
    QTest::keyClick(vak, Qt::Key_Return);
    knop->setFocus();
    blokkade.ZetBezig(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(enter.count(), 1);
}

TEST_F(Blokkade, AndereVenstersBlijvenBereikbaar)
{
    auto* anderKnop = new QPushButton(&anderVenster);
    anderKnop->show();
    QSignalSpy geklikt(anderKnop, &QPushButton::clicked);
    blokkade.ZetBezig(true);
    QTest::mouseClick(anderKnop, Qt::LeftButton);
    EXPECT_EQ(geklikt.count(), 1);
}

} // namespace
} // namespace Vamox::Test
