#!/bin/bash
# Builds the fuzz targets with clang and runs each for a bounded time on its
# seed corpus; fails when a target finds a crash or a broken property.
# Usage: fuzz/run.sh [seconds per target, default 60] [target names, default all]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
only=" $* "
if ! command -v clang++ >/dev/null; then
    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang
fi
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DENABLE_FUZZING=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j "$(nproc)" >/dev/null || { cmake --build "$build" -j 1; exit 1; }
status=0
for target in "$build"/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    [ "$only" = "  " ] || [[ "$only" == *" ${name#fuzz_} "* ]] || [[ "$only" == *" $name "* ]] || continue
    corpus=fuzz/corpus/${name#fuzz_}
    work=$build/corpus/${name#fuzz_}
    mkdir -p "$work" "$build/found"
    log=$(mktemp)
    # -rss_limit_mb and -malloc_limit_mb catch unbounded allocation; what
    # is found lands in build/fuzz/found, to be fixed and kept in the corpus.
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=64 -print_final_stats=1 \
        -artifact_prefix="$build/found/${name#fuzz_}-" "$work" "$corpus" >"$log" 2>&1
    code=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")
    if [ $code -eq 0 ]; then
        echo "$name: ${runs:-?} executions in $seconds s, peak ${peak:-?} MB"
    else
        echo "$name: FAILED (exit $code)"
        grep -E 'property|ERROR|SUMMARY|Test unit written|==[0-9]+==' "$log" | head -20
        status=1
    fi
    rm -f "$log"
done
exit $status
