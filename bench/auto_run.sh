#!/usr/bin/env bash
# Wall time of the unattended run `corvane.exe /AUTO out.txt` against an empty
# Win32 program under the same warm Wine session: median and minimum over N
# runs of each, and their ratio.
#   bench/auto_run.sh [N]          N runs of each program (default 10)
# CORVANE_BENCH_BUILD names the cross build tree (default build/win32); it is
# configured and brought up to date first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session corvane bench_empty
corvane=$build/bin/corvane.exe
empty=$build/bin/bench_empty.exe

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
