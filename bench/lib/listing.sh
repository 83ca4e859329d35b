# Shared by the listing benchmarks (source it): a folder of generated files and timing helpers.
#   listing_make DIR N   makes DIR with N empty files of a few kinds (python, fast)
#   listing_best CMD...  runs CMD three times (BENCH_ROUNDS), prints the best wall time in seconds
#   listing_min A B      the smaller of two numbers (A may be empty)
#   pyftpd_start NAME WORK ROOT [ARGS...]
#                        starts the test fixture's pyftpdlib on ROOT (files in WORK), sets
#                        PYFTPD_PID and PYFTPD_PORT; NAME is the benchmark's, for its messages
#   pyftpd_stop          stops it again (nothing when none runs)

listing_make() {
    /usr/bin/python3 - "$1" "$2" <<'PY'
import os, sys
d, n = sys.argv[1], int(sys.argv[2])
os.makedirs(d, exist_ok=True)
kinds = ["txt", "jpg", "pdf", "c", "h", "log", "dat"]
for i in range(n):
    open(os.path.join(d, "bestand_%06d.%s" % (i, kinds[i % len(kinds)])), "w").close()
PY
}

listing_best() {
    local best= t0 t1 s
    for _ in $(seq "${BENCH_ROUNDS:-3}"); do
        t0=$(date +%s%N)
        "$@" > /dev/null
        t1=$(date +%s%N)
        s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", (b - a) / 1e9 }')
        if [ -z "$best" ] || awk -v s="$s" -v r="$best" 'BEGIN { exit !(s < r) }'; then best=$s; fi
    done
    echo "$best"
}

listing_min() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'; }

pyftpd_start() {
    local name=$1 work=$2 root=$3 lib
    shift 3
    lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    [ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import pyftpdlib' 2>/dev/null ||
        { echo "$name: /usr/bin/python3 with pyftpdlib needed (python3-pyftpdlib)" >&2; exit 2; }
    rm -f "$work/port"
    /usr/bin/python3 "$lib/../../tests/support/ftpserver.py" --port-file "$work/port" --root "$root" "$@" \
        2> "$work/server.log" &
    PYFTPD_PID=$!
    for _ in $(seq 200); do [ -s "$work/port" ] && break; sleep 0.05; done
    [ -s "$work/port" ] || { echo "$name: pyftpdlib did not start" >&2; cat "$work/server.log" >&2; exit 1; }
    PYFTPD_PORT=$(cat "$work/port")
}

pyftpd_stop() {
    if [ -n "${PYFTPD_PID:-}" ]; then
        kill "$PYFTPD_PID" 2>/dev/null || true
        wait "$PYFTPD_PID" 2>/dev/null || true
    fi
    PYFTPD_PID=
}
