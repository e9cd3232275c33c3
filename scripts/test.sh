#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the debug suites, the same suites under
# AddressSanitizer + UndefinedBehaviorSanitizer, the broken-site cases with each build, and a
# short fuzzing smoke of every reader.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs=$(nproc)

for preset in debug asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
  tests/broken_sites/broken_sites.py "build/$preset"
done

scripts/fuzz-smoke.sh "${FUZZ_SECONDS:-30}"
