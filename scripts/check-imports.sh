#!/bin/bash
# Fails unless every given Windows executable imports only DLLs that every
# Windows has: the programs are copied onto users' machines as they are,
# so a runtime DLL of the build machine would keep them from starting.
#
#   check-imports.sh EXE...
#
# OBJDUMP, when set, is used for every file instead of the mingw-w64
# objdump that matches the file's architecture.
set -uo pipefail

# The Windows DLLs the programs may link to; msvcrt.dll is the C runtime
# every Windows has carried since Windows 2000.
ALLOWED=(
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll
    ole32.dll oleaut32.dll shell32.dll user32.dll winhttp.dll
)

# What every start of the two programs needs. Setup programs call
# tessivar.exe several times in a row, mostly for runs that show no dialog
# and write no backup; rovandel2.exe reaches COM on a thread of its own
# while its window is built, and a browser only after a click. ole32,
# oleaut32, shell32, WinHTTP and the dialogs are loaded on first use, not at
# their start.
AT_LOAD=(advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll)
LEAN_PROGRAMS=(tessivar.exe rovandel2.exe)

allowed() {
    local dll=${1,,} name
    for name in "${ALLOWED[@]}"; do [ "$dll" = "$name" ] && return 0; done
    return 1
}

lean() {  # program
    local program=${1,,} name
    for name in "${LEAN_PROGRAMS[@]}"; do [ "$program" = "$name" ] && return 0; done
    return 1
}

needed_at_start() {  # program, DLL
    local dll=${2,,} name
    lean "$1" || return 0
    for name in "${AT_LOAD[@]}"; do [ "$dll" = "$name" ] && return 0; done
    return 1
}

objdump_for() {
    if [ -n "${OBJDUMP:-}" ]; then echo "$OBJDUMP"; return; fi
    case $(x86_64-w64-mingw32-objdump -f "$1" 2>/dev/null) in
        *pei-x86-64*) echo x86_64-w64-mingw32-objdump ;;
        *pei-i386*) echo i686-w64-mingw32-objdump ;;
        *) return 1 ;;
    esac
}

[ $# -gt 0 ] || { echo "usage: $0 EXE..." >&2; exit 2; }
status=0
for exe in "$@"; do
    name=$(basename "$exe")
    if [ ! -f "$exe" ]; then
        echo "check-imports: $exe is missing" >&2
        status=1
        continue
    fi
    if ! tool=$(objdump_for "$exe") || ! listing=$("$tool" -p "$exe" 2>/dev/null); then
        echo "check-imports: $exe is no Windows executable that objdump can read" >&2
        status=1
        continue
    fi
    mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*\([^[:space:]]*\).*/\1/p' <<<"$listing")
    # Every program imports at least kernel32: an empty list means the listing was not read.
    if [ ${#dlls[@]} -eq 0 ]; then
        echo "check-imports: objdump lists no imported DLL for $exe" >&2
        status=1
        continue
    fi
    foreign=0
    for dll in "${dlls[@]}"; do
        if ! allowed "$dll"; then
            echo "check-imports: $name imports $dll, which is not a Windows system DLL" >&2
            foreign=1
        elif ! needed_at_start "$name" "$dll"; then
            echo "check-imports: $name imports $dll at load time; it is to be loaded on first use" >&2
            foreign=1
        fi
    done
    if [ $foreign -ne 0 ]; then status=1; continue; fi
    echo "check-imports: $name imports only system DLLs: ${dlls[*]}"
done
exit $status
