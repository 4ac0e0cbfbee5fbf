#!/usr/bin/env bash
# Fails when a source file includes a folder above its own. The layers, from
# the bottom: platform < ui < the subsystem folders < report < app. A folder
# may include its own layer and any layer below it.
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../.." && pwd)/src}

rank() {
  case "$1" in
    platform) echo 0 ;;
    ui) echo 1 ;;
    report) echo 3 ;;
    app) echo 4 ;;
    *) echo 2 ;;  # cpu, storage, usb, network, inventory, shortcuts, memory_display_time
  esac
}

status=0
while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  own=${rel%%/*}
  own_rank=$(rank "$own")
  while IFS= read -r line; do
    target=$(sed -E 's/^[0-9]+:#include "([^/"]+)\/.*/\1/' <<<"$line")
    [ -d "$src/$target" ] || continue
    if [ "$(rank "$target")" -gt "$own_rank" ]; then
      echo "$rel:${line%%:*}: $own/ includes $target/, a layer above it"
      status=1
    fi
  done < <(grep -nE '^#include "[^/"]+/' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
[ $status -eq 0 ] && echo "layers: every include points down or across"
exit $status
