# Sourced by the bench scripts: the cross build tree brought up to date for
# the targets named, and a private warm Wine session started for the script's
# life (stopped when it exits).
#   bench_session TARGET...   sets root, build, program, out_dir, session
# The build measured is the one Wine runs here (scripts/wine_env.sh);
# CORVANE_BENCH_BUILD names its cross tree (default build/win32 or build/win64).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out_dir=$root/build/bench
export CORVANE_WINE_STATE=$root/build/wine-bench
session=$root/tests/wine/session.sh
# shellcheck source=../scripts/wine_env.sh
source "$root/scripts/wine_env.sh"
arch=$("$session" arch) || exit $?
build=${CORVANE_BENCH_BUILD:-$root/build/$arch}
program=$build/bin/$(corvane_program_file "$arch")
toolchain=$root/cmake/mingw-i686.cmake
[ "$arch" = win64 ] && toolchain=$root/cmake/mingw-x86_64.cmake

bench_session() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$build" --target "$@" >/dev/null
  mkdir -p "$out_dir"
  # The session's Xvfb inherits the descriptors of whoever starts it: give it
  # a log file, not this script's output, or a pipe reading us never closes.
  trap '"$session" stop' EXIT
  "$session" start >"$out_dir/session.log" 2>&1 || { cat "$out_dir/session.log" >&2; exit 1; }
  # shellcheck disable=SC1091
  source "$CORVANE_WINE_STATE/session.env"
}

# The median of the numbers on stdin, one a line (whole numbers).
median() {
  sort -n | awk '{ v[NR] = $1 } END { printf "%d\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# time_runs N CMD... : runs CMD under Wine N times and prints one wall time
# in ms per line; a failed run stops the script with what it wrote on its
# standard error stream.
time_runs() {
  local n=$1
  shift
  local i t0 t1
  for ((i = 0; i < n; i++)); do
    t0=$(now_ms)
    timeout -k 5 300 wine "$@" >/dev/null 2>"$out_dir/run.err" || {
      echo "run failed: $*" >&2
      cat "$out_dir/run.err" >&2
      return 1
    }
    t1=$(now_ms)
    echo $((t1 - t0))
  done
}

# The median and the minimum of the numbers on stdin, "median min".
stats() {
  sort -n | awk '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.1f %d\n", m, v[1] }'
}
