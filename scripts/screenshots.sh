#!/usr/bin/env bash
# Draws the operator's windows under a virtual X server and saves them as the pictures the
# README shows: docs/okno-glowne.png (the main window), docs/przenumerowanie.png (the
# renumbering dialog) and docs/wynik-konwersji.png (the end of a conversion of the sample
# site, with its warnings). Run again after changing a window.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)" --target konwerter-screenshots

mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  build/debug/src/app/gui/konwerter-screenshots docs
echo "docs/okno-glowne.png docs/przenumerowanie.png docs/wynik-konwersji.png"
