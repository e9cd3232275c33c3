#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short while on its seed corpus.
# Usage: scripts/fuzz-smoke.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: fuzzing skipped" >&2
  exit 0
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

shopt -s nullglob
targets=(build/fuzz/tests/fuzz/fuzz_*)
for target in "${targets[@]}"; do
  name=$(basename "$target")
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work" 2>&1 | tail -n 4
  status=${PIPESTATUS[0]}
  rm -rf "$work"
  if [ "$status" -ne 0 ]; then
    echo "$name failed" >&2
    exit "$status"
  fi
done
