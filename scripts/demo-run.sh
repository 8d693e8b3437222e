#!/bin/bash
# The demo itself, on the programs already built in build/windows.
# With a usable X display it runs there and waits for you to answer the
# boxes; without one it runs on a private virtual display, answers them
# itself and saves a screenshot of each step.
set -euo pipefail
cd "$(dirname "$0")/.."

BIN=$PWD/build/windows/bin
DEMO=$PWD/build/windows/demo
SHOTS=$DEMO/screenshots
ENV_SCRIPT=$PWD/cmake/wine/wine-env.sh
export WINE_ENV_DIR=$DEMO/wine WINE_KEEPALIVE=$BIN/keepalive.exe
mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png

interactive=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export WINE_DISPLAY=$DISPLAY
    interactive=1
fi

background=()
cleanup() {
    for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$ENV_SCRIPT" stop 2>/dev/null || true
}
trap cleanup EXIT

step() { printf '\n== %s\n' "$*"; }
win() { "$ENV_SCRIPT" run "$@"; }
display() { "$ENV_SCRIPT" shell sh -c 'echo $DISPLAY'; }
shot() {
    if [ "$interactive" -eq 0 ]; then
        sleep 0.5
        /usr/bin/import -display "$(display)" -window root "$SHOTS/$1.png"
        echo "   screenshot: $SHOTS/$1.png"
    fi
}
export_config() {
    win reg export 'HKCU\Software\Symantec\ACT!' "$(winepath_of "$1")" /y >/dev/null 2>&1
}
winepath_of() { "$ENV_SCRIPT" shell winepath -w "$1" 2>/dev/null; }
answer_box() {  # title, button
    if [ "$interactive" -eq 1 ]; then
        win "$BIN/boxdriver.exe" --title "$1" --timeout 30000 | sed 's/^/   /'
        echo "   -> please press '$2' in the box"
    else
        win "$BIN/boxdriver.exe" --title "$1" --timeout 30000 | sed 's/^/   /'
        shot "$3"
        win "$BIN/boxdriver.exe" --title "$1" --timeout 5000 --press "$2" >/dev/null
        echo "   -> pressed '$2'"
    fi
}

step "Starting a private Wine environment (the first start creates it, about 20 s)"
"$ENV_SCRIPT" start

step "Seeding the demo prefix with a typical ACT! configuration"
win "$BIN/seedact.exe"
win reg query 'HKCU\Software\Symantec\ACT!\TBarMenuConfig\ACT!' 2>/dev/null | tr -d '\r' | grep -v '^$' | sed 's/^/   /'
export_config "$DEMO/act-before.reg"

step "ACT! is running (its stand-in opens a main window of ACT!'s class)"
"$ENV_SCRIPT" run "$BIN/actstandin.exe" --title "ACT! - Demo-Datenbank" &
act_pid=$!
background+=("$act_pid")
sleep 2
shot 01-act-running

step "An add-on setup calls: tessivar.exe DemoAddon install gruppe"
"$ENV_SCRIPT" run "$BIN/tessivar.exe" DemoAddon install gruppe &
tessivar_pid=$!
answer_box Tessivar ok 02-tessivar-refuses
set +e
wait "$tessivar_pid"
code=$?
set -e
echo "   Tessivar ended with exit code $code (2: ACT! was running)"

export_config "$DEMO/act-after.reg"
if cmp -s "$DEMO/act-before.reg" "$DEMO/act-after.reg"; then
    echo "   ACT!'s configuration is byte for byte as before"
else
    echo "   ACT!'s configuration changed:"
    diff <(iconv -f UTF-16LE -t UTF-8 "$DEMO/act-before.reg") <(iconv -f UTF-16LE -t UTF-8 "$DEMO/act-after.reg") || true
fi

step "ACT! is closed; the same call is no longer refused"
kill "$act_pid" 2>/dev/null || true
wait "$act_pid" 2>/dev/null || true
sleep 1
shot 03-act-closed
set +e
win "$BIN/tessivar.exe" DemoAddon install gruppe
code=$?
set -e
echo "   Tessivar ended with exit code $code, without the refusal"

step "Done"
if [ "$interactive" -eq 0 ]; then echo "   screenshots are in $SHOTS"; fi
