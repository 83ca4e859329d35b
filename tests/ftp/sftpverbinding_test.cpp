#include "ftp/SftpVerbinding.h"
#include "support/Bestandsgrens.h"
#include "support/SshdServer.h"
#include "support/Wachten.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

// One SSH connection on libssh2 against OpenSSH's sshd: the host key judged before anything of
// the user's goes out, the ways in, listings from the protocol's fields, transfers byte for byte,
// and every way a call can end early (cancelled, killed, stalled, a full local disk).

using namespace Vamox;
using Vamox::Test::SshdServer;
using Vamox::Test::WachtTot;

namespace {

QByteArray Inhoud(qsizetype n)
{
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char((i * 131 + i / 4096) % 251);
    return b;
}

QByteArray Lees(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Draai(const QString& programma, const QStringList& args, const QString& agent = {})
{
    QProcess p;
    if (!agent.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SSH_AUTH_SOCK"), agent);
        p.setProcessEnvironment(env);
    }
    p.start(programma, args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool Sleutel(const QString& pad, const QStringList& soort, const QString& zin = {})
{
    return Draai(QStringLiteral("ssh-keygen"),
                 QStringList{QStringLiteral("-q"), QStringLiteral("-N"), zin, QStringLiteral("-f"), pad} +
                     soort);
}

// The processes sshd forked for its connections: below the listening one, the test's own child.
// (Other tests run beside this one with servers of their own.)
std::vector<pid_t> SshdKinderen()
{
    QMultiHash<pid_t, pid_t> kinderen;
    for (const QString& naam : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool getal = false;
        const pid_t pid = naam.toInt(&getal);
        const QByteArray stat = getal ? Lees(QStringLiteral("/proc/%1/stat").arg(pid)) : QByteArray();
        const QList<QByteArray> velden = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (velden.size() >= 2) kinderen.insert(pid_t(velden.at(1).toInt()), pid);
    }
    std::vector<pid_t> uit;
    QList<pid_t> open = kinderen.values(::getpid());
    while (!open.isEmpty()) {
        const QList<pid_t> volgende = kinderen.values(open.takeFirst());
        uit.insert(uit.end(), volgende.begin(), volgende.end());
        open += volgende;
    }
    return uit;
}

class SftpVerbindingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!SshdServer::beschikbaar())
            GTEST_SKIP() << "sshd and ssh-keygen are not installed (openssh-server)";
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        instellingen.tijden.verbindenS = 10;
        instellingen.tijden.antwoordS = 10;
        instellingen.tijden.stilstandS = 10;
        const QList<QByteArray> velden = server.hostsleutelRegel().trimmed().split(' ');
        sleutel.blob = QByteArray::fromBase64(velden.value(2));
    }
    // Connected to the fixture, its host key trusted, nobody logged in yet.
    std::unique_ptr<SftpVerbinding> Verbonden(const QString& host = {}, const QString& gebruiker = {})
    {
        auto v = std::make_unique<SftpVerbinding>(instellingen);
        const SftpUitkomst u = v->verbinden(host.isEmpty() ? server.host() : host, server.poort(),
                                            gebruiker.isEmpty() ? server.gebruiker() : gebruiker,
                                            [this](const Hostsleutel& k) { return k == sleutel; });
        EXPECT_TRUE(u.ok()) << u.tekst.toStdString();
        return v;
    }
    std::unique_ptr<SftpVerbinding> Aangemeld()
    {
        auto v = Verbonden();
        const SftpUitkomst u = v->metSleutel(GoedeSleutel());
        EXPECT_TRUE(u.ok()) << u.tekst.toStdString();
        return v;
    }
    QString GoedeSleutel() const { return server.sleutelMap() + QStringLiteral("/id_ed25519"); }
    // The fixture's files beside its root.
    QString Bijlage(const char* naam) const
    {
        return QFileInfo(server.root()).path() + u'/' + QLatin1String(naam);
    }

    SshdServer server;
    SftpInstellingen instellingen;
    Hostsleutel sleutel;
    QTemporaryDir tmp;
};

TEST_F(SftpVerbindingTest, ARefusedHostKeyClosesBeforeTheUserNameGoesOut)
{
    const QString log = Bijlage("sshd.log");
    SftpVerbinding v(instellingen);
    std::vector<Hostsleutel> gezien;
    const SftpUitkomst u =
        v.verbinden(server.host(), server.poort(), server.gebruiker(), [&](const Hostsleutel& k) {
            gezien.push_back(k);
            return false;
        });
    EXPECT_EQ(u.fout, SftpFout::Geweigerd) << u.tekst.toStdString();
    EXPECT_EQ(gezien, std::vector{sleutel});
    EXPECT_FALSE(v.verbonden());
    QStringList methoden;
    EXPECT_EQ(v.methoden(methoden).fout, SftpFout::Verbroken);
    // sshd names the user of a connection that sent one when it goes; this one it did not.
    ASSERT_TRUE(WachtTot([&] { return Lees(log).contains("[preauth]"); })) << Lees(log).toStdString();
    EXPECT_FALSE(Lees(log).contains("user")) << Lees(log).toStdString();
    // The same log does name a user that was sent.
    auto w = Verbonden();
    ASSERT_EQ(w->methoden(methoden).fout, SftpFout::Geen);
    w->sluiten();
    EXPECT_TRUE(WachtTot([&] { return Lees(log).contains("user " + server.gebruiker().toUtf8()); }))
        << Lees(log).toStdString();
}

TEST_F(SftpVerbindingTest, EachWayInLogsInOrSaysWhyNot)
{
    // Keys the server knows (in its authorized_keys) and one it does not; RSA in both forms
    // OpenSSH writes, without their .pub so that the public half comes from the private file.
    const QString rsa = tmp.filePath(QStringLiteral("id_rsa")), pem = tmp.filePath(QStringLiteral("pem_rsa"));
    const QString vreemd = tmp.filePath(QStringLiteral("vreemd")),
                  vreemdRsa = tmp.filePath(QStringLiteral("vreemd_rsa"));
    const QStringList rsaSoort{QStringLiteral("-t"), QStringLiteral("rsa"), QStringLiteral("-b"),
                               QStringLiteral("2048")};
    ASSERT_TRUE(Sleutel(rsa, rsaSoort) &&
                Sleutel(pem, rsaSoort + QStringList{QStringLiteral("-m"), QStringLiteral("PEM")},
                        QStringLiteral("pem zin")) &&
                Sleutel(vreemd, {QStringLiteral("-t"), QStringLiteral("ed25519")}) &&
                Sleutel(vreemdRsa, rsaSoort));
    QFile bekend(Bijlage("authorized_keys"));
    ASSERT_TRUE(bekend.open(QIODevice::Append));
    bekend.write(Lees(rsa + QStringLiteral(".pub")) + Lees(pem + QStringLiteral(".pub")));
    bekend.close();
    QFile::remove(rsa + QStringLiteral(".pub"));
    QFile::remove(pem + QStringLiteral(".pub"));

    // An agent of the test's own, holding what a row gives it.
    const QString agentSok = tmp.filePath(QStringLiteral("agent.sok"));
    QProcess agent;
    agent.start(QStringLiteral("ssh-agent"), {QStringLiteral("-D"), QStringLiteral("-a"), agentSok});
    ASSERT_TRUE(WachtTot([&] { return QFileInfo::exists(agentSok); }));
    const auto agentMet = [&](const QString& sleutel) {
        ASSERT_TRUE(Draai(QStringLiteral("ssh-add"), {QStringLiteral("-D")}, agentSok));
        ASSERT_TRUE(Draai(QStringLiteral("ssh-add"), {sleutel}, agentSok));
        qputenv("SSH_AUTH_SOCK", agentSok.toLocal8Bit());
    };
    QString wachtGebruiker, wachtwoord, waarom;
    const bool metWachtwoord = SshdServer::wachtwoordGebruiker(wachtGebruiker, wachtwoord, waarom);

    enum class Weg
    {
        Sleutel,
        Agent,
        Geen,
        Wachtwoord,
        Toetsenbord
    };
    struct Rij
    {
        const char* naam;
        Weg weg;
        QString sleutel; // the key file, or the agent's only key
        QString zin;     // the passphrase, or the password
        SftpFout verwacht;
    };
    const QString metZin = server.sleutelMapMetZin() + QStringLiteral("/id_ed25519");
    const std::vector<Rij> rijen{
        {"key", Weg::Sleutel, GoedeSleutel(), {}, SftpFout::Geen},
        {"key with its passphrase", Weg::Sleutel, metZin, SshdServer::wachtwoordzin(), SftpFout::Geen},
        {"wrong passphrase", Weg::Sleutel, metZin, QStringLiteral("fout"), SftpFout::Sleutel},
        {"no passphrase", Weg::Sleutel, metZin, {}, SftpFout::Sleutel},
        {"unknown key", Weg::Sleutel, vreemd, {}, SftpFout::Geweigerd},
        {"known RSA key", Weg::Sleutel, rsa, {}, SftpFout::RsaSha1},
        {"known RSA key as PEM with passphrase", Weg::Sleutel, pem, QStringLiteral("pem zin"),
         SftpFout::RsaSha1},
        {"unknown RSA key", Weg::Sleutel, vreemdRsa, {}, SftpFout::Geweigerd},
        {"agent", Weg::Agent, GoedeSleutel(), {}, SftpFout::Geen},
        {"agent with a known RSA key", Weg::Agent, rsa, {}, SftpFout::RsaSha1},
        {"agent with an unknown key", Weg::Agent, vreemd, {}, SftpFout::Geweigerd},
        {"no agent", Weg::Geen, {}, {}, SftpFout::Lokaal},
        {"password", Weg::Wachtwoord, {}, wachtwoord, SftpFout::Geen},
        {"wrong password", Weg::Wachtwoord, {}, QStringLiteral("fout"), SftpFout::Geweigerd},
        {"keyboard-interactive (off at this server)", Weg::Toetsenbord, {}, wachtwoord, SftpFout::Geweigerd},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.naam);
        qunsetenv("SSH_AUTH_SOCK");
        if (r.weg == Weg::Agent) agentMet(r.sleutel);
        const bool wachtwoordweg = r.weg == Weg::Wachtwoord || r.weg == Weg::Toetsenbord;
        if (wachtwoordweg && !metWachtwoord) {
            std::cout << "skipped: " << r.naam << ": " << waarom.toStdString() << '\n';
            continue;
        }
        // By name: the resolver's way, and ::1 (not listened on) before 127.0.0.1.
        auto v = Verbonden(QStringLiteral("localhost"), wachtwoordweg ? wachtGebruiker : QString());
        QStringList methoden;
        ASSERT_TRUE(v->methoden(methoden).ok());
        EXPECT_TRUE(methoden.contains(QStringLiteral("publickey"))) << methoden.join(u',').toStdString();
        SftpUitkomst u;
        switch (r.weg) {
        case Weg::Sleutel:
            u = v->metSleutel(r.sleutel, r.zin);
            break;
        case Weg::Agent:
        case Weg::Geen:
            u = v->metAgent();
            break;
        case Weg::Wachtwoord:
            u = v->metWachtwoord(r.zin);
            break;
        case Weg::Toetsenbord:
            u = v->metToetsenbord(r.zin);
            break;
        }
        EXPECT_EQ(u.fout, r.verwacht) << u.tekst.toStdString();
        EXPECT_EQ(v->aangemeld(), u.ok());
        // Refused is not broken: the same connection takes the next way in.
        if (!u.ok()) {
            EXPECT_TRUE(v->verbonden());
            const SftpUitkomst daarna =
                wachtwoordweg ? v->metWachtwoord(wachtwoord) : v->metSleutel(GoedeSleutel());
            EXPECT_TRUE(daarna.ok()) << daarna.tekst.toStdString();
        }
        SftpAttributen a;
        EXPECT_TRUE(v->stat("/", a).ok());
        EXPECT_EQ(a.soort, SftpAttributen::Soort::Map);
    }
    qunsetenv("SSH_AUTH_SOCK");
    agent.terminate();
    agent.waitForFinished();
}

TEST_F(SftpVerbindingTest, ListsNamesAsTheServerSentThemWithoutPhantoms)
{
    server.maakMap(QStringLiteral("m/sub"));
    const QByteArray nepregel = "a\n-rw-r--r-- 1 root root 5 Jan  1  2020 phantom.txt";
    const QByteArray ongeldig = "\xff\xfe.bin";
    const QString map = server.pad(QStringLiteral("m"));
    for (const QByteArray& naam : {nepregel, ongeldig, QByteArray(" spatie "), QByteArray("gewoon.txt")}) {
        // The bytes as they are: through QString the invalid ones would be replaced.
        const int fd = ::open((QFile::encodeName(map) + '/' + naam).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0) << naam.toStdString();
        EXPECT_EQ(::write(fd, "12345", 5), 5);
        ::close(fd);
    }
    const QByteArray gewoon = QFile::encodeName(map + QStringLiteral("/gewoon.txt"));
    ::chmod(gewoon.constData(), 0640);
    const utimbuf tijd{1577934240, 1577934240}; // 2020-01-02 03:04 UTC
    ::utime(gewoon.constData(), &tijd);
    ASSERT_EQ(::symlink("sub", QFile::encodeName(map + QStringLiteral("/naarSub")).constData()), 0);
    ASSERT_EQ(::symlink("gewoon.txt", QFile::encodeName(map + QStringLiteral("/naarBestand")).constData()),
              0);
    ASSERT_EQ(::symlink("nergens", QFile::encodeName(map + QStringLiteral("/los")).constData()), 0);

    auto v = Aangemeld();
    std::map<QByteArray, SftpEntry> gezien;
    const SftpUitkomst u = v->lijst(map, [&](std::vector<SftpEntry>& deel) {
        for (SftpEntry& e : deel)
            EXPECT_TRUE(gezien.emplace(e.naam, std::move(e)).second) << "twice: " << e.naam.toStdString();
    });
    ASSERT_TRUE(u.ok()) << u.tekst.toStdString();
    QList<QByteArray> namen;
    for (const auto& [naam, e] : gezien)
        namen << naam;
    EXPECT_EQ(namen, (QList<QByteArray>{" spatie ", nepregel, "gewoon.txt", "los", "naarBestand", "naarSub",
                                        "sub", ongeldig}));
    struct Verwacht
    {
        QByteArray naam;
        bool isMap, link, geldig;
    };
    for (const Verwacht& w :
         {Verwacht{"sub", true, false, true}, Verwacht{"naarSub", true, true, true},
          Verwacht{"naarBestand", false, true, true}, Verwacht{"los", false, true, true},
          Verwacht{nepregel, false, false, true}, Verwacht{ongeldig, false, false, false}}) {
        SCOPED_TRACE(w.naam.toStdString());
        const SftpEntry& e = gezien[w.naam];
        EXPECT_EQ(e.entry.isMap, w.isMap);
        EXPECT_EQ(e.link, w.link);
        EXPECT_EQ(e.geldigeNaam, w.geldig);
    }
    // A link to a file has the size and date a download of it gets.
    for (const char* naam : {"gewoon.txt", "naarBestand"}) {
        SCOPED_TRACE(naam);
        const SftpEntry& g = gezien[naam];
        EXPECT_EQ(g.entry.naam, QLatin1String(naam));
        EXPECT_EQ(g.entry.grootte, 5);
        EXPECT_EQ(g.rechten, 0640);
        EXPECT_EQ(g.mtime, 1577934240);
        EXPECT_EQ(std::tuple(g.entry.jaar, g.entry.maand, g.entry.dag, g.entry.uur, g.entry.minuut),
                  std::tuple(2020, 1, 2, 3, 4));
    }
    // The name with a line break is addressable as its bytes.
    SftpAttributen a;
    ASSERT_TRUE(v->stat(QFile::encodeName(map) + '/' + nepregel, a).ok());
    EXPECT_EQ(a.grootte, 5);
    // QDir cannot name it to remove the fixture's folder.
    ::unlink((QFile::encodeName(map) + '/' + ongeldig).constData());
}

TEST_F(SftpVerbindingTest, ALargeFolderComesInPiecesAndALimitStopsIt)
{
    server.maakMap(QStringLiteral("veel"));
    for (int i = 0; i < 3000; ++i)
        QFile(server.pad(QStringLiteral("veel/bestand_%1.txt").arg(i, 5, 10, QLatin1Char('0'))))
            .open(QIODevice::WriteOnly);
    auto v = Aangemeld();
    int stukken = 0;
    QSet<QByteArray> namen;
    ASSERT_TRUE(v->lijst(server.pad(QStringLiteral("veel")), [&](std::vector<SftpEntry>& deel) {
                     ++stukken;
                     for (const SftpEntry& e : deel)
                         namen.insert(e.naam);
                 }).ok());
    EXPECT_EQ(namen.size(), 3000);
    EXPECT_GT(stukken, 1);
    Lijstgrenzen grenzen;
    grenzen.entries = 1000;
    qint64 gekregen = 0;
    const SftpUitkomst u = v->lijst(
        server.pad(QStringLiteral("veel")),
        [&](std::vector<SftpEntry>& deel) { gekregen += qint64(deel.size()); }, grenzen);
    EXPECT_EQ(u.fout, SftpFout::TeGroot) << u.tekst.toStdString();
    EXPECT_LE(gekregen, 1000);
    // Cancelled at its first piece; the next listing is whole.
    EXPECT_EQ(
        v->lijst(server.pad(QStringLiteral("veel")), [&](std::vector<SftpEntry>&) { v->afbreken(); }).fout,
        SftpFout::Geannuleerd);
    v->doorgaan();
    namen.clear();
    ASSERT_TRUE(v->lijst(server.pad(QStringLiteral("veel")), [&](std::vector<SftpEntry>& deel) {
                     for (const SftpEntry& e : deel)
                         namen.insert(e.naam);
                 }).ok());
    EXPECT_EQ(namen.size(), 3000);
}

TEST_F(SftpVerbindingTest, NamesOnTheServer)
{
    server.schrijf(QStringLiteral("a.txt"), "aaa");
    server.schrijf(QStringLiteral("b.txt"), "bbb");
    server.schrijf(QStringLiteral("vol/x"), "x");
    auto v = Aangemeld();
    const auto p = [&](const char* rel) { return SftpPad(server.pad(QLatin1String(rel))); };
    SftpAttributen a;
    QByteArray echt;
    struct Rij
    {
        const char* naam;
        std::function<SftpUitkomst()> doen;
        SftpFout verwacht;
    };
    const std::vector<Rij> rijen{
        {"mkdir", [&] { return v->mapMaken(p("nieuw")); }, SftpFout::Geen},
        {"mkdir existing", [&] { return v->mapMaken(p("nieuw")); }, SftpFout::BestaatAl},
        {"rename onto an existing file", [&] { return v->hernoemen(p("a.txt"), p("b.txt")); },
         SftpFout::BestaatAl},
        {"rename onto a folder", [&] { return v->hernoemen(p("a.txt"), p("nieuw")); }, SftpFout::BestaatAl},
        {"rename", [&] { return v->hernoemen(p("a.txt"), p("c.txt")); }, SftpFout::Geen},
        {"rename what is not there", [&] { return v->hernoemen(p("a.txt"), p("d.txt")); },
         SftpFout::NietGevonden},
        {"chmod", [&] { return v->rechtenZetten(p("c.txt"), 0604); }, SftpFout::Geen},
        {"mtime", [&] { return v->tijdZetten(p("c.txt"), 1000000000); }, SftpFout::Geen},
        {"stat", [&] { return v->stat(p("c.txt"), a); }, SftpFout::Geen},
        {"stat missing", [&] { return v->stat(p("weg"), a); }, SftpFout::NietGevonden},
        {"realpath", [&] { return v->echtPad(p("nieuw/.."), echt); }, SftpFout::Geen},
        {"rmdir not empty", [&] { return v->mapWissen(p("vol")); }, SftpFout::Geweigerd},
        {"rmdir", [&] { return v->mapWissen(p("nieuw")); }, SftpFout::Geen},
        {"unlink missing", [&] { return v->wissen(p("weg")); }, SftpFout::NietGevonden},
        {"unlink", [&] { return v->wissen(p("c.txt")); }, SftpFout::Geen},
        {"probe", [&] { return v->peilen(2000); }, SftpFout::Geen},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.naam);
        const SftpUitkomst u = r.doen();
        EXPECT_EQ(u.fout, r.verwacht) << u.tekst.toStdString();
        if (QByteArrayView(r.naam) == "stat") {
            EXPECT_EQ(std::tuple(a.soort, a.grootte, a.rechten, a.mtime),
                      std::tuple(SftpAttributen::Soort::Bestand, qint64(3), 0604, qint64(1000000000)));
        }
    }
    EXPECT_EQ(echt, QFile::encodeName(server.root()));
    EXPECT_EQ(server.lees(QStringLiteral("b.txt")), "bbb");
    EXPECT_FALSE(QFileInfo::exists(server.pad(QStringLiteral("c.txt"))));
}

TEST_F(SftpVerbindingTest, MovesFilesAndRangesByteForByte)
{
    const QByteArray inhoud = Inhoud(48 << 20);
    server.schrijf(QStringLiteral("groot.bin"), inhoud);
    auto v = Aangemeld();
    const QByteArray pad = QFile::encodeName(server.pad(QStringLiteral("groot.bin")));

    struct Bereik
    {
        const char* naam;
        qint64 vanaf, tot;
        SftpFout verwacht;
        qint64 bytes;
    };
    for (const Bereik& b :
         {Bereik{"whole", 0, -1, SftpFout::Geen, inhoud.size()},
          Bereik{"a part", 5'000'001, 21'000'003, SftpFout::Geen, 16'000'002},
          Bereik{"past the end", inhoud.size() - 10, inhoud.size() + 10, SftpFout::Korter, 10}}) {
        SCOPED_TRACE(b.naam);
        QByteArray ontvangen;
        std::vector<qint64> voortgang;
        const SftpUitkomst u = v->halen(
            pad,
            [&](qint64 positie, const char* data, qint64 n) {
                EXPECT_EQ(positie, b.vanaf + ontvangen.size());
                ontvangen.append(data, n);
                return true;
            },
            b.vanaf, b.tot, [&](qint64 n) { voortgang.push_back(n); });
        EXPECT_EQ(u.fout, b.verwacht) << u.tekst.toStdString();
        EXPECT_EQ(u.bytes, b.bytes);
        EXPECT_TRUE(ontvangen == inhoud.mid(b.vanaf, b.bytes));
        ASSERT_FALSE(voortgang.empty());
        EXPECT_TRUE(std::is_sorted(voortgang.begin(), voortgang.end()));
        EXPECT_EQ(voortgang.back(), b.bytes);
    }

    // Up whole, then in two parts at their offsets over two connections at once, into a file
    // made beforehand at its size; a part writes nothing outside its range.
    const auto lezerVan = [&](qint64 van, qint64 tot) {
        return [&inhoud, van, tot](qint64 positie, char* data, qint64 ruimte) -> qint64 {
            const qint64 n = std::min(ruimte, tot - positie);
            EXPECT_GE(positie, van);
            std::memcpy(data, inhoud.constData() + positie, std::size_t(n));
            return n;
        };
    };
    const SftpUitkomst heel = v->plaatsen(server.pad(QStringLiteral("op.bin")), lezerVan(0, inhoud.size()));
    EXPECT_TRUE(heel.ok()) << heel.tekst.toStdString();
    EXPECT_EQ(heel.bytes, inhoud.size());
    EXPECT_TRUE(server.lees(QStringLiteral("op.bin")) == inhoud);

    server.schrijf(QStringLiteral("delen.bin"), QByteArray(inhoud.size(), 'x'));
    const qint64 midden = 20'000'017;
    auto w = Aangemeld();
    SftpUitkomst tweede;
    std::thread draad([&] {
        tweede = w->plaatsen(server.pad(QStringLiteral("delen.bin")), lezerVan(midden, inhoud.size()),
                             {.vanaf = midden, .afkappen = false});
    });
    const SftpUitkomst eerste = v->plaatsen(server.pad(QStringLiteral("delen.bin")), lezerVan(0, midden),
                                            {.vanaf = 0, .afkappen = false});
    draad.join();
    EXPECT_TRUE(eerste.ok() && tweede.ok()) << eerste.tekst.toStdString() << tweede.tekst.toStdString();
    EXPECT_TRUE(server.lees(QStringLiteral("delen.bin")) == inhoud);

    // A temporary file only its owner may read; and one that may not exist yet.
    QByteArray klein("klein");
    QBuffer bron(&klein);
    bron.open(QIODevice::ReadOnly);
    ASSERT_TRUE(
        v->plaatsen(server.pad(QStringLiteral("tijdelijk")), UitApparaat(bron), {.modus = 0600}).ok());
    EXPECT_EQ(QFileInfo(server.pad(QStringLiteral("tijdelijk"))).permissions() & 0x0077, 0);
    bron.seek(0);
    EXPECT_EQ(v->plaatsen(server.pad(QStringLiteral("op.bin")), UitApparaat(bron), {.nieuw = true}).fout,
              SftpFout::BestaatAl);
    EXPECT_TRUE(server.lees(QStringLiteral("op.bin")) == inhoud);
}

// Every way a transfer ends early, both ways: cancelled (quickly, the connection still usable),
// the connection killed (broken, not refused), the server stalled (timed out), the local disk
// full (the writer's failure, the connection still usable).
TEST_F(SftpVerbindingTest, ATransferEndedEarlySaysHowAndLeavesWhatItCan)
{
    const QByteArray inhoud = Inhoud(48 << 20);
    server.schrijf(QStringLiteral("groot.bin"), inhoud);
    instellingen.tijden.stilstandS = 1;
    enum class Einde
    {
        Afbreken,
        Doden,
        Stilzetten,
        VolleSchijf
    };
    struct Rij
    {
        const char* naam;
        Einde einde;
        bool neer;
        SftpFout verwacht;
        bool bruikbaar; // the connection afterwards
    };
    for (const Rij& r : {Rij{"download cancelled", Einde::Afbreken, true, SftpFout::Geannuleerd, true},
                         Rij{"upload cancelled", Einde::Afbreken, false, SftpFout::Geannuleerd, true},
                         Rij{"download killed", Einde::Doden, true, SftpFout::Verbroken, false},
                         Rij{"upload killed", Einde::Doden, false, SftpFout::Verbroken, false},
                         Rij{"download stalled", Einde::Stilzetten, true, SftpFout::TijdVerstreken, false},
                         Rij{"upload stalled", Einde::Stilzetten, false, SftpFout::TijdVerstreken, false},
                         Rij{"local disk full", Einde::VolleSchijf, true, SftpFout::Lokaal, true}}) {
        SCOPED_TRACE(r.naam);
        auto v = Aangemeld();
        // Another thread ends it once 8 MiB have moved, while the transfer waits in its writer or
        // reader for that to be done.
        std::atomic<bool> zover{false}, gedaan{false};
        std::vector<pid_t> gestopt;
        std::thread ingreep([&] {
            WachtTot([&] { return zover.load(); }, 60000);
            if (r.einde == Einde::Afbreken) v->afbreken();
            if (r.einde == Einde::Doden) server.verbindingenVerbreken();
            if (r.einde == Einde::Stilzetten)
                for (const pid_t p : gestopt = SshdKinderen())
                    ::kill(p, SIGSTOP);
            gedaan = true;
        });
        const auto bij = [&](qint64 positie) {
            if (positie < (8 << 20) || zover || r.einde == Einde::VolleSchijf) return;
            zover = true;
            WachtTot([&] { return gedaan.load(); }, 60000);
        };
        QFile lokaal(tmp.filePath(QStringLiteral("neer.bin")));
        ASSERT_TRUE(lokaal.open(QIODevice::WriteOnly | QIODevice::Truncate));
        SftpUitkomst u;
        {
            const Vamox::Test::Bestandsgrens grens(r.einde == Einde::VolleSchijf ? 8 << 20 : RLIM_INFINITY);
            if (r.neer) {
                const SftpSchrijver naarBestand = NaarApparaat(lokaal);
                u = v->halen(server.pad(QStringLiteral("groot.bin")),
                             [&](qint64 positie, const char* data, qint64 n) {
                                 bij(positie);
                                 return naarBestand(positie, data, n);
                             });
            } else {
                u = v->plaatsen(server.pad(QStringLiteral("op.bin")),
                                [&](qint64 positie, char* data, qint64 ruimte) {
                                    bij(positie);
                                    const qint64 n = std::min(ruimte, inhoud.size() - positie);
                                    std::memcpy(data, inhoud.constData() + positie, std::size_t(n));
                                    return n;
                                });
            }
        }
        zover = true;
        ingreep.join();
        for (const pid_t p : gestopt)
            ::kill(p, SIGKILL), ::kill(p, SIGCONT);
        EXPECT_EQ(u.fout, r.verwacht) << u.tekst.toStdString();
        EXPECT_LT(u.bytes, inhoud.size());
        EXPECT_EQ(v->verbonden(), r.bruikbaar);
        v->doorgaan();
        if (!r.bruikbaar) {
            EXPECT_EQ(v->peilen(1000).fout, SftpFout::Verbroken);
            continue;
        }
        // What the cancel left under way is finished first; then the file moves whole.
        QByteArray daarna;
        const SftpUitkomst heel =
            v->halen(server.pad(QStringLiteral("groot.bin")), [&](qint64, const char* data, qint64 n) {
                daarna.append(data, n);
                return true;
            });
        EXPECT_TRUE(heel.ok()) << heel.tekst.toStdString();
        EXPECT_TRUE(daarna == inhoud);
    }
}

// Every wait gives up in time or at a cancel, before any SSH: a server that accepts and says
// nothing, a closed port.
TEST_F(SftpVerbindingTest, ConnectingGivesUpInTimeOrWhenCancelled)
{
    const int luister = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in adres{};
    adres.sin_family = AF_INET;
    adres.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t lengte = sizeof adres;
    ASSERT_EQ(::bind(luister, reinterpret_cast<sockaddr*>(&adres), lengte), 0);
    ASSERT_EQ(::listen(luister, 4), 0);
    ::getsockname(luister, reinterpret_cast<sockaddr*>(&adres), &lengte);
    const quint16 stil = ntohs(adres.sin_port);
    instellingen.tijden.verbindenS = 1;
    const auto ja = [](const Hostsleutel&) { return true; };
    {
        SftpVerbinding v(instellingen);
        EXPECT_EQ(v.verbinden(server.host(), stil, server.gebruiker(), ja).fout, SftpFout::TijdVerstreken);
        EXPECT_FALSE(v.verbonden());
    }
    {
        instellingen.tijden.verbindenS = 60;
        SftpVerbinding v(instellingen);
        std::thread ingreep([&] {
            // Once the connection waits in the listener's queue.
            pollfd p{luister, POLLIN, 0};
            ::poll(&p, 1, 10000);
            v.afbreken();
        });
        EXPECT_EQ(v.verbinden(server.host(), stil, server.gebruiker(), ja).fout, SftpFout::Geannuleerd);
        ingreep.join();
        EXPECT_FALSE(v.verbonden());
        EXPECT_EQ(v.verbinden(server.host(), server.poort(), server.gebruiker(), ja).fout,
                  SftpFout::Geannuleerd);
        v.doorgaan();
        const SftpUitkomst u = v.verbinden(server.host(), server.poort(), server.gebruiker(), ja);
        EXPECT_TRUE(u.ok()) << u.tekst.toStdString();
    }
    ::close(luister);
    SftpVerbinding v(instellingen);
    EXPECT_EQ(v.verbinden(server.host(), stil, server.gebruiker(), ja).fout, SftpFout::Verbroken);
}

} // namespace
