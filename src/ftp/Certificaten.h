#pragma once

// Certificates of servers that no trusted authority vouches for (self-signed, the common case on
// FTP servers): what the user is shown about one, and the ones the user chose to trust.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace Vamox {

struct CertificaatInfo
{
    QString host;
    quint16 poort = 21;
    QByteArray pin;        // "sha256//<base64>" of the public key, as CURLOPT_PINNEDPUBLICKEY takes it
    QString vingerafdruk;  // SHA-256 of the certificate, "AB:CD:..."
    QDateTime geldigVanaf; // UTC; invalid when the certificate gives no readable time
    QDateTime geldigTot;
};

// What the session tells the user about a server's certificate besides the question whether to
// trust it (the window words it).
enum class Certificaatmelding
{
    GeenTls,           // a server with a trusted certificate no longer offers TLS: not logged in
    PinOngeldig,       // the server's line in the known-certificates file names no usable pin: not logged in
    BestandOnleesbaar, // the known-certificates file cannot be read: not logged in
    NietOnthouden      // the certificate the user trusted could not be written down (trusted this once)
};

// Pin, fingerprint and validity of a PEM certificate; nothing when it cannot be read.
std::optional<CertificaatInfo> CertificaatLezen(const QByteArray& pem);

// Whether `pin` has the form CertificaatLezen gives: "sha256//" and the base64 of 32 bytes.
bool PinGeldig(const QByteArray& pin);

// What the known-certificates file says of one server.
struct BekendePin
{
    enum class Staat
    {
        Onbekend,  // no line for the server (or no file)
        Bekend,    // `pin` is the one trusted
        Ongeldig,  // a line for the server whose pin is missing or malformed
        Onleesbaar // the file is there but cannot be read
    };
    Staat staat = Staat::Onbekend;
    QByteArray pin;
};

// The trusted certificates, one line per server: "host poort pin vingerafdruk". Written whole
// or not at all, readable by the owner only, never through a link.
class BekendeCertificaten final
{
public:
    explicit BekendeCertificaten(QString pad) : m_pad(std::move(pad)) {}

    BekendePin opzoeken(const QString& host, quint16 poort) const;
    // Remembers (or replaces) the certificate of its server; false when the file was not written
    // (it then stays as it was, and one that could not be read is never written over).
    bool onthouden(const CertificaatInfo& info) const;

private:
    QString m_pad;
};

} // namespace Vamox
