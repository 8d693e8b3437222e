#!/bin/bash
# Draws rovandel2.ico (48, 32 and 16 pixels): a winding road from a red pin
# to a green one on a blue tile. Run it again after changing the drawing;
# the build uses the .ico file checked in beside it.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
/usr/bin/convert -size 256x256 xc:none \
    -fill '#1e5aa0' -stroke '#0f3060' -strokewidth 8 -draw 'roundrectangle 8,8 248,248 40,40' \
    -fill none -stroke '#464646' -strokewidth 44 -draw 'bezier 52,196 90,60 170,230 204,84' \
    -stroke '#8c8c92' -strokewidth 34 -draw 'bezier 52,196 90,60 170,230 204,84' \
    -stroke white -strokewidth 6 -draw 'stroke-dasharray 18 14 bezier 52,196 90,60 170,230 204,84' \
    -stroke '#3c1414' -strokewidth 5 \
    -fill '#d22828' -draw 'path "M 52,214 L 30,160 A 26,26 0 1,1 74,160 Z"' \
    -fill '#28aa3c' -draw 'path "M 204,102 L 182,48 A 26,26 0 1,1 226,48 Z"' \
    -fill white -stroke none -draw 'circle 52,146 52,136' -draw 'circle 204,34 204,24' \
    "$tmp/big.png"
for size in 48 32 16; do
    /usr/bin/convert "$tmp/big.png" -resize ${size}x${size} "$tmp/$size.png"
done
/usr/bin/convert "$tmp/48.png" "$tmp/32.png" "$tmp/16.png" rovandel2.ico
echo "rovandel2.ico written"
