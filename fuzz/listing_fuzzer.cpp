// libFuzzer target for the listing parsers: no crash, no sanitizer report, and every entry that
// comes out is usable by the panes (a name, a real date, a non-negative size).
#include "ftp/FtpListing.h"

#include <cstddef>
#include <cstdint>

namespace {

void controleer(const std::vector<Vamox::FtpEntry>& lijst)
{
    for (const Vamox::FtpEntry& e : lijst) {
        if (e.naam.isEmpty() || e.grootte < 0 || !QDate(e.jaar, e.maand, e.dag).isValid() || e.uur < 0 ||
            e.uur > 23 || e.minuut < 0 || e.minuut > 59 || (e.isMap && e.grootte != 0))
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray tekst = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    // The day of listing follows the input length, so year inference (leap days, New Year) varies too.
    const QDate vandaag = QDate(2023, 12, 1).addDays(qint64(size % 1500));
    controleer(Vamox::ListLezen(tekst, vandaag));
    controleer(Vamox::MlsdLezen(tekst));
    return 0;
}
