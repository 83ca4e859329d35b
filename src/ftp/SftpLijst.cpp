// A folder listing from the protocol's fields: each name as its bytes with its attributes
// beside it, never read back from the "ls -l" text, so a name holding a line break is one entry.

#include "ftp/SftpBinnen.h"

#include <QElapsedTimer>
#include <QStringDecoder>

namespace Vamox {

namespace {

using Binnen = SftpVerbinding::Binnen;

// Days since 1970-01-01 as a date of the Gregorian calendar (H. Hinnant's civil_from_days).
void Datum(qint64 dagen, int& jaar, int& maand, int& dag)
{
    dagen += 719468;
    const qint64 era = (dagen >= 0 ? dagen : dagen - 146096) / 146097;
    const qint64 doe = dagen - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    dag = int(doy - (153 * mp + 2) / 5 + 1);
    maand = int(mp < 10 ? mp + 3 : mp - 9);
    jaar = int(yoe + era * 400 + (maand <= 2 ? 1 : 0));
}

SftpEntry EntryVan(QByteArray naam, const LIBSSH2_SFTP_ATTRIBUTES& a, QStringDecoder& utf8)
{
    SftpEntry e;
    const SftpAttributen at = AttributenVan(a);
    e.entry.naam = utf8(naam);
    e.geldigeNaam = !utf8.hasError() && !naam.contains('/') && !naam.contains('\0');
    utf8.resetState();
    e.entry.isMap = at.soort == SftpAttributen::Soort::Map;
    e.entry.grootte = std::max<qint64>(at.grootte, 0);
    if (at.mtime >= 0) {
        Datum(at.mtime / 86400, e.entry.jaar, e.entry.maand, e.entry.dag);
        const qint64 seconden = at.mtime % 86400;
        e.entry.uur = int(seconden / 3600);
        e.entry.minuut = int(seconden / 60 % 60);
        e.entry.seconde = int(seconden % 60);
        // The protocol's own time: whole seconds, in UTC.
        e.entry.precisie = Tijdprecisie::Seconde;
        e.entry.zone = Tijdzone::Utc;
    }
    e.naam = std::move(naam);
    e.link = at.soort == SftpAttributen::Soort::Link;
    e.rechten = at.rechten;
    e.entry.rechten = at.rechten;
    e.entry.isLink = e.link;
    e.mtime = at.mtime;
    return e;
}

// Hands the entries on in pieces: whenever the listing waits for the server, and at least every
// 2,000 entries or 100 ms while it does not.
class Stukken
{
public:
    explicit Stukken(const SftpLijstdeel& deel) : m_deel(deel) { m_sinds.start(); }
    void toevoegen(SftpEntry&& e)
    {
        m_stuk.push_back(std::move(e));
        if (m_stuk.size() >= 2000 || m_sinds.elapsed() >= 100) geven();
    }
    void geven()
    {
        if (!m_stuk.empty() && m_deel) m_deel(m_stuk);
        m_stuk.clear();
        m_sinds.restart();
    }

private:
    const SftpLijstdeel& m_deel;
    std::vector<SftpEntry> m_stuk;
    QElapsedTimer m_sinds;
};

} // namespace

SftpUitkomst SftpVerbinding::lijst(const SftpPad& map, const SftpLijstdeel& deel, const Lijstgrenzen& grenzen)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    const QString wat = QStringLiteral("Map lezen");
    int rc = 0;
    LIBSSH2_SFTP_HANDLE* h = d->openen(map.bytes, 0, 0, LIBSSH2_SFTP_OPENDIR, rc);
    if (!h) return d->uitkomst(rc, wat);
    // A name longer than libssh2's buffer costs the rest of its reply: such a name makes the
    // listing fail instead.
    const qsizetype ruimte = std::clamp<qsizetype>(grenzen.regel, 4096, 1 << 20);
    auto naam = std::make_shared<QByteArray>(ruimte, Qt::Uninitialized);
    auto attributen = std::make_shared<LIBSSH2_SFTP_ATTRIBUTES>();
    const auto lezen = [h, naam, attributen] {
        return libssh2_sftp_readdir_ex(h, naam->data(), std::size_t(naam->size()), nullptr, 0,
                                       attributen.get());
    };
    Stukken stukken(deel);
    std::vector<SftpEntry> links;
    QStringDecoder utf8(QStringDecoder::Utf8);
    qint64 aantal = 0, bytes = 0;
    QDeadlineTimer tot = d->antwoordTermijn();
    SftpUitkomst fout;
    for (;;) {
        if (d->afbreken) {
            d->nawerk.push_back([h] { return libssh2_sftp_close_handle(h); });
            return d->uitkomst(Binnen::Afgebroken, wat);
        }
        rc = lezen();
        if (rc > 0) {
            QByteArray n(naam->constData(), rc);
            if (n == "." || n == "..") continue;
            bytes += rc;
            if (++aantal > grenzen.entries || bytes > grenzen.bytes) {
                fout = {SftpFout::TeGroot, wat + QStringLiteral(": de map is te groot om te tonen"), 0};
                break;
            }
            SftpEntry e = EntryVan(std::move(n), *attributen, utf8);
            if (e.link)
                links.push_back(std::move(e));
            else
                stukken.toevoegen(std::move(e));
            tot = d->antwoordTermijn();
            continue;
        }
        if (rc == 0) break;
        if (rc == LIBSSH2_ERROR_EAGAIN) {
            stukken.geven();
            const int w = d->wachten(tot);
            if (w == Binnen::Afgebroken) {
                d->nawerk.push_back(lezen);
                d->nawerk.push_back([h] { return libssh2_sftp_close_handle(h); });
            }
            if (w) return d->uitkomst(w, wat);
            continue;
        }
        if (rc == LIBSSH2_ERROR_BUFFER_TOO_SMALL) {
            fout = {SftpFout::TeGroot, wat + QStringLiteral(": een naam in de map is te lang"), 0};
            break;
        }
        fout = d->uitkomst(rc, wat);
        if (!d->sftp) return fout;
        break;
    }
    rc = d->handvatSluiten(h);
    if (!fout.ok()) return fout;
    if (rc != 0) return d->uitkomst(rc, wat);
    stukken.geven();

    // A link is a folder when what it leads to is one: one stat each, none for the rest.
    QByteArray voor = map.bytes;
    if (!voor.endsWith('/')) voor += '/';
    for (SftpEntry& e : links) {
        LIBSSH2_SFTP_ATTRIBUTES doel{};
        rc = d->statEx(voor + e.naam, LIBSSH2_SFTP_STAT, doel);
        if (rc == 0) {
            // What a download of it gets: the size and date of what it leads to.
            SftpEntry naarDoel = EntryVan(e.naam, doel, utf8);
            naarDoel.link = true;
            naarDoel.entry.isLink = true;
            e = std::move(naarDoel);
        } else if (rc != LIBSSH2_ERROR_SFTP_PROTOCOL) { // a dangling link is a file; anything else ends it
            return d->uitkomst(rc, wat);
        }
        stukken.toevoegen(std::move(e));
    }
    stukken.geven();
    return {};
}

} // namespace Vamox
