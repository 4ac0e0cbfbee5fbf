#!/usr/bin/env bash
# The processor windows' live displays (bench/cpu_ticks_main_win.cpp): one
# CPU-window tick by part and in full, one meters tick, and the identification
# part of the CPU window's refresh, under a warm Wine session.
#   bench/cpu_ticks.sh
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_cpu_ticks
"$session" exec "$build/bin/bench_cpu_ticks.exe" | grep -v '^ALSA'
