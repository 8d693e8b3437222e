#!/bin/bash
# Signs Windows programs and packages in place with Authenticode (SHA-256),
# through osslsigncode, when a certificate is configured:
#
#   TESSIVAR_SIGN_PKCS12      a PKCS#12 file (.p12, .pfx) with the key and its certificate chain
#   TESSIVAR_SIGN_PASSWORD    its password, or the token's PIN (optional)
# or, for a key on a token or smart card:
#   TESSIVAR_SIGN_PKCS11_MODULE  the token's PKCS#11 module (a .so)
#   TESSIVAR_SIGN_PKCS11_CERT    the certificate: its PKCS#11 URI, or a PEM file
#   TESSIVAR_SIGN_PKCS11_KEY     the key's PKCS#11 URI
# and with either:
#   TESSIVAR_SIGN_TIMESTAMP   an RFC 3161 time-stamp server's address: the
#                             signature stays valid after the certificate expires
#   TESSIVAR_SIGN_CAFILE      the certificates the signatures are checked
#                             against afterwards (default: the system's)
#
#   scripts/sign.sh FILE...
#
# Without a certificate it signs nothing and says so on standard error;
# a signature that fails, or does not verify, ends it with 1.
set -euo pipefail

say() { echo "sign: $*" >&2; }
if [ -z "${TESSIVAR_SIGN_PKCS12:-}" ] && [ -z "${TESSIVAR_SIGN_PKCS11_MODULE:-}" ]; then
    say "NOT SIGNED: no certificate is configured (TESSIVAR_SIGN_PKCS12 or TESSIVAR_SIGN_PKCS11_MODULE)."
    say "Windows' SmartScreen will warn about these files: $*"
    exit 0
fi
command -v osslsigncode >/dev/null || { say "osslsigncode is missing (apt-get install osslsigncode)"; exit 1; }

key=()
if [ -n "${TESSIVAR_SIGN_PKCS12:-}" ]; then
    key=(-pkcs12 "$TESSIVAR_SIGN_PKCS12")
else
    key=(-pkcs11module "$TESSIVAR_SIGN_PKCS11_MODULE" -key "${TESSIVAR_SIGN_PKCS11_KEY:?TESSIVAR_SIGN_PKCS11_KEY is not set}")
    cert=${TESSIVAR_SIGN_PKCS11_CERT:?TESSIVAR_SIGN_PKCS11_CERT is not set}
    if [ -f "$cert" ]; then key+=(-certs "$cert"); else key+=(-pkcs11cert "$cert"); fi
fi
# The password goes through a file: on the command line every user could read it.
secret=()
if [ -n "${TESSIVAR_SIGN_PASSWORD:-}" ]; then
    passfile=$(mktemp)
    trap 'rm -f "$passfile"' EXIT
    printf '%s' "$TESSIVAR_SIGN_PASSWORD" >"$passfile"
    secret=(-readpass "$passfile")
fi
stamp=()
if [ -n "${TESSIVAR_SIGN_TIMESTAMP:-}" ]; then
    stamp=(-ts "$TESSIVAR_SIGN_TIMESTAMP")
else
    say "no time stamp (TESSIVAR_SIGN_TIMESTAMP): the signatures end with the certificate"
fi
cafile=${TESSIVAR_SIGN_CAFILE:-/etc/ssl/certs/ca-certificates.crt}

for file in "$@"; do
    signed=$file.signiert
    rm -f "$signed"
    osslsigncode sign "${key[@]}" "${secret[@]}" -h sha256 -n "Tessivar und Rovandel2" \
        -i "https://www.brannock-heyl.example" "${stamp[@]}" -in "$file" -out "$signed" >/dev/null ||
        { rm -f "$signed"; say "could not sign $file"; exit 1; }
    osslsigncode verify -CAfile "$cafile" -in "$signed" >/dev/null ||
        { rm -f "$signed"; say "the signature of $file does not verify against $cafile"; exit 1; }
    mv "$signed" "$file"
    say "signed: $file"
done
