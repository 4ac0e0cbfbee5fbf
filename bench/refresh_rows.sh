#!/usr/bin/env bash
# Cost of each collector of the summary refresh under a warm Wine session:
# the first refresh of a process (cold: library loads, WMI connections) and
# the best of N, slowest first.   bench/refresh_rows.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=bench/common.sh
source bench/common.sh
bench_session bench_refresh_rows
"$session" exec "$build/bin/bench_refresh_rows.exe" "${1:-5}" | grep -v '^ALSA'
