#include "TransferTestHulp.h"
#include "transfer/ZoekBestanden.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Vamox;
using Vamox::Test::SchrijfBestand;

namespace {

// start/ holds 2 subfolders and 5 files: a.txt, B.jpg, sub1/{c.txt, d.jpg}, Sub2/e.txt.
class transferZoekBestanden : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        ASSERT_TRUE(QDir().mkpath(pad("start/sub1")));
        ASSERT_TRUE(QDir().mkpath(pad("start/Sub2")));
        ASSERT_TRUE(SchrijfBestand(pad("start/a.txt"), "aaa"));
        ASSERT_TRUE(SchrijfBestand(pad("start/B.jpg"), "bbbbb"));
        ASSERT_TRUE(SchrijfBestand(pad("start/sub1/c.txt"), "c"));
        ASSERT_TRUE(SchrijfBestand(pad("start/sub1/d.jpg"), QByteArray(1000, 'd')));
        ASSERT_TRUE(SchrijfBestand(pad("start/Sub2/e.txt"), "ee"));
    }

    QString pad(const char* rel) const { return tmp.filePath(QString::fromUtf8(rel)); }
    QString start() const { return pad("start"); }

    // The lists with the start folder cut off, for readable expectations.
    static QStringList relatief(const QStringList& lijst, const QString& basis)
    {
        QStringList uit;
        for (const QString& p : lijst)
            uit << (p.startsWith(basis) ? p.mid(basis.size()) : p);
        return uit;
    }

    QTemporaryDir tmp;
};

TEST_F(transferZoekBestanden, FolderComesAfterItsParentsFilesDepthFirst)
{
    ASSERT_TRUE(QDir().mkpath(pad("start/sub1/diep")));
    ASSERT_TRUE(SchrijfBestand(pad("start/sub1/diep/f.txt"), "ffff"));
    QStringList mappen, bestanden;
    qint64 totaal = 0;
    EXPECT_TRUE(ZoekBestanden(mappen, bestanden, start(), QStringLiteral("*"), true, false, {}, &totaal));
    const QString b = start() + u'/';
    EXPECT_EQ(relatief(mappen, b), (QStringList{"", "", "sub1/", "sub1/diep/", "Sub2/"}));
    EXPECT_EQ(mappen.at(1), b); // the start folder itself, with its separator
    EXPECT_EQ(relatief(bestanden, b), (QStringList{"", "a.txt", "B.jpg", "sub1/c.txt", "sub1/d.jpg",
                                                   "sub1/diep/f.txt", "Sub2/e.txt"}));
    EXPECT_EQ(totaal, 3 + 5 + 1 + 1000 + 4 + 2);
}

TEST_F(transferZoekBestanden, PatternRecursionAndFoldersOnly)
{
    struct Rij
    {
        const char* patroon;
        bool recursief;
        bool alleenMappen;
        QStringList mappen;
        QStringList bestanden;
        qint64 totaal;
    };
    const std::vector<Rij> rijen{
        {"*",
         true,
         false,
         {"", "", "sub1/", "Sub2/"},
         {"", "a.txt", "B.jpg", "sub1/c.txt", "sub1/d.jpg", "Sub2/e.txt"},
         1011},
        {"*.txt", true, false, {"", "", "sub1/", "Sub2/"}, {"", "a.txt", "sub1/c.txt", "Sub2/e.txt"}, 6},
        {"*.JPG", true, false, {"", "", "sub1/", "Sub2/"}, {"", "B.jpg", "sub1/d.jpg"}, 1005},
        {"*", false, false, {"", ""}, {"", "a.txt", "B.jpg"}, 8},
        {"*", true, true, {"", "", "sub1/", "Sub2/"}, {""}, 0},
        {"geen*", true, false, {"", "", "sub1/", "Sub2/"}, {""}, 0},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(std::string(r.patroon) + (r.recursief ? " recursive" : "") +
                     (r.alleenMappen ? " folders" : ""));
        QStringList mappen, bestanden;
        qint64 totaal = 0;
        ZoekBestanden(mappen, bestanden, start() + u'/', QString::fromUtf8(r.patroon), r.recursief,
                      r.alleenMappen, {}, &totaal);
        EXPECT_EQ(relatief(mappen, start() + u'/'), r.mappen);
        EXPECT_EQ(relatief(bestanden, start() + u'/'), r.bestanden);
        EXPECT_EQ(totaal, r.totaal);
    }
}

TEST_F(transferZoekBestanden, CountsForTheSummaryAndResultsAccumulate)
{
    QStringList mappen, bestanden;
    ZoekBestanden(mappen, bestanden, start(), QStringLiteral("*"), true, false);
    EXPECT_EQ(mappen.size() - 2, 2);    // minus element 0 and the start folder
    EXPECT_EQ(bestanden.size() - 1, 5); // minus element 0
    ZoekBestanden(mappen, bestanden, pad("start/Sub2"), QStringLiteral("*"), true, false);
    EXPECT_EQ(mappen.size(), 5);
    EXPECT_EQ(bestanden.size(), 7);
    EXPECT_EQ(mappen.at(0), QString());
    EXPECT_EQ(bestanden.back(), pad("start/Sub2/e.txt"));
}

TEST_F(transferZoekBestanden, StoppingKeepsWhatWasCollected)
{
    QStringList alleMappen, alleBestanden;
    int vragen = 0;
    ASSERT_TRUE(ZoekBestanden(alleMappen, alleBestanden, start(), QStringLiteral("*"), true, false, [&] {
        ++vragen;
        return false;
    }));
    ASSERT_GT(vragen, 5); // asked before every entry

    // Stopping at every possible moment gives a beginning of the full walk, and no more questions.
    for (int stopBij = 1; stopBij <= vragen; ++stopBij) {
        SCOPED_TRACE(stopBij);
        QStringList mappen, bestanden;
        qint64 totaal = 0;
        int gevraagd = 0;
        EXPECT_FALSE(ZoekBestanden(
            mappen, bestanden, start(), QStringLiteral("*"), true, false,
            [&] { return ++gevraagd >= stopBij; }, &totaal));
        EXPECT_EQ(gevraagd, stopBij);
        EXPECT_EQ(mappen, alleMappen.mid(0, mappen.size()));
        EXPECT_EQ(bestanden, alleBestanden.mid(0, bestanden.size()));
        qint64 som = 0;
        for (const QString& p : bestanden.mid(1))
            som += QFileInfo(p).size();
        EXPECT_EQ(totaal, som);
    }
}

TEST_F(transferZoekBestanden, LinksNeverLeadOutOfTheTree)
{
#ifndef Q_OS_UNIX
    GTEST_SKIP() << "symbolic links need a Unix file system here";
#else
    ASSERT_TRUE(QDir().mkpath(pad("buiten")));
    ASSERT_TRUE(SchrijfBestand(pad("buiten/geheim.txt"), "geheim"));
    ASSERT_TRUE(QFile::link(pad("buiten"), pad("start/naar-buiten")));
    ASSERT_TRUE(QFile::link(pad("start"), pad("start/sub1/lus")));
    ASSERT_TRUE(QFile::link(pad("start/sub1"), pad("start/naar-sub1")));
    ASSERT_TRUE(QFile::link(pad("buiten/geheim.txt"), pad("start/geheim-link.txt")));
    ASSERT_TRUE(QFile::link(pad("start/Sub2/e.txt"), pad("start/e-link.txt")));
    ASSERT_TRUE(QFile::link(pad("start/bestaat-niet"), pad("start/kapot.txt")));
    ASSERT_EQ(::mkfifo(pad("start/pijp").toLocal8Bit().constData(), 0600), 0);

    QStringList mappen, bestanden;
    qint64 totaal = 0;
    EXPECT_TRUE(ZoekBestanden(mappen, bestanden, start(), QStringLiteral("*"), true, false, {}, &totaal));
    const QString b = start() + u'/';
    EXPECT_EQ(relatief(mappen, b), (QStringList{"", "", "sub1/", "Sub2/"}));
    EXPECT_EQ(relatief(bestanden, b),
              (QStringList{"", "a.txt", "B.jpg", "e-link.txt", "sub1/c.txt", "sub1/d.jpg", "Sub2/e.txt"}));
    EXPECT_EQ(totaal, 1011 + 2);

    // A start folder given through a link is walked: the user chose it.
    ASSERT_TRUE(QFile::link(pad("start"), pad("via-link")));
    QStringList m2, b2;
    ZoekBestanden(m2, b2, pad("via-link"), QStringLiteral("*"), true, false);
    EXPECT_EQ(b2.size(), bestanden.size());
    EXPECT_TRUE(b2.contains(pad("via-link/e-link.txt")));
#endif
}

} // namespace
