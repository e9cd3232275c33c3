#!/usr/bin/env bash
# Cross-builds the Windows programs and packs them for the operator:
# build/windows/konwerter-windows.zip with konwerter.exe (the window), konwerter-cli.exe and
# CZYTAJ.TXT, a short Polish README in the Windows code page with CR LF line ends.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset windows "${launcher[@]}" >/dev/null
programs=(konwerter-cli)
[[ -f src/app/win32/CMakeLists.txt ]] && programs+=(konwerter)
cmake --build --preset windows -j "${JOBS:-2}" --target "${programs[@]}"

staging=build/windows/package
rm -rf "$staging" build/windows/konwerter-windows.zip
mkdir -p "$staging"
cp build/windows/src/app/cli/konwerter-cli.exe "$staging/"
[[ -f build/windows/src/app/win32/konwerter.exe ]] && cp build/windows/src/app/win32/konwerter.exe "$staging/"
x86_64-w64-mingw32-strip "$staging"/*.exe
iconv -f UTF-8 -t CP1250 scripts/windows/CZYTAJ.TXT | sed 's/$/\r/' >"$staging/CZYTAJ.TXT"
(cd "$staging" && zip -q -X ../konwerter-windows.zip ./*)
echo "build/windows/konwerter-windows.zip:"
unzip -l build/windows/konwerter-windows.zip
