#!/bin/sh
# Draws the program's logo and icons with ImageMagick; the outputs are
# committed, so this only needs running when the artwork changes.
# Usage: scripts/make-images.sh   (from anywhere; needs ImageMagick and
# the Liberation fonts)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/resources"
mkdir -p "$out/icons"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

sans=Liberation-Sans
bold=Liberation-Sans-Bold
mono=Liberation-Mono-Bold

# Logo: 1425 x 556 brand panel. The window shows only rows ~35 to ~470 of
# it, so everything that matters sits inside that band.
convert -size 556x1425 gradient:'#0b1630-#14506e' -rotate 90 "$tmp/bg.png"
convert "$tmp/bg.png" \
    -font "$mono" -pointsize 520 -fill 'rgba(255,255,255,0.06)' \
    -gravity center -annotate +0-10 '((( )))' \
    -fill 'rgba(120,200,255,0.10)' -pointsize 300 -annotate +0-10 '(( ))' \
    "$tmp/motif.png"
convert "$tmp/motif.png" \
    -fill 'rgba(255,190,60,0.9)' -draw 'rectangle 300,296 1125,301' \
    -font "$bold" -pointsize 190 -fill white -gravity center \
    -annotate +0-80 'ZENTRIX' \
    -font "$sans" -pointsize 74 -fill '#ffd27a' \
    -annotate +0+75 'Raw Processing Power' \
    -font "$sans" -pointsize 38 -fill '#9ec9e6' \
    -annotate +0+142 'Nested Logic Test' \
    -strip -quality 90 "$out/logo.jpg"

# Icon master, 256 x 256: a rounded dark tile carrying "(^)", a logic
# operator inside one group.
convert -size 256x256 xc:none \
    -fill '#0e2a4a' -stroke '#ffbe3c' -strokewidth 10 \
    -draw 'roundrectangle 8,8 247,247 44,44' \
    -stroke none -fill white -font "$bold" -pointsize 190 -gravity center \
    -annotate -64+0 '(' -annotate +64+0 ')' \
    -stroke '#ffbe3c' -strokewidth 26 -fill none \
    -draw 'stroke-linecap round stroke-linejoin round polyline 92,182 128,76 164,182' \
    "$tmp/icon256.png"
for size in 16 32 48 64 128 256; do
    convert "$tmp/icon256.png" -filter Lanczos -resize "${size}x${size}" \
        -strip "$out/icons/nested-logic-test-$size.png"
done
