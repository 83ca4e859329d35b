#!/usr/bin/env bash
# upload: one 1 GiB file to vsftpd on 127.0.0.1 through the toolbar upload's flow
# (UploadenPlannen: one listing of /pub, then the queue: one FtpBestandPlaatsen) against curl -T of the same
# file in the same run. MB/s (10^6 bytes), best of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "upload: $driver not found; build first" >&2; exit 2; }
command -v curl >/dev/null || { echo "upload: curl not found" >&2; exit 2; }

mib=${UPLOAD_MIB:-1024}
rounds=${BENCH_ROUNDS:-3}
work=$(mktemp -d)
trap 'vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" $((mib * 3 + 64))
vsftpd_start "$work/root"
bench_random_file "$work/groot.bin" "$mib"
bytes=$(stat -c %s "$work/groot.bin")

ours='' ref=''
for r in $(seq "$rounds"); do
    out=$("$driver" upload 127.0.0.1 "$VSFTPD_PORT" "$work/groot.bin" /pub/)
    [ "$(bench_field failed "$out")" = 0 ] && [ "$(stat -c %s "$work/root/pub/groot.bin")" = "$bytes" ] ||
        { echo "upload: our transfer failed: $out" >&2; exit 1; }
    if [ "$r" = 1 ]; then cmp -s "$work/root/pub/groot.bin" "$work/groot.bin" ||
        { echo "upload: our copy differs" >&2; exit 1; }; fi
    rm -f "$work/root/pub/groot.bin"
    s=$(bench_field seconds "$out")
    ours=$(bench_max "$ours" "$(awk -v b="$bytes" -v s="$s" 'BEGIN { printf "%.1f", b / 1e6 / s }')")

    t0=$(bench_now)
    curl -s -T "$work/groot.bin" "ftp://127.0.0.1:$VSFTPD_PORT/pub/ref.bin"
    t1=$(bench_now)
    [ "$(stat -c %s "$work/root/pub/ref.bin")" = "$bytes" ] || { echo "upload: curl failed" >&2; exit 1; }
    rm -f "$work/root/pub/ref.bin"
    ref=$(bench_max "$ref" "$(awk -v b="$bytes" -v s="$(bench_secs "$t0" "$t1")" 'BEGIN { printf "%.1f", b / 1e6 / s }')")
    echo "round $r: ours=$ours reference=$ref (best so far, MB/s)"
done
echo "upload ours=$ours reference=$ref unit=MB/s ratio=$(bench_ratio "$ours" "$ref")"
