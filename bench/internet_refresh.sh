#!/usr/bin/env bash
# The internet window's refresh under a warm Wine session: each part of the
# read, the whole read, and a hidden window's read-and-show; medians of N
# rounds.   bench/internet_refresh.sh [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_internet_refresh
"$session" exec "$build/bin/bench_internet_refresh.exe" "${1:-20}" | grep -v '^ALSA'
