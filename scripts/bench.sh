#!/bin/bash
# Builds the Windows programs and prints the benchmark figures, run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
# Native figures from an optimised build without sanitizers.
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench -j "$(nproc)" --target bench_command_files bench_buttons
for b in build/bench/bin/bench_*; do "$b"; echo; done
cmake --build --preset windows -j "$(nproc)" --target bench_startup bench_commands bench_table_limit bench_actlink bench_listwindow bench_backup bench_bigtables bench_rovandel2 bench_route actstandin keepalive routepages_server
export WINE_ENV_DIR=$PWD/build/windows/bench-wine WINE_KEEPALIVE=$PWD/build/windows/bin/keepalive.exe
trap 'cmake/wine/wine-env.sh stop' EXIT
cmake/wine/wine-env.sh start
cmake/wine/wine-env.sh run build/windows/bin/bench_startup.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_commands.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_table_limit.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_actlink.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_rovandel2.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_listwindow.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_backup.exe
echo
cmake/wine/wine-env.sh run build/windows/bin/bench_bigtables.exe
echo
# The anchor for bench_route: Playwright on the same route page server,
# measured just before it so that its table puts both side by side.
if [ -x /usr/bin/chromium ]; then
  npm install --prefix bench --no-audit --no-fund --silent
  pages=$(mktemp)
  anchor=$(mktemp)
  cmake/wine/wine-env.sh run build/windows/bin/routepages_server.exe >"$pages" 2>/dev/null &
  server=$!
  for _ in $(seq 100); do grep -q '^http' "$pages" && break; sleep 0.1; done
  echo "Playwright (playwright-core, headless) on the same route page"
  node bench/playwright_route.js "$(grep -m1 '^http' "$pages" | tr -d '\r')" | tee "$anchor" | grep -v '^ROUTE_ANCHOR=' ||
    echo "(Playwright failed)"
  export ROUTE_ANCHOR=$(sed -n 's/^ROUTE_ANCHOR=//p' "$anchor")
  kill "$server" 2>/dev/null || true
  rm -f "$pages" "$anchor"
  echo
fi
cmake/wine/wine-env.sh run build/windows/bin/bench_route.exe 2>/dev/null
