#!/usr/bin/env bash
# The display window's refresh work (readers, model, and the hidden window's
# refresh) under a warm Wine session: medians of N rounds.
#   bench/display_refresh.sh [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_display_refresh
"$session" exec "$build/bin/bench_display_refresh.exe" "${1:-20}" | grep -v '^ALSA'
