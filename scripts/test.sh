#!/usr/bin/env bash
# Installs what is missing, builds, checks the Debian package, and runs the whole test suite; then
# the session and queue tests once more under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
bash scripts/pakket.sh
(cd build && ctest --output-on-failure -j2 --timeout 300)
bash scripts/sanitize.sh
