#include <QCoreApplication>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Core tests run without a display, but with an event loop: the FTP session waits on one.
int main(int argc, char** argv)
{
    // Never the user's own desktop bus: a test must not reach their keyring. Those that need one
    // start their own (support/Sleutelbosdienst.h).
    QTemporaryDir runtime;
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
