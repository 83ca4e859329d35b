#include "ftp/FtpListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Vamox;

namespace {

// Expected entry; the name is given as the UTF-8 bytes it must decode from.
struct Verwacht
{
    std::string naam;
    bool map;
    qint64 grootte;
    int jaar, maand, dag, uur, minuut;
};

const QDate kVandaag(2026, 12, 8); // the day the server captures below were taken

void vergelijk(const std::vector<FtpEntry>& echt, const std::vector<Verwacht>& verwacht)
{
    ASSERT_EQ(echt.size(), verwacht.size());
    for (size_t i = 0; i < echt.size(); ++i) {
        const FtpEntry& e = echt[i];
        const Verwacht& v = verwacht[i];
        SCOPED_TRACE(v.naam);
        EXPECT_EQ(e.naam.toStdString(), v.naam);
        EXPECT_EQ(e.isMap, v.map);
        EXPECT_EQ(e.grootte, v.grootte);
        EXPECT_EQ((std::vector<int>{e.jaar, e.maand, e.dag, e.uur, e.minuut}),
                  (std::vector<int>{v.jaar, v.maand, v.dag, v.uur, v.minuut}));
    }
}

QByteArray bytes(const std::string& s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

} // namespace

// pyftpdlib 1.5.7, raw MLSD bytes (CRLF); it already replaced the invalid bytes by "?".
TEST(listingMlsd, PyftpdlibUitvoer)
{
    const QByteArray tekst =
        "modify=20261208021428;perm=eldfmMTcp;size=4096;type=dir;unique=fe00ga7214e; map met spatie\r\n"
        "modify=20261208021428;perm=radfwMT;size=2;type=file;unique=fe00ga72151; caf\xc3\xa9.txt\r\n"
        "modify=20240208070500;perm=radfwMT;size=0;type=file;unique=fe00ga72157; recent.txt\r\n"
        "modify=20261208021428;perm=radfwMT;size=5000000000;type=file;unique=fe00ga72155; groot.iso\r\n"
        "modify=20261208021428;perm=radfwMT;size=2;type=file;unique=fe00ga72150;  voor en achter \r\n"
        "modify=20261208021428;perm=radfwMT;size=2;type=file;unique=fe00ga72152; bad??.bin\r\n";
    vergelijk(MlsdLezen(tekst), {
                                    {"map met spatie", true, 0, 2026, 12, 8, 2, 14},
                                    {"caf\xc3\xa9.txt", false, 2, 2026, 12, 8, 2, 14},
                                    {"recent.txt", false, 0, 2024, 2, 8, 7, 5},
                                    {"groot.iso", false, 5000000000, 2026, 12, 8, 2, 14},
                                    {" voor en achter ", false, 2, 2026, 12, 8, 2, 14},
                                    {"bad??.bin", false, 2, 2026, 12, 8, 2, 14},
                                });
}

// What to ask with OPTS MLST from the MLST line of FEAT: only the kind, size, date and
// permissions, and only when the server would send more or leave the permissions out.
TEST(listingMlsd, FeitenOmTeVragen)
{
    const struct
    {
        const char* regel;
        const char* gevraagd;
    } gevallen[] = {
        {" MLST type*;perm*;size*;modify*;unique*;unix.mode;unix.uid;unix.gid;", "type;size;modify;unix.mode;"},
        {"MLST type*;size*;modify*;UNIX.mode;", "type;size;modify;unix.mode;"}, // offered, not sent
        {"MLST Type*;Size*;Modify*;Perm*", "type;size;modify;"},
        {"MLST modify*;type*;UNIX.owner*;", "modify;type;"},
        {"MLST type*;size*;modify*;", ""},      // sends only those already
        {"MLST type*;size*;modify*;perm;", ""}, // the rest only when asked
        {"MLST perm*;unique*;", ""},            // nothing a listing reads
        {"MLST", ""},
        {"MDTM", ""},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.regel);
        EXPECT_EQ(MlstFeiten(g.regel), QByteArray(g.gevraagd));
    }
}

// Permissions and links as the three kinds of listing give them; -1 where a line does not say.
TEST(listing, RechtenEnLinks)
{
    const struct
    {
        const char* regel;
        bool mlsd;
        int rechten;
        bool link;
    } gevallen[] = {
        {"-rw-r--r--   1 u g  5 Jan  1  2020 a", false, 0644, false},
        {"drwxr-sr-t   2 u g  0 Jan  1  2020 d", false, 03755, false},
        {"-rwSr-xr-T   1 u g  5 Jan  1  2020 s", false, 05654, false},
        {"lrwxrwxrwx   1 u g  5 Jan  1  2020 l -> a", false, 0777, true},
        {"type=file;size=1;UNIX.mode=0640; m", true, 0640, false},
        {"type=dir;unix.mode=0o755; p", true, 0755, false}, // Python's octal
        {"type=OS.unix=slink:/a;unix.mode=777; k", true, 0777, true},
        {"type=file;unix.mode=0989; fout", true, -1, false},
        {"type=file;size=1; zonder", true, -1, false},
    };
    for (const auto& g : gevallen) {
        SCOPED_TRACE(g.regel);
        const std::vector<FtpEntry> e = g.mlsd ? MlsdLezen(g.regel) : ListLezen(g.regel, QDate(2026, 6, 1));
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0].rechten, g.rechten);
        EXPECT_EQ(e[0].isLink, g.link);
    }
}

TEST(listingMlsd, FeitvormenEnSoorten)
{
    const QByteArray tekst =
        // good: fact names and type values in any case, missing last ";", fractions, sizd
        "Type=File;Size=12;Modify=20200131235959.123; Hoofdletters\n"
        "TYPE=DIR;SIZD=4096;MODIFY=19991231000000; MAP\n"
        "type=file;size=7 zonder puntkomma\n"
        "type=file;size=1;modify=20200101000000; a; b\n"
        // proftpd symlinks (target with a space), pure-ftpd style symlink: files
        "modify=20210304050607;perm=r;size=9;type=OS.unix=slink:/doel met spatie;UNIX.mode=0777; koppeling\n"
        "type=OS.unix=symlink;size=3;modify=20210304050607; link2\n"
        // impossible day is clamped, impossible month leaves the default date
        "type=file;size=1;modify=20230230101010; feb30\n"
        "type=file;size=1;modify=20231301101010; maand13\n"
        "type=file;size=99999999999999999999;modify=2023; rommel\n"
        " zonder feiten\n";
    vergelijk(MlsdLezen(tekst), {
                                    {"Hoofdletters", false, 12, 2020, 1, 31, 23, 59},
                                    {"MAP", true, 0, 1999, 12, 31, 0, 0},
                                    {"zonder puntkomma", false, 7, 1980, 1, 1, 0, 0},
                                    {"a; b", false, 1, 2020, 1, 1, 0, 0},
                                    {"koppeling", false, 9, 2021, 3, 4, 5, 6},
                                    {"link2", false, 3, 2021, 3, 4, 5, 6},
                                    {"feb30", false, 1, 2023, 2, 28, 10, 10},
                                    {"maand13", false, 1, 1980, 1, 1, 0, 0},
                                    {"rommel", false, 0, 1980, 1, 1, 0, 0},
                                    {"zonder feiten", false, 0, 1980, 1, 1, 0, 0},
                                });
}

TEST(listingMlsd, OvergeslagenRegels)
{
    const QByteArray tekst = "type=cdir;modify=20200101000000; /pub\r\n"
                             "type=pdir;modify=20200101000000; /\r\n"
                             "TYPE=CDIR; .\r\n"
                             "\r\n"
                             "type=file;size=3;\r\n"     // no name
                             "type=file;size=3; \r\n"    // empty name
                             "226 Transfer complete\r\n" // no facts
                             "geen-spatie-hier\r\n";
    EXPECT_TRUE(MlsdLezen(tekst).empty());
    EXPECT_TRUE(MlsdLezen({}).empty());
}

// vsftpd 3.0.3, raw LIST bytes (CRLF); it sends names as stored, invalid UTF-8 included.
TEST(listingList, VsftpdUitvoer)
{
    const QByteArray tekst = "-rw-r--r--    1 0        0               2 Dec 08 02:14  voor en achter \r\n"
                             "-rw-r--r--    1 0        0               2 Dec 08 02:14 caf\xc3\xa9.txt\r\n"
                             "-rw-r--r--    1 0        0        5000000000 Dec 08 02:14 groot.iso\r\n"
                             "lrwxrwxrwx    1 0        0              10 Dec 08 02:14 link -> gewoon.txt\r\n"
                             "drwxr-xr-x    2 0        0            4096 Dec 08 02:14 map met spatie\r\n"
                             "lrwxrwxrwx    1 0        0               3 Dec 08 02:14 maplink -> map\r\n"
                             "-rw-r--r--    1 0        0               0 Mar 08  2019 oud.txt\r\n"
                             "drwxr-xr-x    3 0        0            4096 Dec 08 02:14 ..\r\n"
                             "brw-r--r--    1 0        0               0 Dec 08 02:14 sda\r\n"
                             "-rw-r--r--    1 0        0               0 Jan 03  2027 toekomst.txt\r\n";
    vergelijk(ListLezen(tekst, kVandaag), {
                                              {" voor en achter ", false, 2, 2026, 12, 8, 2, 14},
                                              {"caf\xc3\xa9.txt", false, 2, 2026, 12, 8, 2, 14},
                                              {"groot.iso", false, 5000000000, 2026, 12, 8, 2, 14},
                                              {"link", false, 10, 2026, 12, 8, 2, 14},
                                              {"map met spatie", true, 0, 2026, 12, 8, 2, 14},
                                              {"maplink", false, 3, 2026, 12, 8, 2, 14},
                                              {"oud.txt", false, 0, 2019, 3, 8, 0, 0},
                                              {"..", true, 0, 2026, 12, 8, 2, 14},
                                              {"sda", false, 0, 2026, 12, 8, 2, 14},
                                              {"toekomst.txt", false, 0, 2027, 1, 3, 0, 0},
                                          });
}

TEST(listingList, OngeldigeUtf8)
{
    const auto lijst = ListLezen("-rw-r--r--    1 0        0               2 Dec 08 02:14 bad\xff\xfe.bin\r\n"
                                 "-rw-r--r--    1 0        0               2 Dec 08 02:14 \xc3\r\n",
                                 kVandaag);
    ASSERT_EQ(lijst.size(), 2u);
    EXPECT_TRUE(lijst[0].naam.startsWith(QLatin1String("bad")) &&
                lijst[0].naam.endsWith(QLatin1String(".bin")));
    EXPECT_TRUE(lijst[0].naam.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(lijst[1].naam, QString(QChar::ReplacementCharacter)); // a cut-off sequence, not the line end
}

// GNU ls (-l, -lG without group, devices, "total"), pyftpdlib (LF after curl), other Unix servers.
TEST(listingList, UnixVormen)
{
    const QByteArray tekst = "total 32\n"
                             "-rw-r--r-- 1 root    6 Dec  8 02:14 gewoon.txt\n"
                             "drwxr-xr-x 2 root 4096 Dec  8 02:14 map\n"
                             "-rw-r--r-- 1 root 0 Mar  8  2019 oud.txt\n"
                             "crw-rw-rw- 1 root root 1, 3 Dec  8 00:21 null\n"
                             "brw-rw---- 1 root disk 8,0 Dec  8 00:21 sda\n"
                             "-rw-r--r--   1 root     root            2 Dec 08 02:14  voor\n"
                             "-rw-r--r--+  1 jan      Domain Users  123 jul 4 9:05 acl en groep met spatie\n"
                             "dr-xr-xr-x   2 owner    group           0 Feb 30  2021 feb30\n"
                             "-rw-r--r--   1 a b 12 Jan 1 2000 tab\tin naam\n"
                             "-rw-r--r--   1 jan      20           2048 Dec 08 02:14 eigenaar jan\n";
    vergelijk(ListLezen(tekst, kVandaag), {
                                              {"gewoon.txt", false, 6, 2026, 12, 8, 2, 14},
                                              {"map", true, 0, 2026, 12, 8, 2, 14},
                                              {"oud.txt", false, 0, 2019, 3, 8, 0, 0},
                                              {"null", false, 0, 2026, 12, 8, 0, 21},
                                              {"sda", false, 0, 2026, 12, 8, 0, 21},
                                              {" voor", false, 2, 2026, 12, 8, 2, 14},
                                              {"acl en groep met spatie", false, 123, 2026, 7, 4, 9, 5},
                                              {"feb30", true, 0, 2021, 2, 28, 0, 0},
                                              {"tab\tin naam", false, 12, 2000, 1, 1, 0, 0},
                                              {"eigenaar jan", false, 2048, 2026, 12, 8, 2, 14},
                                          });
}

TEST(listingList, DosVormen)
{
    const QByteArray tekst = "04-27-00  12:09PM       <DIR>          licensed\r\n"
                             "04-27-00  12:09AM       <DIR>           spatie voor\r\n"
                             "07-18-69  10:16AM   123456789012 groot.bin\r\n"
                             "04-14-2000  03:47PM                  589  readme.htm \r\n"
                             "12/31/1999  23:59    <DIR> kort\r\n"
                             "01/02/2021  07:05 PM         1,234,567 dir-uitvoer.txt\r\n";
    vergelijk(ListLezen(tekst, kVandaag), {
                                              {"licensed", true, 0, 2000, 4, 27, 12, 9},
                                              {" spatie voor", true, 0, 2000, 4, 27, 0, 9},
                                              {"groot.bin", false, 123456789012, 2069, 7, 18, 10, 16},
                                              {" readme.htm ", false, 589, 2000, 4, 14, 15, 47},
                                              {"kort", true, 0, 1999, 12, 31, 23, 59},
                                              {"dir-uitvoer.txt", false, 1234567, 2021, 1, 2, 19, 5},
                                          });
}

// Lines that are not entries, or entries so broken that guessing would be worse than leaving them out.
TEST(listingList, OvergeslagenRegels)
{
    const char* regels[] = {
        "total 12",
        "",
        "   ",
        "garbage that is long enough",
        "-rw-r--r--   1 root root 12 Dec 08 02:14",                     // no name
        "-rw-r--r--   1 root root 12 Dec 08 02:14 ",                    // empty name
        "-rw-r--r--   1 root root 12 Dec 32 02:14 x",                   // day 32
        "-rw-r--r--   1 root root 12 Dec 08 24:00 x",                   // hour 24
        "-rw-r--r--   1 root root 12 Foo 08 02:14 x",                   // no month
        "-rw-r--r--   1 root root 99999999999999999999 Dec 08 02:14 x", // size overflows 64 bits
        "-rw-r--r--   1 root root twelve Dec 08 02:14 x",               // no size
        "Xrw-r--r--   1 root root 12 Dec 08 02:14 x",                   // no permissions
        "crw-r--r--   1 root root x, y Dec 08 02:14 tty",               // device without numbers
        "13-27-00  12:09PM       <DIR>          maand13",
        "04-27-00  13:09PM       <DIR>          uur13pm",
        "04-27-00  12:09XM       <DIR>          xm",
        "04-27-00  12:09PM       <DIR>          ",
        "04-27-00  12:09PM       1x2 naam",
        "04-27-00  12:09PM",
    };
    for (const char* r : regels) {
        SCOPED_TRACE(r);
        EXPECT_TRUE(ListLezen(QByteArray(r) + "\r\n", kVandaag).empty());
    }
    EXPECT_TRUE(ListLezen({}, kVandaag).empty());
}

// Lines are split on bytes before decoding: LF, CRLF, lone CR and a mix give the same entries.
TEST(listingBeide, Regeleinden)
{
    const std::string a = "-rw-r--r-- 1 u g 1 Dec 08 02:14 een", b = "drwxr-xr-x 1 u g 2 Dec 08 02:14 twee";
    const std::string m1 = "type=file;size=1; een", m2 = "type=dir; twee";
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(eol);
        const auto l = ListLezen(bytes(a + eol + b + eol), kVandaag);
        ASSERT_EQ(l.size(), 2u);
        EXPECT_EQ(l[0].naam, "een");
        EXPECT_EQ(l[1].naam, "twee");
        const auto m = MlsdLezen(bytes(m1 + eol + m2)); // no line end after the last line
        ASSERT_EQ(m.size(), 2u);
        EXPECT_EQ(m[1].naam, "twee");
        EXPECT_TRUE(m[1].isMap);
    }
    EXPECT_EQ(ListLezen(bytes(a + "\r" + b + "\r\n\n" + a + "\n\r"), kVandaag).size(), 3u);
}

// A time instead of a year means "within the last months": this year unless that is in the future.
TEST(listingList, JaarBijTijd)
{
    struct Rij
    {
        QDate vandaag;
        const char* datum;
        int jaar, dag;
    } rijen[] = {
        {QDate(2027, 1, 2), "Dec 31 12:00", 2026, 31}, // across New Year
        {QDate(2026, 12, 31), "Dec 31 12:00", 2026, 31},
        {QDate(2026, 12, 31), "Jan  1 00:30", 2026, 1}, // tomorrow by the server's clock: slack
        {QDate(2026, 12, 8), "Dec 09 01:00", 2026, 9},
        {QDate(2026, 12, 8), "Dec 10 01:00", 2025, 10},
        {QDate(2024, 3, 1), "Feb 29 10:00", 2024, 29},
        {QDate(2025, 1, 10), "Feb 29 10:00", 2024, 29}, // last year is a leap year
        {QDate(2026, 1, 10), "Feb 29 10:00", 2025, 28}, // bogus: clamped
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.datum);
        const auto l = ListLezen(QByteArray("-rw-r--r-- 1 u g 5 ") + r.datum + " f", r.vandaag);
        ASSERT_EQ(l.size(), 1u);
        EXPECT_EQ(l[0].jaar, r.jaar);
        EXPECT_EQ(l[0].dag, r.dag);
    }
}

// Servers that print sizes as signed 32-bit numbers list large files as negative: the entry
// stays, with size 0, in both listing forms.
TEST(listingBeide, NegatieveGrootte)
{
    struct Rij
    {
        const char* mlsd;
        const char* list;
    } rijen[] = {
        {"type=file;size=-1; f", "-rw-r--r-- 1 u g -1 Dec 08 02:14 f"},
        {"type=file;size=-2147483648; f", "-rw-r--r-- 1 u g -2147483648 Jan 01  2020 f"},
        {"type=file;size=-5; f", "01-02-21  07:05PM               -5 f"},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.list);
        for (const auto& lijst : {MlsdLezen(r.mlsd), ListLezen(r.list, kVandaag)}) {
            ASSERT_EQ(lijst.size(), 1u);
            EXPECT_EQ(lijst[0].naam, QStringLiteral("f"));
            EXPECT_FALSE(lijst[0].isMap);
            EXPECT_EQ(lijst[0].grootte, 0);
        }
    }
}

// A listing read in pieces, cut anywhere (inside a line, between CR and LF, one byte at a time),
// gives the entries it gives when read at once.
TEST(listingBeide, InStukkenAlsInEenKeer)
{
    const struct
    {
        Lijstlezer::Vorm vorm;
        std::string tekst;
    } rijen[] = {
        {Lijstlezer::Vorm::Mlsd, "type=file;size=1;modify=20240101120000; een\r\ntype=dir; twee\n"
                                 "type=cdir; .\r\n\r\ntype=file;size=3; drie met spatie\rtype=file; vier"},
        {Lijstlezer::Vorm::List,
         "total 3\r\n-rw-r--r-- 1 u g 1 Dec 08 02:14 een\r\n"
         "drwxr-xr-x 1 u g 2 Jan 01  2020 twee\n\n"
         "04-27-00  12:09PM       <DIR>          drie\r-rw-r--r-- 1 u g 4 Dec 08 02:14 vier"},
    };
    for (const auto& r : rijen) {
        SCOPED_TRACE(r.tekst);
        Lijstlezer geheel(r.vorm, {}, kVandaag);
        ASSERT_TRUE(geheel.Lezen(r.tekst.data(), qsizetype(r.tekst.size())));
        ASSERT_TRUE(geheel.Afronden());
        const std::vector<FtpEntry> verwacht = geheel.Nemen();
        ASSERT_EQ(verwacht.size(), 4u);
        const auto namen = [](const std::vector<FtpEntry>& l) {
            std::vector<std::string> uit;
            for (const FtpEntry& e : l)
                uit.push_back(e.naam.toStdString() + (e.isMap ? "/" : "") + std::to_string(e.grootte));
            return uit;
        };
        for (size_t stuk = 1; stuk <= r.tekst.size(); ++stuk) {
            SCOPED_TRACE(stuk);
            Lijstlezer lezer(r.vorm, {}, kVandaag);
            std::vector<FtpEntry> samen;
            for (size_t i = 0; i < r.tekst.size(); i += stuk) {
                ASSERT_TRUE(lezer.Lezen(r.tekst.data() + i, qsizetype(std::min(stuk, r.tekst.size() - i))));
                for (FtpEntry& e : lezer.Nemen())
                    samen.push_back(std::move(e));
            }
            ASSERT_TRUE(lezer.Afronden());
            for (FtpEntry& e : lezer.Nemen())
                samen.push_back(std::move(e));
            EXPECT_EQ(namen(samen), namen(verwacht));
        }
    }
}

// What one listing may take: a line over the line limit (whole or growing over pieces), more
// entries or bytes than allowed. Up to the limits the listing is read.
TEST(listingBeide, GrenzenVanEenLijst)
{
    const std::string regel = "type=file;size=1; naam\r\n"; // 24 bytes
    const struct
    {
        const char* geval;
        Lijstgrenzen grenzen;
        std::string tekst;
        size_t stuk;
        bool teGroot;
    } rijen[] = {
        {"RegelOpDeGrens", {22, 1000, 10}, regel + regel, 1000, false},
        {"RegelTeLang", {21, 1000, 10}, regel, 1000, true},
        {"RegelGroeitOverStukken", {30, 1000, 10}, std::string(40, 'x'), 7, true},
        {"LaatsteRegelZonderEinde", {30, 1000, 10}, std::string(31, 'x'), 1000, true},
        {"EntriesOpDeGrens", {100, 1000, 2}, regel + regel + "garbage\r\n", 1000, false},
        {"TeveelEntries", {100, 1000, 2}, regel + regel + regel, 1000, true},
        {"BytesOpDeGrens", {100, 48, 10}, regel + regel, 5, false},
        {"TeveelBytes", {100, 47, 10}, regel + regel, 5, true},
    };
    for (const auto& r : rijen) {
        SCOPED_TRACE(r.geval);
        Lijstlezer lezer(Lijstlezer::Vorm::Mlsd, r.grenzen);
        bool goed = true;
        for (size_t i = 0; goed && i < r.tekst.size(); i += r.stuk)
            goed = lezer.Lezen(r.tekst.data() + i, qsizetype(std::min(r.stuk, r.tekst.size() - i)));
        if (goed) goed = lezer.Afronden();
        EXPECT_EQ(!goed, r.teGroot);
        EXPECT_EQ(lezer.TeGroot(), r.teGroot);
    }
    // The real limits: 5 million entries of long names get through, and a server that sends
    // without end is stopped long before memory runs out.
    const Lijstgrenzen echt;
    EXPECT_EQ(echt.regel, 64 * 1024);
    EXPECT_EQ(echt.entries, 8'000'000);
    EXPECT_EQ(echt.bytes, qint64(2) * 1024 * 1024 * 1024);
}
