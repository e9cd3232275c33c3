#!/usr/bin/env bash
# Takes the picture of konwerter.exe for the README: the window started under Wine on a
# display-less X server, cut from the screen into docs/konwerter-windows.png.
# REQUIRES: the windows preset built (scripts/package-windows.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$PWD/build/wineprefix}

shoot() {
  wine build/windows/src/app/win32/konwerter.exe &
  local program=$!
  sleep "${SETTLE_SECONDS:-8}"
  import -window root -trim +repage docs/konwerter-windows.png
  kill "$program"
  wineserver -k || true
}
if [[ ${1:-} == --on-display ]]; then
  shoot
else
  xvfb-run -a -s "-screen 0 640x600x24" "$0" --on-display
  echo "docs/konwerter-windows.png"
fi
