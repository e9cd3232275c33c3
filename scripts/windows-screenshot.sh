#!/usr/bin/env bash
# Takes the pictures of konwerter.exe for the README under Wine on a display-less X server:
# docs/konwerter-windows.png (the main window), docs/przenumerowanie-windows.png (the
# renumbering dialog) and docs/wynik-konwersji-windows.png (the end of a conversion of the
# sample site, with its warnings). konwerter-screenshots.exe draws them; the sample site is
# written to C:\TEROKAN of the Wine prefix and converted to C:\TEROKAN-WIN, so no folder of
# the machine that took them shows. Wine draws the windows' title bars itself here.
# REQUIRES: the windows preset built (scripts/package-windows.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix}

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wineserver -w
xvfb-run -a -s "-screen 0 1024x768x24" \
  wine build/windows/src/app/win32/konwerter-screenshots.exe "Z:${shots//\//\\}"
wineserver -k || true
mkdir -p docs
for name in konwerter-windows przenumerowanie-windows wynik-konwersji-windows; do
  convert "$shots/$name.bmp" "docs/$name.png"
  echo "docs/$name.png"
done
