#!/usr/bin/env bash
# Draws the programs' icon with ImageMagick: a table on a blue tile with an arrow leading
# out of it (the data carried over to the new system). Writes konwerter.png (256 pixels, for
# the Linux desktop) and konwerter.ico (16 to 256 pixels, for the Windows programs) beside
# this script; both are kept in the repository, so run it again only to change the picture.
set -euo pipefail
cd "$(dirname "$0")"

blue='#1f5fa8'
light='#d6e6f7'
orange='#f08c00'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The picture at 256 pixels: tile, table (header row, grid), arrow with a white rim.
convert -size 256x256 xc:none \
  -fill "$blue" -draw "roundrectangle 8,8 247,247 44,44" \
  -fill white -draw "roundrectangle 40,44 184,188 10,10" \
  -fill "$light" -draw "rectangle 48,52 176,84" \
  -stroke "$blue" -strokewidth 8 -fill none \
  -draw "line 44,88 180,88" -draw "line 44,122 180,122" -draw "line 44,156 180,156" \
  -draw "line 104,88 104,184" \
  -stroke white -strokewidth 10 -fill "$orange" \
  -draw "polygon 108,170 158,170 158,138 216,190 158,242 158,210 108,210" \
  "$work/full.png"
# The arrow's rim may stand out of the tile: cut the picture to the canvas again.
convert "$work/full.png" -background none -gravity center -extent 256x256 konwerter.png

# Each size resampled from the large picture and sharpened a little, 8-bit alpha.
sizes=(16 24 32 48 64 128 256)
frames=()
for size in "${sizes[@]}"; do
  convert konwerter.png -filter Lanczos -resize "${size}x${size}" -unsharp 0x0.6 \
    "PNG32:$work/$size.png"
  frames+=("$work/$size.png")
done
convert "${frames[@]}" konwerter.ico
identify konwerter.ico
