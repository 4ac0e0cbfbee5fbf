#!/usr/bin/env bash
# Wall time of the unattended run `corvane.exe /AUTO out.txt` against an empty
# Win32 program under the same warm Wine session: median and minimum over N
# runs of each, and their ratio.
#   bench/auto_run.sh [N]          N runs of each program (default 10)
# CORVANE_BENCH_BUILD names the cross build tree (default: the build Wine runs here); it is
# configured and brought up to date first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session corvane bench_empty
corvane=$program
empty=$build/bin/bench_empty.exe

out=$out_dir/out.txt
out_win=$(winepath -w "$out")

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
