#!/usr/bin/env bash
# The soak run ("./test --soak"): builds the program Wine runs here
# (corvane.exe or corvane64.exe, scripts/wine_env.sh) and corvane_soak.exe,
# starts a private Wine session and runs the driver (tests/soak/soak_main_win.cpp)
# for CORVANE_SOAK_MINUTES (default 10). The driver samples what Windows lets
# it see; this script answers its requests for what only Linux sees, the
# resident memory (VmRSS) and the open descriptors (/proc/PID/fd) of each
# program of this session's prefix. Prints the series as it comes, then
# PASS or FAIL with the reason; exits non-zero on FAIL, 77 (skipped) where
# this machine can run neither build.
#   CORVANE_SOAK_BUILD   the cross build tree (default build/win32 or build/win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
minutes=${CORVANE_SOAK_MINUTES:-10}
out=$root/build/soak
session=$root/tests/wine/session.sh
export CORVANE_WINE_STATE=$root/build/wine-soak

[[ $minutes =~ ^[1-9][0-9]*$ ]] || { echo "CORVANE_SOAK_MINUTES must be a whole number of minutes, not '$minutes'" >&2; exit 2; }
"$session" check || exit $?
arch=$("$session" arch)
build=${CORVANE_SOAK_BUILD:-$root/build/$arch}
# shellcheck source=../../scripts/wine_env.sh
source "$root/scripts/wine_env.sh"
program=$(corvane_program_file "$arch")
toolchain=$root/cmake/mingw-i686.cmake
[ "$arch" = win64 ] && toolchain=$root/cmake/mingw-x86_64.cmake

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target corvane corvane_soak >/dev/null

rm -rf "$out"
sync=$out/sync
mkdir -p "$sync"
watcher="" follower=""
cleanup() {
  [ -n "$watcher" ] && kill "$watcher" 2>/dev/null || true
  [ -n "$follower" ] && kill "$follower" 2>/dev/null || true
  "$session" stop
}
trap cleanup EXIT
# The session's Xvfb inherits our descriptors: give it a file, not our output.
"$session" start >"$out/session.log" 2>&1 || { cat "$out/session.log" >&2; exit 1; }
# shellcheck disable=SC1091
source "$CORVANE_WINE_STATE/session.env"

# One "TAG RSS_KIB FDS" line per program of this prefix: the driver
# starts "live" first and "cycle" once live is set up, so the earlier started
# is live. Any other number of them is answered with nothing, so the driver
# reports the reading missing rather than a wrong one.
answer() {
  local n=$1 pid cmd stat started found=() lines="" tag
  for pid in $(pgrep -f "${program//./\\.}" || true); do
    # A process may end between the listing and the reading.
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    cmd=$({ tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null) || continue
    case $cmd in *"$program"*) ;; *) continue ;; esac
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || continue
    started=$(awk '{ print $20 }' <<<"${stat##*) }")  # field 22, counted after the name
    found+=("$started $pid")
  done
  if [ ${#found[@]} -eq 2 ]; then
    tag=live
    for pid in $(printf '%s\n' "${found[@]}" | sort -n | awk '{ print $2 }'); do
      lines+="$tag $(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) "
      lines+="$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)"$'\n'
      tag=cycle
    done
  else
    echo "soak.sh: ${#found[@]} $program processes in this prefix, not 2" >&2
  fi
  printf '%s' "$lines" >"$sync/have-$n.tmp"
  mv "$sync/have-$n.tmp" "$sync/have-$n"
}
(
  while :; do
    for want in "$sync"/want-*; do
      [ -e "$want" ] || continue
      answer "${want##*-}"
      rm -f "$want"
    done
    sleep 0.2
  done
) &
watcher=$!

touch "$sync/series.log"
tail -n +1 -F "$sync/series.log" 2>/dev/null &
follower=$!

rc=0
CORVANE_WINE_TIMEOUT=$((minutes * 60 + 600)) \
  "$session" exec "$build/bin/corvane_soak.exe" "$minutes" "Z:${sync//\//\\}" >"$out/driver.out" 2>&1 || rc=$?
sleep 1  # the follower shows the last lines
case $rc in
  0) ;;
  3) rc=0 ;;  # too short to judge: said so above
  1) ;;
  *) echo "the soak driver ended with code $rc; its output:" >&2; cat "$out/driver.out" >&2 ;;
esac
exit $rc
