#!/bin/bash
# Draws Tessivar's program icon and writes it as an .ico file with the
# sizes 16, 32 and 48 (32-bit pixels with alpha): a blue tile with a white
# "T" and a gold bar, the program's colours.
#
#   make-icon.sh OUTPUT.ico
set -euo pipefail
out=${1:?usage: make-icon.sh OUTPUT.ico}
sizes=(16 32 48)

le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)); }

# One pixel as blue, green, red, alpha; (x, y) from the top left.
pixel() {
    local s=$1 x=$2 y=$3
    local r=$((s / 6)) cx=$x cy=$y
    # Outside the rounded corners: transparent.
    ((cx < r)) && cx=$((r - cx)) || { ((cx >= s - r)) && cx=$((cx - (s - r - 1))) || cx=0; }
    ((cy < r)) && cy=$((r - cy)) || { ((cy >= s - r)) && cy=$((cy - (s - r - 1))) || cy=0; }
    if ((cx * cx + cy * cy > r * r)); then
        printf '\\x00\\x00\\x00\\x00'
        return
    fi
    local x100=$((x * 100 / s)) y100=$((y * 100 / s))
    if ((y100 >= 17 && y100 < 31 && x100 >= 19 && x100 < 81)) || ((x100 >= 41 && x100 < 59 && y100 >= 17 && y100 < 71)); then
        printf '\\xff\\xff\\xff\\xff'
    elif ((y100 >= 78 && y100 < 87 && x100 >= 19 && x100 < 81)); then
        printf '\\x30\\xb6\\xe8\\xff'
    else
        printf '\\x%02x\\x%02x\\x%02x\\xff' $((140 + 90 * y / s)) $((50 + 60 * y / s)) $((16 + 20 * y / s))
    fi
}

image() {  # the icon image of one size: header, pixels bottom-up, an empty mask
    local s=$1 y x
    le32 40; le32 "$s"; le32 $((2 * s)); le16 1; le16 32; le32 0; le32 $((s * s * 4)); le32 0; le32 0; le32 0; le32 0
    for ((y = s - 1; y >= 0; y--)); do
        for ((x = 0; x < s; x++)); do pixel "$s" "$x" "$y"; done
    done
    local mask=$(((s + 31) / 32 * 4 * s)) i
    for ((i = 0; i < mask; i++)); do printf '\\x00'; done
}

header=$(le16 0; le16 1; le16 ${#sizes[@]})
offset=$((6 + 16 * ${#sizes[@]}))
entries=""
images=""
for s in "${sizes[@]}"; do
    bytes=$((40 + s * s * 4 + (s + 31) / 32 * 4 * s))
    entries+=$(printf '\\x%02x\\x%02x\\x00\\x00' $((s & 255)) $((s & 255)); le16 1; le16 32; le32 "$bytes"; le32 "$offset")
    images+=$(image "$s")
    offset=$((offset + bytes))
done
printf '%b' "$header$entries$images" >"$out.tmp"
mv "$out.tmp" "$out"
