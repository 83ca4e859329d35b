#pragma once

#include "ftp/FtpListing.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

namespace Vamox {

// The field separator of listing lines and saved server lines (character code 15).
inline constexpr QChar Scheidingsteken = QChar(15);

// Removes leading and trailing spaces only (tabs and other white space stay).
QString SpatiesWeg(const QString& tekst);

// A server folder in listing form: "/a/b/" for a, /a/b, a/b/ and " /a/b// "; the root is "//".
QString FtpMapNormaliseren(const QString& map);

// "/" in front when the path does not begin with it; nothing else changes.
QString FtpPadVoorvoegsel(const QString& pad);

// The path part of an ftp:// URL for an absolute server path: the leading "/" encoded as %2F
// (so curl sends it as absolute), every name percent-encoded, the "/" between names kept.
QByteArray FtpUrlPad(const QString& absolutPad);

// True when the text can travel in an FTP command line and means there what it says: no CR, LF
// or NUL, and no U+FFFD, which stands in for listed bytes that were no UTF-8 (the server knows
// that name by other bytes, and a file really named with U+FFFD would be another file).
bool FtpVeiligeTekst(const QString& tekst);

// Sorts in place in the order a repeated exchange of neighbours gives (equal elements keep
// their order), comparing UTF-16 code units, lower-cased first when asked.
void TabelSorteren(QStringList& tabel, bool hoofdletterOngevoelig);

// Restores the two folder forms: the local one ends in exactly one separator, the server one
// begins and ends with "/" (the root is "/").
void MappenBijwerken(QString& lokaleMap, QString& serverMap);

} // namespace Vamox
