#pragma once

// Pieces the session hands to curl: where a download goes, where an upload comes from, what
// happens to replies and progress. Internal to the FTP session.

#include <curl/curl.h>

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>

namespace Vamox {

class CurlVerbinding;
class Ontvangst;
class Sessiekern;
enum class TlsKeuze;

namespace CurlHulp {

inline constexpr long kEenJaar = 365L * 24 * 3600;

struct Voortgang
{
    Sessiekern* kern = nullptr;
    std::chrono::steady_clock::time_point laatst{};
    qint64 basis = 0; // added to what curl counts: a part tells its position in the file
};

size_t Weggooien(char*, size_t grootte, size_t n, void*);
size_t SchrijfNaarBuffer(char* data, size_t grootte, size_t n, void* buffer);
size_t SchrijfNaarBestand(char* data, size_t grootte, size_t n, void* ontvangst);
size_t LeesUitBestand(char* data, size_t grootte, size_t n, void* bestand);
int ZoekInBestand(void* bestand, curl_off_t positie, int vanaf);
int MeldVoortgang(void* p, curl_off_t dlTotaal, curl_off_t dlNu, curl_off_t ulTotaal, curl_off_t ulNu);

// Failures after which the same operation is worth one more try on a fresh connection: the
// server closed an idle connection, or it broke before anything was moved.
bool VerbindingVerloren(CURLcode code, long antwoord);

// Failures of a transfer after which it is worth resuming: the connection broke.
bool Hervatbaar(CURLcode code);

// TLS as chosen; a pin (of a certificate the user trusts) replaces the check against the trusted
// authorities. `certificaatHalen`: stop at the certificate (a pin nothing has) and keep it.
void TlsZetten(CURL* e, TlsKeuze keuze, const QByteArray& pin, bool certificaatHalen,
               bool hoogstens12 = false);
// The server's own certificate (PEM) of the last transfer with certificaatHalen.
QByteArray EersteCertificaat(CURL* e);
// SIZE of the handle's file on the connection it holds, or -1.
qint64 GrootteVragen(CurlVerbinding& verbinding);

// SIZE and MDTM of the handle's file (-1 where the server gives none); the handle is left without
// NOBODY and FILETIME.
struct Bestandsstand
{
    CURLcode code = CURLE_OK;
    qint64 grootte = -1;
    qint64 tijd = -1;
};
Bestandsstand StandVragen(CurlVerbinding& verbinding);

// The size a server announces when it opens the data connection of a RETR ("150 ... (1234
// bytes)"), or -1.
qint64 AangekondigdeGrootte(const QByteArray& antwoordregels);

} // namespace CurlHulp
} // namespace Vamox
