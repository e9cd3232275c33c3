#!/usr/bin/env bash
# Installs the Debian packages a part of the work needs. Run as root on Debian 12; safe to
# run again.
#   scripts/setup.sh programs   what building and running konwerter-cli needs (scripts/demo.sh)
#   scripts/setup.sh            everything: the build, the window, the tests and their oracles,
#                               the Windows programs and the Debian package (scripts/test.sh)
set -euo pipefail

programs=(g++ cmake ninja-build nlohmann-json3-dev)
everything=(
  "${programs[@]}" build-essential pkg-config
  clang libclang-rt-14-dev
  # the checks of format and code (scripts/format-check.sh, scripts/tidy.sh)
  clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  qt6-base-dev fonts-dejavu-core xvfb xauth
  # Qt's own texts in Polish (the file dialog of the window)
  qt6-translations-l10n
  # the Windows programs: cross-compilers, GoogleTest built from source, Wine to run the
  # tests, screenshots for the window, zip for the package, ccache for repeated builds
  mingw-w64 g++-mingw-w64-x86-64-posix googletest wine wine64 imagemagick zip ccache
  # the Debian package: its dependencies are worked out by dpkg-shlibdeps, which needs file
  file
  # the conversion report drawn by a real browser (its test and its picture)
  chromium
)

case "${1:-everything}" in
  programs) packages=("${programs[@]}") ;;
  everything) packages=("${everything[@]}") ;;
  *)
    echo "usage: scripts/setup.sh [programs]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
