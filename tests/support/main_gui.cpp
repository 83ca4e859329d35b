#include "dialogs/QtVertaling.h"
#include "mainwindow/Opstarten.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Widget tests run offscreen unless the caller asked for a real display, with Qt's Dutch texts
// loaded as the program loads them. Every window of the run gets a configuration file and a work
// folder of its own in a temporary folder, so no test reads a file another one wrote and nothing
// lands beside the test executable.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never the user's own desktop bus: a test must not reach their keyring. Those that need one
    // start their own (support/Sleutelbosdienst.h).
    QTemporaryDir runtime;
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);
    Vamox::QtVertalingLaden();
    QTemporaryDir plek;
    Vamox::ProgrammaOmgevingVoorTest omgeving({QCoreApplication::applicationFilePath(),
                                              plek.filePath(QStringLiteral("vamox.cfg")),
                                              plek.filePath(QStringLiteral("FtpTijdelijk"))});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
