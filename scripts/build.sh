#!/usr/bin/env bash
# Builds into build/: every target, or only the targets named as arguments (two parallel jobs:
# the machines have two cores). Configures only a new build folder; after that the build re-runs
# CMake itself when a CMake file changed.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/Makefile ] && [ ! -f build/build.ninja ]; then
  # CI builds once from nothing and throws the build away: without debug information it compiles
  # and links in far less time.
  ohne_debug=()
  if [ -n "${CI:-}" ] && [ "$CI" != false ]; then ohne_debug=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"); fi
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${ohne_debug[@]}" >/dev/null
fi
cmake --build build -j2 ${1:+--target "$@"}
