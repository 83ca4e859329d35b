#!/usr/bin/env bash
# Runs one benchmark by name from the repository root after the normal build into build/.
# Each prints as its last line: NAME ours=<v> reference=<v> unit=<u> ratio=<ours/reference>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
names=$(cd "$here" && ls -1 *.sh 2>/dev/null | grep -v '^run.sh$' | sed 's/\.sh$//' || true)
if [ $# -eq 0 ]; then
  echo "benchmarks:"; for n in $names; do echo "  $n"; done; exit 0
fi
name=$1; shift
[ -f "$here/$name.sh" ] || { echo "unknown benchmark: $name" >&2; exit 2; }
exec bash "$here/$name.sh" "$@"
