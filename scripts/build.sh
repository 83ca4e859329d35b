#!/usr/bin/env bash
# Builds into build/: every target, or only the targets named as arguments (two parallel jobs:
# the machines have two cores). Configures only a new build folder; after that the build re-runs
# CMake itself when a CMake file changed.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/Makefile ] && [ ! -f build/build.ninja ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j2 ${1:+--target "$@"}
