#!/usr/bin/env bash
# Kills tessivar.exe at random moments while it changes a table of 1,000
# commands (an install, a removal near the top, a restore; 30 times each)
# and counts the changes that the next start leaves half done. Minutes
# long, so not part of the test command. Needs the windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINE_ENV_DIR=$PWD/build/windows/wine WINE_KEEPALIVE=$PWD/build/windows/bin/keepalive.exe
cmake/wine/wine-env.sh start >/dev/null
trap 'cmake/wine/wine-env.sh stop >/dev/null' EXIT
build/windows/wine-run build/windows/bin/e2e_tests.exe --gtest_filter='TessivarKilledAtRandom.*' 2>&1 |
    grep -v '^Tessivar: '
