# Shared by the listing benchmarks (source it): a folder of generated files and timing helpers.
#   listing_make DIR N   makes DIR with N empty files of a few kinds (python, fast)
#   listing_best CMD...  runs CMD three times (BENCH_ROUNDS), prints the best wall time in seconds
#   listing_min A B      the smaller of two numbers (A may be empty)

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
