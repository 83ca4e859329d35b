#!/usr/bin/env bash
# folder-upload-wan: a local folder of 300 files of 4 KiB (in the folder and three nested
# subfolders) to vsftpd over a line with a 30 ms round trip on every connection, data
# connections included (bench/lib/wan.sh), through the folder upload's flow with the default
# number of connections, against lftp's `mirror -R --parallel=4` and plain `mirror -R` (one connection) on
# the same server in the same run; our flow over one connection is measured as well. Files per
# second, best of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
source "$here/lib/wan.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "folder-upload-wan: $driver not found; build first" >&2; exit 2; }
command -v lftp >/dev/null || { echo "folder-upload-wan: lftp not found" >&2; exit 2; }

count=${FOLDER_FILES:-300}
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
work=$(mktemp -d)
trap 'wan_stop; vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" 64
wan_ftp_start "$work/root" "$delay"
wan_measure "$delay"
bench_tree "$work/boom" "$count"

ours='' ours1='' par='' plain=''
run_ours() { # connections (empty: the default)
    local out rate
    # shellcheck disable=SC2086 # no argument for the default
    out=$("$driver" folder-upload "$WAN_HOST" "$WAN_PORT" "$work/boom" /pub/ $1)
    [ "$(bench_field failed "$out")" = 0 ] && [ "$(bench_field files "$out")" = "$count" ] ||
        { echo "folder-upload-wan: our run failed: $out" >&2; exit 1; }
    diff -r -q "$work/boom" "$work/root/pub/boom" >/dev/null ||
        { echo "folder-upload-wan: our copy differs" >&2; exit 1; }
    rm -rf "$work/root/pub/boom"
    rate=$(awk -v n="$count" -v s="$(bench_field seconds "$out")" 'BEGIN { printf "%.1f", n / s }')
    if [ -z "$1" ]; then ours=$(bench_max "$ours" "$rate"); else ours1=$(bench_max "$ours1" "$rate"); fi
}
run_lftp() { # mirror options, result variable
    local t0 t1
    t0=$(bench_now)
    wan_lftp "mirror -R $1 $work/boom /pub/ref"
    t1=$(bench_now)
    [ "$(find "$work/root/pub/ref" -type f | wc -l)" = "$count" ] || { echo "folder-upload-wan: lftp failed" >&2; exit 1; }
    rm -rf "$work/root/pub/ref"
    printf -v "$2" '%s' "$(bench_max "${!2}" "$(wan_rate "$count" "$t0" "$t1")")"
}
for r in $(seq "$rounds"); do
    sync
    if [ $((r % 2)) = 1 ]; then run_ours ""; run_lftp --parallel=4 par; else run_lftp --parallel=4 par; run_ours ""; fi
    run_ours 1
    run_lftp "" plain
    echo "round $r: ours=$ours ours-1=$ours1 mirror-parallel-4=$par mirror=$plain (best so far, files/s)"
done
echo "folder-upload-wan single ours-1=$ours1 mirror=$plain unit=files/s ours/mirror=$(bench_ratio "$ours" "$plain")"
echo "folder-upload-wan ours=$ours reference=$par unit=files/s ratio=$(bench_ratio "$ours" "$par")"
