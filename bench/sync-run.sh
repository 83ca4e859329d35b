#!/usr/bin/env bash
# sync-run: the tree of sync-plan (20,000 files in 400 folders on vsftpd, a local copy) with 200
# files newer on the server, synchronised "Naar lokaal" with newer files as "Uitvoeren" runs it
# (the walk, then the checklist through the transfer queue over 4 connections), over a line with
# a 30 ms round trip (bench/lib/wan.sh), against `lftp mirror --only-newer --parallel=4` of the
# same pair from the same start in the same run. Changed files per second, walk included, best
# of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
source "$here/lib/wan.sh"
source "$here/lib/synctree.sh"
driver=$(bench_build)/bench/sync_bench
[ -x "$driver" ] || { echo "sync-run: $driver not found; build first" >&2; exit 2; }
command -v lftp >/dev/null || { echo "sync-run: lftp not found" >&2; exit 2; }

folders=${SYNC_FOLDERS:-400}
per=${SYNC_PER_FOLDER:-50}
changed=${SYNC_CHANGED:-200}
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
work=$(mktemp -d)
trap 'wan_stop; vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" 256
mkdir -p "$work/root/pub"
sync_trees "$work/root/pub/site" "$work/start" "$folders" "$per" "$changed"
# Only the server's changes: the local side is the tree as it was.
rm -rf "$work/start"
cp -a "$work/root/pub/site" "$work/start"
/usr/bin/python3 - "$work/start" "$changed" "$folders" "$per" <<'PY'
import os, sys, time
root, changed, folders, per = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
old = time.time() - 2 * 86400
for d, _, files in os.walk(root):
    for f in files:
        p = os.path.join(d, f)
        if os.path.getmtime(p) > old + 3600:
            os.utime(p, (old, old))
PY
wan_ftp_start "$work/root" "$delay"

ours='' ref=''
for r in $(seq "$rounds"); do
    rm -rf "$work/local"; cp -a "$work/start" "$work/local"; sync
    out=$("$driver" run "$WAN_HOST" "$WAN_PORT" "$work/local" /pub/site 4)
    [ "$(bench_field failed "$out")" = 0 ] && [ "$(bench_field files "$out")" -ge "$changed" ] ||
        { echo "sync-run: our run failed: $out" >&2; exit 1; }
    ours=$(bench_max "$ours" "$(awk -v n="$changed" -v s="$(bench_field seconds "$out")" 'BEGIN { printf "%.1f", n / s }')")
    rm -rf "$work/local"; cp -a "$work/start" "$work/local"; sync
    t0=$(bench_now)
    wan_lftp "mirror --only-newer --parallel=4 /pub/site $work/local"
    t1=$(bench_now)
    ref=$(bench_max "$ref" "$(wan_rate "$changed" "$t0" "$t1")")
    echo "round $r: ours=$ours mirror-only-newer-parallel-4=$ref (best so far, files/s)"
done
echo "sync-run ours=$ours reference=$ref unit=files/s ratio=$(bench_ratio "$ours" "$ref")"
