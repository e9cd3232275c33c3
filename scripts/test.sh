#!/usr/bin/env bash
# Sets everything up, builds, and runs every test, the quick checks first so that a fault
# shows within minutes: the format of every C++ file, clang-tidy over the files the last
# commit changed (scripts/tidy.sh), the debug suites with the broken-site cases; then the
# same suites under AddressSanitizer + UndefinedBehaviorSanitizer with the broken-site cases,
# the damage sweep of the sample site under the sanitizers, a short fuzzing smoke of every
# reader, the Windows programs (cross-built, their suites run under Wine, and
# konwerter-cli.exe held against the Linux build), and last the Debian package, installed and
# run from the installed files.
#
# The later builds (sanitizers, fuzzing, Windows, package) start at once in the background at
# the lowest priority, one after another: they take the processor time the checks in front
# leave idle, and each check waits for the build it needs. Any failure stops the script with
# a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs=$(nproc)

# A compiler cache keyed on paths relative to the checkout, so that a fresh clone of the same
# sources in another folder reuses what an earlier build compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

# ---- the builds in the background ---------------------------------------------------------
# Each build writes build/ci/<name>.log and, once ended, build/ci/<name>.status (its exit
# status); the first that fails ends the line of builds.
lane=build/ci
rm -rf "$lane"
mkdir -p "$lane"

lane_step() {
  local name=$1 status=0
  shift
  "$@" >"$lane/$name.log" 2>&1 || status=$?
  echo "$status" >"$lane/$name.status.new"
  mv "$lane/$name.status.new" "$lane/$name.status"
  return "$status"
}
build_asan() {
  cmake --preset asan -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null &&
    cmake --build --preset asan -j "$jobs"
}
build_windows() {
  # Two jobs, as the Windows build always had. The locale as for Wine below.
  LC_ALL=C.UTF-8 cmake --preset windows -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null &&
    LC_ALL=C.UTF-8 cmake --build --preset windows -j 2
}
builds() {
  renice -n 19 -p "$BASHPID" >/dev/null
  lane_step asan build_asan
  lane_step fuzz scripts/fuzz-smoke.sh --build-only
  lane_step windows build_windows
  lane_step package scripts/package-deb.sh
}
# Its own process group (set -m), so that leaving early stops every build it started.
set -m
builds </dev/null &
builds_pid=$!
set +m
trap 'kill -- "-$builds_pid" 2>/dev/null || true' EXIT

# Waits for a background build, shows its output, and stops the script when it failed.
await() {
  local name=$1
  until [[ -f $lane/$name.status ]]; do
    if ! kill -0 "$builds_pid" 2>/dev/null && [[ ! -f $lane/$name.status ]]; then
      echo "test: the background builds ended before the $name build" >&2
      exit 1
    fi
    sleep 2
  done
  cat "$lane/$name.log"
  local status
  status=$(<"$lane/$name.status")
  if [[ $status != 0 ]]; then
    echo "test: the $name build failed (status $status)" >&2
    exit 1
  fi
}

# ---- quick checks: format, tidy on the change, the debug suites ---------------------------
scripts/format-check.sh
cmake --preset debug -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
scripts/tidy.sh
cmake --build --preset debug -j "$jobs"
ctest --preset debug -j "$jobs"
tests/broken_sites/broken_sites.py build/debug

# ---- the sanitizers ---------------------------------------------------------------------
await asan
ctest --preset asan -j "$jobs"
tests/broken_sites/broken_sites.py build/asan
# Every table and index of the sample site damaged in turn, each copy converted: under the
# sanitizers, which the debug build adds nothing to.
tests/damage_sweep/damage_sweep.py build/asan -j "$jobs"

await fuzz
scripts/fuzz-smoke.sh "${FUZZ_SECONDS:-30}"

# ---- the Windows programs ----------------------------------------------------------------
# Wine names host files in the locale's character set: UTF-8 whatever the machine's locale,
# for the Polish names.
await windows
export WINEDEBUG=-all WINEPREFIX="$PWD/build/wineprefix" LC_ALL=C.UTF-8
# Wine makes its prefix on first use: make it once, before tests start side by side.
wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
ctest --preset windows -j 2
scripts/windows-check.sh

# ---- the programs as an engineer installs them: the package, dpkg -i, a conversion -------
await package
scripts/deb-check.sh

wait "$builds_pid"
echo "test: every check passed"
