#pragma once

// Pieces the session hands to curl: where a download goes, where an upload comes from, what
// happens to replies and progress. Internal to the FTP session.

#include <curl/curl.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>

namespace Vamox {

class CurlWerker;
class FtpSession;
enum class TlsKeuze;

namespace CurlHulp {

inline constexpr long kEenJaar = 365L * 24 * 3600;

struct Voortgang
{
    FtpSession* sessie = nullptr;
    std::atomic<bool>* afbreken = nullptr;
    std::chrono::steady_clock::time_point laatst{};
};

// A download is received under a temporary name beside the target, which only a complete file
// replaces: a broken transfer leaves the old file as it was. Unlike QSaveFile there is no sync
// to disk before the rename (it guards against a broken connection, not a power cut, and
// syncing a large file costs seconds), and a target that is a link is replaced, not followed.
class Ontvangst final
{
public:
    explicit Ontvangst(const QString& doel) : m_doel(doel) {}
    ~Ontvangst() { weg(); }
    Q_DISABLE_COPY_MOVE(Ontvangst)

    bool open();
    bool schrijf(const char* data, qint64 lengte) { return m_bestand.write(data, lengte) == lengte; }
    qint64 grootte() const { return m_bestand.isOpen() ? m_bestand.size() : 0; }
    bool leegmaken() { return m_bestand.resize(0) && m_bestand.seek(0); }
    bool vastleggen();
    void weg();

private:
    QString m_doel;
    QFile m_bestand;
    bool m_vastgelegd = false;
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
// SIZE of the handle's file on the connection it holds, or -1 (worker thread).
qint64 GrootteVragen(CurlWerker& werker);

// SIZE and MDTM of the handle's file (-1 where the server gives none), asked before a download
// is continued (worker thread; the handle is left without NOBODY and FILETIME).
struct Bestandsstand
{
    CURLcode code = CURLE_OK;
    qint64 grootte = -1;
    qint64 tijd = -1;
};
Bestandsstand StandVragen(CurlWerker& werker);

// Downloads smaller than this are fetched whole again after a cut: cheaper than asking the
// server whether the file is still the one begun.
inline constexpr qint64 kHervatVanaf = 1024 * 1024;

// The size a server announces when it opens the data connection of a RETR ("150 ... (1234
// bytes)"), or -1.
qint64 AangekondigdeGrootte(const QByteArray& antwoordregels);

} // namespace CurlHulp
} // namespace Vamox
