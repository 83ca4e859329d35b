#include "ftp/BekendeHosts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>

namespace Vamox {

namespace {

// OpenSSH's wildcards: "*" any run of characters, "?" one character. A "*" that fails is tried
// one character further along, and only the last "*" is ever retried: at most text times pattern
// steps, however many stars a line holds.
bool Past(QStringView tekst, QStringView patroon)
{
    qsizetype t = 0, p = 0;
    qsizetype ster = -1, terug = 0; // the last "*" seen, and where its run of text ends now
    while (t < tekst.size()) {
        if (p < patroon.size() && patroon[p] == u'*') {
            ster = p++;
            terug = t;
        } else if (p < patroon.size() && (patroon[p] == u'?' || patroon[p] == tekst[t])) {
            ++p;
            ++t;
        } else if (ster >= 0) {
            p = ster + 1;
            t = ++terug;
        } else {
            return false;
        }
    }
    while (p < patroon.size() && patroon[p] == u'*')
        ++p;
    return p == patroon.size();
}

// Whether the host field of a line names the server: a hashed name, or a list of patterns of
// which one fits and no negated one does.
bool NoemtServer(const QByteArray& veld, const QString& naam)
{
    if (veld.startsWith("|1|")) {
        const QList<QByteArray> delen = veld.split('|');
        if (delen.size() != 4) return false;
        const QByteArray zout = QByteArray::fromBase64(delen.at(2));
        return QMessageAuthenticationCode::hash(naam.toUtf8(), zout, QCryptographicHash::Sha1) ==
               QByteArray::fromBase64(delen.at(3));
    }
    bool gevonden = false;
    for (const QByteArray& deel : veld.split(',')) {
        const bool ontkend = deel.startsWith('!');
        const QString patroon = QString::fromUtf8(ontkend ? deel.mid(1) : deel).toLower();
        if (!Past(naam, patroon)) continue;
        if (ontkend) return false;
        gevonden = true;
    }
    return gevonden;
}

} // namespace

QString BekendeHosts::Naam(const QString& host, quint16 poort)
{
    const QString h = host.toLower();
    return poort == 22 ? h : u'[' + h + QStringLiteral("]:") + QString::number(poort);
}

QByteArray BekendeHosts::Regel(const QString& host, quint16 poort, const Hostsleutel& sleutel)
{
    return Naam(host, poort).toUtf8() + ' ' + sleutel.type().toLatin1() + ' ' + sleutel.blob.toBase64() +
           '\n';
}

BekendeHostsleutels BekendeHosts::opzoeken(const QString& host, quint16 poort) const
{
    BekendeHostsleutels uit;
    QFile f(m_pad);
    if (!f.open(QIODevice::ReadOnly)) {
        uit.leesbaar = !f.exists();
        return uit;
    }
    const QString naam = Naam(host, poort);
    while (!f.atEnd()) {
        const QList<QByteArray> velden = f.readLine().simplified().split(' ');
        qsizetype i = 0;
        QByteArray markering;
        if (velden.at(0).startsWith('@')) markering = velden.at(i++);
        // host, type, key; a comment may follow.
        if (velden.size() < i + 3 || velden.at(0).startsWith('#')) continue;
        const Hostsleutel sleutel{QByteArray::fromBase64(velden.at(i + 2))};
        if (sleutel.type().toLatin1() != velden.at(i + 1)) continue;
        if (markering == "@revoked")
            uit.ingetrokken.push_back(sleutel);
        else if (markering.isEmpty() && NoemtServer(velden.at(i), naam))
            uit.sleutels.push_back(sleutel);
    }
    if (f.error() != QFileDevice::NoError) uit.leesbaar = false;
    return uit;
}

bool BekendeHosts::toevoegen(const QString& host, quint16 poort, const Hostsleutel& sleutel) const
{
    const QString map = QFileInfo(m_pad).absolutePath();
    if (!QFileInfo::exists(map) &&
        !QDir().mkdir(map, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    QFile f(m_pad);
    // Appended in one write, so that ssh reading the file meanwhile sees the whole line or none;
    // a write cut short (a full disk) is taken back, so that no torn line stays for ssh to read.
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered,
                QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    const qint64 oud = f.size();
    QByteArray regel = Regel(host, poort, sleutel);
    if (oud > 0 && f.seek(oud - 1) && f.read(1) != "\n") regel.prepend('\n');
    if (f.write(regel) == regel.size() && f.flush()) return true;
    f.resize(oud);
    return false;
}

} // namespace Vamox
