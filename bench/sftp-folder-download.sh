#!/usr/bin/env bash
# sftp-folder-download: a server folder of 2,000 files of 4 KiB (in the folder and three
# subfolders) from OpenSSH's sshd on 127.0.0.1 through the folder download (FtpBoomLezen, then
# MapDownloadenPlannen and the queue over the default connections, all SFTP) against
# `lftp mirror --parallel=4 sftp://` in the same run. Files per second, best of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/sshd.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "sftp-folder-download: $driver not found; build first" >&2; exit 2; }
command -v lftp >/dev/null || { echo "sftp-folder-download: lftp not found" >&2; exit 2; }

count=${FOLDER_FILES:-2000}
rounds=${BENCH_ROUNDS:-5}
work=$(mktemp -d)
trap 'sshd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" 256
sshd_start "$work/sshd"
bench_tree "$work/root/boom" "$count"
user=${USER:-root}

ours='' ref=''
run_ours() {
    mkdir -p "$work/ours"
    out=$("$driver" folder-download 127.0.0.1 "$SSHD_PORT" "$work/root/boom" "$work/ours")
    [ "$(bench_field failed "$out")" = 0 ] && [ "$(bench_field files "$out")" = "$count" ] ||
        { echo "sftp-folder-download: our run failed: $out" >&2; exit 1; }
    diff -r -q "$work/ours/boom" "$work/root/boom" >/dev/null ||
        { echo "sftp-folder-download: our copy differs" >&2; exit 1; }
    ours=$(bench_max "$ours" "$(awk -v n="$count" -v s="$(bench_field seconds "$out")" 'BEGIN { printf "%.1f", n / s }')")
}
run_ref() {
    t0=$(bench_now)
    lftp -e "set sftp:connect-program 'ssh -a -x -i $SSHD_KEY -o UserKnownHostsFile=$SSHD_KNOWN_HOSTS -o BatchMode=yes'; set net:max-retries 1; mirror --parallel=4 $work/root/boom $work/ref; quit" \
        "sftp://$user:@127.0.0.1:$SSHD_PORT" >/dev/null
    t1=$(bench_now)
    [ "$(find "$work/ref" -type f | wc -l)" = "$count" ] || { echo "sftp-folder-download: lftp failed" >&2; exit 1; }
    ref=$(bench_max "$ref" "$(awk -v n="$count" -v s="$(bench_secs "$t0" "$t1")" 'BEGIN { printf "%.1f", n / s }')")
}
for r in $(seq "$rounds"); do
    rm -rf "$work/ours" "$work/ref"
    sync
    if [ $((r % 2)) = 1 ]; then run_ours; run_ref; else run_ref; run_ours; fi
    echo "round $r: ours=$ours reference=$ref (best so far, files/s)"
done
echo "sftp-folder-download ours=$ours reference=$ref unit=files/s ratio=$(bench_ratio "$ours" "$ref")"
