#!/bin/bash
# A private Wine environment for one build tree: its own prefix (created
# once), its own Xvfb display (picked free at start), a persistent
# wineserver and a keep-alive window, all started outside the test runner's
# pipes so that a test process costs a tenth of a second, not seconds.
#
#   wine-env.sh start       start everything (idempotent)
#   wine-env.sh stop        end what start started, by PID, nothing else
#   wine-env.sh run CMD...  run a Windows program in the environment
#   wine-env.sh shell CMD.. run a Linux command with the environment's variables
#
# WINE_ENV_DIR names the folder (prefix, state); WINE_KEEPALIVE the keep-alive
# program; WINE_DISPLAY, when set, an X display to use instead of a private Xvfb.
set -euo pipefail

DIR=${WINE_ENV_DIR:?WINE_ENV_DIR must name the environment folder}
PREFIX=$DIR/prefix
STATE=$DIR/state
LOCK=$DIR/lock

# German, as on the users' machines, where the locale exists.
if [ -z "${WINE_LANG:-}" ]; then
    WINE_LANG=C.UTF-8
    if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then WINE_LANG=de_DE.UTF-8; fi
fi
export WINEPREFIX=$PREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=$WINE_LANG LC_ALL=$WINE_LANG

alive() { [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; }

load_state() {
    [ -f "$STATE" ] || return 1
    # shellcheck disable=SC1090
    . "$STATE"
    { [ -z "${XVFB_PID:-}" ] || alive "$XVFB_PID"; } && alive "${WINESERVER_PID:-}"
}

start_display() {
    if [ -n "${WINE_DISPLAY:-}" ]; then
        XVFB_PID=
        DISPLAY=$WINE_DISPLAY
        export DISPLAY
        return
    fi
    local fdfile=$DIR/displayfd
    rm -f "$fdfile"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" </dev/null >/dev/null 2>&1 9>&- &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        alive "$XVFB_PID" || { echo "wine-env: Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    [ -s "$fdfile" ] || { echo "wine-env: Xvfb gave no display number" >&2; exit 1; }
    DISPLAY=:$(tr -d '\n' <"$fdfile")
    export DISPLAY
}

# Made with a wineserver of its own that is let end afterwards: a prefix
# created under the persistent server keeps a second services.exe, and COM
# activation then waits for ever.
create_prefix() {
    echo "wine-env: creating Wine prefix $PREFIX (once per build tree)" >&2
    wine wineboot -i </dev/null >/dev/null 2>&1 9>&-
    # Without a window manager, destroying a managed window waits 2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&-
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f </dev/null >/dev/null 2>&1 9>&-
    mkdir -p "$PREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$PREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&-
    touch "$PREFIX/.ready"
}

cmd_start() {
    mkdir -p "$DIR"
    exec 9>"$LOCK"
    flock 9
    if load_state; then return 0; fi
    rm -f "$STATE"
    start_display
    mkdir -p "$PREFIX"
    [ -f "$PREFIX/.ready" ] || create_prefix
    wineserver -f -p </dev/null >/dev/null 2>&1 9>&- &
    WINESERVER_PID=$!
    wine wineboot </dev/null >/dev/null 2>&1 9>&-
    KEEPALIVE_PID=
    if [ -n "${WINE_KEEPALIVE:-}" ] && [ -f "$WINE_KEEPALIVE" ]; then
        wine "$WINE_KEEPALIVE" </dev/null >/dev/null 2>&1 9>&- &
        KEEPALIVE_PID=$!
    fi
    cat >"$STATE" <<STATE_EOF
DISPLAY=$DISPLAY
XVFB_PID=$XVFB_PID
WINESERVER_PID=$WINESERVER_PID
KEEPALIVE_PID=$KEEPALIVE_PID
STATE_EOF
    echo "wine-env: running on display $DISPLAY, prefix $PREFIX" >&2
}

cmd_stop() {
    mkdir -p "$DIR"
    exec 9>"$LOCK"
    flock 9
    [ -f "$STATE" ] || return 0
    # shellcheck disable=SC1090
    . "$STATE"
    if alive "${KEEPALIVE_PID:-}"; then kill "$KEEPALIVE_PID" 2>/dev/null || true; fi
    if alive "${WINESERVER_PID:-}"; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
        for _ in $(seq 50); do alive "$WINESERVER_PID" || break; sleep 0.1; done
        alive "$WINESERVER_PID" && kill -9 "$WINESERVER_PID" 2>/dev/null || true
    fi
    if alive "${XVFB_PID:-}"; then
        kill "$XVFB_PID" 2>/dev/null || true
        for _ in $(seq 50); do alive "$XVFB_PID" || break; sleep 0.1; done
    fi
    rm -f "$STATE"
    echo "wine-env: stopped" >&2
}

cmd_run() {
    if ! load_state; then
        echo "wine-env: the environment is not running; start it with '$0 start'" >&2
        exit 125
    fi
    export DISPLAY
    exec 9>&-
    exec wine "$@"
}

cmd_shell() {
    load_state || { echo "wine-env: not running" >&2; exit 125; }
    export DISPLAY
    exec "$@"
}

case "${1:-}" in
    start) cmd_start ;;
    stop) cmd_stop ;;
    run) shift; cmd_run "$@" ;;
    shell) shift; cmd_shell "$@" ;;
    *) echo "usage: $0 start|stop|run CMD...|shell CMD..." >&2; exit 2 ;;
esac
