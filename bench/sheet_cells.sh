#!/usr/bin/env bash
# The main window's 56 summary cells by what they are made of (the kit's
# sheet with read-only boxes or with texts, bare EDIT and STATIC controls):
# making them with their fonts, writing the values, the first paint, and the
# drawing of row 1 against the boxes'. Warm medians of N rounds, then R fresh
# processes per kind for the first sheet of a process (what start-up pays).
#   bench/sheet_cells.sh [N] [R]   (defaults 20 and 7)
set -euo pipefail
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
bench_session bench_sheet_cells
# The program's manifest beside the bench: the same common controls 6
# classes, without an activation context pushed around each creation.
cp "$build/app/corvane.manifest" "$build/bin/bench_sheet_cells.exe.manifest"
"$session" exec "$build/bin/bench_sheet_cells.exe" "${1:-20}" | grep -v '^ALSA'
echo
for ((i = 0; i < ${2:-7}; i++)); do
  for kind in 0 1 2 3; do "$session" exec "$build/bin/bench_sheet_cells.exe" 1 "$kind" | grep -v '^ALSA'; done
done | awk '
  { name = $0; sub(/ +first sheet.*/, "", name); k = ++n[name]
    w = $0; sub(/.*whole /, "", w); sub(/ ms.*/, "", w); whole[name, k] = w
    c = $0; sub(/.*create /, "", c); sub(/,.*/, "", c); create[name, k] = c
    p = $0; sub(/.*show\+paint /, "", p); sub(/,.*/, "", p); paint[name, k] = p }
  function med(a, name, k,   v, i, j, t) {
    for (i = 1; i <= k; i++) v[i] = a[name, i] + 0
    for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
    return (k % 2) ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2 }
  END {
    print "first sheet of a fresh process, medians (ms):"
    for (name in n) printf "  %-28s create+font %7.1f  show+paint %7.1f  whole %7.1f  (%d runs)\n", name,
      med(create, name, n[name]), med(paint, name, n[name]), med(whole, name, n[name]), n[name] }'
