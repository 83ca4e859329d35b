#include "platform/gui/Kleurenschema.h"

#include "support/Wachten.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

// A desktop session of its own: an X server (the portal's GTK back end needs a display), a
// session bus that starts the real settings portal on demand, and GNOME's settings behind it in
// a folder of the test. Both processes are children of the test and stopped with it; what the
// bus started ends with the bus.
class Bureaublad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* nodig : {"Xvfb", "dbus-daemon", "gsettings"})
            ASSERT_FALSE(QStandardPaths::findExecutable(QLatin1String(nodig)).isEmpty()) << nodig << " missing";
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/usr/libexec/xdg-desktop-portal-gtk"))) << "no settings portal";
        ASSERT_TRUE(thuis.isValid());

        scherm.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                              QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        ASSERT_TRUE(WachtTot([&] { return scherm.canReadLine(); }));
        const QString nummer = QString::fromUtf8(scherm.readLine()).trimmed();

        omgeving = QProcessEnvironment::systemEnvironment();
        omgeving.insert(QStringLiteral("DISPLAY"), u':' + nummer);
        omgeving.insert(QStringLiteral("XDG_CONFIG_HOME"), thuis.filePath(QStringLiteral("config")));
        omgeving.insert(QStringLiteral("XDG_RUNTIME_DIR"), thuis.path());
        omgeving.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
        omgeving.remove(QStringLiteral("GSETTINGS_BACKEND"));
        bus.setProcessEnvironment(omgeving);
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(WachtTot([&] { return bus.canReadLine(); }));
        adres = QString::fromUtf8(bus.readLine()).trimmed();
        omgeving.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), adres);
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("bureaublad"));
        for (QProcess* p : {&bus, &scherm}) {
            if (p->state() == QProcess::NotRunning) continue;
            p->terminate();
            p->waitForFinished(5000);
        }
        SchemaToepassen(Schema::Licht);
    }

    // What a person sets in GNOME's settings.
    void Instellen(const char* waarde)
    {
        QProcess gsettings;
        gsettings.setProcessEnvironment(omgeving);
        gsettings.start(QStringLiteral("gsettings"), {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"),
                                                      QStringLiteral("color-scheme"), QLatin1String(waarde)});
        ASSERT_TRUE(gsettings.waitForFinished(10000));
        ASSERT_EQ(gsettings.exitCode(), 0) << gsettings.readAllStandardError().constData();
    }

    QDBusConnection Verbinden() { return QDBusConnection::connectToBus(adres, QStringLiteral("bureaublad")); }

    QTemporaryDir thuis;
    QProcess scherm, bus;
    QProcessEnvironment omgeving;
    QString adres;
};

// Dark at start, then light and dark again as the person switches, with the program's own
// colours (a red label) following.
TEST_F(Bureaublad, VolgtHetSchemaVanHetBureaubladBijStartEnBijWisselen)
{
    Instellen("prefer-dark");
    QLabel label;
    KleurZetten(label, {QPalette::WindowText}, Kleurrol::Fout);
    Kleurenschema schema(Verbinden());
    EXPECT_EQ(schema.Gevraagd(), Schema::Donker);
    EXPECT_EQ(HuidigSchema(), Schema::Donker);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), Kleur(Kleurrol::Venster, Schema::Donker));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), Kleur(Kleurrol::Fout, Schema::Donker));

    Instellen("default");
    EXPECT_TRUE(WachtTot([] { return HuidigSchema() == Schema::Licht; }));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), Kleur(Kleurrol::Venster, Schema::Licht));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), Kleur(Kleurrol::Fout, Schema::Licht));

    Instellen("prefer-dark");
    EXPECT_TRUE(WachtTot([] { return HuidigSchema() == Schema::Donker; }));
}

} // namespace
} // namespace Vamox::Test

namespace Vamox::Test {
namespace {

// Without the portal, GNOME's own setting is read and watched (here in GSettings' file store, so
// that the test and gsettings share it without a desktop).
TEST(KleurenschemaZonderPortaal, VolgtGnomesInstelling)
{
    QTemporaryDir thuis;
    ASSERT_TRUE(thuis.isValid());
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", thuis.path().toUtf8());
    const auto instellen = [](const char* waarde) {
        QProcess gsettings;
        gsettings.start(QStringLiteral("gsettings"), {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"),
                                                      QStringLiteral("color-scheme"), QLatin1String(waarde)});
        return gsettings.waitForFinished(10000) && gsettings.exitCode() == 0;
    };
    ASSERT_TRUE(instellen("prefer-dark"));
    {
        Kleurenschema schema(QDBusConnection(QStringLiteral("geen bus")));
        EXPECT_EQ(HuidigSchema(), Schema::Donker);
        ASSERT_TRUE(instellen("prefer-light"));
        EXPECT_TRUE(WachtTot([] { return HuidigSchema() == Schema::Licht; }));
    }
    qunsetenv("GSETTINGS_BACKEND");
    qunsetenv("XDG_CONFIG_HOME");
    SchemaToepassen(Schema::Licht);
}

} // namespace
} // namespace Vamox::Test
