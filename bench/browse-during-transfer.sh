#!/usr/bin/env bash
# browse-during-transfer: a server folder of 20,000 files listed on the panes' session while the
# transfer queue downloads a 1 GiB file on a connection of its own (transfers in the background),
# against the same listing on an idle connection in the same run (pyftpdlib on 127.0.0.1). Best of
# three listings each. A 10 ms timer runs throughout; its worst lateness is printed as the event
# loop's longest stall. Targets: ratio <= 1.5, max_late_ms <= 50.
# Run from the repository root after the build; VAMOX_BUILD=dir picks another build folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/listing.sh"
source "$here/lib/vsftpd.sh"
driver=$(bench_build)/bench/transfer_bench
[ -x "$driver" ] || { echo "browse-during-transfer: $driver not found; build first" >&2; exit 2; }
[ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import pyftpdlib' 2>/dev/null ||
    { echo "browse-during-transfer: /usr/bin/python3 with pyftpdlib needed (python3-pyftpdlib)" >&2; exit 2; }

files=${LISTING_FILES:-20000}
size_mb=${BROWSE_SIZE_MB:-1024}
work=$(mktemp -d)
server_pid=
stop_server() { if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi; }
trap 'stop_server; rm -rf "$work"' EXIT
bench_need_space "$work" $((size_mb + 64))

mkdir -p "$work/root" "$work/lokaal"
listing_make "$work/root/veel" "$files"
head -c $((size_mb * 1024 * 1024)) /dev/zero >"$work/root/groot.bin"
/usr/bin/python3 "$here/../tests/support/ftpserver.py" --port-file "$work/port" --root "$work/root" \
    --user anonymous --password bench@example.org \
    2> "$work/server.log" &
server_pid=$!
for _ in $(seq 200); do [ -s "$work/port" ] && break; sleep 0.05; done
[ -s "$work/port" ] || { echo "browse-during-transfer: the server did not start" >&2; exit 1; }
port=$(cat "$work/port")

out=$("$driver" browse 127.0.0.1 "$port" /groot.bin /veel "$work/lokaal") ||
    { echo "browse-during-transfer: our run failed: $out" >&2; exit 1; }
[ "$(bench_field rows "$out")" = "$files" ] || { echo "browse-during-transfer: wrong rows: $out" >&2; exit 1; }
[ "$(bench_field during "$out")" = 1 ] || { echo "browse-during-transfer: the download ended first: $out" >&2; exit 1; }
idle=$(bench_field idle_s "$out")
busy=$(bench_field busy_s "$out")
echo "browse-during-transfer stall max_late_ms=$(bench_field max_late_ms "$out") target<=50"
echo "browse-during-transfer ours=$busy reference=$idle unit=s ratio=$(bench_ratio "$busy" "$idle")"
