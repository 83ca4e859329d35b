#!/usr/bin/env bash
# sort: the program's own sort of 100,000 file rows (by name, size and day; the slowest counts)
# against GNU sort -f of the 100,000 name keys. Run from the repository root after the build.
set -euo pipefail
driver=build/bench/sort_bench
[ -x "$driver" ] || { echo "sort: $driver not found; build first (cmake --build build)" >&2; exit 2; }
command -v sort >/dev/null || { echo "sort: GNU sort not found" >&2; exit 2; }

rows=${SORT_ROWS:-100000}
repeats=3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# MLSD lines "type=file;size=N;modify=YYYYMMDDHHMMSS; name": mixed-case names with extensions,
# sizes up to 10^12, dates over 30 years; fixed seed so every run sorts the same data.
awk -v n="$rows" 'BEGIN {
    srand(20240611);
    letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_- ";
    split("txt doc pdf jpg png zip c h cpp iso log csv", ext, " ");
    for (i = 0; i < n; i++) {
        len = 4 + int(rand() * 20); name = "";
        for (j = 0; j < len; j++) name = name substr(letters, 1 + int(rand() * 65), 1);
        name = name "." ext[1 + int(rand() * 12)];
        size = int(rand() * rand() * 1e12);
        d = 1 + int(rand() * 28); mo = 1 + int(rand() * 12); y = 1995 + int(rand() * 30);
        h = int(rand() * 24); mi = int(rand() * 60); se = int(rand() * 60);
        printf "type=file;size=%.0f;modify=%04d%02d%02d%02d%02d%02d; %s\r\n", size, y, mo, d, h, mi, se, name;
    }
}' > "$work/rows.txt"
# The name is everything after the facts' "; " (names may hold spaces, facts do not).
sed 's/^[^ ]* //; s/\r$//' "$work/rows.txt" > "$work/names.txt"

out=$("$driver" "$work/rows.txt" "$repeats")
echo "$out"

# Reference: GNU sort folding case in byte order (what the name sort does on UTF-16 code units),
# reading the keys from a file and writing to /dev/null; best of the same number of runs.
ref=
for _ in $(seq "$repeats"); do
    t0=$(date +%s%N)
    LC_ALL=C sort -f "$work/names.txt" > /dev/null
    t1=$(date +%s%N)
    s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", (b - a) / 1e9 }')
    if [ -z "$ref" ] || awk -v s="$s" -v r="$ref" 'BEGIN { exit !(s < r) }'; then ref=$s; fi
done
echo "gnu-sort-f=$ref"

ours=$(echo "$out" | awk '{ m = 0; for (i = 1; i <= NF; i++) { split($i, kv, "=");
    if (kv[1] != "rows" && kv[2] + 0 > m) m = kv[2] + 0 } printf "%.6f", m }')
ratio=$(awk -v o="$ours" -v r="$ref" 'BEGIN { printf "%.2f", (r > 0 ? o / r : 0) }')
echo "sort ours=$ours reference=$ref unit=s ratio=$ratio"
