#!/bin/bash
# The Windows Installer packages as an administrator deploys them. The 32-bit
# one is read only (this kernel runs no 32-bit programs): its tables and
# files. The 64-bit one goes into a fresh Wine prefix with "msiexec /i /qn":
# files, App Paths, the folder's registry value, shortcuts and the uninstall
# entry are there; Tessivar started by name through the shell installs and
# removes the demo add-on; Rovandel2 opens beside the ACT! stand-in; an older
# package is refused over it with the package's German message; its removal
# leaves the add-on's files and the user's data; a cut-off package installs
# nothing; a package of an older version is replaced by the current one, and
# one rebuilt for the same version adds no second entry.
#
#   release_msi_test.sh X64_MSI X86_MSI VERSION TOOLS_BIN X86_BIN ICON
#
# TOOLS_BIN holds the 64-bit programs, stand-ins and helpers, X86_BIN the
# 32-bit programs; ICON is the package's icon (for the older package).
set -euo pipefail
MSI64=$1 MSI86=$2 VERSION=$3 BIN=$4 BIN86=$5 ICON=$6
NAME=release_msi
# shellcheck source=wine-test-lib.sh
. "$(dirname "$0")/wine-test-lib.sh"

PRODUCT="Tessivar und Rovandel2"
FOLDER_WIN='C:\Program Files\Brannock-Heyl\ACT!-Zusätze\'
APP_PATHS='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths'
MAKER_KEY='HKLM\Software\Brannock-Heyl'

# A key's values as regedit writes them, in UTF-8 (reg query prints in the
# console's code page); nothing when the key is missing.
reg_values() {
    local file=$WORK/export.reg
    rm -f "$file"
    win reg export "$1" "$(winpath "$file")" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r'
}
reg_string() { printf '"%s"="%s"' "$1" "$(sed 's/\\/\\\\/g' <<<"$2")"; }
# The uninstall entries of the product: one "key|version|publisher|location" line each.
uninstall_entries() {
    reg_values 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | awk -v product="$PRODUCT" '
        /^\[/ { if (name == product) print key "|" version "|" publisher "|" location
                key = $0; name = version = publisher = location = "" }
        /^"DisplayName"=/ { name = substr($0, 16, length($0) - 16) }
        /^"DisplayVersion"=/ { version = substr($0, 19, length($0) - 19) }
        /^"Publisher"=/ { publisher = substr($0, 14, length($0) - 14) }
        /^"InstallLocation"=/ { location = substr($0, 20, length($0) - 20) }
        END { if (name == product) print key "|" version "|" publisher "|" location }'
}
installed_version() {  # the one entry's version, or fails
    local entries
    entries=$(uninstall_entries)
    [ "$(grep -c . <<<"$entries")" -eq 1 ] || fail "expected one uninstall entry of $PRODUCT, found: ${entries:-none}"
    cut -d'|' -f2 <<<"$entries"
}
msi() {  # expected code (0 or "failure"), what, msiexec arguments...
    local expected=$1 what=$2 code=0
    shift 2
    win msiexec "$@" >/dev/null 2>&1 || code=$?
    if [ "$expected" = failure ]; then
        [ "$code" -ne 0 ] || fail "$what succeeded, expected a failure"
    else
        [ "$code" -eq "$expected" ] || fail "$what ended with exit code $code, expected $expected"
    fi
}

step "the 32-bit package's tables and files"
for package in "$MSI64" "$MSI86"; do [ -f "$package" ] || fail "no package at $package"; done
table() { msiinfo export "$1" "$2" | tail -n +4; }
[ "$(msiinfo suminfo "$MSI86" | sed -n 's/^Template: //p')" = "Intel;1031" ] || fail "the 32-bit package is no German Intel package"
[ "$(msiinfo suminfo "$MSI64" | sed -n 's/^Template: //p')" = "x64;1031" ] || fail "the 64-bit package is no German x64 package"
for package in "$MSI64" "$MSI86"; do
    msiinfo export "$package" _ForceCodepage | tr -d '\0' | grep -q $'^1252\t_ForceCodepage' || fail "$package is not marked code page 1252"
    table "$package" LaunchCondition | grep -q 'Eine neuere Version von Tessivar und Rovandel2 ist bereits installiert' ||
        fail "$package has no German message for an older package"
done
upgrade_code() { table "$1" Property | sed -n 's/^UpgradeCode\t//p'; }
[ "$(upgrade_code "$MSI64")" = "$(upgrade_code "$MSI86")" ] || fail "the two packages have different upgrade codes"
table "$MSI86" Directory | grep -q $'^MAKERDIR\tProgramFilesFolder\t' || fail "the 32-bit package does not go into the 32-bit Program Files"
table "$MSI86" Component | awk -F'\t' '$4 >= 256 { bad = 1 } END { exit bad }' || fail "the 32-bit package holds 64-bit components"
table "$MSI86" Registry >"$WORK/registry86.txt"
for row in $'App Paths\\tessivar.exe\t\t[#tessivar.exe]' $'App Paths\\tessivar.exe\tPath\t[INSTALLDIR]' \
           $'App Paths\\rovandel2.exe\t\t[#rovandel2.exe]' $'ACT!-Zusätze\tPfad\t[INSTALLDIR]'; do
    grep -qF "$row" "$WORK/registry86.txt" || fail "the 32-bit package lacks the registry entry '$row'"
done
mkdir -p "$WORK/x86"
(cd "$WORK/x86" && msiextract "$MSI86" >/dev/null)
for program in tessivar.exe rovandel2.exe; do
    found=$(find "$WORK/x86" -name "$program")
    [ -n "$found" ] && cmp -s "$found" "$BIN86/$program" || fail "the 32-bit package does not hold the 32-bit $program"
done
[ -n "$(find "$WORK/x86" -path '*Benutzerhandbuch/index.html')" ] || fail "the 32-bit package holds no user guide"
[ -n "$(find "$WORK/x86" -name Drittanbieter.txt)" ] || fail "the 32-bit package holds no third-party notices"
for template in Rovandel2.admx de-DE/Rovandel2.adml en-US/Rovandel2.adml; do
    [ -n "$(find "$WORK/x86" -path "*Richtlinien/$template")" ] || fail "the 32-bit package lacks Richtlinien/$template"
done

step "a fresh Wine prefix"
"$ENV_SCRIPT" start
PREFIX=$WINE_ENV_DIR/prefix
FOLDER=$PREFIX/drive_c/Program\ Files/Brannock-Heyl/ACT!-Zusätze
# Wine puts a per-machine package's shortcuts into the user's start menu,
# Windows into the one of all users: either is the start menu.
menu_folders() { find "$PREFIX/drive_c" -path '*/Start Menu/Programs/ACT!-Zusätze' -type d; }

step "msiexec /i $(basename "$MSI64") /qn"
msi 0 "the install" /i "$(winpath "$MSI64")" /qn
for program in tessivar.exe rovandel2.exe; do
    cmp -s "$FOLDER/$program" "$BIN/$program" || fail "$program was not installed into $FOLDER_WIN"
done
[ -f "$FOLDER/Benutzerhandbuch/index.html" ] || fail "the user guide was not installed"
grep -q "nlohmann/json" "$FOLDER/Drittanbieter.txt" || fail "the third-party notices were not installed"
for template in Rovandel2.admx de-DE/Rovandel2.adml en-US/Rovandel2.adml; do
    cmp -s "$FOLDER/Richtlinien/$template" "$SRC/src/routeplanner/policies/$template" ||
        fail "Richtlinien/$template was not installed"
done
for program in tessivar rovandel2; do
    values=$(reg_values "$APP_PATHS\\$program.exe")
    grep -qxF "$(reg_string @ "$FOLDER_WIN$program.exe" | sed 's/^"@"/@/')" <<<"$values" &&
        grep -qxF "$(reg_string Path "$FOLDER_WIN")" <<<"$values" || fail "no App Paths entry for $program.exe: $values"
done
grep -qxF "$(reg_string Pfad "$FOLDER_WIN")" <<<"$(reg_values "$MAKER_KEY")" || fail "no value Pfad naming $FOLDER_WIN"
menu=$(menu_folders)
for shortcut in Tessivar Rovandel2 Benutzerhandbuch; do
    [ -n "$menu" ] && [ -s "$menu/$shortcut.lnk" ] || fail "no start-menu shortcut $shortcut"
done
[ "$(installed_version)" = "$VERSION" ] || fail "the uninstall entry does not name version $VERSION"
IFS='|' read -r _ _ publisher location <<<"$(uninstall_entries)"
[ "$publisher" = Brannock-Heyl ] || fail "the uninstall entry names the maker '$publisher'"
[ "$location" = "$(sed 's/\\/\\\\/g' <<<"$FOLDER_WIN")" ] || fail "the uninstall entry names the folder '$location'"
icon=$(reg_values 'HKLM\Software\Classes\Installer\Products' | sed -n 's/^"ProductIcon"="\(.*\)"$/\1/p' | sed 's/\\\\/\\/g')
[ -n "$icon" ] && cmp -s "$("$ENV_SCRIPT" shell winepath -u "$icon" 2>/dev/null)" "$ICON" || fail "the uninstall entry has no icon"

step "tessivar.exe by name through the shell: the demo add-on, /quiet"
demo_addon_round_trip "$FOLDER" start /wait tessivar.exe

step "rovandel2.exe from the installed folder"
rovandel2_opens "$FOLDER/rovandel2.exe"

step "an older package over the current one: refused with the package's message"
major=${VERSION%%.*}
[ "$major" -ge 1 ] || fail "version $VERSION leaves no older major version to try"
OLDER=$((major - 1)).${VERSION#*.}
mkdir -p "$WORK/older"
# Other files than the current ones: after the upgrade they must be gone.
cp "$BIN/demoaddon.exe" "$WORK/older/tessivar.exe"
cp "$BIN/demoaddon.exe" "$WORK/older/rovandel2.exe"
cp "$BIN/Drittanbieter.txt" "$WORK/older/Drittanbieter.txt"
make_package() {  # VERSION PROGRAMS OUTPUT: a 64-bit package as the release builds it
    cmake -DMSI_VERSION="$1" -DMSI_ARCH=x64 -DMSI_BIN="$2" -DMSI_GUIDE="$SRC/docs/benutzerhandbuch" \
          -DMSI_POLICIES="$SRC/src/routeplanner/policies" \
          -DMSI_ICON="$ICON" -DMSI_WORK="$WORK/packages" -DMSI_OUTPUT="$3" -P "$SRC/cmake/MakePackage.cmake" >/dev/null
}
make_package "$OLDER" "$WORK/older" "$WORK/older.msi"
# With the basic interface Windows Installer shows the message, and it is answered.
"$ENV_SCRIPT" run msiexec /i "$(winpath "$WORK/older.msi")" /qb </dev/null >/dev/null 2>&1 &
downgrade_pid=$!
background+=("$downgrade_pid")
box=$(win "$BIN/boxdriver.exe" --timeout 20000 --press ok) || fail "the older package showed no message"
grep -q '^text: Eine neuere Version von Tessivar und Rovandel2 ist bereits installiert' <<<"$box" ||
    fail "the older package's message is not the German one: $box"
code=0
wait "$downgrade_pid" || code=$?
[ "$code" -ne 0 ] || fail "msiexec reported success for the refused older package"
[ "$(installed_version)" = "$VERSION" ] && cmp -s "$FOLDER/tessivar.exe" "$BIN/tessivar.exe" ||
    fail "the refused older package changed the installation"

step "msiexec /x /qn: the package goes, the add-on's files and the user's data stay"
user_data() {
    win "$BIN/actconfig.exe"
    (cd "$PREFIX/drive_c/users" && find . -path '*/AppData/Local/Tessivar/*' -type f -exec md5sum {} + | sort)
    (cd "$PREFIX/drive_c/users" && find . -path '*/AppData/Local/Rovandel2/*' -type f -exec md5sum {} + | sort)
    reg_values 'HKCU\Software\VB and VBA Program Settings\Rovandel2'
}
backups=$(find "$PREFIX/drive_c/users" -path '*/AppData/Local/Tessivar/Sicherungen/*.reg' | wc -l)
[ "$backups" -gt 0 ] || fail "the add-on's runs left no backups to keep"
local_app_data=$("$ENV_SCRIPT" shell winepath -u "$(win cmd /c echo %LOCALAPPDATA% | tr -d '\r')" 2>/dev/null)
mkdir -p "$local_app_data/Rovandel2/Browserprofil"
echo profile >"$local_app_data/Rovandel2/Browserprofil/Local State"
user_data >"$WORK/user-before.txt"
msi 0 "the removal" /x "$(winpath "$MSI64")" /qn
left=$(cd "$FOLDER" 2>/dev/null && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./DemoAddon.cmd ./DemoAddon.exe " ] || fail "after the removal the folder holds '$left', expected the add-on's two files"
[ -z "$(menu_folders)" ] || fail "the start-menu shortcuts are still there"
for key in "$APP_PATHS\\tessivar.exe" "$APP_PATHS\\rovandel2.exe" "$MAKER_KEY"; do
    [ -z "$(reg_values "$key")" ] || fail "$key is still there"
done
[ -z "$(uninstall_entries)" ] || fail "the uninstall entry is still there"
user_data >"$WORK/user-after.txt"
cmp -s "$WORK/user-before.txt" "$WORK/user-after.txt" ||
    fail "the removal changed the user's data: $(diff "$WORK/user-before.txt" "$WORK/user-after.txt")"
rm -rf "$PREFIX/drive_c/Program Files/Brannock-Heyl"

step "a cut-off package: Windows Installer's error, nothing installed"
head -c "$(($(stat -c %s "$MSI64") / 2))" "$MSI64" >"$WORK/cut-off.msi"
msi failure "the cut-off package" /i "$(winpath "$WORK/cut-off.msi")" /qn
[ ! -e "$PREFIX/drive_c/Program Files/Brannock-Heyl" ] || fail "the cut-off package left a folder"
[ -z "$(uninstall_entries)" ] && [ -z "$(reg_values "$MAKER_KEY")" ] || fail "the cut-off package left registry entries"

step "upgrade: version $OLDER, then $VERSION"
msi 0 "the older package's install" /i "$(winpath "$WORK/older.msi")" /qn
[ "$(installed_version)" = "$OLDER" ] || fail "the older package is not installed"
msi 0 "the upgrade" /i "$(winpath "$MSI64")" /qn
[ "$(installed_version)" = "$VERSION" ] || fail "after the upgrade the entry does not name $VERSION"
for program in tessivar.exe rovandel2.exe; do
    cmp -s "$FOLDER/$program" "$BIN/$program" || fail "after the upgrade $program is not the current one"
done
grep -qxF "$(reg_string Version "$VERSION")" <<<"$(reg_values "$MAKER_KEY")" || fail "after the upgrade the registry names another version"
# A package rebuilt for the same version is the same product, not a second one.
make_package "$VERSION" "$BIN" "$WORK/rebuilt.msi"
win msiexec /i "$(winpath "$WORK/rebuilt.msi")" /qn >/dev/null 2>&1 || true
[ "$(installed_version)" = "$VERSION" ] || fail "a rebuilt package of the same version was installed beside the first"
msi 0 "the removal after the upgrade" /x "$(winpath "$MSI64")" /qn
[ -z "$(uninstall_entries)" ] && [ ! -e "$PREFIX/drive_c/Program Files/Brannock-Heyl" ] ||
    fail "the upgraded installation was not removed completely"
echo "release_msi: passed"
