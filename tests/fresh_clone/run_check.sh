#!/usr/bin/env bash
# A new user's first run: clones the committed HEAD of this checkout into a
# folder under build/ (so nothing built or set up here can help), runs ./run
# there without a display and checks that it exits 0 having printed the 28
# summary rows, in order, and nothing else on stdout.
# The clone makes its own Wine prefix and Xvfb display, so the test session of
# the other suites is left alone. Exit 77 (skipped): not a git checkout, or a
# machine where Wine can run neither build.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd -P)
# A source tree without its own .git (an unpacked archive, perhaps inside some
# other repository) has nothing to clone.
if [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" != "$root" ]; then
  echo "not a git checkout: skipped"
  exit 77
fi
head=$(git -C "$root" rev-parse --verify HEAD)
# Where Wine can run neither build there is nothing to check (and the build
# would take minutes for nothing).
"$root/tests/wine/session.sh" check || exit $?
arch=$("$root/tests/wine/session.sh" arch)
# shellcheck source=../../scripts/wine_env.sh
source "$root/scripts/wine_env.sh"
program=build/$arch/bin/$(corvane_program_file "$arch")

labels=(
  "Windows" "Internet Explorer" "Memory (RAM)" "CPU Info" "CPU Speed"
  "Sound Card" "Display Adapters" "Monitors" "Screen Resolution" "Network"
  "Network Adapters" "CD / DVD Drives" "Ports" "Mouse" "Hard Disks"
  "Hard Disks - Free" "USB Controllers" "Firewire (1394)" "Manufacturer" "Product Make"
  "AC Power Status" "BIOS Info" "Time Zone" "Battery" "Motherboard"
  "IP Address" "MAC Address" "Host Name"
)

mkdir -p "$root/build"
work=$(mktemp -d "$root/build/fresh-clone.XXXXXX")
clone=$work/corvane
cleanup() {
  # Whatever ./run left behind in its prefix ends before the folder goes.
  if [ -d "$clone/build/wine/run-pfx-$arch" ]; then
    WINEPREFIX=$clone/build/wine/run-pfx-$arch timeout 30 wineserver -k 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

git clone -q --no-checkout "$root" "$clone"
git -C "$clone" checkout -q --detach "$head"
echo "fresh clone of $head in $clone"

# As a new user's shell: no display, no Wine or build settings of ours.
rc=0
env -u DISPLAY -u WINEPREFIX -u WINEARCH -u WINELOADER -u WINEDEBUG -u CORVANE_WINE_STATE -u CORVANE_WINE_ARCH \
  timeout -k 10 "${CORVANE_FRESH_CLONE_TIMEOUT:-1500}" "$clone/run" \
  >"$work/stdout" 2>"$work/stderr" </dev/null || rc=$?

fail() {
  echo "FAIL: $*"
  echo "--- ./run stdout"; cat "$work/stdout"
  echo "--- ./run stderr (last 40 lines)"; tail -n 40 "$work/stderr"
  if [ -f "$clone/build/run.log" ]; then
    echo "--- build/run.log (last 40 lines)"; tail -n 40 "$clone/build/run.log"
  fi
  exit 1
}

[ "$rc" -eq 0 ] || fail "./run exited $rc"
mapfile -t lines <"$work/stdout"
[ "${#lines[@]}" -eq "${#labels[@]}" ] ||
  fail "./run printed ${#lines[@]} lines, expected ${#labels[@]} summary rows"
for i in "${!labels[@]}"; do
  case ${lines[$i]} in
    "${labels[$i]}: "*) ;;
    *) fail "line $((i + 1)) is '${lines[$i]}', expected '${labels[$i]}: value'" ;;
  esac
done
# Filled by a real refresh under Wine, not a sheet of empty rows.
[ "${lines[0]}" != "Windows: " ] || fail "the Windows row is empty"
[ "${lines[27]}" != "Host Name: " ] || fail "the Host Name row is empty"
[ "${lines[18]}" = "Manufacturer: The Wine Project" ] || fail "row 19 is '${lines[18]}'"
[ "${lines[19]}" = "Product Make: Wine" ] || fail "row 20 is '${lines[19]}'"
# What was printed is the file ./run wrote, converted from the ANSI code page.
[ -f "$clone/$program" ] || fail "no $program in the clone"
cmp -s <(iconv -f CP1252 -t UTF-8 "$clone/build/summary.txt" | tr -d '\r') "$work/stdout" ||
  fail "stdout differs from build/summary.txt"
# ./run builds the program alone, not the test programs.
for t in corvane_win_tests.exe corvane_e2e_tests.exe; do
  [ ! -e "$clone/build/$arch/bin/$t" ] || fail "./run built $t"
done
printf '%s\n' "${lines[@]}"
echo "PASS"
