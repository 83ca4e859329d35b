#include "TransferTestHulp.h"
#include "transfer/OverdrachtVoortgang.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vamox;

namespace {

class transferVoortgang : public ::testing::Test
{
protected:
    qint64 nu = 0;
    quint64 id = 0;
    OverdrachtVoortgang v{[this] { return nu; }};
};

TEST_F(transferVoortgang, CountsFilesBytesRateAndTimeLeft)
{
    v.begin();
    v.erbij(3, 3000);
    v.bestandBegint(++id, QStringLiteral("a.txt"), 1000);
    nu = 1000;
    v.bestandVoortgang(id, 500);
    VoortgangStand s = v.stand();
    EXPECT_EQ(s.bestand, QStringLiteral("a.txt"));
    EXPECT_EQ(s.bestandenKlaar, 0);
    EXPECT_EQ(s.bestandenTotaal, 3);
    EXPECT_EQ(s.bytesKlaar, 500);
    EXPECT_EQ(s.bytesTotaal, 3000);
    EXPECT_DOUBLE_EQ(s.bytesPerSeconde, 500);
    EXPECT_EQ(s.secondenOver, 5);

    nu = 2000;
    v.bestandVoortgang(id, 1000);
    v.bestandKlaar(id, 1000);
    s = v.stand();
    EXPECT_EQ(s.bestand, QString());
    EXPECT_EQ(s.bestandenKlaar, 1);
    EXPECT_EQ(s.bytesKlaar, 1000);
    EXPECT_DOUBLE_EQ(s.bytesPerSeconde, 500);

    // A skipped file is done at once: the time left shrinks, the rate stays.
    v.bestandBegint(++id, QStringLiteral("b.txt"), 1000);
    v.bestandKlaar(id, 1000);
    s = v.stand();
    EXPECT_EQ(s.bestandenKlaar, 2);
    EXPECT_EQ(s.bytesKlaar, 2000);
    EXPECT_DOUBLE_EQ(s.bytesPerSeconde, 500);
    EXPECT_EQ(s.secondenOver, 2);

    // A failed file counts as handled with its whole size, whatever it moved.
    v.bestandBegint(++id, QStringLiteral("c.txt"), 1000);
    nu = 3000;
    v.bestandVoortgang(id, 250);
    v.bestandKlaar(id, 1000);
    s = v.stand();
    EXPECT_EQ(s.bestandenKlaar, 3);
    EXPECT_EQ(s.bytesKlaar, 3000);
    EXPECT_EQ(s.secondenOver, 0);
}

TEST_F(transferVoortgang, RateFollowsTheLastSecondsAndFallsWhenStalled)
{
    v.begin();
    v.erbij(1, 100000);
    v.bestandBegint(++id, QStringLiteral("groot"), 100000);
    qint64 gedaan = 0;
    for (int i = 0; i < 100; ++i) { // 10 s at 1000 B/s
        nu += 100;
        gedaan += 100;
        v.bestandVoortgang(id, gedaan);
    }
    EXPECT_NEAR(v.stand().bytesPerSeconde, 1000, 1);
    for (int i = 0; i < 60; ++i) { // 6 s at 100 B/s
        nu += 100;
        gedaan += 10;
        v.bestandVoortgang(id, gedaan);
    }
    EXPECT_NEAR(v.stand().bytesPerSeconde, 100, 1);
    EXPECT_EQ(v.stand().secondenOver, (100000 - gedaan + 99) / 100);

    nu += 2500; // nothing arrives: half the window is empty
    EXPECT_NEAR(v.stand().bytesPerSeconde, 50, 1);
    nu += 5000;
    EXPECT_EQ(v.stand().bytesPerSeconde, 0);
    EXPECT_EQ(v.stand().secondenOver, -1);
}

TEST_F(transferVoortgang, UnknownAndWrongSizesStayWithinTheTotals)
{
    v.begin();
    v.erbij(2, 1500);
    EXPECT_EQ(v.stand().secondenOver, -1); // no rate yet
    v.bestandBegint(++id, QStringLiteral("onbekend"), -1);
    nu = 1000;
    v.bestandVoortgang(id, 700);
    EXPECT_EQ(v.stand().bytesKlaar, 700);
    v.bestandKlaar(id, -1);
    EXPECT_EQ(v.stand().bytesKlaar, 700);

    // The file grew since the listing: the display never passes the total.
    v.bestandBegint(++id, QStringLiteral("groeit"), 800);
    nu = 2000;
    v.bestandVoortgang(id, 5000);
    EXPECT_EQ(v.stand().bytesKlaar, 1500);
    v.bestandKlaar(id, 800);
    EXPECT_EQ(v.stand().bytesKlaar, 1500);
    EXPECT_EQ(v.stand().bestandenKlaar, 2);

    v.begin();
    v.erbij(4, 10);
    const VoortgangStand s = v.stand();
    EXPECT_EQ(s.bestandenKlaar, 0);
    EXPECT_EQ(s.bytesKlaar, 0);
    EXPECT_EQ(s.bytesPerSeconde, 0);
}

// Files running side by side: their bytes add up, the one that began last is named, and the time
// left follows them all.
TEST_F(transferVoortgang, FilesSideBySideAddUp)
{
    v.begin();
    v.erbij(3, 3000);
    v.bestandBegint(1, QStringLiteral("a"), 1000);
    v.bestandBegint(2, QStringLiteral("b"), 1000);
    nu = 1000;
    v.bestandVoortgang(1, 400);
    v.bestandVoortgang(2, 600);
    VoortgangStand s = v.stand();
    EXPECT_EQ(s.bestand, QStringLiteral("b"));
    EXPECT_EQ(s.lopend, 2);
    EXPECT_EQ(s.bytesKlaar, 1000);
    EXPECT_DOUBLE_EQ(s.bytesPerSeconde, 1000);
    EXPECT_EQ(s.secondenOver, 2);
    v.bestandKlaar(2, 1000);
    s = v.stand();
    EXPECT_EQ(s.bestand, QStringLiteral("a"));
    EXPECT_EQ(s.bestandenKlaar, 1);
    EXPECT_EQ(s.bytesKlaar, 1400);
    // One that never began (stopped while it waited) counts as handled too.
    v.bestandKlaar(3, 1000);
    EXPECT_EQ(v.stand().bytesKlaar, 2400);
    EXPECT_EQ(v.stand().bestandenKlaar, 2);
}

TEST(transferVoortgangTekst, ShowsFileCountsAndTimeLeft)
{
    VoortgangStand s;
    s.bestand = QStringLiteral("b.txt");
    s.bestandenKlaar = 1;
    s.bestandenTotaal = 3;
    s.secondenOver = 65;
    EXPECT_TRUE(VoortgangTekst(s).startsWith(QStringLiteral("Bestand 2/3: b.txt - ")));
    EXPECT_TRUE(VoortgangTekst(s).endsWith(QStringLiteral(" - nog 1:05")));
    s.secondenOver = 3665;
    EXPECT_TRUE(VoortgangTekst(s).endsWith(QStringLiteral(" - nog 1:01:05")));
    s.secondenOver = -1;
    s.bestand.clear();
    s.bestandenKlaar = 3;
    EXPECT_TRUE(VoortgangTekst(s).startsWith(QStringLiteral("Bestand 3/3 - ")));
    EXPECT_FALSE(VoortgangTekst(s).contains(QStringLiteral("nog")));
    EXPECT_FALSE(VoortgangTekst(s).contains(QStringLiteral("/s")));
}

} // namespace
