# Shared by the release tests: a Wine prefix of the test's own, and the two
# runs a user's installation must pass. Source it after setting BIN (the
# stand-ins and helpers of the 64-bit build tree) and NAME (for messages).
SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
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

fail() { echo "$NAME: $*" >&2; exit 1; }
step() { echo "-- $*"; }
win() { "$ENV_SCRIPT" run "$@" </dev/null; }
winpath() { "$ENV_SCRIPT" shell winepath -w "$1" 2>/dev/null | tr -d '\r'; }
exit_code_of() {  # expected code, what, command...
    local expected=$1 what=$2 code=0
    shift 2
    "$@" || code=$?
    [ "$code" -eq "$expected" ] || fail "$what ended with exit code $code, expected $expected"
}

# The demo add-on put beside tessivar.exe in FOLDER, installed and removed
# unattended by TESSIVAR... (the words before the add-on's name): ACT!'s
# configuration holds it in between and is as before afterwards.
demo_addon_round_trip() {  # FOLDER TESSIVAR...
    local folder=$1
    shift
    cp "$BIN/demoaddon.exe" "$folder/DemoAddon.exe"
    win "$BIN/seedact.exe" >/dev/null
    win "$BIN/seedact.exe" --command-file "$(winpath "$folder/DemoAddon.cmd")" DemoAddon >/dev/null
    win "$BIN/actconfig.exe" >"$WORK/before.txt"
    ! grep -q DemoAddon "$WORK/before.txt" || fail "the seeded configuration already holds DemoAddon"
    exit_code_of 0 "the install" win "$@" DemoAddon install /quiet
    win "$BIN/actconfig.exe" >"$WORK/installed.txt"
    grep -q DemoAddon "$WORK/installed.txt" || fail "after the install ACT!'s configuration holds no DemoAddon"
    exit_code_of 0 "the removal" win "$@" DemoAddon deinstall /quiet
    win "$BIN/actconfig.exe" >"$WORK/removed.txt"
    cmp -s "$WORK/before.txt" "$WORK/removed.txt" ||
        fail "after the removal ACT!'s configuration differs from before the install: $(diff "$WORK/before.txt" "$WORK/removed.txt")"
}

# ROVANDEL2 opens its main window beside the ACT! stand-in and ends with 0
# when the window is closed.
rovandel2_opens() {  # ROVANDEL2
    win "$BIN/actstandin.exe" --register
    # The stand-in ends by itself should this script be killed before its cleanup.
    "$ENV_SCRIPT" run "$BIN/actstandin.exe" --title "ACT! - Demo-Datenbank" --seconds 120 </dev/null >/dev/null 2>&1 &
    background+=("$!")
    win "$BIN/boxdriver.exe" --class ACT3.0FrameClass --timeout 20000 >/dev/null || fail "the ACT! stand-in opened no window"
    "$ENV_SCRIPT" run "$1" </dev/null >/dev/null 2>&1 &
    local rovandel_pid=$!
    background+=("$rovandel_pid")
    win "$BIN/boxdriver.exe" --class Rovandel2Haupt --timeout 20000 --close >/dev/null ||
        fail "rovandel2.exe opened no main window"
    exit_code_of 0 "rovandel2.exe, closed," wait "$rovandel_pid"
    win "$BIN/boxdriver.exe" --class ACT3.0FrameClass --timeout 5000 --close >/dev/null || true
}
