#!/usr/bin/env bash
# Draws the operator's two windows (the main window and the renumbering dialog) under a
# virtual X server and saves them as docs/okno-glowne.png and docs/przenumerowanie.png, the
# pictures the README shows. Run again after changing either window.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)" --target konwerter-screenshots

mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  build/debug/src/app/gui/konwerter-screenshots docs
echo "docs/okno-glowne.png docs/przenumerowanie.png"
