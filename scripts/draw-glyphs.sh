#!/usr/bin/env bash
# Draws the pictures of the native window's picture buttons as 16 x 16 icons into
# src/app/win32/glyphs/ (the resources of src/app/win32/glyphs.rc): a green tick for
# "Konwersja" and OK, a red cross for "Anuluj", a green plus and a red minus for the grid's
# "Dodaj nowy wiersz" and "Usuń wiersz", as the Qt window shows them. Run again only to
# change a picture; the icons are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/../src/app/win32/glyphs"

draw() {  # name, ImageMagick drawing arguments...
  local name=$1
  shift
  convert -size 16x16 xc:none "$@" -define icon:auto-resize=16 "$name.ico"
}
draw ok -fill none -stroke '#138a13' -strokewidth 2.6 -draw 'polyline 2.5,8.5 6,12 13.5,3.5'
draw cancel -fill none -stroke '#c80000' -strokewidth 2.4 \
  -draw 'line 3.5,3.5 12.5,12.5' -draw 'line 12.5,3.5 3.5,12.5'
draw add_row -fill '#008000' -stroke none -draw 'rectangle 3,7 12,8' -draw 'rectangle 7,3 8,12'
draw delete_row -fill '#c00000' -stroke none -draw 'rectangle 3,7 12,8'
ls -l ./*.ico
