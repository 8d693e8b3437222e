#!/bin/bash
# The release archive as a user gets it: unpacked into a fresh folder and a
# fresh Wine prefix, the 64-bit Tessivar installs and removes the demo
# add-on unattended, the 64-bit Rovandel2 opens its window beside the ACT!
# stand-in, and all four programs import only system DLLs and carry the
# archive's version.
#
#   release_unpack_test.sh ARCHIVE VERSION TOOLS_BIN
#
# TOOLS_BIN holds the stand-ins and helpers of the 64-bit build tree.
set -euo pipefail
ARCHIVE=$1 VERSION=$2 BIN=$3
NAME=release_unpack
# shellcheck source=wine-test-lib.sh
. "$(dirname "$0")/wine-test-lib.sh"

step "unpacking $(basename "$ARCHIVE")"
[ -f "$ARCHIVE" ] || fail "no archive at $ARCHIVE"
mkdir -p "$WORK/unpacked"
(cd "$WORK/unpacked" && cmake -E tar xf "$ARCHIVE")
APP64=$WORK/unpacked/64-Bit
PROGRAMS=("$APP64/tessivar.exe" "$APP64/rovandel2.exe" "$WORK/unpacked/32-Bit/tessivar.exe"
          "$WORK/unpacked/32-Bit/rovandel2.exe")
for file in "${PROGRAMS[@]}" "$WORK/unpacked/LIESMICH.txt" "$WORK/unpacked/Drittanbieter.txt" \
            "$WORK/unpacked/Benutzerhandbuch/index.html" \
            "$WORK"/unpacked/Richtlinien/{Rovandel2.admx,de-DE/Rovandel2.adml,en-US/Rovandel2.adml}; do
    [ -f "$file" ] || fail "the archive lacks ${file#"$WORK"/unpacked/}"
done
grep -q "Version $VERSION" "$WORK/unpacked/LIESMICH.txt" || fail "LIESMICH.txt does not name version $VERSION"

step "imports and version resources of the four programs"
"$SRC/scripts/check-imports.sh" "${PROGRAMS[@]}"
IFS=. read -r major minor patch <<<"$VERSION"
for exe in "${PROGRAMS[@]}"; do
    resources=$(x86_64-w64-mingw32-windres --input-format=coff -i "$exe" -O rc 2>/dev/null) ||
        fail "the resources of $exe cannot be read"
    grep -q "FILEVERSION $major, *$minor, *0, *$patch\$" <<<"$resources" ||
        fail "$exe has no FILEVERSION $major,$minor,0,$patch"
    grep -q "VALUE \"ProductVersion\", \"$VERSION\"" <<<"$resources" ||
        fail "$exe has no ProductVersion \"$VERSION\""
done

step "a fresh Wine prefix"
"$ENV_SCRIPT" start

step "tessivar.exe DemoAddon install /quiet and deinstall /quiet"
demo_addon_round_trip "$APP64" "$APP64/tessivar.exe"

step "rovandel2.exe beside the ACT! stand-in, up to its window"
rovandel2_opens "$APP64/rovandel2.exe"
echo "release_unpack: passed"
