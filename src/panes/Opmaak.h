#pragma once

#include <QDate>
#include <QString>

namespace Vamox {

// Number and date texts of the lists. Separators follow the default QLocale; the number texts
// always group thousands, also in the C locale (which would otherwise omit the separator).

// Thousands-grouped, at least one digit ("1.234.567" in Dutch, "1,234,567" in English); 0 gives "0".
QString GetalTekst(qint64 n);

// Counts in messages and titles ("#,##0" and "#,#"). The same text as GetalTekst: a count of 0
// shows "0", never an empty text.
inline QString AantalTekst(qint64 n)
{
    return GetalTekst(n);
}

// Hidden sort key of a size: the digits zero-padded to 11 places, then grouped in threes with
// the locale's separator ("00.000.001.234" in Dutch), so keys of sizes below 10^11 have equal
// width and sort as text in size order. Negative sizes count as 0.
QString GrootteSleutel(qint64 n);

// Shown size with unit: below 10^6 bytes "#,#0 kB", below 10^9 "#,#0.0 MB", else "#,#0.00 GB"
// (limits in powers of ten, divisor 1024, halves rounded up). Negative sizes count as 0.
QString GrootteTekst(qint64 n);

// "dd-mm-yyyy"; an invalid date gives "".
QString DatumTekst(const QDate& d);

// Hidden sort key of a date: "yyyy-mm-dd"; an invalid date gives "" (sorts first).
QString DatumSleutel(const QDate& d);

// "rwxr-xr-x" (with s, S, t, T as "ls -l" shows them); empty for -1 (not listed).
QString RechtenTekst(int rechten);

} // namespace Vamox
