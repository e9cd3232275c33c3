#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: the Debian package, installed and run
# from the installed files; the debug suites, the same suites under AddressSanitizer +
# UndefinedBehaviorSanitizer, the broken-site cases with each build, the damage sweep of the
# sample site under the sanitizers, a short fuzzing smoke of every reader, and the Windows
# programs: cross-built, their suites run under Wine, and konwerter-cli.exe held against the
# Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs=$(nproc)

# A compiler cache keyed on paths relative to the checkout, so that a fresh clone of the same
# sources in another folder reuses what an earlier build compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

# First the programs as an engineer installs them: the package, dpkg -i, a conversion.
scripts/package-deb.sh
scripts/deb-check.sh

for preset in debug asan; do
  cmake --preset "$preset" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
  tests/broken_sites/broken_sites.py "build/$preset"
done
# Every table and index of the sample site damaged in turn, each copy converted: under the
# sanitizers, which the debug build adds nothing to.
tests/damage_sweep/damage_sweep.py build/asan -j "$jobs"

scripts/fuzz-smoke.sh "${FUZZ_SECONDS:-30}"

# The Windows build shares the machine: two jobs, compiler cache. Wine names host files in
# the locale's character set: UTF-8 whatever the machine's locale, for the Polish names.
export WINEDEBUG=-all WINEPREFIX="$PWD/build/wineprefix" LC_ALL=C.UTF-8
cmake --preset windows -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build --preset windows -j 2
# Wine makes its prefix on first use: make it once, before tests start side by side.
wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
ctest --preset windows -j 2
scripts/windows-check.sh
