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
SRC=$(cd "$(dirname "$0")/../.." && pwd)
ENV_SCRIPT=$SRC/cmake/wine/wine-env.sh
WORK=$(mktemp -d)
export WINE_ENV_DIR=$WORK/wine WINE_KEEPALIVE=$BIN/keepalive.exe

background=()
cleanup() {
    local pid
    for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$ENV_SCRIPT" stop >/dev/null 2>&1 || true
    for pid in "${background[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "release_unpack: $*" >&2; exit 1; }
step() { echo "-- $*"; }
win() { "$ENV_SCRIPT" run "$@" </dev/null; }
winpath() { "$ENV_SCRIPT" shell winepath -w "$1" 2>/dev/null | tr -d '\r'; }
exit_code_of() {  # expected code, what, command...
    local expected=$1 what=$2 code=0
    shift 2
    "$@" || code=$?
    [ "$code" -eq "$expected" ] || fail "$what ended with exit code $code, expected $expected"
}

step "unpacking $(basename "$ARCHIVE")"
[ -f "$ARCHIVE" ] || fail "no archive at $ARCHIVE"
mkdir -p "$WORK/unpacked"
(cd "$WORK/unpacked" && cmake -E tar xf "$ARCHIVE")
APP64=$WORK/unpacked/64-Bit
PROGRAMS=("$APP64/tessivar.exe" "$APP64/rovandel2.exe" "$WORK/unpacked/32-Bit/tessivar.exe"
          "$WORK/unpacked/32-Bit/rovandel2.exe")
for file in "${PROGRAMS[@]}" "$WORK/unpacked/LIESMICH.txt" "$WORK/unpacked/Benutzerhandbuch/index.html"; do
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
cp "$BIN/demoaddon.exe" "$APP64/DemoAddon.exe"
win "$BIN/seedact.exe" >/dev/null
win "$BIN/seedact.exe" --command-file "$(winpath "$APP64/DemoAddon.cmd")" DemoAddon >/dev/null
win "$BIN/actconfig.exe" >"$WORK/before.txt"
! grep -q DemoAddon "$WORK/before.txt" || fail "the seeded configuration already holds DemoAddon"
exit_code_of 0 "the install" win "$APP64/tessivar.exe" DemoAddon install /quiet
win "$BIN/actconfig.exe" >"$WORK/installed.txt"
grep -q DemoAddon "$WORK/installed.txt" || fail "after the install ACT!'s configuration holds no DemoAddon"
exit_code_of 0 "the removal" win "$APP64/tessivar.exe" DemoAddon deinstall /quiet
win "$BIN/actconfig.exe" >"$WORK/removed.txt"
cmp -s "$WORK/before.txt" "$WORK/removed.txt" ||
    fail "after the removal ACT!'s configuration differs from before the install: $(diff "$WORK/before.txt" "$WORK/removed.txt")"

step "rovandel2.exe beside the ACT! stand-in, up to its window"
win "$BIN/actstandin.exe" --register
# The stand-in ends by itself should this script be killed before its cleanup.
"$ENV_SCRIPT" run "$BIN/actstandin.exe" --title "ACT! - Demo-Datenbank" --seconds 120 </dev/null >/dev/null 2>&1 &
background+=("$!")
win "$BIN/boxdriver.exe" --class ACT3.0FrameClass --timeout 20000 >/dev/null || fail "the ACT! stand-in opened no window"
"$ENV_SCRIPT" run "$APP64/rovandel2.exe" </dev/null >/dev/null 2>&1 &
rovandel_pid=$!
background+=("$rovandel_pid")
win "$BIN/boxdriver.exe" --class Rovandel2Haupt --timeout 20000 --close >/dev/null ||
    fail "rovandel2.exe opened no main window"
exit_code_of 0 "rovandel2.exe, closed," wait "$rovandel_pid"
win "$BIN/boxdriver.exe" --class ACT3.0FrameClass --timeout 5000 --close >/dev/null || true
echo "release_unpack: passed"
