#include "ftp/BekendeHosts.h"
#include "ftp/Certificaten.h"
#include "support/Bestandsgrens.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Vamox;
using Vamox::Test::Bestandsgrens;

namespace {

QByteArray Lees(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<onleesbaar>");
}

// The file of trusted certificates is written as the configuration is: whole or not at all, and
// never through a link. A full disk, a link at its place and a file that cannot be read each
// leave what was there as it was.
TEST(BekendeCertificaten, SchrijvenLaatBijElkeFoutHetOudeStaanEnVolgtGeenLink)
{
    const CertificaatInfo nieuw{.host = QStringLiteral("ftp.voorbeeld.nl"),
                                .poort = 990,
                                .pin = "sha256//" + QByteArray(32, 'n').toBase64(),
                                .vingerafdruk = QStringLiteral("AB:CD")};
    const QByteArray oud = "oud.voorbeeld.nl 21 sha256//" + QByteArray(32, 'o').toBase64() + " EF:01\n";
    enum class Plek
    {
        VolleSchijf,
        Link,
        Map
    };
    for (const Plek plek : {Plek::VolleSchijf, Plek::Link, Plek::Map}) {
        SCOPED_TRACE(int(plek));
        QTemporaryDir tmp;
        const QString pad = tmp.filePath(QStringLiteral("vamox.certificaten"));
        const QString elders = tmp.filePath(QStringLiteral("elders"));
        QFile f(plek == Plek::Link ? elders : pad);
        if (plek == Plek::Map) {
            ASSERT_TRUE(QDir().mkdir(pad));
        } else {
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(oud) == oud.size());
            f.close();
        }
        if (plek == Plek::Link) {
            ASSERT_TRUE(QFile::link(elders, pad));
        }
        const QStringList voor = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

        const BekendeCertificaten bekend(pad);
        bool gelukt = false;
        {
            const Bestandsgrens grens(plek == Plek::VolleSchijf ? oud.size() : RLIM_INFINITY);
            gelukt = bekend.onthouden(nieuw);
        }
        EXPECT_EQ(gelukt, plek == Plek::Link);
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), voor);
        if (plek == Plek::VolleSchijf) {
            EXPECT_EQ(Lees(pad), oud);
        }
        if (plek == Plek::Map) {
            EXPECT_TRUE(QFileInfo(pad).isDir());
        }
        if (plek == Plek::Link) {
            // The link itself is replaced by the new file; what it pointed to is untouched.
            EXPECT_EQ(Lees(elders), oud);
            EXPECT_FALSE(QFileInfo(pad).isSymLink());
            constexpr auto modus = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                   QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
            EXPECT_EQ(QFile::permissions(pad) & modus, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            EXPECT_EQ(bekend.opzoeken(nieuw.host, nieuw.poort).pin, nieuw.pin);
        }
    }
}

} // namespace

// Host names in known_hosts as OpenSSH matches them: wildcards, negations, ports. However many
// stars a line holds, a lookup ends (it once took exponential time).
TEST(BekendeHosts, PatronenAlsOpenSsh)
{
    QTemporaryDir tmp;
    const QString pad = tmp.filePath(QStringLiteral("known_hosts"));
    const QByteArray sleutel = "AAAAC3NzaC1lZDI1NTE5AAAAIEvamoxvamoxvamoxvamoxvamoxvamoxvamoxvamox";
    const struct
    {
        const char* veld;
        const char* host;
        quint16 poort;
        bool bekend;
    } rijen[] = {
        {"ftp.voorbeeld.nl", "FTP.voorbeeld.nl", 22, true},
        {"*.voorbeeld.nl", "ftp.voorbeeld.nl", 22, true},
        {"*.voorbeeld.nl", "voorbeeld.nl", 22, false},
        {"f?p.voorbeeld.nl", "ftp.voorbeeld.nl", 22, true},
        {"f?p.voorbeeld.nl", "fp.voorbeeld.nl", 22, false},
        {"*.nl,!ftp.voorbeeld.nl", "ftp.voorbeeld.nl", 22, false},
        {"*.nl,!ftp.voorbeeld.nl", "www.voorbeeld.nl", 22, true},
        {"[ftp.voorbeeld.nl]:2222", "ftp.voorbeeld.nl", 2222, true},
        {"ftp.voorbeeld.nl", "ftp.voorbeeld.nl", 2222, false},
        {"*a*b*c", "xxaxxbxxc", 22, true},
        {"*a*b*c", "xxaxxcxxb", 22, false},
        {"**************************Q", "[ftp.heel-lang-voorbeeld.nl]:2222", 2222, false},
        {"**************************l", "ftp.heel-lang-voorbeeld.nl", 22, true},
    };
    for (const auto& r : rijen) {
        SCOPED_TRACE(r.veld);
        QFile f(pad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(r.veld) + " ssh-ed25519 " + sleutel + "\n");
        f.close();
        const BekendeHostsleutels gevonden = BekendeHosts(pad).opzoeken(QString::fromUtf8(r.host), r.poort);
        EXPECT_EQ(gevonden.sleutels.size(), r.bekend ? 1u : 0u);
    }
}
