#!/usr/bin/env bash
# The installed-applications window's refresh with N seeded uninstall
# entries (default 2000) under a warm Wine session: the registry walk, the
# reader, the sort and the window's refresh, medians of R rounds.
#   bench/apps_refresh.sh [R] [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_apps_refresh
"$session" exec "$build/bin/bench_apps_refresh.exe" "${1:-10}" "${2:-2000}" | grep -v '^ALSA'
