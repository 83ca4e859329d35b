#!/usr/bin/env bash
# sftp-download: one 1 GiB file from OpenSSH's sshd on 127.0.0.1 through the toolbar download's flow
# (DownloadenPlannen and the transfer queue, one FtpBestandHalen over SFTP) against `curl sftp://`
# of the same file in the same run; OpenSSH's `sftp` is measured too and its ratio printed.
# MB/s (10^6 bytes), best of the rounds.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/sshd.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "sftp-download: $driver not found; build first" >&2; exit 2; }
command -v curl >/dev/null && command -v sftp >/dev/null || { echo "sftp-download: curl and sftp needed" >&2; exit 2; }

mib=${DOWNLOAD_MIB:-1024}
rounds=${BENCH_ROUNDS:-3}
work=$(mktemp -d)
trap 'sshd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" $((mib * 3 + 64))
sshd_start "$work/sshd"
mkdir -p "$work/root"
bench_random_file "$work/root/groot.bin" "$mib"
bytes=$(stat -c %s "$work/root/groot.bin")
user=${USER:-root}
rate() { awk -v b="$bytes" -v s="$1" 'BEGIN { printf "%.1f", b / 1e6 / s }'; }
check() { # file who
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" = "$bytes" ] || { echo "sftp-download: $2 failed" >&2; exit 1; }
    rm -f "$1"
}

ours='' ours1='' ref='' openssh=''
run_ours() { # round, connections (empty: the default)
    local out r
    mkdir -p "$work/ours"
    # shellcheck disable=SC2086 # no argument for the default
    out=$("$driver" download 127.0.0.1 "$SSHD_PORT" "$work/root/groot.bin" "$work/ours" ${2:-})
    [ "$(bench_field failed "$out")" = 0 ] || { echo "sftp-download: our transfer failed: $out" >&2; exit 1; }
    if [ "$1" = 1 ]; then cmp -s "$work/ours/groot.bin" "$work/root/groot.bin" ||
        { echo "sftp-download: our copy differs" >&2; exit 1; }; fi
    check "$work/ours/groot.bin" ours
    r=$(rate "$(bench_field seconds "$out")")
    if [ -z "${2:-}" ]; then ours=$(bench_max "$ours" "$r"); else ours1=$(bench_max "$ours1" "$r"); fi
}
run_refs() {
    t0=$(bench_now)
    curl -s --key "$SSHD_KEY" --pubkey "$SSHD_KEY.pub" -u "$user:" -o "$work/ref.bin" \
        "sftp://127.0.0.1:$SSHD_PORT$work/root/groot.bin" || true
    t1=$(bench_now)
    check "$work/ref.bin" curl
    ref=$(bench_max "$ref" "$(rate "$(bench_secs "$t0" "$t1")")")

    t0=$(bench_now)
    sftp -q -b - -i "$SSHD_KEY" -P "$SSHD_PORT" -o UserKnownHostsFile="$SSHD_KNOWN_HOSTS" \
        -o BatchMode=yes "$user@127.0.0.1" >/dev/null <<< "get $work/root/groot.bin $work/openssh.bin"
    t1=$(bench_now)
    check "$work/openssh.bin" sftp
    openssh=$(bench_max "$openssh" "$(rate "$(bench_secs "$t0" "$t1")")")
}
for r in $(seq "$rounds"); do
    # Each writes 1 GiB: whoever runs first pays for the write-back of the round before, so the
    # order alternates and the disk settles before the round.
    sync
    if [ $((r % 2)) = 1 ]; then run_ours "$r"; run_refs; else run_refs; run_ours "$r"; fi
    run_ours "$r" 1
    echo "round $r: ours=$ours ours-1=$ours1 curl=$ref sftp=$openssh (best so far, MB/s)"
done
echo "sftp-download curl ours=$ours curl=$ref ratio=$(bench_ratio "$ours" "$ref")"
echo "sftp-download single ours-1=$ours1 sftp=$openssh ratio=$(bench_ratio "$ours1" "$openssh")"
echo "sftp-download ours=$ours reference=$openssh unit=MB/s ratio=$(bench_ratio "$ours" "$openssh")"
