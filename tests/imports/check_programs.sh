#!/bin/bash
# Checks the programs of both cross trees under BUILD (build/win32 and
# build/win64): each is the kind of file its name says (PE32 for i386, PE32+
# for x86-64) with a subsystem version its oldest Windows loads, the main
# program's manifest names the same processor (Windows refuses to start it
# otherwise), and none imports what that Windows lacks (check_imports.sh).
#   check_programs.sh BUILD             the shipped programs of both trees
#   check_programs.sh --catches BUILD   the import check on the test programs
#                                       of the trees that have them: each holds
#                                       an import its Windows lacks, which the
#                                       check must name; fails where it does not
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
catches=
if [ "${1:-}" = --catches ]; then
  catches=1
  shift
fi
build=$1

# tree, tools' prefix, file format, optional header magic, highest
# subsystem version the oldest Windows loads, the manifest's processor,
# import-check arguments, programs (the first has the manifest)
trees=(
  "win32|i686-w64-mingw32|pei-i386|010b|5.01|x86|$here/newer_than_xp.txt|corvane.exe corvane-decode.exe"
  "win64|x86_64-w64-mingw32|pei-x86-64|020b|5.02|amd64|$here/newer_than_xp.txt --except $here/xp64_has.txt|corvane64.exe corvane-decode64.exe"
)

if [ -n "$catches" ]; then
  # The Wine unit tests keep the runtime's own import of GetTickCount64 (only
  # the shipped programs bind it themselves); the delay-load probe next to
  # them delay-imports iphlpapi's GetIfTable2.
  fixtures=(
    "corvane_win_tests.exe|kernel32.dll GetTickCount64"
    "corvane_delay_probe.exe|iphlpapi.dll GetIfTable2 (delay-loaded)"
  )
  checked= missed=0
  for tree in "${trees[@]}"; do
    IFS='|' read -r name tools _ _ _ _ lists _ <<<"$tree"
    [ -f "$build/$name/bin/corvane_win_tests.exe" ] || continue
    checked=1
    for fixture in "${fixtures[@]}"; do
      IFS='|' read -r program expected <<<"$fixture"
      path=$build/$name/bin/$program
      [ -f "$path" ] || { echo "$name/bin/$program was not built"; missed=1; continue; }
      rc=0
      # shellcheck disable=SC2086
      out=$(OBJDUMP=$tools-objdump "$here/check_imports.sh" $lists "$path") || rc=$?
      echo "$out"
      if [ $rc -eq 1 ] && grep -qxF "  $expected" <<<"$out"; then
        echo "caught in $name/bin/$program: $expected"
      else
        echo "NOT caught in $name/bin/$program: $expected (check status $rc)"
        missed=1
      fi
    done
  done
  [ -n "$checked" ] || { echo "no test program built under $build" >&2; exit 2; }
  exit $missed
fi

status=0
for tree in "${trees[@]}"; do
  IFS='|' read -r name tools format magic subsystem processor lists programs <<<"$tree"
  objdump=$tools-objdump
  main=${programs%% *}
  if [ -f "$build/$name/bin/$main" ]; then
    manifest=$("$tools-windres" -i "$build/$name/bin/$main" -O rc 2>/dev/null |
               grep -ao 'processorArchitecture=""[a-z0-9]*""' | tr -d '"' | sort -u) || true
    if [ "$manifest" != "processorArchitecture=$processor" ]; then
      echo "$main: its manifest names '${manifest:-no processor}', not processorArchitecture=$processor"
      status=1
    else
      echo "$main: manifest for $processor"
    fi
  fi
  for program in $programs; do
    path=$build/$name/bin/$program
    [ -f "$path" ] || { echo "$name/bin/$program was not built"; status=1; continue; }
    # The other word size's tools do not read the file at all.
    header=$("$objdump" -p "$path" 2>&1) || true
    got_format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$header" | head -n 1)
    got_magic=$(awk '$1 == "Magic" { print $2; exit }' <<<"$header")
    got_subsystem=$(awk '$1 == "MajorSubsystemVersion" { major = $2 } $1 == "MinorSubsystemVersion" { minor = $2 }
                         END { printf "%d.%02d", major, minor }' <<<"$header")
    if [ "$got_format" != "$format" ] || [ "$got_magic" != "$magic" ]; then
      echo "$program is '${got_format:-unreadable}' (magic ${got_magic:-none}), not '$format' (magic $magic)"
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
