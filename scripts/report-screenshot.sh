#!/usr/bin/env bash
# Takes the picture of the conversion report for the README: the sample DOS site generated
# and converted, its RAPORT/raport.html drawn by Debian's chromium without a display, the
# top of the page saved as docs/raport.png. Run again after changing the report.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset debug >/dev/null
cmake --build --preset debug -j "$(nproc)" --target konwerter-cli
cli=build/debug/src/app/cli/konwerter-cli

work=${TMPDIR:-/tmp}/konwerter-raport
rm -rf "$work"
mkdir -p "$work"
"$cli" generate-sample --output "$work/dos" --scale 1 --seed 1 >/dev/null
"$cli" convert --input "$work/dos/SYSTEM" --output "$work/win" --yes --quiet >/dev/null || true

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
mkdir -p docs
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --hide-scrollbars --user-data-dir="$profile" --window-size=1200,2300 \
  --screenshot="$PWD/docs/raport.png" "file://$work/win/RAPORT/raport.html" 2>/dev/null
echo "docs/raport.png"
