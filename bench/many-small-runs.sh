#!/usr/bin/env bash
# many-small-runs: 20 files of 4 KiB fetched one run at a time (20 single-file downloads started
# one after another, as a user who picks them one by one) from vsftpd over a line with a 30 ms
# round trip on every connection (bench/lib/wan.sh), through the program's planner and transfer
# queue, against lftp doing the same 20 `get`s in one session. Runs per
# second, best of the rounds. The queue's connection stays logged in between the runs: that is
# what this measures.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
source "$here/lib/wan.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "many-small-runs: $driver not found; build first" >&2; exit 2; }
command -v lftp >/dev/null || { echo "many-small-runs: lftp not found" >&2; exit 2; }

count=${RUN_FILES:-20}
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
work=$(mktemp -d)
trap 'wan_stop; vsftpd_stop; rm -rf "$work"' EXIT
wan_ftp_start "$work/root" "$delay"
wan_measure "$delay"
mkdir -p "$work/root/pub/klein"
for i in $(seq -w "$count"); do head -c 4096 /dev/urandom >"$work/root/pub/klein/f$i.bin"; done

gets=""
for i in $(seq -w "$count"); do gets+="get /pub/klein/f$i.bin -o $work/ref/f$i.bin; "; done

ours='' ref=''
run_ours() {
    local out rate
    mkdir -p "$work/ours"
    out=$("$driver" many-runs "$WAN_HOST" "$WAN_PORT" /pub/klein "$work/ours")
    [ "$(bench_field failed "$out")" = 0 ] && [ "$(bench_field files "$out")" = "$count" ] ||
        { echo "many-small-runs: our run failed: $out" >&2; exit 1; }
    diff -r -q "$work/ours" "$work/root/pub/klein" >/dev/null ||
        { echo "many-small-runs: our copies differ" >&2; exit 1; }
    rm -rf "$work/ours"
    rate=$(awk -v n="$count" -v s="$(bench_field seconds "$out")" 'BEGIN { printf "%.1f", n / s }')
    ours=$(bench_max "$ours" "$rate")
}
run_lftp() {
    local t0 t1
    mkdir -p "$work/ref"
    t0=$(bench_now)
    wan_lftp "$gets"
    t1=$(bench_now)
    diff -r -q "$work/ref" "$work/root/pub/klein" >/dev/null || { echo "many-small-runs: lftp failed" >&2; exit 1; }
    rm -rf "$work/ref"
    ref=$(bench_max "$ref" "$(wan_rate "$count" "$t0" "$t1")")
}
for r in $(seq "$rounds"); do
    if [ $((r % 2)) = 1 ]; then run_ours; run_lftp; else run_lftp; run_ours; fi
    echo "round $r: ours=$ours lftp=$ref (best so far, runs/s)"
done
echo "many-small-runs ours=$ours reference=$ref unit=runs/s ratio=$(bench_ratio "$ours" "$ref")"
