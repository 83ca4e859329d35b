#include "platform/Volumes.h"

#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace Vamox {

namespace {

bool PseudoBestandssysteem(const QByteArray& soort)
{
    static const QSet<QByteArray> pseudo = {
        "proc",   "sysfs",     "devtmpfs",   "devpts",      "tmpfs",      "cgroup", "cgroup2",
        "mqueue", "hugetlbfs", "debugfs",    "tracefs",     "securityfs", "pstore", "bpf",
        "autofs", "configfs",  "fusectl",    "binfmt_misc", "efivarfs",   "ramfs",  "squashfs",
        "nsfs",   "overlay",   "rpc_pipefs", "selinuxfs"};
    return pseudo.contains(soort);
}

bool Netwerk(const QByteArray& soort)
{
    return soort == "nfs" || soort == "nfs4" || soort == "cifs" || soort == "smb3" || soort == "smbfs" ||
           soort.startsWith("fuse.sshfs");
}

bool SysteemPlek(const QString& root)
{
    for (const char* plek : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib", "/boot/efi"}) {
        const QString p = QLatin1String(plek);
        if (root == p || root.startsWith(p + u'/')) {
            // Removable media of the desktop live below /run/media.
            if (root.startsWith(QLatin1String("/run/media/"))) return false;
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<Volume> Volumes()
{
    std::vector<Volume> uit;
    uit.push_back({QStringLiteral("/"), QStorageInfo::root().name()});
    QSet<QString> gezien{QStringLiteral("/")};
    std::vector<Volume> overige;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString root = v.rootPath();
        if (!v.isValid() || !v.isReady() || gezien.contains(root) || SysteemPlek(root)) continue;
        const QByteArray soort = v.fileSystemType();
        if (PseudoBestandssysteem(soort)) continue;
        if (!v.device().startsWith("/dev/") && !Netwerk(soort)) continue;
        if (!QFileInfo(root).isDir()) continue; // a bind-mounted file
        gezien.insert(root);
        overige.push_back({root, v.name()});
    }
    std::sort(overige.begin(), overige.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    uit.insert(uit.end(), overige.begin(), overige.end());
    return uit;
}

QString VolumeTekst(const Volume& volume)
{
    return volume.root + QStringLiteral("  ") + volume.label;
}

bool VolumeBeschikbaar(const QString& root)
{
    if (root.isEmpty() || !QFileInfo(root).isDir()) return false;
    if (root == QLatin1String("/")) return true;
    // An unmounted volume may leave its empty mount point behind.
    const QStorageInfo v(root);
    return v.isValid() && v.isReady() && v.rootPath() == root;
}

} // namespace Vamox
