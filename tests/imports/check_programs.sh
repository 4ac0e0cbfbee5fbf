#!/bin/bash
# Checks the programs of both cross trees under BUILD (build/win32 and
# build/win64): each is the kind of file its name says (PE32 for i386, PE32+
# for x86-64) with a subsystem version its oldest Windows loads, and imports
# nothing that Windows lacks (check_imports.sh).
#   check_programs.sh BUILD             the shipped programs of both trees
#   check_programs.sh --catches BUILD   the import check on a test program,
#                                       which must fail (see native.cmake)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
catches=
if [ "${1:-}" = --catches ]; then
  catches=1
  shift
fi
build=$1

# tree, objdump, file format, optional header magic, highest subsystem
# version the oldest Windows loads, import-check arguments, programs
trees=(
  "win32|i686-w64-mingw32-objdump|pei-i386|010b|5.01|$here/newer_than_xp.txt|corvane.exe corvane-decode.exe"
  "win64|x86_64-w64-mingw32-objdump|pei-x86-64|020b|5.02|$here/newer_than_xp.txt --except $here/xp64_has.txt|corvane64.exe corvane-decode64.exe"
)

if [ -n "$catches" ]; then
  for tree in "${trees[@]}"; do
    IFS='|' read -r name objdump _ _ _ lists _ <<<"$tree"
    program=$build/$name/bin/corvane_win_tests.exe
    [ -f "$program" ] || continue
    # shellcheck disable=SC2086
    OBJDUMP=$objdump exec "$here/check_imports.sh" $lists "$program"
  done
  echo "no test program built under $build" >&2
  exit 2
fi

status=0
for tree in "${trees[@]}"; do
  IFS='|' read -r name objdump format magic subsystem lists programs <<<"$tree"
  for program in $programs; do
    path=$build/$name/bin/$program
    [ -f "$path" ] || { echo "$name/bin/$program was not built"; status=1; continue; }
    header=$("$objdump" -p "$path")
    got_format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$header" | head -n 1)
    got_magic=$(awk '$1 == "Magic" { print $2; exit }' <<<"$header")
    got_subsystem=$(awk '$1 == "MajorSubsystemVersion" { major = $2 } $1 == "MinorSubsystemVersion" { minor = $2 }
                         END { printf "%d.%02d", major, minor }' <<<"$header")
    if [ "$got_format" != "$format" ] || [ "$got_magic" != "$magic" ]; then
      echo "$program is '$got_format' (magic $got_magic), not '$format' (magic $magic)"
      status=1
    elif awk -v a="$got_subsystem" -v b="$subsystem" 'BEGIN { exit !(a + 0 > b + 0) }'; then
      echo "$program asks for subsystem version $got_subsystem; its oldest Windows loads up to $subsystem"
      status=1
    else
      echo "$program: $got_format, magic $got_magic, subsystem $got_subsystem"
    fi
  done
  # shellcheck disable=SC2086
  set -- $programs
  OBJDUMP=$objdump "$here/check_imports.sh" $lists "${@/#/$build/$name/bin/}" || status=1
done
exit $status
