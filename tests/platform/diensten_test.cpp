#include "platform/Volumes.h"
#include "platform/gui/Shell.h"
#include "platform/gui/Toetsenbord.h"
#include "platform/gui/Zandloper.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

TEST(Zandloper, EenStandNietEenTeller)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    Zandloper(true);
    Zandloper(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Zandloper(false);
    EXPECT_FALSE(ZandloperAan());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    Zandloper(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Toetsenbord, TestwaardenGeldenBinnenHunBereik)
{
    EscapeOpgenomen();
    {
        ToetsenbordVoorTest vast(Qt::ShiftModifier, false);
        EXPECT_EQ(ToetsModifiers(), Qt::ShiftModifier);
        EXPECT_FALSE(EscapeIngedrukt());
        {
            ToetsenbordVoorTest binnen(Qt::ControlModifier, true);
            EXPECT_EQ(ToetsModifiers(), Qt::ControlModifier);
            EXPECT_TRUE(EscapeIngedrukt());
        }
        EXPECT_EQ(ToetsModifiers(), Qt::ShiftModifier);
    }
    // The recorded press outlived the test values and is read once.
    EXPECT_TRUE(EscapeIngedrukt());
    EXPECT_FALSE(EscapeIngedrukt());
}

TEST(Volumes, RootEerstEnAlleenEchteMappen)
{
    const std::vector<Volume> volumes = Volumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().root, QStringLiteral("/"));
    for (const Volume& v : volumes) {
        EXPECT_TRUE(QFileInfo(v.root).isDir()) << v.root.toStdString();
        EXPECT_FALSE(v.root.startsWith(QLatin1String("/proc")) || v.root.startsWith(QLatin1String("/sys")))
            << v.root.toStdString();
    }
    EXPECT_EQ(VolumeTekst({QStringLiteral("/media/usb"), QStringLiteral("STICK")}),
              QStringLiteral("/media/usb  STICK"));
    EXPECT_EQ(VolumeTekst({QStringLiteral("/"), QString()}), QStringLiteral("/  "));
}

TEST(Volumes, BeschikbaarAlleenAlsHetEenAangekoppeldeRootIs)
{
    QTemporaryDir leeg; // like the mount point a removed stick leaves behind
    ASSERT_TRUE(leeg.isValid());
    EXPECT_TRUE(VolumeBeschikbaar(QStringLiteral("/")));
    EXPECT_FALSE(VolumeBeschikbaar(leeg.path()));
    EXPECT_FALSE(VolumeBeschikbaar(leeg.path() + QStringLiteral("/weg")));
    EXPECT_FALSE(VolumeBeschikbaar(QString()));
    for (const Volume& v : Volumes())
        EXPECT_TRUE(VolumeBeschikbaar(v.root)) << v.root.toStdString();
}

TEST(Shell, OntbrekendPadMisluktZonderIetsTeStarten)
{
    QTemporaryDir map;
    EXPECT_FALSE(ShellOpenen(map.path() + QStringLiteral("/bestaat-niet.txt")));
    EXPECT_FALSE(ShellOpenen(QString()));

    QStringList gevraagd;
    {
        ShellVoorTest vervanger([&](const QString& pad) {
            gevraagd << pad;
            return true;
        });
        EXPECT_TRUE(ShellOpenen(QStringLiteral("/x")));
    }
    EXPECT_EQ(gevraagd, QStringList{QStringLiteral("/x")});
    EXPECT_FALSE(ShellOpenen(QStringLiteral("/x/bestaat-niet")));
}

} // namespace
} // namespace Vamox::Test
