#!/bin/bash
# Signing as the release signs: with a throw-away certificate made here,
# scripts/sign.sh signs all four programs, the packages are built from the
# signed programs and signed too (SHA-256); each signature verifies, a wrong
# password signs nothing, no certificate leaves the files as they were and
# says so, and the signed 64-bit package installs its signed programs in a
# fresh Wine prefix.
#
#   release_sign_test.sh VERSION ICON TOOLS_BIN X86_BIN
set -euo pipefail
VERSION=$1 ICON=$2 BIN=$3 BIN86=$4
NAME=release_sign
# shellcheck source=wine-test-lib.sh
. "$(dirname "$0")/wine-test-lib.sh"
unset TESSIVAR_SIGN_PKCS12 TESSIVAR_SIGN_PASSWORD TESSIVAR_SIGN_PKCS11_MODULE TESSIVAR_SIGN_TIMESTAMP TESSIVAR_SIGN_CAFILE

step "a throw-away code-signing certificate"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$WORK/key.pem" -out "$WORK/cert.pem" -days 2 \
    -subj "/CN=Tessivar Testzertifikat" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey "$WORK/key.pem" -in "$WORK/cert.pem" -out "$WORK/test.p12" -passout pass:geheim

mkdir -p "$WORK/files/64" "$WORK/files/32"
cp "$BIN/tessivar.exe" "$BIN/rovandel2.exe" "$BIN/Drittanbieter.txt" "$WORK/files/64/"
cp "$BIN86/tessivar.exe" "$BIN86/rovandel2.exe" "$BIN86/Drittanbieter.txt" "$WORK/files/32/"
PROGRAMS=("$WORK"/files/64/*.exe "$WORK"/files/32/*.exe)
make_package() {  # ARCH PROGRAMS: the package as the release builds it, into files/
    cmake -DMSI_VERSION="$VERSION" -DMSI_ARCH="$1" -DMSI_BIN="$2" -DMSI_GUIDE="$SRC/docs/benutzerhandbuch" \
          -DMSI_POLICIES="$SRC/src/routeplanner/policies" -DMSI_ICON="$ICON" -DMSI_WORK="$WORK/packages" \
          -DMSI_OUTPUT="$WORK/files/Tessivar-Rovandel2-$1.msi" -P "$SRC/cmake/MakePackage.cmake" >/dev/null
}

step "no certificate: nothing signed, and said"
first=${PROGRAMS[0]}
cp "$first" "$WORK/before.exe"
out=$(scripts/sign.sh "$first" 2>&1) || fail "an unsigned build failed: $out"
grep -q "NOT SIGNED" <<<"$out" || fail "an unsigned build does not say so: $out"
cmp -s "$first" "$WORK/before.exe" || fail "an unsigned build changed $first"
! osslsigncode verify -CAfile "$WORK/cert.pem" -in "$first" >/dev/null 2>&1 || fail "the program came signed"

step "a wrong password: nothing signed"
code=0
TESSIVAR_SIGN_PKCS12=$WORK/test.p12 TESSIVAR_SIGN_PASSWORD=falsch scripts/sign.sh "$first" 2>/dev/null || code=$?
[ "$code" -eq 1 ] || fail "a wrong password ended with $code, expected 1"
cmp -s "$first" "$WORK/before.exe" || fail "a failed signature changed $first"

step "the programs signed, the packages built from them and signed, each signature verified"
sign() {
    TESSIVAR_SIGN_PKCS12=$WORK/test.p12 TESSIVAR_SIGN_PASSWORD=geheim TESSIVAR_SIGN_CAFILE=$WORK/cert.pem \
        scripts/sign.sh "$@" 2>"$WORK/sign.log" || fail "signing failed: $(cat "$WORK/sign.log")"
}
sign "${PROGRAMS[@]}"
make_package x64 "$WORK/files/64"
make_package x86 "$WORK/files/32"
sign "$WORK"/files/*.msi
FILES=("${PROGRAMS[@]}" "$WORK"/files/*.msi)
[ ${#FILES[@]} -eq 6 ] || fail "expected four programs and two packages, found ${FILES[*]}"
for file in "${FILES[@]}"; do
    report=$(osslsigncode verify -CAfile "$WORK/cert.pem" -in "$file" 2>&1) || fail "$file does not verify: $report"
    grep -qi "digest algorithm *: *SHA256" <<<"$report" || fail "$file is not signed with SHA-256: $report"
    grep -q "Tessivar Testzertifikat" <<<"$report" || fail "$file names another signer: $report"
done

step "the signed 64-bit package installs in a fresh Wine prefix"
"$ENV_SCRIPT" start >/dev/null
exit_code_of 0 "the signed package's install" win msiexec /i "$(winpath "$WORK/files/Tessivar-Rovandel2-x64.msi")" /qn
installed=$WINE_ENV_DIR/prefix/drive_c/Program\ Files/Brannock-Heyl/ACT!-Zusätze/tessivar.exe
cmp -s "$installed" "$WORK/files/64/tessivar.exe" || fail "the signed tessivar.exe was not installed"
echo "$NAME: passed"
