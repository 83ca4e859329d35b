#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests), starts a demo FTP server on
# 127.0.0.1 over a sample tree and starts the program with the saved server "Demo" opened.
# Closing the program stops the demo server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

# The server starts while the build runs: both take about a second with nothing to build.
demo=build/demo
mkdir -p "$demo/ftp"
rm -f "$demo/port"
/usr/bin/python3 scripts/demo-server.py "$demo/ftp" "$demo/port" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
bash scripts/build.sh vamox

for _ in $(seq 200); do [ -s "$demo/port" ] && break; sleep 0.05; done
[ -s "$demo/port" ] || { echo "the demo server did not start" >&2; exit 1; }
/usr/bin/python3 scripts/demo-config.py build/vamox.cfg "$(cat "$demo/port")"
./build/vamox "$@"
