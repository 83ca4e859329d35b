#!/usr/bin/env bash
# sftp-verbinding: the SFTP connection class alone (build/bench/sftp_bench: connect, log in with
# a key, move one file) against OpenSSH's `sftp` in the same run, straight over loopback and over
# the slow line (bench/lib/wan.sh, WAN_DELAY_MS round trip, default 30): one file of SFTP_MIB
# (default 256) MiB down and up over one connection, and in parts at their offsets over PARTS
# (default 4) connections at once. MB/s (10^6 bytes), best of BENCH_ROUNDS (default 3), wall time
# including login; every first copy is compared with the original.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/sshd.sh"
source "$here/lib/wan.sh"
driver=$(bench_build)/bench/sftp_bench
[ -x "$driver" ] || { echo "sftp-verbinding: $driver not found; build first" >&2; exit 2; }
command -v sftp >/dev/null || { echo "sftp-verbinding: sftp needed (openssh-client)" >&2; exit 2; }

mib=${SFTP_MIB:-256}
rounds=${BENCH_ROUNDS:-3}
delay=${WAN_DELAY_MS:-30}
parts=${PARTS:-4}
work=$(mktemp -d)
trap 'wan_stop; sshd_stop; rm -rf "$work"' EXIT
bench_need_space "$work" $((mib * 4 + 64))
sshd_start "$work/sshd"
wan_start "$delay" "$SSHD_PORT"
wan_measure "$delay"
mkdir -p "$work/root"
bench_random_file "$work/groot.bin" "$mib"
bytes=$(stat -c %s "$work/groot.bin")
user=${USER:-root}
rate() { awk -v b="$bytes" -v s="$1" 'BEGIN { printf "%.1f", b / 1e6 / s }'; }

declare -A best
keep() { best[$1]=$(bench_max "${best[$1]:-}" "$2"); }
same() { # copy who
    cmp -s "$1" "$work/groot.bin" || { echo "sftp-verbinding: $2 made a different copy" >&2; exit 1; }
}
ours() { # host label get|put connections round
    local src=$work/root/in.bin dst=$work/uit.bin out
    if [ "$3" = get ]; then cp "$work/groot.bin" "$src"; else src=$work/uit.bin dst=$work/root/in.bin; cp "$work/groot.bin" "$src"; fi
    rm -f "$dst"
    sync
    if [ "$3" = get ]; then
        out=$("$driver" get "$1" "$SSHD_PORT" "$SSHD_KEY" "$SSHD_KNOWN_HOSTS" "$src" "$dst" "$4")
    else
        out=$("$driver" put "$1" "$SSHD_PORT" "$SSHD_KEY" "$SSHD_KNOWN_HOSTS" "$dst" "$src" "$4")
    fi
    [ "$5" = 1 ] && same "$dst" "ours $3-$4"
    keep "$2 $3-$4" "$(bench_field mb_s "$out")"
    rm -f "$src" "$dst"
}
openssh() { # host label get|put round
    local t0 t1 cmd
    cp "$work/groot.bin" "$work/root/in.bin"
    if [ "$3" = get ]; then cmd="get $work/root/in.bin $work/uit.bin"; else cmd="put $work/root/in.bin $work/root/up.bin"; fi
    sync
    t0=$(bench_now)
    sftp -q -b - -i "$SSHD_KEY" -P "$SSHD_PORT" -o UserKnownHostsFile="$SSHD_KNOWN_HOSTS" \
        -o BatchMode=yes "$user@$1" >/dev/null <<< "$cmd"
    t1=$(bench_now)
    if [ "$4" = 1 ]; then if [ "$3" = get ]; then same "$work/uit.bin" sftp; else same "$work/root/up.bin" sftp; fi; fi
    keep "$2 sftp-$3" "$(rate "$(bench_secs "$t0" "$t1")")"
    rm -f "$work/root/in.bin" "$work/uit.bin" "$work/root/up.bin"
}
for r in $(seq "$rounds"); do
    for line in "127.0.0.1 loopback" "$WAN_HOST ${delay}ms"; do
        set -- $line
        for way in get put; do
            # Who goes first takes turns: the page cache and the other work on the machine move.
            if [ $((r % 2)) = 1 ]; then ours "$1" "$2" $way 1 "$r"; openssh "$1" "$2" $way "$r"
            else openssh "$1" "$2" $way "$r"; ours "$1" "$2" $way 1 "$r"; fi
            ours "$1" "$2" $way "$parts" "$r"
        done
        echo "round $r $2: get ours=${best[$2 get-1]} sftp=${best[$2 sftp-get]} parts=${best[$2 get-$parts]}" \
             "put ours=${best[$2 put-1]} sftp=${best[$2 sftp-put]} parts=${best[$2 put-$parts]} (best so far, MB/s)"
    done
done
for label in loopback "${delay}ms"; do
    for way in get put; do
        echo "sftp-verbinding $label $way single ours=${best[$label $way-1]} sftp=${best[$label sftp-$way]}" \
             "ratio=$(bench_ratio "${best[$label $way-1]}" "${best[$label sftp-$way]}")" \
             "parts-$parts=${best[$label $way-$parts]} ratio=$(bench_ratio "${best[$label $way-$parts]}" "${best[$label sftp-$way]}")"
    done
done
echo "sftp-verbinding ours=${best[${delay}ms get-1]} reference=${best[${delay}ms sftp-get]} unit=MB/s" \
     "ratio=$(bench_ratio "${best[${delay}ms get-1]}" "${best[${delay}ms sftp-get]}")"
