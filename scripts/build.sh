#!/usr/bin/env bash
# Configures and builds the cross tree (build/win32) and, unless told
# "win32", the native tree (build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j "$jobs" -- -k 0 ${CORVANE_TARGETS:-}
[ "${1:-}" = win32 ] && exit 0
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"
