#!/usr/bin/env bash
# The USB window's device-tree rebuild (controller refresh and tree walk)
# for the system's HID devices and for 50 scripted ones, under a warm Wine
# session: medians of N rounds.   bench/hid_tree.sh [N]
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_hid_tree
"$session" exec "$build/bin/bench_hid_tree.exe" "${1:-10}" | grep -v '^ALSA'
