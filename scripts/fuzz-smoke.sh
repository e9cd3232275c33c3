#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short while on its seed corpus
# (tests/fuzz/corpus/<name>/). Any crash, sanitizer report or input running past the
# timeout fails the script.
# Usage: scripts/fuzz-smoke.sh [seconds per target] [build folder]
#        scripts/fuzz-smoke.sh --build-only [build folder]   builds the targets, runs none
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=false
if [ "${1:-}" = --build-only ]; then
  build_only=true
  shift
  set -- "" "$@"
fi
seconds="${1:-20}"
build="${2:-build/fuzz}"

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: fuzzing skipped" >&2
  exit 0
fi

names=()
for source in tests/fuzz/fuzz_*.cc; do
  names+=("$(basename "$source" .cc)")
done
if [ "${#names[@]}" -eq 0 ]; then
  echo "no fuzz targets" >&2
  exit 0
fi

cmake --preset fuzz -B "$build" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" --target "${names[@]}" -j "$(nproc)"
if $build_only; then
  echo "fuzz targets built: ${names[*]}"
  exit 0
fi

for name in "${names[@]}"; do
  target="$build/tests/fuzz/$name"
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  log=$(mktemp)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  status=0
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "$name failed (status $status)" >&2
    rm -rf "$work" "$log"
    exit "$status"
  fi
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || tail -n 3 "$log"
  rm -rf "$work" "$log"
done
echo "fuzz smoke passed: ${names[*]}"
