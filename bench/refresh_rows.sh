#!/usr/bin/env bash
# Cost of each collector of the summary refresh under a warm Wine session:
# the first refresh of a process (cold: library loads, WMI connections) and
# the best of N, slowest first.   bench/refresh_rows.sh [N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BENCH_BUILD:-$root/build/win32}
export CORVANE_WINE_STATE=$root/build/wine-bench
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target bench_refresh_rows >/dev/null
trap '"$root/tests/wine/session.sh" stop' EXIT
"$root/tests/wine/session.sh" start >/dev/null 2>&1
"$root/tests/wine/session.sh" exec "$build/bin/bench_refresh_rows.exe" "${1:-5}" | grep -v '^ALSA'
