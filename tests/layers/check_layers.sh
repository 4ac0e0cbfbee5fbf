#!/usr/bin/env bash
# Fails when a source file includes a folder above its own. The layers, from
# the bottom: platform < ui < the subsystem folders (cpu, storage, usb,
# network, inventory, shortcuts, memory_display_time) < report < app. A
# folder may include its own layer and any layer below it.
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../.." && pwd)/src}
cd "$src"
folders=$(find . -mindepth 1 -maxdepth 1 -type d -printf '%f ')
grep -rnE --include='*.h' --include='*.cpp' '^#include "[^/"]+/' . | awk -F: -v folders="$folders" '
  function rank(folder) {
    if (folder == "platform") return 0
    if (folder == "ui") return 1
    if (folder == "report") return 3
    if (folder == "app") return 4
    return 2
  }
  BEGIN { n = split(folders, list, " "); for (i = 1; i <= n; ++i) ours[list[i]] = 1 }
  {
    file = substr($1, 3)
    split(file, parts, "/")
    own = parts[1]
    target = $3
    sub(/^#include "/, "", target)
    sub(/\/.*/, "", target)
    if ((target in ours) && rank(target) > rank(own)) {
      printf "%s:%s: %s/ includes %s/, a layer above it\n", file, $2, own, target
      bad = 1
    }
  }
  END {
    if (bad) exit 1
    print "layers: every include points down or across"
  }'
