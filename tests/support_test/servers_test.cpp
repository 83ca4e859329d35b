// The server fixtures must really produce the faults the other tests rely on; checked with libcurl.

#include "support/FtpTestServer.h"
#include "support/ServerHulp.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Vamox::Test;

namespace {

struct Verzoek
{
    std::string pad = "/";          // a path ending in "/" lists the folder
    std::vector<std::string> quote; // commands sent before the transfer
    std::string lijstCommando;      // e.g. "MLSD" instead of LIST
    const QByteArray* upload = nullptr;
    bool alleenCommandos = false; // no transfer, only `quote`
    bool zonderCwd = false;       // send the path with the command instead of CWD first
    long timeoutMs = 10000;
};

struct Resultaat
{
    CURLcode code = CURLE_OK;
    long antwoord = 0; // last reply code of the server
    QByteArray data;
    QByteArray regels; // all reply lines of the server
};

size_t verzamel(char* p, size_t grootte, size_t aantal, void* doel)
{
    static_cast<QByteArray*>(doel)->append(p, qsizetype(grootte * aantal));
    return grootte * aantal;
}

size_t geefUpload(char* p, size_t grootte, size_t aantal, void* bron)
{
    auto* rest = static_cast<QByteArray*>(bron);
    const size_t n = std::min(grootte * aantal, size_t(rest->size()));
    std::memcpy(p, rest->constData(), n);
    rest->remove(0, qsizetype(n));
    return n;
}

Resultaat ftp(quint16 poort, const QString& gebruiker, const QString& wachtwoord, const Verzoek& v)
{
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> h(curl_easy_init(), &curl_easy_cleanup);
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> quote(nullptr, &curl_slist_free_all);
    for (const std::string& c : v.quote)
        quote.reset(curl_slist_append(quote.release(), c.c_str()));
    const std::string url = "ftp://127.0.0.1:" + std::to_string(poort) +
                            QUrl::toPercentEncoding(QString::fromStdString(v.pad), "/").toStdString();
    Resultaat r;
    QByteArray uploadRest = v.upload ? *v.upload : QByteArray();
    curl_easy_setopt(h.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(h.get(), CURLOPT_USERNAME, gebruiker.toUtf8().constData());
    curl_easy_setopt(h.get(), CURLOPT_PASSWORD, wachtwoord.toUtf8().constData());
    curl_easy_setopt(h.get(), CURLOPT_TIMEOUT_MS, v.timeoutMs);
    curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, &verzamel);
    curl_easy_setopt(h.get(), CURLOPT_WRITEDATA, &r.data);
    curl_easy_setopt(h.get(), CURLOPT_HEADERFUNCTION, &verzamel);
    curl_easy_setopt(h.get(), CURLOPT_HEADERDATA, &r.regels);
    curl_easy_setopt(h.get(), CURLOPT_QUOTE, quote.get());
    if (!v.lijstCommando.empty()) curl_easy_setopt(h.get(), CURLOPT_CUSTOMREQUEST, v.lijstCommando.c_str());
    if (v.alleenCommandos) curl_easy_setopt(h.get(), CURLOPT_NOBODY, 1L);
    if (v.zonderCwd) curl_easy_setopt(h.get(), CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    if (v.upload) {
        curl_easy_setopt(h.get(), CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(h.get(), CURLOPT_READFUNCTION, &geefUpload);
        curl_easy_setopt(h.get(), CURLOPT_READDATA, &uploadRest);
        curl_easy_setopt(h.get(), CURLOPT_INFILESIZE_LARGE, curl_off_t(v.upload->size()));
    }
    r.code = curl_easy_perform(h.get());
    curl_easy_getinfo(h.get(), CURLINFO_RESPONSE_CODE, &r.antwoord);
    return r;
}

Resultaat ftp(const FtpTestServer& s, const Verzoek& v)
{
    return ftp(s.poort(), s.opties().gebruiker, s.opties().wachtwoord, v);
}

// Whether a listing has a line ending in `naam` (curl turns CRLF into LF on ASCII transfers).
bool heeftRegelMet(const QByteArray& listing, const QByteArray& naam)
{
    return listing.contains(' ' + naam + '\n') || listing.contains(' ' + naam + "\r\n");
}

QByteArray patroon(int grootte)
{
    QByteArray b(grootte, Qt::Uninitialized);
    for (int i = 0; i < grootte; ++i)
        b[i] = char((i * 7 + i / 251) & 0xff);
    return b;
}

// A bare control connection, for what curl never does: sit idle after a command.
class Besturing final
{
public:
    explicit Besturing(quint16 poort) : m_fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(poort);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) ADD_FAILURE() << "connect";
    }
    ~Besturing() { ::close(m_fd); }
    Q_DISABLE_COPY_MOVE(Besturing)

    void stuur(const QByteArray& regel) { ASSERT_GT(::send(m_fd, regel.constData(), regel.size(), 0), 0); }

    // The next reply line; empty when the connection closed or nothing came within `ms`.
    QByteArray leesRegel(int ms)
    {
        while (!m_buf.contains('\n')) {
            pollfd p{m_fd, POLLIN, 0};
            char blok[256];
            if (::poll(&p, 1, ms) <= 0) return {};
            const ssize_t n = ::recv(m_fd, blok, sizeof blok, 0);
            if (n <= 0) return {};
            m_buf.append(blok, n);
        }
        const qsizetype eind = m_buf.indexOf('\n') + 1;
        const QByteArray regel = m_buf.left(eind);
        m_buf.remove(0, eind);
        return regel;
    }

    // True once the server closed the connection (within `ms`); false while it stays open.
    bool gesloten(int ms)
    {
        pollfd p{m_fd, POLLIN, 0};
        char blok[256];
        return ::poll(&p, 1, ms) > 0 && ::recv(m_fd, blok, sizeof blok, 0) <= 0;
    }

private:
    int m_fd;
    QByteArray m_buf;
};

// Polls a condition the servers change behind our back (they are other processes).
template <typename Voorwaarde> bool wachtTot(Voorwaarde voorwaarde)
{
    for (QDeadlineTimer deadline(10000); !voorwaarde(); QThread::msleep(10))
        if (deadline.hasExpired()) return false;
    return true;
}

std::unique_ptr<FtpTestServer> gestart(FtpServerOpties opties = {})
{
    auto s = std::make_unique<FtpTestServer>(std::move(opties));
    EXPECT_TRUE(s->start()) << s->fout().toStdString();
    return s;
}

TEST(FtpTestServer, ListsUtf8NamesAndAcceptsOptsUtf8)
{
    auto s = gestart();
    s->schrijf(QStringLiteral("één.txt"), "1");
    s->maakMap(QStringLiteral("sub/diep"));
    const Resultaat r = ftp(*s, {.quote = {"OPTS UTF8 ON"}});
    ASSERT_EQ(r.code, CURLE_OK) << r.regels.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.data).contains(QStringLiteral("één.txt"))) << r.data.toStdString();
    EXPECT_TRUE(heeftRegelMet(r.data, "sub")) << r.data.toStdString();
}

TEST(FtpTestServer, UploadLandsInRootAndDownloadsBack)
{
    auto s = gestart();
    const QByteArray inhoud = patroon(70000);
    ASSERT_EQ(ftp(*s, {.pad = "/map/op.bin", .quote = {"MKD map"}, .upload = &inhoud}).code, CURLE_OK);
    EXPECT_EQ(s->lees(QStringLiteral("map/op.bin")), inhoud);
    EXPECT_EQ(ftp(*s, {.pad = "/map/op.bin"}).data, inhoud);
}

TEST(FtpTestServer, RefusedLoginAnswers530)
{
    auto s = gestart({.weigerLogin = true});
    const Resultaat r = ftp(*s, {});
    EXPECT_EQ(r.code, CURLE_LOGIN_DENIED);
    EXPECT_EQ(r.antwoord, 530);
}

TEST(FtpTestServer, FailedCommandsAnswer550AndOthersStillWork)
{
    auto s = gestart({.faalCommandos = {QStringLiteral("DELE"), QStringLiteral("RNFR")}});
    s->schrijf(QStringLiteral("blijft.txt"), "x");
    for (const char* commando : {"DELE blijft.txt", "RNFR blijft.txt"}) {
        const Resultaat r = ftp(*s, {.quote = {commando}, .alleenCommandos = true});
        EXPECT_EQ(r.code, CURLE_QUOTE_ERROR) << commando;
        EXPECT_EQ(r.antwoord, 550) << commando;
    }
    EXPECT_EQ(s->lees(QStringLiteral("blijft.txt")), "x");
    EXPECT_EQ(ftp(*s, {.quote = {"MKD nieuw"}, .alleenCommandos = true}).code, CURLE_OK);
    EXPECT_TRUE(QFileInfo(s->pad(QStringLiteral("nieuw"))).isDir());
}

TEST(FtpTestServer, DroppedRetrDeliversOnlyTheFirstBytes)
{
    auto s = gestart({.dropRetrNa = 1000});
    const QByteArray groot = patroon(64 * 1024);
    s->schrijf(QStringLiteral("groot.bin"), groot);
    s->schrijf(QStringLiteral("klein.bin"), groot.left(500));
    const Resultaat r = ftp(*s, {.pad = "/groot.bin"});
    EXPECT_NE(r.code, CURLE_OK);
    EXPECT_EQ(r.data, groot.left(1000));
    // Below the limit nothing happens, on a fresh connection.
    const Resultaat klein = ftp(*s, {.pad = "/klein.bin"});
    EXPECT_EQ(klein.code, CURLE_OK);
    EXPECT_EQ(klein.data, groot.left(500));
}

TEST(FtpTestServer, DroppedStorKeepsOnlyTheFirstBytes)
{
    auto s = gestart({.dropStorNa = 1000});
    const QByteArray groot = patroon(256 * 1024);
    const Resultaat r = ftp(*s, {.pad = "/op.bin", .upload = &groot});
    EXPECT_NE(r.code, CURLE_OK);
    EXPECT_EQ(s->lees(QStringLiteral("op.bin")), groot.left(1000));
}

TEST(FtpTestServer, MlstCanBeWithdrawn)
{
    for (const bool mlst : {true, false}) {
        SCOPED_TRACE(mlst ? "with MLST" : "without MLST");
        auto s = gestart({.mlst = mlst});
        s->schrijf(QStringLiteral("a.txt"), "abc");
        const Resultaat feat = ftp(*s, {.quote = {"FEAT"}, .alleenCommandos = true});
        EXPECT_EQ(feat.regels.contains(" MLST "), mlst) << feat.regels.toStdString();
        const Resultaat mlsd = ftp(*s, {.lijstCommando = "MLSD"});
        EXPECT_EQ(mlsd.code == CURLE_OK, mlst);
        EXPECT_EQ(mlsd.data.contains("type=file;"), mlst);
        if (!mlst) {
            EXPECT_EQ(mlsd.antwoord, 500);
        }
        EXPECT_EQ(ftp(*s, {}).code, CURLE_OK); // LIST still works
    }
}

TEST(FtpTestServer, FixedListingIsSentVerbatim)
{
    // LF only: curl turns CRLF into LF on ASCII transfers, which would hide what the server sent.
    const QByteArray listing = "-rw-r--r-- 1 u g 5 Jan 01  2020 \xff\xfe kapot\n"
                               "drwxr-xr-x 2 u g 0 Feb 29 12:00 ../../etc\n"
                               "geen einde";
    auto s = gestart({.vasteListing = listing});
    for (const char* pad : {"/", "/bestaat/niet/"}) {
        const Resultaat r = ftp(*s, {.pad = pad, .zonderCwd = true});
        EXPECT_EQ(r.code, CURLE_OK) << pad;
        EXPECT_EQ(r.data, listing) << pad;
    }
}

TEST(FtpTestServer, SlowRepliesTripAShortClientTimeout)
{
    auto s = gestart({.traagMs = 150});
    EXPECT_EQ(ftp(*s, {.timeoutMs = 50}).code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_TRUE(leesBegroeting(s->poort(), 10000).startsWith("220 ")); // slow, not dead
}

TEST(FtpTestServer, IdleControlConnectionIsClosedAfterACommand)
{
    auto s = gestart({.idleTimeoutS = 1});
    Besturing b(s->poort());
    EXPECT_TRUE(b.leesRegel(5000).startsWith("220"));
    b.stuur("USER vamox\r\n");
    EXPECT_TRUE(b.leesRegel(5000).startsWith("331"));
    EXPECT_TRUE(b.leesRegel(10000).startsWith("421"));
    EXPECT_TRUE(b.gesloten(5000));
}

TEST(FtpTestServer, StopEndsTheServer)
{
    auto s = gestart();
    const quint16 poort = s->poort();
    ASSERT_TRUE(s->draait());
    s->stop();
    EXPECT_FALSE(s->draait());
    EXPECT_EQ(leesBegroeting(poort, 1000), QByteArray());
    EXPECT_TRUE(s->start()) << s->fout().toStdString(); // restartable, on a new port
    EXPECT_TRUE(leesBegroeting(s->poort(), 5000).startsWith("220"));
}

class Vsftpd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!VsftpdServer::beschikbaar()) GTEST_SKIP() << "vsftpd needs root and /usr/sbin/vsftpd";
        ASSERT_TRUE(server.start()) << server.fout().toStdString();
    }
    Resultaat ftp(const Verzoek& v)
    {
        return ::ftp(server.poort(), server.gebruiker(), server.wachtwoord(), v);
    }

    VsftpdServer server;
};

TEST_F(Vsftpd, ListsRootAnonymously)
{
    server.schrijf(QStringLiteral("pub/a.txt"), "abc");
    const Resultaat root = ftp({});
    ASSERT_EQ(root.code, CURLE_OK) << root.regels.toStdString();
    EXPECT_TRUE(heeftRegelMet(root.data, "pub")) << root.data.toStdString();
    EXPECT_TRUE(heeftRegelMet(ftp({.pad = "/pub/"}).data, "a.txt"));
}

TEST_F(Vsftpd, UploadsCanBeFetchedRenamedAndDeleted)
{
    server.schrijf(QStringLiteral("pub/oud.txt"), "oud");
    const QByteArray inhoud = patroon(70000);
    ASSERT_EQ(ftp({.pad = "/pub/op.bin", .upload = &inhoud}).code, CURLE_OK);
    EXPECT_EQ(server.lees(QStringLiteral("pub/op.bin")), inhoud);
    EXPECT_EQ(ftp({.pad = "/pub/op.bin"}).data, inhoud);
    const Resultaat r =
        ftp({.quote = {"CWD pub", "RNFR op.bin", "RNTO nieuw.bin", "DELE oud.txt", "MKD map", "RMD map"},
             .alleenCommandos = true});
    EXPECT_EQ(r.code, CURLE_OK) << r.regels.toStdString();
    EXPECT_EQ(server.lees(QStringLiteral("pub/nieuw.bin")), inhoud);
    EXPECT_FALSE(QFileInfo::exists(server.pad(QStringLiteral("pub/oud.txt"))));
}

TEST_F(Vsftpd, StopEndsTheServerAndItsSessions)
{
    const quint16 poort = server.poort();
    Besturing sessie(poort); // vsftpd serves it from a process of its own
    EXPECT_TRUE(sessie.leesRegel(5000).startsWith("220"));
    sessie.stuur("USER anonymous\r\n");
    EXPECT_TRUE(sessie.leesRegel(5000).startsWith("331"));
    sessie.stuur("PASS vamox@example.org\r\n");
    EXPECT_TRUE(sessie.leesRegel(5000).startsWith("230"));
    EXPECT_EQ(server.sessies(), 1);
    server.stop();
    EXPECT_TRUE(sessie.gesloten(5000));
    EXPECT_FALSE(server.draait());
    EXPECT_EQ(leesBegroeting(poort, 1000), QByteArray());
}

TEST_F(Vsftpd, IdleSessionIsEndedAndNoLongerCounted)
{
    VsftpdServer kort({.idleTimeoutS = 1});
    ASSERT_TRUE(kort.start()) << kort.fout().toStdString();
    Besturing sessie(kort.poort());
    EXPECT_TRUE(sessie.leesRegel(5000).startsWith("220"));
    sessie.stuur("USER anonymous\r\n");
    EXPECT_TRUE(sessie.leesRegel(5000).startsWith("331"));
    EXPECT_EQ(kort.sessies(), 1);
    EXPECT_TRUE(sessie.leesRegel(10000).startsWith("421"));
    EXPECT_TRUE(sessie.gesloten(5000));
    EXPECT_TRUE(wachtTot([&] { return kort.sessies() == 0; }));
}

} // namespace
