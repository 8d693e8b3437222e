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

step "ACT! is closed. The add-on lies beside Tessivar: DemoAddon.exe and DemoAddon.cmd"
kill "$act_pid" 2>/dev/null || true
wait "$act_pid" 2>/dev/null || true
ADDONS=$DEMO/ACT-Zusaetze
rm -rf "$ADDONS"
mkdir -p "$ADDONS"
cp "$BIN/tessivar.exe" "$ADDONS/"
cp "$BIN/demoaddon.exe" "$ADDONS/DemoAddon.exe"
win "$BIN/seedact.exe" --command-file "$(winepath_of "$ADDONS/DemoAddon.cmd")" "DemoAddon"
ls "$ADDONS" | sed 's/^/   /'
win "$BIN/actconfig.exe" >"$DEMO/config-before.txt"
sed 's/^/   /' "$DEMO/config-before.txt"

step "The add-on's setup calls: tessivar.exe DemoAddon install"
"$ENV_SCRIPT" run "$ADDONS/tessivar.exe" DemoAddon install &
tessivar_pid=$!
answer_box Tessivar yes 04-install-question
sleep 1
shot 05-install-done
if [ "$interactive" -eq 1 ]; then
    echo "   -> press OK in Tessivar's window when you have read it"
else
    win "$BIN/boxdriver.exe" --class TessivarHaupt --timeout 5000 --press ok | sed 's/^/   /'
fi
set +e
wait "$tessivar_pid"
code=$?
set -e
echo "   Tessivar ended with exit code $code (0: installed)"

step "What changed in ACT!'s configuration"
win "$BIN/actconfig.exe" >"$DEMO/config-after.txt"
diff -U0 "$DEMO/config-before.txt" "$DEMO/config-after.txt" | grep -E '^[-+] ' | sed 's/^/   /' || true

step "The add-on's uninstaller calls, unattended: tessivar.exe DemoAddon deinstall /quiet"
set +e
win "$ADDONS/tessivar.exe" DemoAddon deinstall /quiet
code=$?
set -e
echo "   Tessivar ended with exit code $code, without a window"
win "$BIN/actconfig.exe" >"$DEMO/config-removed.txt"
if cmp -s "$DEMO/config-before.txt" "$DEMO/config-removed.txt"; then
    echo "   the command and its button are gone again: the configuration reads as before the install"
else
    diff -U0 "$DEMO/config-before.txt" "$DEMO/config-removed.txt" | sed 's/^/   /' || true
fi

# --- The list window -------------------------------------------------------
step "The add-on is installed again, unattended, and a second command file lies beside it"
win "$ADDONS/tessivar.exe" DemoAddon install /quiet
win "$BIN/seedact.exe" --command-file "$(winepath_of "$ADDONS/Notizen.cmd")" "Notizen"
ls "$ADDONS" | sed 's/^/   /'

step "Tessivar without arguments opens its list window over ACT!'s configuration"
"$ENV_SCRIPT" run "$ADDONS/tessivar.exe" 2>/dev/null &
list_pid=$!
list() { win "$BIN/boxdriver.exe" --class TessivarListe --timeout 15000 "$@" >/dev/null; }
if [ "$interactive" -eq 1 ]; then
    echo "   -> load Notizen.cmd with 'Laden', switch to the toolbars and back, open the"
    echo "      About window with the (i) button; close the list window to end the demo"
else
    list
    sleep 1
    shot 06-list-commands
    echo "   'Laden': the open dialog, answered with Notizen.cmd"
    list --click 104
    win "$BIN/boxdriver.exe" --title "ACT!-Benutzerbefehl laden" --timeout 15000 \
        --file "$(winepath_of "$ADDONS/Notizen.cmd")" | sed -n 's/^title: /   dialog: /p'
    answer_box Tessivar no 07-load-question
    echo "   'Toolbars': ACT!'s toolbars, then back to the commands"
    list --click 105
    shot 08-list-toolbars
    list --click 105
    echo "   the (i) button: the About window"
    list --click 106
    win "$BIN/boxdriver.exe" --class InfoFenster --timeout 15000 >/dev/null
    sleep 1
    shot 09-about
    win "$BIN/boxdriver.exe" --class InfoFenster --timeout 5000 --close >/dev/null
    list --close
fi
set +e
wait "$list_pid"
code=$?
set -e
echo "   Tessivar ended with exit code $code"
win "$BIN/actconfig.exe" >"$DEMO/config-list.txt"
diff -U0 "$DEMO/config-removed.txt" "$DEMO/config-list.txt" | grep -E '^[-+] ' | sed 's/^/   /' || true

step "Done"
if [ "$interactive" -eq 0 ]; then echo "   screenshots are in $SHOTS"; fi
