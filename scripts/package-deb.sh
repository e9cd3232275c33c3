#!/usr/bin/env bash
# Builds the Debian package of the programs, build/programs/konwerter_<version>_amd64.deb:
# konwerter-cli with its Polish manual page, and the window konwerter with its manual page,
# desktop entry and icon. The programs alone are built (preset programs: optimised, no tests
# or benchmarks), through the compiler cache when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset programs "${launcher[@]}" >/dev/null
cmake --build --preset programs -j "${JOBS:-$(nproc)}"
if [[ ! -x build/programs/src/app/gui/konwerter ]]; then
  echo "package-deb: the window konwerter was not built (Qt 6 missing: scripts/setup.sh)" >&2
  exit 1
fi

rm -f build/programs/konwerter_*.deb
(cd build/programs && cpack -G DEB >/dev/null)
package=$(ls build/programs/konwerter_*.deb)
echo "$package:"
dpkg-deb --info "$package" | grep -E "^ (Package|Version|Architecture|Depends):"
dpkg-deb --contents "$package" | awk '{print "  " $6}' | grep -v '/$'
