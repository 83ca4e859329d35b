#!/usr/bin/env bash
# sftp-upload-wan: one 256 MiB file to OpenSSH's sshd over a line with a 30 ms round trip
# (bench/lib/wan.sh) through the toolbar upload's flow (UploadenPlannen and the transfer queue over
# SFTP), with the default number of connections and over one, against OpenSSH's `sftp` put of the
# same file in the same run; `curl -T sftp://` is measured once, on the first 32 MiB of the file
# (it keeps 64 KiB in flight, so its rate hardly depends on the size and 256 MiB would take minutes).
# MB/s (10^6 bytes), best of the rounds, wall time including process start and login.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/sshd.sh"
source "$here/lib/wan.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "sftp-upload-wan: $driver not found; build first" >&2; exit 2; }
command -v curl >/dev/null && command -v sftp >/dev/null || { echo "sftp-upload-wan: curl and sftp needed" >&2; exit 2; }

mib=${UPLOAD_MIB:-256}
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
work=$(mktemp -d)
trap 'wan_stop; sshd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" $((mib * 3 + 64))
sshd_start "$work/sshd"
wan_start "$delay" "$SSHD_PORT"
wan_measure "$delay"
mkdir -p "$work/up"
bench_random_file "$work/groot.bin" "$mib"
bytes=$(stat -c %s "$work/groot.bin")
curlmib=$((mib < 32 ? mib : 32))
head -c $((curlmib * 1024 * 1024)) "$work/groot.bin" > "$work/deel.bin"
user=${USER:-root}
rate() { awk -v b="$bytes" -v s="$1" 'BEGIN { printf "%.1f", b / 1e6 / s }'; }
check() { # file who
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" = "$bytes" ] || { echo "sftp-upload-wan: $2 failed" >&2; exit 1; }
    rm -f "$1"
}

ours='' ours1='' curlr='' openssh=''
run_ours() { # connections (empty: the default), round
    local out r
    # shellcheck disable=SC2086 # no argument for the default
    out=$("$driver" upload "$WAN_HOST" "$SSHD_PORT" "$work/groot.bin" "$work/up" $1)
    [ "$(bench_field failed "$out")" = 0 ] || { echo "sftp-upload-wan: our transfer failed: $out" >&2; exit 1; }
    if [ "$2" = 1 ]; then cmp -s "$work/up/groot.bin" "$work/groot.bin" ||
        { echo "sftp-upload-wan: our copy differs" >&2; exit 1; }; fi
    check "$work/up/groot.bin" ours
    r=$(rate "$(bench_field seconds "$out")")
    if [ -z "$1" ]; then ours=$(bench_max "$ours" "$r"); else ours1=$(bench_max "$ours1" "$r"); fi
}
run_sftp() {
    local t0 t1
    t0=$(bench_now)
    sftp -q -b - -i "$SSHD_KEY" -P "$SSHD_PORT" -o UserKnownHostsFile="$SSHD_KNOWN_HOSTS" \
        -o BatchMode=yes "$user@$WAN_HOST" >/dev/null <<< "put $work/groot.bin $work/up/openssh.bin"
    t1=$(bench_now)
    check "$work/up/openssh.bin" sftp
    openssh=$(bench_max "$openssh" "$(rate "$(bench_secs "$t0" "$t1")")")
}
run_curl() {
    local t0 t1
    t0=$(bench_now)
    curl -s --key "$SSHD_KEY" --pubkey "$SSHD_KEY.pub" -u "$user:" \
        -T "$work/deel.bin" "sftp://$WAN_HOST:$SSHD_PORT$work/up/curl.bin" || true
    t1=$(bench_now)
    [ "$(stat -c %s "$work/up/curl.bin" 2>/dev/null || echo 0)" = "$((curlmib * 1024 * 1024))" ] ||
        { echo "sftp-upload-wan: curl failed" >&2; exit 1; }
    rm -f "$work/up/curl.bin"
    curlr=$(awk -v b="$((curlmib * 1024 * 1024))" -v s="$(bench_secs "$t0" "$t1")" 'BEGIN { printf "%.1f", b / 1e6 / s }')
}
for r in $(seq "$rounds"); do
    sync
    if [ $((r % 2)) = 1 ]; then run_ours "" "$r"; run_sftp; else run_sftp; run_ours "" "$r"; fi
    run_ours 1 "$r"
    [ "$r" = 1 ] && run_curl
    echo "round $r: ours=$ours ours-1=$ours1 sftp=$openssh curl=$curlr (best so far, MB/s)"
done
echo "sftp-upload-wan curl ours=$ours curl=$curlr ratio=$(bench_ratio "$ours" "$curlr")"
echo "sftp-upload-wan single ours-1=$ours1 sftp=$openssh unit=MB/s ratio=$(bench_ratio "$ours1" "$openssh")"
echo "sftp-upload-wan ours=$ours reference=$openssh unit=MB/s ratio=$(bench_ratio "$ours" "$openssh")"
