#!/usr/bin/env bash
# Wall time of the unattended run `corvane.exe /AUTO out.txt` against an empty
# Win32 program and the reference program (bench/reference_main_win.cpp)
# under the same warm Wine session: median and minimum over N runs of each,
# their ratios, and the ratio to the goal's floor: the larger of the empty
# program plus the half-second clock sample, and the reference. Also the
# clock figure of every run (row 5), so a change in what runs during the
# sample can be checked for its effect on the measurement.
#   bench/auto_run.sh [N]          N runs of each program (default 10)
# CORVANE_BENCH_BUILD names the cross build tree (default: the build Wine runs here); it is
# configured and brought up to date first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session corvane bench_empty bench_reference
corvane=$program
empty=$build/bin/bench_empty.exe
reference=$build/bin/bench_reference.exe

out=$out_dir/out.txt
out_win=$(winepath -w "$out")

# One unmeasured run of each warms the file cache and the server.
time_runs 1 "$empty" >/dev/null
time_runs 1 "$reference" >/dev/null
rm -f "$out"
time_runs 1 "$corvane" /AUTO "$out_win" >/dev/null
lines=$(tr -cd '\n' <"$out" | wc -c)
[ "$lines" -ge 27 ] || { echo "corvane.exe /AUTO wrote $lines lines to $out" >&2; exit 1; }

read -r empty_med empty_min < <(time_runs "$runs" "$empty" | stats)
read -r ref_med ref_min < <(time_runs "$runs" "$reference" | stats)
auto_times= clocks=
for ((i = 0; i < runs; i++)); do
  auto_times+=$(time_runs 1 "$corvane" /AUTO "$out_win")$'\n'
  clocks+=$(sed -n 's/^CPU Speed: *\([0-9][0-9.,]*\) MHz.*/\1/p' "$out" | tr , .)$'\n'
done
read -r auto_med auto_min < <(stats <<<"${auto_times%$'\n'}")
[ -z "${CORVANE_BENCH_VERBOSE:-}" ] || echo "corvane runs (ms): ${auto_times//$'\n'/ }"

printf '%-28s %10s %10s\n' "program ($runs runs)" "median ms" "min ms"
printf '%-28s %10s %10s\n' "empty Win32 program" "$empty_med" "$empty_min"
printf '%-28s %10s %10s\n' "reference program" "$ref_med" "$ref_min"
printf '%-28s %10s %10s\n' "corvane.exe /AUTO out.txt" "$auto_med" "$auto_min"
awk -v a="$auto_med" -v e="$empty_med" -v am="$auto_min" -v em="$empty_min" -v r="$ref_med" \
  'BEGIN { floor = (e + 500 > r) ? e + 500 : r
           printf "ratio corvane/empty: median %.2f, min %.2f\n", a / e, am / em
           printf "ratio corvane/max(empty + 500 ms, reference) = %d/%d: %.2f (goal <= 1.15)\n", a, floor, a / floor }'
# The clock figures: their spread shows whether the sample kept its accuracy.
awk '$1 != "" { v[++n] = $1; s += $1 } END {
  if (n == 0) { print "clock: no figure in row 5"; exit }
  m = s / n; for (i = 1; i <= n; i++) d += (v[i] - m) ^ 2
  lo = v[1]; hi = v[1]; for (i = 2; i <= n; i++) { if (v[i] < lo) lo = v[i]; if (v[i] > hi) hi = v[i] }
  printf "clock (row 5) over %d runs: mean %.1f MHz, standard deviation %.2f MHz, min %.1f, max %.1f\n",
         n, m, sqrt(d / n), lo, hi }' <<<"$clocks"
