#!/usr/bin/env bash
# compare: "Mappen vergelijken" over two current folders of 100,000 files each (the server pane over
# pyftpdlib's MLSD on 127.0.0.1, the local pane the same folder from disk), from both lists being
# complete until the marks of both sides are in the lists and painted, against the time the
# server pane's fill of that folder takes (login included, as listing-server), in the same run.
# Rounds by turns (BENCH_ROUNDS, default 3), best of each.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/listing.sh"
driver=${VAMOX_BUILD:-build}/bench/listing_bench
[ -x "$driver" ] || { echo "compare: $driver not found; build first" >&2; exit 2; }

files=${LISTING_FILES:-100000}
work=$(mktemp -d)
trap 'pyftpd_stop; rm -rf "$work"' EXIT

mkdir -p "$work/root"
listing_make "$work/root/veel" "$files"
pyftpd_start compare "$work" "$work/root"
port=$PYFTPD_PORT

out=$("$driver" compare "$port" /veel "$work/root/veel" "${BENCH_ROUNDS:-3}" 2>/dev/null)
echo "$out"
rows=$(echo "$out" | sed -n 's/.* rows=\([0-9]*\).*/\1/p')
same=$(echo "$out" | sed -n 's/.* same=\([0-9]*\).*/\1/p')
[ "$rows" = "$files" ] && [ "$same" = "$files" ] ||
    { echo "compare: $rows rows, $same the same on both sides, not $files: $out" >&2; exit 1; }
ours=$(echo "$out" | sed -n 's/.*ours=\([0-9.]*\).*/\1/p')
ref=$(echo "$out" | sed -n 's/.*listing=\([0-9.]*\).*/\1/p')
echo "compare again=$(echo "$out" | sed -n 's/.*again=\([0-9.]*\).*/\1/p') only-differences=$(echo "$out" | sed -n 's/.*only_differences=\([0-9.]*\).*/\1/p') unit=s (target < 0.5)"
ratio=$(awk -v o="$ours" -v r="$ref" 'BEGIN { printf "%.2f", (r > 0 ? o / r : 0) }')
echo "compare ours=$ours reference=$ref unit=s ratio=$ratio"
