#!/usr/bin/env bash
# Reruns every benchmark once, one after the other, with the run counts the
# record in bench/README.md was taken with, and keeps each one's output in
# build/bench/all/NAME.txt. Compare the figures with the record's table; a
# figure far off the record is worth a second run before it is believed.
#   bench/all.sh [NAME...]     only the benchmarks named (e.g. report hid_tree)
# CORVANE_BENCH_BUILD names the cross build tree (default: the build Wine runs here).
set -uo pipefail
cd "$(dirname "$0")/.."
# name and arguments, in the order of the record
benches=(
  "auto_run 10"
  "show_run 10"
  "peak_memory 10"
  "report 10"
  "clock_sample 10"
  "refresh_rows 10"
  "cpu_ticks"
  "memory_refresh 10"
  "display_refresh 20"
  "internet_refresh 20"
  "network_refresh 10"
  "services_refresh 20"
  "apps_refresh 10 2000"
  "hid_tree 10"
)
if [ ! -x /usr/bin/time ]; then  # peak_memory reads the maximum resident size from it
  if [ "$(id -u)" = 0 ]; then apt-get install -y -qq time >/dev/null; else sudo apt-get install -y -qq time >/dev/null; fi
fi
mkdir -p build/bench/all
failed=()
for entry in "${benches[@]}"; do
  read -r name args <<<"$entry"
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$name"; then continue; fi
  echo "=== $name ${args:-}"
  # shellcheck disable=SC2086
  if bash "bench/$name.sh" ${args:-} 2>&1 | tee "build/bench/all/$name.txt"; then :; else failed+=("$name"); fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
