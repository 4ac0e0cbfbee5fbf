#!/usr/bin/env bash
# The memory window's refresh (readers, WMI, model, the whole handler) and
# the date and time window's one-second tick, under a warm Wine session:
# medians of N rounds.   bench/memory_refresh.sh [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_memory_refresh
"$session" exec "$build/bin/bench_memory_refresh.exe" "${1:-10}" | grep -v '^ALSA'
