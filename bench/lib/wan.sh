# shellcheck shell=bash
# Shared by the benchmarks over a slow line (source it after vsftpd.sh or sshd.sh): the delay line
# build/bench/vertraaglijn listens on 127.0.0.2 and passes every connection to the same port on
# 127.0.0.1, both directions held back by half the round trip, data connections included.
#   wan_ftp_start ROOT RTT_MS  a vsftpd (vsftpd_start ROOT) whose passive ports and the control
#                              port go through the line; sets WAN_HOST and WAN_PORT (connect there)
#   wan_start RTT_MS PORTS     the line for PORTS ("22,3000-3099") of a server on 127.0.0.1;
#                              sets WAN_HOST (127.0.0.2) and WAN_PID
#   wan_stop                   stops the line
#   wan_measure [RTT_MS]       prints what a line of its own passes at 0 ms (and at RTT_MS) and the
#                              same stream straight over loopback, MB/s (WAN_MEASURE_MIB, 2048):
#                              `line 0ms=<MB/s> [<RTT>ms=<MB/s>] loopback=<MB/s> unit=MB/s`
#   wan_lftp COMMANDS          lftp logged in anonymously through the line, plain FTP, no retries
#   wan_rate COUNT T0 T1       files per second between two bench_now values

wan_line() { echo "$(bench_build)/bench/vertraaglijn"; }

# A first port of COUNT free ones on both addresses, below the ephemeral range.
wan_free_range() {
    /usr/bin/python3 - "$1" <<'PY'
import random, socket, sys
n = int(sys.argv[1])
for _ in range(200):
    base = random.randrange(20000, 32000 - n)
    held = []
    try:
        for p in range(base, base + n):
            for a in ("127.0.0.1", "127.0.0.2"):
                s = socket.socket()
                held.append(s)
                s.bind((a, p))
    except OSError:
        continue
    finally:
        for s in held:
            s.close()
    print(base)
    sys.exit(0)
sys.exit(1)
PY
}

wan_start() {
    local rtt=$1 ports=$2 line
    line=$(wan_line)
    [ -x "$line" ] || { echo "wan: $line not found; build first" >&2; return 2; }
    WAN_DIR=$(mktemp -d)
    "$line" --rtt-ms "$rtt" --listen 127.0.0.2 --target 127.0.0.1 --ports "$ports" \
        --ready "$WAN_DIR/ready" 2>"$WAN_DIR/log" &
    WAN_PID=$!
    for _ in $(seq 100); do
        if [ -s "$WAN_DIR/ready" ]; then WAN_HOST=127.0.0.2; return 0; fi
        kill -0 "$WAN_PID" 2>/dev/null || break
        sleep 0.05
    done
    echo "wan: the line did not start: $(cat "$WAN_DIR/log" 2>/dev/null)" >&2
    return 1
}

# shellcheck disable=SC2034 # WAN_PORT is for the caller
wan_ftp_start() {
    local root=$1 rtt=$2 base try
    for try in 1 2 3; do
        base=$(wan_free_range 100) || { echo "wan: no free port range" >&2; return 1; }
        VSFTPD_EXTRA="pasv_min_port=$base
pasv_max_port=$((base + 99))
pasv_address=127.0.0.2"
        vsftpd_start "$root" || return
        if wan_start "$rtt" "$VSFTPD_PORT,$base-$((base + 99))"; then WAN_PORT=$VSFTPD_PORT; return 0; fi
        vsftpd_stop
    done
    return 1
}

wan_stop() {
    [ -n "${WAN_PID:-}" ] && { kill "$WAN_PID" 2>/dev/null || true; wait "$WAN_PID" 2>/dev/null || true; }
    WAN_PID=
    [ -n "${WAN_DIR:-}" ] && rm -rf "$WAN_DIR"
    WAN_DIR=
}

wan_measure() {
    local line mib=${WAN_MEASURE_MIB:-2048} out zero direct at=''
    line=$(wan_line)
    out=$("$line" --measure "$mib") || { echo "wan: the line's measure failed" >&2; return 1; }
    zero=$(bench_field mb_s "$out")
    direct=$(bench_field direct_mb_s "$out")
    if [ -n "${1:-}" ] && [ "$1" != 0 ]; then
        out=$("$line" --measure "$mib" --rtt-ms "$1") || { echo "wan: the line's measure failed" >&2; return 1; }
        at=" ${1}ms=$(bench_field mb_s "$out")"
    fi
    echo "line 0ms=$zero$at loopback=$direct unit=MB/s (${mib} MiB through a line of its own; target 0ms>=500)"
}

wan_lftp() {
    lftp -u anonymous,bench@example.org -p "$WAN_PORT" \
        -e "set net:max-retries 1; set ftp:ssl-allow no; $1; quit" "$WAN_HOST" >/dev/null
}

wan_rate() { awk -v n="$1" -v s="$(bench_secs "$2" "$3")" 'BEGIN { printf "%.1f", n / s }'; }
