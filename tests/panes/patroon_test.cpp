#include "PanesTestHulp.h"
#include "panes/Patroon.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vamox;

namespace {

struct Rij
{
    const char* patroon;
    const char* naam;
    bool past;
};

void controleer(const std::vector<Rij>& rijen)
{
    for (const Rij& r : rijen) {
        SCOPED_TRACE(std::string(r.patroon) + " ~ " + r.naam);
        EXPECT_EQ(PatroonPast(QString::fromUtf8(r.naam), QString::fromUtf8(r.patroon)), r.past);
    }
}

} // namespace

TEST(panesPatroon, SterrenEnVraagtekens)
{
    controleer({
        {"*.txt", "a.txt", true},
        {"*.txt", "B.TXT", true},
        {"*.txt", "a.txt.bak", false},
        {"*.txt", ".txt", true},
        {"*.TXT", "readme.txt", true},
        {"*.TXT", "NOTES.Txt", true},
        {"a*", "A.doc", true},
        {"a*", "ba", false},
        {"*", "", true},
        {"*", "alles.zip", true},
        {"**", "alles.zip", true},
        {"*a*a*", "aa", true},
        {"*a*a*", "a", false},
        {"?.txt", "a.txt", true},
        {"?.txt", "ab.txt", false},
        {"?.txt", ".txt", false},
        {"a?c", "abc", true},
        {"a?", "a", false}, // a "?" at the end still takes one character
        {"a?", "ab", true},
        {"*.??", "x.c", false},
        {"*.??", "x.cc", true},
        {"?", "", false},
        {"verslag.doc", "Verslag.DOC", true},
        {"verslag.doc", "verslag.docx", false},
        {"", "", true},
        {"", "a", false},
        {"*b", "aaab", true},
        {"*ab*ab", "xabyab", true},
        {"*ab*ab", "xabyaba", false},
    });
}

TEST(panesPatroon, CijfersEnSets)
{
    controleer({
        {"#*", "1abc", true},
        {"#*", "abc1", false},
        {"#*", "", false},
        {"##.txt", "07.txt", true},
        {"##.txt", "7a.txt", false},
        {"[a-c]*", "beta", true},
        {"[a-c]*", "Charlie", true},
        {"[a-c]*", "delta", false},
        {"[!a]*", "beta", true},
        {"[!a]*", "Alfa", false},
        {"[!a-c]*", "delta", true},
        {"[xa-cz]", "z", true},
        {"[xa-cz]", "y", false},
        {"[-a]", "-", true}, // "-" first stands for itself
        {"[a-]", "-", true}, // ... and last
        {"[*]", "*", true},  // wildcards in a set are plain
        {"[*]", "a", false},
        {"[?]", "?", true},
        {"[#]", "#", true},
        {"[[]x", "[x", true},
        {"a]", "a]", true},
        {"[é]", "É", true},              // lower-cased beyond ASCII
        {"?", "\xF0\x9F\x98\x80", true}, // one character outside the BMP
    });
}

TEST(panesPatroon, KapotteHaken)
{
    controleer({
        {"[abc", "[abc", true}, // unclosed: literal
        {"[abc", "a", false},
        {"[!abc", "[!abc", true},
        {"a[]b", "ab", true}, // empty set matches nothing
        {"a[]b", "axb", false},
        {"[!]", "x", true}, // negated empty set: any one character
        {"[!]", "", false},
        {"[z-a]", "m", false}, // reversed range adds nothing
        {"[z-ab]", "b", true},
        {"[", "[", true},
        {"]", "]", true},
    });
}

TEST(panesPatroon, VeelSterrenBlijftLineair)
{
    // A naive backtracking matcher needs exponential time here; this one answers at once.
    const QString naam = QString(2000, u'a');
    EXPECT_FALSE(PatroonPast(naam, QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*b")));
    EXPECT_TRUE(PatroonPast(naam + u'b', QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*b")));
    const Patroon p(QStringLiteral("*[a-b]*?*#"));
    EXPECT_FALSE(p.past(naam));
    EXPECT_TRUE(p.past(naam + u'9'));
}

TEST(panesPatroon, LeegPatroon)
{
    const std::vector<std::pair<const char*, bool>> rijen = {
        {"", true}, {"   ", true}, {"*", true}, {" ** ", true}, {"*.*", false}, {"a", false}, {"* *", false},
    };
    for (const auto& [tekst, leeg] : rijen)
        EXPECT_EQ(PatroonIsLeeg(QString::fromUtf8(tekst)), leeg) << tekst;
}

TEST(panesPatroon, ExtensieEnIcoonSleutel)
{
    struct Rij
    {
        const char* naam;
        const char* patroon;
        const char* icoon;
    };
    const std::vector<Rij> rijen = {
        {"a.TXT", "*.txt", "txt"},         {"archief.tar.GZ", "*.gz", "gz"}, {"Makefile", "", "bestand"},
        {".bashrc", "*.bashrc", "bashrc"}, {"raar.", "*.", "bestand"},
    };
    for (const Rij& r : rijen) {
        SCOPED_TRACE(r.naam);
        EXPECT_EQ(ExtensiePatroon(QString::fromUtf8(r.naam)), QString::fromUtf8(r.patroon));
        EXPECT_EQ(IcoonSleutelVoor(QString::fromUtf8(r.naam)), QString::fromUtf8(r.icoon));
    }
    // Without a program for the extension the row shows the plain file icon.
    const ProgrammaBekend alleenTxt = [](const QString& ext) { return ext == QLatin1String("txt"); };
    EXPECT_EQ(IcoonSleutelVoor(QStringLiteral("a.Txt"), alleenTxt), QStringLiteral("txt"));
    EXPECT_EQ(IcoonSleutelVoor(QStringLiteral("a.xyz"), alleenTxt), QStringLiteral("bestand"));
}
