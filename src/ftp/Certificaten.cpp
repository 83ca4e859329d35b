#include "ftp/Certificaten.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <memory>

namespace Vamox {

namespace {

QString Tijd(const ASN1_TIME* t)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), &BIO_free);
    if (!bio || ASN1_TIME_print(bio.get(), t) != 1) return {};
    char* data = nullptr;
    const long n = BIO_get_mem_data(bio.get(), &data);
    return QString::fromLatin1(data, n);
}

QString Sleutel(const QString& host, quint16 poort)
{
    return host.toLower() + u' ' + QString::number(poort);
}

} // namespace

std::optional<CertificaatInfo> CertificaatLezen(const QByteArray& pem)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.constData(), int(pem.size())),
                                                  &BIO_free);
    if (!bio) return std::nullopt;
    std::unique_ptr<X509, decltype(&X509_free)> cert(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr),
                                                     &X509_free);
    if (!cert) return std::nullopt;

    CertificaatInfo info;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int lengte = 0;
    if (X509_digest(cert.get(), EVP_sha256(), digest, &lengte) != 1) return std::nullopt;
    info.vingerafdruk =
        QString::fromLatin1(QByteArray(reinterpret_cast<char*>(digest), lengte).toHex(':').toUpper());
    // The pin is over the whole SubjectPublicKeyInfo, not the key bits alone.
    unsigned char* spki = nullptr;
    const int spkiLengte = i2d_X509_PUBKEY(X509_get_X509_PUBKEY(cert.get()), &spki);
    if (spkiLengte <= 0) return std::nullopt;
    lengte = 0;
    const bool ok = EVP_Digest(spki, size_t(spkiLengte), digest, &lengte, EVP_sha256(), nullptr) == 1;
    OPENSSL_free(spki);
    if (!ok) return std::nullopt;
    info.pin = "sha256//" + QByteArray(reinterpret_cast<char*>(digest), lengte).toBase64();
    info.geldigVanaf = Tijd(X509_get0_notBefore(cert.get()));
    info.geldigTot = Tijd(X509_get0_notAfter(cert.get()));
    return info;
}

QByteArray BekendeCertificaten::pin(const QString& host, quint16 poort) const
{
    QFile f(m_pad);
    if (m_pad.isEmpty() || !f.open(QIODevice::ReadOnly)) return {};
    const QString sleutel = Sleutel(host, poort) + u' ';
    while (!f.atEnd()) {
        const QString regel = QString::fromUtf8(f.readLine()).trimmed();
        if (!regel.startsWith(sleutel)) continue;
        return regel.mid(sleutel.size()).section(u' ', 0, 0).toLatin1();
    }
    return {};
}

bool BekendeCertificaten::onthouden(const CertificaatInfo& info) const
{
    if (info.host.contains(u' ') || info.host.contains(u'\n') || m_pad.isEmpty()) return false;
    const QString sleutel = Sleutel(info.host, info.poort);
    QStringList regels;
    QFile oud(m_pad);
    if (oud.open(QIODevice::ReadOnly)) {
        while (!oud.atEnd()) {
            const QString regel = QString::fromUtf8(oud.readLine()).trimmed();
            if (!regel.isEmpty() && !regel.startsWith(sleutel + u' ')) regels << regel;
        }
    } else if (oud.exists()) {
        return false; // never overwrite what could not be read
    }
    regels << sleutel + u' ' + QString::fromLatin1(info.pin) + u' ' + info.vingerafdruk;
    QSaveFile f(m_pad);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray tekst = regels.join(u'\n').toUtf8() + '\n';
    return f.write(tekst) == tekst.size() && f.commit();
}

} // namespace Vamox
