#!/usr/bin/env bash
# Start-up to the main window shown and painted: bench/show_probe.c starts
# corvane.exe /norefresh N times inside a private warm Wine session, each time
# after the empty program (bench/empty_main.c), and prints every round and the
# medians.
#   bench/show_run.sh [N] [ARGS...]   N rounds (default 15); ARGS replace /norefresh
# CORVANE_BENCH_BUILD names the cross build tree (default build/win32); it is
# configured and brought up to date first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-15}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs] [args...]" >&2; exit 2; }
shift || true
[ $# -gt 0 ] || set -- /norefresh

build=${CORVANE_BENCH_BUILD:-$root/build/win32}
out_dir=$root/build/bench
export CORVANE_WINE_STATE=$root/build/wine-bench
session=$root/tests/wine/session.sh

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target corvane bench_empty bench_show_probe >/dev/null

mkdir -p "$out_dir"
# The session's Xvfb inherits the descriptors of whoever starts it: give it a
# log file, not this script's output, or a pipe reading us never closes.
trap '"$session" stop' EXIT
"$session" start >"$out_dir/session.log" 2>&1
# shellcheck disable=SC1091
source "$CORVANE_WINE_STATE/session.env"

echo "corvane.exe $*: start to the first finished paint of TForm1; the empty program: start to exit"
"$session" exec "$build/bin/bench_show_probe.exe" "$runs" "$(winepath -w "$build/bin/bench_empty.exe")" TForm1 \
  "$(winepath -w "$build/bin/corvane.exe")" "$@" | grep -v '^ALSA'
