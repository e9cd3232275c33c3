#!/usr/bin/env bash
# Installs what building konwerter-cli needs (and nothing more: the tests' tools come with
# scripts/test.sh), builds it, writes the built-in sample DOS site (scale 1) and converts
# it, printing the conversion summary. The site and the converted database are left in
# build/demo/ for a look.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh programs
cmake --preset programs >/dev/null
cmake --build --preset programs -j "$(nproc)" --target konwerter-cli

cli=build/programs/src/app/cli/konwerter-cli
demo=build/demo
rm -rf "$demo"
mkdir -p "$demo"

"$cli" --version
"$cli" generate-sample --output "$demo/dos" --scale 1 --seed 1
"$cli" convert --input "$demo/dos/SYSTEM" --output "$demo/windows" --yes \
  --summary "$demo/summary.json"
echo
echo "Baza wynikowa: $demo/windows   podsumowanie: $demo/summary.json"
