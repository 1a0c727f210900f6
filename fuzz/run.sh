#!/bin/sh
# Builds the fuzz targets with clang and runs the received-line fuzzer for
# a bounded time: fuzz/run.sh [SECONDS] (default 600).
set -eu
seconds=${1:-600}
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
build="$top/build-fuzz"
CXX=clang++ cmake -S "$top" -B "$build" -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF \
    -DVELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_received_line -j2 >/dev/null
mkdir -p "$top/fuzz/out/received_line"
cd "$top/fuzz/out"
exec "$build/fuzz/fuzz_received_line" -max_total_time="$seconds" -max_len=1024 \
    -print_final_stats=1 "$top/fuzz/out/received_line" "$here/corpus/received_line"
