#!/bin/bash
# Keeps the layers of src: a file may include only headers of its own folder
# and of the folders below it, and portable code (files not ending in _win)
# never includes <windows.h>, a Win32 header or a _win header.
#
#   base <- platform <- ui <- common <- commands, toolbars <- manager
#                             common <- routeplanner
#           platform <- browser <- routeplanner
#
# Prints every include that crosses a layer and exits 1 when there is one.
cd "$(dirname "$0")/../src" || exit 2

declare -A allowed=(
    [base]="base"
    [platform]="base platform"
    [browser]="base platform browser"
    [ui]="base platform ui"
    [common]="base platform ui common"
    [commands]="base platform common commands"
    [toolbars]="base platform common toolbars"
    [manager]="base platform ui common commands toolbars manager"
    [routeplanner]="base platform browser ui common routeplanner"
)
win32_headers='windows|windowsx|commctrl|commdlg|shellapi|shlobj|objbase|oleauto|ole2|winhttp|winreg|wingdi|winuser'

status=0
while IFS= read -r file; do
    module=${file%%/*}
    if [ -z "${allowed[$module]+x}" ]; then
        echo "$file: the folder '$module' has no place in the layers (scripts/check-layers.sh)"
        status=1
        continue
    fi
    portable=1
    case "$file" in *_win.cpp|*_win.h|*.rc) portable=0 ;; esac
    lineno=0
    while IFS= read -r line; do
        lineno=$((lineno + 1))
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([a-z]+)/([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            header=${BASH_REMATCH[2]}
            if [[ " ${allowed[$module]} " != *" $target "* ]]; then
                echo "$file:$lineno: $module may not include $target/$header (a layer above or beside it)"
                status=1
            fi
            if [ "$portable" -eq 1 ] && [[ $header == *_win.h ]]; then
                echo "$file:$lineno: portable code may not include the Win32 header $target/$header"
                status=1
            fi
        elif [ "$portable" -eq 1 ] && [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<($win32_headers)\.h\> ]]; then
            echo "$file:$lineno: portable code may not include <${BASH_REMATCH[1]}.h>"
            status=1
        fi
    done <"$file"
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) | sed 's#^\./##' | sort)

if [ "$status" -eq 0 ]; then echo "layers: every include stays within its layer"; fi
exit "$status"
