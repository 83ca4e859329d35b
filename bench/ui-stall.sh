#!/usr/bin/env bash
# ui-stall: the largest lateness of a 10 ms timer on the calling thread while the toolbar
# download's planner and the transfer queue fetch a 1 GiB file from vsftpd on 127.0.0.1 (the
# window's event loop keeps turning meanwhile, as in the program), against the same timer
# in an idle event loop for as long.
# Milliseconds, worst of the rounds on both sides. The target is ours <= 50 ms; the ratio only
# says how far the transfer disturbs the loop compared with no transfer.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "ui-stall: $driver not found; build first" >&2; exit 2; }

mib=${DOWNLOAD_MIB:-1024}
rounds=${BENCH_ROUNDS:-3}
work=$(mktemp -d)
trap 'vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" $((mib * 2 + 64))
vsftpd_start "$work/root"
bench_random_file "$work/root/pub/groot.bin" "$mib"

ours='' ref=''
for r in $(seq "$rounds"); do
    mkdir -p "$work/ours"
    out=$("$driver" ui-stall 127.0.0.1 "$VSFTPD_PORT" /pub/groot.bin "$work/ours" | tr '\n' ' ')
    [ "$(bench_field failed "$out")" = 0 ] || { echo "ui-stall: our transfer failed: $out" >&2; exit 1; }
    rm -f "$work/ours/groot.bin"
    ours=$(bench_max "$ours" "$(bench_field max_late_ms "$out")")
    ms=$(awk -v s="$(bench_field seconds "$out")" 'BEGIN { printf "%d", s * 1000 + 1 }')
    idle=$("$driver" ui-idle "$ms")
    ref=$(bench_max "$ref" "$(bench_field max_late_ms "$idle")")
    echo "round $r: ours=$ours reference=$ref (worst so far, ms; transfer $(bench_field seconds "$out") s, $(bench_field ticks "$out") ticks)"
done
echo "ui-stall ours=$ours reference=$ref unit=ms ratio=$(bench_ratio "$ours" "$ref")"
