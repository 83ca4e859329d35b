#!/usr/bin/env bash
# Installs what is missing, builds, checks the Debian package, and runs the whole test suite.
# The session and queue tests under the sanitizers are scripts/sanitize.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
bash scripts/pakket.sh
(cd build && ctest --output-on-failure -j2 --timeout 300)
