#include "PanesTestHulp.h"
#include "ftp/FtpPaden.h"
#include "panes/LokaleMap.h"
#include "panes/Rijen.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

using namespace Vamox;

namespace {

void schrijf(const QString& pad, const QByteArray& inhoud, const QDateTime& tijd = {})
{
    QFile f(pad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << pad.toStdString();
    f.write(inhoud);
    f.flush(); // a later flush would move the time again
    if (tijd.isValid()) {
        ASSERT_TRUE(f.setFileTime(tijd, QFileDevice::FileModificationTime));
    }
}

QStringList namenVan(const QStringList& regels)
{
    QStringList uit;
    for (const QString& r : regels)
        uit << NaamUitRegel(r);
    return uit;
}

// A folder with what a real one holds: case pairs, hidden entries, links, an empty folder.
class panesLokaleMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        QDir d(tmp.path());
        ASSERT_TRUE(d.mkpath(QStringLiteral("Sub/een")));
        ASSERT_TRUE(d.mkpath(QStringLiteral("Sub/.twee")));
        ASSERT_TRUE(d.mkdir(QStringLiteral(".git")));
        ASSERT_TRUE(d.mkdir(QStringLiteral("leeg")));
        schrijf(pad("B.txt"), "bb");
        schrijf(pad("a.txt"), "12345", QDateTime(QDate(2019, 3, 12), QTime(14, 5, 9)));
        schrijf(pad(".verborgen"), "");
        schrijf(pad("Sub/in-sub.txt"), "x");
        ASSERT_TRUE(QFile::link(pad("Sub"), pad("link-naar-sub")));
        ASSERT_TRUE(QFile::link(pad("a.txt"), pad("link-naar-a")));
        ASSERT_TRUE(QFile::link(pad("bestaat-niet"), pad("kapot")));
    }

    QString pad(const QString& rel) const { return tmp.filePath(rel); }

    QTemporaryDir tmp;
    QStringList mappen{QStringLiteral("oud")};
    QStringList bestanden{QStringLiteral("oud")};
};

} // namespace

TEST_F(panesLokaleMap, LeestMappenEnBestanden)
{
    ASSERT_TRUE(LokaleMapLezen(tmp.path(), mappen, bestanden));
    EXPECT_EQ(mappen, QStringList({" ..", ".git", "leeg", "link-naar-sub", "Sub"}));
    // The broken link is left out; the link to a file is a file.
    EXPECT_EQ(namenVan(bestanden), QStringList({".verborgen", "a.txt", "B.txt", "link-naar-a"}));
    EXPECT_EQ(bestanden.at(1), QStringList({"a.txt", "12-03-2019 14:05:09", "5"}).join(Scheidingsteken));
}

TEST_F(panesLokaleMap, PadMetOfZonderScheidingsteken)
{
    QStringList m2, b2;
    ASSERT_TRUE(LokaleMapLezen(tmp.path() + u'/', mappen, bestanden));
    ASSERT_TRUE(LokaleMapLezen(tmp.path(), m2, b2));
    EXPECT_EQ(mappen, m2);
    EXPECT_EQ(bestanden, b2);
}

TEST_F(panesLokaleMap, LegeMapHeeftAlleenOuder)
{
    ASSERT_TRUE(LokaleMapLezen(pad("leeg"), mappen, bestanden));
    EXPECT_EQ(mappen, QStringList({" .."}));
    EXPECT_TRUE(bestanden.isEmpty());
}

TEST_F(panesLokaleMap, OntbrekendeMapGeeftFalseEnLegeLijsten)
{
    for (const QString& p : {pad("bestaat-niet"), pad("a.txt"), pad("kapot"), QString()}) {
        mappen = bestanden = QStringList{QStringLiteral("oud")};
        EXPECT_FALSE(LokaleMapLezen(p, mappen, bestanden)) << p.toStdString();
        EXPECT_TRUE(mappen.isEmpty());
        EXPECT_TRUE(bestanden.isEmpty());
    }
}

TEST_F(panesLokaleMap, GrootBestandHoudtZijnGrootte)
{
    // Sparse where the file system allows it: no real 5 GB written.
    QFile f(pad("groot.iso"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    if (!f.resize(5'000'000'000)) GTEST_SKIP() << "file system refuses a 5 GB file";
    f.close();
    ASSERT_TRUE(LokaleMapLezen(tmp.path(), mappen, bestanden));
    const auto it = std::find_if(bestanden.cbegin(), bestanden.cend(),
                                 [](const QString& r) { return NaamUitRegel(r) == u"groot.iso"; });
    ASSERT_NE(it, bestanden.cend());
    EXPECT_EQ(RijUitRegel(*it)->grootte, 5'000'000'000);
}

TEST_F(panesLokaleMap, RootHeeftGeenOuder)
{
    ASSERT_TRUE(LokaleMapLezen(QDir::rootPath(), mappen, bestanden));
    EXPECT_FALSE(mappen.contains(OuderMap));
    EXPECT_FALSE(mappen.isEmpty());
}

TEST_F(panesLokaleMap, AantalSubmappen)
{
    const std::vector<std::pair<QString, int>> rijen = {
        {tmp.path(), 4},  // .git, leeg, link-naar-sub, Sub
        {pad("Sub/"), 2}, // the hidden one counts
        {pad("link-naar-sub"), 2},
        {pad("leeg"), 0},
        {pad("bestaat-niet"), 0},
        {pad("a.txt"), 0},
        {tmp.path() + u'/' + OuderMap, 0},
    };
    for (const auto& [p, n] : rijen)
        EXPECT_EQ(AantalSubmappen(p), n) << p.toStdString();
}
