#include "support/Vragen.h"
#include "TransferTestHulp.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "support/SshdServer.h"
#include "support/Wachten.h"
#include "transfer/Overdracht.h"
#include "transfer/Verbindingenpool.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

// Files above the threshold move in parts over the queue's connections at once (1 MiB here, files of
// a few MiB), against the real servers: byte for byte as one job, a cut part moved again alone, a
// server that allows fewer logins, a stop.

using namespace Vamox;
using Vamox::Test::FtpServerOpties;
using Vamox::Test::FtpTestServer;
using Vamox::Test::SshdServer;
using Vamox::Test::VsftpdServer;

namespace {

constexpr qint64 Drempel = 1024 * 1024;

QByteArray Inhoud(qint64 n)
{
    QByteArray uit(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i)
        uit[i] = char((i * 7919 + i / 4096) % 251);
    return uit;
}

// The names in a folder, hidden ones too: a temporary file left behind shows here.
QStringList Namen(const QString& map)
{
    return QDir(map).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

Wachtrij& Gedeeld(Wachtrij& w)
{
    w.ZetVerbindingen(4);
    w.pool().ZetDeeldrempel(Drempel, 0); // the servers here are as near as can be
    w.pool().ZetFtpDelen(true);
    return w;
}

Overdrachtsplan Plan(Klus::Richting richting, const QString& bron, const QString& doel, qint64 grootte)
{
    return EenBestandPlannen(richting, bron, doel, grootte);
}

struct Geval
{
    Protocol protocol;
    Klus::Richting richting;
    bool bestaand; // the target is there already and is replaced
};

} // namespace

TEST(Delen, APartedFileArrivesByteForByteAsOneJob)
{
    using R = Klus::Richting;
    for (const Geval g : {Geval{Protocol::Ftp, R::Downloaden, false}, Geval{Protocol::Ftp, R::Downloaden, true},
                          Geval{Protocol::Sftp, R::Downloaden, true}, Geval{Protocol::Sftp, R::Uploaden, false},
                          Geval{Protocol::Sftp, R::Uploaden, true}}) {
        const bool sftp = g.protocol == Protocol::Sftp;
        const bool halen = g.richting == R::Downloaden;
        SCOPED_TRACE(std::string(sftp ? "sftp " : "ftp ") + (halen ? "download" : "upload") +
                     (g.bestaand ? " over a file" : ""));
        if (sftp && !SshdServer::beschikbaar()) GTEST_SKIP() << "sshd is not installed";
        FtpSession sessie;
        FtpTestServer ftp;
        SshdServer sshd;
        QString root, serverMap;
        if (sftp) {
            ASSERT_TRUE(sshd.start()) << sshd.fout().toStdString();
            QDir().mkpath(QFileInfo(sshd.bekendeHostsPad()).path());
            ASSERT_TRUE(Vamox::Test::SchrijfBestand(sshd.bekendeHostsPad(), sshd.hostsleutelRegel()));
            Vamox::Test::SleutelMapZetten(sessie, sshd.sleutelMap());
            Vamox::Test::BekendeHostsZetten(sessie, sshd.bekendeHostsPad());
            ASSERT_TRUE(sessie.FtpVerbindingOpenen(sshd.gegevens())) << sessie.laatsteFout().toStdString();
            root = sshd.root();
            serverMap = sshd.root();
        } else {
            ASSERT_TRUE(ftp.start()) << ftp.fout().toStdString();
            ASSERT_TRUE(sessie.FtpVerbindingOpenen(ftp.gegevens()));
            root = ftp.root();
        }
        QTemporaryDir tmp;
        const QByteArray inhoud = Inhoud(5 * Drempel + 12345);
        const QString lokaal = tmp.filePath(QStringLiteral("groot ë.bin"));
        const QString opServer = root + QStringLiteral("/groot ë.bin");
        ASSERT_TRUE(Vamox::Test::SchrijfBestand(halen ? opServer : lokaal, inhoud));
        if (g.bestaand) {
            ASSERT_TRUE(Vamox::Test::SchrijfBestand(halen ? lokaal : opServer, "oud"));
        }
        Wachtrij wachtrij(sessie);
        const QString serverPad = serverMap + QStringLiteral("/groot ë.bin");
        const Overdrachtsresultaat r = Vamox::Test::Uitvoeren(
            Gedeeld(wachtrij), halen ? Plan(g.richting, serverPad, lokaal, inhoud.size())
                                     : Plan(g.richting, lokaal, serverPad, inhoud.size()));

        EXPECT_EQ(r.gedaan, 1);
        ASSERT_EQ(wachtrij.Klussen().size(), 1u);
        EXPECT_EQ(wachtrij.Klussen().front().gedaan, inhoud.size());
        EXPECT_EQ(wachtrij.Stand().bytesKlaar, inhoud.size());
        EXPECT_TRUE(Vamox::Test::LeesBestand(halen ? lokaal : opServer) == inhoud);
        // Nothing else beside it on either side: no temporary file, no old one set aside.
        EXPECT_EQ(Namen(tmp.path()), QStringList{QStringLiteral("groot ë.bin")});
        EXPECT_EQ(Namen(root), QStringList{QStringLiteral("groot ë.bin")});
        // More than one connection moved it.
        EXPECT_GT(wachtrij.pool().Levend(), 1);
    }
}

// A part whose connection the server cuts is continued by itself: one RETR more than there are
// parts.
TEST(Delen, APartCutByTheServerIsContinuedAlone)
{
    FtpTestServer server(FtpServerOpties{.dropRetrNa = 300'000, .dropKeren = 1, .commandoLog = true});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    const QByteArray inhoud = Inhoud(4 * Drempel + 999);
    server.schrijf(QStringLiteral("groot.bin"), inhoud);
    QTemporaryDir tmp;
    FtpSession sessie;
    Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.hervatPauzeMs = 10; });
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    const QString lokaal = tmp.filePath(QStringLiteral("groot.bin"));
    const Overdrachtsresultaat r = Vamox::Test::Uitvoeren(
        Gedeeld(wachtrij), Plan(Klus::Richting::Downloaden, QStringLiteral("/groot.bin"), lokaal, inhoud.size()));

    EXPECT_EQ(r.gedaan, 1);
    EXPECT_TRUE(Vamox::Test::LeesBestand(lokaal) == inhoud);
    // One part for each of the four connections.
    EXPECT_EQ(server.ontvangen().filter(QRegularExpression(QStringLiteral("^RETR "))).size(), 4 + 1);
    EXPECT_EQ(Namen(tmp.path()), QStringList{QStringLiteral("groot.bin")});
}

// A server that lets in three logins from one address (the panes' and two): the parts the refused
// connections would have moved go over the two that got in. An FTP part logs in again after it
// closes its connection, and another may have taken the place: that part waits for one that is in.
TEST(Delen, AServerAllowingTwoMoreLoginsGetsEveryPart)
{
    if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd is not installed or we are not root";
    VsftpdServer server({.maxPerIp = 3});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    const QString rel = VsftpdServer::werkMap() + QStringLiteral("/groot.bin");
    const QByteArray inhoud = Inhoud(4 * Drempel + 4321);
    server.schrijf(rel, inhoud);
    QTemporaryDir tmp;
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen({server.host(), server.gebruiker(), server.wachtwoord(), server.poort()}));
    Wachtrij wachtrij(sessie);
    const QString lokaal = tmp.filePath(QStringLiteral("groot.bin"));
    for (int keer = 0; keer < 2; ++keer) {
        QFile::remove(lokaal);
        const Overdrachtsresultaat r = Vamox::Test::Uitvoeren(
            Gedeeld(wachtrij), Plan(Klus::Richting::Downloaden, u'/' + rel, lokaal, inhoud.size()));
        EXPECT_EQ(r.gedaan, 1) << wachtrij.Klussen().back().fout.toStdString();
        EXPECT_TRUE(Vamox::Test::LeesBestand(lokaal) == inhoud);
    }
}

// Stopped while its parts run: the old file stays as it was and no temporary file remains.
TEST(Delen, AStopLeavesTheOldFileAndNoTemporaryOne)
{
    FtpTestServer server(FtpServerOpties{.snelheid = 400'000});
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    const QByteArray inhoud = Inhoud(5 * Drempel);
    server.schrijf(QStringLiteral("groot.bin"), inhoud);
    QTemporaryDir tmp;
    const QString lokaal = tmp.filePath(QStringLiteral("groot.bin"));
    ASSERT_TRUE(Vamox::Test::SchrijfBestand(lokaal, "oud"));
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    const quint64 ronde = Gedeeld(wachtrij).Toevoegen(
        Plan(Klus::Richting::Downloaden, QStringLiteral("/groot.bin"), lokaal, inhoud.size()));
    // Under way on more than one connection.
    ASSERT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.Stand().bytesKlaar > 2 * 400'000; }));
    wachtrij.Stoppen();
    const Overdrachtsresultaat r = wachtrij.Wachten(ronde);

    EXPECT_EQ(r.gedaan, 0);
    EXPECT_EQ(wachtrij.Klussen()[0].staat, Klus::Staat::Geannuleerd);
    EXPECT_EQ(Vamox::Test::LeesBestand(lokaal), QByteArray("oud"));
    EXPECT_EQ(Namen(tmp.path()), QStringList{QStringLiteral("groot.bin")});
}
