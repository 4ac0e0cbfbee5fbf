#!/bin/bash
# Fails when a program imports a function (or library) that the oldest
# Windows the README names does not have: such a program would not even
# start there, or, where the import is delay-loaded, would end on the
# function's first call. Both import tables are read: the ordinary one with
# objdump, the delay-load one with delay_imports.py (objdump lists none).
# Usage: check_imports.sh LIST [--except LIST] PROGRAM.exe...
# LIST holds "LIBRARY FUNCTION" or "LIBRARY *" lines; '#' starts a comment;
# its "# Oldest: NAME" line names that Windows. The lines of an --except list
# (a newer floor that has some of them) are taken out of LIST, and its own
# "Oldest:" line names the floor. OBJDUMP reads the programs (default i686).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list=$1
shift
except=/dev/null
if [ "${1:-}" = --except ]; then
  except=$2
  shift 2
fi
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
command -v "$objdump" >/dev/null || { echo "check_imports: $objdump not found" >&2; exit 2; }
command -v python3 >/dev/null || { echo "check_imports: python3 not found" >&2; exit 2; }
[ -r "$list" ] || { echo "check_imports: cannot read $list" >&2; exit 2; }
[ -r "$except" ] || { echo "check_imports: cannot read $except" >&2; exit 2; }
floor=$(sed -n 's/^# Oldest: //p' "$except" "$list" | head -n 1)
[ -n "$floor" ] || { echo "check_imports: $list names no oldest Windows" >&2; exit 2; }

status=0
for program in "$@"; do
  [ -r "$program" ] || { echo "check_imports: cannot read $program" >&2; exit 2; }
  # "library function" per import, the library in lower case.
  imports=$("$objdump" -p "$program" | awk '
    /^[ \t]*DLL Name:/ { dll = tolower($3); next }
    /^[ \t]*$/ { next }
    dll != "" && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[^ \t]+[ \t]*$/ { print dll, $3 }
    /^[ \t]*vma:/ { next }')
  [ -n "$imports" ] || { echo "check_imports: no import table read from $program" >&2; exit 2; }
  # The same, marked "delayed", for the delay-load table.
  delayed=$(python3 "$here/delay_imports.py" "$program" | awk '{ print $1, $2, "delayed" }') ||
    { echo "check_imports: no delay-import table read from $program" >&2; exit 2; }
  found=$(awk '
    FILENAME != "-" && $0 ~ /^[ \t]*(#|$)/ { next }
    FILENAME == except { allow[tolower($1) " " $2] = 1; next }
    FILENAME != "-" {
      if ((tolower($1) " " $2) in allow) next
      deny[tolower($1) " " $2] = 1
      if ($2 == "*") whole[tolower($1)] = 1
      next
    }
    ($1 " " $2) in deny || ($1 in whole) { print "  " $1 " " $2 ($3 == "delayed" ? " (delay-loaded)" : "") }' \
    except="$except" "$except" "$list" - <<<"$imports${delayed:+$'\n'$delayed}")
  if [ -n "$found" ]; then
    echo "$(basename "$program") imports what $floor lacks:"
    echo "$found"
    status=1
  else
    echo "$(basename "$program"): $(wc -l <<<"$imports") imports and $(grep -c . <<<"$delayed") delay-loaded," \
      "none newer than $floor"
  fi
done
exit $status
