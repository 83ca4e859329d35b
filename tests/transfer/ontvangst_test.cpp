#include "TransferTestHulp.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::FtpTestServer;
using Vamox::Test::SchrijfBestand;

namespace {

// What a download leaves in the target folder, and what the overwrite probe sends.
class transferOntvangst : public ::testing::Test
{
protected:
    void start(FtpServerOpties opties = {})
    {
        server = std::make_unique<FtpTestServer>(std::move(opties));
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ASSERT_TRUE(sessie.FtpVerbindingOpenen(server->gegevens()));
        ASSERT_TRUE(QDir().mkpath(doel()));
    }
    QString doel() const { return tmp.filePath(QStringLiteral("doel")); }
    QStringList inhoud() const
    {
        return QDir(doel()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }
    static QByteArray lees(const QString& pad)
    {
        QFile f(pad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
    }

    std::unique_ptr<FtpTestServer> server;
    FtpSession sessie;
    QTemporaryDir tmp;
};

TEST_F(transferOntvangst, ABrokenDownloadLeavesTheOldFileAndNoTemporaryFile)
{
    start({.dropRetrNa = 30000});
    server->schrijf(QStringLiteral("groot.bin"), QByteArray(300000, 'n'));
    ASSERT_TRUE(SchrijfBestand(doel() + QStringLiteral("/groot.bin"), "oud"));
    EXPECT_FALSE(sessie.FtpBestandHalen(doel() + QStringLiteral("/groot.bin"), QStringLiteral("/groot.bin")));
    EXPECT_EQ(lees(doel() + QStringLiteral("/groot.bin")), "oud");
    EXPECT_EQ(inhoud(), QStringList{QStringLiteral("groot.bin")}); // hidden leftovers count too
}

TEST_F(transferOntvangst, ADownloadReplacesALinkInsteadOfWritingThroughIt)
{
#ifndef Q_OS_UNIX
    GTEST_SKIP() << "symbolic links need a Unix file system here";
#else
    start();
    server->schrijf(QStringLiteral("x.txt"), "nieuw");
    const QString buiten = tmp.filePath(QStringLiteral("buiten.txt"));
    ASSERT_TRUE(SchrijfBestand(buiten, "van iemand anders"));
    ASSERT_TRUE(QFile::link(buiten, doel() + QStringLiteral("/x.txt")));
    ASSERT_TRUE(SchrijfBestand(doel() + QStringLiteral("/oud.txt"), "oud"));
    ASSERT_TRUE(QFile::setPermissions(doel() + QStringLiteral("/oud.txt"),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    server->schrijf(QStringLiteral("oud.txt"), "vervangen");

    EXPECT_TRUE(sessie.FtpBestandHalen(doel() + QStringLiteral("/x.txt"), QStringLiteral("/x.txt")));
    EXPECT_EQ(lees(buiten), "van iemand anders");
    EXPECT_FALSE(QFileInfo(doel() + QStringLiteral("/x.txt")).isSymLink());
    EXPECT_EQ(lees(doel() + QStringLiteral("/x.txt")), "nieuw");

    // A replaced file keeps its permissions.
    EXPECT_TRUE(sessie.FtpBestandHalen(doel() + QStringLiteral("/oud.txt"), QStringLiteral("/oud.txt")));
    EXPECT_EQ(lees(doel() + QStringLiteral("/oud.txt")), "vervangen");
    EXPECT_EQ(QFile::permissions(doel() + QStringLiteral("/oud.txt")),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser);
    EXPECT_EQ(inhoud(), (QStringList{QStringLiteral("oud.txt"), QStringLiteral("x.txt")}));
#endif
}

TEST_F(transferOntvangst, TheOverwriteProbeGivesTheSizeAndPrintsNothing)
{
    start();
    server->schrijf(QStringLiteral("a/b.bin"), QByteArray(5000, 'b'));
    ::testing::internal::CaptureStdout();
    const qint64 bestaat = sessie.FtpMapPeilen(QStringLiteral("/a/b.bin"));
    const qint64 ontbreekt = sessie.FtpMapPeilen(QStringLiteral("/a/c.bin"));
    const std::string uitvoer = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(bestaat, 5000);
    EXPECT_EQ(ontbreekt, 0);
    EXPECT_EQ(uitvoer, "");
}

} // namespace
