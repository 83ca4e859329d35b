#include "support/Vragen.h"
#include "ftp/FtpSession.h"
#include "support/Bestandsgrens.h"
#include "support/SshdServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Logging in over SSH against OpenSSH's server: host keys as known_hosts keeps them, asked about
// before any credential, and the ways in (keys with and without a passphrase, a password).

using namespace Vamox;
using Vamox::Test::SshdServer;

namespace {

QByteArray Lees(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Schrijf(const QString& pad, const QByteArray& inhoud)
{
    QFile f(pad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhoud);
}

class SftpAanmelden : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!SshdServer::beschikbaar())
            GTEST_SKIP() << "sshd and ssh-keygen are not installed (openssh-server)";
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
        Vamox::Test::SleutelMapZetten(sessie, server.sleutelMap());
        Vamox::Test::BekendeHostsZetten(sessie, server.bekendeHostsPad());
        sessie.ZetVragen(&vragen);
        vragen.hostsleutelVertrouwen = [this](const HostsleutelInfo& info) {
            gevraagd << info.sleutel.vingerafdruk();
            // Nothing of the user's may have reached the server before the question.
            zinGevraagdVoorVraag = zinnen > 0;
            return vertrouwen;
        };
        vragen.hostsleutelGewijzigd = [this](const HostsleutelInfo& info) { gewijzigd.push_back(info); };
        vragen.hostsleutelMelding = [this](Hostsleutelmelding m, const HostsleutelInfo&) { meldingen.push_back(m); };
        vragen.wachtwoordzin = [this](const QString&) {
            ++zinnen;
            return zin;
        };
    }
    QString map() const { return server.root(); }

    SshdServer server;
    Vamox::Test::Vragen vragen;
    FtpSession sessie;
    QStringList gevraagd;
    std::vector<HostsleutelInfo> gewijzigd;
    std::vector<Hostsleutelmelding> meldingen;
    bool vertrouwen = true;
    bool zinGevraagdVoorVraag = false;
    int zinnen = 0;
    QString zin;
};

struct Hostgeval
{
    const char* naam;
    enum class Bestand
    {
        Geen,        // no ~/.ssh at all
        Bekend,
        Gehasht,
        Gewijzigd,
        Ingetrokken, // "@revoked" for the key, and a plain line that trusts it too
        VolleSchijf  // the file cannot grow
    } bestand;
    bool antwoord; // to the question, when asked
    bool gevraagd;
    bool aangemeld;
    bool toegevoegd; // the server's line was appended, the rest kept
    std::vector<Hostsleutelmelding> meldingen = {};
};

class Hostsleutels : public SftpAanmelden, public ::testing::WithParamInterface<Hostgeval>
{
};

TEST_P(Hostsleutels, AreCheckedAgainstKnownHostsBeforeAnyCredential)
{
    const Hostgeval& g = GetParam();
    using B = Hostgeval::Bestand;
    QByteArray voor = "# van de gebruiker\nandere.example ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIEvamox";
    // Room for this server's lines in the session's own copy, none for a line more in the file.
    if (g.bestand == B::VolleSchijf) voor += '\n' + QByteArray(600, '#');
    const QString sshMap = QFileInfo(server.bekendeHostsPad()).path();
    QDir(sshMap).removeRecursively();
    if (g.bestand != B::Geen) {
        QDir().mkpath(sshMap);
        QByteArray regels = voor + '\n';
        if (g.bestand == B::Gewijzigd) regels += server.andereSleutelRegel();
        if (g.bestand == B::Ingetrokken) regels += "@revoked " + server.hostsleutelRegel();
        if (g.bestand != B::Gewijzigd && g.bestand != B::VolleSchijf) regels += server.hostsleutelRegel();
        Schrijf(server.bekendeHostsPad(), regels);
        // OpenSSH's own hashing of the names.
        if (g.bestand == B::Gehasht) {
            ASSERT_EQ(QProcess::execute(QStringLiteral("ssh-keygen"),
                                        {QStringLiteral("-q"), QStringLiteral("-H"), QStringLiteral("-f"),
                                         server.bekendeHostsPad()}),
                      0);
        }
    }
    const QByteArray bestandVoor = Lees(server.bekendeHostsPad());
    // The key with a passphrase is the only way in, so a credential sent shows as a question for it.
    Vamox::Test::SleutelMapZetten(sessie, server.sleutelMapMetZin());
    zin = SshdServer::wachtwoordzin();
    vertrouwen = g.antwoord;

    {
        // ~/.ssh made under the usual umask must still be the owner's only.
        const mode_t umaskVoor = ::umask(022);
        const Vamox::Test::Bestandsgrens grens(g.bestand == B::VolleSchijf ? bestandVoor.size() + 5
                                                                          : RLIM_INFINITY);
        EXPECT_EQ(sessie.FtpVerbindingOpenen(server.gegevens()), g.aangemeld)
            << sessie.laatsteFout().toStdString();
        ::umask(umaskVoor);
    }
    EXPECT_EQ(gevraagd, g.gevraagd ? QStringList{server.vingerafdruk()} : QStringList());
    EXPECT_FALSE(zinGevraagdVoorVraag);
    EXPECT_EQ(zinnen, g.aangemeld ? 1 : 0);
    EXPECT_EQ(meldingen, g.meldingen);
    if (g.bestand == B::Gewijzigd) {
        ASSERT_EQ(gewijzigd.size(), 1u);
        EXPECT_EQ(gewijzigd[0].poort, server.poort());
        EXPECT_EQ(gewijzigd[0].sleutel.vingerafdruk(), server.vingerafdruk());
        EXPECT_FALSE(gewijzigd[0].bekend.leeg());
        EXPECT_NE(gewijzigd[0].bekend.vingerafdruk(), server.vingerafdruk());
    } else {
        EXPECT_TRUE(gewijzigd.empty());
    }
    const QByteArray na = Lees(server.bekendeHostsPad());
    if (g.toegevoegd) {
        EXPECT_EQ(na, bestandVoor + server.hostsleutelRegel());
        EXPECT_EQ(QFileInfo(server.bekendeHostsPad()).permissions() & 0x0077, 0);
        EXPECT_EQ(QFileInfo(sshMap).permissions() & 0x0077, 0);
    } else {
        // Not a torn line either, where the disk was full.
        EXPECT_EQ(na, bestandVoor);
    }
    if (!g.aangemeld) return;
    // Known now, and known to the connection that takes the login over: nobody is asked again.
    FtpSession tweede;
    gevraagd.clear();
    EXPECT_TRUE(tweede.FtpVerbindingOvernemen(sessie.aanmelding())) << tweede.laatsteFout().toStdString();
    EXPECT_EQ(zinnen, 1);
    EXPECT_TRUE(tweede.FtpMapLezen(map()).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, Hostsleutels,
    ::testing::Values(Hostgeval{"Onbekend_Nee", Hostgeval::Bestand::Geen, false, true, false, false},
                      Hostgeval{"Onbekend_Ja", Hostgeval::Bestand::Geen, true, true, true, true},
                      Hostgeval{"Gewijzigd", Hostgeval::Bestand::Gewijzigd, true, false, false, false},
                      Hostgeval{"Bekend", Hostgeval::Bestand::Bekend, false, false, true, false},
                      Hostgeval{"Gehasht", Hostgeval::Bestand::Gehasht, false, false, true, false},
                      Hostgeval{"Ingetrokken", Hostgeval::Bestand::Ingetrokken, true, false, false, false,
                                {Hostsleutelmelding::Ingetrokken}},
                      Hostgeval{"VolleSchijf", Hostgeval::Bestand::VolleSchijf, true, true, true, false,
                                {Hostsleutelmelding::NietOnthouden}}),
    [](const auto& info) { return std::string(info.param.naam); });

// A connection killed mid-file (sshd's process for it dies): the transfer goes on from where it
// was on a new connection, both ways, and the file arrives whole.
TEST_F(SftpAanmelden, ResumesThroughAKilledConnection)
{
    QDir().mkpath(QFileInfo(server.bekendeHostsPad()).path());
    Schrijf(server.bekendeHostsPad(), server.hostsleutelRegel());
    Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.hervatPauzeMs = 10; });
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens())) << sessie.laatsteFout().toStdString();
    QByteArray inhoud(48 << 20, Qt::Uninitialized);
    for (qsizetype i = 0; i < inhoud.size(); ++i)
        inhoud[i] = char((i * 131 + i / 4096) % 251);
    server.schrijf(QStringLiteral("neer.bin"), inhoud);
    QTemporaryDir lokaal;
    const QString op = lokaal.filePath(QStringLiteral("op.bin"));
    Schrijf(op, inhoud);

    for (const bool neer : {true, false}) {
        SCOPED_TRACE(neer ? "download" : "upload");
        // Where the bytes arrive: the local folder (under a temporary name) or the server's file.
        const auto aangekomen = [&] {
            if (!neer) return QFileInfo(server.pad(QStringLiteral("op.bin"))).size();
            qint64 n = 0;
            for (const QFileInfo& f : QDir(lokaal.path()).entryInfoList(QDir::Files | QDir::Hidden))
                if (f.fileName() != QLatin1String("op.bin")) n += f.size();
            return n;
        };
        qint64 bijVerbreken = -1;
        QTimer kijken;
        kijken.setInterval(1);
        QObject::connect(&kijken, &QTimer::timeout, [&] {
            const qint64 n = aangekomen();
            if (n <= 0 || n >= inhoud.size()) return;
            bijVerbreken = n;
            server.verbindingenVerbreken();
            kijken.stop();
        });
        kijken.start();
        const bool gelukt =
            neer ? sessie.FtpBestandHalen(lokaal.filePath(QStringLiteral("neer.bin")),
                                          server.pad(QStringLiteral("neer.bin")))
                 : sessie.FtpBestandPlaatsen(op, server.pad(QStringLiteral("op.bin")), Serverdoel::Nieuw);
        EXPECT_TRUE(gelukt) << sessie.laatsteFout().toStdString();
        EXPECT_GT(bijVerbreken, 0) << "the transfer ended before the connection could be killed";
        EXPECT_TRUE((neer ? Lees(lokaal.filePath(QStringLiteral("neer.bin")))
                          : server.lees(QStringLiteral("op.bin"))) == inhoud);
    }
}

struct Aanmeldgeval
{
    const char* naam;
    enum class Sleutel
    {
        Geen,
        Zonder,
        MetZin,
        TeOpen // readable by others: never used, as ssh never does
    } sleutel;
    const char* zin;          // typed for the key
    bool wachtwoordGebruiker; // the password user (made as root), else the test's own user
    const char* wachtwoord;
    bool aangemeld;
    const char* fout; // of a refused login
};

class Aanmelden : public SftpAanmelden, public ::testing::WithParamInterface<Aanmeldgeval>
{
};

TEST_P(Aanmelden, TriesKeysThenThePasswordAndNamesWhatWasTried)
{
    const Aanmeldgeval& g = GetParam();
    QDir().mkpath(QFileInfo(server.bekendeHostsPad()).path());
    Schrijf(server.bekendeHostsPad(), server.hostsleutelRegel());
    FtpGegevens gegevens = server.gegevens();
    if (g.wachtwoordGebruiker) {
        QString waarom;
        if (!SshdServer::wachtwoordGebruiker(gegevens.gebruiker, gegevens.wachtwoord, waarom))
            GTEST_SKIP() << waarom.toStdString();
    }
    if (*g.wachtwoord) gegevens.wachtwoord = QString::fromUtf8(g.wachtwoord);
    using S = Aanmeldgeval::Sleutel;
    Vamox::Test::SleutelMapZetten(sessie, g.sleutel == S::Zonder   ? server.sleutelMap()
                                          : g.sleutel == S::MetZin ? server.sleutelMapMetZin()
                                                                   : server.root());
    QTemporaryDir open;
    if (g.sleutel == S::TeOpen) {
        const QString sleutel = open.filePath(QStringLiteral("id_ed25519"));
        ASSERT_TRUE(QFile::copy(server.sleutelMap() + QStringLiteral("/id_ed25519"), sleutel));
        QFile::setPermissions(sleutel, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ReadOther);
        Vamox::Test::SleutelMapZetten(sessie, open.path());
    }
    zin = QString::fromUtf8(g.zin);

    EXPECT_EQ(sessie.FtpVerbindingOpenen(gegevens), g.aangemeld) << sessie.laatsteFout().toStdString();
    EXPECT_EQ(sessie.laatsteFout(), QString::fromUtf8(g.fout));
    EXPECT_EQ(meldingen, g.sleutel == S::TeOpen ? std::vector{Hostsleutelmelding::SleutelTeOpen}
                                                : std::vector<Hostsleutelmelding>{});
    EXPECT_EQ(zinnen, g.sleutel == S::MetZin ? 1 : 0);
    EXPECT_EQ(sessie.FtpMapLezen(QStringLiteral("/")).has_value(), g.aangemeld);
}

INSTANTIATE_TEST_SUITE_P(
    Gevallen, Aanmelden,
    ::testing::Values(
        Aanmeldgeval{"Sleutel", Aanmeldgeval::Sleutel::Zonder, "", false, "", true, ""},
        Aanmeldgeval{"SleutelMetZin", Aanmeldgeval::Sleutel::MetZin, "zin van de test", false, "", true, ""},
        Aanmeldgeval{"VerkeerdeZinEnWachtwoord", Aanmeldgeval::Sleutel::MetZin, "fout", false, "fout", false,
                     "Aanmelden geweigerd (geprobeerd: sleutel id_ed25519, wachtwoord)"},
        Aanmeldgeval{"Wachtwoord", Aanmeldgeval::Sleutel::Geen, "", true, "", true, ""},
        Aanmeldgeval{"VerkeerdWachtwoord", Aanmeldgeval::Sleutel::Geen, "", true, "fout", false,
                     "Aanmelden geweigerd (geprobeerd: wachtwoord)"},
        Aanmeldgeval{"SleutelTeOpen", Aanmeldgeval::Sleutel::TeOpen, "", false, "", false, "Aanmelden geweigerd"}),
    [](const auto& info) { return std::string(info.param.naam); });

} // namespace

// Names that hold a line break or bytes that are no UTF-8 name nothing a command could reach: the
// listing leaves them out and says how many, so that the pane can tell the user.
TEST_F(SftpAanmelden, AListingCountsTheNamesItLeavesOut)
{
    QDir().mkpath(QFileInfo(server.bekendeHostsPad()).path());
    Schrijf(server.bekendeHostsPad(), server.hostsleutelRegel());
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens())) << sessie.laatsteFout().toStdString();
    const QString map = server.pad(QStringLiteral("m"));
    ASSERT_TRUE(QDir().mkpath(map));
    for (const QByteArray& naam : {QByteArray("a\nb.txt"), QByteArray("\xff\xfe.bin"), QByteArray("goed.txt")}) {
        // The bytes as they are: through QString the invalid ones would be replaced.
        const int fd = ::open((QFile::encodeName(map) + '/' + naam).constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }

    const auto entries = sessie.FtpMapLezen(map);
    ASSERT_TRUE(entries) << sessie.laatsteFout().toStdString();
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(entries->front().naam, QStringLiteral("goed.txt"));
    EXPECT_EQ(sessie.lijstOvergeslagen(), 2);
    // The next listing counts afresh.
    ASSERT_TRUE(sessie.FtpMapLezen(server.root()));
    EXPECT_EQ(sessie.lijstOvergeslagen(), 0);
}
