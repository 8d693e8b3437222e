#!/bin/bash
# The import check of the release, fed objdump listings written here: it
# must pass system DLLs in any spelling and fail, naming the program and
# the DLL, on anything else, and on a listing it could not read.
set -uo pipefail
CHECK=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-imports.sh
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# The fake objdump prints the "executable" itself: each one is a listing.
printf '#!/bin/sh\n[ "$1" = -p ] && exec cat "$2"\nexit 1\n' >"$WORK/objdump"
chmod +x "$WORK/objdump"
export OBJDUMP=$WORK/objdump

listing() {  # file, DLL names...
    local file=$WORK/$1
    shift
    printf 'The Import Tables (interpreted .idata section contents)\n' >"$file"
    for dll in "$@"; do printf '\tDLL Name: %s\n\tvma:  Hint/Ord Member-Name Bound-To\n' "$dll" >>"$file"; done
}

failures=0
expect() {  # description, expected exit code, expected text in the output or "", files...
    local what=$1 code=$2 text=$3
    shift 3
    local out rc
    out=$(cd "$WORK" && "$CHECK" "$@" 2>&1)
    rc=$?
    if [ "$rc" -ne "$code" ] || { [ -n "$text" ] && ! grep -qF -- "$text" <<<"$out"; }; then
        echo "FAIL: $what (exit $rc, expected $code; output:)"
        sed 's/^/    /' <<<"$out"
        failures=$((failures + 1))
    else
        echo "ok: $what"
    fi
}

listing good.exe KERNEL32.dll USER32.dll gdi32.DLL msvcrt.dll WinHttp.dll
listing runtime.exe KERNEL32.dll libstdc++-6.dll USER32.dll
listing lookalike.exe kernel32.dll kernel32.dll.evil
listing empty.exe
mkdir -p "$WORK/lean" "$WORK/heavy"
listing lean/tessivar.exe KERNEL32.dll USER32.dll GDI32.dll ADVAPI32.dll msvcrt.dll
listing heavy/Tessivar.exe KERNEL32.dll USER32.dll ole32.dll SHELL32.dll
listing heavy/rovandel2.exe KERNEL32.dll USER32.dll OLEAUT32.dll
listing heavy/actstandin.exe KERNEL32.dll USER32.dll ole32.dll SHELL32.dll

expect "system DLLs in any spelling pass" 0 "good.exe imports only system DLLs" good.exe
expect "a runtime DLL fails, naming program and DLL" 1 "runtime.exe imports libstdc++-6.dll" runtime.exe
expect "a good program does not hide a bad one" 1 "runtime.exe imports libstdc++-6.dll" good.exe runtime.exe
expect "a name that only starts like a system DLL fails" 1 "imports kernel32.dll.evil" lookalike.exe
expect "a listing without DLLs is no pass" 1 "lists no imported DLL" empty.exe
expect "a missing program is no pass" 1 "missing.exe is missing" missing.exe
expect "tessivar.exe with only what every start needs passes" 0 "tessivar.exe imports only" lean/tessivar.exe
expect "tessivar.exe loading ole32 at its start fails" 1 "Tessivar.exe imports ole32.dll at load time" heavy/Tessivar.exe
expect "rovandel2.exe loading oleaut32 at its start fails" 1 "rovandel2.exe imports OLEAUT32.dll at load time" heavy/rovandel2.exe
expect "the stricter list is the two programs' alone" 0 "actstandin.exe imports only" heavy/actstandin.exe
printf '#!/bin/sh\nexit 1\n' >"$WORK/objdump"
expect "an objdump that fails is no pass" 1 "no Windows executable" good.exe

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
