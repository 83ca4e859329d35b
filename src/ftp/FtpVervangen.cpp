// The server's own commands (delete, folders, rename), and uploads that replace a server file:
// under a temporary name first, so that a transfer that fails for good never leaves a partial file
// where the good one was.

#include "ftp/FtpOpdracht.h"
#include "ftp/Lijstontvangst.h"
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

QString OnvolledigOpServer()
{
    return QStringLiteral("Onvolledig op de server aangekomen");
}

} // namespace

// Whether an upload failed because the server refused its name before any byte went, as opposed
// to a transfer that broke on the way and could not be continued.
bool FtpSession::naamGeweigerd(const Uitkomst& u) const
{
    return !u.geweigerd && !u.onderbroken && u.overgedragen == 0 && !m_verbroken && !m_afgebroken;
}

FtpSession::Uitkomst FtpSession::commandos(const QStringList& regels)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Quote;
    o.quotes = regels;
    return voer(o);
}

bool FtpSession::FtpBestandWissen(const QString& serverPad)
{
    return quote(regels(Handeling::Wissen, FtpPadVoorvoegsel(serverPad)));
}

bool FtpSession::FtpMapMaken(const QString& serverPad)
{
    return quote(regels(Handeling::MapMaken, FtpPadVoorvoegsel(serverPad)));
}

bool FtpSession::FtpMapWissen(const QString& serverPad)
{
    return quote(regels(Handeling::MapWissen, FtpPadVoorvoegsel(serverPad)));
}

bool FtpSession::FtpNaamWijzigen(const QString& oudPad, const QString& nieuwPad)
{
    const QString nieuw = FtpPadVoorvoegsel(nieuwPad);
    // A server whose rename is POSIX rename() replaces an existing entry: never here.
    if (sftp() && m_verbindingsHandle && (!FtpVeiligeTekst(nieuw) || bestaat(nieuw))) return false;
    return quote(regels(Handeling::Hernoemen, FtpPadVoorvoegsel(oudPad), nieuw));
}

bool FtpSession::bestaat(const QString& pad)
{
    Opdracht o;
    o.soort = Opdracht::Soort::Grootte;
    o.urlPad = FtpUrlPad(pad);
    const Uitkomst u = voer(o);
    // Anything but "not there" counts as there: a rename must not go ahead on a doubt.
    return u.code != CURLE_REMOTE_FILE_NOT_FOUND;
}

FtpSession::Vervanging FtpSession::vervangen(const QString& lokaalPad, const QString& pad)
{
    if (sftp()) return sftpVervangen(lokaalPad, pad);
    // Whether the file is there: SIZE (binary: servers refuse it after an ASCII listing), or where
    // the server lacks it, a listing line from STAT, which also shows the permissions.
    const qsizetype schuine = pad.lastIndexOf(u'/');
    const Uitkomst grootte = commandos(regels(Handeling::Grootte, pad));
    if (!grootte.ok() || grootte.antwoorden.isEmpty()) return Vervanging::Mislukt;
    const int code = grootte.antwoorden.constLast();
    if (code >= 500 && code != 500 && code != 502) return Vervanging::Nieuw;
    const Uitkomst stat = commandos({QStringLiteral("*STAT ") + pad});
    const QString rechten = stat.ok() ? Rechten(stat.kopregels, pad.mid(schuine + 1)) : QString();
    if (code != 213 && rechten.isEmpty()) return Vervanging::Nieuw;

    const QString tijdelijk = pad.left(schuine + 1) + TijdelijkeNaam();
    const auto opruimen = [&] {
        m_resten << tijdelijk;
        restenOpruimen();
    };
    const Uitkomst op = plaatsen(lokaalPad, tijdelijk);
    if (!op.ok()) {
        const bool geweigerd = naamGeweigerd(op);
        opruimen();
        // A server that will not take the name gets the file written over as before.
        return geweigerd ? Vervanging::Rechtstreeks : Vervanging::Mislukt;
    }
    // The server must hold all of it before it takes the old file's place.
    const Uitkomst nu = commandos({QStringLiteral("*SIZE ") + tijdelijk});
    const qint64 binnen = nu.ok() ? Grootte(nu.kopregels) : -1;
    if (binnen >= 0 && binnen != QFileInfo(lokaalPad).size()) {
        opruimen();
        m_fout = OnvolledigOpServer();
        return Vervanging::Mislukt;
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
    if (hernoemd(r)) return Vervanging::Gelukt;
    // No rename here: written over as before.
    const bool gelukt = plaatsen(lokaalPad, pad).ok();
    opruimen();
    return gelukt ? Vervanging::Gelukt : Vervanging::Mislukt;
}

FtpSession::Vervanging FtpSession::sftpVervangen(const QString& lokaalPad, const QString& pad)
{
    Opdracht stat;
    stat.soort = Opdracht::Soort::Grootte;
    stat.urlPad = FtpUrlPad(pad);
    const Uitkomst er = voer(stat);
    if (er.code == CURLE_REMOTE_FILE_NOT_FOUND) return Vervanging::Nieuw;
    if (!er.ok()) return Vervanging::Mislukt;
    const qsizetype schuine = pad.lastIndexOf(u'/');
    const QString map = pad.left(schuine + 1);
    // SFTP tells a file's permissions only in its folder's listing.
    Opdracht lijst;
    lijst.soort = Opdracht::Soort::Lijst;
    lijst.urlPad = FtpUrlPad(map);
    if (!lijst.urlPad.endsWith('/')) lijst.urlPad += '/';
    Lijstontvangst ontvangst(Lijstlezer::Vorm::List, lijstgrenzen, nullptr);
    QByteArray lijnen;
    ontvangst.ruw = &lijnen;
    lijst.lijst = &ontvangst;
    const QString rechten = voer(lijst).ok() ? Rechten(lijnen, pad.mid(schuine + 1)) : QString();

    const QString tijdelijk = map + TijdelijkeNaam();
    const QString oud = map + TijdelijkeNaam();
    const auto opruimen = [&] {
        m_resten << tijdelijk;
        restenOpruimen();
    };
    Opdracht op;
    op.soort = Opdracht::Soort::Plaatsen;
    op.urlPad = FtpUrlPad(tijdelijk);
    op.lokaalPad = lokaalPad;
    // Readable by nobody else until it has the old file's permissions.
    op.rechten = 0600;
    const Uitkomst binnen = voer(op);
    if (!binnen.ok()) {
        const bool geweigerd = naamGeweigerd(binnen);
        opruimen();
        return geweigerd ? Vervanging::Rechtstreeks : Vervanging::Mislukt;
    }
    stat.urlPad = op.urlPad;
    const Uitkomst nu = voer(stat);
    if (!nu.ok() || nu.lengte != QFileInfo(lokaalPad).size()) {
        opruimen();
        if (nu.ok()) m_fout = OnvolledigOpServer();
        return Vervanging::Mislukt;
    }
    // SFTP renames onto no existing name: the old file steps aside first, and comes back when the
    // new one cannot take its place.
    QStringList opzij =
        regels(Handeling::Rechten, tijdelijk, rechten.isEmpty() ? QStringLiteral("644") : rechten);
    opzij << regels(Handeling::Hernoemen, pad, oud);
    if (!commandos(opzij).ok()) {
        // No rename here: written over as before.
        const bool gelukt = plaatsen(lokaalPad, pad).ok();
        opruimen();
        return gelukt ? Vervanging::Gelukt : Vervanging::Mislukt;
    }
    if (commandos(regels(Handeling::Hernoemen, tijdelijk, pad)).ok()) {
        m_resten << oud;
        restenOpruimen();
        return Vervanging::Gelukt;
    }
    commandos(regels(Handeling::Hernoemen, oud, pad));
    opruimen();
    return Vervanging::Mislukt;
}

void FtpSession::restenOpruimen()
{
    QStringList resten;
    std::swap(resten, m_resten);
    // What the user hears of is the operation that left them, not their removal.
    const bool verbroken = m_verbroken, afgebroken = m_afgebroken;
    const QString fout = m_fout;
    for (const QString& rest : std::as_const(resten)) {
        const Uitkomst u = commandos(regels(Handeling::Wissen, rest));
        // Kept for later only while the server cannot be reached; a refusal will not change.
        if (!u.ok() && !u.geweigerd && u.code != CURLE_QUOTE_ERROR) m_resten << rest;
    }
    m_verbroken = verbroken;
    m_afgebroken = afgebroken;
    m_fout = fout;
}

void FtpSession::RestenOpruimen()
{
    if (!m_bezig && m_verbindingsHandle && !m_resten.isEmpty()) restenOpruimen();
}

} // namespace Vamox
