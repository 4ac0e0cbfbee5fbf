# Which Corvane build Wine can run on this machine, and the environment that
# runs it. Sourced by ./run, scripts/build.sh, tests/wine/session.sh, the soak
# and the benchmarks, so they all pick the same build.
#
# The 32-bit build (build/win32, corvane.exe) runs under Wine's 32-bit loader
# wherever the kernel executes 32-bit programs. Some machines (virtual
# machines with IA-32 emulation off) fail every i386 program with "Exec
# format error"; there the 64-bit build (build/win64, corvane64.exe) runs under
# Debian's 64-bit loader in a 64-bit prefix. /usr/bin/wine picks the 32-bit
# loader whenever wine32 is installed, so the 64-bit environment puts a
# wrapper first on PATH; wineboot, winecfg and reg then start through it.

readonly CORVANE_WINE32_LOADER=/usr/lib/wine/wine
readonly CORVANE_WINE64_LOADER=/usr/lib/wine/wine64

# True when LOADER can start here: it prints its version, or at least is not
# refused by the kernel (ENOEXEC gives 126).
corvane_loader_runs() {
  local loader=$1 rc=0
  [ -x "$loader" ] || return 1
  "$loader" --version >/dev/null 2>&1 && return 0
  "$loader" >/dev/null 2>&1 || rc=$?
  [ $rc -ne 126 ] && [ $rc -ne 127 ]
}

# Prints win32 or win64, the build Wine runs here (32-bit preferred: it is the
# one that runs on every supported Windows); fails where neither runs.
corvane_wine_arch() {
  if [ -n "${CORVANE_WINE_ARCH:-}" ]; then
    echo "$CORVANE_WINE_ARCH"
  elif corvane_loader_runs "$CORVANE_WINE32_LOADER"; then
    echo win32
  elif corvane_loader_runs "$CORVANE_WINE64_LOADER"; then
    echo win64
  else
    return 1
  fi
}

# The program file of each build.
corvane_program_file() {
  case $1 in
    win32) echo corvane.exe ;;
    win64) echo corvane64.exe ;;
    *) return 1 ;;
  esac
}

# Why no build can run, for the skip messages.
corvane_wine_missing_reason() {
  if [ ! -x "$CORVANE_WINE32_LOADER" ] && [ ! -x "$CORVANE_WINE64_LOADER" ]; then
    echo "Wine is not installed"
  else
    echo "neither Wine's 32-bit nor its 64-bit loader can execute on this machine"
  fi
}

# Prints the export lines of ARCH's environment, with WRAPPERS the folder
# that holds the 64-bit wrapper (made here). Callers eval or save them.
corvane_wine_env_lines() {
  local arch=$1 wrappers=$2
  echo "export WINEDEBUG=-all WINEDLLOVERRIDES=\"mscoree,mshtml=\" WINEARCH=$arch"
  if [ "$arch" = win64 ]; then
    mkdir -p "$wrappers"
    local name
    for name in wine wine-stable; do
      printf '#!/bin/sh\nexec %s "$@"\n' "$CORVANE_WINE64_LOADER" >"$wrappers/$name"
      chmod +x "$wrappers/$name"
    done
    echo "export WINELOADER=$CORVANE_WINE64_LOADER"
    echo "export PATH=\"$wrappers:\$PATH\""
  else
    echo "unset WINELOADER"
  fi
}
