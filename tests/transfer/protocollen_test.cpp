#include "support/Vragen.h"
#include "TransferTestHulp.h"
#include "fileops/Hernoemen.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "support/SshdServer.h"
#include "transfer/Overdracht.h"
#include "transfer/Wachtrij.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

// What the panes and the queue do, against an FTP and an SFTP server alike: listings, files
// byte for byte both ways, folder trees over one and four connections, new folders, renames
// and deletes.

using namespace Vamox;
using Vamox::Test::FtpTestServer;
using Vamox::Test::SshdServer;

namespace {

// One of the two servers, with the server path of its root.
class Server final
{
public:
    explicit Server(Protocol protocol) : m_protocol(protocol) {}

    bool start(FtpSession& sessie, QString& fout)
    {
        if (m_protocol == Protocol::Ftp) {
            m_ftp = std::make_unique<FtpTestServer>();
            fout = m_ftp->fout();
            return m_ftp->start() && sessie.FtpVerbindingOpenen(m_ftp->gegevens());
        }
        m_sftp = std::make_unique<SshdServer>();
        if (!m_sftp->start()) {
            fout = m_sftp->fout();
            return false;
        }
        // The server's key is known, the test's own key gets in.
        QDir().mkpath(QFileInfo(m_sftp->bekendeHostsPad()).path());
        if (!Vamox::Test::SchrijfBestand(m_sftp->bekendeHostsPad(), m_sftp->hostsleutelRegel())) return false;
        Vamox::Test::SleutelMapZetten(sessie, m_sftp->sleutelMap());
        Vamox::Test::BekendeHostsZetten(sessie, m_sftp->bekendeHostsPad());
        fout = sessie.laatsteFout();
        return sessie.FtpVerbindingOpenen(m_sftp->gegevens());
    }
    // The folder on disk that the server shows.
    QString root() const { return m_ftp ? m_ftp->root() : m_sftp->root(); }
    // The server path of `rel` below root().
    QString pad(const QString& rel) const { return (m_ftp ? QString() : m_sftp->root()) + u'/' + rel; }

private:
    Protocol m_protocol;
    std::unique_ptr<FtpTestServer> m_ftp;
    std::unique_ptr<SshdServer> m_sftp;
};

class Alles final : public Overdrachtsvragen
{
public:
    Overschrijfantwoord Overschrijven(const Overschrijving&) override { return Overschrijfantwoord::Ja; }
};

// Every byte value, and lines ending in CR LF and LF: nothing may be translated on the way.
QByteArray Inhoud(int n)
{
    QByteArray uit;
    for (int i = 0; i < n; ++i)
        uit += char((i * 31 + n) % 256);
    return uit + "\r\nregel\n";
}

// Every file below `map`, hidden ones too, relative to `map`.
QMap<QString, QByteArray> Bestanden(const QString& map)
{
    QMap<QString, QByteArray> uit;
    QDirIterator it(map, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pad = it.next();
        uit.insert(QDir(map).relativeFilePath(pad), Vamox::Test::LeesBestand(pad));
    }
    return uit;
}

void Schrijven(const QString& map, const QMap<QString, QByteArray>& bestanden)
{
    for (auto it = bestanden.begin(); it != bestanden.end(); ++it) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(map + u'/' + it.key()).absolutePath()));
        ASSERT_TRUE(Vamox::Test::SchrijfBestand(map + u'/' + it.key(), it.value()));
    }
}

class Protocollen : public ::testing::TestWithParam<Protocol>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Protocol::Sftp && !SshdServer::beschikbaar())
            GTEST_SKIP() << "sshd and ssh-keygen are not installed (openssh-server)";
        QString fout;
        ASSERT_TRUE(server.start(sessie, fout)) << fout.toStdString();
    }

    Server server{GetParam()};
    FtpSession sessie;
    QTemporaryDir tmp;
};

TEST_P(Protocollen, ListsAndMovesFilesByteForByteBothWays)
{
    const QString map = QStringLiteral("Map één");
    const QString naam = QStringLiteral("Bestand met spaties ë.bin");
    Schrijven(server.root(), {{map + u'/' + naam, Inhoud(70000)}, {map + QStringLiteral("/sub map/x"), "x"}});

    const std::optional<Mapinhoud> inhoud = sessie.ServermapLezen(server.pad(map));
    ASSERT_TRUE(inhoud);
    ASSERT_EQ(inhoud->mappen.size(), 2u);
    EXPECT_EQ(inhoud->mappen.at(1).naam, QStringLiteral("sub map"));
    ASSERT_EQ(inhoud->bestanden.size(), 1u);
    EXPECT_EQ(inhoud->bestanden.at(0).naam, naam);
    EXPECT_EQ(inhoud->bestanden.at(0).grootte, Inhoud(70000).size());

    const QString neer = tmp.filePath(QStringLiteral("neer ü.bin"));
    ASSERT_TRUE(sessie.FtpBestandHalen(neer, server.pad(map + u'/' + naam)))
        << sessie.laatsteFout().toStdString();
    EXPECT_EQ(Vamox::Test::LeesBestand(neer), Inhoud(70000));

    // Up as a new file, then over the old one (through a temporary name beside it, which goes),
    // keeping the old one's permissions.
    const QString op = map + QStringLiteral("/op ä.bin");
    const auto rechten = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    for (const int n : {5000, 90000}) {
        ASSERT_TRUE(Vamox::Test::SchrijfBestand(neer, Inhoud(n)));
        ASSERT_TRUE(sessie.FtpBestandPlaatsen(neer, server.pad(op))) << sessie.laatsteFout().toStdString();
        EXPECT_EQ(Vamox::Test::LeesBestand(server.root() + u'/' + op), Inhoud(n));
        if (n == 5000) {
            ASSERT_TRUE(QFile::setPermissions(server.root() + u'/' + op, rechten));
        }
    }
    const auto eigenaarGroepAnderen = 0x7077; // not the bits Qt adds for the user running the test
    EXPECT_EQ(QFile::permissions(server.root() + u'/' + op) & eigenaarGroepAnderen,
              rechten & eigenaarGroepAnderen);
    EXPECT_EQ(QDir(server.root() + u'/' + map).entryList(QDir::Files | QDir::Hidden),
              (QStringList{naam, QStringLiteral("op ä.bin")}));
    // Failures are told in words that fit both protocols.
    EXPECT_FALSE(sessie.FtpBestandHalen(neer, server.pad(QStringLiteral("er niet"))));
    EXPECT_FALSE(sessie.laatsteFout().contains(QStringLiteral("FTP"), Qt::CaseInsensitive))
        << sessie.laatsteFout().toStdString();
}

TEST_P(Protocollen, MovesFolderTreesOverOneAndFourConnections)
{
    QMap<QString, QByteArray> boom;
    for (int m = 0; m < 6; ++m)
        for (int b = 0; b < 4; ++b)
            boom.insert(QStringLiteral("boom/m%1 é/s%2/f %3.bin").arg(m / 3).arg(m % 3).arg(b),
                        Inhoud((m * 4 + b) * 97 % 3000));
    Schrijven(server.root(), boom);
    Alles vragen;
    for (const int verbindingen : {1, 4}) {
        SCOPED_TRACE(verbindingen);
        Wachtrij wachtrij(sessie);
        wachtrij.ZetVerbindingen(verbindingen);
        const QString lokaal = tmp.filePath(QString::number(verbindingen));
        ASSERT_TRUE(QDir().mkpath(lokaal));
        const FtpBoom lijst = sessie.FtpBoomLezen(server.pad(QStringLiteral("boom")));
        EXPECT_EQ(lijst.mislukt, 0);
        Vamox::Test::Uitvoeren(
            wachtrij, MapDownloadenPlannen(server.pad(QStringLiteral("boom")), lijst, lokaal, vragen));
        EXPECT_EQ(Bestanden(lokaal), boom);

        const QString terug = QStringLiteral("terug%1").arg(verbindingen);
        ASSERT_TRUE(sessie.FtpMapMaken(server.pad(terug)));
        Vamox::Test::Uitvoeren(wachtrij,
                               MapUploadenPlannen(sessie, LokaleMapScannen(lokaal + QStringLiteral("/boom")),
                                                  server.pad(terug) + u'/', vragen));
        EXPECT_EQ(Bestanden(server.root() + u'/' + terug), boom);
    }
}

TEST_P(Protocollen, MakesRenamesAndDeletesNeverReplacing)
{
    Schrijven(
        server.root(),
        {{QStringLiteral("a.txt"), "a"}, {QStringLiteral("b.txt"), "b"}, {QStringLiteral("vol/x"), "x"}});
    const QString basis = server.pad(QString());
    EXPECT_TRUE(NieuweMapMaken(&sessie, basis, QStringLiteral("nieuw é")));
    EXPECT_TRUE(QFileInfo(server.root() + QStringLiteral("/nieuw é")).isDir());
    EXPECT_FALSE(sessie.FtpMapMaken(server.pad(QStringLiteral("nieuw é"))));

    using U = Naamwijziging::Uitkomst;
    // Onto an existing file or folder: refused, both stay as they were.
    EXPECT_EQ(NaamWijzigen(&sessie, basis, QStringLiteral("a.txt"), QStringLiteral("b.txt"), false).uitkomst,
              U::Bestaat);
    EXPECT_EQ(NaamWijzigen(&sessie, basis, QStringLiteral("nieuw é"), QStringLiteral("vol"), true).uitkomst,
              U::Bestaat);
    // Onto an existing folder through the session itself, which some SFTP servers would replace.
    if (GetParam() == Protocol::Sftp) {
        EXPECT_FALSE(
            sessie.FtpNaamWijzigen(server.pad(QStringLiteral("vol")), server.pad(QStringLiteral("nieuw é"))));
    }
    EXPECT_EQ(Bestanden(server.root()).value(QStringLiteral("vol/x")), "x");
    EXPECT_EQ(Bestanden(server.root()).value(QStringLiteral("b.txt")), "b");
    EXPECT_EQ(
        NaamWijzigen(&sessie, basis, QStringLiteral("a.txt"), QStringLiteral("c ü.txt"), false).uitkomst,
        U::Gewijzigd);
    EXPECT_EQ(Vamox::Test::LeesBestand(server.root() + QStringLiteral("/c ü.txt")), "a");

    EXPECT_TRUE(sessie.FtpBestandWissen(server.pad(QStringLiteral("c ü.txt"))));
    EXPECT_FALSE(sessie.FtpBestandWissen(server.pad(QStringLiteral("c ü.txt"))));
    EXPECT_FALSE(sessie.FtpMapWissen(server.pad(QStringLiteral("vol"))));
    EXPECT_TRUE(sessie.FtpMapWissen(server.pad(QStringLiteral("nieuw é"))));
    EXPECT_EQ(QDir(server.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("b.txt"), QStringLiteral("vol")}));
}

INSTANTIATE_TEST_SUITE_P(Servers, Protocollen, ::testing::Values(Protocol::Ftp, Protocol::Sftp),
                         [](const auto& info) { return info.param == Protocol::Ftp ? "Ftp" : "Sftp"; });

} // namespace
