// Names on the server: attributes, folders, removing, renaming, permissions and times.

#include "ftp/SftpBinnen.h"

namespace Vamox {

SftpAttributen AttributenVan(const LIBSSH2_SFTP_ATTRIBUTES& a)
{
    SftpAttributen uit;
    if (a.flags & LIBSSH2_SFTP_ATTR_SIZE) uit.grootte = qint64(a.filesize);
    if (a.flags & LIBSSH2_SFTP_ATTR_ACMODTIME) {
        uit.mtime = qint64(a.mtime);
        uit.atime = qint64(a.atime);
    }
    if (a.flags & LIBSSH2_SFTP_ATTR_PERMISSIONS) {
        uit.rechten = int(a.permissions & 07777);
        switch (a.permissions & LIBSSH2_SFTP_S_IFMT) {
        case LIBSSH2_SFTP_S_IFREG:
            uit.soort = SftpAttributen::Soort::Bestand;
            break;
        case LIBSSH2_SFTP_S_IFDIR:
            uit.soort = SftpAttributen::Soort::Map;
            break;
        case LIBSSH2_SFTP_S_IFLNK:
            uit.soort = SftpAttributen::Soort::Link;
            break;
        default:
            uit.soort = SftpAttributen::Soort::Anders;
        }
    }
    return uit;
}

SftpUitkomst SftpVerbinding::stat(const SftpPad& pad, SftpAttributen& uit, bool volgen)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    LIBSSH2_SFTP_ATTRIBUTES a{};
    const int rc = d->statEx(pad.bytes, volgen ? LIBSSH2_SFTP_STAT : LIBSSH2_SFTP_LSTAT, a);
    if (rc != 0) return d->uitkomst(rc, QStringLiteral("Opvragen"));
    uit = AttributenVan(a);
    return {};
}

SftpUitkomst SftpVerbinding::echtPad(const SftpPad& pad, QByteArray& uit)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    auto doel = std::make_shared<QByteArray>(64 * 1024, Qt::Uninitialized);
    LIBSSH2_SFTP* s = d->sftp;
    const QByteArray p = pad.bytes;
    const int rc = d->verzoek([s, p, doel] {
        return libssh2_sftp_symlink_ex(s, p.constData(), unsigned(p.size()), doel->data(),
                                       unsigned(doel->size()), LIBSSH2_SFTP_REALPATH);
    });
    if (rc < 0) return d->uitkomst(rc, QStringLiteral("Pad opvragen"));
    uit = doel->left(rc);
    return {};
}

SftpUitkomst SftpVerbinding::mapMaken(const SftpPad& pad, int modus)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    LIBSSH2_SFTP* s = d->sftp;
    const QByteArray p = pad.bytes;
    const int rc = d->verzoek(
        [s, p, modus] { return libssh2_sftp_mkdir_ex(s, p.constData(), unsigned(p.size()), modus); });
    // OpenSSH answers a plain failure for a name that is taken.
    if (rc == LIBSSH2_ERROR_SFTP_PROTOCOL && libssh2_sftp_last_error(s) == LIBSSH2_FX_FAILURE) {
        SftpUitkomst u = d->uitkomst(rc, QStringLiteral("Map maken"));
        if (d->bestaat(p))
            return SftpMislukt(SftpFout::BestaatAl, QStringLiteral("Map maken: de naam bestaat al"));
        return u;
    }
    return d->uitkomst(rc, QStringLiteral("Map maken"));
}

SftpUitkomst SftpVerbinding::mapWissen(const SftpPad& pad)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    LIBSSH2_SFTP* s = d->sftp;
    const QByteArray p = pad.bytes;
    return d->uitkomst(
        d->verzoek([s, p] { return libssh2_sftp_rmdir_ex(s, p.constData(), unsigned(p.size())); }),
        QStringLiteral("Map wissen"));
}

SftpUitkomst SftpVerbinding::wissen(const SftpPad& pad)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    LIBSSH2_SFTP* s = d->sftp;
    const QByteArray p = pad.bytes;
    return d->uitkomst(
        d->verzoek([s, p] { return libssh2_sftp_unlink_ex(s, p.constData(), unsigned(p.size())); }),
        QStringLiteral("Wissen"));
}

SftpUitkomst SftpVerbinding::hernoemen(const SftpPad& van, const SftpPad& naar)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    const QString wat = QStringLiteral("Hernoemen");
    const SftpUitkomst bezet =
        SftpMislukt(SftpFout::BestaatAl, wat + QStringLiteral(": de nieuwe naam bestaat al"));
    // Some servers rename onto an existing name (rename(2)); OpenSSH's refuses, but only by a plain
    // failure. Asked first, and again when it fails.
    LIBSSH2_SFTP_ATTRIBUTES a{};
    int rc = d->statEx(naar.bytes, LIBSSH2_SFTP_LSTAT, a);
    if (rc == 0) return bezet;
    if (rc != LIBSSH2_ERROR_SFTP_PROTOCOL) return d->uitkomst(rc, wat);
    LIBSSH2_SFTP* s = d->sftp;
    const QByteArray v = van.bytes, n = naar.bytes;
    // No flags: a server of version 5 or later then refuses an existing name itself.
    rc = d->verzoek([s, v, n] {
        return libssh2_sftp_rename_ex(s, v.constData(), unsigned(v.size()), n.constData(), unsigned(n.size()),
                                      0);
    });
    if (rc != LIBSSH2_ERROR_SFTP_PROTOCOL) return d->uitkomst(rc, wat);
    const SftpUitkomst u = d->uitkomst(rc, wat);
    return d->bestaat(n) ? bezet : u;
}

SftpUitkomst SftpVerbinding::rechtenZetten(const SftpPad& pad, int modus)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    LIBSSH2_SFTP_ATTRIBUTES a{};
    a.flags = LIBSSH2_SFTP_ATTR_PERMISSIONS;
    a.permissions = (unsigned long)(modus & 07777);
    return d->uitkomst(d->statEx(pad.bytes, LIBSSH2_SFTP_SETSTAT, a), QStringLiteral("Rechten zetten"));
}

SftpUitkomst SftpVerbinding::tijdZetten(const SftpPad& pad, qint64 mtime)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    LIBSSH2_SFTP_ATTRIBUTES a{};
    a.flags = LIBSSH2_SFTP_ATTR_ACMODTIME;
    a.atime = a.mtime = (unsigned long)mtime;
    return d->uitkomst(d->statEx(pad.bytes, LIBSSH2_SFTP_SETSTAT, a), QStringLiteral("Tijd zetten"));
}

SftpUitkomst SftpVerbinding::peilen(int ms)
{
    if (SftpUitkomst u = d->gereed(); !u.ok()) return u;
    auto doel = std::make_shared<QByteArray>(4096, Qt::Uninitialized);
    LIBSSH2_SFTP* s = d->sftp;
    const int rc = d->verzoek(
        [s, doel] {
            return libssh2_sftp_symlink_ex(s, ".", 1, doel->data(), unsigned(doel->size()),
                                           LIBSSH2_SFTP_REALPATH);
        },
        {}, QDeadlineTimer(ms));
    return d->uitkomst(rc, QStringLiteral("Peilen"));
}

} // namespace Vamox
