#!/usr/bin/env bash
# A private Wine session for the test suites: a 32-bit prefix under build/wine
# (its template made once by wineboot, copied fresh per session), a private
# Xvfb display and a persistent wineserver.
#   session.sh start        set it up and write build/wine/session.env
#   session.sh exec CMD...  run a Windows program in it (bounded by a timeout)
#   session.sh stop         kill the wineserver and the display
#   session.sh check        exit 77 (ctest's "skipped") where Wine cannot run here
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
state=${CORVANE_WINE_STATE:-$root/build/wine}
env_file=$state/session.env

# Exit code that ctest reports as "skipped" (SKIP_RETURN_CODE).
readonly kSkip=77

# Wine's 32-bit loader runs only where the kernel executes 32-bit programs;
# some virtual machines switch that off ("Exec format error").
can_run_32bit() {
  local loader=/usr/lib/wine/wine
  [ -x "$loader" ] || return 1
  "$loader" --version >/dev/null 2>&1 && return 0
  # The loader without arguments prints its usage; ENOEXEC gives 126.
  local rc=0
  "$loader" >/dev/null 2>&1 || rc=$?
  [ $rc -ne 126 ]
}

skip_without_32bit() {
  can_run_32bit && return 0
  echo "SKIPPED: this machine cannot execute 32-bit programs, so Wine cannot run corvane.exe here" >&2
  exit $kSkip
}

base_env() {
  export WINEDEBUG=-all WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml="
}

start() {
  skip_without_32bit
  stop_quiet
  mkdir -p "$state"
  base_env
  local tmpl=$state/pfx-template pfx=$state/pfx
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
export WINEDEBUG=-all WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$pfx
export DISPLAY=:$n
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
  echo "wine session: prefix $pfx, display :$n"
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
  check) skip_without_32bit ;;
  start) start ;;
  stop) stop_quiet ;;
  exec)
    shift
    skip_without_32bit
    [ -f "$env_file" ] || { echo "no wine session: run '$0 start' first" >&2; exit 1; }
    # shellcheck disable=SC1090
    source "$env_file"
    # Output goes through a file: a process the program leaves behind (a COM
    # server, say) must not hold the caller's pipes open after it ends.
    out=$(mktemp)
    rc=0
    timeout -k 5 "${CORVANE_WINE_TIMEOUT:-600}" wine "$@" >"$out" 2>&1 </dev/null || rc=$?
    cat "$out"
    rm -f "$out"
    exit $rc
    ;;
  *) echo "usage: $0 check|start|stop|exec PROGRAM [ARGS...]" >&2; exit 2 ;;
esac
