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
#include <tuple>

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

QStringList namenVan(const std::vector<FtpEntry>& entries)
{
    QStringList uit;
    for (const FtpEntry& e : entries)
        uit << e.naam;
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
};

} // namespace

TEST_F(panesLokaleMap, LeestMappenEnBestanden)
{
    const std::optional<Mapinhoud> inhoud = LokaleMapLezen(tmp.path());
    ASSERT_TRUE(inhoud);
    EXPECT_EQ(namenVan(inhoud->mappen), QStringList({" ..", ".git", "leeg", "link-naar-sub", "Sub"}));
    // The broken link is left out; the link to a file is a file.
    EXPECT_EQ(namenVan(inhoud->bestanden), QStringList({".verborgen", "a.txt", "B.txt", "link-naar-a"}));
    const FtpEntry& a = inhoud->bestanden.at(1);
    EXPECT_EQ(std::tuple(a.grootte, a.jaar, a.maand, a.dag, a.uur, a.minuut),
              std::tuple(5, 2019, 3, 12, 14, 5));
}

TEST_F(panesLokaleMap, PadMetOfZonderScheidingsteken)
{
    const std::optional<Mapinhoud> met = LokaleMapLezen(tmp.path() + u'/');
    const std::optional<Mapinhoud> zonder = LokaleMapLezen(tmp.path());
    ASSERT_TRUE(met && zonder);
    EXPECT_EQ(namenVan(met->mappen), namenVan(zonder->mappen));
    EXPECT_EQ(namenVan(met->bestanden), namenVan(zonder->bestanden));
}

TEST_F(panesLokaleMap, LegeMapHeeftAlleenOuder)
{
    const std::optional<Mapinhoud> inhoud = LokaleMapLezen(pad("leeg"));
    ASSERT_TRUE(inhoud);
    EXPECT_EQ(namenVan(inhoud->mappen), QStringList({" .."}));
    EXPECT_TRUE(inhoud->bestanden.empty());
}

TEST_F(panesLokaleMap, OntbrekendeMapGeeftNiets)
{
    for (const QString& p : {pad("bestaat-niet"), pad("a.txt"), pad("kapot"), QString()})
        EXPECT_FALSE(LokaleMapLezen(p).has_value()) << p.toStdString();
}

TEST_F(panesLokaleMap, GrootBestandHoudtZijnGrootte)
{
    // Sparse where the file system allows it: no real 5 GB written.
    QFile f(pad("groot.iso"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    if (!f.resize(5'000'000'000)) GTEST_SKIP() << "file system refuses a 5 GB file";
    f.close();
    const std::optional<Mapinhoud> inhoud = LokaleMapLezen(tmp.path());
    ASSERT_TRUE(inhoud);
    const auto it = std::find_if(inhoud->bestanden.cbegin(), inhoud->bestanden.cend(),
                                 [](const FtpEntry& e) { return e.naam == u"groot.iso"; });
    ASSERT_NE(it, inhoud->bestanden.cend());
    EXPECT_EQ(RijVan(*it).grootte, 5'000'000'000);
}

TEST_F(panesLokaleMap, RootHeeftGeenOuder)
{
    const std::optional<Mapinhoud> inhoud = LokaleMapLezen(QDir::rootPath());
    ASSERT_TRUE(inhoud);
    EXPECT_FALSE(namenVan(inhoud->mappen).contains(OuderMap));
    EXPECT_FALSE(inhoud->mappen.empty());
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
