#!/usr/bin/env bash
# The services window's refresh (binding, reading, rows, the whole handler)
# and the device driver window's, under a warm Wine session: medians of N
# rounds.   bench/services_refresh.sh [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_services_refresh
"$session" exec "$build/bin/bench_services_refresh.exe" "${1:-20}" | grep -v '^ALSA'
