#!/bin/bash
# Builds the fuzz targets with clang and runs each for a bounded time on its
# seed corpus. Usage: fuzz/run.sh [seconds per target, default 60] [target names, default all]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
only=" $* "
if ! command -v clang++ >/dev/null; then
    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang
fi
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DENABLE_FUZZING=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
for target in "$build"/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    [ "$only" = "  " ] || [[ "$only" == *" ${name#fuzz_} "* ]] || [[ "$only" == *" $name "* ]] || continue
    corpus=fuzz/corpus/${name#fuzz_}
    work=$build/corpus/${name#fuzz_}
    mkdir -p "$work"
    echo "=== $name for $seconds s (seeds: $corpus)"
    # -rss_limit_mb and -malloc_limit_mb catch unbounded allocation.
    "$target" -max_total_time="$seconds" -rss_limit_mb=512 -malloc_limit_mb=64 -print_final_stats=1 \
        "$work" "$corpus" 2>&1 | grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY|Done' || true
done
