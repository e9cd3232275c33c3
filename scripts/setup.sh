#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the test oracles need.
# Run as root on Debian 12; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  qt6-base-dev fonts-dejavu-core xvfb xauth
  # Qt's own texts in Polish (the file dialog of the window)
  qt6-translations-l10n
  # the Windows programs: cross-compilers, GoogleTest built from source, Wine to run the
  # tests, screenshots for the window, zip for the package, ccache for repeated builds
  mingw-w64 g++-mingw-w64-x86-64-posix googletest wine wine64 imagemagick zip ccache
  # the conversion report drawn by a real browser (its test and its picture)
  chromium
)

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
