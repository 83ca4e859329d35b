#include "fileops/Openen.h"
#include "transfer/Werkplekken.h"
#include "transfer/Wachtrij.h"
#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "transfer/TransferTestHulp.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Vamox::Test {
namespace {

// The desktop and the user from a script: which program opens what, whether the desktop
// manages, the answer to the question; everything done is written down.
struct Nep final : Openomgeving
{
    QString programma;
    bool desktopOpent = true;
    Keuze keuze = Keuze::Annuleren;
    bool kladblokJa = false;
    QStringList gedaan;

    QString Programma(const QString&) override { return programma; }
    bool Openen(const QString& pad) override
    {
        gedaan << "open " + pad;
        return desktopOpent;
    }
    bool Starten(const QString& p, const QString& pad) override
    {
        gedaan << "start " + p + ' ' + pad;
        return true;
    }
    bool Kladblok(const QString& pad) override
    {
        gedaan << "kladblok " + pad;
        return true;
    }
    Keuze KladblokOfProgramma(const QString&, const QString& naam, bool) override
    {
        gedaan << "vraag " + naam;
        return keuze;
    }
    bool InKladblok(const QString&, bool) override
    {
        gedaan << "geen programma";
        return kladblokJa;
    }
    void NietGeopend(const QString& getoond, bool) override { gedaan << "niet geopend " + getoond; }
    void NietGedownload(const QString& pad) override { gedaan << "niet gedownload " + pad; }
};

TEST(WeergaveNaam, PlusWordtSpatieExeVerdwijnt)
{
    EXPECT_EQ(WeergaveNaam(R"(C:\Tools\Notepad++\notepad++.exe)"), "NOTEPAD");
    EXPECT_EQ(WeergaveNaam(R"(C:\Program Files\App\WINWORD.EXE)"), "WINWORD");
    EXPECT_EQ(WeergaveNaam("/usr/bin/mousepad"), "MOUSEPAD");
}

TEST(BestandLokaalOpenen2, WanneerErGevraagdWordt)
{
    using K = Openomgeving::Keuze;
    const struct
    {
        const char* pad;
        const char* programma;
        bool desktopOpent;
        K keuze;
        bool kladblokJa;
        bool geopend;
        QStringList gedaan;
    } rijen[] = {
        {"/m/a.TXT", "/bin/ed", true, K::Annuleren, false, true, {"open /m/a.TXT"}},
        {"/m/setup.exe", "", true, K::Annuleren, false, true, {"open /m/setup.exe"}},
        {"/m/x.doc", "/bin/ed", true, K::Kladblok, false, true, {"vraag ED", "kladblok /m/x.doc"}},
        {"/m/x.doc", "/bin/ed", true, K::Annuleren, false, false, {"vraag ED"}},
        {"/m/x.doc",
         "/bin/ed",
         false,
         K::Programma,
         false,
         true,
         {"vraag ED", "open /m/x.doc", "start /bin/ed /m/x.doc"}},
        {"/m/x.abc", "", true, K::Annuleren, false, false, {"geen programma"}},
        {"/m/x.abc", "", true, K::Annuleren, true, true, {"geen programma", "kladblok /m/x.abc"}},
    };
    for (const auto& rij : rijen) {
        Nep nep;
        nep.programma = QLatin1String(rij.programma);
        nep.desktopOpent = rij.desktopOpent;
        nep.keuze = rij.keuze;
        nep.kladblokJa = rij.kladblokJa;
        EXPECT_EQ(BestandLokaalOpenen2(QLatin1String(rij.pad), nep), rij.geopend) << rij.pad;
        EXPECT_EQ(nep.gedaan, rij.gedaan) << rij.pad;
    }
}

// Every server file its own copy below the work folder, whatever the names hold.
TEST(Werkkopie, EenPlekPerServerEnPad)
{
    const FtpGegevens a{"127.0.0.1", "vamox", {}, 21};
    const FtpGegevens b{"127.0.0.1", "me@site", {}, 2121};
    const struct
    {
        const FtpGegevens& server;
        const char* pad;
        const char* kopie; // below /w/Openen/
    } rijen[] = {
        {a, "/x.txt", "vamox@127.0.0.1_21/x.txt"},
        {a, "/a/b/x.txt", "vamox@127.0.0.1_21/a/b/x.txt"},
        {b, "/a/b/x.txt", "me%40site@127.0.0.1_2121/a/b/x.txt"},
        {a, "/a.b/x.txt", "vamox@127.0.0.1_21/a.b/x.txt"},
        {a, "/a%2Eb/x.txt", "vamox@127.0.0.1_21/a%252Eb/x.txt"},
        {a, "/../x.txt", "vamox@127.0.0.1_21/%2E%2E/x.txt"},
        {a, "/c:\\d/x.txt", "vamox@127.0.0.1_21/c%3A%5Cd/x.txt"},
        {a, "/a/..", ""},
    };
    for (const auto& rij : rijen) {
        const QString verwacht =
            *rij.kopie ? QStringLiteral("/w/Openen/") + QString::fromUtf8(rij.kopie) : QString();
        EXPECT_EQ(Werkkopie("/w", rij.server, QString::fromUtf8(rij.pad)), verwacht) << rij.pad;
    }
}

// A download that fails opens nothing: not even the copy an earlier opening left.
TEST(BestandFtpOpenen, MisluktDownloadOpentGeenOudeKopie)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.schrijf("nieuw.txt", "van de server");
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    QTemporaryDir werk;
    ASSERT_TRUE(SchrijfBestand(werk.filePath("weg.txt"), "oude kopie"));

    Nep nep;
    nep.programma = "/bin/ed";
    EXPECT_FALSE(BestandFtpOpenen(wachtrij, "/weg.txt", -1, werk.filePath("weg.txt"), nep));
    EXPECT_EQ(nep.gedaan, QStringList{"niet gedownload /weg.txt"});

    nep.gedaan.clear();
    EXPECT_TRUE(BestandFtpOpenen(wachtrij, "/nieuw.txt", -1, werk.filePath("nieuw.txt"), nep));
    EXPECT_EQ(nep.gedaan, QStringList{"open " + werk.filePath("nieuw.txt")});
}

} // namespace
} // namespace Vamox::Test
