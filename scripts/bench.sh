#!/bin/bash
# Builds the Windows programs and prints the benchmark figures, run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target bench_startup keepalive
export WINE_ENV_DIR=$PWD/build/windows/bench-wine WINE_KEEPALIVE=$PWD/build/windows/bin/keepalive.exe
trap 'cmake/wine/wine-env.sh stop' EXIT
cmake/wine/wine-env.sh start
cmake/wine/wine-env.sh run build/windows/bin/bench_startup.exe
