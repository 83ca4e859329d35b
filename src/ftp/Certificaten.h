#pragma once

// Certificates of servers that no trusted authority vouches for (self-signed, the common case on
// FTP servers): what the user is shown about one, and the ones the user chose to trust.

#include <QByteArray>
#include <QString>

#include <optional>

namespace Vamox {

struct CertificaatInfo
{
    QString host;
    quint16 poort = 21;
    QByteArray pin;       // "sha256//<base64>" of the public key, as CURLOPT_PINNEDPUBLICKEY takes it
    QString vingerafdruk; // SHA-256 of the certificate, "AB:CD:..."
    QString geldigVanaf;  // as the certificate gives them
    QString geldigTot;
};

// Pin, fingerprint and validity of a PEM certificate; nothing when it cannot be read.
std::optional<CertificaatInfo> CertificaatLezen(const QByteArray& pem);

// The trusted certificates, one line per server: "host poort pin vingerafdruk". Written whole
// or not at all, readable by the owner only.
class BekendeCertificaten final
{
public:
    explicit BekendeCertificaten(QString pad) : m_pad(std::move(pad)) {}

    // The pin remembered for this server, empty when none.
    QByteArray pin(const QString& host, quint16 poort) const;
    // Remembers (or replaces) the certificate of its server; false when the file was not written.
    bool onthouden(const CertificaatInfo& info) const;

private:
    QString m_pad;
};

} // namespace Vamox
