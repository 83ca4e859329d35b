# shellcheck shell=bash
# Shared by the benchmarks over a slow line (source it after vsftpd.sh): a proxy in front of the
# vsftpd control port that holds every server reply back for a fixed time (bench/lib/vertraging.py),
# so every command costs one such delay, as a round trip over a long line does. Data connections
# go straight to vsftpd (its passive replies name its own port).
#   wan_start DELAY_MS   after vsftpd_start: sets WAN_PORT (connect there) and WAN_PID
#   wan_stop             stops the proxy
#   wan_lftp ARGS...     lftp logged in anonymously through the proxy, plain FTP, no retries

wan_start() {
    local delay=$1 portfile i
    WAN_DIR=$(mktemp -d)
    portfile=$WAN_DIR/port
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/vertraging.py" --target-port "$VSFTPD_PORT" \
        --delay-ms "$delay" --port-file "$portfile" 2>"$WAN_DIR/log" &
    WAN_PID=$!
    for i in $(seq 50); do
        if [ -s "$portfile" ]; then WAN_PORT=$(cat "$portfile"); return 0; fi
        kill -0 "$WAN_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "wan: proxy did not start: $(cat "$WAN_DIR/log" 2>/dev/null)" >&2
    return 1
}

wan_stop() {
    [ -n "${WAN_PID:-}" ] && { kill "$WAN_PID" 2>/dev/null || true; wait "$WAN_PID" 2>/dev/null || true; }
    WAN_PID=
    [ -n "${WAN_DIR:-}" ] && rm -rf "$WAN_DIR"
    WAN_DIR=
}

wan_lftp() {
    lftp -u anonymous,bench@example.org -p "$WAN_PORT" \
        -e "set net:max-retries 1; set ftp:ssl-allow no; $1; quit" 127.0.0.1 >/dev/null
}

# Files per second for COUNT files between two bench_now values: wan_rate COUNT T0 T1
wan_rate() { awk -v n="$1" -v s="$(bench_secs "$2" "$3")" 'BEGIN { printf "%.1f", n / s }'; }
