#!/usr/bin/env bash
# Cross-builds the Windows programs and packs them for the operator:
# build/windows/konwerter-windows-<version>.zip with konwerter.exe (the window),
# konwerter-cli.exe, CZYTAJ.TXT (a short Polish README) and PRZEWODNIK.TXT (the operator's
# guide). Both texts carry the programs' version and are UTF-8 with a byte-order mark and
# CR LF line ends, which Notepad shows right on any Windows, whatever its code page.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset windows "${launcher[@]}" >/dev/null
cmake --build --preset windows -j "${JOBS:-2}" --target konwerter-cli konwerter

version_text=$(cat build/windows/version/version.txt)  # "0.1 (abc1234)"
zip_file=build/windows/konwerter-windows-${version_text%% *}.zip
staging=build/windows/package
rm -rf "$staging" build/windows/konwerter-windows*.zip
mkdir -p "$staging"
cp build/windows/src/app/cli/konwerter-cli.exe build/windows/src/app/win32/konwerter.exe \
  "$staging/"
x86_64-w64-mingw32-strip "$staging"/*.exe
for text in CZYTAJ.TXT PRZEWODNIK.TXT; do
  {
    printf '\xEF\xBB\xBF'
    sed -e "s/@WERSJA@/$version_text/" -e 's/$/\r/' "scripts/windows/$text"
  } >"$staging/$text"
done
(cd "$staging" && zip -q -X "../$(basename "$zip_file")" ./*)
echo "$zip_file:"
unzip -l "$zip_file"
