#!/usr/bin/env bash
# folder-upload: a local folder of 2,000 files of 4 KiB (in the folder and three subfolders) to
# vsftpd on 127.0.0.1 through the folder upload's flow (LokaleMapScannen, then MapUploadenPlannen and the queue: one
# FtpMapMaken per folder, then per file FtpBestandPlaatsen, with the overwrite probe only for
# folders that were there already, on one connection) against lftp's mirror -R (one connection)
# in the same run. Files per second, best of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/vsftpd.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "folder-upload: $driver not found; build first" >&2; exit 2; }
command -v lftp >/dev/null || { echo "folder-upload: lftp not found" >&2; exit 2; }

count=${FOLDER_FILES:-2000}
rounds=${BENCH_ROUNDS:-5}
work=$(mktemp -d)
trap 'vsftpd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" 256
vsftpd_start "$work/root"
bench_tree "$work/boom" "$count"

ours='' ref=''
run_ours() {
    out=$("$driver" folder-upload 127.0.0.1 "$VSFTPD_PORT" "$work/boom" /pub/)
    [ "$(bench_field failed "$out")" = 0 ] && [ "$(bench_field files "$out")" = "$count" ] ||
        { echo "folder-upload: our run failed: $out" >&2; exit 1; }
    diff -r -q "$work/boom" "$work/root/pub/boom" >/dev/null ||
        { echo "folder-upload: our copy differs" >&2; exit 1; }
    ours=$(bench_max "$ours" "$(awk -v n="$count" -v s="$(bench_field seconds "$out")" 'BEGIN { printf "%.1f", n / s }')")
}
run_ref() {
    t0=$(bench_now)
    lftp -u anonymous,bench@example.org -p "$VSFTPD_PORT" \
        -e "set net:max-retries 1; set ftp:ssl-allow no; mirror -R $work/boom /pub/ref; quit" 127.0.0.1 >/dev/null
    t1=$(bench_now)
    [ "$(find "$work/root/pub/ref" -type f | wc -l)" = "$count" ] || { echo "folder-upload: lftp failed" >&2; exit 1; }
    ref=$(bench_max "$ref" "$(awk -v n="$count" -v s="$(bench_secs "$t0" "$t1")" 'BEGIN { printf "%.1f", n / s }')")
}
for r in $(seq "$rounds"); do
    # Whoever runs first pays for the deletions of the round before: the order alternates.
    rm -rf "$work/root/pub/boom" "$work/root/pub/ref"
    sync
    if [ $((r % 2)) = 1 ]; then run_ours; run_ref; else run_ref; run_ours; fi
    echo "round $r: ours=$ours reference=$ref (best so far, files/s)"
done
echo "folder-upload ours=$ours reference=$ref unit=files/s ratio=$(bench_ratio "$ours" "$ref")"
