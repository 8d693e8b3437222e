#!/bin/bash
# Installs what building, testing and the demo need, when it is missing.
set -euo pipefail

PACKAGES=(
    cmake make g++ googletest ccache clang-format clang libclang-rt-dev
    mingw-w64 wine wine64 fonts-wine
    xvfb xauth x11-utils imagemagick
    locales
    nlohmann-json3-dev chromium
    wixl msitools osslsigncode openssl
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A German locale makes Wine's message boxes say "Ja"/"Nein" and use the
# decimal comma, as on the users' machines.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "install-deps: generating the de_DE.UTF-8 locale"
    $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
