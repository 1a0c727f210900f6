#!/bin/sh
# Builds in Release and runs the benchmarks: the decode rate through the
# received-line entry, then the whole-process time of velmora-decode over
# 200,000 lines.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=ON -DVELMORA_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
"$build/bench/velmora_bench" --benchmark_min_time=2
mix="$build/mix200k.log"
"$build/bench/velmora-benchmix" 200000 2000 > "$mix"
echo "velmora-decode over 200,000 lines:"
/usr/bin/time -f "%e s elapsed, %M KB peak" "$build/tools/velmora-decode" "$mix" > /dev/null
