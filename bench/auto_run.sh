#!/usr/bin/env bash
# Wall time of the unattended run `corvane.exe /AUTO out.txt` against an empty
# Win32 program under the same warm Wine session: median and minimum over N
# runs of each, and their ratio.
#   bench/auto_run.sh [N]          N runs of each program (default 10)
# CORVANE_BENCH_BUILD names the cross build tree (default build/win32); it is
# configured and brought up to date first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-10}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }

build=${CORVANE_BENCH_BUILD:-$root/build/win32}
out_dir=$root/build/bench
export CORVANE_WINE_STATE=$root/build/wine-bench
session=$root/tests/wine/session.sh

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target corvane bench_empty >/dev/null
corvane=$build/bin/corvane.exe
empty=$build/bin/bench_empty.exe
mkdir -p "$out_dir"

# The session's Xvfb inherits the descriptors of whoever starts it: give it a
# log file, not this script's output, or a pipe reading us never closes.
trap '"$session" stop' EXIT
"$session" start >"$out_dir/session.log" 2>&1
# shellcheck disable=SC1091
source "$CORVANE_WINE_STATE/session.env"

out=$out_dir/out.txt
out_win=$(winepath -w "$out")

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# time_runs N CMD... : runs CMD N times, prints one wall time in ms per line.
time_runs() {
  local n=$1
  shift
  local i t0 t1
  for ((i = 0; i < n; i++)); do
    t0=$(now_ms)
    timeout -k 5 120 wine "$@" >/dev/null 2>&1 || { echo "run failed: $*" >&2; return 1; }
    t1=$(now_ms)
    echo $((t1 - t0))
  done
}

stats() {  # median and minimum of numbers on stdin, "median min"
  sort -n | awk '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.1f %d\n", m, v[1] }'
}

# One unmeasured run of each warms the file cache and the server.
time_runs 1 "$empty" >/dev/null
rm -f "$out"
time_runs 1 "$corvane" /AUTO "$out_win" >/dev/null
lines=$(tr -cd '\n' <"$out" | wc -c)
[ "$lines" -ge 27 ] || { echo "corvane.exe /AUTO wrote $lines lines to $out" >&2; exit 1; }

read -r empty_med empty_min < <(time_runs "$runs" "$empty" | stats)
auto_times=$(time_runs "$runs" "$corvane" /AUTO "$out_win")
read -r auto_med auto_min < <(stats <<<"$auto_times")
[ -z "${CORVANE_BENCH_VERBOSE:-}" ] || echo "corvane runs (ms): ${auto_times//$'\n'/ }"

printf '%-28s %10s %10s\n' "program ($runs runs)" "median ms" "min ms"
printf '%-28s %10s %10s\n' "empty Win32 program" "$empty_med" "$empty_min"
printf '%-28s %10s %10s\n' "corvane.exe /AUTO out.txt" "$auto_med" "$auto_min"
awk -v a="$auto_med" -v e="$empty_med" -v am="$auto_min" -v em="$empty_min" \
  'BEGIN { printf "ratio corvane/empty: median %.2f, min %.2f\n", a / e, am / em }'
