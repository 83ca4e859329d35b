#include "fileops/Rechten.h"
#include "support/Proefserver.h"
#include "support/Vragen.h"
#include "transfer/TransferTestHulp.h"
#include "transfer/Wachtrij.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// Permissions against real servers: read from the listing, set on one file, set on a tree with
// chmod's X rule and without following links, and a server that refuses, told per file.

using namespace Vamox;
using Vamox::Test::Proefserver;
using Vamox::Test::Serversoort;

namespace {

struct Geval
{
    const char* naam;
    Serversoort soort;
    bool weigert;     // every change is refused
    bool linksBekend; // the listing tells a link from what it leads to
};

int Modus(const QString& pad)
{
    struct stat st{};
    return ::lstat(QFile::encodeName(pad).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

class Rechten : public ::testing::TestWithParam<Geval>
{
protected:
    void SetUp() override
    {
        m_proef = std::make_unique<Proefserver>(GetParam().soort);
        const QString fout = m_proef->Starten(sessie);
        if (fout.startsWith(u"skip:")) GTEST_SKIP() << fout.toStdString();
        ASSERT_TRUE(fout.isEmpty()) << fout.toStdString();
        m_disk = QDir::cleanPath(m_proef->OpSchijf(QStringLiteral(".")));
        m_server = m_proef->Root();
        // t/a.txt 640, t/buiten 600, t/sub 750 with b.sh 750, c.txt 600 and a link to ../buiten.
        ASSERT_TRUE(QDir().mkpath(m_disk + QStringLiteral("/sub")));
        for (const auto& [rel, modus] : {std::pair{"a.txt", 0640}, {"buiten", 0600}, {"sub/b.sh", 0750},
                                         {"sub/c.txt", 0600}}) {
            ASSERT_TRUE(Vamox::Test::SchrijfBestand(m_disk + u'/' + QLatin1String(rel), "x"));
            ASSERT_EQ(::chmod(QFile::encodeName(m_disk + u'/' + QLatin1String(rel)).constData(), mode_t(modus)), 0);
        }
        ASSERT_EQ(::chmod(QFile::encodeName(m_disk + QStringLiteral("/sub")).constData(), 0750), 0);
        ASSERT_EQ(::symlink("../buiten", QFile::encodeName(m_disk + QStringLiteral("/sub/link")).constData()), 0);
        // vsftpd's anonymous user reads as "ftp": the tree is its own.
        if (const passwd* ftp = GetParam().soort == Serversoort::Vsftpd ? ::getpwnam("ftp") : nullptr) {
            for (const char* rel : {"", "/a.txt", "/buiten", "/sub", "/sub/b.sh", "/sub/c.txt", "/sub/link"})
                ASSERT_EQ(::lchown(QFile::encodeName(m_disk + QLatin1String(rel)).constData(), ftp->pw_uid, ftp->pw_gid), 0);
        }
    }

    // The listed permissions of `naam` in server folder `map`.
    int Gelezen(const QString& map, const QString& naam)
    {
        const std::optional<std::vector<FtpEntry>> lijst = sessie.FtpMapLezen(map);
        if (!lijst) return -2;
        for (const FtpEntry& e : *lijst)
            if (e.naam == naam) return e.rechten;
        return -3;
    }

    Overdrachtsresultaat Zetten(const std::vector<Rechtendoel>& gekozen, const Rechtenkeuze& keuze,
                                std::vector<Klus>* klussen = nullptr)
    {
        Wachtrij wachtrij(sessie);
        const Overdrachtsresultaat r = Vamox::Test::Uitvoeren(wachtrij, RechtenPlannen(sessie, gekozen, keuze));
        if (klussen) *klussen = wachtrij.Klussen();
        return r;
    }

    FtpSession sessie;
    std::unique_ptr<Proefserver> m_proef;
    QString m_disk;   // the tree on disk
    QString m_server; // the same as a server path
};

TEST_P(Rechten, ReadsSetsAndWalksTreesAsTheServerAllows)
{
    const Geval& g = GetParam();
    // The listing tells them.
    EXPECT_EQ(Gelezen(m_server, QStringLiteral("a.txt")), 0640);
    EXPECT_EQ(Gelezen(m_server, QStringLiteral("sub")), 0750);
    EXPECT_EQ(Gelezen(m_server + QStringLiteral("/sub"), QStringLiteral("b.sh")), 0750);

    // One file.
    Rechtenkeuze een({0640});
    ASSERT_TRUE(een.ZetOctaal(QStringLiteral("604")));
    std::vector<Klus> klussen;
    Overdrachtsresultaat r = Zetten({{m_server + QStringLiteral("/a.txt"), false, 0640}}, een, &klussen);
    ASSERT_EQ(klussen.size(), 1u);
    if (g.weigert) {
        EXPECT_EQ(r.mislukt, 1);
        EXPECT_EQ(klussen[0].staat, Klus::Staat::Mislukt);
        // The server's own words, for the transfer list.
        EXPECT_TRUE(klussen[0].fout.startsWith(u'5')) << klussen[0].fout.toStdString();
        EXPECT_EQ(Modus(m_disk + QStringLiteral("/a.txt")), 0640);
    } else {
        EXPECT_TRUE(r.Gelukt()) << klussen[0].fout.toStdString();
        EXPECT_EQ(Modus(m_disk + QStringLiteral("/a.txt")), 0604);
        EXPECT_EQ(Gelezen(m_server, QStringLiteral("a.txt")), 0604);
    }

    // The tree: 755 with X, so the plain file gets no execute and the script keeps it.
    Rechtenkeuze boom({0750});
    ASSERT_TRUE(boom.ZetOctaal(QStringLiteral("755")));
    boom.inhoud = true;
    boom.uitvoerenAlleenMappen = true;
    r = Zetten({{m_server + QStringLiteral("/sub"), true, 0750}}, boom, &klussen);
    EXPECT_EQ(r.mislukteMappen, 0);
    if (g.weigert) {
        // Each one tried and told.
        EXPECT_EQ(r.mislukt, qint64(klussen.size()));
        for (const Klus& k : klussen) {
            EXPECT_EQ(k.staat, Klus::Staat::Mislukt) << k.bron.toStdString();
            EXPECT_TRUE(k.fout.startsWith(u'5')) << k.bron.toStdString() << k.fout.toStdString();
        }
        EXPECT_EQ(Modus(m_disk + QStringLiteral("/sub/c.txt")), 0600);
        return;
    }
    EXPECT_TRUE(r.Gelukt());
    EXPECT_EQ(Modus(m_disk + QStringLiteral("/sub")), 0755);
    EXPECT_EQ(Modus(m_disk + QStringLiteral("/sub/b.sh")), 0755);
    EXPECT_EQ(Modus(m_disk + QStringLiteral("/sub/c.txt")), 0644);
    // A link is neither followed nor changed where the listing shows it as one.
    if (g.linksBekend) {
        EXPECT_EQ(Modus(m_disk + QStringLiteral("/buiten")), 0600);
    }
    // The folder itself comes after what lies below it.
    ASSERT_FALSE(klussen.empty());
    EXPECT_EQ(klussen.back().bron, m_server + QStringLiteral("/sub"));
}

INSTANTIATE_TEST_SUITE_P(Servers, Rechten,
                         ::testing::Values(Geval{"PyftpdMlsd", Serversoort::Mlsd, false, false},
                                           Geval{"PyftpdList", Serversoort::List, false, true},
                                           Geval{"Vsftpd", Serversoort::Vsftpd, true, true},
                                           Geval{"Sftp", Serversoort::Sftp, false, true}),
                         [](const auto& info) { return std::string(info.param.naam); });

// The choice from a mixed selection: mixed bits stay each entry's own, the octal text follows
// the boxes and the other way round, and an entry of unknown permissions is not guessed at.
TEST(Rechtenkeuze, MixedSelectionKeepsEachEntrysOwnBits)
{
    Rechtenkeuze k({0644, 0664});
    EXPECT_EQ(k.Octaal(), QStringLiteral("6x4"));
    EXPECT_EQ(k.Stand(4), Bitstand::Gemengd); // group write
    EXPECT_EQ(k.Stand(3), Bitstand::Aan);
    EXPECT_EQ(k.Nieuw(0644, false), 0644);
    EXPECT_EQ(k.Nieuw(04664, false), 04664); // setuid kept
    k.ZetBit(8, true);                         // others execute
    EXPECT_EQ(k.Octaal(), QStringLiteral("6x5"));
    EXPECT_EQ(k.Nieuw(0664, false), 0665);
    EXPECT_FALSE(k.Nieuw(-1, false)); // mixed bits, and nothing to keep them from
    EXPECT_FALSE(k.ZetOctaal(QStringLiteral("x44"))); // the owner's digit was never mixed
    ASSERT_TRUE(k.ZetOctaal(QStringLiteral("640")));
    EXPECT_EQ(k.Stand(4), Bitstand::Uit);
    EXPECT_EQ(k.Nieuw(-1, false), 0640);
    ASSERT_TRUE(k.ZetOctaal(QStringLiteral("6x0")));
    EXPECT_EQ(k.Stand(4), Bitstand::Gemengd);

    // Not listed: OK without a choice changes nothing, least of all to 000.
    const Rechtenkeuze onbekend({-1});
    EXPECT_EQ(onbekend.Octaal(), QStringLiteral("xxx"));
    EXPECT_FALSE(onbekend.Nieuw(-1, false));
}

} // namespace
