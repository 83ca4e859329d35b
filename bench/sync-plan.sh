#!/usr/bin/env bash
# sync-plan: a tree of 20,000 files in 400 folders on vsftpd and a local copy of it, 1 % changed
# on each side, planned as "Synchroniseren…" plans it ("Naar lokaal", newer files): the time until
# the checklist is complete, over a line with a 30 ms round trip on every connection
# (bench/lib/wan.sh), against `lftp -e "mirror --dry-run"` of the same pair in the same run; then
# the same on loopback. Seconds, best of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
source "$here/lib/wan.sh"
source "$here/lib/synctree.sh"
driver=$(bench_build)/bench/sync_bench
[ -x "$driver" ] || { echo "sync-plan: $driver not found; build first" >&2; exit 2; }
command -v lftp >/dev/null || { echo "sync-plan: lftp not found" >&2; exit 2; }

folders=${SYNC_FOLDERS:-400}
per=${SYNC_PER_FOLDER:-50}
changed=$(((folders * per + 99) / 100))
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
work=$(mktemp -d)
trap 'wan_stop; vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" 256
mkdir -p "$work/root/pub"
sync_trees "$work/root/pub/site" "$work/local" "$folders" "$per" "$changed"

min() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'; }
measure() { # name host port
    local ours='' ref='' out t0 t1 r
    for r in $(seq "$rounds"); do
        out=$("$driver" plan "$2" "$3" "$work/local" /pub/site)
        [ "$(bench_field failed "$out")" = 0 ] || { echo "sync-plan: our walk failed: $out" >&2; exit 1; }
        ours=$(min "$ours" "$(bench_field seconds "$out")")
        t0=$(bench_now)
        lftp -u anonymous,bench@example.org -p "$3" \
            -e "set net:max-retries 1; set ftp:ssl-allow no; mirror --dry-run /pub/site $work/local; quit" "$2" >/dev/null
        t1=$(bench_now)
        ref=$(min "$ref" "$(bench_secs "$t0" "$t1")")
        echo "$1 round $r: ours=$ours rows=$(bench_field rows "$out") mirror-dry-run=$ref (best so far, s)"
    done
    echo "$1 ours=$ours reference=$ref unit=s ratio=$(bench_ratio "$ours" "$ref")"
}

# SYNC_LINES=loopback skips the slow line (lftp's dry run over it takes minutes at full size).
lines=${SYNC_LINES:-wan loopback}
if [[ $lines == *wan* ]]; then
    wan_ftp_start "$work/root" "$delay"
    measure "sync-plan-wan" "$WAN_HOST" "$WAN_PORT"
    wan_stop
    vsftpd_stop
fi
if [[ $lines == *loopback* ]]; then
    vsftpd_start "$work/root"
    measure "sync-plan-loopback" 127.0.0.1 "$VSFTPD_PORT"
fi
