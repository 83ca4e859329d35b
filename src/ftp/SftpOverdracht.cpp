// Downloads and uploads with many requests in flight: libssh2 reads ahead four times the buffer
// given to a read (8 MiB at most), and an upload passes everything from the acknowledged offset
// on to each write, so that libssh2 keeps a whole window of writes in flight.

#include "ftp/SftpBinnen.h"

#include <QElapsedTimer>
#include <QIODevice>

#include <cstring>

namespace Vamox {

namespace {

using Binnen = SftpVerbinding::Binnen;

// Progress at most ten times a second, and the last figure always.
class Melder
{
public:
    explicit Melder(const SftpVoortgang& voortgang) : m_voortgang(voortgang) {}
    void melden(qint64 gedaan, bool zeker = false)
    {
        if (!m_voortgang || gedaan == m_laatst) return;
        if (!zeker && m_klok.isValid() && m_klok.elapsed() < 100) return;
        m_klok.start();
        m_laatst = gedaan;
        m_voortgang(gedaan);
    }

private:
    const SftpVoortgang& m_voortgang;
    QElapsedTimer m_klok;
    qint64 m_laatst = -1;
};

QDeadlineTimer Stilstand(const SftpInstellingen& i)
{
    return QDeadlineTimer(qint64(i.tijden.stilstandS) * 1000);
}

} // namespace

SftpSchrijver NaarApparaat(QIODevice& apparaat)
{
    return [&apparaat](qint64, const char* data, qint64 lengte) {
        return apparaat.write(data, lengte) == lengte;
    };
}

SftpLezer UitApparaat(QIODevice& apparaat)
{
    return [&apparaat](qint64, char* data, qint64 ruimte) { return apparaat.read(data, ruimte); };
}

SftpUitkomst SftpVerbinding::halen(const SftpPad& pad, const SftpSchrijver& schrijver, qint64 vanaf,
                                   qint64 tot, const SftpVoortgang& voortgang)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    const QString wat = QStringLiteral("Downloaden");
    int rc = 0;
    LIBSSH2_SFTP_HANDLE* h = d->openen(pad.bytes, LIBSSH2_FXF_READ, 0, LIBSSH2_SFTP_OPENFILE, rc);
    if (!h) return d->uitkomst(rc, wat);
    libssh2_sftp_seek64(h, libssh2_uint64_t(vanaf));
    const qint64 blok = std::max<qint64>(d->instellingen.leesblok, 32 * 1024);
    // Filled up to a block between writes; a read never gets more than it asks.
    auto buffer = std::make_shared<QByteArray>(2 * blok, Qt::Uninitialized);
    qint64 positie = vanaf, gevuld = 0, vraag = blok;
    SftpUitkomst uit;
    Melder melder(voortgang);
    QDeadlineTimer stil = Stilstand(d->instellingen);
    const auto legen = [&] {
        if (gevuld == 0) return true;
        const bool goed = schrijver(positie - gevuld, buffer->constData(), gevuld);
        if (goed) uit.bytes += gevuld;
        gevuld = 0;
        return goed;
    };
    // What a read left under way is finished before the handle closes, by the next call.
    const auto uitstellen = [&] {
        d->nawerk.push_back(
            [h, buffer, vraag] { return int(libssh2_sftp_read(h, buffer->data(), std::size_t(vraag))); });
        d->nawerk.push_back([h] { return libssh2_sftp_close_handle(h); });
    };
    const SftpUitkomst schrijffout =
        SftpMislukt(SftpFout::Lokaal, QStringLiteral("Het lokale bestand kan niet worden geschreven"), 0);
    for (;;) {
        // Data that keeps coming never makes a read wait: a cancel is looked for here too.
        if (d->afbreken) {
            legen();
            d->nawerk.push_back([h] { return libssh2_sftp_close_handle(h); });
            return {SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"), uit.bytes};
        }
        if (tot >= 0) {
            // Never asked beyond `tot`: a part of a file read by several connections asks no
            // byte of the next part (libssh2 asks four times `vraag` ahead).
            const qint64 rest = tot - positie;
            if (rest <= 0) break;
            vraag = std::clamp<qint64>(rest / 4, 1, blok);
        }
        const ssize_t n = libssh2_sftp_read(h, buffer->data() + gevuld, std::size_t(vraag));
        if (n > 0) {
            positie += n;
            gevuld += n;
            stil = Stilstand(d->instellingen);
            melder.melden(positie - vanaf);
            if (gevuld >= blok && !legen()) {
                d->handvatSluiten(h);
                return {schrijffout.fout, schrijffout.tekst, uit.bytes};
            }
            continue;
        }
        if (n == 0) break;
        if (n == LIBSSH2_ERROR_EAGAIN) {
            // The writer works while the network does.
            if (!legen()) {
                uitstellen();
                return {schrijffout.fout, schrijffout.tekst, uit.bytes};
            }
            const int w = d->wachten(stil);
            if (w == Binnen::Afgebroken) uitstellen();
            if (w == Binnen::Verlopen) {
                d->verbreken();
                return SftpMislukt(SftpFout::TijdVerstreken,
                                   wat + QStringLiteral(": er komt niets meer binnen (verbinding gesloten)"),
                                   uit.bytes);
            }
            if (w) return {SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"), uit.bytes};
            continue;
        }
        // A refusal of the server leaves the handle to close; anything else, no connection.
        SftpUitkomst u = d->uitkomst(int(n), wat);
        legen();
        if (d->sftp) d->handvatSluiten(h);
        u.bytes = uit.bytes;
        return u;
    }
    if (!legen()) {
        d->handvatSluiten(h);
        return {schrijffout.fout, schrijffout.tekst, uit.bytes};
    }
    melder.melden(positie - vanaf, true);
    rc = d->handvatSluiten(h);
    if (rc != 0) {
        SftpUitkomst u = d->uitkomst(rc, wat);
        u.bytes = uit.bytes;
        return u;
    }
    if (tot >= 0 && positie < tot)
        return SftpMislukt(SftpFout::Korter,
                           wat +
                               QStringLiteral(": het bestand op de server houdt op na %1 bytes, %2 verwacht")
                                   .arg(positie)
                                   .arg(tot),
                           uit.bytes);
    return uit;
}

SftpUitkomst SftpVerbinding::plaatsen(const SftpPad& pad, const SftpLezer& lezer, const Plaatsing& hoe,
                                      const SftpVoortgang& voortgang)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    const QString wat = QStringLiteral("Uploaden");
    unsigned long vlaggen = LIBSSH2_FXF_WRITE | LIBSSH2_FXF_CREAT;
    if (hoe.afkappen) vlaggen |= LIBSSH2_FXF_TRUNC;
    if (hoe.nieuw) vlaggen |= LIBSSH2_FXF_EXCL;
    int rc = 0;
    LIBSSH2_SFTP_HANDLE* h = d->openen(pad.bytes, vlaggen, hoe.modus, LIBSSH2_SFTP_OPENFILE, rc);
    if (!h) {
        // OpenSSH refuses an existing file of an exclusive open with a plain failure.
        const bool bezet = hoe.nieuw && rc == LIBSSH2_ERROR_SFTP_PROTOCOL &&
                           libssh2_sftp_last_error(d->sftp) == LIBSSH2_FX_FAILURE;
        SftpUitkomst u = d->uitkomst(rc, wat);
        if (bezet && d->bestaat(pad.bytes))
            return SftpMislukt(SftpFout::BestaatAl, wat + QStringLiteral(": het bestand bestaat al"), 0);
        return u;
    }
    libssh2_sftp_seek64(h, libssh2_uint64_t(hoe.vanaf));
    const qint64 venster = std::max<qint64>(d->instellingen.schrijfvenster, 64 * 1024);
    const qint64 stuk = std::min<qint64>(venster, 1 << 20);
    // buffer[0] is the file's byte `basis`; everything from `bevestigd` to `gelezen` is in it.
    auto buffer = std::make_shared<QByteArray>(2 * venster, Qt::Uninitialized);
    qint64 basis = hoe.vanaf, bevestigd = hoe.vanaf, gelezen = hoe.vanaf;
    bool einde = false;
    Melder melder(voortgang);
    QDeadlineTimer stil = Stilstand(d->instellingen);
    const auto gedaan = [&] { return bevestigd - hoe.vanaf; };
    // What is in flight goes out and is acknowledged before the handle closes, by the next call:
    // libssh2 may have sent part of a packet, and dropping the rest would break the channel.
    const auto uitstellen = [&] {
        d->nawerk.push_back([h, buffer, basis, bevestigd, gelezen]() mutable {
            while (bevestigd < gelezen) {
                const ssize_t n = libssh2_sftp_write(h, buffer->constData() + (bevestigd - basis),
                                                     std::size_t(gelezen - bevestigd));
                if (n <= 0) return n == 0 ? LIBSSH2_ERROR_EAGAIN : int(n);
                bevestigd += n;
            }
            return 0;
        });
        d->nawerk.push_back([h] { return libssh2_sftp_close_handle(h); });
    };
    for (;;) {
        if (d->afbreken) {
            uitstellen();
            return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"), gedaan());
        }
        if (!einde && gelezen - bevestigd < venster) {
            if (gelezen - basis + stuk > buffer->size()) {
                std::memmove(buffer->data(), buffer->constData() + (bevestigd - basis),
                             std::size_t(gelezen - bevestigd));
                basis = bevestigd;
            }
            const qint64 n = lezer(gelezen, buffer->data() + (gelezen - basis), stuk);
            if (n < 0) {
                uitstellen();
                return SftpMislukt(SftpFout::Lokaal,
                                   QStringLiteral("Het lokale bestand kan niet worden gelezen"), gedaan());
            }
            if (n == 0) einde = true;
            gelezen += std::min(n, stuk);
        }
        if (einde && bevestigd == gelezen) break;
        const ssize_t n = libssh2_sftp_write(h, buffer->constData() + (bevestigd - basis),
                                             std::size_t(gelezen - bevestigd));
        if (n > 0) {
            bevestigd += n;
            stil = Stilstand(d->instellingen);
            melder.melden(gedaan());
            continue;
        }
        if (n == 0 || n == LIBSSH2_ERROR_EAGAIN) {
            if (!einde && gelezen - bevestigd < venster) continue; // read on while the window has room
            const int w = d->wachten(stil);
            if (w == Binnen::Afgebroken) {
                uitstellen();
                return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"), gedaan());
            }
            if (w == Binnen::Verlopen) {
                d->verbreken();
                return SftpMislukt(
                    SftpFout::TijdVerstreken,
                    wat + QStringLiteral(": de server neemt niets meer aan (verbinding gesloten)"), gedaan());
            }
            continue;
        }
        // A refusal (libssh2 then drops what was in flight) leaves the handle to close.
        SftpUitkomst u = d->uitkomst(int(n), wat);
        if (d->sftp) d->handvatSluiten(h);
        u.bytes = gedaan();
        return u;
    }
    // The server's last word on the file comes with the close.
    rc = d->handvatSluiten(h);
    if (rc != 0) {
        SftpUitkomst u = d->uitkomst(rc, wat);
        u.bytes = gedaan();
        return u;
    }
    melder.melden(gedaan(), true);
    return {SftpFout::Geen, {}, gedaan()};
}

} // namespace Vamox
