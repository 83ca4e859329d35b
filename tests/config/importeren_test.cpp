// Importing saved servers from FileZilla, WinSCP and ~/.ssh/config, on files the tests write; and
// a login to a real sshd through an alias of ~/.ssh/config.

#include "support/Vragen.h"
#include "config/Importeren.h"
#include "config/Serverlijst.h"
#include "config/SshConfig.h"

#include "ftp/FtpSession.h"
#include "support/SshdServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vamox;

namespace {

struct Verwacht
{
    const char* naam;
    const char* host;
    const char* poort;
    const char* gebruiker;
    const char* wachtwoord;
    bool sftp;
    TlsKeuze tls;
    Wachtwoordplek plek;
    const char* weigering; // the start of the refusal; "" when it can be imported
};

void Vergelijken(const Import& uit, std::initializer_list<Verwacht> rijen)
{
    ASSERT_TRUE(uit.fout.isEmpty()) << uit.fout.toStdString();
    ASSERT_EQ(uit.servers.size(), qsizetype(rijen.size()));
    qsizetype i = 0;
    for (const Verwacht& v : rijen) {
        const Importserver& g = uit.servers.at(i++);
        SCOPED_TRACE(v.naam);
        if (*v.weigering == 0)
            EXPECT_TRUE(g.weigering.isEmpty()) << g.weigering.toStdString();
        else
            EXPECT_TRUE(g.weigering.startsWith(QString::fromUtf8(v.weigering))) << g.weigering.toStdString();
        if (!g.weigering.isEmpty()) continue;
        EXPECT_EQ(g.server.Naam, QString::fromUtf8(v.naam));
        EXPECT_EQ(g.server.FtpHost, QString::fromUtf8(v.host));
        EXPECT_EQ(g.server.FtpPoort, QString::fromUtf8(v.poort));
        EXPECT_EQ(g.server.Gebruikersnaam, QString::fromUtf8(v.gebruiker));
        EXPECT_EQ(g.server.Wachtwoord, QString::fromUtf8(v.wachtwoord));
        EXPECT_EQ(g.server.Sftp, v.sftp);
        if (!v.sftp) {
            EXPECT_EQ(g.server.Tls, v.tls);
        }
        EXPECT_EQ(g.server.Plek, v.plek);
    }
}

QString Schrijf(const QTemporaryDir& tmp, const QString& naam, const QByteArray& inhoud)
{
    const QString pad = tmp.filePath(naam);
    QDir().mkpath(QFileInfo(pad).absolutePath());
    QFile f(pad);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhoud);
    return pad;
}

constexpr auto SB = Wachtwoordplek::Sleutelbos;
constexpr auto Vr = Wachtwoordplek::Vragen;
constexpr auto Als = TlsKeuze::IndienBeschikbaar;

const QByteArray FileZilla = R"(<?xml version="1.0" encoding="UTF-8"?>
<FileZilla3 version="3.66.4" platform="unix">
  <Servers>
    <Server><Host>ftp.thuis.nl</Host><Port>2121</Port><Protocol>0</Protocol><Type>0</Type>
      <User>jan</User><Pass encoding="base64">Z2VoZWltIMOp</Pass><Logontype>1</Logontype><Name>Thuis</Name>
      <RemoteDir>1 0 3 www</RemoteDir></Server>
    <Folder expanded="1">Klanten
      <Folder expanded="0">Web
        <Server><Host>sftp.klant.nl</Host><Port>22</Port><Protocol>1</Protocol><User>kl</User>
          <Pass>oud en plat</Pass><Logontype>1</Logontype><Name>Productie</Name></Server>
      </Folder>
      <Server><Host>tls.klant.nl</Host><Port>21</Port><Protocol>4</Protocol><User>a</User>
        <Logontype>2</Logontype><Name>Alleen TLS</Name></Server>
    </Folder>
    <Server><Host>oud.nl</Host><Protocol>6</Protocol><Logontype>0</Logontype><Name>Anoniem</Name></Server>
    <Server><Host>h</Host><Protocol>3</Protocol><User>u</User><Pass>p</Pass><Name>Impliciet</Name></Server>
    <Server><Host>h</Host><Protocol>7</Protocol><User>u</User><Name>Emmer</Name></Server>
    <Server><Host>h</Host><Protocol>99</Protocol><User>u</User><Name>Toekomst</Name></Server>
    <Server><Host>h</Host><Protocol>x</Protocol><User>u</User><Name>Raar</Name></Server>
    <Server><Host>h</Host><Protocol>0</Protocol><User>u</User><Pass>p</Pass><Name>Twee&#10;regels</Name></Server>
    <Server><Host>h</Host><Protocol>0</Protocol><User>u</User><Pass encoding="crypt">AAAA</Pass><Name>Kluis</Name></Server>
  </Servers>
</FileZilla3>
)";

} // namespace

TEST(Importeren, FileZillaSitesInMappenProtocollenEnWachtwoorden)
{
    const Import uit = FileZillaLezen(FileZilla);
    Vergelijken(uit, {
                         {"Thuis", "ftp.thuis.nl", "2121", "jan", "geheim é", false, Als, SB, ""},
                         {"Productie", "sftp.klant.nl", "22", "kl", "oud en plat", true, Als, SB, ""},
                         {"Alleen TLS", "tls.klant.nl", "21", "a", "", false, TlsKeuze::Alleen, Vr, ""},
                         {"Anoniem", "oud.nl", "21", "anonymous", "anonymous@", false, TlsKeuze::Geen, SB, ""},
                         {"Impliciet", "", "", "", "", false, Als, SB, "FTP met impliciete TLS"},
                         {"Emmer", "", "", "", "", false, Als, SB, "S3 (protocol 7)"},
                         {"Toekomst", "", "", "", "", false, Als, SB, "Onbekend protocolnummer 99"},
                         {"Raar", "", "", "", "", false, Als, SB, "Onbekend protocol 'x'"},
                         {"Twee", "", "", "", "", false, Als, SB, "De naam bevat een regeleinde"},
                         {"Kluis", "h", "21", "u", "", false, Als, Vr, ""},
                     });
    EXPECT_EQ(uit.servers.at(1).toelichting, QStringLiteral("map Klanten/Web"));
    EXPECT_EQ(uit.servers.at(2).toelichting, QStringLiteral("map Klanten"));

    // A file cut off, one that is no XML, XML of another program: refused whole, with the reason.
    for (const QByteArray& slecht : {FileZilla.left(FileZilla.indexOf("<Name>Emmer")), QByteArray("hallo"),
                                     QByteArray("<?xml version=\"1.0\"?><Anders/>")}) {
        const Import s = FileZillaLezen(slecht);
        EXPECT_FALSE(s.fout.isEmpty()) << slecht.left(40).toStdString();
        EXPECT_TRUE(s.servers.isEmpty());
    }
}

TEST(Importeren, WinScpSessies)
{
    const QByteArray ini = "[Configuration\\Interface]\r\nRandomSeedFile=x\r\n"
                           "[Sessions\\Default%20Settings]\r\nHostName=nooit\r\n"
                           "[Sessions\\Mijn%20site]\r\nHostName=ftp.site.nl\r\nUserName=piet\r\n"
                           "PasswordPlain=open baar\r\nFSProtocol=5\r\nFtps=3\r\n"
                           "[Sessions\\Map/Sub]\r\nHostName=ssh.nl\r\nUserName=root\r\nPassword=A35C4A5D6E\r\n"
                           "[Sessions\\Scp]\r\nHostName=scp.nl\r\nPortNumber=2200\r\nUserName=s\r\nFSProtocol=0\r\n"
                           "[Sessions\\Ftp%20zonder]\r\nHostName=f.nl\r\nUserName=f\r\nFSProtocol=5\r\n"
                           "[Sessions\\Sch%0Feiding]\r\nHostName=h\r\n"
                           "[Sessions\\Dav]\r\nHostName=h\r\nFSProtocol=6\r\n"
                           "[Sessions\\Nieuw]\r\nHostName=h\r\nFSProtocol=9\r\n"
                           "[Sessions\\Impl]\r\nHostName=h\r\nFSProtocol=5\r\nFtps=1\r\n";
    Vergelijken(WinScpLezen(ini), {
                                      {"Mijn site", "ftp.site.nl", "21", "piet", "open baar", false, TlsKeuze::Alleen, SB, ""},
                                      {"Map/Sub", "ssh.nl", "22", "root", "", true, Als, SB, ""},
                                      {"Scp", "scp.nl", "2200", "s", "", true, Als, SB, ""},
                                      {"Ftp zonder", "f.nl", "21", "f", "", false, Als, Vr, ""},
                                      {"", "", "", "", "", false, Als, SB, "De naam bevat een regeleinde of het teken met code 15"},
                                      {"", "", "", "", "", false, Als, SB, "WebDAV (protocol 6)"},
                                      {"", "", "", "", "", false, Als, SB, "Onbekend protocolnummer 9"},
                                      {"", "", "", "", "", false, Als, SB, "FTP met impliciete TLS"},
                                  });
    EXPECT_FALSE(WinScpLezen("[Configuration]\r\nx=y\r\n").fout.isEmpty());
}

TEST(Importeren, SshConfigAlsSshHetLeest)
{
    QTemporaryDir tmp;
    Schrijf(tmp, QStringLiteral("config.d/extra"), "Host extra\n  HostName 192.0.2.9\n");
    const QString pad = Schrijf(tmp, QStringLiteral("config"), R"(# globaal
Include config.d/*
Host web
    HostName 10.0.0.5
    User deploy
Host *.intern db
    Port=2222
Host web db backup
    IdentityFile ~/.ssh/id_%h
    User nobody
Host * !db
    User = iedereen
    Port 2200
Match host web
    User matchgebruiker
Host backup
    HostName "%h.example.org"
)");
    const SshConfig config = SshConfigLezen(pad);
    struct Geval
    {
        const char* host;
        const char* hostName;
        const char* user;
        int port;
        QStringList sleutels;
    } gevallen[] = {
        // First value wins, blocks after the first match still fill the rest; %h is the HostName.
        {"web", "10.0.0.5", "deploy", 2200, {QDir::homePath() + "/.ssh/id_10.0.0.5"}},
        // "!db" keeps the wildcard block away; letter case of the host does not matter.
        {"DB", "", "nobody", 2222, {QDir::homePath() + "/.ssh/id_DB"}},
        {"backup", "backup.example.org", "nobody", 2200, {QDir::homePath() + "/.ssh/id_backup.example.org"}},
        {"x.intern", "", "iedereen", 2222, {}},
        {"extra", "192.0.2.9", "iedereen", 2200, {}},
    };
    for (const Geval& g : gevallen) {
        SCOPED_TRACE(g.host);
        const SshHost h = config.Opzoeken(QString::fromUtf8(g.host), QStringLiteral("jan"));
        EXPECT_EQ(h.hostName, QString::fromUtf8(g.hostName));
        EXPECT_EQ(h.user, QString::fromUtf8(g.user));
        EXPECT_EQ(h.port.value_or(0), g.port);
        EXPECT_EQ(h.identityFiles, g.sleutels);
    }
    EXPECT_EQ(config.Aliassen(), (QStringList{"extra", "web", "db", "backup"}));
    ASSERT_EQ(config.meldingen.size(), 1);
    EXPECT_TRUE(config.meldingen.at(0).startsWith(QStringLiteral("Match-blokken")));

    // Imported under the alias, so that a login reads the file again for it.
    const Import uit = ImportLezen(pad);
    Vergelijken(uit, {
                         {"extra", "extra", "2200", "iedereen", "", true, Als, SB, ""},
                         {"web", "web", "2200", "deploy", "", true, Als, SB, ""},
                         {"db", "db", "2222", "nobody", "", true, Als, SB, ""},
                         {"backup", "backup", "2200", "nobody", "", true, Als, SB, ""},
                     });
    EXPECT_EQ(uit.meldingen, config.meldingen);

    // A saved server's login: the saved user wins, the default port gives way.
    FtpGegevens g{.host = QStringLiteral("web"), .gebruiker = QStringLiteral("jan"), .poort = 22,
                  .protocol = Protocol::Sftp};
    SshConfigToepassen(g, config);
    EXPECT_EQ(g.host, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(g.gebruiker, QStringLiteral("jan"));
    EXPECT_EQ(g.poort, 2200);
    EXPECT_EQ(g.sleutelbestanden, QStringList{QDir::homePath() + "/.ssh/id_10.0.0.5"});
    FtpGegevens eigenPoort{.host = QStringLiteral("web"), .gebruiker = QStringLiteral("jan"), .poort = 2022};
    SshConfigToepassen(eigenPoort, config);
    EXPECT_EQ(eigenPoort.poort, 2022);

    EXPECT_FALSE(ImportLezen(Schrijf(tmp, QStringLiteral("leeg"), "# niets\n")).fout.isEmpty());
}

TEST(Importeren, VoorstelMaaktNamenUniekEnVinktBestaandeNietAan)
{
    const auto regel = [](const char* naam, const char* host, bool sftp = false) {
        ServerRecord s{naam, host, "u", "p", sftp ? "22" : "21", ""};
        s.Sftp = sftp;
        return ServerRecordRegel(s);
    };
    const QStringList lijst{QString(), regel("Thuis", "a.nl"), regel("Web", "web.nl", true)};
    const auto gevonden = [](const char* naam, const char* host, bool sftp, const char* weigering = "") {
        ServerRecord s{naam, host, "u", "", sftp ? "22" : "21", ""};
        s.Sftp = sftp;
        return Importserver{s, {}, QString::fromUtf8(weigering)};
    };
    const QList<Importvoorstel> v =
        ImportVoorstellen({gevonden("Web", "WEB.nl", true), gevonden("thuis", "b.nl", false),
                           gevonden("Nieuw", "c.nl", false), gevonden("Nieuw", "d.nl", false),
                           gevonden("Thuis", "a.nl", true), gevonden("Fout", "x", false, "Geen host.")},
                          lijst);
    struct
    {
        const char* naam;
        bool kiesbaar, aangevinkt;
        const char* opmerking;
    } verwacht[] = {
        {"Web (2)", true, false, "Al opgeslagen als 'Web'."}, {"thuis (2)", true, true, "'thuis' bestaat al."},
        {"Nieuw", true, true, ""},                          {"Nieuw (2)", true, true, "'Nieuw' bestaat al."},
        {"Thuis (3)", true, true, "'Thuis' bestaat al."},   {"Fout", false, false, "Geen host."},
    };
    ASSERT_EQ(v.size(), qsizetype(std::size(verwacht)));
    for (std::size_t i = 0; i < std::size(verwacht); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(v.at(i).naam, QString::fromUtf8(verwacht[i].naam));
        EXPECT_EQ(v.at(i).kiesbaar, verwacht[i].kiesbaar);
        EXPECT_EQ(v.at(i).aangevinkt, verwacht[i].aangevinkt);
        EXPECT_EQ(v.at(i).opmerking, QString::fromUtf8(verwacht[i].opmerking));
    }
}

// A saved server named by an alias logs in as ssh would: HostName, Port and IdentityFile from the
// file, the usual keys not there at all. ("localhost" needs no name server.)
TEST(Importeren, SftpAanmeldenViaEenAliasVanSshConfig)
{
    using Vamox::Test::SshdServer;
    if (!SshdServer::beschikbaar()) GTEST_SKIP() << "sshd and ssh-keygen are not installed (openssh-server)";
    SshdServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    QTemporaryDir tmp;
    qunsetenv("SSH_AUTH_SOCK");
    const QString pad = Schrijf(tmp, QStringLiteral("config"),
                                "Host localhost\n  HostName 127.0.0.1\n  Port " + QByteArray::number(server.poort()) +
                                    "\n  IdentityFile " + QFile::encodeName(server.sleutelMap()) + "/id_ed25519\n");
    Schrijf(tmp, QStringLiteral("known_hosts"), server.hostsleutelRegel());
    const FtpGegevens opgeslagen{.host = QStringLiteral("localhost"), .gebruiker = server.gebruiker(), .poort = 22,
                                 .protocol = Protocol::Sftp};
    for (const bool metConfig : {false, true}) {
        SCOPED_TRACE(metConfig);
        FtpSession sessie;
        Vamox::Test::SleutelMapZetten(sessie, tmp.filePath(QStringLiteral("geen-sleutels")));
        Vamox::Test::BekendeHostsZetten(sessie, tmp.filePath(QStringLiteral("known_hosts")));
        Vamox::Test::TijdenZetten(sessie, [](FtpTijden& t) { t.verbindenS = 5; });
        FtpGegevens g = opgeslagen;
        if (metConfig) SshConfigToepassen(g, SshConfigLezen(pad));
        sessie.FtpVerbindingOpenen(g);
        EXPECT_EQ(sessie.FtpMapLezen(server.root()).has_value(), metConfig);
    }
}
