// An FTP upload that replaces a server file: under a temporary name first, so that a transfer that
// fails for good never leaves a partial file where the good one was.

#include "ftp/FtpProtocol.h"
#include "platform/EigenBestand.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace Vamox {

namespace {

// The number of a "213 <n>" reply (SIZE), or -1.
qint64 Grootte(const QByteArray& regels)
{
    for (const QByteArray& regel : regels.split('\n'))
        if (regel.startsWith("213 ")) {
            bool ok = false;
            const qint64 n = regel.mid(4).trimmed().toLongLong(&ok);
            if (ok) return n;
        }
    return -1;
}

// The permissions of the file `naam` in a STAT reply (its "ls -l" line) as three octal digits;
// empty when the reply shows no such file.
QString Rechten(const QByteArray& regels, const QString& naam)
{
    static const QRegularExpression ls(QStringLiteral("^\\s*-([rwxsStT-]{9})[+.@]?\\s+\\d+\\s"));
    for (const QByteArray& r : regels.split('\n')) {
        const QString regel = QString::fromUtf8(r).remove(u'\r');
        const QRegularExpressionMatch m = ls.match(regel);
        if (!m.hasMatch() || !regel.endsWith(u' ' + naam)) continue;
        const QString bits = m.captured(1);
        QString uit;
        for (int i = 0; i < 9; i += 3) {
            int cijfer = 0;
            if (bits.at(i) == u'r') cijfer |= 4;
            if (bits.at(i + 1) == u'w') cijfer |= 2;
            if (QStringLiteral("xst").contains(bits.at(i + 2))) cijfer |= 1;
            uit += QString::number(cijfer);
        }
        return uit;
    }
    return {};
}

} // namespace

Vervanging FtpProtocol::Vervangen(const QString& lokaalPad, const QString& pad, Uitkomst& uitkomst)
{
    // Whether the file is there: SIZE (binary: servers refuse it after an ASCII listing), or where
    // the server lacks it, a listing line from STAT, which also shows the permissions.
    const qsizetype schuine = pad.lastIndexOf(u'/');
    const Antwoord grootte = commandos({QStringLiteral("*TYPE I"), QStringLiteral("*SIZE ") + pad});
    uitkomst = grootte.u;
    if (!grootte.u.ok() || grootte.antwoorden.isEmpty()) return Vervanging::Mislukt;
    const int code = grootte.antwoorden.constLast();
    if (code >= 500 && code != 500 && code != 502) return Vervanging::Nieuw;
    const Antwoord stat = commandos({QStringLiteral("*STAT ") + pad});
    const QString rechten = stat.u.ok() ? Rechten(stat.kopregels, pad.mid(schuine + 1)) : QString();
    if (code != 213 && rechten.isEmpty()) return Vervanging::Nieuw;

    const QString tijdelijk = pad.left(schuine + 1) + TijdelijkeNaam();
    uitkomst = m_kern.Uploaden({.pad = tijdelijk, .lokaalPad = lokaalPad});
    if (!uitkomst.ok()) {
        const bool geweigerd = NaamGeweigerd(uitkomst);
        m_kern.Rest(tijdelijk);
        // A server that will not take the name gets the file written over as before.
        return geweigerd ? Vervanging::Rechtstreeks : Vervanging::Mislukt;
    }
    // The server must hold all of it before it takes the old file's place.
    const Antwoord nu = commandos({QStringLiteral("*SIZE ") + tijdelijk});
    const qint64 binnen = nu.u.ok() ? Grootte(nu.kopregels) : -1;
    if (binnen >= 0 && binnen != QFileInfo(lokaalPad).size()) {
        m_kern.Rest(tijdelijk);
        uitkomst = Uitkomst::Met(Afloop::Kort);
        uitkomst.fout = QStringLiteral("Onvolledig op de server aangekomen");
        return Vervanging::Mislukt;
    }
    const auto hernoemd = [](const Antwoord& a) {
        const qsizetype n = a.antwoorden.size();
        return a.u.ok() && n >= 2 && a.antwoorden.at(n - 2) == 350 && a.antwoorden.at(n - 1) / 100 == 2;
    };
    const auto vanGenomen = [](const Antwoord& a) {
        return a.u.ok() && a.antwoorden.size() >= 2 && a.antwoorden.at(a.antwoorden.size() - 2) == 350;
    };
    QStringList hernoemen;
    if (!rechten.isEmpty()) hernoemen << QStringLiteral("*SITE CHMOD ") + rechten + u' ' + tijdelijk;
    hernoemen << QStringLiteral("*RNFR ") + tijdelijk << QStringLiteral("*RNTO ") + pad;
    Antwoord r = commandos(hernoemen);
    // Some servers rename onto no existing name: the old file goes just before.
    if (!hernoemd(r) && vanGenomen(r))
        r = commandos({QStringLiteral("*DELE ") + pad, QStringLiteral("*RNFR ") + tijdelijk,
                       QStringLiteral("*RNTO ") + pad});
    if (hernoemd(r)) {
        uitkomst = r.u;
        return Vervanging::Gelukt;
    }
    // No rename here: written over as before.
    uitkomst = m_kern.Uploaden({.pad = pad, .lokaalPad = lokaalPad});
    m_kern.Rest(tijdelijk);
    return uitkomst.ok() ? Vervanging::Gelukt : Vervanging::Mislukt;
}

} // namespace Vamox
