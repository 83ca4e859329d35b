#!/usr/bin/env bash
# listing-local: a local folder of 100,000 files shown in the local pane (LijstVullenLokaal of an
# offscreen main window) against `ls -l` of the same folder to /dev/null, in the same run: one
# warm-up read of the folder, then rounds of ours and ls by turns (BENCH_ROUNDS, default 3), best of each.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/listing.sh"
driver=${VAMOX_BUILD:-build}/bench/listing_bench
[ -x "$driver" ] || { echo "listing-local: $driver not found; build first" >&2; exit 2; }

files=${LISTING_FILES:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
listing_make "$work/veel" "$files"
ls -l "$work/veel" > /dev/null

ours= ref=
for r in $(seq "${BENCH_ROUNDS:-3}"); do
    out=$("$driver" local "$work/veel" 1 2>/dev/null)
    rows=$(echo "$out" | sed -n 's/.* rows=\([0-9]*\).*/\1/p')
    [ "$rows" = "$files" ] || { echo "listing-local: the pane shows '$rows' rows, not $files: $out" >&2; exit 1; }
    ours=$(listing_min "$ours" "$(echo "$out" | sed -n 's/.*ours=\([0-9.]*\).*/\1/p')")
    ref=$(listing_min "$ref" "$(BENCH_ROUNDS=1 listing_best ls -l "$work/veel")")
    echo "round $r: ours=$ours reference=$ref (best so far, s)"
done
ratio=$(awk -v o="$ours" -v r="$ref" 'BEGIN { printf "%.2f", (r > 0 ? o / r : 0) }')
echo "listing-local ours=$ours reference=$ref unit=s ratio=$ratio"
