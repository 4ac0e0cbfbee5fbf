#!/usr/bin/env bash
# The refresh work of the network window and of the adapter, user list and
# computers windows (each built hidden, refreshed as a showing does, the
# background parts waited for), and the network window's readings one by
# one, under a warm Wine session: the cold first round and medians of N
# warm rounds.   bench/network_refresh.sh [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_network_refresh
"$session" exec "$build/bin/bench_network_refresh.exe" "${1:-10}" | grep -v '^ALSA'
