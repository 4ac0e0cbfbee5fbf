#!/bin/sh
# Writes the module-definition file of a delay-import library from the
# toolchain's own import library of the same DLL, so that every function the
# import library offers is delay-imported under the same symbol and the same
# import name (or ordinal) it would have been imported by:
#   delay_import_def.sh OBJDUMP IMPORT_LIBRARY OUT.def
# Each stub member of a dlltool-made import library defines the function's
# thunk and its __imp_ slot and holds the import name in .idata$6 (the hint,
# then the name), or an ordinal in .idata$4; the member that defines the
# library's "_iname" holds the DLL's file name in .idata$7. Exports without a
# thunk (data) cannot be delay-loaded and are left out: using one is then a
# link error, not a silent static import.
set -eu
objdump=$1
library=$2
out=$3

"$objdump" -s -t "$library" | awk -v library="$library" '
  function hexval(h,   i, v) {
    v = 0
    for (i = 1; i <= length(h); i++) v = v * 16 + index("0123456789abcdef", substr(h, i, 1)) - 1
    return v
  }
  # The bytes of the current section, from a line " 0000 0200456e 756d...  ..Enu".
  function take_bytes(line, address,   f, n, i, j) {
    n = split(substr(line, length(address) + 3, 35), f, " ")
    for (i = 1; i <= n; i++)
      for (j = 1; j < length(f[i]); j += 2) bytes[section, nbytes[section]++] = hexval(substr(f[i], j, 2))
  }
  # The NUL-terminated text of SECTION from byte FROM on.
  function text_of(sec, from,   s, i) {
    s = ""
    for (i = from; i < nbytes[sec] && bytes[sec, i] != 0; i++) s = s sprintf("%c", bytes[sec, i])
    return s
  }
  function flush(   def, i, ordinal, width) {
    if (iname_here && nbytes[".idata$7"] > 0) dll = text_of(".idata$7", 0)
    if (imp != "" && code[imp]) {
      def = imp
      if (pe32) def = substr(imp, 2)        # the i386 C prefix "_" is not part of a .def name
      if (nbytes[".idata$6"] > 2) {
        line[++lines] = def " == " text_of(".idata$6", 2)
      } else if (nbytes[".idata$4"] > 0) {
        width = nbytes[".idata$4"]
        if (bytes[".idata$4", width - 1] >= 128) {
          ordinal = bytes[".idata$4", 0] + 256 * bytes[".idata$4", 1]
          line[++lines] = def " @" ordinal " NONAME"
        }
      }
    }
    split("", bytes); split("", nbytes); split("", code)
    imp = ""; iname_here = 0; section = ""
  }
  /^[^ \t].*:[ \t]+file format / {
    flush()
    pe32 = ($NF == "pe-i386")
    next
  }
  /^\[ *[0-9]+\]\(sec +[1-9][0-9]*\).*\(scl +2\)/ {
    name = $NF
    if (name ~ /^__imp_/) imp = substr(name, 7)
    else if (name ~ /_iname$/) iname_here = 1
    else code[name] = 1
    next
  }
  /^Contents of section / { section = $4; sub(/:$/, "", section); next }
  section != "" && /^ [0-9a-f]+ / { take_bytes($0, $1); next }
  END {
    flush()
    if (dll == "" || lines == 0) { print library ": no DLL name or no functions read" > "/dev/stderr"; exit 1 }
    print "LIBRARY \"" dll "\""
    print "EXPORTS"
    for (i = 1; i <= lines; i++) print line[i]
  }' >"$out.tmp"
mv "$out.tmp" "$out"
