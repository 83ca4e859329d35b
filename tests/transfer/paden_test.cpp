#include "TransferTestHulp.h"
#include "transfer/OverdrachtPaden.h"

#include <gtest/gtest.h>

#include <QDir>

#include <vector>

using namespace Vamox;

namespace {

struct Rij
{
    QString a;
    QString b;
    QString c;
    QString verwacht;
};

QString Tekst(const char* s)
{
    return QString::fromUtf8(s);
}

TEST(transferPaden, UploadMapsTheStartFolderBelowTheServerFolder)
{
    const std::vector<Rij> rijen{
        // start folder, local path, current server folder -> server path
        {"/x/foto", "/x/foto/a/b.jpg", "/www/", "/www/foto/a/b.jpg"},
        {"/x/foto/", "/x/foto/", "/www/", "/www/foto"},
        {"/x/foto/", "/x/foto/a/", "/www", "/www/foto/a"},
        {"/x/foto", "/x/foto//a.txt", "/", "/foto/a.txt"},
        {"/x/foto", "/x/foto/a.txt", "", "/foto/a.txt"},
        {"/x/foto", "/x/fotoalbum/a.txt", "/www/", ""},
        {"/x/foto", "/y/a.txt", "/www/", ""},
        {"/x/foto", "/x/foto/../geheim", "/www/", ""},
        {"/x/foto", "/x/foto/./a", "/www/", ""},
        {"/x/foto", "/x/foto/a\\..\\..\\b", "/www/", ""},
        {"/", "/a.txt", "/www/", ""},
        {"/x/..", "/x/../a", "/www/", ""},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE((r.a + u' ' + r.b + u' ' + r.c).toStdString());
        EXPECT_EQ(NaarServerpad(r.a, r.b, r.c), r.verwacht);
    }
}

TEST(transferPaden, DownloadMapsBelowTheLocalFolderAndNeverLeavesIt)
{
    const std::vector<Rij> rijen{
        // chosen server folder, server path, local folder -> local path
        {"/www/foto", "/www/foto", "/dl", "/dl/foto"},
        {"/www/foto", "/www/foto/a/b.jpg", "/dl/", "/dl/foto/a/b.jpg"},
        {"/www/foto/", "//www//foto/a//b.jpg", "/dl", "/dl/foto/a/b.jpg"},
        {"/foto", "/foto/x y.txt", "/", "/foto/x y.txt"},
        {"/www/foto", "/www/foto/...", "/dl", "/dl/foto/..."},
        {"/www/foto", "/www/foto/../../etc/passwd", "/dl", ""},
        {"/www/foto", "/www/foto/a/../../../x", "/dl", ""},
        {"/www/foto", "/www/foto/./x", "/dl", ""},
        {"/www/foto", "/www/foto/a\\..\\..\\x", "/dl", ""},
        {"/www/foto", Tekst("/www/foto/x") + QChar(0) + u'y', "/dl", ""},
        {"/www/foto", "/www/fotoalbum/x", "/dl", ""},
        {"/www/foto", "/www/x", "/dl", ""},
        {"/www/foto", "/www", "/dl", ""},
        {"/", "/x", "/dl", ""},
        {"/www/..", "/www/../x", "/dl", ""},
        {"/www/foto", "/www/foto/a", "", ""},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE((r.a + u' ' + r.b + u' ' + r.c).toStdString());
        const QString uit = NaarLokaalPad(r.a, r.b, r.c);
        EXPECT_EQ(uit, r.verwacht);
        if (!uit.isEmpty()) {
            EXPECT_EQ(QDir::cleanPath(uit), uit);
            EXPECT_TRUE(uit.startsWith(QDir::cleanPath(r.c + u'/') + (r.c == u'/' ? "" : "/")));
        }
    }
}

TEST(transferPaden, NamesFromTheServerThatAreNoPlainNamesAreRefused)
{
    struct NaamRij
    {
        QString naam;
        bool veilig;
    };
    const std::vector<NaamRij> rijen{
        {"a.txt", true}, {"x y", true},   {" ..", true},    {"...", true},
        {"", false},     {".", false},    {"..", false},    {"a/b", false},
        {"/", false},    {"a\\b", false}, {"..\\x", false}, {Tekst("a") + QChar(0) + u'b', false},
    };
    for (const NaamRij& r : rijen) {
        SCOPED_TRACE(r.naam.toStdString());
        EXPECT_EQ(VeiligeNaam(r.naam), r.veilig);
        EXPECT_EQ(LokaalDoelPad(QStringLiteral("/dl/"), r.naam).isEmpty(), !r.veilig);
    }
    EXPECT_EQ(LokaalDoelPad(QStringLiteral("/dl/"), QStringLiteral("a.txt")), QStringLiteral("/dl/a.txt"));
    EXPECT_EQ(LokaalDoelPad(QStringLiteral("/dl"), QStringLiteral("a.txt")), QStringLiteral("/dl/a.txt"));
    EXPECT_EQ(LokaalDoelPad(QString(), QStringLiteral("a.txt")), QString());
}

} // namespace
