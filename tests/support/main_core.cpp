#include <QCoreApplication>

#include <gtest/gtest.h>

// Core tests run without a display, but with an event loop: the FTP session waits on one.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
