#!/usr/bin/env bash
# A private Wine session for the test suites: a prefix under build/wine (its
# template made once by wineboot, copied fresh per session), a private Xvfb
# display and a persistent wineserver. It runs the build Wine can run here
# (scripts/wine_env.sh): the 32-bit one in a 32-bit prefix, or the 64-bit one
# in a 64-bit prefix.
#   session.sh start        set it up and write build/wine/session.env
#   session.sh exec CMD...  run a Windows program in it (bounded by a timeout);
#                           a bare file name is taken from the running build's
#                           bin folder
#   session.sh stop         kill the wineserver and the display
#   session.sh check        exit 77 (ctest's "skipped") where no build can run
#   session.sh arch         print win32 or win64, the build that runs here
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
state=${CORVANE_WINE_STATE:-$root/build/wine}
env_file=$state/session.env
# shellcheck source=../../scripts/wine_env.sh
source "$root/scripts/wine_env.sh"

# Exit code that ctest reports as "skipped" (SKIP_RETURN_CODE).
readonly kSkip=77

# Only a machine where no build can run skips; anything that then fails to
# start is a failure.
arch=
skip_without_wine() {
  arch=$(corvane_wine_arch) && return 0
  echo "SKIPPED: $(corvane_wine_missing_reason), so neither corvane.exe nor corvane64.exe can run here" >&2
  exit $kSkip
}

start() {
  skip_without_wine
  stop_quiet
  mkdir -p "$state"
  local arch_env
  arch_env=$(corvane_wine_env_lines "$arch" "$state/bin-$arch")
  eval "$arch_env"
  local tmpl=$state/pfx-template-$arch pfx=$state/pfx
  if [ ! -f "$tmpl/.complete" ]; then
    rm -rf "$tmpl"
    WINEPREFIX=$tmpl DISPLAY= timeout 300 wineboot -i
    WINEPREFIX=$tmpl timeout 120 wineserver -w
    touch "$tmpl/.complete"
  fi
  rm -rf "$pfx"
  cp -a "$tmpl" "$pfx"   # a real copy: wineserver rewrites system.reg in place

  local n
  for n in $(seq 91 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb :$n did not start" >&2; exit 1; }

  cat >"$env_file" <<ENV
$arch_env
export WINEPREFIX=$pfx
export DISPLAY=:$n
export CORVANE_WINE_BIN=$root/build/$arch/bin
ENV
  # shellcheck disable=SC1090
  source "$env_file"
  wineserver -p </dev/null >/dev/null 2>&1
  # A crash must end the program, not wait for a click on winedbg's dialog.
  # (Its output goes nowhere: the services this first call starts would
  # otherwise hold the caller's pipes open for the whole session.)
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # The display has no window manager: Wine's X11 driver would then wait two
  # seconds for one each time a managed window is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  echo "wine session: $arch prefix $pfx, display :$n, programs of build/$arch"
}

stop_quiet() {
  [ -f "$env_file" ] || return 0
  # shellcheck disable=SC1090
  (source "$env_file"; wineserver -k 2>/dev/null || true)
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  rm -f "$env_file"
}

case ${1:-} in
  check) skip_without_wine ;;
  arch) skip_without_wine; echo "$arch" ;;
  start) start ;;
  stop) stop_quiet ;;
  exec)
    shift
    skip_without_wine
    [ -f "$env_file" ] || { echo "no wine session: run '$0 start' first" >&2; exit 1; }
    # shellcheck disable=SC1090
    source "$env_file"
    program=$1
    shift
    case $program in */*) ;; *) program=$CORVANE_WINE_BIN/$program ;; esac
    [ -f "$program" ] || { echo "$program was not built" >&2; exit 1; }
    set -- "$program" "$@"
    # Output goes through a file: a process the program leaves behind (a COM
    # server, say) must not hold the caller's pipes open after it ends.
    out=$(mktemp)
    rc=0
    timeout -k 5 "${CORVANE_WINE_TIMEOUT:-600}" wine "$@" >"$out" 2>&1 </dev/null || rc=$?
    cat "$out"
    rm -f "$out"
    exit $rc
    ;;
  *) echo "usage: $0 check|arch|start|stop|exec PROGRAM [ARGS...]" >&2; exit 2 ;;
esac
