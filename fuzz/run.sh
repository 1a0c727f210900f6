#!/bin/sh
# Builds the fuzz targets with clang and runs one for a bounded time:
# fuzz/run.sh [SECONDS] [TARGET]   (default 600 s, received_line; or kiss_stream,
# nmea, weather_station, map_file, server_lines, internet_lines, garmin, or a
# weather decoder:
# weather_hk5001, weather_davis, weather_texas, weather_weathermax,
# weather_capricorn, weather_wx200, weather_davis_no_pressure, weather_wxnow,
# weather_ultimeter)
set -eu
seconds=${1:-600}
target=${2:-received_line}
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
build="$top/build-fuzz"
CXX=clang++ cmake -S "$top" -B "$build" -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF \
    -DVELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "fuzz_$target" -j2 >/dev/null
mkdir -p "$top/fuzz/out/$target" "$here/corpus/$target"
cd "$top/fuzz/out"
maxlen=4096
[ "$target" = map_file ] && maxlen=16384  # a header and a few hundred records
exec "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="$maxlen" \
    -print_final_stats=1 "$top/fuzz/out/$target" "$here/corpus/$target"
