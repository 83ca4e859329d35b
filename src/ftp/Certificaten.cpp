#include "ftp/Certificaten.h"

#include "platform/EigenBestand.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTimeZone>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <memory>

namespace Vamox {

namespace {

QDateTime Tijd(const ASN1_TIME* t)
{
    tm d{};
    if (!t || ASN1_TIME_to_tm(t, &d) != 1) return {};
    return QDateTime(QDate(d.tm_year + 1900, d.tm_mon + 1, d.tm_mday), QTime(d.tm_hour, d.tm_min, d.tm_sec),
                     QTimeZone::utc());
}

QString Sleutel(const QString& host, quint16 poort)
{
    return host.toLower() + u' ' + QString::number(poort);
}

// The lines of the file, trimmed; nothing when there is no file, and no value when it is there
// but cannot be read.
std::optional<QStringList> Regels(const QString& pad)
{
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly)) {
        if (QFileInfo(pad).exists() || QFileInfo(pad).isSymLink()) return std::nullopt;
        return QStringList();
    }
    QStringList regels;
    while (!f.atEnd())
        regels << QString::fromUtf8(f.readLine()).trimmed();
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return regels;
}

// Whether `regel` is about this server, whatever follows its host and port.
bool VanServer(const QString& regel, const QString& host, quint16 poort)
{
    const QStringList velden = regel.split(u' ', Qt::SkipEmptyParts);
    bool ok = false;
    return velden.size() >= 2 && velden.at(0).compare(host, Qt::CaseInsensitive) == 0 &&
           velden.at(1).toUShort(&ok) == poort && ok;
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

bool PinGeldig(const QByteArray& pin)
{
    if (!pin.startsWith("sha256//")) return false;
    const auto sleutel = QByteArray::fromBase64Encoding(pin.mid(8), QByteArray::AbortOnBase64DecodingErrors);
    return sleutel && sleutel.decoded.size() == 32 && sleutel.decoded.toBase64() == pin.mid(8);
}

BekendePin BekendeCertificaten::opzoeken(const QString& host, quint16 poort) const
{
    using S = BekendePin::Staat;
    if (m_pad.isEmpty()) return {};
    const std::optional<QStringList> regels = Regels(m_pad);
    if (!regels) return {S::Onleesbaar, {}};
    // Fails closed: a line for this server that names no usable pin refuses the server, where
    // taking it for "not known" would ask the user to trust whatever key the server shows now.
    BekendePin uit;
    for (const QString& regel : *regels) {
        if (!VanServer(regel, host, poort)) continue;
        const QByteArray pin = regel.split(u' ', Qt::SkipEmptyParts).value(2).toLatin1();
        if (!PinGeldig(pin)) return {S::Ongeldig, {}};
        if (uit.staat == S::Onbekend) uit = {S::Bekend, pin};
    }
    return uit;
}

bool BekendeCertificaten::onthouden(const CertificaatInfo& info) const
{
    if (info.host.isEmpty() || info.host.contains(u' ') || info.host.contains(u'\n') ||
        info.host.contains(u'\r') || !PinGeldig(info.pin) || m_pad.isEmpty())
        return false;
    const std::optional<QStringList> oud = Regels(m_pad);
    if (!oud) return false; // never overwrite what could not be read
    QStringList regels;
    for (const QString& regel : *oud)
        if (!regel.isEmpty() && !VanServer(regel, info.host, info.poort)) regels << regel;
    regels << Sleutel(info.host, info.poort) + u' ' + QString::fromLatin1(info.pin) + u' ' +
                  info.vingerafdruk;
    return EigenBestandSchrijven(m_pad, regels.join(u'\n').toUtf8() + '\n', false);
}

} // namespace Vamox
