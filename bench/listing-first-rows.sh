#!/usr/bin/env bash
# listing-first-rows: how soon the first rows of a folder of 1,000,000 files show, on both sides:
# the local pane, the server pane over pyftpdlib (MLSD) and over vsftpd (LIST). For each, the
# time from the call of the fill to the first paint of the file list with 100 rows or more, and
# as the reference the time of the whole fill in the same run. The last line reports the slowest
# source. vsftpd needs root; without it that source is left out (said so).
# Run from the repository root after the build; LISTING_FILES=n changes the number of files,
# VAMOX_BUILD=dir the build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/listing.sh"
source "$here/lib/vsftpd.sh"
driver=$(bench_build)/bench/listing_bench
[ -x "$driver" ] || { echo "listing-first-rows: $driver not found; build first" >&2; exit 2; }

files=${LISTING_FILES:-1000000}
work=$(mktemp -d)
cleanup() { pyftpd_stop; [ -n "${VSFTPD_PID:-}" ] && vsftpd_stop; rm -rf "$work"; }
trap cleanup EXIT

mkdir -p "$work/root"
listing_make "$work/root/veel" "$files"
ls -f "$work/root/veel" > /dev/null # into the cache, for every source alike

worst= worst_full=
report() { # source output
    local first full rows
    first=$(echo "$2" | sed -n 's/.*first=\([-0-9.]*\).*/\1/p')
    full=$(echo "$2" | sed -n 's/.*full=\([0-9.]*\).*/\1/p')
    rows=$(echo "$2" | sed -n 's/.* rows=\([0-9]*\).*/\1/p')
    [ "$rows" = "$files" ] || { echo "listing-first-rows: $1 shows '$rows' rows, not $files: $2" >&2; exit 1; }
    echo "listing-first-rows $1 first=$first full=$full unit=s (target first<1)"
    if [ -z "$worst" ] || awk -v a="$first" -v b="$worst" 'BEGIN { exit !(a > b) }'; then
        worst=$first worst_full=$full
    fi
}

report local "$("$driver" first local "$work/root/veel" 2>/dev/null)"

pyftpd_start listing-first-rows "$work" "$work/root"
report pyftpdlib-mlsd "$("$driver" first server "$PYFTPD_PORT" /veel 2>/dev/null)"
pyftpd_stop

if vsftpd_start "$work/root" 2>/dev/null; then
    report vsftpd-list "$("$driver" first server "$VSFTPD_PORT" /veel anonymous vamox@ 2>/dev/null)"
else
    echo "listing-first-rows vsftpd-list skipped (needs root, /usr/sbin/vsftpd and the user ftp)"
fi

echo "listing-first-rows ours=$worst reference=$worst_full unit=s ratio=$(bench_ratio "$worst" "$worst_full")"
