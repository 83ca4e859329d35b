// Uploads that replace a server file: under a temporary name first, so that a transfer that fails
// for good never leaves a partial file where the good one was.

#include "ftp/FtpOpdracht.h"
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

FtpSession::Uitkomst FtpSession::commandos(const QStringList& regels)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Quote;
    o.quotes = regels;
    return voer(o);
}

std::optional<bool> FtpSession::vervangen(const QString& lokaalPad, const QString& pad)
{
    // Whether the file is there: SIZE (binary: servers refuse it after an ASCII listing), or where
    // the server lacks it, a listing line from STAT, which also shows the permissions.
    const qsizetype schuine = pad.lastIndexOf(u'/');
    const Uitkomst grootte = commandos({QStringLiteral("*TYPE I"), QStringLiteral("*SIZE ") + pad});
    if (!grootte.ok() || grootte.antwoorden.isEmpty()) return false;
    const int code = grootte.antwoorden.constLast();
    if (code >= 500 && code != 500 && code != 502) return std::nullopt; // not there: a new file
    const Uitkomst stat = commandos({QStringLiteral("*STAT ") + pad});
    const QString rechten = stat.ok() ? Rechten(stat.kopregels, pad.mid(schuine + 1)) : QString();
    if (code != 213 && rechten.isEmpty()) return std::nullopt;

    const QString tijdelijk = pad.left(schuine + 1) + TijdelijkeNaam();
    const auto opruimen = [&] {
        m_resten << tijdelijk;
        restenOpruimen();
    };
    const Uitkomst op = plaatsen(lokaalPad, tijdelijk);
    if (!op.ok()) {
        const bool geweigerd = op.overgedragen == 0 && !m_verbroken && !m_afgebroken && !op.geweigerd;
        opruimen();
        // A server that will not take the name gets the file written over as before.
        if (geweigerd) return std::nullopt;
        return false;
    }
    // The server must hold all of it before it takes the old file's place.
    const Uitkomst nu = commandos({QStringLiteral("*SIZE ") + tijdelijk});
    const qint64 binnen = nu.ok() ? Grootte(nu.kopregels) : -1;
    if (binnen >= 0 && binnen != QFileInfo(lokaalPad).size()) {
        opruimen();
        return false;
    }
    const auto hernoemd = [](const Uitkomst& u) {
        const qsizetype n = u.antwoorden.size();
        return u.ok() && n >= 2 && u.antwoorden.at(n - 2) == 350 && u.antwoorden.at(n - 1) / 100 == 2;
    };
    const auto vanGenomen = [](const Uitkomst& u) {
        return u.ok() && u.antwoorden.size() >= 2 && u.antwoorden.at(u.antwoorden.size() - 2) == 350;
    };
    QStringList hernoemen;
    if (!rechten.isEmpty()) hernoemen << QStringLiteral("*SITE CHMOD ") + rechten + u' ' + tijdelijk;
    hernoemen << QStringLiteral("*RNFR ") + tijdelijk << QStringLiteral("*RNTO ") + pad;
    Uitkomst r = commandos(hernoemen);
    // Some servers rename onto no existing name: the old file goes just before.
    if (!hernoemd(r) && vanGenomen(r))
        r = commandos({QStringLiteral("*DELE ") + pad, QStringLiteral("*RNFR ") + tijdelijk,
                       QStringLiteral("*RNTO ") + pad});
    if (hernoemd(r)) return true;
    // No rename here: written over as before.
    const bool gelukt = plaatsen(lokaalPad, pad).ok();
    opruimen();
    return gelukt;
}

void FtpSession::restenOpruimen()
{
    QStringList resten;
    std::swap(resten, m_resten);
    const bool verbroken = m_verbroken, afgebroken = m_afgebroken;
    for (const QString& rest : std::as_const(resten)) {
        const Uitkomst u = commandos({QStringLiteral("*DELE ") + rest});
        // Kept for later only while the server cannot be reached; a refusal will not change.
        if (!u.ok() && !u.geweigerd) m_resten << rest;
    }
    m_verbroken = verbroken;
    m_afgebroken = afgebroken;
}

} // namespace Vamox
