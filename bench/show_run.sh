#!/usr/bin/env bash
# Start-up to the main window shown and painted: bench/show_probe.c starts
# corvane.exe /norefresh N times inside a private warm Wine session, each time
# after the empty program (bench/empty_main.c), and prints every round and the
# medians.
#   bench/show_run.sh [N] [ARGS...]   N rounds (default 15); ARGS replace /norefresh
# CORVANE_BENCH_BUILD names the cross build tree (default: the build Wine runs here); it is
# configured and brought up to date first.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs] [args...]" >&2; exit 2; }
shift || true
[ $# -gt 0 ] || set -- /norefresh
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session corvane bench_empty bench_show_probe bench_window_floor

echo "corvane.exe $*: start to the first finished paint of TForm1; the empty program: start to exit"
"$session" exec "$build/bin/bench_show_probe.exe" "$runs" "$(winepath -w "$build/bin/bench_empty.exe")" TForm1 \
  "$(winepath -w "$program")" "$@" | grep -v '^ALSA'
echo "the floor: the least painted window (bench/window_floor.c), timed the same way"
"$session" exec "$build/bin/bench_show_probe.exe" "$runs" "$(winepath -w "$build/bin/bench_empty.exe")" TForm1 \
  "$(winepath -w "$build/bin/bench_window_floor.exe")" | grep -v '^ALSA' | tail -n 1
