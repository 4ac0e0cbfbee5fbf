#!/usr/bin/env bash
# Builds the two cross trees, build/win32 (corvane.exe) and build/win64
# (corvane64.exe), and the native tree (build/native).
#   build.sh           both programs everywhere; the Wine test programs only in
#                      the tree Wine runs here (scripts/wine_env.sh; the 32-bit
#                      one where no build runs), then the native tree
#   build.sh program   only the program Wine runs here (what ./run starts)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# shellcheck source=wine_env.sh
source scripts/wine_env.sh
jobs=$(nproc)
runs=$(corvane_wine_arch) || runs=
tested=${runs:-win32}

cross() {
  local arch=$1 toolchain=cmake/mingw-i686.cmake
  shift
  [ "$arch" = win64 ] && toolchain=cmake/mingw-x86_64.cmake
  cmake -S . -B "build/$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "build/$arch" -j "$jobs" -- -k 0 "$@"
}

if [ "${1:-}" = program ]; then
  cross "$tested" corvane
  exit 0
fi
for arch in win32 win64; do
  if [ "$arch" = "$tested" ]; then
    cross "$arch"
  else
    cross "$arch" corvane corvane-decode
  fi
done
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"
