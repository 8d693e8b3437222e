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
    echo "      About window with the (i) button, look at the backups with 'Wiederherstellen…',"
    echo "      edit a command with 'Bearbeiten…' (or a double click on its row);"
    echo "      point the commands marked 'Programm fehlt' elsewhere with 'Pfade anpassen…';"
    echo "      close the list window to end the demo"
else
    list
    sleep 1
    shot 05a-list-commands
    echo "   'Laden': the open dialog, answered with Notizen.cmd"
    list --click 104
    win "$BIN/boxdriver.exe" --title "ACT!-Benutzerbefehl laden" --timeout 15000 \
        --file "$(winepath_of "$ADDONS/Notizen.cmd")" | sed -n 's/^title: /   dialog: /p'
    answer_box Tessivar no 05b-load-question
    echo "   'Toolbars': ACT!'s toolbars, then back to the commands"
    list --click 105
    shot 05c-list-toolbars
    list --click 105
    echo "   the (i) button: the About window"
    list --click 106
    win "$BIN/boxdriver.exe" --class InfoFenster --timeout 15000 >/dev/null
    sleep 1
    shot 05d-about
    win "$BIN/boxdriver.exe" --class InfoFenster --timeout 5000 --close >/dev/null
    echo "   'Wiederherstellen…': the backups taken before each change, newest first (cancelled)"
    list --click 109
    win "$BIN/boxdriver.exe" --class TessivarSicherungen --timeout 15000 >/dev/null
    sleep 1
    shot 05e-restore-list
    echo "   'Unterschiede…': what writing the newest backup back would change, before anything is written"
    win "$BIN/boxdriver.exe" --class TessivarSicherungen --timeout 5000 --click 203 >/dev/null
    win "$BIN/boxdriver.exe" --class TessivarUnterschiede --timeout 15000 >/dev/null
    sleep 1
    shot 05e2-restore-differences
    win "$BIN/boxdriver.exe" --class TessivarUnterschiede --timeout 5000 --click 2 >/dev/null
    win "$BIN/boxdriver.exe" --class TessivarSicherungen --timeout 5000 --click 202 >/dev/null
    echo "   'Bearbeiten…': the selected command's texts and pictures in the editor (cancelled)"
    list --click 110
    win "$BIN/boxdriver.exe" --class TessivarBearbeiten --timeout 15000 >/dev/null
    sleep 1
    shot 05f-edit
    win "$BIN/boxdriver.exe" --class TessivarBearbeiten --timeout 5000 --click 2 >/dev/null
    echo "   the seeded commands call programs under C:\\ACT\\Addons, which this PC lacks: 'Programm fehlt'"
    list --scroll 107
    shot 05f-list-missing
    echo "   'Pfade anpassen…': all marked commands pointed at a folder that holds one of their programs (cancelled)"
    mkdir -p "$DEMO/Programme"
    : >"$DEMO/Programme/AdrCheck.exe"
    list --click 111
    win "$BIN/boxdriver.exe" --title Tessivar --timeout 15000 --press yes | sed -n 's/^text: /   question: /p'
    # The folder dialog is the only dialog open now; its title is not ASCII.
    win "$BIN/boxdriver.exe" --timeout 15000 --file "$(winepath_of "$DEMO/Programme")" >/dev/null
    win "$BIN/boxdriver.exe" --class TessivarPfade --timeout 15000 >/dev/null
    sleep 1
    shot 05g-paths
    win "$BIN/boxdriver.exe" --class TessivarPfade --timeout 5000 --click 304 >/dev/null
    echo "   'Schaltflächen…': where the first command's button stands on the toolbars (cancelled)"
    list --click 112
    win "$BIN/boxdriver.exe" --class TessivarSchaltflaechen --timeout 15000 >/dev/null
    sleep 1
    shot 05h-place-button
    win "$BIN/boxdriver.exe" --class TessivarSchaltflaechen --timeout 5000 --click 2 >/dev/null
    list --close
fi
set +e
wait "$list_pid"
code=$?
set -e
echo "   Tessivar ended with exit code $code"
win "$BIN/actconfig.exe" >"$DEMO/config-list.txt"
diff -U0 "$DEMO/config-removed.txt" "$DEMO/config-list.txt" | grep -E '^[-+] ' | sed 's/^/   /' || true

# --- The list window's windows at 150 % ------------------------------------
if [ "$interactive" -eq 0 ]; then
    step "The list window and its dialogs again at 144 DPI (150 %)"
    win reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    "$ENV_SCRIPT" run "$ADDONS/tessivar.exe" 2>/dev/null &
    list_pid=$!
    list
    sleep 1
    shot 05i-list-144dpi
    list --click 109
    win "$BIN/boxdriver.exe" --class TessivarSicherungen --timeout 15000 >/dev/null
    sleep 1
    shot 05j-restore-list-144dpi
    win "$BIN/boxdriver.exe" --class TessivarSicherungen --timeout 5000 --click 203 >/dev/null
    win "$BIN/boxdriver.exe" --class TessivarUnterschiede --timeout 15000 >/dev/null
    sleep 1
    shot 05k-restore-differences-144dpi
    win "$BIN/boxdriver.exe" --class TessivarUnterschiede --timeout 5000 --click 2 >/dev/null
    win "$BIN/boxdriver.exe" --class TessivarSicherungen --timeout 5000 --click 202 >/dev/null
    list --click 112
    win "$BIN/boxdriver.exe" --class TessivarSchaltflaechen --timeout 15000 >/dev/null
    sleep 1
    shot 05l-place-button-144dpi
    win "$BIN/boxdriver.exe" --class TessivarSchaltflaechen --timeout 5000 --click 2 >/dev/null
    list --click 110
    win "$BIN/boxdriver.exe" --class TessivarBearbeiten --timeout 15000 >/dev/null
    sleep 1
    shot 05m-edit-144dpi
    win "$BIN/boxdriver.exe" --class TessivarBearbeiten --timeout 5000 --click 2 >/dev/null
    list --close
    wait "$list_pid" || true
    win reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
fi

# ---------------------------------------------------------------------------
# Rovandel2: the route planner's window beside ACT!, addresses taken from
# ACT!'s contacts, the cookie clean-up, and the route calculation in a browser.

step "Rovandel2: a fresh Wine session, so that ACT!'s stand-in registers its automation server anew"
# The stand-in above was ended by a signal; its class registration would shadow the next one's.
"$ENV_SCRIPT" stop >/dev/null 2>&1 || true
"$ENV_SCRIPT" start
win "$BIN/actstandin.exe" --register
win reg delete 'HKCU\Software\VB and VBA Program Settings\Rovandel2' /f >/dev/null 2>&1 || true

step "Rovandel2 refuses while ACT! is not running"
"$ENV_SCRIPT" run "$BIN/rovandel2.exe" &
rovandel_pid=$!
answer_box Rovandel2 ok 06-rovandel2-refuses
set +e
wait "$rovandel_pid"
code=$?
set -e
echo "   Rovandel2 ended with exit code $code (2: refused)"

step "ACT! runs with its demo database; a cookie folder with the route planner's cookies"
COOKIES=$DEMO/Cookies
rm -rf "$COOKIES"
mkdir -p "$COOKIES/Unterordner"
for f in "benutzer@fahrtweg[1].txt" "benutzer@www.fahrtweg[2].txt" "benutzer@andere-seite[1].txt" index.dat \
         "Unterordner/benutzer@fahrtweg[3].txt"; do
    echo "Cookie" >"$COOKIES/$f"
done
win reg add 'HKCU\Software\VB and VBA Program Settings\Rovandel2\Optionen' /v CookiePfad /t REG_SZ \
    /d "$(winepath_of "$COOKIES")" /f >/dev/null
rm -f "$DEMO/act-calls.log"
"$ENV_SCRIPT" run "$BIN/actstandin.exe" --title "ACT! - Demo-Datenbank" --log "$(winepath_of "$DEMO/act-calls.log")" &
background+=("$!")
sleep 2

step "Rovandel2 starts: its window with the first run's values"
# (The browser it starts later writes its own log lines to stderr.)
"$ENV_SCRIPT" run "$BIN/rovandel2.exe" 2>/dev/null &
rovandel_pid=$!
background+=("$rovandel_pid")
win "$BIN/boxdriver.exe" --class Rovandel2Haupt --timeout 15000 >/dev/null
shot 07-rovandel2-first-run

step "The start address from the user's own contact record, the destination from ACT!'s current contact"
rov() { win "$BIN/boxdriver.exe" --class Rovandel2Haupt --timeout 5000 "$@" | grep '^control' | sed 's/^/   /' || true; }
if [ "$interactive" -eq 1 ]; then
    echo "   -> please press 'persönlicher Datensatz' under Start and 'aktueller Datensatz' under Ziel"
    sleep 10
else
    rov --click 232
    sleep 2
    rov --click 233
    sleep 2
fi
rov --text 201 --text 202 --text 203 --text 204 --text 211 --text 212 --text 213 --text 214
grep -E 'GetUserId|GoTo' "$DEMO/act-calls.log" | sed 's/^/   ACT! was asked: /' || true
shot 08-rovandel2-addresses

step "Rovandel2's About window"
if [ "$interactive" -eq 1 ]; then
    echo "   -> please press the Info button, look, and click into the About window to close it"
    sleep 8
else
    rov --click 236
    win "$BIN/boxdriver.exe" --class InfoFenster --timeout 5000 >/dev/null
    shot 09-rovandel2-about
    win "$BIN/boxdriver.exe" --class InfoFenster --timeout 5000 --close >/dev/null
fi

step "Rovandel2's settings: the route planner, the browser, ACT!'s field numbers, the cookie folder"
if [ "$interactive" -eq 1 ]; then
    echo "   -> please press 'Einstellungen…' (or Alt+N), look, and leave the window with 'Abbrechen'"
    sleep 8
else
    rov --click 237
    win "$BIN/boxdriver.exe" --class Rovandel2Einstellungen --timeout 5000 >/dev/null
    shot 09a-rovandel2-settings
    win "$BIN/boxdriver.exe" --class Rovandel2Einstellungen --timeout 5000 --click 352 >/dev/null
fi

step "A click on the banner offers the route planner's cookies for deletion, one by one"
if [ "$interactive" -eq 1 ]; then
    echo "   -> please click the banner at the top of Rovandel2's window"
else
    rov --click 260
fi
answer_box Rovandel2 yes 10-rovandel2-cookie-question
answer_box Rovandel2 no 11-rovandel2-second-cookie
sleep 1
echo "   left in the cookie folder:"
(cd "$COOKIES" && find . -type f | sort | sed 's/^/     /')

step "Start: the route planner's page opens in a browser, the form is filled and its button pressed"
# The route planner's page comes from a local stand-in on 127.0.0.1; the
# browser is Debian's Chromium, found as Chrome through an "App Paths" entry.
"$ENV_SCRIPT" run "$BIN/routepages_server.exe" >"$DEMO/routepages.log" 2>/dev/null &
background+=("$!")
for _ in $(seq 100); do [ -s "$DEMO/routepages.log" ] && break; sleep 0.1; done
ROUTE_URL=$(head -1 "$DEMO/routepages.log" | tr -d '\r')
echo "   the route page stand-in: $ROUTE_URL"
OPTIONS='HKCU\Software\VB and VBA Program Settings\Rovandel2\Optionen'
win reg add "$OPTIONS" /v URL /t REG_SZ /d "$ROUTE_URL" /f >/dev/null
# No sandbox (the demo runs as root), nothing beyond 127.0.0.1 (a proxy that
# is not there), no warning about the flags, the window beside ACT!'s.
win reg add "$OPTIONS" /v BrowserArgumente /t REG_SZ /f >/dev/null /d \
    "--no-sandbox --disable-gpu --disable-background-networking --disable-component-update --disable-sync --no-first-run --log-level=3 --proxy-server=127.0.0.1:9 --test-type --window-position=700,40 --window-size=570,640"
win reg add 'HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\chrome.exe' /ve /t REG_SZ \
    /d 'Z:\usr\bin\chromium' /f >/dev/null
if [ "$interactive" -eq 1 ]; then
    echo "   -> please press 'Start' in Rovandel2's window"
else
    rov --click 235
fi
set +e
wait "$rovandel_pid"
code=$?
set -e
echo "   Rovandel2 ended with exit code $code; the browser stays open on the route:"
sleep 1
grep -E '^(request|report)' "$DEMO/routepages.log" | sed 's/^/     /' || true
shot 12-route-page-filled
echo "   the window's values are kept for the next run:"
win reg query "$OPTIONS" 2>/dev/null | tr -d '\r' | { iconv -c -f CP850 -t UTF-8 || true; } | grep -v '^$' |
    sed 's/^/   /'
# The browser was started by Wine without a process handle: it is ended by
# its Linux process id, found by its profile folder on its command line.
for pid in $(pgrep -f -- "--user-data-dir=$DEMO/wine/prefix/dosdevices/c:/users/[^ ]*/Rovandel2/Browserprofil" || true); do
    if ! { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -q -- '--type='; then kill "$pid" 2>/dev/null || true; fi
done
win "$BIN/boxdriver.exe" --class ACT3.0FrameClass --timeout 2000 --close >/dev/null || true

step "Done"
if [ "$interactive" -eq 0 ]; then echo "   screenshots are in $SHOTS"; fi
