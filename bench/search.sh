#!/usr/bin/env bash
# search: a local folder of 200 files totalling about 1 GB searched for a text that a few of them
# hold, by the program's own search (build/bench/search_bench: Zoeken over the folder's files)
# against `grep -il` of the same files in a UTF-8 locale, both with a warm cache, in the same run:
# rounds of ours and grep by turns (BENCH_ROUNDS, default 3), best of each, as MB/s.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
driver=${VAMOX_BUILD:-build}/bench/search_bench
[ -x "$driver" ] || { echo "search: $driver not found; build first" >&2; exit 2; }
command -v grep >/dev/null || { echo "search: grep not found" >&2; exit 2; }

files=${SEARCH_FILES:-200}
total_mb=${SEARCH_MB:-1000}
text=naaldindehooiberg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One block of base64 text (100-byte lines) copied into every file: random letters in both cases,
# in which the text never occurs by chance. Three files get it near their end, in mixed case.
per_file=$(( total_mb * 1000000 / files ))
head -c $(( per_file * 3 / 4 * 99 / 100 )) /dev/urandom | base64 -w 99 > "$work/blok"
mkdir "$work/map"
for i in $(seq -w 1 "$files"); do cp "$work/blok" "$work/map/bestand_$i.txt"; done
hits="bestand_$(printf '%03d' 50).txt bestand_$(printf '%03d' 120).txt bestand_$(printf '%03d' "$files").txt"
for h in $hits; do printf 'xx NaaldInDeHOOIberg xx\n' >> "$work/map/$h"; done
bytes=$(du -cb "$work/map" | tail -1 | cut -f1)
cat "$work/map"/* > /dev/null

case "${LC_ALL:-${LANG:-}}" in *UTF-8*|*utf8*) loc=${LC_ALL:-$LANG} ;; *) loc=C.UTF-8 ;; esac
expected=$(for h in $hits; do echo "$h"; done | sort | paste -sd, -)

mbs() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.1f", (s > 0 ? b / 1e6 / s : 0) }'; }
best() { if [ -z "$1" ] || awk -v a="$2" -v b="$1" 'BEGIN { exit !(a > b) }'; then echo "$2"; else echo "$1"; fi; }

ours= ref=
for r in $(seq "${BENCH_ROUNDS:-3}"); do
    out=$("$driver" "$work/map" "$text" 1)
    found=$(echo "$out" | sed -n 's/.*hitnames=\([^ ]*\).*/\1/p')
    [ "$found" = "$expected" ] || { echo "search: ours found '$found', not '$expected'" >&2; exit 1; }
    s=$(echo "$out" | sed -n 's/.*ours=\([0-9.]*\).*/\1/p')
    ours=$(best "$ours" "$(mbs "$bytes" "$s")")

    t0=$(date +%s%N)
    gfound=$(cd "$work/map" && LC_ALL=$loc grep -il "$text" -- * | sort | paste -sd, -)
    t1=$(date +%s%N)
    [ "$gfound" = "$expected" ] || { echo "search: grep found '$gfound', not '$expected'" >&2; exit 1; }
    ref=$(best "$ref" "$(mbs "$bytes" "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", (b - a) / 1e9 }')")")
    echo "round $r: ours=$ours reference=$ref (best so far, MB/s; $files files, $bytes bytes, grep in $loc)"
done
ratio=$(awk -v o="$ours" -v r="$ref" 'BEGIN { printf "%.2f", (r > 0 ? o / r : 0) }')
echo "search ours=$ours reference=$ref unit=MB/s ratio=$ratio"
