#!/bin/bash
# Builds the release archive build/release/Tessivar-Rovandel2-VERSION-win.zip
# (both programs for 64-bit and 32-bit Windows, the German user guide with
# the demo's screenshots, and LIESMICH.txt) and beside it the Windows
# Installer packages Tessivar-Rovandel2-VERSION-x64.msi and -x86.msi.
# With a certificate configured (scripts/sign.sh names the variables) all
# four programs and both packages are signed; without one it says so.
#
#   scripts/release.sh [--reuse-screenshots]
#
# --reuse-screenshots skips the demo when its screenshots are all there.
set -euo pipefail
cd "$(dirname "$0")/.."

reuse=0
case "${1:-}" in
    --reuse-screenshots) reuse=1 ;;
    "") ;;
    *) echo "usage: $0 [--reuse-screenshots]" >&2; exit 2 ;;
esac

scripts/install-deps.sh

jobs=$(nproc)
echo "=== build: windows (64-bit) and windows-x86 (32-bit), Release"
cmake --preset windows -DRELEASE_SCREENSHOTS="$PWD/build/windows/guide-pictures" >/dev/null
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows -j "$jobs" --target tessivar rovandel2 \
    actstandin boxdriver seedact keepalive actconfig demoaddon routepages_server
cmake --build --preset windows-x86 -j "$jobs" --target tessivar rovandel2

SHOTS=build/windows/demo/screenshots
mapfile -t pictures < <(grep -o 'bilder/[A-Za-z0-9_-]*\.png' docs/benutzerhandbuch/index.html | sort -u | sed 's|^bilder/||')
missing_pictures() {
    local p
    for p in "${pictures[@]}"; do [ -f "$SHOTS/$p" ] || echo "$p"; done
}
if [ "$reuse" -eq 0 ] || [ -n "$(missing_pictures)" ]; then
    echo "=== demo: screenshots for the user guide"
    # On a display of its own: with the caller's display it would wait for answers and save nothing.
    env -u DISPLAY scripts/demo-run.sh
fi
if [ -n "$(missing_pictures)" ]; then
    echo "release: the demo left no screenshot for the user guide:" $(missing_pictures) >&2
    exit 1
fi
# The screenshots show the whole virtual screen: the guide shows the windows.
PICTURES=build/windows/guide-pictures
rm -rf "$PICTURES"
mkdir -p "$PICTURES"
for p in "${pictures[@]}"; do /usr/bin/convert "$SHOTS/$p" -trim +repage "$PICTURES/$p"; done

echo "=== imports"
scripts/check-imports.sh build/windows/bin/tessivar.exe build/windows/bin/rovandel2.exe \
    build/windows-x86/bin/tessivar.exe build/windows-x86/bin/rovandel2.exe

echo "=== signatures of the programs"
scripts/sign.sh build/windows/bin/tessivar.exe build/windows/bin/rovandel2.exe \
    build/windows-x86/bin/tessivar.exe build/windows-x86/bin/rovandel2.exe

echo "=== archive"
rm -rf build/release
cpack --config build/windows/CPackConfig.cmake -B "$PWD/build/release"

echo "=== Windows Installer packages"
cmake --build --preset windows --target msi

echo "=== signatures of the packages"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/windows/CPackConfig.cmake)
scripts/sign.sh build/release/Tessivar-Rovandel2-"$version"-x64.msi build/release/Tessivar-Rovandel2-"$version"-x86.msi
