#!/usr/bin/env bash
# pattern: the pattern *.txt applied to a server pane showing 1,000,000 files (as a user applies
# it: the pattern box's Enter, until the rows are in the list) against grep -c -i of the same
# names in a file, in the same run. The folder is a fixed LIST listing that pyftpdlib sends
# (generated at run time, no files on disk). Best of BENCH_ROUNDS (default 3) on each side.
# Run from the repository root after the build; LISTING_FILES=n changes the number of files,
# VAMOX_BUILD=dir the build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/listing.sh"
source "$here/lib/vsftpd.sh"
driver=$(bench_build)/bench/listing_bench
[ -x "$driver" ] || { echo "pattern: $driver not found; build first" >&2; exit 2; }

files=${LISTING_FILES:-1000000}
rounds=${BENCH_ROUNDS:-3}
work=$(mktemp -d)
trap 'pyftpd_stop; rm -rf "$work"' EXIT

# The names of listing_make's folder, as "ls -l" lines and as a plain list.
awk -v n="$files" 'BEGIN {
    split("txt jpg pdf c h log dat", kind, " ");
    for (i = 0; i < n; i++) {
        name = sprintf("bestand_%06d.%s", i, kind[1 + i % 7]);
        printf "-rw-r--r--    1 1000     1000            0 Jan 01  2020 %s\r\n", name > "'"$work"'/listing";
        print name > "'"$work"'/names";
    }
}'
mkdir -p "$work/root/veel"
pyftpd_start pattern "$work" "$work/root" --no-mlst --listing "$work/listing"

out=$("$driver" pattern "$PYFTPD_PORT" /veel '*.txt' "$rounds" 2>/dev/null)
echo "$out"
ours=$(echo "$out" | sed -n 's/.*ours=\([0-9.]*\).*/\1/p')
shown=$(echo "$out" | sed -n 's/.* rows=\([0-9]*\).*/\1/p')
expected=$(LC_ALL=C grep -c -i '\.txt$' "$work/names")
[ "$shown" = "$expected" ] || { echo "pattern: the pane shows '$shown' rows, grep counts $expected" >&2; exit 1; }
LC_ALL=C grep -c -i '\.txt$' "$work/names" > /dev/null # into the cache
ref=$(BENCH_ROUNDS=$rounds listing_best env LC_ALL=C grep -c -i '\.txt$' "$work/names")
echo "pattern ours=$ours reference=$ref unit=s ratio=$(bench_ratio "$ours" "$ref")"
