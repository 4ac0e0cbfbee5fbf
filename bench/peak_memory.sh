#!/usr/bin/env bash
# Peak resident memory of `corvane.exe /AUTO out.txt` and of
# `corvane.exe /REPORT out.json` next to the reference
# program (bench/reference_main_win.cpp: the same system facilities, touched
# once each) and the empty program, each measured as the maximum resident size
# of its Wine process by /usr/bin/time -v (Debian package `time`), N runs each,
# alternately, under one private warm Wine session. Prints the medians (KiB)
# and corvane's ratios to the reference (goals: within 1.10 for /AUTO, 1.25
# for /REPORT).
#   bench/peak_memory.sh [N]          N runs of each program (default 7)
# CORVANE_BENCH_BUILD names the cross build tree (default: the build Wine runs here).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time: apt-get install time" >&2; exit 1; }
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session corvane bench_reference bench_empty
out=$out_dir/out.txt
out_win=$(winepath -w "$out")
report_win=$(winepath -w "$out_dir/out.json")

# peak_kib CMD... : runs CMD under wine once, prints its maximum resident size in KiB.
peak_kib() {
  local report=$out_dir/time.txt
  timeout -k 5 120 /usr/bin/time -v -o "$report" wine "$@" >/dev/null 2>&1 </dev/null ||
    { echo "run failed: $*" >&2; return 1; }
  awk -F': ' '/Maximum resident set size/ { print $2 }' "$report"
}

# One unmeasured run of each warms the file cache and the server.
peak_kib "$build/bin/bench_empty.exe" >/dev/null
peak_kib "$build/bin/bench_reference.exe" >/dev/null
rm -f "$out"
peak_kib "$program" /AUTO "$out_win" >/dev/null
lines=$(tr -cd '\n' <"$out" | wc -c)
[ "$lines" -ge 27 ] || { echo "corvane.exe /AUTO wrote $lines lines to $out" >&2; exit 1; }
peak_kib "$program" /REPORT "$report_win" >/dev/null

empty=() reference=() corvane=() report=()
for ((i = 0; i < runs; i++)); do
  empty+=("$(peak_kib "$build/bin/bench_empty.exe")")
  reference+=("$(peak_kib "$build/bin/bench_reference.exe")")
  corvane+=("$(peak_kib "$program" /AUTO "$out_win")")
  report+=("$(peak_kib "$program" /REPORT "$report_win")")
done
[ -z "${CORVANE_BENCH_VERBOSE:-}" ] || printf 'corvane runs (KiB): %s\nreport runs (KiB): %s\nreference runs (KiB): %s\n' \
  "${corvane[*]}" "${report[*]}" "${reference[*]}"

e=$(printf '%s\n' "${empty[@]}" | median)
r=$(printf '%s\n' "${reference[@]}" | median)
c=$(printf '%s\n' "${corvane[@]}" | median)
p=$(printf '%s\n' "${report[@]}" | median)
printf '%-34s %12s\n' "program ($runs runs, median)" "peak RSS KiB"
printf '%-34s %12s\n' "empty Win32 program" "$e"
printf '%-34s %12s\n' "reference (same facilities)" "$r"
printf '%-34s %12s\n' "corvane.exe /AUTO out.txt" "$c"
printf '%-34s %12s\n' "corvane.exe /REPORT out.json" "$p"
awk -v c="$c" -v p="$p" -v r="$r" -v e="$e" 'BEGIN {
  printf "ratio /AUTO/reference: %.3f (goal <= 1.10); above the empty program: corvane %d KiB, reference %d KiB\n",
         c / r, c - e, r - e
  printf "ratio /REPORT/reference: %.3f (goal <= 1.25)\n", p / r }'
