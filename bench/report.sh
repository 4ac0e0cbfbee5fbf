#!/usr/bin/env bash
# Wall time of the inventory report `corvane.exe /REPORT out.json` against the
# summary alone (`/AUTO out.txt`) under the same warm Wine session: median and
# minimum over N runs of each, their ratio (the goal: the report in at most
# 1.3 times the /AUTO time), and each section's milliseconds from the last
# report's "timings", the slowest first, those over 100 ms marked.
#   bench/report.sh [N]          N runs of each (default 5)
# CORVANE_BENCH_BUILD names the cross build tree (default: the build Wine runs here); it is
# configured and brought up to date first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session corvane
corvane=$program

auto_out=$out_dir/auto.txt
report_out=$out_dir/report.json
auto_win=$(winepath -w "$auto_out")
report_win=$(winepath -w "$report_out")

# One unmeasured run of each warms the file cache, the server and WMI.
rm -f "$auto_out" "$report_out"
time_runs 1 "$corvane" /AUTO "$auto_win" >/dev/null
time_runs 1 "$corvane" /REPORT "$report_win" >/dev/null
[ -s "$report_out" ] || { echo "corvane.exe /REPORT wrote nothing to $report_out" >&2; exit 1; }

read -r auto_med auto_min < <(time_runs "$runs" "$corvane" /AUTO "$auto_win" | stats)
read -r report_med report_min < <(time_runs "$runs" "$corvane" /REPORT "$report_win" | stats)

printf '%-32s %10s %10s\n' "program ($runs runs)" "median ms" "min ms"
printf '%-32s %10s %10s\n' "corvane.exe /AUTO out.txt" "$auto_med" "$auto_min"
printf '%-32s %10s %10s\n' "corvane.exe /REPORT out.json" "$report_med" "$report_min"
awk -v r="$report_med" -v a="$auto_med" -v rm="$report_min" -v am="$auto_min" \
  'BEGIN { printf "ratio report/auto: median %.2f, min %.2f (goal <= 1.30)\n", r / a, rm / am }'

echo "sections of the last report (ms, slowest first; * over 100 ms):"
python3 - "$report_out" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
errors = {s["id"]: s["error"] for s in doc["sections"] if "error" in s}
for sid, ms in sorted(doc["timings"].items(), key=lambda kv: -kv[1]):
    note = ("  error: " + errors[sid]) if sid in errors else ""
    print(f"  {'*' if ms > 100 else ' '} {sid:<22} {ms:>7}{note}")
print(f"  total of sections: {sum(doc['timings'].values())} ms")
PY
