# shellcheck shell=bash
# The trees of the synchronise benchmarks (source after vsftpd.sh):
#   sync_trees SERVERDIR LOCALDIR FOLDERS PER CHANGED
# FOLDERS folders (20 at the top, the rest nested one level below them) of PER files of 200 bytes
# each, all two days old; LOCALDIR a copy with the same times; then CHANGED files rewritten on the
# server side (an hour newer) and CHANGED others locally.
sync_trees() {
    /usr/bin/python3 - "$@" <<'PY'
import os, shutil, sys, time
server, local, folders, per, changed = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
old = time.time() - 2 * 86400
paths = []
tops = max(1, min(20, folders))
for i in range(folders):
    rel = "top%02d" % (i % tops) if i < tops else "top%02d/sub%03d" % (i % tops, i)
    os.makedirs(os.path.join(server, rel), exist_ok=True)
    for j in range(per):
        p = os.path.join(rel, "bestand-%03d.html" % j)
        with open(os.path.join(server, p), "wb") as f:
            f.write(os.urandom(100).hex().encode())
        os.utime(os.path.join(server, p), (old, old))
        paths.append(p)
shutil.copytree(server, local, copy_function=shutil.copy2)
new = time.time() - 3600
step = max(1, len(paths) // (2 * changed)) if changed else 1
for k in range(changed):
    for side, p in ((server, paths[(2 * k) * step % len(paths)]), (local, paths[(2 * k + 1) * step % len(paths)])):
        with open(os.path.join(side, p), "wb") as f:
            f.write(os.urandom(120).hex().encode())
        os.utime(os.path.join(side, p), (new, new))
PY
    chown -R ftp:ftp "$1"
}
