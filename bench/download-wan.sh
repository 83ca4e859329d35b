#!/usr/bin/env bash
# download-wan: one 256 MiB file from vsftpd over a line with a 30 ms round trip on every
# connection (bench/lib/wan.sh) through the toolbar download's flow (DownloadenPlannen and the
# transfer queue), with the default number of connections and over one, against curl fetching the
# same file in the same run; `lftp pget -n 4` (four connections at offsets) is measured beside it.
# MB/s (10^6 bytes), best of the rounds, wall time including process start and login.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
source "$here/lib/wan.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "download-wan: $driver not found; build first" >&2; exit 2; }
command -v curl >/dev/null && command -v lftp >/dev/null || { echo "download-wan: curl and lftp needed" >&2; exit 2; }

mib=${DOWNLOAD_MIB:-256}
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
work=$(mktemp -d)
trap 'wan_stop; vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" $((mib * 3 + 64))
wan_ftp_start "$work/root" "$delay"
wan_measure "$delay"
bench_random_file "$work/root/pub/groot.bin" "$mib"
bytes=$(stat -c %s "$work/root/pub/groot.bin")
rate() { awk -v b="$bytes" -v s="$1" 'BEGIN { printf "%.1f", b / 1e6 / s }'; }
check() { # file who
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" = "$bytes" ] || { echo "download-wan: $2 failed" >&2; exit 1; }
    rm -f "$1"
}

ours='' ours1='' ref='' pget=''
run_ours() { # connections (empty: the default), round
    local out r
    mkdir -p "$work/ours"
    # shellcheck disable=SC2086 # no argument for the default
    out=$("$driver" download "$WAN_HOST" "$WAN_PORT" /pub/groot.bin "$work/ours" $1)
    [ "$(bench_field failed "$out")" = 0 ] || { echo "download-wan: our transfer failed: $out" >&2; exit 1; }
    if [ "$2" = 1 ]; then cmp -s "$work/ours/groot.bin" "$work/root/pub/groot.bin" ||
        { echo "download-wan: our copy differs" >&2; exit 1; }; fi
    check "$work/ours/groot.bin" ours
    r=$(rate "$(bench_field seconds "$out")")
    if [ -z "$1" ]; then ours=$(bench_max "$ours" "$r"); else ours1=$(bench_max "$ours1" "$r"); fi
}
run_refs() {
    local t0 t1
    t0=$(bench_now)
    curl -s -o "$work/ref.bin" "ftp://$WAN_HOST:$WAN_PORT/pub/groot.bin"
    t1=$(bench_now)
    check "$work/ref.bin" curl
    ref=$(bench_max "$ref" "$(rate "$(bench_secs "$t0" "$t1")")")

    t0=$(bench_now)
    wan_lftp "pget -n 4 /pub/groot.bin -o $work/pget.bin"
    t1=$(bench_now)
    check "$work/pget.bin" "lftp pget"
    pget=$(bench_max "$pget" "$(rate "$(bench_secs "$t0" "$t1")")")
}
for r in $(seq "$rounds"); do
    sync
    if [ $((r % 2)) = 1 ]; then run_ours "" "$r"; run_refs; else run_refs; run_ours "" "$r"; fi
    run_ours 1 "$r"
    echo "round $r: ours=$ours ours-1=$ours1 curl=$ref pget-4=$pget (best so far, MB/s)"
done
echo "download-wan pget ours=$ours pget-4=$pget ratio=$(bench_ratio "$ours" "$pget")"
echo "download-wan single ours-1=$ours1 curl=$ref ratio=$(bench_ratio "$ours1" "$ref")"
echo "download-wan ours=$ours reference=$ref unit=MB/s ratio=$(bench_ratio "$ours" "$ref")"
