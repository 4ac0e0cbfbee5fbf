#!/usr/bin/env bash
# The clock sample's accuracy alone and with the summary's other rows read
# during it (bench/clock_sample_main_win.cpp), N samples each (default 10),
# under a warm Wine session.
#   bench/clock_sample.sh [N]
set -euo pipefail
runs=${1:-10}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_clock_sample
"$session" exec "$build/bin/bench_clock_sample.exe" "$runs" 2>/dev/null | grep -v '^ALSA'
