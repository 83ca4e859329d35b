#include "PanesTestHulp.h"
#include "panes/Opmaak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Vamox;
using Vamox::Test::LocaleWissel;

namespace {

struct GetalRij
{
    qint64 n;
    const char* getal;
    const char* sleutel;
    const char* grootte;
};

void controleer(const std::vector<GetalRij>& rijen)
{
    for (const GetalRij& r : rijen) {
        SCOPED_TRACE(r.n);
        EXPECT_EQ(GetalTekst(r.n), QString::fromUtf8(r.getal));
        EXPECT_EQ(GrootteSleutel(r.n), QString::fromUtf8(r.sleutel));
        EXPECT_EQ(GrootteTekst(r.n), QString::fromUtf8(r.grootte));
    }
}

} // namespace

TEST(panesOpmaak, GetallenNederlands)
{
    LocaleWissel nl(QLocale(QLocale::Dutch, QLocale::Netherlands));
    controleer({
        {0, "0", "00.000.000.000", "0 kB"},
        {5, "5", "00.000.000.005", "0 kB"},
        {511, "511", "00.000.000.511", "0 kB"},
        {512, "512", "00.000.000.512", "1 kB"}, // half a kB rounds up
        {15320, "15.320", "00.000.015.320", "15 kB"},
        {999999, "999.999", "00.000.999.999", "977 kB"},
        {1000000, "1.000.000", "00.001.000.000", "1,0 MB"},
        {1234567, "1.234.567", "00.001.234.567", "1,2 MB"},
        {999999999, "999.999.999", "00.999.999.999", "953,7 MB"},
        {1000000000, "1.000.000.000", "01.000.000.000", "0,93 GB"},
        {5000000000, "5.000.000.000", "05.000.000.000", "4,66 GB"},               // over 32 bits
        {1073741823999, "1.073.741.823.999", "1.073.741.823.999", "1.000,00 GB"}, // carry into units
        {-7, "-7", "00.000.000.000", "0 kB"},
    });
}

TEST(panesOpmaak, GetallenEngelsEnC)
{
    const std::vector<GetalRij> engels = {
        {0, "0", "00,000,000,000", "0 kB"},
        {1234567, "1,234,567", "00,001,234,567", "1.2 MB"},
        {1000000, "1,000,000", "00,001,000,000", "1.0 MB"},
        {1234567890123, "1,234,567,890,123", "1,234,567,890,123", "1,149.78 GB"},
    };
    {
        LocaleWissel en(QLocale(QLocale::English, QLocale::UnitedStates));
        controleer(engels);
    }
    {
        // The C locale leaves out group separators by default; the list still groups.
        LocaleWissel c(QLocale::c());
        controleer(engels);
    }
}

TEST(panesOpmaak, GrootteSleutelSorteertAlsTekst)
{
    LocaleWissel nl(QLocale(QLocale::Dutch, QLocale::Netherlands));
    std::vector<qint64> groottes = {12345678, 5, 1234, 0, 99999999999, 1000, 999, 4294967296, 100000};
    std::vector<QString> sleutels;
    for (qint64 g : groottes)
        sleutels.push_back(GrootteSleutel(g));
    std::sort(groottes.begin(), groottes.end());
    std::sort(sleutels.begin(), sleutels.end());
    for (size_t i = 0; i < groottes.size(); ++i) {
        EXPECT_EQ(sleutels[i], GrootteSleutel(groottes[i]));
        EXPECT_EQ(sleutels[i].size(), sleutels[0].size());
    }
}

TEST(panesOpmaak, Datums)
{
    struct Rij
    {
        QDate d;
        const char* tekst;
        const char* sleutel;
    };
    const std::vector<Rij> rijen = {
        {QDate(2019, 3, 12), "12-03-2019", "2019-03-12"},
        {QDate(2024, 2, 29), "29-02-2024", "2024-02-29"},
        {QDate(999, 1, 2), "02-01-0999", "0999-01-02"},
        {QDate(), "", ""},
    };
    LocaleWissel en(QLocale(QLocale::English, QLocale::UnitedStates)); // dates ignore the locale
    for (const Rij& r : rijen) {
        EXPECT_EQ(DatumTekst(r.d), QLatin1String(r.tekst));
        EXPECT_EQ(DatumSleutel(r.d), QLatin1String(r.sleutel));
    }
}
